#include "mainwin/ShowProps.h"
#include "mainwin/frmProps.h"
#include "model/CFileFnc.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/clsSubs.h"
#include "platform/Modal.h"

#include <QLabel>

namespace {
void append(QLabel* l, const QString& value) { l->setText(l->text() + value); }
} // namespace

void FillProps(frmProps& f, const PropsFigures& d) {
    f.setWindowTitle((d.file.isEmpty() ? QStringLiteral("Untitled") : FileTitleOf(d.file)) +
                     QStringLiteral(" - Properties"));
    const int n = d.subs ? d.subs->count() : 0;
    int bad = 0;
    for (int i = 0; i < n; ++i)
        if (d.subs->Invalid(i)) ++bad;
    append(f.lbBadCount, Str(bad));
    append(f.lbCSub, IndexOrNone(d.sel));
    append(f.lbCTime, QStringLiteral(" ") + FormatTime(d.time));
    // An empty list has lasted nothing.
    append(f.lbDuration, QStringLiteral(" ") + FormatTime(n > 0 ? d.subs->SubTimeOut(n - 1) : 0));
    append(f.lbFileName, FileTitleOf(d.file));
    append(f.lbFilePath, FolderOf(d.file));
    append(f.lbSel, d.selRange);
    append(f.lbSMS, IndexOrNone(d.markS));
    append(f.lbSMS1, IndexOrNone(d.markS1));
    append(f.lbSMS2, IndexOrNone(d.markS2));
    append(f.lbSMT, TimeOrNone(d.markT));
    append(f.lbSMT1, TimeOrNone(d.markT1));
    append(f.lbSMT2, TimeOrNone(d.markT2));
    append(f.lbSubCount, Str(n));
}

void ShowProps(QWidget* owner, const PropsFigures& d) {
    frmProps f(owner);
    FillProps(f, d);
    ShowModal(&f);
}
