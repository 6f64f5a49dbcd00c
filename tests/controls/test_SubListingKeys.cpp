#include "tests/controls/ListingFixture.h"
#include "tests/support/Scripted.h"

#include <QInputMethodEvent>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {
void autoRepeatPress(QWidget* w, int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(w, &e);
}
} // namespace

TEST(ListingKeys, TextBoxCommitsAndMoves) {
    ListingHost h(10);
    h.click(300, 2);
    QLineEdit* t = h.l->txtSubText;
    ASSERT_EQ(h.focus(), t);
    QTest::keyClicks(t, QStringLiteral("Hello"));
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("Hello"));

    // Shift+Enter replaces the selection by the new-line character; the document gets CR LF.
    t->setSelection(1, 3);
    QTest::keyClick(t, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(t->text(), QStringLiteral("H\u00A4o"));
    EXPECT_EQ(t->cursorPosition(), 2);
    EXPECT_FALSE(t->hasSelectedText());
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("H\r\no"));

    // Enter moves down and selects the new row's text.
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(h.sel.value(), 3);
    EXPECT_EQ(t->selectedText(), QStringLiteral("Text 3\u00A4line two"));
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("H\r\no"));

    QTest::keyClick(t, Qt::Key_Up);
    EXPECT_EQ(h.sel.value(), 2);
    EXPECT_EQ(t->selectedText(), QStringLiteral("H\u00A4o"));
    QTest::keyClick(t, Qt::Key_Down);
    QTest::keyClick(t, Qt::Key_Down);
    EXPECT_EQ(h.sel.value(), 4);
    QTest::keyClick(t, Qt::Key_End);
    EXPECT_EQ(h.sel.value(), 9);
    EXPECT_EQ(t->selectedText(), QStringLiteral("Text 9\u00A4line two"));
    // Down on the last row stays; Enter there asks the host for a new row.
    QTest::keyClick(t, Qt::Key_Down);
    EXPECT_EQ(h.sel.value(), 9);
    h.events.clear();
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_EQ(h.sel.value(), 9);
    EXPECT_EQ(h.events, QStringList{"PushDown"});
    QTest::keyClick(t, Qt::Key_Home);
    EXPECT_EQ(h.sel.value(), 0);

    // Left at the very start goes into the time-out field from the right.
    t->setCursorPosition(1);
    QTest::keyClick(t, Qt::Key_Left);
    EXPECT_EQ(h.focus(), t);
    QTest::keyClick(t, Qt::Key_Left);
    EXPECT_EQ(h.focus(), h.l->txtSubTimeOut->txtMSec);
    EXPECT_FALSE(h.l->Scroller->isActive());
}

TEST(ListingKeys, LeftFromAWholeSelectionLeavesTheText) {
    ListingHost h(10);
    QLineEdit* t = h.l->txtSubText;
    QWidget* timeOut = h.l->txtSubTimeOut->txtMSec;
    // Every way into a row with its whole text selected: a click, Enter, a move, Home, End.
    const std::pair<const char*, std::function<void()>> entries[] = {
        {"click", [&] { h.click(300, 2); }},
        {"Enter", [&] { QTest::keyClick(t, Qt::Key_Return); }},
        {"Down", [&] { QTest::keyClick(t, Qt::Key_Down); }},
        {"Up", [&] { QTest::keyClick(t, Qt::Key_Up); }},
        {"Home", [&] { QTest::keyClick(t, Qt::Key_Home); }},
        {"End", [&] { QTest::keyClick(t, Qt::Key_End); }},
    };
    for (const auto& [name, enter] : entries) {
        SCOPED_TRACE(name);
        h.click(300, 2);
        enter();
        ASSERT_EQ(h.focus(), t);
        ASSERT_EQ(t->selectedText(), t->text());
        QTest::keyClick(t, Qt::Key_Left);
        EXPECT_EQ(h.focus(), timeOut);
    }
}

TEST(ListingKeys, ShiftEnterBreaksTheLineWhicheverKeyComesUpFirst) {
    ListingHost h(10);
    h.click(300, 2);
    QLineEdit* t = h.l->txtSubText;
    t->deselect();
    t->setCursorPosition(4);
    QTest::keyPress(t, Qt::Key_Shift, Qt::ShiftModifier);
    QTest::keyPress(t, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyRelease(t, Qt::Key_Shift, Qt::NoModifier);
    QTest::keyRelease(t, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(h.sel.value(), 2);
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("Text\r\n 2\r\nline two"));
    // The next key types into the same row, after the break.
    QTest::keyClick(t, Qt::Key_X);
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("Text\r\nx 2\r\nline two"));
    EXPECT_EQ(h.subs.SubText(3), QStringLiteral("Text 3\r\nline two"));
}

TEST(ListingKeys, AKeyStillDownWhenAnotherRowIsClickedTypesIntoItsOwnRow) {
    ListingHost h(10);
    h.click(300, 2);
    QLineEdit* t = h.l->txtSubText;
    t->end(false);
    QTest::keyPress(t, Qt::Key_A);
    h.press(300, h.rowY(5));
    QTest::keyRelease(h.focus(), Qt::Key_A);
    h.release(300, h.rowY(5));
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("Text 2\r\nline twoa"));
    EXPECT_EQ(h.subs.SubText(5), QStringLiteral("Text 5\r\nline two"));
    EXPECT_EQ(t->text(), QStringLiteral("Text 5\u00A4line two"));
}

TEST(ListingKeys, TextArrivingWithoutAKeyIsStoredAtOnce) {
    ListingHost h(10);
    h.click(300, 2);
    QLineEdit* t = h.l->txtSubText;
    ASSERT_EQ(h.focus(), t);
    // Text from an input method comes without key events.
    auto drop = [t](const QString& text) {
        QInputMethodEvent e;
        e.setCommitString(text);
        QApplication::sendEvent(t, &e);
    };
    // A typed key is stored when it comes up, not before.
    t->deselect();
    t->setCursorPosition(0);
    QTest::keyPress(t, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(t->text(), QStringLiteral("aText 2\u00A4line two"));
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("Text 2\r\nline two"));
    QTest::keyRelease(t, Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("aText 2\r\nline two"));
    // Such text has no key to wait for: it is in the document before another row is shown.
    drop(QStringLiteral("Dropped"));
    EXPECT_TRUE(h.subs.SubText(2).contains(QStringLiteral("Dropped")));
    h.click(300, 5);
    EXPECT_TRUE(h.subs.SubText(2).contains(QStringLiteral("Dropped")));
    EXPECT_EQ(h.subs.SubText(5), QStringLiteral("Text 5\r\nline two"));
    // With no-edit on it is not stored, as typing is not.
    h.l->setNoEdit(true);
    drop(QStringLiteral("Nope"));
    EXPECT_EQ(h.subs.SubText(5), QStringLiteral("Text 5\r\nline two"));
}

TEST(ListingKeys, TimeFieldsMoveTheSelectionAndKeepTheirPart) {
    ListingHost h(10);
    h.click(72 + 20, 3); // the minutes of time in
    TimeText* in = h.l->txtSubTimeIn;
    ASSERT_EQ(h.focus(), in->txtMin);
    QTest::keyClick(in->txtMin, Qt::Key_Down);
    EXPECT_EQ(h.sel.value(), 4);
    EXPECT_EQ(h.focus(), in->txtMin);
    EXPECT_EQ(in->txtMin->selectedText(), QStringLiteral("00"));
    EXPECT_EQ(in->lTime(), 8000);
    QTest::keyClick(in->txtMin, Qt::Key_Up);
    QTest::keyClick(in->txtMin, Qt::Key_Up);
    EXPECT_EQ(h.sel.value(), 2);
    QTest::keyClick(in->txtMin, Qt::Key_End);
    EXPECT_EQ(h.sel.value(), 9);
    EXPECT_EQ(h.focus(), in->txtMin);
    // Down on the last row of a time field clears the selection.
    QTest::keyClick(in->txtMin, Qt::Key_Down);
    EXPECT_EQ(h.sel.value(), -2);
    EXPECT_FALSE(h.l->Scroller->isActive());
    QTest::keyClick(in->txtMin, Qt::Key_Home);
    EXPECT_EQ(h.sel.value(), 0);

    // Moving between the three fields.
    TimeText* out = h.l->txtSubTimeOut;
    in->EnterField(4);
    QTest::keyClick(in->txtMSec, Qt::Key_Return);
    EXPECT_EQ(h.focus(), out->txtHr);
    QTest::keyClick(out->txtHr, Qt::Key_Left);
    EXPECT_EQ(h.focus(), in->txtMSec);
    QTest::keyClick(in->txtMSec, Qt::Key_Right);
    EXPECT_EQ(h.focus(), out->txtHr);
    out->EnterField(4);
    QTest::keyClick(out->txtMSec, Qt::Key_Return);
    EXPECT_EQ(h.focus(), h.l->txtSubText);
    out->EnterField(4);
    QTest::keyClick(out->txtMSec, Qt::Key_Right);
    EXPECT_EQ(h.focus(), h.l->txtSubText);
    EXPECT_EQ(h.l->txtSubText->cursorPosition(), 0);
    EXPECT_FALSE(h.l->txtSubText->hasSelectedText());
}

TEST(ListingKeys, TimeEditsGoToTheRowTheyWereTypedIn) {
    ListingHost h(10);
    h.click(147 + 40, 2); // seconds of time out
    TimeText* out = h.l->txtSubTimeOut;
    ASSERT_EQ(h.focus(), out->txtSec);
    QTest::keyClicks(out->txtSec, QStringLiteral("09"));
    EXPECT_EQ(h.subs.SubTimeOut(2), 9500);
    // One digit typed, then another row clicked: the digit belongs to row 2.
    out->EnterField(2);
    QTest::keyClicks(out->txtMin, QStringLiteral("3"));
    h.click(300, 6);
    EXPECT_EQ(h.subs.SubTimeOut(2), 3 * 60000 + 9500);
    EXPECT_EQ(h.subs.SubTimeOut(6), 13500);
    EXPECT_EQ(out->lTime(), 13500);

    // With no row selected nothing is written anywhere.
    h.l->SelectSub(-2);
    const int before = h.changes;
    h.l->txtSubTimeIn->EnterField(4);
    QTest::keyClicks(h.l->txtSubTimeIn->txtMSec, QStringLiteral("777"));
    QTest::keyClicks(h.l->txtSubText, QStringLiteral("x"));
    EXPECT_EQ(h.changes, before);
}

TEST(ListingKeys, NoEditBlocksMovesAndTextButNotTimes) {
    ListingHost h(10);
    h.click(300, 2);
    h.l->setNoEdit(true);
    QLineEdit* t = h.l->txtSubText;
    QTest::keyClick(t, Qt::Key_Down);
    QTest::keyClick(t, Qt::Key_Return);
    QTest::keyClicks(t, QStringLiteral("abc"));
    EXPECT_EQ(h.sel.value(), 2);
    EXPECT_EQ(h.subs.SubText(2), QStringLiteral("Text 2\r\nline two"));
    h.events.clear();
    QTest::keyClick(t, Qt::Key_Return);
    EXPECT_TRUE(h.events.isEmpty());
    TimeText* in = h.l->txtSubTimeIn;
    in->EnterField(4);
    QTest::keyClick(in->txtMSec, Qt::Key_Down);
    EXPECT_EQ(h.sel.value(), 2);
    QTest::keyClicks(in->txtMSec, QStringLiteral("250"));
    EXPECT_EQ(h.subs.SubTimeIn(2), 4250);
}

TEST(ListingKeys, SimpleModeRevertsEdits) {
    ListingHost h(10);
    h.sel.setValue(2);
    h.l->SetSimpleMode(true, 0);
    h.l->SetTextFocus();
    QTest::keyClicks(h.l->txtSubText, QStringLiteral("zz"));
    EXPECT_EQ(h.l->txtSubText->text(), QStringLiteral("Text 2\u00A4line two"));
    h.l->txtSubTimeIn->EnterField(4);
    QTest::keyClicks(h.l->txtSubTimeIn->txtMSec, QStringLiteral("123"));
    EXPECT_EQ(h.l->txtSubTimeIn->lTime(), 4000);
    EXPECT_EQ(h.changes, 0);
}

TEST(ListingKeys, HeldArrowRepeatsAtTheListingsPace) {
    ListingHost h(30);
    h.click(300, 0);
    QLineEdit* t = h.l->txtSubText;
    QTest::keyPress(t, Qt::Key_Down);
    EXPECT_EQ(h.sel.value(), 1);
    // The keyboard's own repeats are not moves; the Scroller makes them.
    autoRepeatPress(t, Qt::Key_Down);
    autoRepeatPress(t, Qt::Key_Down);
    EXPECT_EQ(h.sel.value(), 1);
    EXPECT_TRUE(h.l->Scroller->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.sel.value() >= 3; }, 3000));
    QTest::keyRelease(t, Qt::Key_Down);
    EXPECT_FALSE(h.l->Scroller->isActive());

    // Held to the end, it stops on the last row instead of running into "none".
    h.l->SelectSub(27);
    QTest::keyPress(t, Qt::Key_Down);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !h.l->Scroller->isActive(); }, 3000));
    EXPECT_EQ(h.sel.value(), 29);
    QTest::keyRelease(t, Qt::Key_Down);
    h.l->SelectSub(2);
    TimeText* in = h.l->txtSubTimeIn;
    in->EnterField(1);
    QTest::keyPress(in->txtHr, Qt::Key_Up);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !h.l->Scroller->isActive(); }, 3000));
    EXPECT_EQ(h.sel.value(), 0);
    QTest::keyRelease(in->txtHr, Qt::Key_Up);
}

TEST(ListingKeys, NegativeSelectionIsNone) {
    ListingHost h(3);
    h.m.setValue(1);
    h.m1.setValue(2);
    h.click(300, 2);
    // Emptying the list lowers the bounds to -1: that is no row.
    h.subs.EnableEvents(false);
    h.subs.Clear();
    h.subs.EnableEvents(true);
    h.subs.RaiseMajor();
    EXPECT_EQ(h.sel.value(), -1);
    EXPECT_EQ(h.l->Selected(), -2);
    EXPECT_EQ(h.l->picSelBar->y(), SubListing::EditBarParked);
    h.changes = 0;
    QTest::keyClicks(h.l->txtSubText, QStringLiteral("x"));
    QTest::keyClick(h.l->txtSubText, Qt::Key_Return);
    EXPECT_EQ(h.changes, 0);
    EXPECT_EQ(h.subs.count(), 0);
    // Markers lowered to -1 together do not push each other out.
    EXPECT_EQ(h.m.value(), -1);
    EXPECT_EQ(h.m1.value(), -1);
}

TEST(ListingKeys, AReleaseWhosePressClosedABoxDoesNothing) {
    ListingHost h(10);
    QLineEdit* t = h.l->txtSubText;
    ASSERT_EQ(h.l->find(QStringLiteral("nowhere"), false, false, false, false), -1);
    for (int row : {2, 9}) {
        SCOPED_TRACE(row);
        h.click(300, row);
        h.events.clear();
        Boxes().expect(vb::OK, QStringLiteral("Search String not found"));
        QTest::keyClick(t, Qt::Key_F3);
        EXPECT_EQ(Boxes().shown.size(), 1u);
        // The box took Enter's press; its release comes to the text box once the box is gone.
        QTest::keyRelease(t, Qt::Key_Return);
        EXPECT_EQ(h.sel.value(), row);
        EXPECT_TRUE(h.events.isEmpty());
        EXPECT_EQ(h.subs.count(), 10);
        EXPECT_EQ(h.changes, 0);
        Boxes().reset();
    }
}

TEST(ListingKeys, EnterOnAFullListShowsTheBoxOncePerPress) {
    ListingHost h(clsSubs::Capacity);
    // The host appends on PushDown, or says why it can't.
    QObject::connect(h.l, &SubListing::PushDown, [&] {
        if (h.subs.full()) MsgBox(QStringLiteral("The list is full."), vb::Exclamation);
        else h.l->SelectSub(h.subs.AddSub(QString(), 0, 1000));
    });
    h.l->SelectSub(clsSubs::Capacity - 1);
    h.l->SetTextFocus();
    QLineEdit* t = h.l->txtSubText;
    for (int press = 1; press <= 2; ++press) {
        SCOPED_TRACE(press);
        Boxes().expect(vb::OK, QStringLiteral("The list is full"));
        QTest::keyClick(t, Qt::Key_Return);
        QTest::keyRelease(t, Qt::Key_Return); // the Enter that closed the box
        EXPECT_EQ(Boxes().shown.size(), size_t(press));
    }
    EXPECT_EQ(h.sel.value(), clsSubs::Capacity - 1);
}

TEST(ListingKeys, AHeldArrowStopsWhenItsReleaseGoesElsewhere) {
    ListingHost h(30);
    QLineEdit other(&h.w);
    other.setGeometry(0, h.l->height() + 5, 100, 20);
    other.show();
    QToolButton button(&h.w); // takes no focus, as a tool bar's buttons
    button.setFocusPolicy(Qt::NoFocus);
    button.setGeometry(200, h.l->height() + 5, 30, 20);
    button.show();
    QLineEdit* t = h.l->txtSubText;

    // A press on another row.
    h.click(300, 2);
    QTest::keyPress(t, Qt::Key_Down);
    ASSERT_TRUE(h.l->Scroller->isActive());
    h.press(300, h.rowY(6));
    EXPECT_FALSE(h.l->Scroller->isActive());
    h.release(300, h.rowY(6));
    EXPECT_EQ(h.sel.value(), 6);

    // The focus going to another control or window.
    QTest::keyPress(t, Qt::Key_Up);
    ASSERT_TRUE(h.l->Scroller->isActive());
    other.setFocus();
    EXPECT_FALSE(h.l->Scroller->isActive());

    // A press that takes no focus, from a time field.
    h.click(72 + 5, 4);
    QWidget* hours = h.l->txtSubTimeIn->txtHr;
    ASSERT_EQ(h.focus(), hours);
    QTest::keyPress(hours, Qt::Key_Down);
    ASSERT_TRUE(h.l->Scroller->isActive());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(h.focus(), hours);
    EXPECT_FALSE(h.l->Scroller->isActive());
    EXPECT_EQ(h.sel.value(), 5);
}

TEST(ListingKeys, ATimeNotYetCommittedIsStoredBeforeAButtonMovesTheSelection) {
    ListingHost h(10);
    // Tool bar buttons take no focus, so the time field being typed in is never left.
    QToolButton add(&h.w), insert(&h.w);
    for (QToolButton* b : {&add, &insert}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->show();
    }
    add.setGeometry(0, h.l->height() + 5, 30, 20);
    insert.setGeometry(40, h.l->height() + 5, 30, 20);
    QObject::connect(&add, &QToolButton::clicked, [&] {
        const int last = h.subs.count() - 1;
        h.l->SelectSub(h.subs.AddSub(QString(), h.subs.SubTimeOut(last) + 100, h.subs.SubTimeOut(last) + 3100));
    });
    QObject::connect(&insert, &QToolButton::clicked, [&] { h.subs.InsertP(h.sel.value(), h.sel, true); });

    h.click(72 + 5, 2); // hours of time in
    ASSERT_EQ(h.focus(), h.l->txtSubTimeIn->txtHr);
    QTest::keyClicks(h.l->txtSubTimeIn->txtHr, QStringLiteral("5"));
    QTest::mouseClick(&add, Qt::LeftButton);
    EXPECT_EQ(h.sel.value(), 10);
    EXPECT_EQ(h.subs.SubTimeIn(2), 5 * 3600000 + 4000);

    // Stored before the command runs: the rows it shifts take the typed time with them.
    h.click(147 + 20, 9); // minutes of time out of the last row
    ASSERT_EQ(h.focus(), h.l->txtSubTimeOut->txtMin);
    QTest::keyClicks(h.l->txtSubTimeOut->txtMin, QStringLiteral("7"));
    QTest::mouseClick(&insert, Qt::LeftButton);
    EXPECT_EQ(h.subs.count(), 12);
    EXPECT_EQ(h.subs.SubTimeOut(10), 7 * 60000 + 19500);
    EXPECT_LT(h.subs.SubTimeOut(9), h.subs.SubTimeIn(10));
}

TEST(ListingKeys, ATextLongerThanALineEditsDefaultLimitIsKeptWhole) {
    ListingHost h(5);
    QString longText;
    for (int i = 0; longText.size() < 40000; ++i) longText += QStringLiteral("word %1\r\n").arg(i);
    h.subs.setSubText(2, longText);
    h.click(300, 2);
    QLineEdit* t = h.l->txtSubText;
    ASSERT_EQ(h.focus(), t);
    EXPECT_EQ(t->text().size(), longText.size() - longText.count(QStringLiteral("\r\n")));
    // Keys that change nothing store nothing.
    const int before = h.changes;
    QTest::keyClick(t, Qt::Key_Right);
    QTest::keyClick(t, Qt::Key_Shift);
    EXPECT_EQ(h.changes, before);
    EXPECT_EQ(h.subs.SubText(2).size(), longText.size());
    EXPECT_TRUE(h.subs.SubText(2) == longText);
    // Typing keeps the whole text.
    t->end(false);
    QTest::keyClicks(t, QStringLiteral("!"));
    EXPECT_TRUE(h.subs.SubText(2) == longText + QStringLiteral("!"));
}
