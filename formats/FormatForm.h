// Base of the formats' properties forms: OK checks the fields and hides the form when they are
// right; the close box and Esc hide it without checks. Forms are never destroyed by the user.
#pragma once

#include <QDialog>

class QFormLayout;
class QLineEdit;
class QPushButton;

class FormatForm : public QDialog {
    Q_OBJECT
public:
    explicit FormatForm(QWidget* parent = nullptr);
    QPushButton* btOk;

    // A labelled text box added as a row of form (in form's widget), named name.
    static QLineEdit* AddRow(QFormLayout* form, const QString& name, const QString& label, const QString& value);

protected:
    // Shows its own message and keeps the form open by returning false.
    virtual bool validate() { return true; }

private slots:
    void btOk_Click();
};
