#include "controls/Tracker.h"
#include "model/Num.h"
#include "platform/Colors.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <limits>

namespace {
// How near the marker a press must be to grab it, in pixels.
constexpr int kGrabReach = 4;

qint32 limited(qint32 v, qint32 max) {
    if (v > max) v = max;
    if (v < 0) v = 0;
    return v;
}
} // namespace

Tracker::Tracker(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Tracker"));
    picM = new QWidget(this);
    picM->setObjectName(QStringLiteral("picM"));
    picM->setAttribute(Qt::WA_OpaquePaintEvent);
    picM->installEventFilter(this);
}

int Tracker::usableWidth() const { return picM->width() - 2; }

// While Max is 0 (no video yet) everything sits at the left end.
double Tracker::pixelOf(qint32 p) const {
    const int w = usableWidth();
    if (max_ <= 0 || w <= 0) return 0;
    return double(p) * w / max_;
}

qint32 Tracker::positionAt(int x) const {
    const int w = usableWidth();
    if (max_ <= 0 || w <= 0) return 0;
    // Dragged far outside the control the result may leave the Long range; the setters clamp it.
    const double p = RoundHalfEven(double(x) * max_ / w);
    constexpr double lo = std::numeric_limits<qint32>::min(), hi = std::numeric_limits<qint32>::max();
    return qint32(std::clamp(p, lo, hi));
}

bool Tracker::inLowerHalf(int y) const { return y > picM->height() / 2.0; }

int Tracker::barHeight() const { return select_ ? picM->height() / 2 : picM->height(); }

void Tracker::setValue(qint32 v) {
    v = limited(v, max_);
    if (v == value_) return;
    value_ = v;
    Draw();
}

void Tracker::setsValue(qint32 v) {
    v = limited(v, max_);
    if (v == sValue_) return;
    sValue_ = v;
    Draw();
}

void Tracker::SetSelect(bool b, qint32 defVal) {
    select_ = b;
    sValue_ = defVal;
    Draw();
}

void Tracker::Draw() {
    const QSize size = picM->size();
    if (surface_.size() != size) surface_ = QImage(size, QImage::Format_RGB32);
    if (surface_.isNull()) return;
    surface_.fill(SystemColor(SysColor::ButtonFace));
    const int right = size.width() - 1;
    const int bottom = barHeight() - 1;
    if (right >= 0 && bottom >= 0) {
        QPainter p(&surface_);
        p.setPen(SystemColor(SysColor::ButtonShadow));
        p.drawRect(0, 0, right, bottom);
        p.setPen(SystemColor(SysColor::ButtonHighlight));
        p.drawLine(0, bottom, right, bottom);
        p.drawLine(right, 0, right, bottom);
    }
    DrawLine();
    if (select_) DrawSelect();
    refresh();
}

void Tracker::DrawLine() {
    if (surface_.isNull()) return;
    // Inside the groove: from column 1 to the value's pixel, between the outline rows.
    const int px = CIntSat(pixelOf(value_));
    const int top = 1;
    const int bottom = barHeight() - 2;
    if (px >= 1 && bottom >= top) {
        QPainter p(&surface_);
        p.fillRect(QRect(QPoint(1, top), QPoint(std::min(px, surface_.width() - 2), bottom)),
                   SystemColor(SysColor::Highlight));
    }
    refresh();
}

void Tracker::DrawSelect() {
    if (surface_.isNull()) return;
    // A small arrow in the lower half pointing up at the marker's pixel: a point, then boxes of
    // 3, 5 and 7 pixels, cut to what the surface height leaves.
    const int m = CIntSat(pixelOf(sValue_));
    const int y0 = surface_.height() / 2 + 1;
    const int last = surface_.height() - 1;
    const QColor c = SystemColor(SysColor::ButtonText);
    QPainter p(&surface_);
    auto rows = [&](int half, int from, int to) {
        to = std::min(to, last);
        if (from <= to) p.fillRect(QRect(QPoint(m - half, from), QPoint(m + half, to)), c);
    };
    rows(0, y0, y0);
    rows(1, y0 + 1, y0 + 2);
    rows(2, y0 + 3, y0 + 4);
    rows(3, y0 + 5, last);
    p.end();
    refresh();
}

void Tracker::refresh() { picM->update(); }

void Tracker::press(Qt::MouseButton button, const QPoint& pt) {
    if (button == Qt::RightButton) emit RightClick();
    // A release lost to a popup must not leave the marker held.
    grabbed_ = false;
    // Without a range (a video of unknown length) no position lies under the pointer.
    if (max_ <= 0) return;
    if (select_ && inLowerHalf(pt.y())) {
        if (std::abs(pt.x() - CIntSat(pixelOf(sValue_))) >= kGrabReach) return;
        grabbed_ = true;
        setsValue(positionAt(pt.x()));
        Draw();
        emit ChangeS();
        return;
    }
    setValue(positionAt(pt.x()));
    Draw();
    emit Change();
}

void Tracker::drag(const QPoint& pt) {
    if (max_ <= 0) return;
    if (select_ && inLowerHalf(pt.y())) {
        if (!grabbed_) return;
        setsValue(positionAt(pt.x()));
        Draw();
        emit ChangeS();
    } else if (!grabbed_) {
        setValue(positionAt(pt.x()));
        Draw();
        emit Change();
    }
}

bool Tracker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picM) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter p(picM);
        if (surface_.size() == picM->size()) p.drawImage(0, 0, surface_);
        else p.fillRect(picM->rect(), SystemColor(SysColor::ButtonFace));
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(event);
        press(me->button(), me->position().toPoint());
        return true;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->buttons() != Qt::NoButton) drag(me->position().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease: grabbed_ = false; return true;
    default: return false;
    }
}

void Tracker::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    picM->setGeometry(rect());
    Draw();
}
