#include "tools/MarkerFields.h"
#include "controls/TimeText.h"
#include "model/Num.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/MsgBox.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

SubMarkerField::SubMarkerField(QLineEdit* box, FieldHost host) : QObject(box), box_(box), host_(host) {
    box_->installEventFilter(this);
}

void SubMarkerField::Bind(clsSubs* subs, clsTime* marker) {
    if (marker_) disconnect(marker_, nullptr, this, nullptr);
    subs_ = subs;
    marker_ = marker;
    if (marker_) connect(marker_, &clsTime::Change, this, &SubMarkerField::marker_Change);
    Refresh();
}

void SubMarkerField::Refresh() {
    if (!marker_) return;
    const qint32 v = marker_->value();
    QString t = Str(v).trimmed();
    // A dialog shows "none" for any negative value, a wizard only for its own "none", -2.
    if (host_ == FieldHost::Dialog ? v < 0 : t == QLatin1String("-2")) t.clear();
    box_->setText(t);
}

void SubMarkerField::marker_Change() { Refresh(); }

bool SubMarkerField::Check() {
    if (!subs_ || !marker_) return true;
    QString t = box_->text();
    if (!t.isEmpty()) {
        t = Str(Val(t)).trimmed();
        box_->setText(t);
    }
    const int n = subs_->count() - 1;
    const double v = Val(t);
    if (t.isEmpty() || v < 0 || v > n) {
        box_->setFocus(Qt::OtherFocusReason);
        MsgBox(QStringLiteral("Please insert a value from 0 to") + Str(n) + QStringLiteral("."),
               vb::OKOnly | vb::Exclamation, QStringLiteral("Incorrect Value"));
        box_->setFocus(Qt::OtherFocusReason);
        box_->selectAll();
        // The text is still the user's, not the marker's: the next leave checks it again.
        box_->setModified(true);
        return false;
    }
    marker_->setValue(CLng(v));
    // "3.6" becomes "4" even when the marker already held 4.
    Refresh();
    return true;
}

bool SubMarkerField::Leave() {
    if (host_ == FieldHost::Dialog && !box_->isModified()) return true;
    return Check();
}

bool SubMarkerField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_) return false;
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
        // Only the user moving on counts; a window switch or a box that opens does not.
        const bool userMove = r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason ||
                              r == Qt::ShortcutFocusReason;
        if (userMove && !checkQueued_) {
            // The check runs once the focus has settled, so that it can take the focus back.
            checkQueued_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    checkQueued_ = false;
                    if (box_->isVisible()) Leave();
                },
                Qt::QueuedConnection);
        }
    } else if (event->type() == QEvent::KeyPress && host_ == FieldHost::Dialog) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Check();
            return true;
        }
    }
    return false;
}

TimeMarkerField::TimeMarkerField(TimeText* entry) : QObject(entry), entry_(entry) {
    connect(entry_, &TimeText::Change, this, &TimeMarkerField::entry_Change);
}

void TimeMarkerField::Bind(clsTime* marker) {
    if (marker_) disconnect(marker_, nullptr, this, nullptr);
    marker_ = marker;
    if (marker_) connect(marker_, &clsTime::Change, this, &TimeMarkerField::marker_Change);
    Refresh();
}

void TimeMarkerField::Refresh() {
    if (marker_) entry_->setlTime(marker_->value());
}

void TimeMarkerField::marker_Change() { Refresh(); }

void TimeMarkerField::entry_Change(qint32 lTime) {
    if (!marker_) return;
    marker_->setValue(lTime);
    // The marker clamped the time: the entry must show what the tool will use.
    if (marker_->value() != lTime) entry_->setlTime(marker_->value());
}

bool CommitEdits(QWidget* window) {
    QWidget* f = window->focusWidget();
    if (!f) return true;
    for (SubMarkerField* m : window->findChildren<SubMarkerField*>())
        if (m->box() == f) return m->Leave();
    for (TimeText* t : window->findChildren<TimeText*>()) {
        if (t->isAncestorOf(f)) {
            // A time entry commits its fields when one loses the focus.
            f->clearFocus();
            f->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
    return true;
}

void KeepFocusOnFields(QWidget* window) {
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) b->setFocusPolicy(Qt::TabFocus);
}
