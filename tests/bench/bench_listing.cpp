#include "controls/SubListing.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tests/bench/Bench.h"

#include <QWidget>

// A listing as the main window holds it: a full document, the selection and marker values
// bounded by the count, the control at a common window size.
LUM_BENCH(listing) {
    clsSubs subs;
    clsTime sel, a, b, m, m1, m2;
    for (clsTime* t : {&sel, &a, &b, &m, &m1, &m2}) {
        t->setMin(-2);
        t->setValue(-2);
    }
    auto bounds = [&] {
        for (clsTime* t : {&sel, &a, &b, &m, &m1, &m2}) t->setMax(subs.count() - 1);
    };
    QObject::connect(&subs, &clsSubs::CountChange, bounds);
    QObject::connect(&subs, &clsSubs::MajorChange, bounds);
    QWidget host;
    host.resize(1000, 700);
    SubListing l(&host);
    l.setGeometry(0, 0, 1000, 700);
    l.setNewLineChar(QStringLiteral("\u00A4"));
    l.SetStruct(&subs, &sel, &a, &b);
    l.SetMarkers(&m, &m1, &m2);
    const int n = ctx.quick ? 200 : clsSubs::Capacity;
    subs.EnableEvents(false);
    for (int i = 0; i < n; ++i)
        subs.AddSub(QStringLiteral("Subtitle number %1, a line of ordinary length\r\nand a second line").arg(i),
                    i * 2000, i * 2000 + (i % 97 == 0 ? 2500 : 1500));
    subs.EnableEvents(true);
    subs.RaiseMajor();
    host.show();
    m.setValue(5);
    a.setValue(3);
    b.setValue(12);

    ctx.time(
        QStringLiteral("Redraw of %1 rows").arg(l.Rows + 1), 2, [&] { l.Redraw(); }, 20);
    const int moves = std::min(1000, n - 1);
    const double total =
        ctx.time(QStringLiteral("%1 consecutive SelectSub, scrolling along").arg(moves), 0.5 * moves, [&] {
            l.SelectSub(0);
            for (int i = 1; i <= moves; ++i) l.SelectSub(i);
        });
    std::printf("  (%.3f ms per SelectSub)\n", total / (moves + 1));
}
