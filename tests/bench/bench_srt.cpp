#include "formats/clsFileSRT.h"
#include "model/clsSubs.h"
#include "tests/bench/Bench.h"
#include "tests/support/Ffmpeg.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

LUM_BENCH(srt) {
    const int n = ctx.quick ? 100 : clsSubs::Capacity;
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.srt"));
    const QString saved = dir.filePath(QStringLiteral("saved.srt"));
    {
        clsSubs subs;
        subs.EnableEvents(false);
        for (int i = 0; i < n; ++i)
            subs.AddSub(QStringLiteral("Line one of entry %1\r\nand its second line").arg(i + 1), i * 3000,
                        i * 3000 + 2500);
        subs.EnableEvents(true);
        clsFileSRT f;
        f.setFile(big);
        f.Save(subs);
    }

    clsSubs subs;
    clsFileSRT in;
    in.setFile(big);
    ctx.time(QStringLiteral("Load of %1 SubRip entries").arg(n), 20, [&] { in.Load(subs); });
    if (subs.count() != n) std::printf("  ** loaded %d entries of %d **\n", subs.count(), n);
    clsFileSRT out;
    out.setFile(saved);
    ctx.time(QStringLiteral("Save of %1 SubRip entries").arg(n), 20, [&] { out.Save(subs); });

    // A legacy file: not UTF-8, so its encoding is detected, and a save over it keeps it.
    const QString legacy = dir.filePath(QStringLiteral("legacy.srt"));
    {
        QFile in(big), out(legacy);
        if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly))
            out.write(in.readAll().replace("entry", "entr\xE9"
                                                    "e"));
    }
    clsFileSRT old;
    old.setFile(legacy);
    ctx.time(QStringLiteral("Load and save of the same in Windows-1252"), 30, [&] {
        old.Load(subs);
        old.Save(subs);
    });

    if (!FfmpegAvailable()) {
        std::printf("  (ffmpeg is not installed: no side-by-side conversion)\n");
        return;
    }
    const QString converted = dir.filePath(QStringLiteral("out.srt"));
    const double ours = ctx.time(QStringLiteral("Load and save of the same (ours)"), 40, [&] {
        in.Load(subs);
        out.Save(subs);
    });
    // The same conversion by ffmpeg, side by side.
    double best = 1e300;
    for (int i = 0; i < (ctx.quick ? 1 : 3); ++i) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(QStringLiteral("ffmpeg"), {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
                                           QStringLiteral("-y"), QStringLiteral("-i"), big, converted});
        p.waitForFinished(60000);
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    std::printf("  %-58s %9.3f ms   (ours %.1f times faster)\n", "ffmpeg -i big.srt out.srt", best, best / ours);
}
