#include "controls/TimeText.h"
#include "controls/Tracker.h"
#include "formats/VisualPlayer.h"
#include "tests/support/FakePlayer.h"
#include "tests/support/Scripted.h"
#include "tests/visual/VisFixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
struct VisSync : ::testing::Test {
    VisHost h{5};
    frmVis& vis = *h.vis;
    FakePlayer* player = qobject_cast<FakePlayer*>(h.vis->Player);

    void SetUp() override {
        ASSERT_NE(player, nullptr);
        player->duration = 20.0;
        player->setFileName(QStringLiteral("/videos/clip.avi"));
        player->calls.clear();
    }
    void tick() { QMetaObject::invokeMethod(&vis, "Synchro_Timer"); }
    void play() {
        player->Play();
        ASSERT_TRUE(vis.bPlaying);
    }
};
} // namespace

TEST(VisLoad, UnboundWindowShowsNothingAndBindingShowsTheNoMarkerState) {
    frmVis vis(nullptr, nullptr, nullptr);
    EXPECT_EQ(vis.windowTitle(), QStringLiteral("Visual Editor"));
    EXPECT_FALSE(vis.bPlaying);
    EXPECT_EQ(vis.iCurSub(), -2);
    EXPECT_FALSE(vis.Synchro->isActive());
    EXPECT_EQ(vis.Synchro->interval(), 100);
    // Nothing bound: the marker menus are untouched.
    EXPECT_FALSE(vis.mnuDispNone->isChecked());

    VisHost h(0);
    EXPECT_TRUE(h.vis->mnuDispNone->isChecked());
    EXPECT_FALSE(h.vis->btGoto->isEnabled());
    EXPECT_TRUE(h.vis->btGoto->toolTip().isEmpty());
    EXPECT_FALSE(h.vis->frmMark->isHidden());
    EXPECT_TRUE(h.vis->frmMarker->isHidden());
    EXPECT_EQ(h.vis->btAdd->text(), QStringLiteral("Insert Subtitle"));
    // An empty list: no navigation and no timing.
    for (QPushButton* b : {h.vis->btNextSub, h.vis->btPrevSub, h.vis->btSetStart, h.vis->btSetEnd})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(h.vis->mnuNextSub->isEnabled());
}

TEST_F(VisSync, HaltedPlayTimeSeeksShowsAndSelectsTheSubtitleUnderIt) {
    h.cTime.setValue(2500);
    EXPECT_EQ(player->calls, QStringList{QStringLiteral("CurrentPosition=2.5")});
    EXPECT_EQ(vis.txtTime->lTime(), 2500);
    EXPECT_EQ(vis.tTrack->value(), 2500);
    EXPECT_EQ(h.sel.value(), 1);
    EXPECT_EQ(vis.iCurSub(), 1);
    // The nested selection does not pull the play time back to the subtitle's start.
    EXPECT_EQ(h.cTime.value(), 2500);
    EXPECT_EQ(vis.txtSubNr->text(), QStringLiteral("1"));
    EXPECT_EQ(vis.txtSub->toPlainText(), QStringLiteral("Text 1"));
    EXPECT_EQ(vis.btAdd->property("Tag").toString(), QStringLiteral("d"));
    EXPECT_EQ(vis.btAdd->text(), QStringLiteral("Delete Subtitle"));
    // The time line follows the position.
    EXPECT_EQ(h.tBar->lCurrentPosition, 2500);

    // Inside the same subtitle: no new selection.
    QSignalSpy selChanges(&h.sel, &clsTime::Change);
    h.cTime.setValue(3400);
    EXPECT_EQ(selChanges.count(), 0);
    EXPECT_EQ(h.sel.value(), 1);

    // The end is exclusive: at 3500 no subtitle holds the time and the listing deselects.
    h.cTime.setValue(3500);
    EXPECT_EQ(h.sel.value(), -2);
    EXPECT_TRUE(vis.txtSub->isHidden());
    EXPECT_TRUE(vis.txtSubNr->text().isEmpty());
    EXPECT_EQ(vis.btAdd->property("Tag").toString(), QString());
    EXPECT_EQ(vis.btAdd->toolTip(), QStringLiteral("Insert a subtitle at this position"));
}

TEST_F(VisSync, SelectingMovesThePlayTimeOnlyWhileHalted) {
    h.listing->SelectSub(3);
    EXPECT_EQ(h.cTime.value(), 6000);
    EXPECT_EQ(player->CurrentPosition(), 6.0);

    play();
    h.listing->SelectSub(1);
    EXPECT_EQ(vis.iCurSub(), 1);
    EXPECT_EQ(h.cTime.value(), 6000);

    // A mouse action in the listing runs halted: the click moves the time, then play goes on.
    vis.SavePlayState();
    EXPECT_FALSE(vis.bPlaying);
    h.listing->SelectSub(2);
    EXPECT_EQ(h.cTime.value(), 4000);
    EXPECT_EQ(player->CurrentPosition(), 4.0);
    vis.RestorePlayState();
    EXPECT_TRUE(vis.bPlaying);
}

TEST_F(VisSync, PlayingFollowsThePlayerOnEachTickAndLocksTheEditors) {
    EXPECT_FALSE(vis.Synchro->isActive());
    play();
    EXPECT_TRUE(vis.Synchro->isActive());
    EXPECT_EQ(vis.btPlayState->property("Tag").toString(), QStringLiteral("play"));
    EXPECT_EQ(vis.btPlayState->toolTip(), QStringLiteral("Pause Movie"));
    for (QWidget* w : {static_cast<QWidget*>(vis.txtSub), static_cast<QWidget*>(vis.txtSubNr)})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_FALSE(vis.txtTime->Enabled());
    EXPECT_FALSE(vis.btnSecB->isEnabled());
    EXPECT_FALSE(vis.btnSecF->isEnabled());

    // The video moves on; each tick takes its position, halves to even, without seeking back.
    // (Both positions are exact binary fractions: 4062.5 and 4187.5 ms.)
    player->position = 4.0625;
    tick();
    EXPECT_EQ(h.cTime.value(), 4062);
    EXPECT_EQ(h.sel.value(), 2);
    player->position = 4.1875;
    tick();
    EXPECT_EQ(h.cTime.value(), 4188);
    EXPECT_EQ(player->calls, QStringList{QStringLiteral("Play")});
    EXPECT_EQ(h.tBar->lCurrentPosition, 4188);

    // The listing refuses edits while playing.
    const QString before = h.subs.SubText(2);
    h.listing->txtSubText->setFocus();
    QTest::keyClicks(h.listing->txtSubText, QStringLiteral("xyz"));
    QTest::keyClick(h.listing->txtSubText, Qt::Key_Return);
    EXPECT_EQ(h.subs.SubText(2), before);

    // Paused: ticks change nothing, the timer stops and the controls come back.
    vis.btPlayState->click();
    EXPECT_FALSE(vis.bPlaying);
    EXPECT_FALSE(vis.Synchro->isActive());
    EXPECT_EQ(vis.btPlayState->toolTip(), QStringLiteral("Play Movie"));
    EXPECT_EQ(vis.btPlayState->property("Tag").toString(), QString());
    player->position = 9.0;
    tick();
    EXPECT_EQ(h.cTime.value(), 4188);
    EXPECT_TRUE(vis.txtSub->isEnabled());
    EXPECT_TRUE(vis.btnSecB->isEnabled());
    vis.btPlayState->click();
    EXPECT_TRUE(vis.bPlaying);
}

TEST_F(VisSync, TheEndOfTheVideoIsNoPlayTime) {
    // A seek's position event moves the play time.
    vis.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vis));
    QWidget* surface = vis.tTrack->picM;
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->width() * 7 / 20, surface->height() / 2));
    const qint32 clicked = vis.tTrack->value();
    EXPECT_NEAR(clicked, 7000, 200);
    EXPECT_EQ(player->calls.last(), QStringLiteral("CurrentPosition=") + QString::number(clicked / 1000.0));
    EXPECT_EQ(h.cTime.value(), 0); // the player has not got there yet
    player->finishSeek();
    EXPECT_EQ(h.cTime.value(), clicked);
    h.cTime.setValue(7000);

    // Within 0.01 s of the end the event is ignored, and the time line is not told.
    h.tBar->lCurrentPosition = 123;
    player->position = 19.995;
    emit player->PositionChange(7.0, 19.995);
    EXPECT_EQ(h.cTime.value(), 7000);
    // Within 0.1 s a time change leaves the time line's position alone.
    play();
    player->position = 19.95;
    tick();
    EXPECT_EQ(h.cTime.value(), 19950);
    EXPECT_EQ(h.tBar->lCurrentPosition, 123);

    // Stopping hands the time line the position in ms, without waiting for a redraw.
    player->reachEnd();
    EXPECT_FALSE(vis.bPlaying);
    EXPECT_EQ(h.tBar->lCurrentPosition, 20000);
}

TEST_F(VisSync, AVideoOfUnknownLengthStaysInStepWithThePlayTime) {
    player->duration = 0;
    player->setFileName(QStringLiteral("/videos/live.m2v"));
    vis.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vis));
    h.cTime.setValue(3000);
    player->finishSeek();
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 3.0);
    // The slider has no range to offer: a click leaves the video and the play time together.
    QWidget* surface = vis.tTrack->picM;
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->width() / 2, surface->height() / 2));
    player->finishSeek();
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 3.0);
    EXPECT_EQ(h.cTime.value(), 3000);
    // Nor is there a last millisecond that stops a step forward.
    ASSERT_TRUE(vis.btnSecF->isEnabled());
    QTest::mouseClick(vis.btnSecF, Qt::LeftButton);
    player->finishSeek();
    EXPECT_EQ(h.cTime.value(), 3100);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 3.1);
}

TEST_F(VisSync, OpeningAFileSetsTheSliderAndTheMovieLength) {
    player->duration = 12.3456;
    player->setFileName(QStringLiteral("/videos/other.avi"));
    EXPECT_EQ(vis.tTrack->Max(), 12346);
    // The formats read the length in frames through the display mode, which goes back to time.
    player->calls.clear();
    const VisualPlayerInfo info = VisualPlayer();
    EXPECT_EQ(info.fileName, QStringLiteral("/videos/other.avi"));
    EXPECT_DOUBLE_EQ(info.duration, 12.3456);
    EXPECT_DOUBLE_EQ(info.frames, 309.0);
    EXPECT_EQ(player->calls, (QStringList{QStringLiteral("DisplayMode=1"), QStringLiteral("DisplayMode=0")}));
    EXPECT_EQ(player->DisplayMode(), 0);
}

TEST_F(VisSync, CloseBoxHidesAndPausesActivationPressesTheButton) {
    vis.show();
    QApplication::setActiveWindow(&vis);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.host.calls.contains(QStringLiteral("pressed")); }, 2000));
    h.host.calls.clear();
    play();
    vis.close();
    EXPECT_TRUE(vis.isHidden());
    EXPECT_EQ(player->PlayState(), MediaPlayer::Paused);
    EXPECT_EQ(h.host.calls, QStringList{QStringLiteral("released")});

    // File > Close pauses by the player's own state.
    vis.show();
    player->setPlayState(MediaPlayer::Playing);
    vis.SavePlayState(); // bPlaying false, the player still plays
    vis.mnuClos->trigger();
    EXPECT_TRUE(vis.isHidden());
    EXPECT_EQ(player->PlayState(), MediaPlayer::Paused);

    // Unloading really closes.
    vis.show();
    vis.Unload();
    EXPECT_FALSE(vis.isVisible());
}

TEST_F(VisSync, LayoutFollowsTheWindowAndTheMarkerSlider) {
    vis.resize(200, 100); // below the least size
    vis.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vis));
    EXPECT_GE(vis.width(), 6240 / 15);
    EXPECT_GE(vis.height(), 3600 / 15);
    vis.resize(700, 560);
    QCoreApplication::processEvents();
    const QWidget* client = vis.centralWidget();
    const QRect p = vis.Player->geometry();
    EXPECT_EQ(p.width(), client->width() - 16);
    EXPECT_EQ(vis.tTrack->width(), p.width());
    EXPECT_EQ(vis.txtSub->width(), p.width());
    EXPECT_EQ(vis.tTrack->y(), p.bottom() + 1 + 7);
    EXPECT_EQ(vis.tTrack->height(), frmVis::TrackHeightPlain);
    EXPECT_EQ(vis.frmTime->y(), vis.frmMarker->y());
    EXPECT_EQ(vis.frmSubButtons->x(), client->width() - 108);
    EXPECT_LE(vis.frmTime->geometry().bottom(), vis.txtSub->y());

    // Showing a marker makes the slider taller and the player shorter by as much.
    h.cTime.setValue(1000);
    vis.btMarkS->click();
    EXPECT_EQ(vis.tTrack->height(), frmVis::TrackHeightMarker);
    EXPECT_EQ(vis.Player->height(), p.height() - (frmVis::TrackHeightMarker - frmVis::TrackHeightPlain));
    EXPECT_EQ(vis.frmTime->y(), vis.Player->geometry().bottom() + 1 + frmVis::TrackHeightMarker + 11);
}
