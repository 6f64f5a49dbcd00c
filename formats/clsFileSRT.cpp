#include "formats/clsFileSRT.h"
#include "formats/FormatIO.h"
#include "formats/clsFileSRTFrm1.h"
#include "formats/clsSettingsSRT.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/TextFile.h"
#include "model/clsSubs.h"
#include "platform/MsgBox.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <exception>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// Only a character that can't be part of a time field separates the milliseconds; anything
// else means the line is malformed and the current separator stays.
bool isDecimalChar(QChar c) { return !(c >= u'0' && c <= u'9') && !c.isSpace() && c != u':'; }

// Blank means empty once the spaces around it are gone. A line of other whitespace (a tab, a
// no-break space) is text, unless it stands where the separator before the next entry belongs.
QString withoutSpaces(const QString& s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s.at(a) == u' ') ++a;
    while (b > a && s.at(b - 1) == u' ') --b;
    return s.mid(a, b - a);
}

bool isNumberLine(const QString& s) {
    static const QRegularExpression number(QStringLiteral("^\\s*\\d+\\s*$"));
    return number.match(s).hasMatch();
}

bool isTimeLine(const QString& s) {
    static const QRegularExpression time(QStringLiteral("^\\s*\\d+:\\d\\d:\\d\\d\\D\\d+\\s*-->"));
    return time.match(s).hasMatch();
}

// Whether the whitespace line before at separates this entry from the next: the file ends
// there, or the next entry's number and time lines follow.
bool separatorAt(const QStringList& lines, qsizetype at) {
    return at == lines.size() || (at + 1 < lines.size() && isNumberLine(lines.at(at)) && isTimeLine(lines.at(at + 1)));
}

qint32 timeField(const QString& line, qsizetype from, const QString& dec) {
    QString t = line.mid(from, 12);
    if (!dec.isEmpty()) t.replace(dec, QStringLiteral("."));
    return ParseTime(t);
}
} // namespace

clsFileSRT::clsFileSRT() = default;

bool clsFileSRT::Load(clsSubs& Subs) {
    clsFileSRTFrm1* frm = newForm();
    EventsOff events(Subs);
    Subs.Clear();
    QStringList lines;
    if (!readLines(lines)) return false;
    int entry = 0;
    try {
        parse(lines, Subs, frm, entry);
    } catch (const ListIsFull&) {
        return ListFull(QStringLiteral("SRT"));
    } catch (const std::exception&) {
        MsgBox(QStringLiteral("This is not a valid SRT subtitle file.") + kCrLf + QStringLiteral("Fault in sub") +
                   Str(entry - 1),
               vb::Exclamation, QStringLiteral("Error"));
        return false;
    }
    return true;
}

void clsFileSRT::parse(const QStringList& lines, clsSubs& Subs, clsFileSRTFrm1* frm, int& entry) {
    // The separator of the last entry read ends up in the form, also after a fault.
    QString lastDec;
    struct ShowDec {
        clsFileSRTFrm1* frm;
        const QString& dec;
        ~ShowDec() {
            if (frm && !dec.isEmpty()) frm->txtDecChar->setText(dec);
        }
    } showDec{frm, lastDec};

    const qsizetype n = lines.size();
    qsizetype i = 0;
    while (i < n) {
        ++entry;
        while (i < n && IsAllWhitespace(lines.at(i))) ++i;
        if (i == n) break; // trailing blank lines add no entry
        ++i;               // the entry number: any text
        const int k = AppendEntry(Subs);
        if (i == n) break;

        const QString& timeLine = lines.at(i++);
        QString dec;
        if (timeLine.size() >= 9 && isDecimalChar(timeLine.at(8))) {
            dec = timeLine.at(8);
            lastDec = dec;
        }
        Subs.setSubTimeIn(k, timeField(timeLine, 0, dec));
        Subs.setSubTimeOut(k, timeField(timeLine, 17, dec));

        if (i == n) throw RuntimeError(RuntimeError::FileAccess, QStringLiteral("input past end of file"));
        QString text;
        for (;;) {
            const QString s = withoutSpaces(lines.at(i++));
            if (s.isEmpty() || (IsAllWhitespace(s) && separatorAt(lines, i))) break;
            if (!text.isEmpty()) text += kCrLf;
            text += s;
            if (i == n) break;
        }
        Subs.setSubText(k, text);
    }
}

QString clsFileSRT::Compose(const clsSubs& Subs) const {
    const clsFileSRTFrm1* frm = form();
    const QChar dec = frm->DecimalChar().at(0);
    const QString arrow = QStringLiteral(" --> ");
    QString out;
    out.reserve(Subs.count() * 64);
    for (int i = 0; i < Subs.count(); ++i) {
        out += QString::number(i + 1);
        out += kCrLf;
        out += FormatTime(Subs.SubTimeIn(i)).replace(u'.', dec);
        out += arrow;
        out += FormatTime(Subs.SubTimeOut(i)).replace(u'.', dec);
        out += kCrLf;
        // One line per piece of the text; a blank piece would end the entry on reading, so it
        // is not written.
        const QString text = Subs.SubText(i);
        for (QStringView line : QStringView(text).split(kCrLf)) {
            if (IsBlankLine(line)) continue;
            out += line;
            out += kCrLf;
        }
        out += kCrLf;
    }
    return out;
}

bool clsFileSRT::Save(clsSubs& Subs) { return writeText(Compose(Subs)); }
