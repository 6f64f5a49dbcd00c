// The Visual Editor's playback as the main window drives it: the play state across the
// listing's mouse actions, and a second video loaded over the first.
#include "controls/SubListing.h"
#include "controls/Tracker.h"
#include "controls/timeBar.h"
#include "mainwin/frmMain.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tests/support/FakePlayer.h"
#include "tests/support/Scripted.h"
#include "visual/frmVis.h"

#include <QAction>
#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {
struct Playback : ::testing::Test {
    frmMain m;
    frmVis* vis = m.Vis();
    FakePlayer* player = qobject_cast<FakePlayer*>(m.Vis()->Player);

    void SetUp() override {
        ASSERT_NE(player, nullptr);
        for (int i = 0; i < 3; ++i)
            m.cSubs->AddSub(QStringLiteral("Sub %1").arg(i), 1000 + 20000 * i, 3000 + 20000 * i);
    }
    void loadVideo(const QString& path, double seconds) {
        player->duration = seconds;
        Dialogs().expectOpen(path);
        m.mnuVideo->trigger();
        settle();
    }
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }
};
} // namespace

TEST_F(Playback, AVideoThatEndedDuringAListingActionIsNotPlayingAfterwards) {
    loadVideo(QStringLiteral("/videos/film.avi"), 60);
    player->Play();
    ASSERT_TRUE(vis->bPlaying);
    // The video ends while the listing's marker menu is open.
    emit m.picListing->ReqSave();
    player->reachEnd();
    emit m.picListing->ReqRestore();
    EXPECT_FALSE(vis->bPlaying);
    // Play-time changes seek the player again.
    player->calls.clear();
    m.cTime->setValue(5000);
    EXPECT_TRUE(player->calls.contains(QStringLiteral("CurrentPosition=5")));

    // A video still playing is playing again afterwards.
    player->Play();
    emit m.picListing->ReqSave();
    EXPECT_FALSE(vis->bPlaying);
    emit m.picListing->ReqRestore();
    EXPECT_TRUE(vis->bPlaying);
}

TEST_F(Playback, ANewVideoKeepsTheSelectionAndClampsThePlayTime) {
    loadVideo(QStringLiteral("/videos/long.avi"), 60);
    m.picListing->SelectSub(2);
    settle();
    ASSERT_EQ(m.cTime->value(), 41000);
    ASSERT_EQ(m.cSel->value(), 2);

    loadVideo(QStringLiteral("/videos/longer.avi"), 90);
    EXPECT_EQ(m.cTime->value(), 41000);
    EXPECT_EQ(m.cSel->value(), 2);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 41.0);

    // A shorter video: the play time goes to its end; the selection stays.
    loadVideo(QStringLiteral("/videos/short.avi"), 30);
    EXPECT_EQ(m.cTime->value(), 30000);
    EXPECT_EQ(m.cSel->value(), 2);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 30.0);
    EXPECT_EQ(vis->tTrack->Max(), 30000);
    EXPECT_EQ(m.tBar->lCurrentPosition, 30000); // the time line's play marker too
}
