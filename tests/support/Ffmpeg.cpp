#include "tests/support/Ffmpeg.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

bool FfmpegAvailable() { return !QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty(); }

bool FfmpegCues(const QString& path, const QString& demuxer, std::vector<Cue>& cues, QString* error) {
    QStringList args{QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error")};
    if (!demuxer.isEmpty()) args << QStringLiteral("-f") << demuxer;
    args << QStringLiteral("-i") << path << QStringLiteral("-f") << QStringLiteral("srt") << QStringLiteral("pipe:1");
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error) *error = QString::fromUtf8(p.readAllStandardError());
        return false;
    }
    const QString out =
        QString::fromUtf8(p.readAllStandardOutput()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    static const QRegularExpression timeLine(
        QStringLiteral("^(\\d+):(\\d\\d):(\\d\\d),(\\d\\d\\d) --> (\\d+):(\\d\\d):(\\d\\d),(\\d\\d\\d)"));
    cues.clear();
    const QStringList blocks = out.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
    for (const QString& block : blocks) {
        QStringList lines = block.split(u'\n');
        while (!lines.isEmpty() && lines.first().trimmed().isEmpty()) lines.removeFirst();
        if (lines.size() < 2) continue;
        const auto m = timeLine.match(lines.at(1));
        if (!m.hasMatch()) continue;
        auto ms = [&](int k) {
            return ((m.captured(k).toLongLong() * 60 + m.captured(k + 1).toLongLong()) * 60 +
                    m.captured(k + 2).toLongLong()) *
                       1000 +
                   m.captured(k + 3).toLongLong();
        };
        Cue c;
        c.start = ms(1);
        c.end = ms(5);
        c.text = lines.mid(2).join(u'\n');
        cues.push_back(c);
    }
    return true;
}
