#include "formats/FormatForm.h"

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
