// Dragging, snapping, clicks, the pointer shape and the popup menu of the time line.
#include "tests/controls/TimeBarFixture.h"
#include "tests/support/Scripted.h"

#include <QAction>
#include <QSignalSpy>

namespace {
// Three entries: 0 at columns 200-240 (upper lane), 1 at 400-440 (lower), 2 at 600-640 (upper).
class TimeBarDrag : public TimeBarTest {
protected:
    void SetUp() override {
        TimeBarTest::SetUp();
        add(10000, 12000);
        add(20000, 22000);
        add(30000, 32000);
    }
    qint32 in(int i) const { return subs.SubTimeIn(i); }
    qint32 out(int i) const { return subs.SubTimeOut(i); }
};
} // namespace

TEST_F(TimeBarDrag, OutEdgeDragRewritesQuietlyAndEndsWithOneMajorChange) {
    bar->SetSnap(false);
    QSignalSpy changes(&subs, &clsSubs::Change), majors(&subs, &clsSubs::MajorChange);
    press(240, 5);
    move(300, 5);
    EXPECT_EQ(out(0), 15000);
    EXPECT_EQ(changes.count(), 0); // the direct write runs with notifications off
    EXPECT_EQ(majors.count(), 0);
    move(310, 5);
    EXPECT_EQ(out(0), 15500);
    release(310, 5);
    EXPECT_EQ(majors.count(), 1);
    EXPECT_TRUE(subs.eventsEnabled());
    EXPECT_EQ(in(0), 10000);
    // The drag is over: moving on changes nothing.
    move(350, 5);
    EXPECT_EQ(out(0), 15500);
}

TEST_F(TimeBarDrag, EdgesPushEachOtherAndStayAtOrAboveZero) {
    QSignalSpy changes(&subs, &clsSubs::Change);
    drag(240, 5, 150); // time-out before the time-in
    EXPECT_EQ(out(0), 7500);
    EXPECT_EQ(in(0), 7490);
    EXPECT_GE(changes.count(), 1); // the push is seen by other views

    subs.setSubTimeIn(0, 10000);
    subs.setSubTimeOut(0, 12000);
    drag(200, 5, 260); // the time-in past the time-out
    EXPECT_EQ(in(0), 13000);
    EXPECT_EQ(out(0), 13010);

    // Past the left end of the surface: both times stop at 0.
    drag(260, 5, -40); // the out-edge
    EXPECT_EQ(out(0), 0);
    EXPECT_EQ(in(0), 0);
    subs.setSubTimeOut(2, 31000);
    drag(600, 5, -40); // an in-edge
    EXPECT_EQ(in(2), 0);
    EXPECT_EQ(out(2), 31000);
}

TEST_F(TimeBarDrag, SnapTakesNearbyEdgesAndLinesExactly) {
    drag(240, 5, 597); // another entry's time-in
    EXPECT_EQ(out(0), 30000);
    drag(600, 5, 403); // entry 2's time-in (it owns column 600) onto an edge in the other lane
    EXPECT_EQ(in(2), 20000);

    subs.setSubTimeIn(2, 30000);
    subs.setSubTimeOut(0, 12000);
    bar->lCurrentPosition = 17000; // column 340
    bar->Redraw();
    drag(240, 5, 344);
    EXPECT_EQ(out(0), 17000);
    bar->setMovieTime(25000); // column 500
    drag(340, 5, 496);
    EXPECT_EQ(out(0), 25000);

    // Time markers do not pull, nor do the entry's own edges.
    mt.setValue(27500); // column 550
    drag(500, 5, 553);
    EXPECT_EQ(out(0), 27650);
    drag(553, 5, 203);
    EXPECT_EQ(out(0), 10150);

    bar->SetSnap(false);
    drag(203, 5, 597);
    EXPECT_EQ(out(0), 29850);
}

TEST_F(TimeBarDrag, BodyDragKeepsTheDuration) {
    drag(220, 5, 270);
    EXPECT_EQ(in(0), 12500);
    EXPECT_EQ(out(0), 14500);

    // The time-out lands within reach of entry 1's time-in and snaps; the length stays.
    drag(270, 5, 270 + 107); // out column 397
    EXPECT_EQ(out(0), 20000);
    EXPECT_EQ(in(0), 18000);

    // The time-in snaps to entry 1's time-out.
    drag(380, 5, 380 + 77); // in column 437
    EXPECT_EQ(in(0), 22000);
    EXPECT_EQ(out(0), 24000);

    // Dragged far to the left it stops at 0 with its length.
    drag(460, 5, -300);
    EXPECT_EQ(in(0), 0);
    EXPECT_EQ(out(0), 2000);
}

TEST_F(TimeBarDrag, ClicksSelectRequestTimeOrDoNothing) {
    QSignalSpy times(bar.get(), &timeBar::ReqTimeChange);
    press(220, 5);
    release(220, 5);
    EXPECT_EQ(sel.value(), 0);
    EXPECT_EQ(times.count(), 0);

    press(420, 20);
    release(420, 20);
    EXPECT_EQ(sel.value(), 1);

    press(100, 5); // empty place
    release(100, 5);
    ASSERT_EQ(times.count(), 1);
    EXPECT_EQ(times.at(0).at(0).value<qint32>(), 5000);
    EXPECT_EQ(sel.value(), 1);

    press(240, 5); // an edge
    release(240, 5);
    EXPECT_EQ(sel.value(), 1);
    EXPECT_EQ(times.count(), 1);

    bar->held = 250; // too long for a click
    press(220, 5);
    release(220, 5);
    press(100, 5);
    release(100, 5);
    EXPECT_EQ(sel.value(), 1);
    EXPECT_EQ(times.count(), 1);

    bar->held = 0; // below the strip nothing happens
    press(220, 40);
    release(220, 40);
    EXPECT_EQ(sel.value(), 1);
    EXPECT_EQ(times.count(), 1);
}

TEST_F(TimeBarDrag, APressThatMovesNoTimeLeavesTheDocumentUnchanged) {
    QSignalSpy majors(&subs, &clsSubs::MajorChange), changes(&subs, &clsSubs::Change);
    mt.setValue(15000); // column 300
    press(220, 5);      // a click on a box
    release(220, 5);
    bar->held = 500;
    press(240, 5); // a long press on an edge, then on a box, moved within their pixel
    move(240.3, 5);
    release(240.3, 5);
    press(420, 20);
    move(420, 20);
    release(420, 20);
    press(300, 5); // a time marker moved along
    move(350, 5);
    release(350, 5);
    EXPECT_EQ(mt.value(), 17500);
    EXPECT_EQ(majors.count(), 0);
    EXPECT_EQ(changes.count(), 0);
    // A drag that moves a time ends with one wholesale change.
    press(440, 20);
    move(460, 20);
    release(460, 20);
    EXPECT_EQ(out(1), 23000);
    EXPECT_EQ(majors.count(), 1);
}

TEST_F(TimeBarDrag, PointerShapeFollowsWhatLiesUnderIt) {
    auto shape = [&](int x, int y) {
        move(x, y, Qt::NoButton);
        return bar->picMain->cursor().shape();
    };
    mt1.setValue(15000);
    EXPECT_EQ(shape(220, 5), Qt::SizeAllCursor);
    EXPECT_EQ(shape(240, 5), Qt::SizeHorCursor);
    EXPECT_EQ(shape(199, 5), Qt::SizeHorCursor);
    EXPECT_EQ(shape(300, 5), Qt::SizeHorCursor); // stretch marker 1
    EXPECT_EQ(shape(220, 20), Qt::ArrowCursor);  // the other lane is empty there
    EXPECT_EQ(shape(220, 40), Qt::ArrowCursor);
    EXPECT_EQ(shape(420, 20), Qt::SizeAllCursor);
}

TEST_F(TimeBarDrag, TimeMarkersAreDraggedAndSnap) {
    mt.setValue(15000); // column 300, clear of the boxes
    press(300, 5);
    move(350, 5);
    EXPECT_EQ(mt.value(), 17500);
    move(603, 5);
    EXPECT_EQ(mt.value(), 30000);
    release(603, 5);

    // The marker's cells keep the index of the box that last lay there: that entry must still
    // attract the marker.
    subs.setSubTimeIn(0, 40000);
    subs.setSubTimeOut(0, 42000); // columns 800-840
    mt1.setValue(11000);          // column 220, where entry 0 used to be
    press(220, 5);
    move(500, 5);
    move(797, 5);
    release(797, 5);
    EXPECT_EQ(mt1.value(), 40000);
}

TEST_F(TimeBarDrag, ALostReleaseEndsTheDrag) {
    QSignalSpy majors(&subs, &clsSubs::MajorChange);
    press(240, 5);
    move(300, 5);
    move(320, 5, Qt::NoButton); // the release went elsewhere
    EXPECT_EQ(majors.count(), 1);
    EXPECT_TRUE(subs.eventsEnabled());
    move(350, 5);
    EXPECT_EQ(out(0), 15000);

    press(300, 5);
    move(310, 5);
    QEvent deactivate(QEvent::WindowDeactivate); // a modal window took over
    QApplication::sendEvent(bar->picMain, &deactivate);
    EXPECT_EQ(majors.count(), 2);
    move(350, 5);
    EXPECT_EQ(out(0), 15500);
}

// At the closest zoom the box of a long entry runs far past the map.
TEST_F(TimeBarTest, LongBoxKeepsItsVisibleEdges) {
    for (int i = 0; i < 4; ++i) bar->ZoomIn(); // 5 ms a pixel
    add(1000, 100000);                         // columns 200 to 20000
    add(2000, 2500);                           // columns 400 to 500, lower lane
    press(200, 5);
    move(220, 5);
    release(220, 5);
    EXPECT_EQ(subs.SubTimeIn(0), 1100);
    EXPECT_EQ(subs.SubTimeOut(0), 100000);

    drag(400, 20, 223); // entry 1's time-in snaps to the long box's time-in
    EXPECT_EQ(subs.SubTimeIn(1), 1100);

    // The long box moves with the pointer although its time-out column lies outside the map.
    drag(1000, 5, 1100);
    EXPECT_EQ(subs.SubTimeIn(0), 1600);
    EXPECT_EQ(subs.SubTimeOut(0), 100500);
}

TEST_F(TimeBarTest, PopupMenuCommands) {
    add(0, 1000);
    add(100000, 101000);
    QSignalSpy rulers(bar.get(), &timeBar::AskRulerSpace), snaps(bar.get(), &timeBar::SnapValue),
        legend(bar.get(), &timeBar::ReqLegend);
    auto choose = [&](const char* item, double x = 300) {
        FakeDesk().popupChoices.push_back(QString::fromLatin1(item));
        press(x, 5, Qt::RightButton);
        release(x, 5, Qt::RightButton);
    };
    QSignalSpy times(bar.get(), &timeBar::ReqTimeChange);
    choose("mnuShMark");
    EXPECT_EQ(FakeDesk().popups, QStringList{QStringLiteral("mnuPopup")});
    EXPECT_EQ(mt.value(), 15000);
    EXPECT_EQ(px(300, 50), QColor(0, 192, 0)); // drawn as "Sh"
    EXPECT_EQ(times.count(), 0);               // a right click asks for no time
    choose("mnuSMark2", 500);
    EXPECT_EQ(mt2.value(), 25000);

    choose("mnuRulers");
    choose("mnuRulers");
    ASSERT_EQ(rulers.count(), 2);
    EXPECT_TRUE(rulers.at(0).at(0).toBool());
    EXPECT_FALSE(rulers.at(1).at(0).toBool());
    choose("mnuSnap");
    ASSERT_EQ(snaps.count(), 1);
    EXPECT_FALSE(snaps.at(0).at(0).toBool());
    bar->SetSnap(true);
    EXPECT_TRUE(bar->mnuSnap->isChecked());
    EXPECT_EQ(snaps.count(), 1);
    choose("mnuLegend");
    EXPECT_EQ(legend.count(), 1);

    choose("mnuGotoSMS"); // no shift marker entry: nothing
    EXPECT_EQ(view.value(), 0);
    ms.setValue(1);
    choose("mnuGotoSMS");
    EXPECT_EQ(view.value(), 51000); // the end of the scroll range
    mt.setValue(80000);
    choose("mnuGotoSMT");
    EXPECT_EQ(view.value(), 51000);
    bar->lCurrentPosition = 30000;
    choose("mnuGotoPlayTime");
    EXPECT_EQ(view.value(), 5000);
    bar->setMovieTime(200000);
    choose("mnuGotoEnd");
    EXPECT_EQ(view.value(), 150000);
    sel.setValue(0);
    view.setValue(100000);
    choose("mnuGoto");
    EXPECT_EQ(view.value(), 0);

    choose("mnuZoomIn");
    EXPECT_DOUBLE_EQ(bar->CoEff, 30);
    choose("mnuZoomOut");
    choose("mnuZoomOut");
    EXPECT_DOUBLE_EQ(bar->CoEff, 100);
}
