#include "platform/MediaPlayer.h"
#include "platform/MpvPlayer.h"

namespace {
MediaPlayerFactory& installedFactory() {
    static MediaPlayerFactory f;
    return f;
}
} // namespace

MediaPlayer* CreateMediaPlayer(QWidget* parent) {
    const MediaPlayerFactory& f = installedFactory();
    MediaPlayer* p = f ? f(parent) : new MpvPlayer(parent);
    p->setObjectName(QStringLiteral("Player"));
    return p;
}

void SetMediaPlayerFactory(MediaPlayerFactory factory) { installedFactory() = std::move(factory); }
