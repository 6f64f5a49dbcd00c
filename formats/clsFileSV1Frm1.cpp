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
    auto box = [&](const char* name, const char* label, const char* value) {
        QLineEdit* e = AddRow(form, QString::fromLatin1(name), QString::fromUtf8(label), QString::fromUtf8(value));
        e->setMinimumWidth(240);
        return e;
    };
    txtSV1Title = box("txtSV1Title", "Title :", "<Insert title here>");
    txtSV1Author = box("txtSV1Author", "Author :", "<Insert author here>");
    txtSV1Source = box("txtSV1Source", "Source :", "");
    txtSV1Prg = box("txtSV1Prg", "Program :", "Lumerin2");
    txtSV1Path = box("txtSV1Path", "FilePath :", "");
    txtSV1Delay = box("txtSV1Delay", "Delay :", "0");
    txtSV1Track = box("txtSV1Track", "CD Track :", "0");
    btOk->setText(QStringLiteral("&OK"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

std::vector<std::pair<QString, QLineEdit*>> clsFileSV1Frm1::header() const {
    return {{QStringLiteral("[TITLE]"), txtSV1Title},   {QStringLiteral("[AUTHOR]"), txtSV1Author},
            {QStringLiteral("[SOURCE]"), txtSV1Source}, {QStringLiteral("[PRG]"), txtSV1Prg},
            {QStringLiteral("[FILEPATH]"), txtSV1Path}, {QStringLiteral("[DELAY]"), txtSV1Delay},
            {QStringLiteral("[CD TRACK]"), txtSV1Track}};
}
