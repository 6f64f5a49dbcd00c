#include "tools/WizardParts.h"
#include "controls/SubListing.h"
#include "controls/TimeText.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/MediaPlayer.h"
#include "tools/ToolHost.h"
#include "tools/frmSubSelector.h"
#include "visual/frmTimeSelector.h"

#include <QLabel>
#include <QLineEdit>

namespace WizardParts {
const QString TimeInstruction = QStringLiteral("Enter the exact time the selected subtitle is said in the movie.");
const QString TypeTime = QStringLiteral("Enter the time in the textbox.");

QLineEdit* NumberField(const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedHeight(22);
    e->setFrame(false);
    return e;
}

TimeText* TimeField(const char* name) {
    auto* t = new TimeText;
    t->setObjectName(QString::fromLatin1(name));
    t->setFixedSize(96, 22);
    t->setBorderStyle(0);
    return t;
}

clsTime* SubMarker(QObject* owner, const clsSubs& c) {
    auto* m = new clsTime(owner);
    m->setMax(c.count() - 1);
    m->setMin(-2);
    return m;
}

clsTime* TimeMarker(QObject* owner) {
    auto* m = new clsTime(owner);
    m->setMax(MaxTime);
    return m;
}

frmSubSelector* SubPicker(QWidget* owner, ToolHost& host, clsSubs* c, clsTime* s, clsTime* s1, clsTime* s2, int m,
                          const QString& info, clsTime* selection) {
    auto* p = new frmSubSelector(owner);
    if (!selection) {
        selection = new clsTime(p);
        selection->setMin(-2);
        selection->setValue(-2);
    }
    p->Listing->SetStruct(c, selection, new clsTime(p), new clsTime(p));
    p->Listing->setNewLineChar(host.NewLineChar());
    if (s || s1 || s2) p->Listing->SetMarkers(s ? s : selection, s1 ? s1 : selection, s2 ? s2 : selection);
    p->Listing->SetSimpleMode(true, m);
    p->Listing->CalcBars();
    p->lbInfo->setText(info);
    return p;
}

frmTimeSelector* TimePicker(QWidget* owner, ToolHost& host, clsTime* marker, QString& video) {
    auto* p = new frmTimeSelector(host.VisualInterval(), owner);
    p->lbInfo->setText(TimeInstruction);
    p->SetStructs(new clsTime(p), marker);
    video = host.VideoFile();
    if (!video.isEmpty()) p->Player->setFileName(video);
    QObject::connect(p, &frmTimeSelector::Stopped, p, [&host](qint32 ms) { host.setTimeLinePosition(ms); });
    return p;
}
} // namespace WizardParts
