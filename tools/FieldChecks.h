// Checks that text fields of the split and merge windows run when the user leaves them: a
// refused text shows its message and keeps the focus. Buttons guarded here first run the check
// of the field that has the focus, since a click on them does not take the focus away.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QWidget;

class FieldChecks : public QObject {
    Q_OBJECT
public:
    using Check = std::function<bool()>;
    explicit FieldChecks(QWidget* window);

    // check returns false after it told the user; the focus then goes back to field.
    void Add(QLineEdit* field, Check check);
    // A click on button first runs the check of the focused field; a refused text eats the click.
    void Guard(QAbstractButton* button);
    // Runs the check of the field with the focus, if it has one. False when it refused.
    bool CommitFocused();
    // Runs field's check now, whatever has the focus.
    bool Run(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QLineEdit* field;
        Check check;
        bool queued = false;
    };
    Entry* find(QObject* o);
    QWidget* window_;
    std::vector<Entry> entries_;
};
