#include "formats/clsFileSV2.h"
#include "formats/FormatIO.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>

namespace {
const QString kCRLF = QStringLiteral("\r\n");
const QString kBreak = QStringLiteral("[br]");

void expectStart(const QString& line, const QString& tag) {
    if (!line.toUpper().startsWith(tag)) throw BadFormat{};
}

// "[COLF]&HRRGGBB,[STYLE]st,[SIZE]n,[FONT]name"; the font name may hold commas.
void readStyle(const QString& line, clsFileSV2Frm1& frm) {
    int rgb[3];
    for (int k = 0; k < 3; ++k) {
        rgb[k] = HexPair(line, 8 + 2 * k);
        if (rgb[k] < 0) throw BadFormat{};
    }
    const QStringList pieces = line.split(u',');
    if (pieces.size() < 4) throw BadFormat{};
    for (int k = 0; k < 3; ++k) frm.CScroll[k]->setValue(rgb[k]);
    frm.SetType(pieces.at(1).mid(7));
    frm.txtFontSize->setText(pieces.at(2).mid(6));
    frm.SelFont(line.section(u',', 3).mid(6));
}

bool isTimeLine(const QString& line) {
    static const QRegularExpression time(QStringLiteral("^\\d+:\\d\\d:\\d\\d\\.\\d\\d,\\d+:\\d\\d:\\d\\d\\.\\d\\d"));
    return time.match(line).hasMatch();
}

// "hh:mm:ss.cc": hundredths.
qint32 hundredths(const QString& line, qsizetype at) { return ParseTime(line.mid(at, 11) + u'0'); }

bool invalidFile() {
    MsgBox(QStringLiteral("This is not a valid SubViewer 2.0 subtitle file."), vb::Exclamation,
           QStringLiteral("Error"));
    return false;
}
} // namespace

clsFileSV2::clsFileSV2() = default;

bool clsFileSV2::Load(clsSubs& Subs) {
    clsFileSV2Frm1* frm = newForm();
    QStringList lines;
    if (!readLines(lines)) return false;
    EventsOff off(Subs);
    Subs.Clear();
    try {
        LineCursor in(lines);
        expectStart(in.next(), QStringLiteral("[INFORMATION]"));
        for (const auto& [tag, box] : frm->header()) {
            const QString& line = in.next();
            expectStart(line, tag);
            box->setText(line.mid(tag.size()));
        }
        expectStart(in.next(), QStringLiteral("[END INFORMATION]"));
        if (in.next().trimmed().toUpper() != QStringLiteral("[SUBTITLE]")) throw BadFormat{};
        readStyle(in.next(), *frm);
        while (!in.atEnd()) {
            const QString& times = in.next();
            // A whitespace line that other tools left before a time line is a stray separator.
            if (!IsBlankLine(times) && IsAllWhitespace(times) && in.peek() && isTimeLine(*in.peek())) continue;
            // A blank line, or a time line that is the file's last, ends the entries.
            if (IsAllWhitespace(times) || in.atEnd()) break;
            const qint32 start = hundredths(times, 0);
            const qint32 end = hundredths(times, 12);
            QString text = in.next();
            text.replace(kBreak, kCRLF);
            AppendEntry(Subs, text, start, end);
            // The last entry may end the file without its blank separator.
            if (!in.atEnd()) in.next();
        }
    } catch (const BadFormat&) {
        return invalidFile();
    } catch (const ListIsFull&) {
        return ListFull(QStringLiteral("SubViewer 2.0"));
    } catch (const RuntimeError&) {
        return invalidFile();
    }
    ShowModal(frm);
    return true;
}

bool clsFileSV2::Save(clsSubs& Subs) {
    clsFileSV2Frm1* frm = form();
    ShowModal(frm);
    QString out;
    out.reserve(400 + Subs.count() * 56);
    auto line = [&out](const QString& s) {
        out += s;
        out += kCRLF;
    };
    line(QStringLiteral("[INFORMATION]"));
    for (const auto& [tag, box] : frm->header()) line(tag + SingleLine(box->text()));
    line(QStringLiteral("[END INFORMATION]"));
    line(QStringLiteral("[SUBTITLE]"));
    line(QStringLiteral("[COLF]&H") + frm->colorHex() + QStringLiteral(",[STYLE]") + frm->GetType() +
         QStringLiteral(",[SIZE]") + NumText(Val(frm->txtFontSize->text())) + QStringLiteral(",[FONT]") +
         SingleLine(frm->fontName()));
    for (int i = 0; i < Subs.count(); ++i) {
        line(FormatTime(Subs.SubTimeIn(i)).left(11) + u',' + FormatTime(Subs.SubTimeOut(i)).left(11));
        line(JoinBreaks(Subs.SubText(i), kBreak));
        line(QString());
    }
    line(QString());
    return writeText(out);
}
