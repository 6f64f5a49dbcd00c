#include "controls/Tracker.h"
#include "platform/Colors.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A slider 202 pixels wide, so that 200 pixels are usable, 18 high as with a marker shown.
struct Slider {
    Tracker t;
    QStringList events;
    int paints = 0;

    explicit Slider(qint32 max = 1000) {
        t.resize(202, 18);
        t.setMax(max);
        QObject::connect(&t, &Tracker::Change, [this] { events << QStringLiteral("Change"); });
        QObject::connect(&t, &Tracker::ChangeS, [this] { events << QStringLiteral("ChangeS"); });
        QObject::connect(&t, &Tracker::RightClick, [this] { events << QStringLiteral("RightClick"); });
        t.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&t));
    }
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(t.picM, b, {}, {x, y}); }
    void release(int x, int y, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseRelease(t.picM, b, {}, {x, y}); }
    // A move with the left button held.
    void drag(int x, int y) {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, y), t.picM->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(t.picM, &e);
    }
    QImage picture() const { return t.picM->grab().toImage(); }
    QColor at(int x, int y) const { return picture().pixelColor(x, y); }
};

QColor bar() { return SystemColor(SysColor::Highlight); }
QColor marker() { return SystemColor(SysColor::ButtonText); }

// Counts the paints of a widget, i.e. the redraws that reached the screen.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};
} // namespace

TEST(Tracker, SettersKeepPositionsWithinTheRangeAndRedrawOnlyOnChange) {
    Slider s;
    PaintCounter counter;
    s.t.picM->installEventFilter(&counter);
    s.t.setValue(1500);
    EXPECT_EQ(s.t.value(), 1000);
    s.t.setValue(-5);
    EXPECT_EQ(s.t.value(), 0);
    s.t.setsValue(1200);
    EXPECT_EQ(s.t.sValue(), 1000);
    s.t.setValue(400);
    QCoreApplication::processEvents();
    const int paints = counter.paints;
    EXPECT_GT(paints, 0);
    s.t.setValue(400);
    s.t.setsValue(1000);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, paints);
    EXPECT_TRUE(s.events.isEmpty()); // setters raise nothing

    // Max stores only: the value stays beyond a lowered Max until it is set again.
    s.t.setMax(300);
    EXPECT_EQ(s.t.value(), 400);
    s.t.setValue(s.t.value());
    EXPECT_EQ(s.t.value(), 300);
    // A negative Max leaves nothing but 0.
    s.t.setMax(-10);
    s.t.setValue(50);
    EXPECT_EQ(s.t.value(), 0);
}

TEST(Tracker, PressAndDragMoveTheValueAndTheBar) {
    Slider s;
    s.press(100, 9);
    EXPECT_EQ(s.t.value(), 500);
    EXPECT_EQ(s.at(99, 9), bar());
    EXPECT_NE(s.at(102, 9), bar());
    s.drag(150, 2);
    EXPECT_EQ(s.t.value(), 750);
    EXPECT_EQ(s.at(149, 9), bar());
    // Beyond the ends while dragging: held at the ends.
    s.drag(900, 9);
    EXPECT_EQ(s.t.value(), 1000);
    s.drag(-40, 9);
    EXPECT_EQ(s.t.value(), 0);
    EXPECT_NE(s.at(1, 9), bar());
    s.release(-40, 9);
    // A press where the value already is still reports a change.
    s.press(0, 9);
    EXPECT_EQ(s.events, QStringList(5, QStringLiteral("Change")));

    // Resizing stretches the surface and draws the bar to the new scale.
    s.t.setValue(500);
    s.t.resize(402, 18);
    EXPECT_EQ(s.t.picM->size(), QSize(402, 18));
    EXPECT_EQ(s.at(199, 9), bar());
    EXPECT_NE(s.at(203, 9), bar());
}

TEST(Tracker, PositionsUnderThePointerRoundHalvesToEven) {
    Slider s(1);
    s.press(100, 9); // 0.5
    EXPECT_EQ(s.t.value(), 0);
    s.press(101, 9); // 0.505
    EXPECT_EQ(s.t.value(), 1);
    s.t.setMax(3);
    s.press(100, 9); // 1.5
    EXPECT_EQ(s.t.value(), 2);
}

TEST(Tracker, TheMarkerIsGrabbedNearItAndDraggedInTheLowerHalf) {
    Slider s;
    s.t.SetSelect(true, 400); // marker at pixel 80
    EXPECT_EQ(s.t.sValue(), 400);
    // The bar takes the upper half; the marker points up at its pixel in the lower half.
    s.t.setValue(500);
    EXPECT_EQ(s.at(50, 4), bar());
    EXPECT_NE(s.at(50, 12), bar());
    EXPECT_EQ(s.at(80, 10), marker());
    EXPECT_EQ(s.at(77, 16), marker());
    EXPECT_EQ(s.at(83, 16), marker());
    EXPECT_NE(s.at(85, 16), marker());

    // 4 pixels or more away: nothing happens.
    s.press(84, 14);
    s.press(76, 14);
    EXPECT_TRUE(s.events.isEmpty());
    EXPECT_EQ(s.t.sValue(), 400);
    // Dragging after such a press moves nothing in the lower half, the value in the upper one.
    s.drag(120, 14);
    EXPECT_TRUE(s.events.isEmpty());
    s.drag(120, 3);
    EXPECT_EQ(s.t.value(), 600);
    s.release(120, 3);

    s.events.clear();
    s.press(83, 14);
    EXPECT_EQ(s.t.sValue(), 415);
    s.drag(130, 13);
    EXPECT_EQ(s.t.sValue(), 650);
    EXPECT_EQ(s.at(130, 10), marker());
    EXPECT_NE(s.at(80, 10), marker());
    // Into the upper half the held marker stops following, and the value stays put.
    s.drag(170, 2);
    EXPECT_EQ(s.t.sValue(), 650);
    EXPECT_EQ(s.t.value(), 600);
    s.drag(140, 14);
    EXPECT_EQ(s.t.sValue(), 700);
    s.release(140, 14);
    EXPECT_EQ(s.events, (QStringList{"ChangeS", "ChangeS", "ChangeS"}));

    // Released, the upper half moves the value again, the lower half nothing.
    s.events.clear();
    s.press(40, 4);
    EXPECT_EQ(s.t.value(), 200);
    EXPECT_EQ(s.t.sValue(), 700);
    s.drag(60, 14);
    EXPECT_EQ(s.t.value(), 200);
    EXPECT_EQ(s.events, QStringList{"Change"});

    // Select mode off: the whole height is the bar again, and no marker.
    s.t.SetSelect(false);
    EXPECT_EQ(s.at(30, 12), bar());
    EXPECT_NE(s.at(0, 16), marker());
    s.press(60, 14);
    EXPECT_EQ(s.t.value(), 300);
}

TEST(Tracker, RightButtonReportsRightClickFirstThenActsAsAPress) {
    Slider s;
    s.press(20, 9, Qt::RightButton);
    EXPECT_EQ(s.events, (QStringList{"RightClick", "Change"}));
    EXPECT_EQ(s.t.value(), 100);
    s.release(20, 9, Qt::RightButton);

    s.events.clear();
    s.t.SetSelect(true, 600); // marker at pixel 120
    s.press(121, 15, Qt::RightButton);
    EXPECT_EQ(s.events, (QStringList{"RightClick", "ChangeS"}));
    EXPECT_EQ(s.t.sValue(), 605);
    // A host's popup took the release: the next press starts afresh, so dragging in the upper
    // half moves the value.
    s.events.clear();
    s.press(10, 3);
    s.drag(30, 3);
    EXPECT_EQ(s.t.value(), 150);
    EXPECT_EQ(s.events, (QStringList{"Change", "Change"}));
}

TEST(Tracker, MarkerOutsideTheRangeIsShownAsGivenAndNeverFails) {
    Slider s;
    s.t.SetSelect(true, -100); // pixel -20: outside, nothing drawn, nothing to grab
    EXPECT_EQ(s.t.sValue(), -100);
    s.press(0, 14);
    EXPECT_TRUE(s.events.isEmpty());

    s.t.SetSelect(true, 1010); // pixel 202, at the right edge
    EXPECT_EQ(s.t.sValue(), 1010);
    s.press(199, 14);
    EXPECT_EQ(s.events, QStringList{"ChangeS"});
    EXPECT_EQ(s.t.sValue(), 995);

    // Far beyond the 16-bit pixel range: still just out of reach.
    s.events.clear();
    s.t.SetSelect(true, 2000000000);
    s.press(200, 14);
    s.drag(210, 14);
    EXPECT_TRUE(s.events.isEmpty());
    EXPECT_EQ(s.t.sValue(), 2000000000);
}

// No range, no position under the pointer: presses and drags change and raise nothing, and only
// the right button's menu is offered.
TEST(Tracker, WithoutMaxEverythingStaysAtTheLeft) {
    Slider s(0);
    s.t.SetSelect(true, 0);
    s.press(150, 4);
    s.drag(160, 4);
    EXPECT_EQ(s.t.value(), 0);
    EXPECT_NE(s.at(100, 4), bar());
    s.press(1, 14); // the marker sits at the left end
    s.drag(20, 14);
    EXPECT_EQ(s.t.sValue(), 0);
    EXPECT_TRUE(s.events.isEmpty());
    s.press(1, 14, Qt::RightButton);
    EXPECT_EQ(s.events, QStringList{"RightClick"});
}
