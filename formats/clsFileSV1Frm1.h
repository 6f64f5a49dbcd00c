// Properties form of SubViewer 1.0 files: the seven header values, filled by a load and
// written by the next save.
#pragma once

#include "formats/FormatForm.h"

#include <QString>
#include <utility>
#include <vector>

class QLineEdit;

class clsFileSV1Frm1 : public FormatForm {
    Q_OBJECT
public:
    explicit clsFileSV1Frm1(QWidget* parent = nullptr);

    QLineEdit* txtSV1Title;
    QLineEdit* txtSV1Author;
    QLineEdit* txtSV1Source;
    QLineEdit* txtSV1Prg;
    QLineEdit* txtSV1Path;
    QLineEdit* txtSV1Delay;
    QLineEdit* txtSV1Track;

    // The header tags in file order, each with its box.
    std::vector<std::pair<QString, QLineEdit*>> header() const;
};
