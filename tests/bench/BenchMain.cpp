// lumbench [--quick] [name...]: runs the named benchmarks, or all of them.
#include "platform/Application.h"
#include "tests/bench/Bench.h"
#include "tests/support/Scripted.h"

#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <map>

namespace {
std::map<QString, std::function<void(const BenchContext&)>>& registry() {
    static std::map<QString, std::function<void(const BenchContext&)>> r;
    return r;
}
} // namespace

BenchRegistrar::BenchRegistrar(const char* name, std::function<void(const BenchContext&)> fn) {
    registry()[QString::fromLatin1(name)] = std::move(fn);
}

double BenchContext::time(const QString& what, double aimMs, const std::function<void()>& fn, int repeat) const {
    double best = 1e300;
    for (int i = 0; i < (quick ? 1 : repeat); ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    std::printf("  %-58s %9.3f ms   (aim < %g ms)%s\n", qPrintable(what), best, aimMs,
                best < aimMs || quick ? "" : "  ** over aim **");
    return best;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform comments on every window shown; keep the timings readable.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& msg) {
        if (!msg.contains(QStringLiteral("propagateSizeHints"))) std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    LumApplication app(argc, argv);
    // Benchmarks answer no questions: any box or form would be a fault in the benchmark.
    InstallMessageBoxes(&Boxes());
    InstallModalRunner(&Forms());
    InstallDesktop(&FakeDesk());
    BenchContext ctx;
    QStringList names;
    for (const QString& a : app.arguments().mid(1)) {
        if (a == QStringLiteral("--quick")) ctx.quick = true;
        else names << a;
    }
    for (const auto& [name, fn] : registry()) {
        if (!names.isEmpty() && !names.contains(name)) continue;
        std::printf("%s\n", qPrintable(name));
        fn(ctx);
    }
    return 0;
}
