// The MicroDVD properties form: the frame rate that turns frame numbers into times, measured
// from the Visual Editor's video on request, and the character that stands for a line break.
#pragma once

#include "formats/FormatForm.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class clsFileTXTFrm1 : public FormatForm {
    Q_OBJECT
public:
    explicit clsFileTXTFrm1(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QComboBox* txtFRate;
    QPushButton* btRate;
    QGroupBox* Frame2;
    QLineEdit* txtTXTNl;

    // Frames per second as the numeric value of txtFRate; not above 0 when no usable rate is set.
    double FrameRate() const;
    void setFrameRateText(const QString& s);
    QString NewLineText() const;

protected:
    bool validate() override;

private slots:
    void btRate_Click();
};
