// A short test video made at run time by the ffmpeg command: a test picture with a tone.
#pragma once

#include <QString>

struct ClipSpec {
    int seconds = 2;
    int fps = 25;
    int width = 160;
    int height = 120;
    bool audio = true;
    // A bare MPEG-2 video stream (no sound): nothing in the file tells its length.
    bool raw = false;
};

// Writes the clip as Matroska (raw: an .m2v stream) into folder (ending in "/") and returns its
// path, or "" when ffmpeg is missing or fails (error then holds its message).
QString MakeClip(const QString& folder, const ClipSpec& spec = {}, QString* error = nullptr);

// The default clip, made once per test program in a folder that lives as long as the program;
// also switches the player's sound output off (no sound device in tests). "" when ffmpeg fails.
QString SharedTestClip(QString* error = nullptr);
