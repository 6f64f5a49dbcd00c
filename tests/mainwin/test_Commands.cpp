#include "controls/SubListing.h"
#include "controls/timeBar.h"
#include "formats/FormatChoice.h"
#include "mainwin/frmMain.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Printer.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"
#include "tools/frmMerge.h"
#include "tools/frmShift.h"
#include "tools/frmSplit.h"
#include "tools/frmStretch.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

struct MainWindow : ::testing::Test {
    frmMain w;

    MainWindow() {
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    // A document as a load leaves it: filled with events off, one major change, unchanged.
    void load(int count, qint32 step = 2000) {
        w.cSubs->EnableEvents(false);
        w.cSubs->Clear();
        for (int i = 0; i < count; ++i)
            w.cSubs->AddSub(QStringLiteral("Text %1").arg(i), i * step, i * step + step * 3 / 4);
        w.cSubs->EnableEvents(true);
        w.cSubs->RaiseMajor();
        w.bChanged = false;
        w.UpdateUI();
    }

    QAction* button(QToolBar* bar, int i) { return frmMain::Button(bar, i); }
    bool on(QToolBar* bar, int i) { return button(bar, i)->isEnabled(); }
    void press(QToolBar* bar, int i) { button(bar, i)->trigger(); }

    void mouseOnListing(QEvent::Type type, Qt::MouseButton b, QPoint pos) {
        QWidget* surface = w.picListing->picMain;
        QMouseEvent e(type, pos, surface->mapToGlobal(pos), b, type == QEvent::MouseButtonRelease ? Qt::NoButton : b,
                      Qt::NoModifier);
        QApplication::sendEvent(surface, &e);
    }
    void clickRow(int row, int x, Qt::MouseButton b = Qt::LeftButton) {
        const QPoint p(x, (row - w.picListing->TopIdx) * SubListing::RowHeight + 7);
        mouseOnListing(QEvent::MouseButtonPress, b, p);
        mouseOnListing(QEvent::MouseButtonRelease, b, p);
    }
};

using CommandState = MainWindow;

TEST_F(CommandState, FreshStart) {
    EXPECT_FALSE(on(w.Toolbar1, 3));
    EXPECT_FALSE(w.mnuSave->isEnabled());
    EXPECT_FALSE(w.mnuSaveAs->isEnabled());
    for (int i : {2, 3, 5}) EXPECT_FALSE(on(w.BadBar, i)) << i;
    EXPECT_FALSE(on(w.ShowHideBar, 2));
    EXPECT_FALSE(on(w.ShowHideBar, 3));
    EXPECT_FALSE(on(w.ShowHideBar, 4));
    // Never disabled.
    for (int i : {1, 2, 5}) EXPECT_TRUE(on(w.Toolbar1, i)) << i;
    EXPECT_TRUE(on(w.ShowHideBar, 1));
    EXPECT_TRUE(on(w.ShowHideBar, 5));
    EXPECT_TRUE(on(w.DefBar, 1));
    EXPECT_TRUE(w.mnuAdd->isEnabled());
    EXPECT_FALSE(on(w.DefBar, 2));
    EXPECT_FALSE(on(w.DefBar, 3));
    for (QAction* a : {w.mnuSM, w.mnuSM1, w.mnuSM2, w.mnuUnMark, w.mnuGoto, w.mnuGotoShift})
        EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(w.mnuMarkerSet->isEnabled());
    EXPECT_EQ(w.mnuProps2->text(), QStringLiteral("Extra Se&ttings"));
    EXPECT_FALSE(w.mnuProps2->isEnabled());
    EXPECT_EQ(button(w.DefBar, 4)->isSeparator(), true);
    EXPECT_EQ(button(w.BadBar, 5)->toolTip(), QStringLiteral("Find a subtitle containing a search string"));
}

TEST_F(CommandState, OneAndTwoEntriesAndTheFirstChange) {
    load(1);
    EXPECT_TRUE(w.mnuSaveAs->isEnabled());
    EXPECT_FALSE(on(w.Toolbar1, 3)); // right after a load
    EXPECT_TRUE(on(w.ShowHideBar, 2));
    EXPECT_FALSE(on(w.ShowHideBar, 3));
    EXPECT_FALSE(w.mnuSplit->isEnabled());
    EXPECT_TRUE(on(w.BadBar, 5));
    load(2);
    EXPECT_TRUE(on(w.ShowHideBar, 3));
    EXPECT_TRUE(w.mnuStretch->isEnabled());
    EXPECT_TRUE(on(w.ShowHideBar, 4));
    w.cSubs->setSubText(0, QStringLiteral("edited"));
    EXPECT_TRUE(w.bChanged);
    EXPECT_TRUE(on(w.Toolbar1, 3));
    EXPECT_TRUE(w.mnuSave->isEnabled());
}

TEST_F(CommandState, ExtraSettingsFollowTheFormat) {
    std::unique_ptr<intFile> srt = NewFileHandler(FileType::SRT);
    w.cSettings = srt->getSettingBlock();
    w.UpdateUI();
    EXPECT_EQ(w.mnuProps2->text(), QStringLiteral("SRT Se&ttings"));
    ASSERT_TRUE(w.mnuProps2->isEnabled());
    QDialog* shown = nullptr;
    Forms().expect([&](QDialog* f) {
        shown = f;
        f->hide();
    });
    w.mnuProps2->trigger();
    EXPECT_EQ(shown, w.cSettings->getForm());
}

TEST_F(CommandState, BadSubtitleCommandsFollowTheListing) {
    load(5);
    w.cSubs->setSubTimeOut(3, 100000); // overlaps entry 4
    w.cSubs->RaiseMajor();
    w.cSel->setValue(0);
    EXPECT_TRUE(on(w.BadBar, 3));
    EXPECT_FALSE(on(w.BadBar, 2));
    w.mnuNextBad->trigger();
    EXPECT_EQ(w.cSel->value(), 3);
    w.cSel->setValue(4);
    EXPECT_EQ(w.picListing->PrevBad(), 3);
    EXPECT_TRUE(w.mnuPrevBad->isEnabled());
    press(w.BadBar, 2);
    EXPECT_EQ(w.cSel->value(), 3);
}

TEST_F(CommandState, MarkersThroughButtonsAndMenus) {
    load(3);
    w.cSel->setValue(1);
    EXPECT_TRUE(w.mnuMarkerSet->isEnabled());
    EXPECT_FALSE(w.mnuUnMark->isEnabled());
    press(w.DefBar, 5);
    EXPECT_EQ(w.cMarkS->value(), 1);
    EXPECT_TRUE(w.mnuSM->isChecked());
    EXPECT_TRUE(button(w.DefBar, 5)->isChecked());
    press(w.DefBar, 5); // pressing a pressed marker button keeps the marker: it stays down
    EXPECT_TRUE(button(w.DefBar, 5)->isChecked());
    EXPECT_EQ(w.cMarkS->value(), 1);
    // One marker per row: stretch marker 1 on the shift marker's row takes its place.
    press(w.DefBar, 6);
    EXPECT_EQ(w.cMarkS1->value(), 1);
    EXPECT_EQ(w.cMarkS->value(), -2);
    EXPECT_FALSE(w.mnuSM->isChecked());
    EXPECT_TRUE(w.mnuSM1->isChecked());
    EXPECT_FALSE(button(w.DefBar, 5)->isChecked());
    EXPECT_TRUE(button(w.DefBar, 6)->isChecked());
    EXPECT_FALSE(button(w.DefBar, 7)->isChecked());
    w.cSel->setValue(2); // another row: nothing checked there
    EXPECT_FALSE(button(w.DefBar, 6)->isChecked());
    EXPECT_FALSE(w.mnuUnMark->isEnabled());
    w.mnuSM2->trigger();
    EXPECT_EQ(w.cMarkS2->value(), 2);
    ASSERT_TRUE(w.mnuUnMark->isEnabled());
    w.mnuUnMark->trigger();
    EXPECT_EQ(w.cMarkS2->value(), -2);
    EXPECT_EQ(w.cMarkS1->value(), 1); // another row's marker stays
    EXPECT_FALSE(w.mnuSM2->isChecked());
    // Deselecting disables and unchecks.
    w.mnuSM->trigger();
    w.picListing->SelectSub(-2);
    EXPECT_FALSE(w.mnuSM->isChecked());
    EXPECT_FALSE(w.mnuSM->isEnabled());
    EXPECT_FALSE(button(w.DefBar, 5)->isChecked());
    EXPECT_FALSE(on(w.DefBar, 5));
}

TEST_F(CommandState, EmptyListAfterDeletingTheOnlyEntry) {
    load(1);
    w.cSel->setValue(0);
    w.mnuSM->trigger();
    press(w.DefBar, 3);
    EXPECT_EQ(w.cSubs->count(), 0);
    EXPECT_LT(w.cSel->value(), 0);
    EXPECT_FALSE(on(w.DefBar, 2));
    EXPECT_FALSE(on(w.DefBar, 3));
    EXPECT_FALSE(w.mnuDelete->isEnabled());
    EXPECT_FALSE(w.mnuSM->isEnabled());
    EXPECT_FALSE(w.mnuSM->isChecked());
    EXPECT_FALSE(w.mnuMarkerSet->isEnabled());
    EXPECT_FALSE(w.mnuSave->isEnabled());
    EXPECT_LT(w.cMarkS->value(), 0);
}

TEST_F(CommandState, GotoCommandsFollowVisibility) {
    load(200);
    w.cSel->setValue(0);
    EXPECT_FALSE(on(w.BadBar, 1)); // visible
    w.mnuSM->trigger();
    w.picListing->GotoSub(150);
    EXPECT_TRUE(on(w.BadBar, 1));
    EXPECT_TRUE(w.mnuGoto->isEnabled());
    EXPECT_TRUE(w.mnuGotoShift->isEnabled());
    w.mnuGotoShift->trigger();
    EXPECT_TRUE(w.picListing->InVision(0));
    EXPECT_FALSE(w.mnuGotoShift->isEnabled());
    EXPECT_FALSE(w.mnuGoto->isEnabled());
    w.cMarkS2->setValue(199);
    EXPECT_TRUE(w.mnuGotoStretch2->isEnabled());
    w.mnuGotoStretch2->trigger();
    EXPECT_TRUE(w.picListing->InVision(199));
}

using AddInsert = MainWindow;

TEST_F(AddInsert, TimingRules) {
    press(w.DefBar, 1); // empty list, button rule
    ASSERT_EQ(w.cSubs->count(), 1);
    EXPECT_EQ(w.cSubs->SubTimeIn(0), 0);
    EXPECT_EQ(w.cSubs->SubTimeOut(0), 3000);
    EXPECT_EQ(w.cSel->value(), 0);
    EXPECT_TRUE(w.bChanged);
    w.mnuAdd->trigger(); // after a last entry ending at 3000
    EXPECT_EQ(w.cSubs->SubTimeIn(1), 3100);
    EXPECT_EQ(w.cSubs->SubTimeOut(1), 6100);
    EXPECT_EQ(w.cSel->value(), 1);
    EXPECT_EQ(w.focusWidget(), w.picListing->txtSubText);

    Boxes().expect(vb::OK, QStringLiteral("Changes will be lost"));
    w.subNew();
    w.mnuAdd->trigger(); // empty list, menu rule
    EXPECT_EQ(w.cSubs->SubTimeIn(0), 100);
    EXPECT_EQ(w.cSubs->SubTimeOut(0), 3100);

    load(2, 10000); // [0, 7500] and [10000, 17500]
    w.cSel->setValue(1);
    w.mnuInsert->trigger();
    ASSERT_EQ(w.cSubs->count(), 3);
    EXPECT_EQ(w.cSubs->SubTimeIn(1), 7501);
    EXPECT_EQ(w.cSubs->SubTimeOut(1), 9001);
    EXPECT_EQ(w.cSel->value(), 1);
    EXPECT_EQ(w.cSubs->SubText(2), QStringLiteral("Text 1"));
}

TEST_F(AddInsert, FullListIsToldAndTimesSaturate) {
    w.cSubs->EnableEvents(false);
    w.cSubs->AddSub(QString(), 2147483000, 2147483600);
    w.cSubs->EnableEvents(true);
    w.cSubs->RaiseMajor();
    w.mnuAdd->trigger();
    EXPECT_EQ(w.cSubs->SubTimeIn(1), 2147483647);
    EXPECT_EQ(w.cSubs->SubTimeOut(1), 2147483647);

    load(clsSubs::Capacity);
    w.cSel->setValue(5);
    for (QAction* a : {w.mnuAdd, w.mnuInsert, button(w.DefBar, 1)}) {
        Boxes().expect(vb::OK, QStringLiteral("full"));
        a->trigger();
    }
    Boxes().expect(vb::OK, QStringLiteral("full"));
    emit w.picListing->PushDown();
    EXPECT_EQ(w.cSubs->count(), clsSubs::Capacity);
    EXPECT_EQ(Boxes().shown.size(), 4u);
}

using Hosting = MainWindow;

TEST_F(Hosting, PopupMenusOfTheListing) {
    load(5);
    FakeDesk().popupChoices = {QString(), QStringLiteral("mnuSM2")};
    clickRow(2, 300, Qt::RightButton);
    ASSERT_EQ(FakeDesk().popups.size(), 1);
    EXPECT_EQ(FakeDesk().popups.at(0), QStringLiteral("mnuSubPopup"));
    clickRow(3, 10); // the marker column
    ASSERT_EQ(FakeDesk().popups.size(), 2);
    EXPECT_EQ(FakeDesk().popups.at(1), QStringLiteral("mnuMarkerSet"));
    EXPECT_EQ(w.cMarkS2->value(), 3);
    w.picListing->SelectSub(-2);
    emit w.picListing->MarkerSelect();
    EXPECT_EQ(FakeDesk().popups.size(), 2); // only while a subtitle is selected
}

TEST_F(Hosting, BoundsFollowTheCountWithNotification) {
    load(10);
    w.cSel->setValue(9);
    w.cMarkS1->setValue(8);
    int selChanges = 0;
    QObject::connect(w.cSel, &clsTime::Change, [&] { ++selChanges; });
    load(4);
    EXPECT_EQ(w.cSel->value(), 3);
    EXPECT_EQ(w.cMarkS1->value(), 3);
    EXPECT_EQ(selChanges, 1);
    for (clsTime* t : {w.cSel, w.cSelA, w.cSelB, w.cMarkS, w.cMarkS1, w.cMarkS2}) EXPECT_EQ(t->Max(), 3);
}

TEST_F(Hosting, TimeLineRequests) {
    emit w.tBar->EnableZoomIn(false);
    EXPECT_FALSE(w.btZoom->isEnabled());
    emit w.tBar->EnableZoomIn(true);
    EXPECT_TRUE(w.btZoom->isEnabled());
    emit w.tBar->EnableZoomOut(false);
    EXPECT_FALSE(w.btZoomOut->isEnabled());
    emit w.tBar->ReqTimeChange(12345);
    EXPECT_EQ(w.cTime->value(), 12345);
    // The zoom buttons walk the time line's steps until it disables them.
    for (int i = 0; i < 30 && w.btZoom->isEnabled(); ++i) w.btZoom->click();
    EXPECT_FALSE(w.btZoom->isEnabled());
    EXPECT_TRUE(w.btZoomOut->isEnabled());
}

TEST_F(Hosting, EditingInTheListingMarksTheDocumentChanged) {
    load(3);
    clickRow(1, 300);
    ASSERT_EQ(w.cSel->value(), 1);
    w.picListing->txtSubText->setFocus();
    QTest::keyClicks(w.picListing->txtSubText, QStringLiteral("X"));
    QTest::keyClick(w.picListing->txtSubText, Qt::Key_Return);
    EXPECT_TRUE(w.cSubs->SubText(1).contains(QStringLiteral("X")));
    EXPECT_TRUE(w.bChanged);
    EXPECT_TRUE(w.mnuSave->isEnabled());
}

} // namespace

TEST(BandBar, MovingABandRearrangesTheWindow) {
    frmMain w;
    w.resize(900, 600);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const int before = w.picListing->height();
    w.insertToolBarBreak(w.DefBar); // the band moves to a second row
    QTest::qWait(0);
    QApplication::processEvents();
    QWidget* client = w.centralWidget();
    EXPECT_LT(w.picListing->height(), before);
    EXPECT_EQ(w.picBar->geometry().bottom() + 1 + 2, client->height()); // the strip stays at the bottom
}

TEST(FindCommands, OpenTheFindWindowAndSearchOn) {
    frmMain w;
    w.show();
    w.cSubs->AddSub(QStringLiteral("alpha"), 0, 1000);
    w.cSubs->AddSub(QStringLiteral("beta"), 2000, 3000);
    w.cSubs->AddSub(QStringLiteral("alpha again"), 4000, 5000);
    w.UpdateUI();
    QStringList shown;
    auto findAlpha = [&](QDialog* f) {
        shown << f->objectName();
        f->findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(QStringLiteral("alpha"));
        f->findChild<QPushButton*>(QStringLiteral("btFind"))->click();
        f->hide();
    };
    Forms().expect(findAlpha);
    w.MnuFind->trigger();
    EXPECT_EQ(w.cSel->value(), 0);
    w.MnuFind2->trigger(); // find next with the window's search
    EXPECT_EQ(w.cSel->value(), 2);
    Forms().expect([&](QDialog* f) {
        shown << f->objectName();
        f->hide();
    });
    frmMain::Button(w.BadBar, 5)->trigger();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("frmSearch"), QStringLiteral("frmSearch")}));
}

TEST(FindCommands, FindNextBeforeAnySearchShowsTheWindow) {
    frmMain w;
    w.show();
    w.cSubs->AddSub(QStringLiteral("alpha"), 0, 1000);
    bool shown = false;
    Forms().expect([&](QDialog* f) {
        shown = f->objectName() == QStringLiteral("frmSearch");
        f->hide();
    });
    w.MnuFind2->trigger();
    EXPECT_TRUE(shown);
}

TEST(SettingsCommand, ConfigureShowsTheSettingsWindowWhichHoldsTheFolders) {
    TempDir movies;
    frmMain w;
    ASSERT_TRUE(w.Settings());
    EXPECT_FALSE(w.Settings()->isVisible());
    w.setSubFolder(QStringLiteral("/tmp/subs/"));
    EXPECT_EQ(w.Settings()->txtSubs->text(), QStringLiteral("/tmp/subs/"));
    QString shown;
    Forms().expect([&](QDialog* f) {
        shown = f->objectName();
        f->findChild<QLineEdit*>(QStringLiteral("txtMovie"))->setText(movies.folder());
        f->findChild<QPushButton*>(QStringLiteral("btOk"))->click();
    });
    w.mnuConfigure->trigger();
    EXPECT_EQ(shown, QStringLiteral("frmSettings"));
    EXPECT_EQ(w.MovieFolder(), movies.folder());
}

TEST(SmallWindowCommands, PropertiesAboutLegendAndPrint) {
    frmMain w;
    w.cSubs->AddSub(QStringLiteral("one"), 0, 1000);
    QStringList shown;
    auto close = [&](QDialog* f) {
        shown << f->objectName();
        f->hide();
    };
    for (int i = 0; i < 3; ++i) Forms().expect(close);
    w.mnuProps->trigger();
    w.mnuAbout->trigger();
    emit w.tBar->ReqLegend();
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("frmProps"), QStringLiteral("frmAbout"), QStringLiteral("frmLegend")}));
    w.mnuMan->trigger();
    ASSERT_EQ(FakeDesk().opened.size(), 1);
    EXPECT_TRUE(FakeDesk().opened.at(0).startsWith(QStringLiteral("file:///")));
    EXPECT_TRUE(FakeDesk().opened.at(0).endsWith(QStringLiteral("/manual/index.html")));

    TempDir dir;
    PdfPrinter pdf(dir.path(QStringLiteral("listing.pdf")));
    InstallPrinter(&pdf);
    frmMain::Button(w.Toolbar1, 5)->trigger();
    InstallPrinter(nullptr);
    EXPECT_TRUE(dir.read(QStringLiteral("listing.pdf")).startsWith("%PDF"));
}

TEST(ToolCommands, WizardOrDialogAsTheSettingsSay) {
    frmMain w;
    w.show();
    w.cSubs->AddSub(QStringLiteral("a"), 0, 1000);
    w.cSubs->AddSub(QStringLiteral("b"), 2000, 3000);
    w.UpdateUI();
    // Wizards by default: each tool's command shows its wizard modally.
    QStringList shown;
    for (int i = 0; i < 4; ++i)
        Forms().expect([&](QDialog* f) {
            shown << f->objectName();
            f->hide();
        });
    for (int b = 2; b <= 5; ++b) frmMain::Button(w.ShowHideBar, b)->trigger();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("wzShift"), QStringLiteral("wzStretch"), QStringLiteral("wzSplit"),
                                  QStringLiteral("wzMerge")}));
    // With the switches off, the modeless dialogs bound at start-up show instead.
    for (QCheckBox* c :
         {w.Settings()->chShiftW, w.Settings()->chStretchW, w.Settings()->chSplitW, w.Settings()->chMergeW})
        c->setChecked(false);
    w.mnuShift->trigger();
    w.mnuStretch->trigger();
    w.mnuSplit->trigger();
    w.mnuMerge->trigger();
    const QWidget* dialogs[] = {w.fShift, w.fStretch, w.fSplit, w.fMerge};
    for (const QWidget* d : dialogs) EXPECT_TRUE(d->isVisible()) << d->objectName().toStdString();
}
