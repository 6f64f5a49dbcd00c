#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"
#include "visual/frmSettingsV.h"

#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

struct SettingsVTest : ::testing::Test {
    TempDir dir;
    QStringList fonts;
    QTimer synchro;
    QPlainTextEdit subBox;

    void SetUp() override {
        fonts = FakeDesk().fonts;
        FakeDesk().folder = dir.folder();
        synchro.setInterval(100);
    }
    void TearDown() override { FakeDesk().fonts = fonts; }
    std::unique_ptr<frmSettingsV> load() { return std::make_unique<frmSettingsV>(&synchro, &subBox); }
    QByteArray ini() const { return dir.read(S("lumiv.ini")); }
    void writeIni(const QByteArray& bytes) const { dir.write(S("lumiv.ini"), bytes); }
};
} // namespace

TEST_F(SettingsVTest, MissingFileIsWrittenFromTheDefaultsAndReadBack) {
    FakeDesk().fonts = QStringList{S("Courier New"), S("  "), S("Arial Black"), S("Arial")};
    auto f = load();
    EXPECT_EQ(ini(), QByteArray("Lumerin2.2V\r\n 20 \r\nArial Black\r\n"));
    EXPECT_EQ(f->windowTitle(), S("Settings"));
    EXPECT_EQ(f->SSTab1->tabText(0), S("User Interface"));
    // Blank names are left out; the screen's order is kept.
    EXPECT_EQ(f->cmbFont->count(), 3);
    EXPECT_EQ(f->cmbFont->itemText(1), S("Arial Black"));
    EXPECT_EQ(f->sldRSpeed->value(), 20);
    EXPECT_EQ(f->sldRSpeed->minimum(), 1);
    EXPECT_EQ(f->sldRSpeed->maximum(), 200);
    EXPECT_EQ(synchro.interval(), 100);
    EXPECT_EQ(subBox.font().family(), S("Arial Black"));
    EXPECT_TRUE(Boxes().shown.empty());

    // Without "Arial Black", "Arial" is preselected.
    QFile::remove(dir.path(S("lumiv.ini")));
    FakeDesk().fonts = QStringList{S("Verdana"), S("Arial")};
    load();
    EXPECT_EQ(ini(), QByteArray("Lumerin2.2V\r\n 20 \r\nArial\r\n"));
}

TEST_F(SettingsVTest, StoredValuesAreReadWithBlanksAndLetterCase) {
    writeIni("Lumerin2.2V\r\n   7   \r\n  courier NEW \r\n");
    auto f = load();
    EXPECT_EQ(f->sldRSpeed->value(), 7);
    EXPECT_EQ(synchro.interval(), 35);
    EXPECT_EQ(f->cmbFont->currentText(), S("Courier New"));
    EXPECT_EQ(subBox.font().family(), S("Courier New"));
    // Only saving rewrites the file, in its own spelling.
    EXPECT_EQ(ini(), QByteArray("Lumerin2.2V\r\n   7   \r\n  courier NEW \r\n"));
    f->btApply->click();
    EXPECT_EQ(ini(), QByteArray("Lumerin2.2V\r\n 7 \r\nCourier New\r\n"));

    // A font that is gone falls back to "Arial Black"; a value halfway goes to the even one.
    FakeDesk().fonts << S("Arial Black");
    writeIni("Lumerin2.2V\r\n42.5\r\nGone Sans\r\n");
    auto g = load();
    EXPECT_EQ(g->sldRSpeed->value(), 42);
    EXPECT_EQ(g->cmbFont->currentText(), S("Arial Black"));
}

TEST_F(SettingsVTest, AFileOfAnotherVersionIsReplacedByTheCurrentValues) {
    writeIni("Lumerin2.0\r\n 150 \r\nVerdana\r\n");
    auto f = load();
    EXPECT_EQ(ini(), QByteArray("Lumerin2.2V\r\n 20 \r\nArial\r\n"));
    EXPECT_EQ(f->sldRSpeed->value(), 20);
    EXPECT_EQ(f->cmbFont->currentText(), S("Arial"));
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(SettingsVTest, ButtonsSaveRevertAndResetTheSpeed) {
    writeIni("Lumerin2.2V\r\n 60 \r\nVerdana\r\n");
    auto f = load();
    ASSERT_EQ(synchro.interval(), 300);

    // Live while moving: the interval and the font follow at once.
    f->show();
    f->sldRSpeed->setFocus();
    QTest::keyClick(f->sldRSpeed, Qt::Key_Right);
    EXPECT_EQ(f->sldRSpeed->value(), 61);
    EXPECT_EQ(synchro.interval(), 305);
    f->cmbFont->setCurrentIndex(f->cmbFont->findText(S("Times New Roman")));
    EXPECT_EQ(subBox.font().family(), S("Times New Roman"));

    // Cancel hides and brings back what the file holds, in the editor too.
    f->btCancel->click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->sldRSpeed->value(), 60);
    EXPECT_EQ(synchro.interval(), 300);
    EXPECT_EQ(subBox.font().family(), S("Verdana"));

    // The close box does the same, and the window stays.
    f->show();
    f->sldRSpeed->setValue(100);
    f->close();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->sldRSpeed->value(), 60);

    // Defaults touch the speed only; OK hides and writes.
    f->show();
    f->cmbFont->setCurrentIndex(f->cmbFont->findText(S("Arial")));
    f->btFolderDefaults->click();
    EXPECT_EQ(f->sldRSpeed->value(), 20);
    EXPECT_EQ(synchro.interval(), 100);
    EXPECT_EQ(ini(), QByteArray("Lumerin2.2V\r\n 60 \r\nVerdana\r\n"));
    f->btOk->click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(ini(), QByteArray("Lumerin2.2V\r\n 20 \r\nArial\r\n"));

    // At the program's end the window writes its values.
    f->sldRSpeed->setValue(200);
    f->Unload();
    EXPECT_EQ(ini(), QByteArray("Lumerin2.2V\r\n 200 \r\nArial\r\n"));
}

TEST_F(SettingsVTest, AnUnreadableFileIsDeletedAndTheDefaultsTakeOverWithoutEndingTheProgram) {
    const QByteArray bad[] = {"Lumerin2.2V\r\n 30 \r\n", "Lumerin2.2V\r\n 900 \r\nArial\r\n",
                              "Lumerin2.2V\r\nfast\r\nArial\r\n", "Lumerin2.2V\r\n 99999999 \r\nArial\r\n"};
    for (const QByteArray& bytes : bad) {
        SCOPED_TRACE(bytes.toStdString());
        Boxes().shown.clear();
        synchro.setInterval(555);
        writeIni("Lumerin2.2V\r\n 30 \r\nVerdana\r\n");
        auto f = load();
        ASSERT_EQ(f->sldRSpeed->value(), 30);
        writeIni(bytes);
        Boxes().expect(vb::OK, S("Couldn't load settings."));
        f->btCancel->click();
        ASSERT_EQ(Boxes().shown.size(), 1u);
        EXPECT_EQ(Boxes().shown[0].text, S("Couldn't load settings.  Settings have been reset to default.\r\n"
                                           "Please restart Lumerin.  We are sorry for the inconvenience."));
        EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
        EXPECT_EQ(Boxes().shown[0].title, S("Lumerin"));
        EXPECT_FALSE(QFile::exists(dir.path(S("lumiv.ini"))));
        EXPECT_TRUE(FakeDesk().exitCodes.empty());
        EXPECT_EQ(f->sldRSpeed->value(), 20);
        EXPECT_EQ(synchro.interval(), 100);
        EXPECT_EQ(f->cmbFont->currentText(), S("Arial"));
    }
}
