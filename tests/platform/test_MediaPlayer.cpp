#include "platform/MpvPlayer.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/FakePlayer.h"
#include "tests/support/TempDir.h"

#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
// Plenty for a local two-second clip, even on a loaded machine.
constexpr int kWait = 10000;

// Colours that occur in the image: a test picture has many, a blank surface one.
int colourCount(const QImage& img) {
    QSet<QRgb> seen;
    for (int y = 0; y < img.height(); y += 3)
        for (int x = 0; x < img.width(); x += 3) seen.insert(img.pixel(x, y));
    return int(seen.size());
}

class MediaPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new TempDir;
        QString error;
        clip = SharedTestClip(&error);
        ASSERT_FALSE(clip.isEmpty()) << error.toStdString();
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override {
        if (clip.isEmpty()) GTEST_SKIP() << "no test clip";
        player = std::make_unique<MpvPlayer>();
        player->resize(160, 120);
    }
    void open() {
        player->setFileName(clip);
        ASSERT_EQ(player->FileName(), clip) << player->ErrorText().toStdString();
    }
    QImage shown() { return player->grab().toImage(); }

    static inline TempDir* dir = nullptr;
    static inline QString clip;
    std::unique_ptr<MpvPlayer> player;
};

using StateChanges = std::vector<std::pair<int, int>>;
StateChanges changes(const QSignalSpy& spy) {
    StateChanges out;
    for (const auto& args : spy) out.emplace_back(args.at(0).toInt(), args.at(1).toInt());
    return out;
}
} // namespace

TEST_F(MediaPlayerTest, OpensTheClipWithItsLengthInSecondsAndFrames) {
    QSignalSpy opened(player.get(), &MediaPlayer::FileOpened);
    QSignalSpy states(player.get(), &MediaPlayer::PlayStateChange);
    open();
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(states.count(), 0);
    EXPECT_TRUE(player->ErrorText().isEmpty());
    EXPECT_NEAR(player->Duration(), 2.0, 0.05);
    EXPECT_EQ(player->CurrentPosition(), 0.0);
    EXPECT_EQ(player->PlayState(), MediaPlayer::Stopped);

    // The frame-rate measurement: frames in mode 1, seconds again in mode 0.
    player->setDisplayMode(MediaPlayer::Frames);
    const double frames = player->Duration();
    player->setDisplayMode(MediaPlayer::Time);
    EXPECT_NEAR(frames, 50.0, 0.5);
    EXPECT_NEAR(std::nearbyint(frames) / player->Duration(), 25.0, 0.5);
}

TEST_F(MediaPlayerTest, DrawsTheVideoIntoItsSurface) {
    player->show();
    EXPECT_LE(colourCount(shown()), 1); // nothing open: a plain surface
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return colourCount(shown()) > 8; }, kWait));
    const QImage first = shown();
    EXPECT_EQ(first.size(), QSize(160, 120));

    // A seek shows another frame (the test picture's counter and sweep move).
    player->setCurrentPosition(1.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown() != first; }, kWait));

    // Resizing draws the frame at the new size.
    player->resize(200, 150);
    ASSERT_TRUE(QTest::qWaitFor([&] { return colourCount(shown()) > 8; }, kWait));
    EXPECT_EQ(shown().size(), QSize(200, 150));

    // Closing the video blanks the surface.
    player->setFileName(QString());
    EXPECT_LE(colourCount(shown()), 1);
}

TEST_F(MediaPlayerTest, SeeksWhileHaltedAndReportsTheMoveOnce) {
    open();
    QSignalSpy moved(player.get(), &MediaPlayer::PositionChange);
    player->setCurrentPosition(1.234);
    // The position reads as asked at once; the event comes when the video got there.
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 1.234);
    ASSERT_TRUE(moved.wait(kWait));
    EXPECT_DOUBLE_EQ(moved.at(0).at(0).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(moved.at(0).at(1).toDouble(), 1.234);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 1.234);

    // Seeks in a row before the video caught up: one event, from the first start to the last goal.
    moved.clear();
    player->setCurrentPosition(0.5);
    player->setCurrentPosition(0.7);
    player->setCurrentPosition(0.9);
    ASSERT_TRUE(QTest::qWaitFor([&] { return moved.count() >= 1; }, kWait));
    EXPECT_DOUBLE_EQ(moved.last().at(1).toDouble(), 0.9);
    EXPECT_DOUBLE_EQ(moved.first().at(0).toDouble(), 1.234);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 0.9);

    // Outside the video: kept within 0 and the duration.
    player->setCurrentPosition(99);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), player->Duration());
    player->setCurrentPosition(-3);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 0.0);
}

TEST_F(MediaPlayerTest, PlayPauseAndStopChangeTheStateAtOnce) {
    open();
    QSignalSpy states(player.get(), &MediaPlayer::PlayStateChange);
    player->Play();
    EXPECT_EQ(changes(states), (StateChanges{{0, 2}}));
    EXPECT_EQ(player->PlayState(), MediaPlayer::Playing);
    player->Play(); // already playing: no event
    EXPECT_EQ(states.count(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return player->CurrentPosition() > 0.3; }, kWait));

    player->Pause();
    EXPECT_EQ(changes(states), (StateChanges{{0, 2}, {2, 1}}));
    const double halted = player->CurrentPosition();
    EXPECT_GT(halted, 0.3);
    EXPECT_LT(halted, 2.0);

    // Playing on continues from where it halted.
    player->Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player->CurrentPosition() > halted + 0.1; }, kWait));
    EXPECT_GE(player->CurrentPosition(), halted);

    player->Stop();
    EXPECT_EQ(changes(states), (StateChanges{{0, 2}, {2, 1}, {1, 2}, {2, 0}}));
    EXPECT_EQ(player->PlayState(), MediaPlayer::Stopped);
    EXPECT_EQ(player->CurrentPosition(), 0.0);
    player->Pause(); // halted already: nothing changes
    EXPECT_EQ(states.count(), 4);
}

TEST_F(MediaPlayerTest, MovesWhilePlayingNeverReportTheOldPlace) {
    open();
    double lowest = 99, highest = 0;
    auto note = [&] {
        lowest = std::min(lowest, player->CurrentPosition());
        highest = std::max(highest, player->CurrentPosition());
    };
    auto playUntil = [&](double t) {
        return QTest::qWaitFor(
            [&] {
                note();
                return player->CurrentPosition() > t;
            },
            kWait);
    };
    player->setCurrentPosition(1.0);
    player->Play();
    ASSERT_TRUE(playUntil(1.2));

    // The slider moved while playing: the video goes on from the new place.
    QSignalSpy moved(player.get(), &MediaPlayer::PositionChange);
    player->setCurrentPosition(0.2);
    lowest = 99, highest = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return note(), moved.count() > 0; }, kWait));
    EXPECT_EQ(player->PlayState(), MediaPlayer::Playing);
    ASSERT_TRUE(playUntil(0.5));
    EXPECT_GE(lowest, 0.2);
    EXPECT_LT(highest, 1.0);

    // The hosts' jump: pause, seek, play.
    ASSERT_TRUE(playUntil(0.8));
    player->Pause();
    player->setCurrentPosition(0.1);
    player->Play();
    lowest = 99, highest = 0;
    ASSERT_TRUE(playUntil(0.4));
    EXPECT_GE(lowest, 0.1);
    EXPECT_LT(highest, 0.8);
}

TEST_F(MediaPlayerTest, OpeningAgainMidSeekLeavesNoStaleSeekBehind) {
    open();
    player->setCurrentPosition(1.0);
    open(); // the seek's answer arrives while the file reopens
    EXPECT_EQ(player->CurrentPosition(), 0.0);
    QSignalSpy moved(player.get(), &MediaPlayer::PositionChange);
    player->setCurrentPosition(0.5);
    player->Play();
    ASSERT_TRUE(moved.wait(kWait));
    EXPECT_DOUBLE_EQ(moved.at(0).at(1).toDouble(), 0.5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return player->CurrentPosition() > 0.7; }, kWait));
}

TEST_F(MediaPlayerTest, PlayingToTheEndStopsThereAndPlayStartsOver) {
    open();
    player->setCurrentPosition(1.4);
    QSignalSpy states(player.get(), &MediaPlayer::PlayStateChange);
    player->Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player->PlayState() != MediaPlayer::Playing; }, kWait));
    EXPECT_EQ(changes(states), (StateChanges{{0, 2}, {2, 0}}));
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), player->Duration());

    player->Play();
    EXPECT_EQ(player->PlayState(), MediaPlayer::Playing);
    ASSERT_TRUE(QTest::qWaitFor([&] { return player->CurrentPosition() > 0.1; }, kWait));
    EXPECT_LT(player->CurrentPosition(), 1.4);
}

// A bare stream tells no length: the player reports 0, holds no seek at the start, and at the
// end reports where the video ran out. The scripted player keeps to the same.
TEST_F(MediaPlayerTest, AStreamOfUnknownLengthIsNotHeldAtItsStart) {
    ClipSpec spec;
    spec.raw = true;
    QString error;
    const QString raw = MakeClip(dir->folder(), spec, &error);
    ASSERT_FALSE(raw.isEmpty()) << error.toStdString();
    player->setFileName(raw);
    ASSERT_EQ(player->FileName(), raw) << player->ErrorText().toStdString();
    EXPECT_EQ(player->Duration(), 0.0);

    QSignalSpy moved(player.get(), &MediaPlayer::PositionChange);
    player->setCurrentPosition(1.2);
    EXPECT_DOUBLE_EQ(player->CurrentPosition(), 1.2);
    ASSERT_TRUE(moved.wait(kWait));
    EXPECT_DOUBLE_EQ(moved.at(0).at(1).toDouble(), 1.2);

    player->Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player->PlayState() != MediaPlayer::Playing; }, kWait));
    EXPECT_EQ(player->PlayState(), MediaPlayer::Stopped);
    EXPECT_NEAR(player->CurrentPosition(), 2.0, 0.1);

    FakePlayer fake;
    fake.duration = 0;
    fake.setFileName(QStringLiteral("/live.m2v"));
    fake.setCurrentPosition(1.2);
    EXPECT_DOUBLE_EQ(fake.CurrentPosition(), 1.2);
    fake.Play();
    fake.position = 2.0;
    fake.reachEnd();
    EXPECT_EQ(fake.PlayState(), MediaPlayer::Stopped);
    EXPECT_DOUBLE_EQ(fake.CurrentPosition(), 2.0);
}

TEST_F(MediaPlayerTest, FilesThatCannotPlayFailWithoutHanging) {
    const QString missing = dir->path(QStringLiteral("missing.mkv"));
    const QString noise = dir->write(QStringLiteral("noise.mkv"), QByteArray(4096, '\x5a'));
    const QString text = dir->write(QStringLiteral("cues.txt"), "{1}{25}Hello\r\n{26}{50}World\r\n");
    QSignalSpy opened(player.get(), &MediaPlayer::FileOpened);
    for (const QString& bad : {missing, noise, text}) {
        QElapsedTimer t;
        t.start();
        player->setFileName(bad);
        EXPECT_LT(t.elapsed(), MpvPlayer::OpenTimeoutMs) << bad.toStdString();
        EXPECT_EQ(player->FileName(), QString()) << bad.toStdString();
        EXPECT_FALSE(player->ErrorText().isEmpty()) << bad.toStdString();
        EXPECT_EQ(player->Duration(), 0.0);
    }
    EXPECT_EQ(opened.count(), 0);

    // Nothing open: the transport does nothing.
    QSignalSpy states(player.get(), &MediaPlayer::PlayStateChange);
    player->Play();
    player->setCurrentPosition(1);
    EXPECT_EQ(states.count(), 0);
    EXPECT_EQ(player->CurrentPosition(), 0.0);

    // A good file still opens afterwards; a failed open while playing stops the old video.
    open();
    player->Play();
    player->setFileName(noise);
    EXPECT_EQ(player->FileName(), QString());
    EXPECT_EQ(changes(states), (StateChanges{{0, 2}, {2, 0}}));
    EXPECT_EQ(player->PlayState(), MediaPlayer::Stopped);
}

TEST(MediaPlayerFactory, HostsGetTheInstalledPlayer) {
    QWidget host;
    // Tests get scripted players unless they ask for the real one.
    MediaPlayer* p = CreateMediaPlayer(&host);
    EXPECT_NE(qobject_cast<FakePlayer*>(p), nullptr);
    EXPECT_EQ(p->objectName(), QStringLiteral("Player"));
    EXPECT_EQ(p->parent(), &host);
    EXPECT_EQ(LastFakePlayer(), p);

    SetMediaPlayerFactory({});
    SharedTestClip(); // no sound device here
    MediaPlayer* real = CreateMediaPlayer(&host);
    EXPECT_NE(qobject_cast<MpvPlayer*>(real), nullptr);
    EXPECT_EQ(real->objectName(), QStringLiteral("Player"));
    InstallFakePlayers();
}

// The scripted player keeps the real one's contract, so that hosts' tests mean something.
TEST(FakePlayer, KeepsThePlayersContract) {
    FakePlayer p;
    p.duration = 10;
    p.failing << QStringLiteral("/bad.avi");
    QSignalSpy opened(&p, &MediaPlayer::FileOpened);
    QSignalSpy states(&p, &MediaPlayer::PlayStateChange);
    QSignalSpy moved(&p, &MediaPlayer::PositionChange);
    p.setFileName(QStringLiteral("/bad.avi"));
    EXPECT_EQ(p.FileName(), QString());
    EXPECT_FALSE(p.ErrorText().isEmpty());
    p.Play();
    EXPECT_EQ(states.count(), 0);
    p.setFileName(QStringLiteral("/good.avi"));
    EXPECT_EQ(opened.count(), 1);
    p.setDisplayMode(MediaPlayer::Frames);
    EXPECT_EQ(p.Duration(), 250.0);
    p.setDisplayMode(MediaPlayer::Time);

    p.Play();
    p.setCurrentPosition(12);
    EXPECT_EQ(p.CurrentPosition(), 10.0);
    EXPECT_EQ(moved.count(), 0); // comes from the event loop, as the real one's
    ASSERT_TRUE(moved.wait(1000));
    p.Pause();
    p.Stop();
    EXPECT_EQ(p.CurrentPosition(), 0.0);
    EXPECT_EQ(changes(states), (StateChanges{{0, 2}, {2, 1}, {1, 0}}));
    EXPECT_EQ(p.calls, (QStringList{"FileName=/bad.avi", "Play", "FileName=/good.avi", "DisplayMode=1", "DisplayMode=0",
                                    "Play", "CurrentPosition=12", "Pause", "Stop"}));
}
