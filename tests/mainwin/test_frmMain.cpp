#include "controls/SubListing.h"
#include "controls/timeBar.h"
#include "mainwin/frmMain.h"
#include "mainwin/frmSettings.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Unloadable.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

TEST(MainWindowStartup, SharedValuesStartWithTheirBounds) {
    frmMain w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Untitled - Lumerin"));
    EXPECT_TRUE(w.sFile.isEmpty());
    EXPECT_FALSE(w.bChanged);
    for (clsTime* t : {w.cSel, w.cSelA, w.cSelB, w.cMarkS, w.cMarkS1, w.cMarkS2}) {
        EXPECT_EQ(t->value(), -2);
        EXPECT_EQ(t->Min(), -2);
        EXPECT_EQ(t->Max(), 0);
    }
    for (clsTime* t : {w.cMarkT, w.cMarkT1, w.cMarkT2, w.cTime}) EXPECT_EQ(t->Max(), frmMain::MaxTime);
    EXPECT_EQ(w.bTime->scroller(), w.scrBar);
    EXPECT_DOUBLE_EQ(w.bTime->coefficient(), 1000.0);
    EXPECT_EQ(w.picListing->NewLineChar(), QStringLiteral("\u00A4"));
    EXPECT_EQ(w.btZoom->text(), QStringLiteral("Zoom In"));
    EXPECT_EQ(w.btZoomOut->text(), QStringLiteral("Zoom Out"));
}

TEST(MainWindowStartup, SelectionBoundsFollowTheCount) {
    frmMain w;
    w.cSubs->AddSub(QStringLiteral("a"), 0, 10);
    w.cSubs->AddSub(QStringLiteral("b"), 20, 30);
    for (clsTime* t : {w.cSel, w.cSelA, w.cSelB, w.cMarkS, w.cMarkS1, w.cMarkS2}) EXPECT_EQ(t->Max(), 1);
    w.cSel->setValue(1);
    w.cSubs->EnableEvents(false);
    w.cSubs->Clear();
    w.cSubs->EnableEvents(true);
    w.cSubs->RaiseMajor();
    EXPECT_EQ(w.cSel->Max(), -1);
    EXPECT_EQ(w.cSel->value(), -1);
}

TEST(MainWindowStartup, ARelativeNameOnTheCommandLineIsTakenFromTheCurrentFolder) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("a.srt"), "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n");
    const QString was = QDir::currentPath();
    QDir::setCurrent(dir.folder());
    FakeDesk().command = QStringLiteral("a.srt");
    frmMain w;
    QDir::setCurrent(was);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("a.srt - Lumerin"));
    EXPECT_EQ(w.sFile, QFileInfo(file).absoluteFilePath());
    EXPECT_EQ(w.cSubs->count(), 1);
}

TEST(MainWindowStartup, BandWidthsComeFromTheSettingsFileAndGoBackToIt) {
    QFile ini(frmSettings::SettingsFile());
    auto lines = [&ini] {
        EXPECT_TRUE(ini.open(QIODevice::ReadOnly));
        const QStringList l = QString::fromLatin1(ini.readAll()).split(QStringLiteral("\r\n"));
        ini.close();
        return l;
    };
    { frmMain first; } // writes the file
    QStringList text = lines();
    text[4] = QStringLiteral(" 3000 ");
    text[5] = QStringLiteral(" 3300 ");
    text[6] = QStringLiteral(" 2700 ");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(text.join(QStringLiteral("\r\n")).toLatin1());
    ini.close();
    frmMain w;
    w.resize(1000, 600);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.Toolbar1->width(), 200);
    EXPECT_EQ(w.ShowHideBar->width(), 220);
    EXPECT_EQ(w.BadBar->width(), 180);
    // Saved from what the bands show.
    w.ShowHideBar->resize(250, w.ShowHideBar->height());
    w.Settings()->btApply->click();
    EXPECT_EQ(lines().mid(4, 3),
              (QStringList{QStringLiteral(" 3000 "), QStringLiteral(" 3750 "), QStringLiteral(" 2700 ")}));
    // Settings left with Cancel put every band back where the user docked it.
    w.addToolBar(Qt::LeftToolBarArea, w.BadBar);
    w.Settings()->btCancel->click();
    EXPECT_EQ(w.toolBarArea(w.BadBar), Qt::LeftToolBarArea);
    EXPECT_EQ(w.toolBarArea(w.ShowHideBar), Qt::TopToolBarArea);
}

TEST(MainWindowListing, AKeyThatChangesNoTextStoresNothing) {
    frmMain w;
    w.show();
    // The new-line character typed as text, not standing for a line break.
    w.cSubs->AddSub(QStringLiteral("5\u00A4 each"), 0, 1000);
    w.bChanged = false;
    w.UpdateUI();
    w.picListing->SelectSub(0);
    w.picListing->SetTextFocus();
    QLineEdit* t = w.picListing->txtSubText;
    for (int key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Shift, Qt::Key_Control}) QTest::keyClick(t, Qt::Key(key));
    EXPECT_EQ(w.cSubs->SubText(0), QStringLiteral("5\u00A4 each"));
    EXPECT_FALSE(w.bChanged);
    EXPECT_FALSE(w.Toolbar1Button(3)->isEnabled());
}

TEST(MainWindowLayout, MinimumSizeAndRulerSpace) {
    frmMain w;
    w.show();
    w.resize(100, 100);
    EXPECT_GE(w.width(), 5000 / frmMain::Twips);
    EXPECT_GE(w.height(), 4000 / frmMain::Twips);
    w.resize(800, 600);
    const int listH = w.picListing->height(), barH = w.picBar->height();
    emit w.tBar->AskRulerSpace(true);
    EXPECT_EQ(w.picBar->height(), barH + 20);
    EXPECT_EQ(w.picListing->height(), listH - 20);
    // Inside the strip: the bar at the bottom, the zoom buttons stacked at the right.
    EXPECT_EQ(w.scrBar->geometry().bottom(), w.picBar->height() - 1);
    EXPECT_EQ(w.btZoom->x(), w.picBar->width() - w.btZoom->width());
    EXPECT_EQ(w.btZoomOut->y(), w.btZoom->height());
    EXPECT_EQ(w.tBar->height(), w.picBar->height() - w.scrBar->height());
    EXPECT_LT(w.tBar->geometry().right(), w.btZoom->x());
}

TEST(MainWindowLayout, TheSmallestWindowKeepsTheListingAndTheStripWhole) {
    frmMain w;
    for (int band = 2; band <= 4; ++band) w.setBandNewRow(band, true);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    emit w.tBar->AskRulerSpace(true);
    w.resize(100, 100);
    QCoreApplication::processEvents();
    const QRect list = w.picListing->geometry(), strip = w.picBar->geometry();
    EXPECT_GE(w.picListing->Rows, 3);
    EXPECT_EQ(w.picListing->scrList->height(), w.picListing->picMain->height());
    EXPECT_LT(list.bottom(), strip.top());
    EXPECT_GE(list.top(), 0);
    EXPECT_LE(strip.bottom(), w.centralWidget()->height() - 1);
    EXPECT_GT(w.tBar->height(), 0);
    EXPECT_GT(w.tBar->width(), 0);
}

TEST(MainWindowClose, UnsavedChangesQuestion) {
    frmMain w;
    w.show();
    w.bChanged = true;
    Boxes().expect(vb::Cancel, QStringLiteral("Changes will be lost.  Are you sure?"));
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Sure?"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKCancel);
    Boxes().expect(vb::OK);
    EXPECT_TRUE(w.close());
}

namespace {
struct ToolWindow : QWidget, Unloadable {
    int unloads = 0;
    void Unload() override { ++unloads; }
};
} // namespace

TEST(MainWindowClose, UnloadReachesEveryOtherWindow) {
    frmMain w;
    w.show();
    ToolWindow tool;
    QWidget plain;
    plain.show();
    EXPECT_TRUE(w.close()); // unchanged: no question
    EXPECT_EQ(tool.unloads, 1);
    EXPECT_FALSE(plain.isVisible());
}
