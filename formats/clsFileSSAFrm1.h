// The SubStation Alpha options form: its boxes hold the script information and the one style
// that a load fills and a save writes, and its "Warnings" tab lists what the last load found.
#pragma once

#include "formats/FormatForm.h"

#include <array>

class FontChoice;
class LeaveCheck;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class WarningsList;

class clsFileSSAFrm1 : public FormatForm {
    Q_OBJECT
public:
    explicit clsFileSSAFrm1(QWidget* parent = nullptr);

    // Selects the font of that name; one that is not installed is kept as the choice while the
    // list shows the nearest installed one.
    void SelFont(const QString& name);
    // The position 1-9 (numeric keypad) of the checked alignment button, 0 when none.
    int alignment() const;
    void setAlignment(int position);

    QTabWidget* SSTab1;
    WarningsList* lbWarnings;

    QLineEdit* txtSSATitle;
    QLineEdit* txtSSAScript;
    QLineEdit* txtSSATrans;
    QLineEdit* txtSSAEdit;
    QLineEdit* txtSSATiming;
    QLineEdit* txtSSASynch;
    QLineEdit* txtSSAScriptUpdatedBy;
    QLineEdit* txtSSAScriptUpdate;
    QLineEdit* txtSSAScriptType;
    QLineEdit* txtSSACollisions;
    QLineEdit* txtSSAWordWrapStyle;
    QLineEdit* txtSSAPlayResX;
    QLineEdit* txtSSAPlayResY;
    QLineEdit* txtSSAPlayDepth;
    QLineEdit* txtSSATimer;

    FontChoice* lstFonts;
    QLabel* lbFace;
    QLineEdit* txtFontSize;
    QCheckBox* cBold;
    QCheckBox* cItalic;
    QCheckBox* cUnderline;
    QCheckBox* cStrike;
    QLabel* lbPrev;

    // Slots 0 primary, 1 secondary, 2 outline (tertiary in v4), 3 back; the bars of slot s are
    // CScroll[3s] red, [3s + 1] green, [3s + 2] blue.
    std::array<QScrollBar*, 12> CScroll{};
    std::array<QScrollBar*, 4> scrAlpha{};
    std::array<QLineEdit*, 4> txtColor{};
    std::array<QFrame*, 4> cSample{};

    QLineEdit* txtScaleX;
    QLineEdit* txtScaleY;
    QLineEdit* txtAngle;
    QLineEdit* txtCharSpace;
    QLineEdit* txtBorderStyle;
    QLineEdit* txtOutline;
    QLineEdit* txtShadow;
    QLineEdit* txtMarginLeft;
    QLineEdit* txtMarginRight;
    QLineEdit* txtMarginV;

    // optAlign[1] to optAlign[9]; element 0 is unused.
    std::array<QRadioButton*, 10> optAlign{};
    QLabel* Label30;

protected:
    bool validate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void RefreshColors();
    void RefreshFont();
    void optAlign_Click();
    void lstFonts_Click();

private:
    bool txtColor_Validate(int slot);

    std::array<LeaveCheck*, 4> colorChecks_{};
};
