// Search and Replace All over a full document, and Replace All of many hits in one entry, with
// the listing and the time line bound to it as the main window binds them: the views must
// follow without a visible pause.
#include "controls/SubListing.h"
#include "controls/timeBar.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tests/bench/Bench.h"

#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

LUM_BENCH(search) {
    clsSubs subs;
    clsTime view, sel, selA, selB, ms, ms1, ms2, mt, mt1, mt2;
    for (clsTime* m : {&sel, &selA, &selB, &ms, &ms1, &ms2}) {
        m->setMin(-2);
        m->setValue(-2);
    }
    for (clsTime* m : {&mt, &mt1, &mt2}) m->setMax(1 << 30);
    bool changed = false;
    auto bounds = [&] {
        for (clsTime* m : {&sel, &selA, &selB, &ms, &ms1, &ms2}) m->setMax(subs.count() - 1);
    };
    QObject::connect(&subs, &clsSubs::CountChange, bounds);
    QObject::connect(&subs, &clsSubs::MajorChange, [&] {
        bounds();
        changed = true;
    });

    QWidget host;
    host.resize(1000, 700);
    auto* box = new QVBoxLayout(&host);
    auto* l = new SubListing(&host);
    auto* bar = new timeBar(&host);
    bar->setFixedHeight(57);
    box->addWidget(l, 1);
    box->addWidget(bar);
    l->setNewLineChar(QStringLiteral("\u00A4"));
    l->SetStruct(&subs, &sel, &selA, &selB);
    l->SetMarkers(&ms, &ms1, &ms2);
    bar->SetSubs(&subs);
    bar->SetTime(&view, &mt, &mt1, &mt2);
    bar->SetSel(&sel, &ms, &ms1, &ms2, &selA, &selB);

    const int n = ctx.quick ? 200 : clsSubs::Capacity;
    subs.EnableEvents(false);
    for (int i = 0; i < n; ++i)
        subs.AddSub(QStringLiteral("Subtitle %1: the line that the viewer reads\r\nand the second line").arg(i),
                    i * 2000, i * 2000 + (i % 97 == 0 ? 2500 : 1500));
    subs.EnableEvents(true);
    subs.RaiseMajor();
    host.show();
    for (int i = 0; i < 4; ++i) bar->ZoomOut();
    l->SelectSub(n / 2);

    // Every entry holds the word twice; each run swaps its case and back.
    int run = 0;
    int replaced = 0;
    ctx.time(QStringLiteral("Replace All of a common word, %1 entries").arg(n), 20, [&] {
        const bool up = run++ % 2 == 0;
        changed = false;
        replaced = l->ReplaceAll(up ? QStringLiteral("line") : QStringLiteral("LINE"),
                                 up ? QStringLiteral("LINE") : QStringLiteral("line"), true, true, false);
    });
    std::printf("  (%d replacements, document marked changed: %s)\n", replaced, changed ? "yes" : "no");

    ctx.time(QStringLiteral("Find of an absent word through %1 entries").arg(n), 20,
             [&] { l->find(QStringLiteral("absent"), false, false, true, false); });

    // One entry that holds the word 100,000 times; each run swaps it for another and back.
    const int hits = 100000;
    subs.setSubText(n / 2, QStringLiteral("zq ").repeated(hits));
    run = 0;
    ctx.time(QStringLiteral("Replace All of %1 hits in one entry").arg(hits), 100, [&] {
        const bool there = run++ % 2 == 0;
        replaced = l->ReplaceAll(there ? QStringLiteral("zq") : QStringLiteral("qz"),
                                 there ? QStringLiteral("qz") : QStringLiteral("zq"), true, true, false);
    });
    std::printf("  (%d replacements)\n", replaced);
}
