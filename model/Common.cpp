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
    if (ms >= 0) {
        // The common case without the text building of the general one below: a whole file's
        // times are formatted on every save.
        qint64 t = ms;
        char16_t buf[12];
        auto put = [&buf](int at, qint64 v, int digits) {
            for (int i = digits - 1; i >= 0; --i, v /= 10) buf[at + i] = char16_t(u'0' + v % 10);
        };
        put(9, t % 1000, 3);
        t /= 1000;
        put(6, t % 60, 2);
        t /= 60;
        put(3, t % 60, 2);
        put(0, (t / 60) % 100, 2);
        buf[2] = buf[5] = u':';
        buf[8] = u'.';
        return QString(reinterpret_cast<const QChar*>(buf), 12);
    }
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

namespace {
// The numeric value of a short field, read as Val reads a text, without building any text.
double fieldValue(QStringView v) {
    bool negative = false, seenSign = false, seenDigit = false, seenPoint = false;
    qint64 mantissa = 0;
    int decimals = 0;
    for (QChar c : v) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') continue;
        if ((c == u'-' || c == u'+') && !seenSign && !seenDigit && !seenPoint) {
            seenSign = true;
            negative = c == u'-';
        } else if (c >= u'0' && c <= u'9') {
            seenDigit = true;
            mantissa = mantissa * 10 + (c.unicode() - u'0');
            if (seenPoint) ++decimals;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    double r = static_cast<double>(mantissa);
    for (int i = 0; i < decimals; ++i) r /= 10; // fields are at most three characters long
    return negative ? -r : r;
}
} // namespace

qint32 ParseTime(const QString& text) {
    const QStringView v(text);
    const double h = fieldValue(v.mid(0, 2));
    const double m = fieldValue(v.mid(3, 2));
    const double s = fieldValue(v.mid(6, 2));
    const double f = fieldValue(v.size() > 3 ? v.last(3) : v);
    double t = CLng(h * 60 + m);
    t = CLng(t * 60 + s);
    return CLng(t * 1000 + f);
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
    // Negative values show their 32-bit two's complement: hex text stays digits only, never a
    // minus sign that a reader of hex fields would refuse.
    const quint32 u = static_cast<quint32>(value);
    return PadZeros(QString::number(u, 16).toUpper(), n);
}

void SetNewLineField(const QString& s) { newLineField() = s; }
QString NewLineField() { return newLineField(); }

bool IsWordDelimiter(QChar c, Qt::CaseSensitivity compare) {
    return kDelimiters.contains(c, compare) || newLineField().contains(c, compare);
}

bool IsWholeWord(QChar before, const QString& text, qsizetype after, Qt::CaseSensitivity compare) {
    return (before.isNull() || IsWordDelimiter(before, compare)) &&
           (after >= text.size() || IsWordDelimiter(text.at(after), compare));
}

int InStrWord(int start, const QString& text, const QString& search, Qt::CaseSensitivity compare, bool whole) {
    if (start < 1) start = 1;
    if (search.isEmpty() || start > text.size()) return 0;
    qsizetype from = start - 1;
    for (;;) {
        const qsizetype p = text.indexOf(search, from, compare);
        if (p < 0) return 0;
        if (!whole) return static_cast<int>(p + 1);
        if (IsWholeWord(p == 0 ? QChar() : text.at(p - 1), text, p + search.size(), compare))
            return static_cast<int>(p + 1);
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
    return filterList({"All supported formats (*.srt,*.smi,*.sami,*.sub,*.ssa,*.txt)",
                       "*.srt;*.smi;*.sami;*.sub;*.txt;*.ssa", "Subrip (*.srt)", "*.srt", "SAMI (*.smi, *.sami)",
                       "*.smi;*.sami", "SubViewer 1.0 (*.sub)", "*.sub", "SubViewer 2.0 (*.sub)", "*.sub",
                       "MicroDVD (*.sub, *.txt)", "*.sub;*.txt", "Substation Alpha v4.00(+) (*.ssa)", "*.ssa",
                       "Raw text (*.txt)", "*.txt"});
}

QString MediaFileFilter() {
    return filterList({"Video files (*.avi, *.mpg, *.divx, *.wmv, *.asf)", "*.avi;*.mpg;*.divx;*.wmv;*.asf",
                       "Audio files (*.mp3, *.midi, *.ogg)", "*.mp3;*.midi;*.ogg", "All files (*.*)", "*.*"});
}
