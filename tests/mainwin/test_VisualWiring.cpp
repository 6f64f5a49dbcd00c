#include "controls/SubListing.h"
#include "controls/Tracker.h"
#include "formats/VisualPlayer.h"
#include "mainwin/frmMain.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tests/support/FakePlayer.h"
#include "tests/support/Scripted.h"
#include "visual/frmSettingsV.h"
#include "visual/frmVis.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

TEST(VisualWiring, LoadShowHideAndForward) {
    frmMain m;
    frmVis* vis = m.Vis();
    ASSERT_NE(vis, nullptr);
    auto* player = qobject_cast<FakePlayer*>(vis->Player);
    ASSERT_NE(player, nullptr);
    EXPECT_FALSE(vis->isVisible());
    m.cTime->setValue(70000); // past the 60 s video
    Dialogs().expectOpen(QStringLiteral("/videos/film.avi"));
    m.mnuVisual->trigger();
    EXPECT_TRUE(vis->isVisible());
    EXPECT_EQ(vis->windowTitle(), QStringLiteral("film.avi - Lumerin Visual Editor"));
    EXPECT_TRUE(frmMain::Button(m.ShowHideBar, 1)->isChecked());
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 60.0); // at the video's end
    EXPECT_NE(vis->findChild<frmSettingsV*>(), nullptr);
    EXPECT_EQ(vis->tTrack->value(), 60000); // the slider keeps within the video
    EXPECT_EQ(VisualPlayer().fileName, QStringLiteral("/videos/film.avi"));
    // The toolbar button never hides it; the menu command toggles it.
    frmMain::Button(m.ShowHideBar, 1)->trigger();
    EXPECT_TRUE(vis->isVisible());
    m.mnuVisual->trigger();
    EXPECT_FALSE(vis->isVisible());
    EXPECT_FALSE(frmMain::Button(m.ShowHideBar, 1)->isChecked());
    // The listing's requests reach the player only while a video is loaded.
    player->Play();
    emit m.picListing->ReqSave();
    EXPECT_FALSE(vis->bPlaying);
    emit m.picListing->ReqRestore();
    EXPECT_TRUE(vis->bPlaying);
    emit m.picListing->ReqPause();
    EXPECT_EQ(player->PlayState(), MediaPlayer::Paused);
    // Cancel leaves everything as it was.
    Dialogs().expectCancel(QStringLiteral("open"));
    m.mnuVideo->trigger();
    EXPECT_EQ(player->FileName(), QStringLiteral("/videos/film.avi"));
}

TEST(VisualWiring, VideoThatFailsToOpenIsToldAndChangesNothing) {
    frmMain m;
    frmVis* vis = m.Vis();
    auto* player = qobject_cast<FakePlayer*>(vis->Player);
    ASSERT_NE(player, nullptr);
    player->failing << QStringLiteral("/videos/broken.avi");
    const QString folder = m.MovieFolder();
    const QString caption = vis->windowTitle();
    Dialogs().expectOpen(QStringLiteral("/videos/broken.avi"));
    Boxes().expect(vb::OK, QStringLiteral("could not be opened"));
    m.mnuVideo->trigger();
    EXPECT_FALSE(vis->isVisible());
    EXPECT_EQ(vis->windowTitle(), caption);
    EXPECT_EQ(m.MovieFolder(), folder);
    EXPECT_FALSE(frmMain::Button(m.ShowHideBar, 1)->isChecked());
}

TEST(VisualWiring, AVideoThatFailsToOpenOverAnotherKeepsTheOneLoaded) {
    frmMain m;
    frmVis* vis = m.Vis();
    auto* player = qobject_cast<FakePlayer*>(vis->Player);
    ASSERT_NE(player, nullptr);
    const QString film = QStringLiteral("/videos/film.avi"), broken = QStringLiteral("/videos/broken.avi");
    player->failing << broken;
    Dialogs().expectOpen(film);
    m.mnuVisual->trigger();
    m.cTime->setValue(5000);
    player->Play();
    Dialogs().expectOpen(broken);
    Boxes().expect(vb::OK, QStringLiteral("could not be opened"));
    m.mnuVideo->trigger();
    EXPECT_EQ(player->FileName(), film);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 5.0);
    EXPECT_EQ(player->PlayState(), MediaPlayer::Paused);
    EXPECT_TRUE(vis->isVisible());
    EXPECT_EQ(vis->windowTitle(), QStringLiteral("film.avi - Lumerin Visual Editor"));
    EXPECT_TRUE(frmMain::Button(m.ShowHideBar, 1)->isChecked());

    // When the loaded video won't open again either, the Visual Editor goes away with it.
    player->failing << film;
    Dialogs().expectOpen(broken);
    Boxes().expect(vb::OK, QStringLiteral("could not be opened"));
    vis->mnuOpen->trigger();
    EXPECT_EQ(player->FileName(), QString());
    EXPECT_FALSE(vis->isVisible());
    EXPECT_EQ(vis->windowTitle(), QStringLiteral("Visual Editor"));
    EXPECT_FALSE(frmMain::Button(m.ShowHideBar, 1)->isChecked());
}

TEST(VisualWiring, TextTypedInTheListingWhileTheVideoPlaysIsNeverShownThenLost) {
    frmMain m;
    m.show();
    auto* player = qobject_cast<FakePlayer*>(m.Vis()->Player);
    ASSERT_NE(player, nullptr);
    m.cSubs->AddSub(QStringLiteral("One"), 0, 1000);
    m.cSubs->AddSub(QStringLiteral("Two"), 2000, 3000);
    Dialogs().expectOpen(QStringLiteral("/videos/film.avi"));
    m.mnuVideo->trigger();
    m.picListing->SelectSub(0);
    QLineEdit* t = m.picListing->txtSubText;
    t->setFocus();
    t->end(false);
    // A key still down when playback starts is kept.
    QTest::keyPress(t, Qt::Key_A);
    player->Play();
    QTest::keyRelease(t, Qt::Key_A);
    EXPECT_EQ(m.cSubs->SubText(0), QStringLiteral("Onea"));
    // While it plays the row editor takes no typing, so it shows none.
    EXPECT_TRUE(t->isReadOnly());
    QTest::keyClicks(t, QStringLiteral("bc"));
    EXPECT_EQ(t->text(), QStringLiteral("Onea"));
    m.cSel->setValue(1);
    m.cSel->setValue(0);
    EXPECT_EQ(t->text(), QStringLiteral("Onea"));
    EXPECT_EQ(m.cSubs->SubText(0), QStringLiteral("Onea"));
    // Paused, it takes typing again.
    player->Pause();
    EXPECT_FALSE(t->isReadOnly());
    t->end(false);
    QTest::keyClicks(t, QStringLiteral("d"));
    EXPECT_EQ(m.cSubs->SubText(0), QStringLiteral("Onead"));
}
