#include "tests/support/ClipMaker.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

QString MakeClip(const QString& folder, const ClipSpec& spec, QString* error) {
    const bool audio = spec.audio && !spec.raw;
    const QString path = folder + QStringLiteral("clip-%1s-%2fps-%3x%4%5%6")
                                      .arg(spec.seconds)
                                      .arg(spec.fps)
                                      .arg(spec.width)
                                      .arg(spec.height)
                                      .arg(audio ? QString() : QStringLiteral("-mute"))
                                      .arg(spec.raw ? QStringLiteral(".m2v") : QStringLiteral(".mkv"));
    if (QFileInfo(path).isFile()) return path;
    auto words = [](const char* text) { return QString::fromLatin1(text).split(u' '); };
    QStringList args = words("-nostdin -v error -y -f lavfi -i");
    args << QStringLiteral("testsrc=size=%1x%2:rate=%3:duration=%4")
                .arg(spec.width)
                .arg(spec.height)
                .arg(spec.fps)
                .arg(spec.seconds);
    if (audio) args << words("-f lavfi -i") << QStringLiteral("sine=frequency=440:duration=%1").arg(spec.seconds);
    // Encoders built into every ffmpeg, so the clip needs no optional library.
    if (spec.raw) args << words("-c:v mpeg2video -f mpeg2video");
    else args << words("-c:v mpeg4 -q:v 5");
    if (audio) args << words("-c:a pcm_s16le");
    args << path;
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error) *error = p.errorString() + u' ' + QString::fromUtf8(p.readAllStandardError());
        return QString();
    }
    return path;
}

QString SharedTestClip(QString* error) {
    qputenv("LUMERIN_MPV_AO", "null");
    static QTemporaryDir dir;
    static QString why;
    static const QString clip = MakeClip(dir.path() + QStringLiteral("/"), {}, &why);
    if (error) *error = why;
    return clip;
}
