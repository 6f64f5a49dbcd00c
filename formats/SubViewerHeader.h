// The header boxes that both SubViewer forms carry: the seven values of a SubViewer 1.0 header,
// which SubViewer 2.0 repeats before its own comment.
#pragma once

#include <QString>
#include <utility>
#include <vector>

class QFormLayout;
class QLineEdit;

class SubViewerHeader {
public:
    QLineEdit* txtSV1Title = nullptr;
    QLineEdit* txtSV1Author = nullptr;
    QLineEdit* txtSV1Source = nullptr;
    QLineEdit* txtSV1Prg = nullptr;
    QLineEdit* txtSV1Path = nullptr;
    QLineEdit* txtSV1Delay = nullptr;
    QLineEdit* txtSV1Track = nullptr;

protected:
    // Adds the boxes with their default values as rows of form.
    void buildHeader(QFormLayout* form, int minWidth);
    // The seven tags in file order, each with its box.
    std::vector<std::pair<QString, QLineEdit*>> headerBoxes() const;
};
