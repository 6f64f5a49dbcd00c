#include "formats/clsFileSRTFrm1.h"
#include "platform/MsgBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

clsFileSRTFrm1::clsFileSRTFrm1(QWidget* parent) : FormatForm(parent) {
    setObjectName(QStringLiteral("clsFileSRTFrm1"));
    setWindowTitle(QStringLiteral("SRT Properties"));
    setFixedSize(250, 130);

    Frame1 = new QGroupBox(QStringLiteral("General "), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(8, 8, 234, 76);
    Label1 = new QLabel(QStringLiteral("Decimal Character"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(10, 24, 120, 20);
    txtDecChar = new QLineEdit(QStringLiteral(","), Frame1);
    txtDecChar->setObjectName(QStringLiteral("txtDecChar"));
    txtDecChar->setGeometry(140, 22, 40, 22);
    Label2 = new QLabel(QStringLiteral("Default : ,"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(10, 48, 120, 20);

    btOk->setGeometry(162, 94, 80, 28);
}

QString clsFileSRTFrm1::DecimalChar() const {
    const QString d = txtDecChar->text().trimmed();
    return d.size() == 1 ? d : QStringLiteral(",");
}

bool clsFileSRTFrm1::validate() {
    if (txtDecChar->text().trimmed().size() == 1) return true;
    MsgBox(QStringLiteral("The decimal character must be exactly one character."));
    return false;
}
