#include "model/clsTime.h"
#include "model/Num.h"

#include <QVariant>

clsTime::clsTime(QObject* parent) : QObject(parent) {}

// Bar units: value / coefficient; a coefficient of 0 or less counts as 1 so that the bar
// never sees a division by zero, and positions saturate to the 16-bit range of the bar.
static double effectiveCoeff(double c) { return c > 0 ? c : 1.0; }

void clsTime::pushBar(const char* property, double units) {
    if (!scr_) return;
    pushing_ = true;
    scr_->setProperty(property, CIntSat(units / effectiveCoeff(coeff_)));
    pushing_ = false;
}

void clsTime::pushPosition() { pushBar("value", value_); }

void clsTime::pushRange(bool steps) {
    if (!scr_) return;
    pushBar("maximum", max_);
    pushBar("minimum", min_);
    if (steps) {
        pushBar("singleStep", 1000);
        pushBar("pageStep", 5000);
    }
    // Setting the range may have moved the bar; it must show the value again.
    pushPosition();
}

qint32 clsTime::set(qint32 v, bool notify) {
    if (busy_) return v;
    busy_ = true;
    if (v < min_) v = min_;
    if (v > max_) v = max_;
    const qint32 old = value_;
    value_ = v;
    pushPosition();
    if (notify && value_ != old && raise_) emit Change();
    busy_ = false;
    return v;
}

qint32 clsTime::setValue(qint32 v) { return set(v, true); }
qint32 clsTime::setValueNR(qint32 v) { return set(v, false); }

void clsTime::updateCoefficient() { coeff_ = max_ < 32768 ? 1.0 : static_cast<double>(max_) / 32767.0; }

void clsTime::setMax(qint32 v) {
    max_ = v;
    if (v < value_) setValue(v);
    updateCoefficient();
    pushRange(true);
}

void clsTime::setMin(qint32 v) {
    min_ = v;
    if (v > value_) setValue(v);
    updateCoefficient();
    pushRange(true);
}

void clsTime::SetScroller(QObject* bar, qint32 CoEff) {
    if (scr_) disconnect(barConnection_);
    scr_ = bar;
    coeff_ = CoEff;
    if (!bar) return;
    pushRange(false);
    // Only the user's moves come back; our own pushes are filtered by pushing_.
    barConnection_ = connect(bar, SIGNAL(valueChanged(int)), this, SLOT(barMoved(int)));
}

void clsTime::barMoved(int position) {
    if (pushing_) return;
    const double v = static_cast<double>(position) * effectiveCoeff(coeff_);
    setValue(SatLong(static_cast<qint64>(RoundHalfEven(v))));
}
