#include "platform/MpvPlayer.h"
#include "platform/MpvLibrary.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
// Only used once a player has started, which needs the library.
const MpvLibrary& mpv() { return *LoadMpv(); }

// After a seek was taken, how long mpv may take to restart there before its reports count again.
constexpr qint64 kRestartGraceMs = 1000;
// Observed properties.
constexpr std::uint64_t kTimePos = 1;
constexpr std::uint64_t kEofReached = 2;

double doubleProperty(mpv_handle* h, const char* name) {
    double v = 0;
    if (mpv().get_property(h, name, MPV_FORMAT_DOUBLE, &v) < 0 || !std::isfinite(v)) return 0;
    return v;
}

// mpv wants its rows on 64-byte boundaries for its fast paths.
QImage alignedImage(int w, int h) {
    const qsizetype stride = (qsizetype(w) * 4 + 63) / 64 * 64;
    void* buf = std::aligned_alloc(64, size_t(stride) * size_t(h));
    if (!buf) return QImage();
    auto release = [](void* p) { std::free(p); };
    return QImage(static_cast<uchar*>(buf), w, h, stride, QImage::Format_RGBX8888, release, buf);
}
} // namespace

MpvPlayer::MpvPlayer(QWidget* parent) : MediaPlayer(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

// mpv starts with the first video: a player that is never used costs nothing at start-up.
void MpvPlayer::start() {
    startTried_ = true;
    if (!LoadMpv()) {
        error_ = QStringLiteral("The video player could not be started: the mpv library is missing.");
        return;
    }
    mpv_ = mpv().create();
    if (!mpv_) {
        // mpv refuses to start under a decimal-comma numeric locale, among other things.
        error_ = QStringLiteral("The video player could not be started.");
        return;
    }
    auto opt = [this](const char* name, const char* value) { mpv().set_option_string(mpv_, name, value); };
    opt("config", "no");
    opt("terminal", "no");
    opt("load-scripts", "no");
    opt("ytdl", "no");
    opt("osc", "no");
    opt("input-default-bindings", "no");
    opt("input-vo-keyboard", "no");
    opt("osd-level", "0");
    opt("vo", "libmpv");
    opt("idle", "yes");
    opt("keep-open", "yes");
    opt("pause", "yes");
    opt("hr-seek", "yes");
    // The editor shows the subtitles itself; mpv must not pick up the file being edited.
    opt("sub-auto", "no");
    opt("sid", "no");
    opt("audio-display", "no");
    const QByteArray ao = qgetenv("LUMERIN_MPV_AO");
    if (!ao.isEmpty()) opt("ao", ao.constData());
    if (mpv().initialize(mpv_) < 0) {
        mpv().terminate_destroy(mpv_);
        mpv_ = nullptr;
        error_ = QStringLiteral("The video player could not be started.");
        return;
    }
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv().render_context_create(&render_, mpv_, params) < 0) render_ = nullptr;
    else mpv().render_context_set_update_callback(render_, &MpvPlayer::onRenderUpdate, this);
    mpv().observe_property(mpv_, kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv().observe_property(mpv_, kEofReached, "eof-reached", MPV_FORMAT_FLAG);
    mpv().set_wakeup_callback(mpv_, &MpvPlayer::onWakeup, this);
}

MpvPlayer::~MpvPlayer() {
    // Clearing a callback waits for a running one, so none can reach this object afterwards.
    if (render_) {
        mpv().render_context_set_update_callback(render_, nullptr, nullptr);
        mpv().render_context_free(render_);
    }
    if (mpv_) {
        mpv().set_wakeup_callback(mpv_, nullptr, nullptr);
        mpv().terminate_destroy(mpv_);
    }
}

// Both callbacks run on mpv's threads: they only queue the work to the GUI thread.
void MpvPlayer::onWakeup(void* self) {
    auto* p = static_cast<MpvPlayer*>(self);
    if (!p->eventsQueued_.exchange(true)) QMetaObject::invokeMethod(p, &MpvPlayer::drainEvents, Qt::QueuedConnection);
}

void MpvPlayer::onRenderUpdate(void* self) {
    auto* p = static_cast<MpvPlayer*>(self);
    if (!p->frameQueued_.exchange(true)) QMetaObject::invokeMethod(p, &MpvPlayer::updateFrame, Qt::QueuedConnection);
}

void MpvPlayer::command(std::initializer_list<const char*> args) {
    std::vector<const char*> a(args);
    a.push_back(nullptr);
    mpv().command(mpv_, a.data());
}

void MpvPlayer::setPause(bool b) {
    int flag = b ? 1 : 0;
    mpv().set_property(mpv_, "pause", MPV_FORMAT_FLAG, &flag);
}

void MpvPlayer::setState(int s) {
    if (s == state_) return;
    const int old = state_;
    state_ = s;
    emit PlayStateChange(old, s);
}

void MpvPlayer::forgetFile() {
    fileName_.clear();
    duration_ = 0;
    fps_ = 0;
    pos_ = 0;
    atEnd_ = false;
    seekPending_ = false;
    image_ = QImage();
    update();
}

void MpvPlayer::setFileName(const QString& path) {
    const int oldState = state_;
    state_ = Stopped;
    forgetFile();
    error_.clear();
    if (!path.isEmpty() && !mpv_ && !startTried_) start();
    if (path.isEmpty()) {
        if (mpv_) command({"stop"});
    } else if (!mpv_) {
        if (error_.isEmpty()) error_ = QStringLiteral("The video player could not be started.");
    } else {
        setPause(true);
        const QByteArray file = QFile::encodeName(path);
        const char* args[] = {"loadfile", file.constData(), "replace", nullptr};
        bool loaded = false;
        if (mpv().command(mpv_, args) < 0) {
            error_ = QStringLiteral("The file could not be opened.");
        } else {
            // Wait here for this file's outcome; other events are handled as they come.
            std::int64_t entry = -1;
            const QDeadlineTimer deadline(OpenTimeoutMs);
            bool done = false;
            while (!done) {
                const qint64 left = deadline.remainingTime();
                if (left <= 0) {
                    error_ = QStringLiteral("The file took too long to open.");
                    break;
                }
                const mpv_event* e = mpv().wait_event(mpv_, double(left) / 1000.0);
                switch (e->event_id) {
                case MPV_EVENT_NONE: break;
                case MPV_EVENT_START_FILE:
                    entry = static_cast<const mpv_event_start_file*>(e->data)->playlist_entry_id;
                    break;
                case MPV_EVENT_FILE_LOADED:
                    if (entry >= 0) loaded = done = true;
                    break;
                case MPV_EVENT_END_FILE: {
                    const auto* ef = static_cast<const mpv_event_end_file*>(e->data);
                    if (entry >= 0 && ef->playlist_entry_id == entry) {
                        error_ = ef->reason == MPV_END_FILE_REASON_ERROR
                                     ? QString::fromUtf8(mpv().error_string(ef->error))
                                     : QStringLiteral("The file holds no video.");
                        done = true;
                    }
                    break;
                }
                default: handleEvent(*e);
                }
            }
        }
        if (loaded) {
            fileName_ = path;
            duration_ = doubleProperty(mpv_, "duration");
            fps_ = doubleProperty(mpv_, "container-fps");
            if (fps_ <= 0) fps_ = doubleProperty(mpv_, "estimated-vf-fps");
        } else {
            // Also drops whatever a failed open left queued (a playlist, a half-open stream).
            command({"stop"});
        }
    }
    if (oldState != Stopped) emit PlayStateChange(oldState, Stopped);
    if (!fileName_.isEmpty()) emit FileOpened();
}

double MpvPlayer::Duration() const { return mode_ == Frames ? duration_ * fps_ : duration_; }

void MpvPlayer::seekTo(double seconds) {
    if (!seekPending_) seekFrom_ = pos_;
    pos_ = seconds;
    atEnd_ = false;
    seekPending_ = true;
    ++lastSeek_;
    const QByteArray target = QByteArray::number(seconds, 'f', 6);
    const char* args[] = {"seek", target.constData(), "absolute+exact", nullptr};
    if (mpv().command_async(mpv_, lastSeek_, args) < 0) seekTaken_ = lastSeek_;
}

void MpvPlayer::setCurrentPosition(double seconds) {
    if (fileName_.isEmpty()) return;
    if (!(seconds > 0)) seconds = 0; // also NaN
    // A stream of unknown length (duration 0) is not held at its start.
    if (duration_ > 0) seconds = std::min(seconds, duration_);
    seekTo(seconds);
}

void MpvPlayer::Play() {
    if (fileName_.isEmpty() || state_ == Playing) return;
    if (atEnd_) seekTo(0);
    setPause(false);
    setState(Playing);
}

void MpvPlayer::Pause() {
    if (fileName_.isEmpty() || state_ != Playing) return;
    setPause(true);
    // Where it halted, unless a seek still has to get there.
    if (!seekPending_) {
        double t = 0;
        if (mpv().get_property(mpv_, "time-pos", MPV_FORMAT_DOUBLE, &t) >= 0 && std::isfinite(t))
            pos_ = duration_ > 0 ? std::clamp(t, 0.0, duration_) : std::max(t, 0.0);
    }
    setState(Paused);
}

void MpvPlayer::Stop() {
    if (fileName_.isEmpty()) return;
    setPause(true);
    seekTo(0);
    setState(Stopped);
}

void MpvPlayer::drainEvents() {
    eventsQueued_ = false;
    if (!mpv_) return;
    for (;;) {
        const mpv_event* e = mpv().wait_event(mpv_, 0);
        if (e->event_id == MPV_EVENT_NONE) break;
        handleEvent(*e);
    }
}

void MpvPlayer::handleEvent(const mpv_event& e) {
    switch (e.event_id) {
    case MPV_EVENT_COMMAND_REPLY:
        // Only seeks are sent asynchronously; their replies carry their numbers.
        if (e.reply_userdata > seekTaken_) {
            seekTaken_ = e.reply_userdata;
            if (seekTaken_ == lastSeek_) takenAt_.start();
        }
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        // Playback restarted after the newest seek: the position is where it was asked.
        if (seekPending_ && seekTaken_ == lastSeek_) {
            seekPending_ = false;
            emit PositionChange(seekFrom_, pos_);
        }
        break;
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* p = static_cast<const mpv_event_property*>(e.data);
        if (e.reply_userdata == kTimePos && p->format == MPV_FORMAT_DOUBLE) {
            // Halted, the position moves only by seeks; mpv's report would be the frame's time.
            const double t = *static_cast<const double*>(p->data);
            if (seekPending_ && seekTaken_ == lastSeek_ && takenAt_.hasExpired(kRestartGraceMs)) {
                seekPending_ = false;
                emit PositionChange(seekFrom_, pos_);
            }
            if (state_ == Playing && !seekPending_ && std::isfinite(t))
                pos_ = duration_ > 0 ? std::clamp(t, 0.0, duration_) : std::max(t, 0.0);
        } else if (e.reply_userdata == kEofReached && p->format == MPV_FORMAT_FLAG) {
            const bool eof = *static_cast<const int*>(p->data);
            if (eof && state_ == Playing && !seekPending_ && !fileName_.isEmpty()) {
                // A stream of unknown length ends where mpv ran out of frames, not at 0.
                double t = 0;
                if (duration_ > 0) pos_ = duration_;
                else if (mpv().get_property(mpv_, "time-pos", MPV_FORMAT_DOUBLE, &t) >= 0 && std::isfinite(t))
                    pos_ = std::max(t, 0.0);
                atEnd_ = true;
                setState(Stopped);
            }
        }
        break;
    }
    default: break;
    }
}

void MpvPlayer::updateFrame() {
    frameQueued_ = false;
    if (!render_) return;
    if (mpv().render_context_update(render_) & MPV_RENDER_UPDATE_FRAME) renderFrame();
}

void MpvPlayer::renderFrame() {
    if (!render_) return;
    int block = 0;
    if (!isVisible() || width() <= 0 || height() <= 0) {
        // Hidden: take the frame off mpv's hands without drawing it, so that playback goes on.
        int skip = 1;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                                     {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv().render_context_render(render_, params);
        return;
    }
    const qreal dpr = devicePixelRatioF();
    const QSize size = (QSizeF(this->size()) * dpr).toSize();
    if (image_.size() != size) {
        image_ = alignedImage(size.width(), size.height());
        if (image_.isNull()) return;
        image_.setDevicePixelRatio(dpr);
    }
    int wh[2] = {size.width(), size.height()};
    size_t stride = size_t(image_.bytesPerLine());
    char format[] = "rgb0";
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, wh},
                                 {MPV_RENDER_PARAM_SW_FORMAT, format},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, image_.bits()},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv().render_context_render(render_, params) < 0) image_ = QImage();
    update();
}

void MpvPlayer::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull() || fileName_.isEmpty()) p.fillRect(rect(), Qt::black);
    else p.drawImage(rect(), image_);
}

void MpvPlayer::resizeEvent(QResizeEvent* event) {
    MediaPlayer::resizeEvent(event);
    if (!fileName_.isEmpty()) renderFrame();
}

void MpvPlayer::showEvent(QShowEvent* event) {
    MediaPlayer::showEvent(event);
    if (!fileName_.isEmpty()) renderFrame();
}
