// The SubRip properties form: the decimal character of the times. SubRip never shows it while
// reading or writing; the user opens it from the main window.
#pragma once

#include "formats/FormatForm.h"

class QGroupBox;
class QLabel;
class QLineEdit;

class clsFileSRTFrm1 : public FormatForm {
    Q_OBJECT
public:
    explicit clsFileSRTFrm1(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* txtDecChar;
    QLabel* Label2;

    // The decimal character to write: the field's one character, "," when it holds another count.
    QString DecimalChar() const;

protected:
    bool validate() override;
};
