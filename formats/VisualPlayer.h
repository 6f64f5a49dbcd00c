// What the formats' forms may ask of the Visual Editor's player (the video it has open and its
// length). The Visual Editor installs the hook; until then no video counts as loaded.
#pragma once

#include <QString>
#include <functional>

struct VisualPlayerInfo {
    QString fileName;      // "" when no video is open
    double duration = 0.0; // seconds
};

using VisualPlayerHook = std::function<VisualPlayerInfo()>;

// Installs the hook (an empty function removes it).
void SetVisualPlayerHook(VisualPlayerHook hook);
VisualPlayerInfo VisualPlayer();
