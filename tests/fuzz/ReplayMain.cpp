// Runs a fuzz target once over each given file and over every file in each given folder (the
// corpus), without libFuzzer, so that the normal build replays what the fuzzer found. Options
// meant for libFuzzer ("-runs=0") are ignored.
#include "tests/fuzz/FuzzHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(u'-')) continue;
        const QFileInfo info(arg);
        if (info.isDir()) {
            for (const QFileInfo& f : QDir(arg).entryInfoList(QDir::Files, QDir::Name)) inputs << f.filePath();
        } else {
            inputs << arg;
        }
    }
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "No input to replay\n");
        return 1;
    }
    for (const QString& path : inputs) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "Cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray data = f.readAll();
        std::fprintf(stderr, "Replaying %s\n", qPrintable(path));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.constData()), static_cast<size_t>(data.size()));
    }
    std::fprintf(stderr, "%lld inputs replayed\n", static_cast<long long>(inputs.size()));
    return 0;
}
