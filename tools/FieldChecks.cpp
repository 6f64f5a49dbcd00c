#include "tools/FieldChecks.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

FieldChecks::FieldChecks(QWidget* window) : QObject(window), window_(window) {}

void FieldChecks::Add(QLineEdit* field, Check check) {
    entries_.push_back({field, std::move(check)});
    field->installEventFilter(this);
}

void FieldChecks::Guard(QAbstractButton* button) {
    button->setFocusPolicy(Qt::TabFocus);
    button->installEventFilter(this);
}

FieldChecks::Entry* FieldChecks::find(QObject* o) {
    for (Entry& e : entries_)
        if (e.field == o) return &e;
    return nullptr;
}

bool FieldChecks::Run(QLineEdit* field) {
    Entry* e = find(field);
    if (!e || e->check()) return true;
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

bool FieldChecks::CommitFocused() {
    QWidget* f = window_->focusWidget();
    Entry* e = f ? find(f) : nullptr;
    return !e || Run(e->field);
}

bool FieldChecks::eventFilter(QObject* watched, QEvent* event) {
    if (Entry* e = find(watched)) {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
            // Only the user moving on counts; a window switch or a box that opens does not.
            const bool userMove = r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason ||
                                  r == Qt::ShortcutFocusReason;
            if (userMove && !e->queued) {
                // Once the focus has settled, so that a refusal can take it back.
                e->queued = true;
                QLineEdit* field = e->field;
                QMetaObject::invokeMethod(
                    this,
                    [this, field] {
                        Entry* queued = find(field);
                        if (!queued) return;
                        queued->queued = false;
                        if (field->isVisible()) Run(field);
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button && event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && button->isDown() && button->rect().contains(me->position().toPoint()) &&
            !CommitFocused()) {
            button->setDown(false);
            return true;
        }
    }
    return false;
}
