#include "formats/LineStore.h"
#include "formats/frmProg.h"
#include "model/Num.h"

#include <QCoreApplication>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <limits>

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

LineProgress::LineProgress(const QString& step, int min, int max) {
    frmProg& prog = ProgressWindow();
    max = std::max(max, min + 1);
    stride_ = std::max(1, (max - min) / 100);
    prog.lbIndic->setText(step);
    prog.setMin(min);
    prog.setMax(max);
    prog.setValue(min);
    prog.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    next_ = min + stride_;
}

LineProgress::~LineProgress() { ProgressWindow().hide(); }

void LineProgress::setStep(const QString& step) { ProgressWindow().lbIndic->setText(step); }

void LineProgress::report(int line) {
    ProgressWindow().setValue(line);
    next_ = line + stride_;
}

double NumberOf(QStringView s) {
    qint64 v = 0;
    bool negative = false, seenSign = false, seenDigit = false;
    int digits = 0;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\r' || u == u'\n') continue;
        if ((u == u'-' || u == u'+') && !seenSign && !seenDigit) {
            seenSign = true;
            negative = u == u'-';
        } else if (u >= u'0' && u <= u'9') {
            if (++digits > 18) return Val(s.toString());
            v = v * 10 + (u - u'0');
            seenDigit = true;
        } else if (u == u'.') {
            return Val(s.toString());
        } else {
            break;
        }
    }
    if (!seenDigit) return 0.0;
    return negative ? -double(v) : double(v);
}
