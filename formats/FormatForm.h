// Base of the formats' properties forms: OK checks the fields and hides the form when they are
// right; the close box and Esc hide it without checks. Forms are never destroyed by the user.
#pragma once

#include <QDialog>

class QPushButton;

class FormatForm : public QDialog {
    Q_OBJECT
public:
    explicit FormatForm(QWidget* parent = nullptr);
    QPushButton* btOk;

protected:
    // Shows its own message and keeps the form open by returning false.
    virtual bool validate() { return true; }

private slots:
    void btOk_Click();
};
