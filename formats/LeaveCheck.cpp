#include "formats/LeaveCheck.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace {
// While one field is checked or takes the focus back, the fields the focus passes through on
// the way are not being left by the user.
bool anyBusy = false;
} // namespace

LeaveCheck::LeaveCheck(QLineEdit* field, std::function<bool()> check)
    : QObject(field), field_(field), check_(std::move(check)) {
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::textEdited, this, [this] { refused_ = false; });
}

bool LeaveCheck::confirm() {
    if (!field_->hasFocus()) return true;
    if (refused_) {
        refused_ = false;
        return false;
    }
    busy_ = anyBusy = true;
    const bool ok = check_();
    busy_ = anyBusy = false;
    return ok;
}

bool LeaveCheck::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_) return false;
    if (event->type() == QEvent::KeyPress) {
        refused_ = false; // a key in the field starts a new attempt (Enter on OK checks again)
        return false;
    }
    if (event->type() != QEvent::FocusOut || busy_ || anyBusy) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // The window losing the activation (a message box, another window, closing) is no leave.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    if (!field_->window()->isVisible()) return false;
    busy_ = anyBusy = true;
    const bool ok = check_();
    refused_ = !ok;
    if (!ok) field_->setFocus(Qt::OtherFocusReason);
    busy_ = anyBusy = false;
    return false;
}
