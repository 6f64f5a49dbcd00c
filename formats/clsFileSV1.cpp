#include "formats/clsFileSV1.h"
#include "formats/FormatIO.h"
#include "model/Common.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <QLineEdit>

namespace {
const QString kCRLF = QStringLiteral("\r\n");

void expectTag(const QString& line, const QString& tag) {
    if (line.trimmed().toUpper() != tag) throw BadFormat{};
}

// "[hh:mm:ss]": whole seconds.
qint32 bracketTime(const QString& line) {
    if (!line.contains(u'[')) throw BadFormat{};
    return ParseTime(line.mid(1, 8) + QStringLiteral(".000"));
}

QString bracketed(qint32 t) { return u'[' + FormatTime(t).left(8) + u']'; }

bool invalidFile() {
    MsgBox(QStringLiteral("This is not a valid SubViewer 1.0 subtitle file."), vb::Exclamation,
           QStringLiteral("Error"));
    return false;
}
} // namespace

clsFileSV1::clsFileSV1() = default;

bool clsFileSV1::Load(clsSubs& Subs) {
    clsFileSV1Frm1* frm = newForm();
    QStringList lines;
    if (!readLines(lines)) return false;
    EventsOff off(Subs);
    Subs.Clear();
    try {
        LineCursor in(lines);
        for (const auto& [tag, box] : frm->header()) {
            expectTag(in.next(), tag);
            box->setText(in.next());
        }
        expectTag(in.next(), QStringLiteral("[BEGIN]"));
        in.next(); // the start-script line
        for (;;) {
            const QString& line = in.next();
            if (line.trimmed().toLower() == QStringLiteral("[end]")) break;
            const qint32 start = bracketTime(line);
            QString text = in.next();
            text.replace(u'|', kCRLF);
            const qint32 end = bracketTime(in.next());
            // A complete entry stays even when the file ends before its separator.
            AppendEntry(Subs, text, start, end);
            in.next(); // the blank separator
        }
    } catch (const BadFormat&) {
        return invalidFile();
    } catch (const ListIsFull&) {
        return ListFull(QStringLiteral("SubViewer 1.0"));
    } catch (const RuntimeError&) {
        return invalidFile();
    }
    ShowModal(frm);
    return true;
}

bool clsFileSV1::Save(clsSubs& Subs) {
    clsFileSV1Frm1* frm = form();
    ShowModal(frm);
    QString out;
    out.reserve(200 + Subs.count() * 48);
    auto line = [&out](const QString& s) {
        out += s;
        out += kCRLF;
    };
    for (const auto& [tag, box] : frm->header()) {
        line(tag);
        line(SingleLine(box->text()));
    }
    line(QStringLiteral("[BEGIN]"));
    line(QStringLiteral("******** START SCRIPT ********"));
    for (int i = 0; i < Subs.count(); ++i) {
        line(bracketed(Subs.SubTimeIn(i)));
        line(JoinBreaks(Subs.SubText(i), QStringLiteral("|")));
        line(bracketed(Subs.SubTimeOut(i)));
        line(QString());
    }
    line(QStringLiteral("[end]"));
    line(QStringLiteral("******** END SCRIPT ********"));
    return writeText(out);
}
