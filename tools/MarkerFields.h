// The fields of a tool window that mirror a marker: a number field for a subtitle marker, which
// checks what the user typed before it lets the focus go, and a time entry for a time marker.
#pragma once

#include "model/clsSubs.h"
#include "model/clsTime.h"

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;
class TimeText;

// Dialogs mirror the main window's markers; wizards mirror markers of their own.
enum class FieldHost { Dialog, Wizard };

class SubMarkerField : public QObject {
    Q_OBJECT
public:
    // The field belongs to box's window; Enter checks it on a dialog.
    SubMarkerField(QLineEdit* box, FieldHost host);

    void Bind(clsSubs* subs, clsTime* marker);
    clsTime* marker() const { return marker_; }
    QLineEdit* box() const { return box_; }

    // The number check: a right text sets the marker; a wrong one shows the message, keeps the
    // focus in the field and selects its text. True when the text was right.
    bool Check();
    // Runs the check when the focus leaves the field. A wizard's field is always checked; a
    // dialog's only after the user typed in it, since it shows the main window's marker, which
    // may well be unset while the user works elsewhere.
    bool Leave();
    // Shows the marker's value.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void marker_Change();

private:
    QLineEdit* box_;
    FieldHost host_;
    QPointer<clsSubs> subs_;
    QPointer<clsTime> marker_;
    bool checkQueued_ = false;
};

class TimeMarkerField : public QObject {
    Q_OBJECT
public:
    explicit TimeMarkerField(TimeText* entry);

    void Bind(clsTime* marker);
    clsTime* marker() const { return marker_; }
    TimeText* entry() const { return entry_; }
    void Refresh();

private slots:
    void marker_Change();
    void entry_Change(qint32 lTime);

private:
    TimeText* entry_;
    QPointer<clsTime> marker_;
};

// Commits what the user is typing in window: a number field with the focus runs its check (false
// when it refused the text), a time entry with the focus commits its fields.
bool CommitEdits(QWidget* window);

// Buttons, check boxes and option buttons of a tool window take no focus from a click: a click
// on them leaves the focus in a field that still has to check itself.
void KeepFocusOnFields(QWidget* window);
