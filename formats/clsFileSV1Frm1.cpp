#include "formats/clsFileSV1Frm1.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

clsFileSV1Frm1::clsFileSV1Frm1(QWidget* parent) : FormatForm(parent) {
    setObjectName(QStringLiteral("clsFileSV1Frm1"));
    setWindowTitle(QStringLiteral("SubViewer 1.0 Properties"));
    auto* frame = new QGroupBox(QStringLiteral("General Information"), this);
    auto* form = new QFormLayout(frame);
    buildHeader(form, 240);
    btOk->setText(QStringLiteral("&OK"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

std::vector<std::pair<QString, QLineEdit*>> clsFileSV1Frm1::header() const { return headerBoxes(); }
