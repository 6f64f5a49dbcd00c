#include "formats/clsFileSMI.h"
#include "formats/clsFileSSA.h"
#include "model/clsSubs.h"
#include "tests/bench/Bench.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <QPushButton>
#include <QTabWidget>
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

// A load whose form is shown on its warnings tab and drawn: the list must appear at once,
// however many warnings it holds.
template <class Handler>
void warningsList(const BenchContext& ctx, const QString& name, const QString& path, const QByteArray& head,
                  const QByteArray& line, const QByteArray& tail, int lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    f.write(head);
    for (int i = 0; i < lines; ++i) f.write(line);
    f.write(tail);
    const qint64 size = f.size();
    f.close();
    clsSubs subs;
    Handler in;
    in.setFile(path);
    ctx.time(QStringLiteral("%1 load, %2 warnings (%3 KB) listed").arg(name).arg(lines * 10).arg(size / 1024), 200,
             [&] {
                 Forms().expect([](QDialog* d) {
                     auto* tabs = d->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
                     for (int i = 0; tabs && i < tabs->count(); ++i)
                         if (tabs->tabText(i).startsWith(QStringLiteral("Warnings"))) tabs->setCurrentIndex(i);
                     d->show();
                     d->grab();
                     d->hide();
                 });
                 if (!in.Load(subs)) std::printf("  load failed\n");
             });
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
    // Ten warnings a line.
    const int lines = ctx.quick ? 50 : 6600;
    warningsList<clsFileSMI>(ctx, QStringLiteral("SAMI"), dir.path(QStringLiteral("warnings.smi")),
                             "<SAMI>\r\n<HEAD>\r\n", "<a><b><c><d><e><f><g><h><i><j>\r\n",
                             "</HEAD>\r\n<BODY>\r\n<SYNC Start=1000><P>Hello\r\n</BODY>\r\n</SAMI>\r\n", lines);
    warningsList<clsFileSSA>(ctx, QStringLiteral("SubStation Alpha"), dir.path(QStringLiteral("warnings.ssa")),
                             "[Script Info]\r\n[V4+ Styles]\r\nFormat: Name\r\nStyle: Default\r\n[Events]\r\n"
                             "Format: a, b, c, d, e, f, g, h, i, j, Start, End, Text\r\n",
                             "Dialogue: ,,,,,,,,,,0:00:01.00,0:00:02.00,Hello\r\n", "", lines);
}
