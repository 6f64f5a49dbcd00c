#include "model/Common.h"
#include "model/Num.h"
#include "model/RuntimeError.h"

#include <QStringList>
#include <initializer_list>

namespace {
QString& newLineField() {
    static QString field = QStringLiteral("\u00A4");
    return field;
}
// CR and LF delimit words too: stored texts hold their line breaks as CR LF.
const QString kDelimiters = QStringLiteral(" .?,;:/=+~-+*)({}[]%$\u00B5'@&\r\n");
} // namespace

QString PadZeros(const QString& s, int n) {
    const QString t = QString(n, u'0') + s;
    return t.right(n);
}

QString PadZeros(qint64 v, int n) { return PadZeros(QString::number(v), n); }

QString FormatTime(qint32 ms) {
    qint64 t = ms;
    const QString f = PadZeros(t % 1000, 3);
    t /= 1000;
    const QString s = PadZeros(t % 60, 2);
    t /= 60;
    const QString m = PadZeros(t % 60, 2);
    t /= 60;
    const QString h = PadZeros(t, 2);
    return h + u':' + m + u':' + s + u'.' + f;
}

qint32 ParseTime(const QString& text) {
    const double h = Val(text.mid(0, 2));
    const double m = Val(text.mid(3, 2));
    const double s = Val(text.mid(6, 2));
    const double f = Val(text.right(3));
    double v = CLng(h * 60 + m);
    v = CLng(v * 60 + s);
    return CLng(v * 1000 + f);
}

QString PopToken(QString& source, const QString& separator) {
    const qsizetype p = separator.isEmpty() ? -1 : source.indexOf(separator, 0, Qt::CaseInsensitive);
    if (p < 0) {
        QString all = source;
        source.clear();
        return all;
    }
    QString head = source.left(p);
    source = source.mid(p + separator.size());
    return head;
}

QString HexPad(qint64 value, int n) {
    if (value == 0) return QStringLiteral("00");
    // Negative values show their 32-bit two's complement, as the original's Hex did.
    const quint32 u = static_cast<quint32>(value);
    return PadZeros(QString::number(u, 16).toUpper(), n);
}

void SetNewLineField(const QString& s) { newLineField() = s; }
QString NewLineField() { return newLineField(); }

bool IsWordDelimiter(QChar c, Qt::CaseSensitivity compare) {
    return kDelimiters.contains(c, compare) || newLineField().contains(c, compare);
}

int InStrWord(int start, const QString& text, const QString& search, Qt::CaseSensitivity compare, bool whole) {
    if (start < 1) start = 1;
    if (search.isEmpty() || start > text.size()) return 0;
    qsizetype from = start - 1;
    for (;;) {
        const qsizetype p = text.indexOf(search, from, compare);
        if (p < 0) return 0;
        if (!whole) return static_cast<int>(p + 1);
        const qsizetype after = p + search.size();
        const bool leftOk = p == 0 || IsWordDelimiter(text.at(p - 1), compare);
        const bool rightOk = after >= text.size() || IsWordDelimiter(text.at(after), compare);
        if (leftOk && rightOk) return static_cast<int>(p + 1);
        from = p + 1;
    }
}

QString IndexOrNone(int i) { return i >= 0 ? Str(i) : QStringLiteral(" None"); }

QString TimeOrNone(qint32 t) { return t != 0 ? FormatTime(t) : QStringLiteral(" None"); }

namespace {
QString filterList(std::initializer_list<const char*> pairs) {
    QStringList parts;
    for (const char* p : pairs) parts << QString::fromUtf8(p);
    return parts.join(QChar(0));
}
} // namespace

QString SubFileFilter() {
    return filterList({"All supported formats (*.srt,*.smi,*.sami,*.sub,*.ssa,*.txt)", "*.srt;*.smi;*.sami;*.sub;*.txt;*.ssa",
                       "Subrip (*.srt)", "*.srt",
                       "SAMI (*.smi, *.sami)", "*.smi;*.sami",
                       "SubViewer 1.0 (*.sub)", "*.sub",
                       "SubViewer 2.0 (*.sub)", "*.sub",
                       "MicroDVD (*.sub, *.txt)", "*.sub;*.txt",
                       "Substation Alpha v4.00(+) (*.ssa)", "*.ssa",
                       "Raw text (*.txt)", "*.txt"});
}

QString MediaFileFilter() {
    return filterList({"Video files (*.avi, *.mpg, *.divx, *.wmv, *.asf)", "*.avi;*.mpg;*.divx;*.wmv;*.asf",
                       "Audio files (*.mp3, *.midi, *.ogg)", "*.mp3;*.midi;*.ogg",
                       "All files (*.*)", "*.*"});
}
