#include "controls/TimeText.h"
#include "tests/support/Scripted.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
// A time control in an active window, next to a plain edit that takes the focus away.
struct TimeWindow {
    QWidget w;
    TimeText* t;
    QLineEdit* other;
    TimeWindow() {
        auto* lay = new QVBoxLayout(&w);
        t = new TimeText(&w);
        t->setMinimumSize(75, 16);
        other = new QLineEdit(&w);
        lay->addWidget(t);
        lay->addWidget(other);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    QStringList fields() const { return {t->txtHr->text(), t->txtMin->text(), t->txtSec->text(), t->txtMSec->text()}; }
    void leave() {
        other->setFocus();
        QCoreApplication::processEvents();
    }
};

QStringList fieldList(const char* h, const char* m, const char* s, const char* ms) {
    return {QString::fromLatin1(h), QString::fromLatin1(m), QString::fromLatin1(s), QString::fromLatin1(ms)};
}
} // namespace

TEST(TimeText, ShowsTheValueWithoutRaisingChange) {
    TimeWindow tw;
    QSignalSpy change(tw.t, &TimeText::Change);
    tw.t->setlTime(3723004);
    EXPECT_EQ(tw.fields(), fieldList("01", "02", "03", "004"));
    // 123 hours: only the last two hour digits are shown.
    tw.t->setlTime(123 * 3600000 + 59 * 60000 + 7);
    EXPECT_EQ(tw.fields(), fieldList("23", "59", "00", "007"));
    EXPECT_EQ(change.count(), 0);
}

TEST(TimeText, FieldRulesOnCommit) {
    TimeWindow tw;
    QSignalSpy change(tw.t, &TimeText::Change);
    // Two-digit fields are taken modulo 60; the second digit moves on and commits.
    tw.t->EnterField(2);
    QTest::keyClicks(tw.t->txtMin, QStringLiteral("75"));
    EXPECT_EQ(tw.t->txtMin->text(), QStringLiteral("15"));
    EXPECT_TRUE(tw.t->txtSec->hasFocus());
    ASSERT_EQ(change.count(), 1);
    EXPECT_EQ(change.at(0).at(0).toInt(), 15 * 60000);
    EXPECT_EQ(tw.t->lTime(), 15 * 60000);

    // One digit in the hours field stays there; the second moves to the minutes.
    tw.t->EnterField(1);
    QTest::keyClicks(tw.t->txtHr, QStringLiteral("2"));
    EXPECT_TRUE(tw.t->txtHr->hasFocus());
    QTest::keyClicks(tw.t->txtHr, QStringLiteral("5"));
    EXPECT_TRUE(tw.t->txtMin->hasFocus());
    EXPECT_EQ(tw.t->txtMin->selectedText(), QStringLiteral("15"));
    EXPECT_EQ(tw.t->lTime(), 25 * 3600000 + 15 * 60000);

    // Three millisecond digits commit at once and select the field again.
    change.clear();
    tw.t->EnterField(4);
    QTest::keyClicks(tw.t->txtMSec, QStringLiteral("123"));
    EXPECT_TRUE(tw.t->txtMSec->hasFocus());
    EXPECT_EQ(tw.t->txtMSec->selectedText(), QStringLiteral("123"));
    ASSERT_EQ(change.count(), 1);
    EXPECT_EQ(tw.t->lTime(), 25 * 3600000 + 15 * 60000 + 123);

    // Unreadable and negative text read 0; a fraction of an hour rounds.
    tw.t->EnterField(3);
    QTest::keyClicks(tw.t->txtSec, QStringLiteral("x"));
    tw.leave();
    EXPECT_EQ(tw.t->txtSec->text(), QStringLiteral("00"));
    tw.t->EnterField(2);
    QTest::keyClicks(tw.t->txtMin, QStringLiteral("-5"));
    EXPECT_EQ(tw.t->txtMin->text(), QStringLiteral("00"));
    tw.t->EnterField(1);
    QTest::keyClicks(tw.t->txtHr, QStringLiteral(".6"));
    EXPECT_EQ(tw.t->txtHr->text(), QStringLiteral("01"));
    EXPECT_EQ(tw.t->lTime(), 3600000 + 123);
}

TEST(TimeText, FocusPassingThroughChangesNothing) {
    for (qint32 v : {qint32(-1500), qint32(101 * 3600000 + 5)}) {
        TimeWindow tw;
        tw.t->setlTime(v);
        QSignalSpy change(tw.t, &TimeText::Change);
        for (int f = 1; f <= 4; ++f) tw.t->EnterField(f);
        tw.leave();
        // Plain keys that move between fields are no edit either.
        tw.t->EnterField(1);
        QTest::keyClick(tw.t->txtHr, Qt::Key_Right);
        QTest::keyClick(tw.t->txtMin, Qt::Key_Right);
        tw.leave();
        EXPECT_EQ(change.count(), 0);
        EXPECT_EQ(tw.t->lTime(), v);
    }
    // A field left as it was after an edit raises nothing either.
    TimeWindow tw;
    tw.t->setlTime(61000);
    QSignalSpy change(tw.t, &TimeText::Change);
    tw.t->EnterField(3);
    QTest::keyClicks(tw.t->txtSec, QStringLiteral("01"));
    EXPECT_EQ(change.count(), 0);
}

TEST(TimeText, KeyMap) {
    TimeWindow tw;
    QStringList seen;
    QObject::connect(tw.t, &TimeText::PressEnter, [&] { seen << QStringLiteral("Enter"); });
    QObject::connect(tw.t, &TimeText::PressLeft, [&] { seen << QStringLiteral("Left"); });
    QObject::connect(tw.t, &TimeText::PressRight, [&] { seen << QStringLiteral("Right"); });
    QObject::connect(tw.t, &TimeText::PressUp, [&] { seen << QStringLiteral("Up"); });
    QObject::connect(tw.t, &TimeText::PressDown, [&] { seen << QStringLiteral("Down"); });
    QSignalSpy down(tw.t, &TimeText::KeyDown);
    QSignalSpy up(tw.t, &TimeText::KeyUp);

    tw.t->EnterField(1);
    QTest::keyClick(tw.t->txtHr, Qt::Key_Left);
    EXPECT_EQ(tw.t->cField(), 1);
    QTest::keyClick(tw.t->txtHr, Qt::Key_Return);
    EXPECT_EQ(tw.t->cField(), 2);
    QTest::keyClick(tw.t->txtMin, Qt::Key_Up);
    EXPECT_EQ(tw.t->cField(), 2);
    QTest::keyClick(tw.t->txtMin, Qt::Key_Left);
    EXPECT_EQ(tw.t->cField(), 1);
    tw.t->EnterField(4);
    QTest::keyClick(tw.t->txtMSec, Qt::Key_Down);
    EXPECT_EQ(tw.t->cField(), 4);
    QTest::keyClick(tw.t->txtMSec, Qt::Key_Right);
    QTest::keyClick(tw.t->txtMSec, Qt::Key_Enter);
    EXPECT_EQ(tw.t->cField(), 4);
    QTest::keyClick(tw.t->txtMSec, Qt::Key_Left);
    EXPECT_EQ(tw.t->cField(), 3);
    EXPECT_EQ(seen, (QStringList{"Left", "Up", "Down", "Right", "Enter"}));
    EXPECT_EQ(down.count(), 8);
    EXPECT_EQ(up.count(), 8);
    EXPECT_EQ(down.at(0).at(0).toInt(), int(Qt::Key_Left));
    // Enter typed into a field adds nothing to it.
    EXPECT_EQ(tw.fields(), fieldList("00", "00", "00", "000"));
}

TEST(TimeText, EnterDoesNotReachTheDialogsDefaultButton) {
    QDialog d;
    auto* lay = new QVBoxLayout(&d);
    auto* t = new TimeText(&d);
    auto* ok = new QPushButton(QStringLiteral("OK"), &d);
    ok->setDefault(true);
    lay->addWidget(t);
    lay->addWidget(ok);
    QSignalSpy clicked(ok, &QPushButton::clicked);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    t->EnterField(2);
    QTest::keyClick(t->txtMin, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(t->cField(), 3);
    // Other keys the fields leave alone still reach the dialog.
    QTest::keyClick(t->txtSec, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
}

TEST(TimeText, ClickItColumns) {
    TimeWindow tw;
    const std::pair<int, int> cases[] = {{0, 1}, {15, 1}, {16, 2}, {31, 2}, {32, 3}, {47, 3}, {48, 4}, {200, 4}};
    for (auto [x, f] : cases) {
        tw.t->ClickIt(x);
        EXPECT_EQ(tw.t->cField(), f) << x;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(f == 1   ? "txtHr"
                                                                                 : f == 2 ? "txtMin"
                                                                                 : f == 3 ? "txtSec"
                                                                                          : "txtMSec"));
    }
    tw.t->ClickIt(-1);
    EXPECT_EQ(tw.t->cField(), 4);
    // A mouse click in a field takes all of its digits.
    tw.t->setlTime(3723004);
    QTest::mouseClick(tw.t->txtSec, Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(tw.t->txtSec->selectedText(), QStringLiteral("03"));
}

TEST(TimeText, CopyAndPaste) {
    TimeWindow tw;
    tw.t->setlTime(3723004);
    tw.t->Copy();
    EXPECT_EQ(FakeDesk().clipboard, QStringLiteral("01:02:03.004"));

    QSignalSpy change(tw.t, &TimeText::Change);
    tw.t->Paste(); // the same value still raises Change
    ASSERT_EQ(change.count(), 1);
    EXPECT_EQ(change.at(0).at(0).toInt(), 3723004);

    for (const char* bad : {"", "hello", "1:02:03.004", "01:02:03", "01:02:03.0045", "-1:02:03.004"}) {
        FakeDesk().clipboard = QString::fromLatin1(bad);
        const int beeps = FakeDesk().beeps;
        tw.t->Paste();
        EXPECT_EQ(FakeDesk().beeps, beeps + 1) << bad;
    }
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(tw.t->lTime(), 3723004);

    // Through the right-button menu, which first tells the host.
    QSignalSpy right(tw.t, &TimeText::RightClick);
    FakeDesk().clipboard = QStringLiteral("10:00:00.500");
    FakeDesk().popupChoices.push_back(QStringLiteral("mnuPaste"));
    QTest::mousePress(tw.t->txtMin, Qt::RightButton, {}, QPoint(3, 5));
    EXPECT_EQ(right.count(), 1);
    EXPECT_EQ(FakeDesk().popups, QStringList{QStringLiteral("mnuEdit")});
    EXPECT_EQ(tw.t->lTime(), 36000500);
    EXPECT_EQ(tw.fields(), fieldList("10", "00", "00", "500"));
    // With the fields disabled the host still hears of it, but no menu opens.
    tw.t->setEnabled(false);
    EXPECT_FALSE(tw.t->Enabled());
    QTest::mousePress(tw.t->Label1, Qt::RightButton, {}, QPoint(1, 5));
    EXPECT_EQ(right.count(), 2);
    EXPECT_EQ(FakeDesk().popups.size(), 1);
}
