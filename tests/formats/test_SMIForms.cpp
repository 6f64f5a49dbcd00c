#include "formats/VisualPlayer.h"
#include "formats/clsFileSMIFrm1.h"
#include "formats/clsFileSMIFrm2.h"
#include "tests/support/Scripted.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
std::string S(const QString& s) { return s.toStdString(); }
QString css(const clsFileSMIFrm1& F) { return clsFileSMIFrm1::boxText(F.txtSMICss); }

void activate(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

void clickItem(QListWidget* list, const QString& text) {
    const auto items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    list->setCurrentItem(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
}

// Types a colour into a field and leaves it with Tab.
void typeAndLeave(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}
} // namespace

TEST(SamiPropertiesForm, OkAddsTheSubtitleClassWhenNoLanguageIsNamed) {
    clsFileSMIFrm1 F;
    F.show();
    clsFileSMIFrm1::setBoxText(F.txtSMICss, QStringLiteral("P { color: red; }"));
    F.btOk->click();
    EXPECT_FALSE(F.isVisible());
    EXPECT_EQ(S(css(F)), "P { color: red; }\r\n.SUBTTL {\r\n\tName: 'Subtitles';\r\n\tLang: en-US;\r\n"
                         "\tSAMIType: CC;\r\n\t}");
    const QString once = css(F);
    F.show();
    F.btOk->click(); // "Lang" is there now
    EXPECT_EQ(css(F), once);

    clsFileSMIFrm1::setBoxText(F.txtSMICss, QStringLiteral("  "));
    F.show();
    F.btOk->click();
    EXPECT_TRUE(css(F).startsWith(QStringLiteral("  .SUBTTL {\r\n")));
    clsFileSMIFrm1::setBoxText(F.txtSMICss, QStringLiteral(".X { LANG: fr-FR; }"));
    F.show();
    F.btOk->click();
    EXPECT_EQ(css(F), QStringLiteral(".X { LANG: fr-FR; }"));
}

TEST(SamiPropertiesForm, AutoCompleteNeedsAMovie) {
    clsFileSMIFrm1 F;
    SetVisualPlayerHook({});
    Boxes().expect(vb::OK);
    F.btSMIAuto1->click();
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QStringLiteral("No movie is loaded.  Cannot insert correct information."));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
    EXPECT_EQ(S(clsFileSMIFrm1::boxText(F.txtSMIParam)), "Copyright {}\r\nSpec {MSFT:1.0;}\r\n");

    SetVisualPlayerHook([] { return VisualPlayerInfo{QStringLiteral("/videos/my clip.avi"), 5025.5}; });
    F.btSMIAuto1->click();
    EXPECT_EQ(S(clsFileSMIFrm1::boxText(F.txtSMIParam)),
              "Copyright {}\r\nSpec {MSFT:1.0;}\r\nMedia {my clip.avi}\r\nMetrics {time:ms; duration: 5025500;}");
    clsFileSMIFrm1::setBoxText(F.txtSMIParam, QStringLiteral("Spec {MSFT:1.0;}"));
    SetVisualPlayerHook([] { return VisualPlayerInfo{QStringLiteral("clip.mkv"), 0.0015}; });
    F.btSMIAuto1->click();
    EXPECT_EQ(S(clsFileSMIFrm1::boxText(F.txtSMIParam)),
              "Spec {MSFT:1.0;}\r\nMedia {clip.mkv}\r\nMetrics {time:ms; duration: 1;}");
    SetVisualPlayerHook({});
}

TEST(SamiPropertiesForm, StyleButtonOpensTheDialogForThisForm) {
    clsFileSMIFrm1 F;
    clsFileSMIFrm1::setBoxText(F.txtSMICss, QStringLiteral("P {}\r\n"));
    Forms().expect([](QDialog* d) {
        auto* D = qobject_cast<clsFileSMIFrm2*>(d);
        ASSERT_NE(D, nullptr);
        D->txtFontSize->setText(QStringLiteral("16"));
        D->btOk->click();
    });
    F.btSMICSSFont->click();
    EXPECT_EQ(Forms().shown, QStringList{QStringLiteral("clsFileSMIFrm2")});
    EXPECT_TRUE(css(F).startsWith(QStringLiteral("P {}\r\nP {\r\n\tmargin-left: 29pt;\r\n")));
    EXPECT_TRUE(css(F).contains(QStringLiteral("\r\n\tfont-size: 16pt;\r\n")));
    EXPECT_TRUE(css(F).endsWith(QStringLiteral(";\r\n\t}")));
}

TEST(SamiStyleDialog, ComposesFontAndBackgroundRule) {
    clsFileSMIFrm1 F;
    clsFileSMIFrm1::setBoxText(F.txtSMICss, QStringLiteral("P { }"));
    clsFileSMIFrm2 D;
    D.SetParent(&F);
    activate(&D);
    EXPECT_EQ(D.lstFonts->count(), FakeDesk().fonts.size());

    clickItem(D.lstFonts, QStringLiteral("Verdana"));
    EXPECT_TRUE(D.btFAdd->isEnabled());
    EXPECT_EQ(D.lbPrev->font().family(), QStringLiteral("Verdana"));
    D.btFAdd->click();
    EXPECT_FALSE(D.btFAdd->isEnabled());
    clickItem(D.lstFonts, QStringLiteral("Arial"));
    D.btFAdd->click();
    clickItem(D.lstFonts, QStringLiteral("Courier New"));
    D.btFAdd->click();
    ASSERT_EQ(D.lstSel->count(), 3);
    clickItem(D.lstSel, QStringLiteral("Arial"));
    EXPECT_TRUE(D.btFRem->isEnabled());
    D.btup->click();
    D.btup->click(); // not past the first place
    EXPECT_EQ(D.lstSel->item(0)->text(), QStringLiteral("Arial"));
    EXPECT_EQ(D.lstSel->currentItem()->text(), QStringLiteral("Arial"));
    clickItem(D.lstSel, QStringLiteral("Verdana"));
    D.btdown->click();
    D.btdown->click(); // not past the last place
    EXPECT_EQ(D.lstSel->item(2)->text(), QStringLiteral("Verdana"));
    clickItem(D.lstSel, QStringLiteral("Courier New"));
    D.btFRem->click();
    EXPECT_EQ(D.lstFonts->item(D.lstFonts->count() - 1)->text(), QStringLiteral("Courier New"));

    QTest::mouseClick(D.DefSerif, Qt::LeftButton);
    EXPECT_FALSE(D.DefSans->isChecked());
    EXPECT_EQ(D.lbPrev->font().family(), QStringLiteral("Times New Roman"));
    QTest::mouseClick(D.cBold, Qt::LeftButton);
    QTest::mouseClick(D.cUnderline, Qt::LeftButton);
    QTest::mouseClick(D.alRight, Qt::LeftButton);
    EXPECT_TRUE(D.lbPrev->font().bold());
    EXPECT_TRUE(D.lbPrev->font().underline());
    EXPECT_TRUE(D.lbPrev->alignment() & Qt::AlignRight);
    D.txtFontSize->setText(QStringLiteral("14"));
    EXPECT_EQ(D.lbPrev->font().pointSizeF(), 14.0);

    typeAndLeave(D.txtColor[0], QStringLiteral("#00ff80"));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_EQ(D.CScroll[0]->value(), 0);
    EXPECT_EQ(D.CScroll[1]->value(), 255);
    EXPECT_EQ(D.CScroll[2]->value(), 128);
    EXPECT_EQ(D.txtColor[0]->text(), QStringLiteral("#00FF80"));
    D.CScroll[3]->setValue(16);
    D.CScroll[4]->setValue(32);
    D.CScroll[5]->setValue(0x0A);
    EXPECT_EQ(D.txtColor[1]->text(), QStringLiteral("#10200A"));
    EXPECT_EQ(D.picPreview->palette().color(QPalette::Window), QColor(16, 32, 10));
    EXPECT_EQ(D.lbPrev->palette().color(QPalette::WindowText), QColor(0, 255, 128));

    QTest::mouseClick(D.btOk, Qt::LeftButton);
    EXPECT_FALSE(D.isVisible());
    EXPECT_EQ(S(css(F)), "P { }\r\nP {\r\n"
                         "\tmargin-left: 29pt;\r\n"
                         "\tmargin-right: 29pt;\r\n"
                         "\ttext-align: right;\r\n"
                         "\tfont-size: 14pt;\r\n"
                         "\tfont-family: 'Arial', 'Verdana', serif;\r\n"
                         "\tfont-weight: bold;\r\n"
                         "\ttext-decoration: underline;\r\n"
                         "\tcolor: #00FF80;\r\n"
                         "\tbackground-color: #10200A;\r\n"
                         "\t}");

    // No font and no family: no unfinished declaration.
    for (const QString& name : {QStringLiteral("Arial"), QStringLiteral("Verdana")}) {
        clickItem(D.lstSel, name);
        D.btFRem->click();
    }
    ASSERT_EQ(D.lstSel->count(), 0);
    QTest::mouseClick(D.DefSerif, Qt::LeftButton);
    EXPECT_FALSE(D.DefSerif->isChecked());
    EXPECT_FALSE(D.Rule().contains(QStringLiteral("font-family")));
    QTest::mouseClick(D.DefSans, Qt::LeftButton);
    EXPECT_TRUE(D.Rule().contains(QStringLiteral("\r\n\tfont-family: sans-serif;\r\n")));
}

TEST(SamiStyleDialog, AWrongColourKeepsTheFocusOncePerLeave) {
    clsFileSMIFrm1 F;
    const QString before = css(F);
    clsFileSMIFrm2 D;
    D.SetParent(&F);
    activate(&D);
    const int red = D.CScroll[3]->value();

    Boxes().expect(vb::OK, QStringLiteral("Please insert a correct color value '#RRGGBB'"));
    typeAndLeave(D.txtColor[1], QStringLiteral("00ff80"));
    EXPECT_EQ(Boxes().shown.size(), 1u);
    EXPECT_TRUE(D.txtColor[1]->hasFocus());
    EXPECT_EQ(D.CScroll[3]->value(), red);

    // The press on OK that leaves the field is the one refusal; the click itself adds none.
    Boxes().expect(vb::OK);
    QTest::mouseClick(D.btOk, Qt::LeftButton);
    EXPECT_EQ(Boxes().shown.size(), 2u);
    EXPECT_TRUE(D.isVisible());
    EXPECT_TRUE(D.txtColor[1]->hasFocus());
    // Enter on the field checks again.
    Boxes().expect(vb::OK);
    QTest::keyClick(D.txtColor[1], Qt::Key_Return);
    EXPECT_EQ(Boxes().shown.size(), 3u);
    EXPECT_TRUE(D.isVisible());

    for (const char* wrong : {"#00ff8", "#00ff800", "#gg0000", "#+1+1+1"}) {
        Boxes().expect(vb::OK);
        typeAndLeave(D.txtColor[1], QString::fromLatin1(wrong));
        EXPECT_TRUE(D.txtColor[1]->hasFocus()) << wrong;
    }
    EXPECT_EQ(Boxes().shown.size(), 7u);

    // Cancel and the close box leave without a check and write nothing.
    QTest::mouseClick(D.btCancel, Qt::LeftButton);
    EXPECT_FALSE(D.isVisible());
    activate(&D);
    D.txtColor[1]->setFocus();
    D.close();
    EXPECT_FALSE(D.isVisible());
    EXPECT_EQ(Boxes().shown.size(), 7u);
    EXPECT_EQ(css(F), before);
}
