// Checks a text field when the user leaves it, once per leave: a refused value shows the
// check's message and keeps the focus in the field. Leaving through Cancel (which takes no
// focus), the close box or another window never runs the check.
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

class LeaveCheck : public QObject {
public:
    // check shows its own message and returns false to keep the user in the field.
    LeaveCheck(QLineEdit* field, std::function<bool()> check);

    // For the form's OK: checks the field when it has the focus, unless the check has just
    // refused it on this very leave (the press on OK that took the focus).
    bool confirm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field_;
    std::function<bool()> check_;
    bool busy_ = false;
    bool refused_ = false;
};
