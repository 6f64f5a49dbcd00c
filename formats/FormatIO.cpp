#include "formats/FormatIO.h"
#include "model/Common.h"
#include "model/TextFile.h"
#include "model/clsSubs.h"
#include "platform/MsgBox.h"

QString JoinBreaks(const QString& text, const QString& sep) {
    if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
    QString out = text;
    out.replace(QStringLiteral("\r\n"), sep);
    out.replace(u'\r', sep);
    out.replace(u'\n', sep);
    return out;
}

int HexPair(const QString& s, qsizetype at) {
    if (at < 0 || at + 2 > s.size()) return -1;
    int v = 0;
    for (qsizetype k = at; k < at + 2; ++k) {
        const char16_t c = s.at(k).unicode();
        int d;
        if (c >= u'0' && c <= u'9') d = c - u'0';
        else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
        else return -1;
        v = v * 16 + d;
    }
    return v;
}

QString SingleLine(const QString& text) { return JoinBreaks(text, QString()); }

bool ListFull(const QString& format) {
    MsgBox(QStringLiteral("The list is full: it holds at most %1 subtitles, and this %2 file has more. The first %1 "
                          "were read.")
               .arg(clsSubs::Capacity)
               .arg(format),
           vb::Exclamation, QStringLiteral("Error"));
    return false;
}

int AppendEntry(clsSubs& Subs, const QString& text, qint32 timeIn, qint32 timeOut) {
    if (Subs.full()) throw ListIsFull{};
    return Subs.AddSub(text, timeIn, timeOut);
}

bool IsBlankLine(QStringView s) {
    for (QChar c : s)
        if (c != u' ') return false;
    return true;
}

bool IsAllWhitespace(QStringView s) {
    for (QChar c : s)
        if (!c.isSpace()) return false;
    return true;
}

bool ReadLinesOrReport(const QString& path, QStringList& lines, TextEncoding* used) {
    QString why;
    if (ReadLines(path, lines, &why, used)) return true;
    MsgBox(QStringLiteral("The file \"%1\" could not be read.\r\n%2").arg(path, why), vb::Exclamation,
           QStringLiteral("Error"));
    return false;
}

bool WriteOrReport(const QString& path, const QString& text, TextEncoding& enc) {
    QString why;
    if (WriteTextFile(path, text, &why, enc)) return true;
    MsgBox(QStringLiteral("The file \"%1\" could not be written; it is left as it was.\r\n%2").arg(path, why),
           vb::Exclamation, QStringLiteral("Error"));
    return false;
}
