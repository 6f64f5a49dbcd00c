// What the formats' forms may ask of the Visual Editor's player (the video it has open, its
// length, and its length in frames) and of the main window's video loading. The Visual Editor
// and the main window install the hooks; until then no video counts as loaded.
#pragma once

#include <QString>
#include <functional>

struct VisualPlayerInfo {
    QString fileName;      // "" when no video is open
    double duration = 0.0; // seconds
    double frames = 0.0;   // the duration read in the player's frame display mode; 0 when unknown
};

using VisualPlayerHook = std::function<VisualPlayerInfo()>;

// Installs the hook (an empty function removes it).
void SetVisualPlayerHook(VisualPlayerHook hook);
VisualPlayerInfo VisualPlayer();

// The main window's "ask for a video and open it in the Visual Editor's player"; a cancelled
// choice leaves the player as it was.
using VideoLoadHook = std::function<void()>;
void SetVideoLoadHook(VideoLoadHook hook);
// Runs the installed video loading; nothing when none is installed.
void LoadVisualVideo();
