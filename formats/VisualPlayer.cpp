#include "formats/VisualPlayer.h"

namespace {
VisualPlayerHook& hook() {
    static VisualPlayerHook h;
    return h;
}
} // namespace

void SetVisualPlayerHook(VisualPlayerHook h) { hook() = std::move(h); }

VisualPlayerInfo VisualPlayer() { return hook() ? hook()() : VisualPlayerInfo{}; }
