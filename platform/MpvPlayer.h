// The real player on libmpv. mpv decodes and times the video on its own threads; its callbacks
// only queue work to the GUI thread, where mpv's software renderer draws each frame into an
// image that this widget paints. The environment variable LUMERIN_MPV_AO chooses mpv's audio
// output ("null" plays without a sound device, as the tests do); unset, mpv picks one.
#pragma once

#include "platform/MediaPlayer.h"

#include <QElapsedTimer>
#include <QImage>
#include <atomic>
#include <cstdint>

struct mpv_handle;
struct mpv_render_context;
struct mpv_event;

class MpvPlayer : public MediaPlayer {
    Q_OBJECT
public:
    explicit MpvPlayer(QWidget* parent = nullptr);
    ~MpvPlayer() override;

    // Longest wait for a file to open; a file that takes longer counts as failed.
    static constexpr int OpenTimeoutMs = 15000;

    QString FileName() const override { return fileName_; }
    void setFileName(const QString& path) override;
    QString ErrorText() const override { return error_; }
    double Duration() const override;
    double CurrentPosition() const override { return pos_; }
    void setCurrentPosition(double seconds) override;
    int PlayState() const override { return state_; }
    int DisplayMode() const override { return mode_; }
    void setDisplayMode(int mode) override { mode_ = mode; }
    void Play() override;
    void Pause() override;
    void Stop() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static void onWakeup(void* self);
    static void onRenderUpdate(void* self);
    void drainEvents();
    void handleEvent(const mpv_event& e);
    void updateFrame();
    void renderFrame();
    void forgetFile();
    void setState(int s);
    void seekTo(double seconds);
    void command(std::initializer_list<const char*> args);
    void setPause(bool b);

    void start();
    bool startTried_ = false;
    mpv_handle* mpv_ = nullptr;
    mpv_render_context* render_ = nullptr;
    // Set while a wake-up is queued to the GUI thread, so that mpv's threads queue one at a time.
    std::atomic<bool> eventsQueued_{false};
    std::atomic<bool> frameQueued_{false};

    QString fileName_;
    QString error_;
    double duration_ = 0;
    double fps_ = 0;
    double pos_ = 0;
    int state_ = Stopped;
    int mode_ = Time;
    // Playback ran into the end: the next play starts again from the beginning.
    bool atEnd_ = false;
    // Seeks are numbered; lastSeek_ is the newest asked for, seekTaken_ the newest mpv has taken.
    // While one is outstanding mpv's own position reports are stale, so the asked-for position
    // stands until playback restarts there.
    std::uint64_t lastSeek_ = 0;
    std::uint64_t seekTaken_ = 0;
    bool seekPending_ = false;
    double seekFrom_ = 0;
    // Since the newest seek was taken: a restart that never comes must not freeze the position.
    QElapsedTimer takenAt_;
    QImage image_;
};
