// Load and save of a full list in MicroDVD, the properties form confirmed each time.
#include "formats/clsFileTXT.h"
#include "model/clsSubs.h"
#include "tests/bench/Bench.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QPushButton>
#include <cstdio>

namespace {
void confirmForm() {
    Forms().expect([](QDialog* f) { f->findChild<QPushButton*>(QStringLiteral("btOk"))->click(); });
}
} // namespace

LUM_BENCH(microdvd) {
    TempDir dir;
    const int n = ctx.quick ? 100 : clsSubs::Capacity;
    clsSubs subs;
    subs.EnableEvents(false);
    for (int i = 0; i < n; ++i)
        subs.AddSub(QStringLiteral("Line one of %1\r\nLine two").arg(i), i * 2000, i * 2000 + 1500);
    subs.EnableEvents(true);
    clsFileTXT file;
    file.setFile(dir.path(QStringLiteral("bench.sub")));
    ctx.time(QStringLiteral("MicroDVD: save %1 entries").arg(n), 30, [&] {
        confirmForm();
        if (!file.Save(subs)) std::printf("  save failed\n");
    });
    clsSubs loaded;
    ctx.time(QStringLiteral("MicroDVD: load %1 entries").arg(n), 30, [&] {
        confirmForm();
        clsFileTXT reader;
        reader.setFile(file.file());
        if (!reader.Load(loaded)) std::printf("  load failed\n");
    });
    if (loaded.count() != n) std::printf("  ** %d entries read back **\n", loaded.count());
}
