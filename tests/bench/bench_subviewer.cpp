// Load and save of a full list in SubViewer 1.0, SubViewer 2.0 and raw text, forms and the
// progress window included.
#include "formats/clsFileRAW.h"
#include "formats/clsFileSV1.h"
#include "formats/clsFileSV2.h"
#include "model/clsSubs.h"
#include "tests/bench/Bench.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QPushButton>
#include <cstdio>
#include <memory>

namespace {
void confirmForm() {
    Forms().expect([](QDialog* f) { f->findChild<QPushButton*>(QStringLiteral("btOk"))->click(); });
}

void benchFormat(const BenchContext& ctx, const QString& name, const std::function<std::unique_ptr<intFile>()>& make) {
    TempDir dir;
    const int n = ctx.quick ? 100 : clsSubs::Capacity;
    clsSubs subs;
    subs.EnableEvents(false);
    for (int i = 0; i < n; ++i)
        subs.AddSub(QStringLiteral("Line one of %1\r\nLine two").arg(i), i * 2000, i * 2000 + 1500);
    subs.EnableEvents(true);
    std::unique_ptr<intFile> file = make();
    file->setFile(dir.path(QStringLiteral("bench.sub")));
    ctx.time(QStringLiteral("%1: save %2 entries").arg(name).arg(n), 30, [&] {
        confirmForm();
        if (!file->Save(subs)) std::printf("  save failed\n");
    });
    clsSubs loaded;
    ctx.time(QStringLiteral("%1: load %2 entries").arg(name).arg(n), 30, [&] {
        confirmForm();
        std::unique_ptr<intFile> reader = make();
        reader->setFile(file->file());
        if (!reader->Load(loaded)) std::printf("  load failed\n");
    });
    if (loaded.count() != n) std::printf("  ** %d entries read back **\n", loaded.count());
}
} // namespace

LUM_BENCH(subviewer) {
    benchFormat(ctx, QStringLiteral("SubViewer 1.0"), [] { return std::make_unique<clsFileSV1>(); });
    benchFormat(ctx, QStringLiteral("SubViewer 2.0"), [] { return std::make_unique<clsFileSV2>(); });
    benchFormat(ctx, QStringLiteral("Raw text"), [] { return std::make_unique<clsFileRAW>(); });
}
