#include "formats/VisualPlayer.h"

namespace {
VisualPlayerHook& hook() {
    static VisualPlayerHook h;
    return h;
}
VideoLoadHook& loadHook() {
    static VideoLoadHook h;
    return h;
}
} // namespace

void SetVisualPlayerHook(VisualPlayerHook h) { hook() = std::move(h); }

VisualPlayerInfo VisualPlayer() { return hook() ? hook()() : VisualPlayerInfo{}; }

void SetVideoLoadHook(VideoLoadHook h) { loadHook() = std::move(h); }

void LoadVisualVideo() {
    if (loadHook()) loadHook()();
}
