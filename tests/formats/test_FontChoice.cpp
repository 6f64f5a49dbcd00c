#include "formats/FontChoice.h"
#include "formats/clsFileSMIFrm1.h"
#include "formats/clsFileSMIFrm2.h"
#include "formats/clsFileSSA.h"
#include "formats/clsFileSV2.h"
#include "model/clsSubs.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using formtest::child;
using formtest::clickOk;

namespace {
// The screen fonts of a machine without Arial, named as the list names them: a family that
// comes from two foundries is listed once for each.
class FontsWithoutArial {
public:
    FontsWithoutArial() : saved_(FakeDesk().fonts) {
        FakeDesk().fonts = {QStringLiteral("C059 [UKWN]"), QStringLiteral("DejaVu Math TeX Gyre"),
                            QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans [UKWN]"),
                            QStringLiteral("Nimbus Sans [urw]")};
    }
    ~FontsWithoutArial() { FakeDesk().fonts = saved_; }

private:
    QStringList saved_;
};

// The line of a written file that starts with start, without its line end.
std::string lineOf(const QByteArray& file, const QByteArray& start) {
    for (const QByteArray& line : file.split('\n'))
        if (line.startsWith(start)) return line.trimmed().toStdString();
    return "no line " + start.toStdString();
}

// The form is saved as it opens, then with the last listed font picked from the keyboard.
void saveTwice(intFile& f, clsSubs& subs, const TempDir& dir, const QString& name, QByteArray out[2]) {
    f.setSavePath(dir.path(name));
    Forms().expect([](QDialog* d) {
        // The list shows the nearest font.
        EXPECT_EQ(child<FontChoice>(d, "lstFonts")->currentText(), QStringLiteral("C059 [UKWN]"));
        clickOk(d);
    });
    ASSERT_TRUE(f.Save(subs));
    out[0] = dir.read(name);
    Forms().expect([](QDialog* d) {
        auto* fonts = child<FontChoice>(d, "lstFonts");
        QTest::keyClick(fonts, Qt::Key_End);
        EXPECT_EQ(fonts->currentText(), QStringLiteral("Nimbus Sans [urw]"));
        clickOk(d);
    });
    ASSERT_TRUE(f.Save(subs));
    out[1] = dir.read(name);
}
} // namespace

TEST(FontChoiceList, SelectsTheFirstFontAtOrAfterTheNameAndGivesTheNameBack) {
    FontChoice c; // the scripted fonts: Arial, Courier New, Times New Roman, Verdana
    // A file's name comes back as written, whatever the list shows for it.
    c.setFontName(QStringLiteral("arial"));
    EXPECT_EQ(c.currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(c.fontName(), QStringLiteral("arial"));
    c.setFontName(QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(c.currentText(), QStringLiteral("Courier New"));
    EXPECT_EQ(c.fontName(), QStringLiteral("Comic Sans MS"));
    c.setFontName(QStringLiteral("  TIMES new roman "));
    EXPECT_EQ(c.currentText(), QStringLiteral("Times New Roman"));
    // A name after every font selects none.
    c.setFontName(QStringLiteral("Zapf Chancery"));
    EXPECT_EQ(c.currentIndex(), -1);
    EXPECT_EQ(c.fontName(), QStringLiteral("Zapf Chancery"));
    // The user's own choice replaces the name.
    c.setCurrentIndex(c.findText(QStringLiteral("Courier New")));
    EXPECT_EQ(c.fontName(), QStringLiteral("Courier New"));
    c.setFontName(QString()); // an empty name is never given back
    EXPECT_EQ(c.fontName(), QStringLiteral("Arial"));
}

TEST(FormFonts, WithoutArialNewFilesNameArialAndPickedFontsTheirFamily) {
    FontsWithoutArial fonts;
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("A"), 0, 1000);
    QByteArray out[2];

    clsFileSSA ssa;
    saveTwice(ssa, subs, dir, QStringLiteral("new.ssa"), out);
    EXPECT_EQ(lineOf(out[0], "Style: "),
              "Style: Default,arial,20,16777215,65535,0,0,0,0,0,0,100,100,0,0,1,2,2,2,10,10,10,,0");
    EXPECT_EQ(lineOf(out[1], "Style: "),
              "Style: Default,Nimbus Sans,20,16777215,65535,0,0,0,0,0,0,100,100,0,0,1,2,2,2,10,10,10,,0");

    clsFileSV2 sv2;
    saveTwice(sv2, subs, dir, QStringLiteral("new.sub"), out);
    EXPECT_EQ(lineOf(out[0], "[COLF]"), "[COLF]&HFFFFFF,[STYLE]no,[SIZE]18,[FONT]arial");
    EXPECT_EQ(lineOf(out[1], "[COLF]"), "[COLF]&HFFFFFF,[STYLE]no,[SIZE]18,[FONT]Nimbus Sans");

    // The SAMI style dialog names the chosen fonts' families.
    clsFileSMIFrm1 F;
    clsFileSMIFrm2 D;
    D.SetParent(&F);
    D.show();
    QListWidgetItem* picked = D.lstFonts->findItems(QStringLiteral("Nimbus Sans [urw]"), Qt::MatchExactly).value(0);
    ASSERT_NE(picked, nullptr);
    QTest::mouseClick(D.lstFonts->viewport(), Qt::LeftButton, {}, D.lstFonts->visualItemRect(picked).center());
    D.btFAdd->click();
    ASSERT_EQ(D.lstSel->count(), 1);
    EXPECT_TRUE(D.Rule().contains(QStringLiteral("\r\n\tfont-family: 'Nimbus Sans', sans-serif;\r\n")))
        << D.Rule().toStdString();
}
