// The time line's scale, zoom, view movement and drawing.
#include "platform/Colors.h"
#include "tests/controls/TimeBarFixture.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <limits>
#include <vector>

namespace {
// A system colour as the 8-bit pixel it paints.
QColor sys(SysColor c) { return QColor(SystemColor(c).rgb()); }
QColor kBackground() { return sys(SysColor::AppWorkspace); }
const QColor kBlack(0, 0, 0), kWhite(255, 255, 255);
} // namespace

TEST_F(TimeBarTest, ZoomWalksTheStepsAndReportsTheEnds) {
    std::vector<std::pair<char, bool>> events;
    QObject::connect(bar.get(), &timeBar::EnableZoomIn, [&](bool b) { events.emplace_back('I', b); });
    QObject::connect(bar.get(), &timeBar::EnableZoomOut, [&](bool b) { events.emplace_back('O', b); });
    EXPECT_DOUBLE_EQ(bar->CoEff, 50);
    EXPECT_EQ(bar->TimeScale, 50000);

    bar->ZoomIn();
    EXPECT_DOUBLE_EQ(bar->CoEff, 30);
    EXPECT_EQ(bar->TimeScale, 30000);
    EXPECT_EQ(events, (std::vector<std::pair<char, bool>>{{'I', true}, {'O', true}}));

    for (int i = 0; i < 3; ++i) bar->ZoomIn();
    EXPECT_DOUBLE_EQ(bar->CoEff, 5);
    EXPECT_EQ(events.end()[-2], std::make_pair('I', false));
    EXPECT_FALSE(bar->mnuZoomIn->isEnabled());
    events.clear();
    bar->ZoomIn();
    EXPECT_DOUBLE_EQ(bar->CoEff, 5);
    EXPECT_TRUE(events.empty());

    std::vector<double> wider;
    for (int i = 0; i < 19; ++i) {
        bar->ZoomOut();
        wider.push_back(bar->CoEff);
    }
    EXPECT_EQ(wider, (std::vector<double>{10, 20, 30, 50, 100, 200, 500, 1000, 2000, 3000, 4000, 5000, 7500, 10000,
                                          20000, 30000, 60000, 120000, 180000}));
    EXPECT_EQ(events.end()[-2], std::make_pair('O', false));
    EXPECT_EQ(events.back(), std::make_pair('I', true));
    EXPECT_TRUE(bar->mnuZoomIn->isEnabled());
    EXPECT_FALSE(bar->mnuZoomOut->isEnabled());
    events.clear();
    bar->ZoomOut();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(bar->TimeScale, 180000000);

    // The keys "+" and "-" on the surface zoom as well; other keys do nothing.
    QTest::keyClick(bar->picMain, '+');
    EXPECT_DOUBLE_EQ(bar->CoEff, 120000);
    QTest::keyClick(bar->picMain, 'a');
    EXPECT_DOUBLE_EQ(bar->CoEff, 120000);
    QTest::keyClick(bar->picMain, '-');
    EXPECT_DOUBLE_EQ(bar->CoEff, 180000);
}

TEST_F(TimeBarTest, ScrollRangeReachesTheLatestEndAndFollowsTheScale) {
    add(0, 100000);
    EXPECT_EQ(view.Min(), 0);
    EXPECT_EQ(view.Max(), 50000);
    // The last entry ending earlier does not shorten the time line.
    add(1000, 2000);
    EXPECT_EQ(view.Max(), 50000);
    bar->setMovieTime(200000);
    EXPECT_EQ(view.Max(), 150000);

    view.setValue(40000);
    bar->ZoomOut(); // 100 ms a pixel: the view start stays, nothing is centred
    EXPECT_EQ(view.Max(), 100000);
    EXPECT_EQ(view.value(), 40000);
    bar->ZoomOut(); // 200 ms a pixel: the whole time line fits
    EXPECT_EQ(view.Max(), 0);
    EXPECT_EQ(view.value(), 0);

    // An emptied list keeps the earlier end.
    bar->setMovieTime(0);
    subs.Clear();
    bar->ZoomIn();
    bar->ZoomIn();
    EXPECT_EQ(view.Max(), 50000);
}

TEST_F(TimeBarTest, GotoTimeCentresWithinTheTimeLine) {
    add(0, 300000);
    bar->GotoTime(100000);
    EXPECT_EQ(view.value(), 75000);
    bar->GotoTime(299000);
    EXPECT_EQ(view.value(), 250000);
    bar->GotoTime(1000);
    EXPECT_EQ(view.value(), 0);
    for (int i = 0; i < 3; ++i) bar->ZoomOut(); // 500 ms a pixel: everything fits
    bar->GotoTime(200000);
    EXPECT_EQ(view.value(), 0);
}

TEST_F(TimeBarTest, GoToSelBringsTheEntryIntoView) {
    add(0, 1000);
    add(100000, 101000);
    add(200000, 260000); // longer than the window
    bar->GoToSel(1);
    EXPECT_EQ(view.value(), 101000 - 50000 + 100);
    bar->GoToSel(0);
    EXPECT_EQ(view.value(), 0);
    bar->GoToSel(2);
    EXPECT_EQ(view.value(), 200000); // shown from its start
    // Indices that name no entry change nothing.
    for (int i : {-2, -1, 3, 10000}) {
        bar->GoToSel(i);
        EXPECT_EQ(view.value(), 200000) << i;
    }
}

TEST_F(TimeBarTest, SelectionIsFollowedWhileTheItemIsChecked) {
    add(0, 1000);
    add(100000, 101000);
    add(200000, 201000);
    sel.setValue(1);
    EXPECT_EQ(view.value(), 51100);
    bar->mnuFollow2->trigger();
    EXPECT_FALSE(bar->mnuFollow2->isChecked());
    sel.setValue(0);
    EXPECT_EQ(view.value(), 51100);
}

TEST_F(TimeBarTest, FollowPlaytimeMovesTheViewSilently) {
    add(0, 300000);
    QSignalSpy changes(&view, &clsTime::Change);
    bar->FollowPlaytime(100000);
    EXPECT_EQ(bar->lCurrentPosition, 100000);
    EXPECT_EQ(view.value(), 75000);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(px(500, 45), QColor(128, 0, 0)); // the play position line, redrawn at once

    bar->FollowPlaytime(-1);
    EXPECT_EQ(bar->lCurrentPosition, 100000);
    EXPECT_EQ(view.value(), 75000);

    bar->mnuStick->trigger();
    bar->FollowPlaytime(80000);
    EXPECT_EQ(bar->lCurrentPosition, 80000);
    EXPECT_EQ(view.value(), 75000);
    EXPECT_EQ(px(100, 45), QColor(128, 0, 0));
    EXPECT_EQ(px(500, 45), kBackground());
}

TEST_F(TimeBarTest, BoxesLieInTwoLanesWithEdgesAndBorder) {
    add(1000, 3000); // columns 20 to 60, upper lane
    add(5000, 7000); // columns 100 to 140, lower lane
    EXPECT_EQ(px(19, 8), kBlack);
    EXPECT_EQ(px(20, 8), kWhite);
    EXPECT_EQ(px(23, 8), sys(SysColor::ButtonFace));
    EXPECT_EQ(px(30, 0), sys(SysColor::ButtonHighlight));
    EXPECT_EQ(px(60, 8), sys(SysColor::ButtonShadow));
    EXPECT_EQ(px(61, 8), kBlack);
    EXPECT_EQ(px(30, 16), kBlack);
    EXPECT_EQ(px(30, 17), kBackground());

    EXPECT_EQ(px(103, 8), kBackground());
    EXPECT_EQ(px(103, 24), sys(SysColor::ButtonFace));
    EXPECT_EQ(px(110, 32), kBlack);
    EXPECT_EQ(px(110, 33), kBackground());

    // The number is centred on the box in black.
    bool dark = false;
    for (int x = 30; x < 50; ++x)
        for (int y = 1; y < 15; ++y) dark = dark || px(x, y) == kBlack;
    EXPECT_TRUE(dark);

    // A box that starts before the view is drawn from column 0.
    add(49000, 52000);
    view.setValue(2000); // entry 0 now starts 1000 ms before the view
    EXPECT_EQ(px(0, 8), kWhite);
    EXPECT_EQ(px(3, 8), sys(SysColor::ButtonFace));
    EXPECT_EQ(px(20, 8), sys(SysColor::ButtonShadow));
    EXPECT_EQ(px(21, 8), kBlack);
}

TEST_F(TimeBarTest, BoxColoursFollowStateInOrder) {
    for (int i = 0; i < 6; ++i) add(i * 3000 + 1000, i * 3000 + 3000); // columns 20 + 60 i to 60 + 60 i
    subs.setSubTimeOut(0, 4500);                                       // overlaps entry 1: both are bad
    selA.setValue(1);
    selB.setValue(2);
    sel.setValue(3);
    ms1.setValue(4);
    ms.setValue(5);
    auto fillOf = [&](int i) { return px(20 + 60 * i + 3, (i % 2) * 16 + 8); };
    auto bottomOf = [&](int i) { return px(20 + 60 * i + 8, (i % 2) * 16 + 15); };
    EXPECT_EQ(fillOf(0), QColor(255, 0, 0));
    EXPECT_EQ(fillOf(1), QColor(192, 192, 255)); // the range colour overrides the bad one
    EXPECT_EQ(bottomOf(1), QColor(111, 111, 193));
    EXPECT_EQ(fillOf(2), QColor(192, 192, 255));
    EXPECT_EQ(fillOf(3), QColor(128, 128, 255));
    EXPECT_EQ(bottomOf(3), QColor(75, 75, 150));
    EXPECT_EQ(fillOf(4), QColor(140, 200, 130));
    EXPECT_EQ(bottomOf(4), QColor(90, 135, 80));
    EXPECT_EQ(fillOf(5), QColor(140, 200, 130));

    // The current entry keeps its blue fill when it is also a marker entry, with green edges.
    ms2.setValue(3);
    EXPECT_EQ(fillOf(3), QColor(128, 128, 255));
    EXPECT_EQ(bottomOf(3), QColor(90, 135, 80));

    // A range whose first end is past its second highlights nothing.
    selA.setValue(2);
    selB.setValue(1);
    EXPECT_EQ(fillOf(2), sys(SysColor::ButtonFace));
    EXPECT_EQ(fillOf(1), QColor(255, 0, 0));
}

TEST_F(TimeBarTest, MarkerLinesAndThePlayPosition) {
    const QColor green(0, 192, 0);
    EXPECT_EQ(px(0, 50), QColor(128, 0, 0)); // the play position at 0 is drawn
    EXPECT_EQ(px(200, 50), kBackground());
    mt.setValue(10000);
    EXPECT_EQ(px(200, 0), green);
    EXPECT_EQ(px(200, 56), green);
    bool label = false;
    for (int x = 202; x < 220; ++x)
        for (int y = 3; y < 17; ++y) label = label || px(x, y) == kWhite;
    EXPECT_TRUE(label);
    mt1.setValue(15000);
    mt2.setValue(17500);
    EXPECT_EQ(px(300, 50), green);
    EXPECT_EQ(px(350, 50), green);
    bar->setMovieTime(30000);
    EXPECT_EQ(px(600, 50), QColor(255, 128, 0));

    mt.setValue(60000); // past the window: nothing drawn
    EXPECT_EQ(px(200, 50), kBackground());
    mt1.setValue(0); // not set: nothing drawn
    EXPECT_EQ(px(300, 50), kBackground());
}

TEST_F(TimeBarTest, RulersTickEverySecondWhenSwitchedOn) {
    QSignalSpy ask(bar.get(), &timeBar::AskRulerSpace);
    bar->Redraw();
    EXPECT_EQ(px(20, 50), kBackground());
    bar->mnuRulers->trigger();
    ASSERT_EQ(ask.count(), 1);
    EXPECT_TRUE(ask.at(0).at(0).toBool());
    bar->Redraw(); // the host redraws once it has made room

    EXPECT_EQ(px(200, 37), kBlack); // 10 s: long tick with a label
    EXPECT_EQ(px(200, 36), kBackground());
    EXPECT_EQ(px(200, 52), kBlack);
    EXPECT_EQ(px(200, 53), kBackground());
    EXPECT_EQ(px(100, 42), kBlack); // 5 s
    EXPECT_EQ(px(100, 41), kBackground());
    EXPECT_EQ(px(20, 47), kBlack); // 1 s
    EXPECT_EQ(px(20, 46), kBackground());
    EXPECT_EQ(px(30, 50), kBackground());
    bool label = false;
    for (int x = 202; x < 260; ++x)
        for (int y = 33; y < 47; ++y) label = label || px(x, y) == kWhite;
    EXPECT_TRUE(label);

    // At the widest step every column holds a ten-second tick.
    for (int i = 0; i < 15; ++i) bar->ZoomOut();
    for (int x : {1, 500, 999}) EXPECT_EQ(px(x, 37), kBlack) << x;

    bar->mnuRulers->trigger();
    EXPECT_FALSE(ask.at(1).at(0).toBool());
    bar->Redraw();
    EXPECT_EQ(px(500, 45), kBackground());
}

// Times at the ends of the 32-bit range at every zoom step: no overflow, boxes still clipped.
TEST_F(TimeBarTest, ExtremeTimesAtEveryZoom) {
    constexpr qint32 maxLong = std::numeric_limits<qint32>::max();
    add(maxLong - 10000, maxLong);
    add(0, maxLong);
    bar->setMovieTime(maxLong);
    mt.setValue(1 << 30);
    bar->mnuRulers->trigger();
    for (int step = 0; step < 20; ++step) {
        bar->GotoTime(maxLong);
        EXPECT_EQ(view.value(), view.Max());
        EXPECT_EQ(view.Max(), maxLong - bar->TimeScale);
        bar->GotoTime(1 << 30);
        bar->ZoomOut();
    }
    for (int step = 0; step < 20; ++step) bar->ZoomIn();
    bar->GotoTime(1 << 30);
    EXPECT_EQ(px(500, 24), QColor(255, 0, 0)); // entry 1 (bad: it overlaps entry 0) fills its lane
    EXPECT_EQ(px(0, 24), kWhite);
}

TEST_F(TimeBarTest, MapsCoverAWideSurface) {
    bar->resize(5000, 57);
    EXPECT_EQ(bar->TimeScale, 250000);
    add(240000, 245000); // columns 4800 to 4900
    move(4850, 5, Qt::NoButton);
    EXPECT_EQ(bar->picMain->cursor().shape(), Qt::SizeAllCursor);
    press(4850, 5);
    release(4850, 5);
    EXPECT_EQ(sel.value(), 0);
}

TEST(TimeBarBindings, WithoutSelectionValuesNothingIsSelectedOrMarked) {
    clsSubs subs;
    clsTime view, mt, mt1, mt2;
    TestBar b;
    b.resize(400, 57);
    b.show();
    b.SetSubs(&subs);
    b.SetTime(&view, &mt, &mt1, &mt2);
    subs.AddSub(QStringLiteral("a"), 1000, 3000);
    subs.AddSub(QStringLiteral("b"), 5000, 7000);
    EXPECT_EQ(b.picMain->image.pixelColor(23, 8), sys(SysColor::ButtonFace));
    EXPECT_EQ(b.picMain->image.pixelColor(103, 24), sys(SysColor::ButtonFace));
    b.mnuGoto->trigger();
    b.mnuGotoSMS->trigger();
    EXPECT_EQ(view.value(), 0);
    // A click on a box selects nothing and breaks nothing.
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(40, 5), QPointF(40, 5), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(40, 5), QPointF(40, 5), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(b.picMain, &down);
    QApplication::sendEvent(b.picMain, &up);
    EXPECT_EQ(subs.SubTimeIn(0), 1000);
    EXPECT_TRUE(subs.eventsEnabled());
}

// Far out, boxes pile up and hidden ones are skipped: only a box that the next box of its lane
// covers whole may be left out.
TEST_F(TimeBarTest, PiledBoxesShowWhatLiesOnTop) {
    add(1000, 5000);  // 0: columns 20-100
    add(2000, 2500);  // 1: other lane
    add(2000, 3000);  // 2: columns 40-60, inside entry 0
    add(7000, 8000);  // 3
    add(9000, 10000); // 4: columns 180-200
    add(8000, 11000); // 5
    add(8500, 10500); // 6: columns 170-210, covers entry 4 (and its badness)
    sel.setValue(0);
    EXPECT_EQ(px(25, 8), QColor(128, 128, 255)); // entry 0 still shows around entry 2
    EXPECT_EQ(px(45, 8), QColor(255, 0, 0));     // entry 2 on top (bad: it starts before entry 1 ends)
    sel.setValue(4);
    for (int x : {175, 185, 205}) EXPECT_EQ(px(x, 8), QColor(255, 0, 0)) << x;
    sel.setValue(6);
    for (int x : {175, 185, 205}) EXPECT_EQ(px(x, 8), QColor(128, 128, 255)) << x;
}
