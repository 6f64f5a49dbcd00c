// The window "Properties": the figures of the current file, which the main window appends to
// the field names of its labels. A fresh window is made for every showing.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

class frmProps : public QDialog {
    Q_OBJECT
public:
    explicit frmProps(QWidget* parent = nullptr);

    QGroupBox* Frame1; // "File "
    QLabel* lbFileName;
    QLabel* lbFilePath;
    QGroupBox* Frame2; // "Count"
    QLabel* lbSubCount;
    QLabel* lbDuration;
    QLabel* lbBadCount;
    QGroupBox* Frame3; // "Selections and markers "
    QLabel* lbCTime;
    QLabel* lbCSub;
    QLabel* lbSel;
    QLabel* lbSMT;
    QLabel* lbSMS;
    QLabel* lbSMT1;
    QLabel* lbSMS1;
    QLabel* lbSMT2;
    QLabel* lbSMS2;
    QPushButton* Command1;

private slots:
    void Command1_Click();
};
