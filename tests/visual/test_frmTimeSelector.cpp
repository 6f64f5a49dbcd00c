// The time picker: its own player and play time, the selected time written live into the
// caller's object, and the transport buttons.
#include "controls/TimeText.h"
#include "controls/Tracker.h"
#include "model/clsTime.h"
#include "platform/MediaPlayer.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/FakePlayer.h"
#include "tests/support/Scripted.h"
#include "visual/frmTimeSelector.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
struct Picker {
    clsTime play, selected;
    frmTimeSelector f{250};
    FakePlayer* player;
    Picker(qint32 start, qint32 sel) {
        for (clsTime* t : {&play, &selected}) t->setMax(1073741824);
        play.setValue(start);
        selected.setValue(sel);
        f.SetStructs(&play, &selected);
        player = qobject_cast<FakePlayer*>(f.Player);
    }
    void open(double seconds = 60) {
        player->duration = seconds;
        player->setFileName(QStringLiteral("/videos/movie.avi"));
    }
    void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
};
} // namespace

TEST(TimePicker, KeepsTheCallersRangeUntilTheVideoOpensThenClampsToIt) {
    Picker p(5000, 70000);
    ASSERT_NE(p.player, nullptr);
    EXPECT_EQ(p.f.windowTitle(), QStringLiteral("Select Time"));
    EXPECT_EQ(p.f.Synchro->interval(), 250);
    EXPECT_EQ(p.f.lbInfo->text(), QStringLiteral("Please select the time and click OK"));
    EXPECT_EQ(p.f.tTrack->Max(), 1073741824);
    EXPECT_EQ(p.f.tTrack->value(), 5000);
    EXPECT_TRUE(p.f.tTrack->selectMode());
    EXPECT_EQ(p.f.tTrack->sValue(), 70000);
    EXPECT_EQ(p.f.txtSelTime->lTime(), 70000);

    p.open(60.0004);
    EXPECT_EQ(p.f.tTrack->Max(), 60000);
    EXPECT_EQ(p.play.Max(), 60000);
    EXPECT_EQ(p.selected.Max(), 60000);
    // The caller's selected time is clamped, and the picker shows it.
    EXPECT_EQ(p.selected.value(), 60000);
    EXPECT_EQ(p.f.tTrack->sValue(), 60000);
    EXPECT_EQ(p.f.txtSelTime->lTime(), 60000);

    p.f.SetCap(QStringLiteral("Hello there"));
    EXPECT_FALSE(p.f.lbCap->isHidden());
    EXPECT_EQ(p.f.lbCap->text(), QStringLiteral("Hello there"));
    p.f.SetCap(QString());
    EXPECT_TRUE(p.f.lbCap->isHidden());
}

TEST(TimePicker, PlayTimeSeeksWhileStillAndFollowsThePlayerWhilePlaying) {
    Picker p(0, 0);
    p.open();
    p.f.show();
    p.player->calls.clear();
    p.click(p.f.btnSecF);
    p.click(p.f.btnSecF);
    p.click(p.f.btnSecB);
    EXPECT_EQ(p.play.value(), 100);
    EXPECT_EQ(p.f.txtTime->lTime(), 100);
    EXPECT_EQ(p.f.tTrack->value(), 100);
    EXPECT_EQ(p.player->calls.last(), QStringLiteral("CurrentPosition=0.1"));

    p.click(p.f.btPlayState);
    EXPECT_TRUE(p.f.Playing());
    EXPECT_EQ(p.f.PlayStateTag(), QStringLiteral("play"));
    EXPECT_EQ(p.f.btPlayState->toolTip(), QStringLiteral("Pause Movie"));
    EXPECT_TRUE(p.f.Synchro->isActive());
    EXPECT_FALSE(p.f.txtTime->Enabled());

    // While playing the time follows the player and does not seek it back.
    p.player->calls.clear();
    p.player->position = 12.3456;
    QMetaObject::invokeMethod(p.f.Synchro, "timeout");
    EXPECT_EQ(p.play.value(), 12346);
    EXPECT_EQ(p.f.txtTime->lTime(), 12346);
    EXPECT_TRUE(p.player->calls.isEmpty());
    // Position events right at the end change nothing.
    p.player->position = 59.995;
    emit p.player->PositionChange(12.3, 59.995);
    EXPECT_EQ(p.play.value(), 12346);
    p.player->position = 59.5;
    emit p.player->PositionChange(12.3, 59.5);
    EXPECT_EQ(p.play.value(), 59500);

    p.click(p.f.btPlayState);
    EXPECT_FALSE(p.f.Playing());
    EXPECT_EQ(p.f.PlayStateTag(), QString());
    EXPECT_EQ(p.f.btPlayState->toolTip(), QStringLiteral("Play Movie"));
    EXPECT_FALSE(p.f.Synchro->isActive());
    EXPECT_TRUE(p.f.txtTime->Enabled());

    // Stopping tells where the video stopped.
    QSignalSpy stopped(&p.f, &frmTimeSelector::Stopped);
    p.player->position = 42.0005;
    p.player->setPlayState(FakePlayer::Stopped);
    ASSERT_EQ(stopped.size(), 1);
    EXPECT_EQ(stopped[0][0].toInt(), 42000);
}

TEST(TimePicker, SelectingAndGoingToTheSelectedTime) {
    Picker p(0, 3000);
    p.open();
    p.f.show();
    p.play.setValue(7250);
    p.click(p.f.btCurrent);
    EXPECT_EQ(p.selected.value(), 7250);
    EXPECT_EQ(p.f.tTrack->sValue(), 7250);
    EXPECT_EQ(p.f.txtSelTime->lTime(), 7250);

    // Going to it while still only jumps.
    p.selected.setValue(20000);
    p.player->calls.clear();
    p.click(p.f.btGoto);
    EXPECT_EQ(p.play.value(), 20000);
    EXPECT_EQ(p.player->calls, QStringList{QStringLiteral("CurrentPosition=20")});

    // While playing it pauses, jumps and plays on.
    p.selected.setValue(30000);
    p.click(p.f.btPlayState);
    p.player->calls.clear();
    p.click(p.f.btGoto);
    EXPECT_EQ(p.play.value(), 30000);
    EXPECT_EQ(p.player->calls, (QStringList{"Pause", "CurrentPosition=30", "Play"}));
    EXPECT_TRUE(p.f.Playing());
}

TEST(TimePicker, SliderAndTypedTimes) {
    Picker p(0, 0);
    p.open(40);
    p.f.show();
    const int w = p.f.tTrack->picM->width() - 2;
    // A press in the upper half seeks; the player's position event then moves the play time.
    p.player->calls.clear();
    QTest::mousePress(p.f.tTrack->picM, Qt::LeftButton, {}, {w / 2, 2});
    QTest::mouseRelease(p.f.tTrack->picM, Qt::LeftButton, {}, {w / 2, 2});
    ASSERT_FALSE(p.player->calls.isEmpty());
    EXPECT_TRUE(p.player->calls.first().startsWith(QStringLiteral("CurrentPosition=20")));
    p.settle();
    EXPECT_EQ(p.play.value(), p.f.tTrack->value());
    EXPECT_NEAR(p.play.value(), 20000, 100);

    // Grabbing the marker in the lower half selects a time.
    const int y = p.f.tTrack->picM->height() - 2;
    QTest::mousePress(p.f.tTrack->picM, Qt::LeftButton, {}, {1, y});
    QTest::mouseMove(p.f.tTrack->picM, {w / 4, y});
    QTest::mouseRelease(p.f.tTrack->picM, Qt::LeftButton, {}, {w / 4, y});
    EXPECT_NEAR(p.selected.value(), 10000, 100);
    EXPECT_EQ(p.f.txtSelTime->lTime(), p.selected.value());

    // A typed time past the video's end is clamped, and the entry shows what the caller gets.
    p.selected.setValue(40000);
    p.f.txtSelTime->EnterField(2);
    QTest::keyClicks(p.f.txtSelTime->txtMin, QStringLiteral("05"));
    p.f.txtSelTime->EnterField(1);
    EXPECT_EQ(p.selected.value(), 40000);
    EXPECT_EQ(p.f.txtSelTime->lTime(), 40000);
    p.f.txtSelTime->EnterField(3);
    QTest::keyClicks(p.f.txtSelTime->txtSec, QStringLiteral("12"));
    p.f.txtSelTime->EnterField(1);
    EXPECT_EQ(p.selected.value(), 12000);

    p.f.txtTime->EnterField(3);
    QTest::keyClicks(p.f.txtTime->txtSec, QStringLiteral("33"));
    p.f.txtTime->EnterField(1);
    EXPECT_EQ(p.play.value(), 33000);
}

TEST(TimePicker, CloseBoxAndOkPauseAndOnlyHide) {
    Picker p(0, 0);
    p.open();
    p.f.show();
    p.click(p.f.btPlayState);
    p.f.close();
    EXPECT_FALSE(p.f.isVisible());
    EXPECT_FALSE(p.f.Playing());
    EXPECT_EQ(p.player->calls.last(), QStringLiteral("Pause"));
    // The picker is still there with its choice.
    p.f.show();
    p.click(p.f.btPlayState);
    p.click(p.f.btOk);
    EXPECT_FALSE(p.f.isVisible());
    EXPECT_FALSE(p.f.Playing());
}

TEST(TimePicker, WorksWithTheRealPlayer) {
    QString error;
    const QString clip = SharedTestClip(&error);
    if (clip.isEmpty()) GTEST_SKIP() << error.toStdString();
    SetMediaPlayerFactory({});
    clsTime play, selected;
    selected.setMax(1073741824);
    selected.setValue(5000);
    frmTimeSelector f;
    InstallFakePlayers();
    ASSERT_EQ(qobject_cast<FakePlayer*>(f.Player), nullptr);
    f.SetStructs(&play, &selected);
    f.show();
    f.Player->setFileName(clip);
    ASSERT_EQ(f.Player->FileName(), clip) << f.Player->ErrorText().toStdString();
    // The clip lasts two seconds: both times are held to it.
    EXPECT_NEAR(f.tTrack->Max(), 2000, 100);
    EXPECT_EQ(selected.Max(), f.tTrack->Max());
    EXPECT_EQ(selected.value(), selected.Max());
    // Going to the selected time seeks the player there.
    selected.setValue(1200);
    QTest::mouseClick(f.btGoto, Qt::LeftButton);
    EXPECT_EQ(play.value(), 1200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(f.Player->CurrentPosition() - 1.2) < 0.05; }, 10000));
    EXPECT_EQ(play.value(), 1200);
}

TEST(TimePicker, AVideoOfUnknownLengthClampsNoTime) {
    Picker p(5000, 70000);
    p.open(0); // the player reports no length
    EXPECT_EQ(p.selected.value(), 70000);
    EXPECT_EQ(p.selected.Max(), 1073741824);
    EXPECT_EQ(p.play.Max(), 1073741824);
    EXPECT_EQ(p.f.tTrack->Max(), 1073741824);
    EXPECT_EQ(p.f.txtSelTime->lTime(), 70000);

    // A play time made without a range, as the wizards make it, follows the video all the same.
    clsTime play, selected;
    selected.setMax(1073741824);
    selected.setValue(900);
    frmTimeSelector f;
    f.SetStructs(&play, &selected);
    auto* player = qobject_cast<FakePlayer*>(f.Player);
    ASSERT_NE(player, nullptr);
    player->duration = 0;
    player->setFileName(QStringLiteral("/videos/live.m2v"));
    f.show();
    QTest::mouseClick(f.btPlayState, Qt::LeftButton);
    player->position = 2.5;
    QMetaObject::invokeMethod(f.Synchro, "timeout");
    EXPECT_EQ(play.value(), 2500);
    EXPECT_EQ(f.txtTime->lTime(), 2500);
    QTest::mouseClick(f.btCurrent, Qt::LeftButton);
    EXPECT_EQ(selected.value(), 2500);
    QTest::mouseClick(f.btPlayState, Qt::LeftButton);

    // The slider has no range to offer: it moves neither the video nor the selected time.
    QWidget* surface = f.tTrack->picM;
    QTest::mouseClick(surface, Qt::LeftButton, {}, {surface->width() / 2, 2});
    QTest::mouseClick(surface, Qt::LeftButton, {}, {1, surface->height() - 2});
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 2.5);
    EXPECT_EQ(play.value(), 2500);
    EXPECT_EQ(selected.value(), 2500);
}
