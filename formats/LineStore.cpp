#include "formats/LineStore.h"
#include "model/Num.h"
#include "model/TextFile.h"
#include "platform/MsgBox.h"

#include <cmath>
#include <limits>

bool LoadLineStore(const QString& path, QStringList& lines, const QString& format) {
    QString error;
    if (!ReadLines(path, lines, &error)) {
        MsgBox(QStringLiteral("Cannot read the file ") + path + QStringLiteral("\r\n") + error, vb::Exclamation,
               QStringLiteral("Error"));
        return false;
    }
    if (lines.size() > kLineStoreSize) {
        MsgBox(QStringLiteral("This ") + format + QStringLiteral(" file has more than ") +
                   QString::number(kLineStoreSize) + QStringLiteral(" lines and cannot be loaded."),
               vb::Exclamation, QStringLiteral("Error"));
        lines.clear();
        return false;
    }
    return true;
}

QString TrimBlanks(QStringView s) {
    qsizetype a = 0, b = s.size();
    while (a < b && IsBlank(s[a])) ++a;
    while (b > a && IsBlank(s[b - 1])) --b;
    return s.sliced(a, b - a).toString();
}

qint32 ClampLong(double v) {
    if (std::isnan(v)) return 0;
    const double r = RoundHalfEven(v);
    if (r <= -2147483648.0) return std::numeric_limits<qint32>::min();
    if (r >= 2147483647.0) return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(r);
}
