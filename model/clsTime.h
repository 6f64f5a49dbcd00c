// An observable number kept within [Min, Max]: the shared play time, view start, selection and
// marker values that several windows hold and react to. It can be bound both ways to a scroll
// bar (any QAbstractSlider), scaled by a coefficient.
#pragma once

#include <QObject>
#include <QPointer>

class clsTime : public QObject {
    Q_OBJECT
public:
    explicit clsTime(QObject* parent = nullptr);

    // Binds the bar (replacing an earlier one); bar units are value / CoEff.
    void SetScroller(QObject* bar, qint32 CoEff);

    qint32 value() const { return value_; }
    // Clamps v, stores it, moves the bar and raises Change when the value changed; returns
    // the clamped value (v itself when the set is ignored because one is being processed).
    qint32 setValue(qint32 v);
    // The same without Change.
    qint32 setValueNR(qint32 v);

    void EnableRaise(bool b) { raise_ = b; }

    qint32 Max() const { return max_; }
    void setMax(qint32 v);
    qint32 Min() const { return min_; }
    void setMin(qint32 v);

    double coefficient() const { return coeff_; }
    QObject* scroller() const { return scr_.data(); }

signals:
    void Change();

private slots:
    void barMoved(int position);

private:
    qint32 set(qint32 v, bool notify);
    void updateCoefficient();
    void pushRange(bool steps);
    void pushPosition();
    void pushBar(const char* property, double units);
    qint32 min_ = 0;
    qint32 max_ = 0;
    qint32 value_ = 0;
    double coeff_ = 0.0;
    bool busy_ = false;
    bool raise_ = true;
    bool pushing_ = false;
    QPointer<QObject> scr_;
    QMetaObject::Connection barConnection_;
};
