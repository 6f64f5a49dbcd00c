// The time line on a full document: a redraw at the widest and the closest zoom, and one step of
// an edge drag, each of which must fit well inside a frame.
#include "controls/timeBar.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tests/bench/Bench.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>

namespace {
void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
} // namespace

LUM_BENCH(timebar) {
    clsSubs subs;
    clsTime view, sel, selA, selB, ms, ms1, ms2, mt, mt1, mt2;
    for (clsTime* m : {&sel, &selA, &selB, &ms, &ms1, &ms2}) {
        m->setMin(-2);
        m->setValue(-2);
    }
    for (clsTime* m : {&mt, &mt1, &mt2}) m->setMax(1 << 30);
    const int n = ctx.quick ? 100 : clsSubs::Capacity;
    subs.EnableEvents(false);
    for (int i = 0; i < n; ++i) subs.AddSub(QStringLiteral("Line"), i * 2000, i * 2000 + 1500);
    subs.EnableEvents(true);
    for (clsTime* m : {&sel, &selA, &selB, &ms, &ms1, &ms2}) m->setMax(n - 1);
    sel.setValue(n / 2);

    timeBar bar;
    bar.resize(1240, 57);
    bar.show();
    bar.SetSubs(&subs);
    bar.SetTime(&view, &mt, &mt1, &mt2);
    bar.SetSel(&sel, &ms, &ms1, &ms2, &selA, &selB);
    subs.RaiseMajor();
    mt.setValue(n * 1000);
    for (int i = 0; i < 19; ++i) bar.ZoomOut();
    ctx.time(QStringLiteral("Redraw, widest zoom, %1 entries").arg(n), 8, [&] { bar.Redraw(); });
    bar.mnuRulers->setChecked(true);
    ctx.time(QStringLiteral("Redraw, widest zoom, with rulers"), 8, [&] { bar.Redraw(); });
    for (int i = 0; i < 19; ++i) bar.ZoomIn();
    bar.GoToSel(n / 2);
    ctx.time(QStringLiteral("Redraw, closest zoom, with rulers"), 8, [&] { bar.Redraw(); });

    // Drag the time-out edge of the middle entry, a pixel per step, at the start zoom.
    for (int i = 0; i < 4; ++i) bar.ZoomOut();
    bar.GotoTime(subs.SubTimeOut(n / 2));
    bar.Redraw();
    const int x = static_cast<int>((subs.SubTimeOut(n / 2) - view.value()) / bar.CoEff);
    const int y = (n / 2) % 2 ? 20 : 5;
    mouse(bar.picMain, QEvent::MouseButtonPress, QPoint(x, y), Qt::LeftButton);
    int step = 0;
    ctx.time(QStringLiteral("One drag step of an edge"), 8,
             [&] { mouse(bar.picMain, QEvent::MouseMove, QPoint(x + (++step % 3), y), Qt::LeftButton); });
    mouse(bar.picMain, QEvent::MouseButtonRelease, QPoint(x, y), Qt::NoButton);

    // And at the widest zoom, where every entry is drawn.
    for (int i = 0; i < 19; ++i) bar.ZoomOut();
    bar.Redraw();
    const int xw = static_cast<int>((subs.SubTimeOut(n / 2) - view.value()) / bar.CoEff);
    mouse(bar.picMain, QEvent::MouseButtonPress, QPoint(xw, y), Qt::LeftButton);
    ctx.time(QStringLiteral("One drag step, widest zoom"), 8,
             [&] { mouse(bar.picMain, QEvent::MouseMove, QPoint(xw + (++step % 3), y), Qt::LeftButton); });
    mouse(bar.picMain, QEvent::MouseButtonRelease, QPoint(xw, y), Qt::NoButton);
}
