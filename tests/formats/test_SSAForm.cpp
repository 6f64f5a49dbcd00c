#include "formats/FontChoice.h"
#include "formats/clsFileSSAFrm1.h"
#include "tests/support/Scripted.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
void activate(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// Radio buttons take clicks on their indicator.
void clickOption(QRadioButton* o) { QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2)); }

void typeAndLeave(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}
} // namespace

TEST(SsaOptionsForm, ColourTextSetsTheBarsOrKeepsTheFocus) {
    clsFileSSAFrm1 F;
    EXPECT_EQ(F.txtColor[0]->text(), QStringLiteral("#FFFFFF00"));
    EXPECT_EQ(F.txtColor[1]->text(), QStringLiteral("#FFFF0000"));
    activate(&F);
    F.SSTab1->setCurrentIndex(3);

    typeAndLeave(F.txtColor[0], QStringLiteral("#ff000080"));
    EXPECT_EQ(F.CScroll[0]->value(), 255);
    EXPECT_EQ(F.CScroll[1]->value(), 0);
    EXPECT_EQ(F.CScroll[2]->value(), 0);
    EXPECT_EQ(F.scrAlpha[0]->value(), 128);
    EXPECT_EQ(F.txtColor[0]->text(), QStringLiteral("#FF000080"));
    EXPECT_EQ(F.lbPrev->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(Boxes().shown.empty());

    for (const char* wrong : {"#FF0000", "FF000080", "#FF00008G", "#FF0000800"}) {
        Boxes().expect(vb::OK);
        typeAndLeave(F.txtColor[2], QString::fromLatin1(wrong));
        EXPECT_TRUE(F.txtColor[2]->hasFocus()) << wrong;
        ASSERT_FALSE(Boxes().shown.empty());
        EXPECT_EQ(Boxes().shown.back().text, QStringLiteral("Please insert a correct color value '#RRGGBBAA'"));
        EXPECT_EQ(Boxes().shown.back().flags, vb::OKOnly);
    }
    EXPECT_EQ(Boxes().shown.size(), 4u);
    EXPECT_EQ(F.CScroll[6]->value(), 0);                            // slot 2 untouched
    EXPECT_EQ(F.txtColor[2]->text(), QStringLiteral("#FF0000800")); // and its text kept for correction

    // OK after a refusal on the same leave adds no second message and keeps the form open.
    Boxes().expect(vb::OK);
    QTest::mouseClick(F.btOk, Qt::LeftButton);
    EXPECT_EQ(Boxes().shown.size(), 5u);
    EXPECT_TRUE(F.isVisible());
    // The close box never traps the user.
    F.close();
    EXPECT_FALSE(F.isVisible());
    EXPECT_EQ(Boxes().shown.size(), 5u);

    // Moving a bar rewrites the text.
    F.scrAlpha[3]->setValue(0x0F);
    F.CScroll[9]->setValue(0xA0);
    EXPECT_EQ(F.txtColor[3]->text(), QStringLiteral("#A000000F"));
}

TEST(SsaOptionsForm, FontPreviewAlignmentAndNote) {
    clsFileSSAFrm1 F;
    EXPECT_EQ(F.lstFonts->currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(F.lbFace->text(), QStringLiteral("Currently selected font-face: Arial"));
    EXPECT_EQ(F.alignment(), 2);

    F.SelFont(QStringLiteral("Times New Roman Pro"));
    EXPECT_EQ(F.lstFonts->currentText(), QStringLiteral("Verdana")); // the first at or after it
    EXPECT_EQ(F.lstFonts->fontName(), QStringLiteral("Times New Roman Pro"));
    EXPECT_EQ(F.lbFace->text(), QStringLiteral("Currently selected font-face: Verdana"));
    EXPECT_EQ(F.lbPrev->font().family(), QStringLiteral("Verdana"));
    // The user's own choice replaces the requested name.
    const int courier = F.lstFonts->findText(QStringLiteral("Courier New"));
    F.lstFonts->setCurrentIndex(courier);
    emit F.lstFonts->activated(courier);
    EXPECT_EQ(F.lstFonts->fontName(), QStringLiteral("Courier New"));
    EXPECT_EQ(F.lbFace->text(), QStringLiteral("Currently selected font-face: Courier New"));

    activate(&F);
    F.SSTab1->setCurrentIndex(2);
    QTest::mouseClick(F.cBold, Qt::LeftButton);
    QTest::mouseClick(F.cStrike, Qt::LeftButton);
    F.txtFontSize->setText(QStringLiteral("30"));
    EXPECT_TRUE(F.lbPrev->font().bold());
    EXPECT_TRUE(F.lbPrev->font().strikeOut());
    EXPECT_EQ(F.lbPrev->font().pointSizeF(), 30.0);

    F.SSTab1->setCurrentIndex(4);
    QCoreApplication::processEvents(); // lays out the page
    clickOption(F.optAlign[9]);
    EXPECT_EQ(F.alignment(), 9);
    EXPECT_TRUE(F.lbPrev->alignment() & Qt::AlignRight);
    clickOption(F.optAlign[4]);
    EXPECT_TRUE(F.lbPrev->alignment() & Qt::AlignLeft);
    QTest::mouseClick(F.Label30, Qt::LeftButton);
    EXPECT_EQ(F.Label30->text(), QStringLiteral("The metrics settings are not shown in the preview box."));
    F.btOk->click();
    EXPECT_FALSE(F.isVisible());
}
