// The SAMI properties form: its boxes hold the header parts of a SAMI file (title, SAMI
// parameters, style sheet, paragraph class, the markup around the subtitles) from a load to
// the next save, and its "Warnings" tab lists what the last load found wrong.
#pragma once

#include "formats/FormatForm.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class WarningsList;

class clsFileSMIFrm1 : public FormatForm {
    Q_OBJECT
public:
    explicit clsFileSMIFrm1(QWidget* parent = nullptr);

    QTabWidget* SSTab1;
    QLineEdit* txtSMITitle;
    QPlainTextEdit* txtSMIParam;
    QPushButton* btSMIAuto1;
    QPlainTextEdit* txtSMICss;
    QPushButton* btSMICSSFont;
    QLineEdit* txtPClass;
    QPlainTextEdit* txtSMIBody1;
    QPlainTextEdit* txtSMIBody2;
    WarningsList* lbWarnings;

    // The multi-line boxes' texts with CR LF line ends, as the files hold them.
    static QString boxText(const QPlainTextEdit* box);
    static void setBoxText(QPlainTextEdit* box, const QString& text);

protected:
    bool validate() override;

private slots:
    void btSMIAuto1_Click();
    void btSMICSSFont_Click();
};

// Appends a block of lines to a box's text, on a line of its own.
void AppendBlock(QPlainTextEdit* box, const QString& block);
