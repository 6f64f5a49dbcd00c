#include "formats/clsFileSMI.h"
#include "formats/clsFileSSA.h"
#include "model/clsSubs.h"
#include "tests/bench/Bench.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <QPushButton>
#include <cstdio>

namespace {
void fill(clsSubs& subs, int n) {
    subs.EnableEvents(false);
    subs.Clear();
    for (int i = 0; i < n; ++i)
        subs.AddSub(QStringLiteral("Subtitle number %1\r\nwith a <i>second</i> line").arg(i), i * 2000,
                    i * 2000 + 1500);
    subs.EnableEvents(true);
}

// Every load and save shows the format's form once; the benchmark closes it at once.
void answerForm() {
    Forms().expect([](QDialog* d) {
        if (auto* b = d->findChild<QPushButton*>(QStringLiteral("btOk"))) b->click();
    });
}

template <class Handler> void run(const BenchContext& ctx, const QString& name, const QString& path, int n) {
    clsSubs subs;
    fill(subs, n);
    Handler f;
    f.setFile(path);
    ctx.time(QStringLiteral("%1 save of %2 entries").arg(name).arg(n), 30, [&] {
        answerForm();
        if (!f.Save(subs)) std::printf("  save failed\n");
    });
    clsSubs back;
    ctx.time(QStringLiteral("%1 load of %2 entries, progress window included").arg(name).arg(n), 30, [&] {
        answerForm();
        if (!f.Load(back)) std::printf("  load failed\n");
    });
    if (back.count() != n) std::printf("  ** read back %d of %d entries **\n", back.count(), n);
}

// Markup before the first SYNC: each tag goes to the body box that the save writes back.
void samiMarkup(const BenchContext& ctx, const QString& path, int tags) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    f.write("<SAMI>\r\n<HEAD>\r\n<TITLE>Markup</TITLE>\r\n</HEAD>\r\n<BODY>\r\n");
    for (int i = 0; i < tags; ++i) f.write(i % 40 == 39 ? "<b>\r\n" : "<b>");
    f.write("\r\n<SYNC Start=1000><P>Hello\r\n</BODY>\r\n</SAMI>\r\n");
    const qint64 size = f.size();
    f.close();
    clsSubs subs;
    clsFileSMI in;
    in.setFile(path);
    ctx.time(QStringLiteral("SAMI load, %1 tags (%2 KB) before the first SYNC").arg(tags).arg(size / 1024), 100, [&] {
        answerForm();
        if (!in.Load(subs)) std::printf("  load failed\n");
    });
    if (subs.count() != 1) std::printf("  ** read %d entries, not 1 **\n", subs.count());
}
} // namespace

LUM_BENCH(sami_ssa) {
    TempDir dir;
    const int n = ctx.quick ? 100 : clsSubs::Capacity;
    run<clsFileSMI>(ctx, QStringLiteral("SAMI"), dir.path(QStringLiteral("bench.smi")), n);
    run<clsFileSSA>(ctx, QStringLiteral("SubStation Alpha"), dir.path(QStringLiteral("bench.ssa")), n);
    // LUMBENCH_SAMI_TAGS sets another number of tags.
    const int asked = qEnvironmentVariableIntValue("LUMBENCH_SAMI_TAGS");
    const int tags = asked > 0 ? asked : ctx.quick ? 400 : 16000;
    samiMarkup(ctx, dir.path(QStringLiteral("markup.smi")), tags);
}
