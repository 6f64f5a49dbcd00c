#include "model/Num.h"
#include "model/RuntimeError.h"

#include <cfenv>
#include <cmath>
#include <limits>

double RoundHalfEven(double v) {
    // nearbyint honours the current rounding mode, which is round-to-nearest-even by default.
    return std::nearbyint(v);
}

qint32 CLng(double v) {
    const double r = RoundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw RuntimeError(RuntimeError::Overflow);
    return static_cast<qint32>(r);
}

int CInt(double v) {
    const double r = RoundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0)) throw RuntimeError(RuntimeError::Overflow);
    return static_cast<int>(r);
}

int CIntSat(double v) {
    if (std::isnan(v)) return 0;
    const double r = RoundHalfEven(v);
    if (r < -32768.0) return -32768;
    if (r > 32767.0) return 32767;
    return static_cast<int>(r);
}

qint32 SatLong(qint64 v) {
    if (v < std::numeric_limits<qint32>::min()) return std::numeric_limits<qint32>::min();
    if (v > std::numeric_limits<qint32>::max()) return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(v);
}

double Val(const QString& s) {
    QString digits;
    digits.reserve(s.size());
    bool seenSign = false, seenDigit = false, seenPoint = false;
    for (QChar c : s) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') continue;
        if ((c == u'-' || c == u'+') && !seenSign && !seenDigit && !seenPoint) {
            seenSign = true;
            digits += c;
        } else if (c >= u'0' && c <= u'9') {
            seenDigit = true;
            digits += c;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            digits += c;
        } else {
            break;
        }
    }
    if (!seenDigit) return 0.0;
    bool ok = false;
    const double v = digits.toDouble(&ok); // QString::toDouble always uses the C locale
    return ok ? v : 0.0;
}

QString NumText(double v) {
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15) return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 15);
}

QString Str(double v) {
    const QString t = NumText(v);
    return v < 0 ? t : QStringLiteral(" ") + t;
}

QString Str(qint64 v) { return v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v); }
