// An independent reader for the formats' tests: the ffmpeg command reads a subtitle file we
// wrote and gives its cues back (through its own SubRip writer).
#pragma once

#include <QString>
#include <vector>

struct Cue {
    qint64 start = 0; // ms
    qint64 end = 0;   // ms
    QString text;     // lines joined by "\n"
};

bool FfmpegAvailable();
// demuxer: ffmpeg's input format name ("srt", "sami", "microdvd", "subviewer", "subviewer1",
// "ass"), or empty to let ffmpeg probe. False (with ffmpeg's message) when it fails.
bool FfmpegCues(const QString& path, const QString& demuxer, std::vector<Cue>& cues, QString* error = nullptr);
