#include "tests/support/FakePlayer.h"

#include <QMetaObject>
#include <algorithm>

FakePlayer::FakePlayer(QWidget* parent) : MediaPlayer(parent) {}

void FakePlayer::setFileName(const QString& path) {
    calls.append(QStringLiteral("FileName=") + path);
    const int old = state_;
    state_ = Stopped;
    fileName_.clear();
    error_.clear();
    position = 0;
    seekPending_ = false;
    const bool fails = !path.isEmpty() && failing.contains(path);
    if (fails) error_ = QStringLiteral("The file could not be opened.");
    else fileName_ = path;
    if (old != Stopped) emit PlayStateChange(old, Stopped);
    if (!fileName_.isEmpty()) emit FileOpened();
}

void FakePlayer::setCurrentPosition(double seconds) {
    calls.append(QStringLiteral("CurrentPosition=") + QString::number(seconds));
    if (!fileName_.isEmpty()) seek(seconds);
}

void FakePlayer::seek(double seconds) {
    if (!seekPending_) {
        seekFrom_ = position;
        seekPending_ = true;
        QMetaObject::invokeMethod(this, &FakePlayer::finishSeek, Qt::QueuedConnection);
    }
    position = seconds > 0 ? seconds : 0.0;
    // As the real player: a video of unknown length (0) is not held at its start.
    if (duration > 0) position = std::min(position, duration);
}

void FakePlayer::finishSeek() {
    if (!seekPending_) return;
    seekPending_ = false;
    emit PositionChange(seekFrom_, position);
}

void FakePlayer::setDisplayMode(int mode) {
    calls.append(QStringLiteral("DisplayMode=") + QString::number(mode));
    mode_ = mode;
}

void FakePlayer::setPlayState(int s) {
    if (s == state_) return;
    const int old = state_;
    state_ = s;
    emit PlayStateChange(old, s);
}

void FakePlayer::Play() {
    calls.append(QStringLiteral("Play"));
    if (!fileName_.isEmpty()) setPlayState(Playing);
}

void FakePlayer::Pause() {
    calls.append(QStringLiteral("Pause"));
    if (!fileName_.isEmpty() && state_ == Playing) setPlayState(Paused);
}

void FakePlayer::Stop() {
    calls.append(QStringLiteral("Stop"));
    if (fileName_.isEmpty()) return;
    seek(0);
    setPlayState(Stopped);
}

void FakePlayer::reachEnd() {
    // Of unknown length, it ends where it had got to.
    if (duration > 0) position = duration;
    setPlayState(Stopped);
}

std::vector<QPointer<FakePlayer>>& FakePlayers() {
    static std::vector<QPointer<FakePlayer>> list;
    return list;
}

FakePlayer* LastFakePlayer() { return FakePlayers().empty() ? nullptr : FakePlayers().back().data(); }

void InstallFakePlayers() {
    SetMediaPlayerFactory([](QWidget* parent) -> MediaPlayer* {
        auto* p = new FakePlayer(parent);
        FakePlayers().emplace_back(p);
        return p;
    });
}
