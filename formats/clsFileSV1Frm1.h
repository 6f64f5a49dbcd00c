// Properties form of SubViewer 1.0 files: the seven header values, filled by a load and
// written by the next save.
#pragma once

#include "formats/FormatForm.h"
#include "formats/SubViewerHeader.h"

#include <QString>
#include <utility>
#include <vector>

class QLineEdit;

class clsFileSV1Frm1 : public FormatForm, public SubViewerHeader {
    Q_OBJECT
public:
    explicit clsFileSV1Frm1(QWidget* parent = nullptr);

    // The header tags in file order, each with its box.
    std::vector<std::pair<QString, QLineEdit*>> header() const;
};
