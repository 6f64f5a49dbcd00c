#include "formats/SubViewerHeader.h"
#include "formats/FormatForm.h"

#include <QLineEdit>

void SubViewerHeader::buildHeader(QFormLayout* form, int minWidth) {
    auto box = [&](const char* name, const char* label, const char* value) {
        QLineEdit* e =
            FormatForm::AddRow(form, QString::fromLatin1(name), QString::fromUtf8(label), QString::fromUtf8(value));
        e->setMinimumWidth(minWidth);
        return e;
    };
    txtSV1Title = box("txtSV1Title", "Title :", "<Insert title here>");
    txtSV1Author = box("txtSV1Author", "Author :", "<Insert author here>");
    txtSV1Source = box("txtSV1Source", "Source :", "");
    txtSV1Prg = box("txtSV1Prg", "Program :", "Lumerin2");
    txtSV1Path = box("txtSV1Path", "FilePath :", "");
    txtSV1Delay = box("txtSV1Delay", "Delay :", "0");
    txtSV1Track = box("txtSV1Track", "CD Track :", "0");
}

std::vector<std::pair<QString, QLineEdit*>> SubViewerHeader::headerBoxes() const {
    return {{QStringLiteral("[TITLE]"), txtSV1Title},   {QStringLiteral("[AUTHOR]"), txtSV1Author},
            {QStringLiteral("[SOURCE]"), txtSV1Source}, {QStringLiteral("[PRG]"), txtSV1Prg},
            {QStringLiteral("[FILEPATH]"), txtSV1Path}, {QStringLiteral("[DELAY]"), txtSV1Delay},
            {QStringLiteral("[CD TRACK]"), txtSV1Track}};
}
