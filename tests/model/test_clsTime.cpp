#include "model/clsTime.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ObservableTime, FreshObjectHoldsOnlyZero) {
    clsTime t;
    QSignalSpy spy(&t, &clsTime::Change);
    EXPECT_EQ(t.setValue(5), 0);
    EXPECT_EQ(t.setValue(-5), 0);
    EXPECT_EQ(t.value(), 0);
    EXPECT_EQ(spy.count(), 0);
}

TEST(ObservableTime, ClampsAndRaisesOnlyOnMovement) {
    clsTime t;
    t.setMax(100);
    QSignalSpy spy(&t, &clsTime::Change);
    EXPECT_EQ(t.setValue(250), 100);
    EXPECT_EQ(spy.count(), 1);
    t.setValue(100);
    EXPECT_EQ(spy.count(), 1);
    t.setMax(40); // lowering Max below the value moves it
    EXPECT_EQ(t.value(), 40);
    EXPECT_EQ(spy.count(), 2);
    t.setMin(60); // Min above the value moves it up, then Max < Min gives Max
    EXPECT_EQ(t.value(), 40);
    t.setMax(100);
    t.setMin(60);
    EXPECT_EQ(t.value(), 60);
}

TEST(ObservableTime, SetsFromInsideChangeAreIgnored) {
    clsTime t;
    t.setMax(1000);
    int calls = 0;
    QObject::connect(&t, &clsTime::Change, [&] {
        ++calls;
        t.setValue(999);
    });
    t.setValue(10);
    EXPECT_EQ(t.value(), 10);
    EXPECT_EQ(calls, 1);
}

TEST(ObservableTime, ValueNRAndRaiseFlagStayQuiet) {
    clsTime t;
    t.setMax(1000);
    QSignalSpy spy(&t, &clsTime::Change);
    t.setValueNR(20);
    EXPECT_EQ(t.value(), 20);
    t.EnableRaise(false);
    t.setValue(30);
    EXPECT_EQ(spy.count(), 0);
    t.EnableRaise(true);
    t.setValue(40);
    EXPECT_EQ(spy.count(), 1);
}

TEST(ObservableTime, ScrollBarBindingUsesTheCoefficient) {
    QScrollBar bar(Qt::Horizontal);
    clsTime t;
    t.SetScroller(&bar, 1000);
    t.setMax(100000);
    EXPECT_DOUBLE_EQ(t.coefficient(), 100000.0 / 32767.0);
    EXPECT_EQ(bar.maximum(), 32767);
    EXPECT_EQ(bar.singleStep(), 328); // 1000 / coefficient, nearest
    t.setValue(50000);
    EXPECT_EQ(bar.value(), 16384); // 16383.5 -> even
    QSignalSpy spy(&t, &clsTime::Change);
    bar.setValue(32767); // a user's move comes back into the value
    EXPECT_EQ(t.value(), 100000);
    EXPECT_EQ(spy.count(), 1);
}

TEST(ObservableTime, ProgramPushesDoNotComeBackAndBoundsRepush) {
    QScrollBar bar(Qt::Horizontal);
    clsTime t;
    t.setMax(20000);
    t.SetScroller(&bar, 1000);
    EXPECT_EQ(bar.maximum(), 20);
    t.setValue(7400);
    EXPECT_EQ(bar.value(), 7);
    EXPECT_EQ(t.value(), 7400); // not rounded back through the bar
    t.setMin(0);                // coefficient back to 1 by the bounds rule; bar re-pushed
    EXPECT_EQ(bar.maximum(), 20000);
    EXPECT_EQ(bar.value(), 7400);
}

TEST(ObservableTime, BarNumbersSaturateAndBadCoefficientCountsAsOne) {
    QScrollBar bar(Qt::Horizontal);
    clsTime t;
    t.setMax(30000);
    t.SetScroller(&bar, 0);
    EXPECT_EQ(bar.maximum(), 30000);
    QScrollBar other(Qt::Horizontal);
    clsTime big;
    big.setMax(2000000000);
    big.setValue(2000000000);
    big.SetScroller(&other, 1); // far too small a coefficient: the bar saturates
    EXPECT_EQ(other.maximum(), 32767);
    EXPECT_EQ(other.value(), 32767);
}
