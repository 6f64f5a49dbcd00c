#include "tests/controls/ListingFixture.h"
#include "tests/support/Scripted.h"

#include <QPainter>
#include <QTimer>

TEST(ListingMouse, ClickEventOrderAndFocusByColumn) {
    ListingHost h(20);
    h.click(300, 2);
    EXPECT_EQ(h.events, (QStringList{"ReqSave", "Click", "ReqRestore"}));
    EXPECT_EQ(h.sel.value(), 2);
    EXPECT_EQ(h.l->Selected(), 2);
    EXPECT_EQ(h.focus(), h.l->txtSubText);
    EXPECT_EQ(h.l->txtSubText->selectedText(), QStringLiteral("Text 2\u00A4line two"));
    EXPECT_EQ(h.l->picSelBar->y(), 2 * SubListing::RowHeight);
    EXPECT_TRUE(h.l->picSelBar->isVisible());

    h.events.clear();
    h.click(10, 4);
    EXPECT_EQ(h.events, (QStringList{"ReqSave", "MarkerSelect", "Click", "ReqRestore"}));
    EXPECT_EQ(h.sel.value(), 4);

    // Time columns go into the field under the pointer.
    h.click(72 + 20, 5);
    EXPECT_EQ(h.focus(), h.l->txtSubTimeIn->txtMin);
    h.click(147 + 50, 6);
    EXPECT_EQ(h.focus(), h.l->txtSubTimeOut->txtMSec);
    EXPECT_EQ(h.l->txtSubTimeOut->txtMSec->selectedText(), QStringLiteral("500"));
    EXPECT_EQ(h.l->txtSubTimeIn->lTime(), 12000);
}

TEST(ListingMouse, ButtonsOnTheEditBarsNumberAndIconStayWithTheBar) {
    ListingHost h(10);
    h.click(300, 2);
    h.click(300, 5, Qt::ShiftModifier);
    ASSERT_EQ(h.a.value(), 2);
    ASSERT_EQ(h.b.value(), 5);
    h.events.clear();
    // Only the left button asks for the marker menu.
    QTest::mouseClick(h.l->picMarker, Qt::RightButton, {}, QPoint(10, 7));
    QTest::mouseClick(h.l->picMarker, Qt::MiddleButton, {}, QPoint(10, 7));
    EXPECT_TRUE(h.events.isEmpty());
    // The icon asks for the marker menu and nothing else: the bar and the range stay.
    QTest::mouseClick(h.l->picMarker, Qt::LeftButton, {}, QPoint(10, 7));
    EXPECT_EQ(h.events, QStringList{"MarkerSelect"});
    EXPECT_TRUE(h.l->picSelBar->isVisible());
    EXPECT_EQ(h.a.value(), 2);
    EXPECT_EQ(h.b.value(), 5);
    // The number does nothing, with either button.
    h.events.clear();
    QTest::mouseClick(h.l->lbNr, Qt::LeftButton, {}, QPoint(20, 7));
    QTest::mouseDClick(h.l->lbNr, Qt::LeftButton, {}, QPoint(20, 7));
    QTest::mouseClick(h.l->lbNr, Qt::RightButton, {}, QPoint(20, 7));
    EXPECT_TRUE(h.events.isEmpty());
    EXPECT_TRUE(h.l->picSelBar->isVisible());
    EXPECT_EQ(h.sel.value(), 5);
    EXPECT_EQ(h.a.value(), 2);
    EXPECT_EQ(h.b.value(), 5);
}

TEST(ListingMouse, ClickBelowTheLastRowSelectsNothing) {
    ListingHost h(3);
    h.click(300, 1);
    ASSERT_EQ(h.focus(), h.l->txtSubText);
    h.click(300, 6);
    EXPECT_EQ(h.sel.value(), -2);
    EXPECT_EQ(h.l->Selected(), -2);
    EXPECT_EQ(h.l->picSelBar->y(), SubListing::EditBarParked);
    EXPECT_FALSE(h.focusInEditBar());
    // Typing now reaches no subtitle.
    QTest::keyClicks(h.l->txtSubText, QStringLiteral("zz"));
    EXPECT_EQ(h.subs.SubText(1), QStringLiteral("Text 1\r\nline two"));
    EXPECT_EQ(h.changes, 0);
}

TEST(ListingMouse, DragAndShiftRanges) {
    ListingHost h(20);
    // Drag down from 2 to 5.
    h.press(300, h.rowY(2));
    h.moveTo(300, h.rowY(4));
    h.moveTo(300, h.rowY(5));
    EXPECT_FALSE(h.l->picSelBar->isVisible());
    h.release(300, h.rowY(5));
    EXPECT_EQ(h.a.value(), 2);
    EXPECT_EQ(h.b.value(), 5);
    EXPECT_EQ(h.sel.value(), 5);
    EXPECT_EQ(h.l->GetSelString(), QStringLiteral("2 - 5"));
    EXPECT_TRUE(h.l->SelectionExist());

    // A plain click clears it; Shift+click extends from the anchor in either direction.
    h.click(300, 3);
    EXPECT_EQ(h.a.value(), -2);
    EXPECT_EQ(h.b.value(), -2);
    EXPECT_EQ(h.l->GetSelString(), QString());
    h.click(300, 7, Qt::ShiftModifier);
    EXPECT_EQ(h.a.value(), 3);
    EXPECT_EQ(h.b.value(), 7);
    EXPECT_EQ(h.sel.value(), 7);
    h.click(300, 1, Qt::ShiftModifier);
    EXPECT_EQ(h.a.value(), 1);
    EXPECT_EQ(h.b.value(), 3);
    EXPECT_EQ(h.sel.value(), 1);

    // Dragging upwards, and beyond the top, ends the range at row 0.
    h.press(300, h.rowY(6));
    h.moveTo(300, h.rowY(2));
    EXPECT_EQ(h.a.value(), 2);
    EXPECT_EQ(h.b.value(), 6);
    h.moveTo(300, -40);
    h.release(300, -40);
    EXPECT_EQ(h.a.value(), 0);
    EXPECT_EQ(h.b.value(), 6);

    // Selecting a row outside the range clears it; inside it keeps it.
    h.l->SelectSub(3);
    EXPECT_EQ(h.a.value(), 0);
    h.l->SelectSub(9);
    EXPECT_EQ(h.a.value(), -2);
    EXPECT_EQ(h.b.value(), -2);
}

TEST(ListingMouse, DraggingAboveTheTopScrollsUp) {
    ListingHost h(100);
    h.l->scrList->setValue(10);
    ASSERT_EQ(h.l->TopIdx, 10);
    h.press(300, h.rowY(12));
    h.moveTo(300, -3);
    EXPECT_TRUE(h.l->Selector->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.l->TopIdx <= 8; }, 3000));
    EXPECT_EQ(h.b.value(), 12);
    EXPECT_LE(h.a.value(), 9);
    h.release(300, -3);
    EXPECT_FALSE(h.l->Selector->isActive());
    EXPECT_EQ(h.a.value(), h.l->TopIdx);
    EXPECT_EQ(h.b.value(), 12);
}

TEST(ListingMouse, RightButtonPausesSelectsAndAsksForTheMenu) {
    ListingHost h(20);
    h.press(300, h.rowY(4), {}, Qt::RightButton);
    EXPECT_EQ(h.events, (QStringList{"ReqPause", "RightClick"}));
    EXPECT_EQ(h.sel.value(), 4);
    h.release(300, h.rowY(4), {}, Qt::RightButton);
    EXPECT_EQ(h.events, (QStringList{"ReqPause", "RightClick", "ReqSave", "Click", "ReqRestore"}));

    // The text box forwards its right button, with no menu of its own; a time field opens only
    // its own copy and paste menu, so one click never brings up two menus.
    h.events.clear();
    QTest::mousePress(h.l->txtSubText, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(h.events, QStringList{"RightClick"});
    FakeDesk().popupChoices.push_back(QString());
    QTest::mousePress(h.l->txtSubTimeIn->txtSec, Qt::RightButton, {}, QPoint(3, 5));
    EXPECT_EQ(h.events, QStringList{"RightClick"});
    EXPECT_EQ(FakeDesk().popups, QStringList{QStringLiteral("mnuEdit")});
    h.l->setNoEdit(true);
    FakeDesk().popupChoices.push_back(QString());
    QTest::mousePress(h.l->txtSubTimeIn->txtSec, Qt::RightButton, {}, QPoint(3, 5));
    EXPECT_EQ(h.events.size(), 1);
}

TEST(ListingMouse, SimpleModeSetsTheChosenValue) {
    ListingHost h(20);
    h.l->SetSimpleMode(true, 2);
    EXPECT_FALSE(h.l->picSelBar->isVisible());
    h.click(300, 5);
    EXPECT_EQ(h.m1.value(), 5);
    EXPECT_EQ(h.sel.value(), -2);
    EXPECT_TRUE(h.events.isEmpty());
    h.l->SetSimpleMode(true, 0);
    h.click(300, 6);
    EXPECT_EQ(h.sel.value(), 6);
    EXPECT_EQ(h.a.value(), -2);
    EXPECT_TRUE(h.events.isEmpty());
}

TEST(ListingMarkers, OneMarkerPerRow) {
    ListingHost h(20);
    h.sel.setValue(3);
    h.m.setValue(3);
    EXPECT_EQ(h.l->picMarker->image(), [&] {
        QImage i(h.l->picMarker->image().size(), QImage::Format_ARGB32_Premultiplied);
        i.fill(Qt::transparent);
        QPainter p(&i);
        p.drawImage(0, 0, h.l->Markers[3]);
        return i;
    }());
    h.m1.setValue(3);
    EXPECT_EQ(h.m.value(), -2);
    EXPECT_EQ(h.m1.value(), 3);
    h.m2.setValue(3);
    EXPECT_EQ(h.m1.value(), -2);
    h.m.setValue(4);
    EXPECT_EQ(h.m2.value(), 3);
    // Markers at "none" do not push each other out.
    h.m.setValue(-2);
    h.m1.setValue(-2);
    EXPECT_EQ(h.m2.value(), 3);
    // The marker picture in the edit bar follows the selected row.
    h.m2.setValue(-2);
    QImage empty(h.l->picMarker->image().size(), QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    EXPECT_EQ(h.l->picMarker->image(), empty);
    h.events.clear();
    QTest::mouseClick(h.l->picMarker, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(h.events, QStringList{"MarkerSelect"});
}

TEST(ListingSelection, DeleteRangeInOneChange) {
    ListingHost h(20);
    int counts = 0, majors = 0;
    QObject::connect(&h.subs, &clsSubs::CountChange, [&] { ++counts; });
    QObject::connect(&h.subs, &clsSubs::MajorChange, [&] { ++majors; });
    h.click(300, 4);
    h.click(300, 8, Qt::ShiftModifier);
    h.l->Delete();
    EXPECT_EQ(h.subs.count(), 15);
    EXPECT_EQ(counts, 0);
    EXPECT_EQ(majors, 1);
    EXPECT_EQ(h.subs.SubText(4), QStringLiteral("Text 9\r\nline two"));
    EXPECT_EQ(h.sel.value(), 4);
    EXPECT_EQ(h.a.value(), -2);
    EXPECT_EQ(h.b.value(), -2);
    EXPECT_EQ(h.sel.Max(), 14);
    EXPECT_EQ(h.l->txtSubText->text(), QStringLiteral("Text 9\u00A4line two"));

    // A range reaching the end leaves the selection on the new last row.
    h.click(300, 12);
    h.click(300, 14, Qt::ShiftModifier);
    h.l->Delete();
    EXPECT_EQ(h.subs.count(), 12);
    EXPECT_EQ(h.sel.value(), 11);
    EXPECT_EQ(h.l->txtSubText->text(), QStringLiteral("Text 16\u00A4line two"));

    // Without a range the selected row goes; the last one hands the selection to the new last.
    h.l->Delete();
    EXPECT_EQ(h.subs.count(), 11);
    EXPECT_EQ(h.sel.value(), 10);
    EXPECT_EQ(h.l->Selected(), 10);
    EXPECT_EQ(h.l->txtSubText->text(), QStringLiteral("Text 15\u00A4line two"));
}

TEST(ListingSelection, NearestBadRowsAroundTheSelection) {
    ListingHost h(20);
    EXPECT_EQ(h.l->NextBad(), -2);
    EXPECT_EQ(h.l->PrevBad(), -2);
    // Rows 5/6 and 14/15 overlap.
    h.subs.EnableEvents(false);
    h.subs.setSubTimeOut(5, 12500);
    h.subs.setSubTimeOut(14, 30500);
    h.subs.EnableEvents(true);
    h.events.clear();
    h.subs.RaiseMajor();
    EXPECT_TRUE(h.events.contains(QStringLiteral("DeterminedInvalids")));
    // With no selection the next bad row is the first of the list.
    EXPECT_EQ(h.l->NextBad(), 5);
    EXPECT_EQ(h.l->PrevBad(), -2);
    h.l->SelectSub(10);
    EXPECT_EQ(h.l->NextBad(), 14);
    EXPECT_EQ(h.l->PrevBad(), 6);
    h.l->SelectSub(19);
    EXPECT_EQ(h.l->NextBad(), -2);
    EXPECT_EQ(h.l->PrevBad(), 15);
    h.l->SelectSub(0);
    EXPECT_EQ(h.l->NextBad(), 5);
    EXPECT_EQ(h.l->PrevBad(), -2);
    // Repairing a bad row inside the span recomputes them.
    h.subs.setSubTimeOut(5, 11500);
    EXPECT_EQ(h.l->NextBad(), 14);
}

TEST(ListingSelection, CountChangesKeepTheSelectionInTheList) {
    ListingHost h(5);
    h.l->SelectSub(4);
    h.subs.Delete(4, h.sel);
    EXPECT_EQ(h.sel.value(), 3);
    EXPECT_EQ(h.l->Selected(), 3);
    EXPECT_EQ(h.l->txtSubText->text(), QStringLiteral("Text 3\u00A4line two"));
    h.l->SelectSub(7);
    EXPECT_EQ(h.sel.value(), -2);
    h.l->SelectSub(-5);
    EXPECT_EQ(h.sel.value(), -2);
    // Appending under a blocked redraw, as the host's add command does.
    h.l->BlockRedraw = true;
    h.subs.AddSub(QStringLiteral("new"), 20000, 21000);
    h.l->SelectSub(4);
    h.l->GoToSel();
    h.l->BlockRedraw = false;
    h.l->Redraw();
    EXPECT_EQ(h.l->txtSubText->text(), QStringLiteral("new"));
    EXPECT_EQ(h.l->picSelBar->y(), 4 * SubListing::RowHeight);
}
