#include "model/clsSubs.h"
#include "tests/bench/Bench.h"

#include <cstdio>

LUM_BENCH(document) {
    clsSubs subs;
    const int n = ctx.quick ? 100 : clsSubs::Capacity;
    ctx.time(QStringLiteral("AddSub x%1, events off").arg(n), 2, [&] {
        subs.EnableEvents(false);
        subs.Clear();
        for (int i = 0; i < n; ++i) subs.AddSub(QStringLiteral("Line one\r\nLine two"), i * 2000, i * 2000 + 1500);
        subs.EnableEvents(true);
    });
    ctx.time(QStringLiteral("Shift of all entries"), 2, [&] { subs.Shift(0, n - 1, 0, 1000); });
    ctx.time(QStringLiteral("Stretch of all entries"), 2, [&] { subs.Stretch(0, n - 1, 0, n - 1, 0, (n - 1) * 2100); });
    int bad = 0;
    ctx.time(QStringLiteral("Invalid of all entries"), 2, [&] {
        bad = 0;
        for (int i = 0; i < n; ++i) bad += subs.Invalid(i);
    });
    if (bad) std::printf("  (%d bad)\n", bad);
}
