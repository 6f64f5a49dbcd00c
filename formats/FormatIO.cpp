#include "formats/FormatIO.h"
#include "model/Common.h"
#include "model/TextFile.h"
#include "platform/MsgBox.h"

QString TimeText(qint32 ms) {
    constexpr qint32 kHundredHours = 100 * 3600 * 1000;
    if (ms < 0 || ms >= kHundredHours) return FormatTime(ms);
    QString s(12, Qt::Uninitialized);
    QChar* d = s.data();
    auto two = [](QChar* at, int v) {
        at[0] = QChar(u'0' + v / 10);
        at[1] = QChar(u'0' + v % 10);
    };
    const int f = ms % 1000;
    const int secs = ms / 1000;
    two(d, secs / 3600);
    d[2] = u':';
    two(d + 3, secs / 60 % 60);
    d[5] = u':';
    two(d + 6, secs % 60);
    d[8] = u'.';
    d[9] = QChar(u'0' + f / 100);
    two(d + 10, f % 100);
    return s;
}

qint32 TimeValue(const QString& text) {
    if (text.size() != 12 || text.at(2) != u':' || text.at(5) != u':' || text.at(8) != u'.') return ParseTime(text);
    int v[9];
    static constexpr int at[9] = {0, 1, 3, 4, 6, 7, 9, 10, 11};
    for (int k = 0; k < 9; ++k) {
        const char16_t c = text.at(at[k]).unicode();
        if (c < u'0' || c > u'9') return ParseTime(text);
        v[k] = c - u'0';
    }
    const qint32 h = v[0] * 10 + v[1], m = v[2] * 10 + v[3], s = v[4] * 10 + v[5];
    return ((h * 60 + m) * 60 + s) * 1000 + v[6] * 100 + v[7] * 10 + v[8];
}

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

bool ReadLinesOrReport(const QString& path, QStringList& lines) {
    QString why;
    if (ReadLines(path, lines, &why)) return true;
    MsgBox(QStringLiteral("The file \"%1\" could not be read.\r\n%2").arg(path, why), vb::Exclamation,
           QStringLiteral("Error"));
    return false;
}

bool WriteOrReport(const QString& path, const QString& text) {
    QString why;
    if (WriteTextFile(path, text, &why)) return true;
    MsgBox(QStringLiteral("The file \"%1\" could not be written; it is left as it was.\r\n%2").arg(path, why),
           vb::Exclamation, QStringLiteral("Error"));
    return false;
}
