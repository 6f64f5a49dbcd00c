#include "formats/FormatForm.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

FormatForm::FormatForm(QWidget* parent) : QDialog(parent) {
    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btOk->setDefault(true);
    connect(btOk, &QPushButton::clicked, this, &FormatForm::btOk_Click);
}

void FormatForm::btOk_Click() {
    if (validate()) accept();
}

QLineEdit* FormatForm::AddRow(QFormLayout* form, const QString& name, const QString& label, const QString& value) {
    auto* e = new QLineEdit(value, form->parentWidget());
    e->setObjectName(name);
    form->addRow(label, e);
    return e;
}
