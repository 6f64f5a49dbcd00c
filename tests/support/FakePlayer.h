// A scripted stand-in for the video player: hosts' tests set its duration, position and play
// state, make opens fail, and read the calls it received. Every test program installs it as the
// player factory, so no host test starts a real player by accident.
#pragma once

#include "platform/MediaPlayer.h"

#include <QPointer>
#include <QStringList>
#include <vector>

class FakePlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit FakePlayer(QWidget* parent = nullptr);

    QString FileName() const override { return fileName_; }
    // Records "FileName=path"; opens at once (name, duration, position 0, stopped, FileOpened)
    // unless the path is in failing, in which case the name becomes "".
    void setFileName(const QString& path) override;
    QString ErrorText() const override { return error_; }
    double Duration() const override { return mode_ == Frames ? duration * fps : duration; }
    double CurrentPosition() const override { return position; }
    // Records "CurrentPosition=s", moves at once, and raises PositionChange from the event loop
    // (or at finishSeek), as the real player does once it got there.
    void setCurrentPosition(double seconds) override;
    int PlayState() const override { return state_; }
    int DisplayMode() const override { return mode_; }
    void setDisplayMode(int mode) override;
    void Play() override;
    void Pause() override;
    void Stop() override;

    // Script: what an opened file is like, and the files that fail to open.
    double duration = 60.0;
    double fps = 25.0;
    QStringList failing;
    // The position while "playing"; set it directly to move the video along without events.
    double position = 0;

    // Changes the play state as the video would by itself (raises PlayStateChange).
    void setPlayState(int s);
    // Playback ran to the end: position = duration (kept when the length is unknown), stopped.
    void reachEnd();
    // Raises a pending position event now.
    void finishSeek();

    QStringList calls;

private:
    void seek(double seconds);

    QString fileName_;
    QString error_;
    int state_ = Stopped;
    int mode_ = Time;
    bool seekPending_ = false;
    double seekFrom_ = 0;
};

// Installs the fake factory; every player a host creates from now on is a FakePlayer.
void InstallFakePlayers();
// The fakes created since the last reset, oldest first (null when deleted since).
std::vector<QPointer<FakePlayer>>& FakePlayers();
// The newest fake, or nullptr.
FakePlayer* LastFakePlayer();
