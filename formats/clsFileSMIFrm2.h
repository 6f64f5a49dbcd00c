// The SAMI style dialog ("Add CSS font properties"): builds one CSS rule for the subtitle
// paragraphs from fonts, size, style, alignment and two colours, and appends it to the style
// sheet of the properties form that opened it. One instance serves the whole run and keeps
// its choices between uses.
#pragma once

#include "formats/FormatForm.h"

#include <QPointer>
#include <array>

class clsFileSMIFrm1;
class LeaveCheck;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;
class QScrollBar;

class clsFileSMIFrm2 : public FormatForm {
    Q_OBJECT
public:
    explicit clsFileSMIFrm2(QWidget* parent = nullptr);

    // The properties form whose style sheet receives the rule.
    void SetParent(clsFileSMIFrm1* form);

    QListWidget* lstFonts;
    QListWidget* lstSel;
    QPushButton* btFAdd;
    QPushButton* btFRem;
    QPushButton* btup;
    QPushButton* btdown;
    QCheckBox* DefSerif;
    QCheckBox* DefSans;
    QLineEdit* txtFontSize;
    QCheckBox* cBold;
    QCheckBox* cItalic;
    QCheckBox* cUnderline;
    QRadioButton* alLeft;
    QRadioButton* alCenter;
    QRadioButton* alRight;
    QRadioButton* alJust;
    // Red, green and blue of the text colour (0-2) and of the background (3-5).
    std::array<QScrollBar*, 6> CScroll{};
    std::array<QFrame*, 2> cSample{};
    std::array<QLineEdit*, 2> txtColor{};
    QFrame* picPreview;
    QLabel* lbPrev;
    QPushButton* btCancel;

    // The rule that OK appends, from the current choices.
    QString Rule() const;

protected:
    bool validate() override;

private slots:
    void UpdateColors();
    void UpdatePreview();
    void lstFonts_Click(QListWidgetItem* item);
    void lstSel_Click(QListWidgetItem* item);
    void btFAdd_Click();
    void btFRem_Click();
    void btup_Click();
    void btdown_Click();
    void DefSans_Click();
    void DefSerif_Click();

private:
    bool txtColor_Validate(int i);
    void previewFamily(const QString& family);

    QPointer<clsFileSMIFrm1> parentForm_;
    std::array<LeaveCheck*, 2> colorChecks_{};
};

// The program's one style dialog, created at first use.
clsFileSMIFrm2& StyleDialog();
