// The Visual Editor with the real player on a clip made for the test.
#include "controls/TimeText.h"
#include "controls/Tracker.h"
#include "platform/MediaPlayer.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/FakePlayer.h"
#include "tests/visual/VisFixture.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cmath>

namespace {
constexpr int kWait = 10000;

struct VisRealPlayer : ::testing::Test {
    static void SetUpTestSuite() {
        QString error;
        clip = SharedTestClip(&error);
        ASSERT_FALSE(clip.isEmpty()) << error.toStdString();
    }
    void SetUp() override {
        if (clip.isEmpty()) GTEST_SKIP() << "no test clip";
        SetMediaPlayerFactory({});
        h = std::make_unique<VisHost>(2); // 0-1500, 2000-3500
        InstallFakePlayers();
    }
    static inline QString clip;
    std::unique_ptr<VisHost> h;
};
} // namespace

TEST_F(VisRealPlayer, OpensPlaysFollowsAndPauses) {
    frmVis& vis = *h->vis;
    MediaPlayer* player = vis.Player;
    ASSERT_EQ(qobject_cast<FakePlayer*>(player), nullptr);
    vis.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&vis));

    // Opened as the main window opens a video.
    player->setFileName(clip);
    ASSERT_EQ(player->FileName(), clip) << player->ErrorText().toStdString();
    player->Play();
    player->Pause();
    player->setCurrentPosition(h->cTime.value() / 1000.0);
    EXPECT_NEAR(vis.tTrack->Max(), 2000, 50);
    EXPECT_FALSE(vis.bPlaying);

    // Playing: the timer carries the play time, the slider and the selection along.
    vis.btPlayState->click();
    EXPECT_TRUE(vis.bPlaying);
    EXPECT_TRUE(vis.Synchro->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->cTime.value() >= 300; }, kWait));
    EXPECT_EQ(vis.tTrack->value(), h->cTime.value());
    EXPECT_EQ(vis.txtTime->lTime(), h->cTime.value());
    EXPECT_EQ(h->sel.value(), 0);
    EXPECT_FALSE(vis.txtSub->isEnabled());

    vis.btPlayState->click();
    EXPECT_FALSE(vis.bPlaying);
    EXPECT_FALSE(vis.Synchro->isActive());
    EXPECT_EQ(player->PlayState(), MediaPlayer::Paused);
    // Where it halted is at most one refresh ahead of the last play time taken.
    const double halted = player->CurrentPosition() * 1000;
    EXPECT_GE(halted + 1, h->cTime.value());
    EXPECT_LE(halted - h->cTime.value(), 400);
    const qint32 last = h->cTime.value();
    QMetaObject::invokeMethod(&vis, "Synchro_Timer");
    EXPECT_EQ(h->cTime.value(), last);

    // Halted, the play time drives the player: a seek that the player confirms.
    QSignalSpy moved(player, &MediaPlayer::PositionChange);
    h->cTime.setValue(1700);
    ASSERT_TRUE(moved.wait(kWait));
    EXPECT_NEAR(player->CurrentPosition(), 1.7, 0.001);
    EXPECT_EQ(h->cTime.value(), 1700);
    EXPECT_EQ(h->sel.value(), -2);

    // Played to the end: the time line gets the stop position.
    vis.btPlayState->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !vis.bPlaying; }, kWait));
    EXPECT_EQ(player->PlayState(), MediaPlayer::Stopped);
    EXPECT_NEAR(h->tBar->lCurrentPosition, player->CurrentPosition() * 1000, 1);
    EXPECT_GE(h->cTime.value(), 1700);
}
