#include "controls/TimeText.h"
#include "controls/Tracker.h"
#include "model/Common.h"
#include "tests/support/FakePlayer.h"
#include "tests/support/Scripted.h"
#include "tests/visual/VisFixture.h"
#include "visual/frmVProps.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
struct VisTiming : ::testing::Test {
    VisHost h{5}; // 0-1500, 2000-3500, 4000-5500, 6000-7500, 8000-9500
    frmVis& vis = *h.vis;
    FakePlayer* player = qobject_cast<FakePlayer*>(h.vis->Player);

    void SetUp() override {
        ASSERT_NE(player, nullptr);
        player->duration = 20.0;
        player->setFileName(QStringLiteral("/videos/clip.avi"));
        player->calls.clear();
        vis.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&vis));
    }
    void TearDown() override { SetNewLineField(QStringLiteral("\u00A4")); }
    void typeNumber(const QString& text) {
        vis.txtSubNr->setFocus();
        vis.txtSubNr->selectAll();
        QTest::keyClicks(vis.txtSubNr, text);
        QTest::keyClick(vis.txtSubNr, Qt::Key_Return);
    }
};
} // namespace

TEST_F(VisTiming, StepButtonsMoveByATenthAndStopAtTheEnds) {
    EXPECT_EQ(h.cTime.value(), 0);
    h.cTime.setValue(100);
    EXPECT_TRUE(vis.btnSecB->isEnabled());
    vis.btnSecB->click();
    EXPECT_EQ(h.cTime.value(), 0);
    EXPECT_FALSE(vis.btnSecB->isEnabled());
    EXPECT_TRUE(vis.btnSecF->isEnabled());
    vis.btnSecF->click();
    vis.btnSecF->click();
    EXPECT_EQ(h.cTime.value(), 200);
    EXPECT_EQ(player->CurrentPosition(), 0.2);
    // Stepping into a gap deselects, stepping into a subtitle selects it.
    h.cTime.setValue(1450);
    EXPECT_EQ(h.sel.value(), 0);
    vis.btnSecF->click();
    EXPECT_EQ(h.sel.value(), -2);
    EXPECT_EQ(h.cTime.value(), 1550);

    // At the last millisecond of the video there is nothing to step forward to.
    h.cTime.setValue(19999);
    EXPECT_TRUE(vis.btnSecF->isEnabled());
    h.cTime.setValue(20000);
    EXPECT_FALSE(vis.btnSecF->isEnabled());
}

TEST_F(VisTiming, NextAndPreviousFromNothingSelectedAndAtTheEnds) {
    h.cTime.setValue(5700); // between 2 and 3
    ASSERT_EQ(h.sel.value(), -2);
    EXPECT_TRUE(vis.btNextSub->isEnabled());
    vis.btNextSub->click();
    EXPECT_EQ(h.sel.value(), 3);
    EXPECT_EQ(h.cTime.value(), 6000);

    h.cTime.setValue(5700);
    vis.btPrevSub->click();
    EXPECT_EQ(h.sel.value(), 2);
    EXPECT_EQ(h.cTime.value(), 4000);

    vis.mnuNextSub->trigger();
    vis.mnuNextSub->trigger();
    EXPECT_EQ(h.sel.value(), 4);
    EXPECT_FALSE(vis.btNextSub->isEnabled());
    EXPECT_FALSE(vis.mnuNextSub->isEnabled());
    EXPECT_TRUE(vis.btPrevSub->isEnabled());
    h.listing->SelectSub(0);
    EXPECT_FALSE(vis.btPrevSub->isEnabled());
    EXPECT_FALSE(vis.mnuPrevSub->isEnabled());

    // Past the last subtitle nothing lies ahead; before the first nothing lies behind.
    h.cTime.setValue(9600);
    EXPECT_EQ(h.sel.value(), -2);
    EXPECT_FALSE(vis.btNextSub->isEnabled());
    EXPECT_FALSE(vis.btSetStart->isEnabled());
    EXPECT_TRUE(vis.btPrevSub->isEnabled());
    EXPECT_TRUE(vis.btSetEnd->isEnabled());

    // While playing the selection does not move the time: the player is sent there.
    h.cTime.setValue(100);
    player->Play();
    player->calls.clear();
    vis.btNextSub->click();
    EXPECT_EQ(h.sel.value(), 1);
    EXPECT_EQ(player->calls, QStringList{QStringLiteral("CurrentPosition=2")});
}

TEST_F(VisTiming, SetStartAndEndAtThePlayTime) {
    h.listing->SelectSub(1);
    h.cTime.setValue(2300);
    vis.btSetStart->click();
    EXPECT_EQ(h.subs.SubTimeIn(1), 2300);
    EXPECT_EQ(h.sel.value(), 1);
    h.cTime.setValue(3000);
    vis.btSetEnd->click();
    EXPECT_EQ(h.subs.SubTimeOut(1), 3000);
    // The end is exclusive: the play time now lies after the subtitle.
    EXPECT_EQ(h.sel.value(), -2);

    // With nothing selected: the start of the next one, the end of the previous one.
    h.cTime.setValue(3800);
    ASSERT_EQ(h.sel.value(), -2);
    vis.btSetStart->click();
    EXPECT_EQ(h.subs.SubTimeIn(2), 3800);
    EXPECT_EQ(h.sel.value(), 2);
    h.cTime.setValue(7700);
    vis.btSetEnd->click();
    EXPECT_EQ(h.subs.SubTimeOut(3), 7700);
}

TEST_F(VisTiming, InsertAtThePlayTimeAndDelete) {
    h.cTime.setValue(2500);
    h.listing->SelectSub(-2); // the play time lies inside subtitle 1, which is not selected
    ASSERT_EQ(vis.btAdd->text(), QStringLiteral("Insert Subtitle"));
    vis.activateWindow();
    vis.btAdd->click();
    EXPECT_EQ(h.subs.count(), 6);
    const int inserted = h.sel.value();
    ASSERT_GE(inserted, 0);
    EXPECT_EQ(h.subs.SubTimeIn(inserted), 2500);
    EXPECT_EQ(h.subs.SubText(inserted), QString());
    EXPECT_TRUE(vis.txtSub->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return vis.txtSub->hasFocus(); }, 1000));
    EXPECT_EQ(vis.btAdd->text(), QStringLiteral("Delete Subtitle"));

    vis.btAdd->click();
    EXPECT_EQ(h.subs.count(), 5);
    EXPECT_EQ(h.sel.value(), -2);
    EXPECT_EQ(vis.btAdd->property("Tag").toString(), QString());
}

TEST_F(VisTiming, TypedTextIsStoredWithLineBreaksForTheMarker) {
    h.listing->SelectSub(1);
    vis.activateWindow();
    vis.txtSub->setFocus();
    vis.txtSub->moveCursor(QTextCursor::End);
    QTest::keyClicks(vis.txtSub, QStringLiteral("\u00A4two"));
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("Text 1\r\ntwo"));
    EXPECT_EQ(vis.txtSub->toPlainText(), QStringLiteral("Text 1\ntwo"));
    // The caret stayed at the end of what was typed.
    EXPECT_EQ(vis.txtSub->textCursor().position(), int(vis.txtSub->toPlainText().size()));
    // A marker of several characters, compared with case.
    SetNewLineField(QStringLiteral("<br>"));
    QTest::keyClicks(vis.txtSub, QStringLiteral("<BR>x<br>y"));
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("Text 1\r\ntwo<BR>x\r\ny"));
    // Another view's edit of the same subtitle shows here.
    h.subs.setSubText(1, QStringLiteral("A\r\nB"));
    EXPECT_EQ(vis.txtSub->toPlainText(), QStringLiteral("A\nB"));
    // Moving the caret stores nothing; a paste with the mouse is stored when the box is left.
    h.subs.setSubText(1, QStringLiteral("A\nB"));
    QSignalSpy changes(&h.subs, &clsSubs::Change);
    QTest::keyClick(vis.txtSub, Qt::Key_Left);
    EXPECT_EQ(changes.count(), 0);
    vis.txtSub->insertPlainText(QStringLiteral("pasted"));
    vis.txtTime->txtHr->setFocus();
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("A\r\npastedB"));
}

TEST_F(VisTiming, NumberBoxSelectsTheTypedSubtitleWithinTheList) {
    typeNumber(QStringLiteral("3"));
    EXPECT_EQ(h.sel.value(), 3);
    EXPECT_EQ(h.cTime.value(), 6000);
    EXPECT_EQ(vis.txtSubNr->selectedText(), QStringLiteral("3"));
    typeNumber(QStringLiteral("99999999"));
    EXPECT_EQ(h.sel.value(), 4);
    typeNumber(QStringLiteral("-7"));
    EXPECT_EQ(h.sel.value(), 0);
    typeNumber(QStringLiteral("2.5")); // halves to even
    EXPECT_EQ(h.sel.value(), 2);
    EXPECT_EQ(FakeDesk().beeps, 0);

    // Leaving the box shows the selection again.
    QTest::keyClicks(vis.txtSubNr, QStringLiteral("4"));
    vis.txtTime->txtHr->setFocus();
    EXPECT_EQ(vis.txtSubNr->text(), QStringLiteral("2"));

    // An empty list: Enter changes nothing.
    h.fill(0);
    const int none = h.sel.value();
    typeNumber(QStringLiteral("1"));
    EXPECT_EQ(h.sel.value(), none);
}

TEST_F(VisTiming, MarkersAreSetShownAndFollowed) {
    h.cTime.setValue(4200);
    vis.btMarkS1->click();
    EXPECT_EQ(h.markT1.value(), 4200);
    EXPECT_EQ(vis.iMarker(), 2);
    EXPECT_TRUE(vis.frmMark->isHidden());
    EXPECT_TRUE(vis.frmMarker->isVisible());
    EXPECT_EQ(vis.frmMarker->title(), QStringLiteral("First Stretch Marker "));
    EXPECT_EQ(vis.btGoto->toolTip(), QStringLiteral("Goto stretch marker-time 1"));
    EXPECT_TRUE(vis.btGoto->isEnabled());
    EXPECT_TRUE(vis.mnuDispM1->isChecked());
    EXPECT_FALSE(vis.mnuDispNone->isChecked());
    EXPECT_TRUE(vis.tTrack->selectMode());
    EXPECT_EQ(vis.tTrack->sValue(), 4200);
    EXPECT_EQ(vis.txtMarkTime->lTime(), 4200);

    // The shown marker follows changes made elsewhere; a hidden one only updates its value.
    h.markT1.setValue(5000);
    EXPECT_EQ(vis.tTrack->sValue(), 5000);
    EXPECT_EQ(vis.txtMarkTime->lTime(), 5000);
    h.markT.setValue(800);
    EXPECT_EQ(vis.tTrack->sValue(), 5000);

    // "Set current time as marker" sets the shown one.
    h.cTime.setValue(6100);
    vis.btSet->click();
    EXPECT_EQ(h.markT1.value(), 6100);
    EXPECT_EQ(h.markT.value(), 800);

    // Showing another marker from the menu, then none.
    vis.mnuDispM->trigger();
    EXPECT_EQ(vis.iMarker(), 1);
    EXPECT_EQ(vis.frmMarker->title(), QStringLiteral("Shift Marker "));
    EXPECT_EQ(vis.tTrack->sValue(), 800);
    EXPECT_EQ(h.markT.value(), 800);
    vis.mnuDispNone->trigger();
    EXPECT_EQ(vis.iMarker(), 0);
    EXPECT_FALSE(vis.tTrack->selectMode());
    EXPECT_EQ(vis.tTrack->height(), frmVis::TrackHeightPlain);
    EXPECT_TRUE(vis.frmMark->isVisible());
    EXPECT_FALSE(vis.btGoto->isEnabled());

    // The right button on the slider offers the display menu.
    FakeDesk().popupChoices.push_back(QStringLiteral("mnuDispM2"));
    QTest::mousePress(vis.tTrack->picM, Qt::RightButton, {}, QPoint(5, 2));
    QTest::mouseRelease(vis.tTrack->picM, Qt::RightButton, {}, QPoint(5, 2));
    EXPECT_EQ(FakeDesk().popups, QStringList{QStringLiteral("mnuDisplayM")});
    EXPECT_EQ(vis.iMarker(), 3);
    EXPECT_EQ(vis.frmMarker->title(), QStringLiteral("Second Stretch Marker "));

    // Typing the marker's time moves it; so does grabbing the slider's marker.
    emit vis.txtMarkTime->Change(12345);
    EXPECT_EQ(h.markT2.value(), 12345);
    EXPECT_EQ(vis.tTrack->sValue(), 12345);
    QWidget* surface = vis.tTrack->picM;
    const int w = surface->width() - 2;
    const QPoint at(12345 * w / 20000 + 2, surface->height() - 2);
    QTest::mousePress(surface, Qt::LeftButton, {}, at);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, at);
    EXPECT_EQ(h.markT2.value(), vis.tTrack->sValue());
    EXPECT_GT(h.markT2.value(), 12345);
    EXPECT_EQ(vis.txtMarkTime->lTime(), h.markT2.value());
    EXPECT_EQ(h.cTime.value(), 6100); // the play position stays
}

TEST_F(VisTiming, GoingToAMarkerWhilePlayingPausesJumpsAndPlaysOn) {
    h.markT.setValue(6200);
    h.markT2.setValue(8100);
    vis.mnuGotoM->trigger();
    EXPECT_EQ(h.cTime.value(), 6200);
    EXPECT_EQ(player->calls, QStringList{QStringLiteral("CurrentPosition=6.2")});

    player->Play();
    player->calls.clear();
    vis.mnuGotoM2->trigger();
    EXPECT_EQ(player->calls,
              (QStringList{QStringLiteral("Pause"), QStringLiteral("CurrentPosition=8.1"), QStringLiteral("Play")}));
    EXPECT_EQ(h.cTime.value(), 8100);
    EXPECT_TRUE(vis.bPlaying);
    EXPECT_EQ(h.sel.value(), 4);
}

TEST_F(VisTiming, MenusReachTheHostTheBadSubtitlesAndTheSettings) {
    h.host.calls.clear();
    vis.mnuOpen->trigger();
    vis.mnuAbout->trigger();
    EXPECT_EQ(h.host.calls, (QStringList{QStringLiteral("subLoadVideo"), QStringLiteral("About")}));

    // Subtitle 3 overlaps subtitle 4: the listing knows them as bad.
    h.subs.setSubTimeOut(3, 8200);
    h.listing->DetermineInvalids();
    h.listing->SelectSub(0);
    ASSERT_EQ(h.listing->NextBad(), 3);
    vis.mnuNextBad->trigger();
    EXPECT_EQ(h.sel.value(), 3);
    EXPECT_EQ(h.cTime.value(), 6000);

    Forms().expect([](QDialog* f) {
        EXPECT_EQ(f->objectName(), QStringLiteral("frmSettingsV"));
        f->findChild<QPushButton*>(QStringLiteral("btCancel"))->click();
    });
    vis.mnuConfigure->trigger();
    EXPECT_EQ(Forms().shown, QStringList{QStringLiteral("frmSettingsV")});
}

TEST_F(VisTiming, PropertiesShowTheVideosFigures) {
    player->duration = 83.4375; // 83437.5 ms, an exact binary fraction
    player->setFileName(QStringLiteral("/videos/films/holiday.mkv"));
    h.cTime.setValue(61001);
    for (int use = 0; use < 2; ++use) {
        Forms().expect([](QDialog* f) {
            EXPECT_EQ(f->windowTitle(), QStringLiteral("Movie Properties"));
            auto text = [f](const char* name) { return f->findChild<QLabel*>(QString::fromLatin1(name))->text(); };
            // Each use starts from the form's own captions.
            EXPECT_EQ(text("lbDuration"), QStringLiteral("Duration : 00:01:23.438"));
            EXPECT_EQ(text("lbFilename"), QStringLiteral("Filename : holiday.mkv"));
            EXPECT_EQ(text("lbPath"), QStringLiteral("Path : /videos/films/"));
            EXPECT_EQ(text("lbPosition"), QStringLiteral("Current position : 00:01:01.001"));
            f->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            EXPECT_FALSE(f->isVisible());
        });
        vis.mnuProps->trigger();
    }
    EXPECT_EQ(Forms().shown.size(), 2u);
}
