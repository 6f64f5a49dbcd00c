// Properties form of SubViewer 2.0 files: the header values and the one style line (colour,
// style, size and font), filled by a load and written by the next save.
#pragma once

#include "formats/FormatForm.h"
#include "formats/SubViewerHeader.h"

#include <QString>
#include <array>
#include <utility>
#include <vector>

class FontChoice;
class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;

class clsFileSV2Frm1 : public FormatForm, public SubViewerHeader {
    Q_OBJECT
public:
    explicit clsFileSV2Frm1(QWidget* parent = nullptr);

    QLineEdit* txtSV2Comment;
    QCheckBox* cBold;
    QCheckBox* cItalic;
    QCheckBox* cUnderline;
    QLineEdit* txtFontSize;
    FontChoice* lstFonts;
    QLabel* lbFace;
    QLabel* lbPrev;
    QLabel* lbSample;
    std::array<QScrollBar*, 3> CScroll; // red, green, blue
    QLineEdit* txtColor;

    // The header tags in file order, each with its box.
    std::vector<std::pair<QString, QLineEdit*>> header() const;

    // One style code: "bd", "it", "ud" or "no", the first checked in that order.
    QString GetType() const;
    void SetType(const QString& s);
    void SelFont(const QString& s);
    // The font name to write: the one asked for, even when it isn't installed.
    QString fontName() const;
    // The colour as six upper-case hexadecimal digits RRGGBB.
    QString colorHex() const;
    // "#RRGGBB" with hexadecimal digits: the only colour text the form takes.
    static bool IsColorText(const QString& s);

protected:
    bool validate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void CScroll_Change();
    void lstFonts_Click();
    void style_Change();

private:
    // Applies a typed colour; tells the user and keeps the focus in the box when it is wrong.
    bool txtColor_Validate(bool tell);
    QString refused_; // the colour text already refused once on leaving the box
    bool checking_ = false;
};
