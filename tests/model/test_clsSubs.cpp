#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct Fixture : ::testing::Test {
    clsSubs subs;
    clsTime sel;
    QStringList log;

    Fixture() {
        sel.setMin(-2);
        sel.setMax(10000);
        sel.setValue(-2);
        QObject::connect(&subs, &clsSubs::Change, [this](int i) { log << QStringLiteral("Change %1").arg(i); });
        QObject::connect(&subs, &clsSubs::CountChange, [this] { log << QStringLiteral("CountChange"); });
        QObject::connect(&subs, &clsSubs::MajorChange, [this] { log << QStringLiteral("MajorChange"); });
        QObject::connect(&sel, &clsTime::Change, [this] { log << QStringLiteral("Sel %1").arg(sel.value()); });
    }
    void add(qint32 in, qint32 out, const QString& text = QString()) { subs.AddSub(text, in, out); }
};

using SubsDocument = Fixture;

TEST_F(SubsDocument, GettersTreatStaleSlotsAsAbsent) {
    add(0, 1000, QStringLiteral("a"));
    add(2000, 3000, QStringLiteral("b"));
    subs.Clear();
    EXPECT_EQ(subs.count(), 0);
    EXPECT_EQ(subs.SubText(0), QString());
    EXPECT_EQ(subs.SubTimeOut(1), 0);
    EXPECT_EQ(subs.FindSub(500), -2);
    subs.setSubText(0, QStringLiteral("x")); // ignored beyond count
    EXPECT_EQ(subs.AddSub(QStringLiteral("new"), 5, 6), 0);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("new"));
    EXPECT_EQ(subs.SubTimeIn(1), 0);
}

TEST_F(SubsDocument, AddSubRaisesOnlyCountChangeAndSettersRaiseOnRealChange) {
    add(0, 1000, QStringLiteral("a"));
    EXPECT_EQ(log, QStringList{QStringLiteral("CountChange")});
    log.clear();
    subs.setSubText(0, QStringLiteral("a"));
    subs.setSubTimeIn(0, 0);
    EXPECT_TRUE(log.isEmpty());
    subs.setSubText(0, QStringLiteral("A")); // case-sensitive comparison
    subs.setSubTimeOut(0, 1200);
    EXPECT_EQ(log, (QStringList{QStringLiteral("Change 0"), QStringLiteral("Change 0")}));
}

TEST_F(SubsDocument, EventsFlagSilencesAllButEventsEnabled) {
    QSignalSpy enabled(&subs, &clsSubs::EventsEnabled);
    subs.EnableEvents(false);
    add(0, 1);
    subs.setSubText(0, QStringLiteral("x"));
    subs.RaiseMajor();
    subs.Clear();
    EXPECT_TRUE(log.isEmpty());
    subs.EnableEvents(true);
    ASSERT_EQ(enabled.count(), 2);
    EXPECT_FALSE(enabled.at(0).at(0).toBool());
    EXPECT_TRUE(enabled.at(1).at(0).toBool());
}

TEST_F(SubsDocument, DeleteMovesSelectionBeforeCountChange) {
    add(0, 1);
    add(2, 3);
    add(4, 5);
    sel.setValue(2);
    log.clear();
    subs.Delete(2, sel);
    EXPECT_EQ(log, (QStringList{QStringLiteral("Sel 1"), QStringLiteral("CountChange"), QStringLiteral("Change 2")}));
    add(4, 5);
    sel.setValue(2);
    subs.Delete(0, sel);
    EXPECT_EQ(sel.value(), 1);
    EXPECT_EQ(subs.SubTimeIn(0), 2);
    subs.Delete(0, sel, true);
    EXPECT_EQ(sel.value(), -2);
}

TEST_F(SubsDocument, DeleteOutsideTheListChangesNothing) {
    add(0, 1);
    sel.setValue(0);
    log.clear();
    EXPECT_NO_THROW(subs.Delete(-1, sel));
    EXPECT_NO_THROW(subs.Delete(1, sel));
    EXPECT_NO_THROW(subs.Delete(10001, sel));
    EXPECT_EQ(subs.count(), 1);
    EXPECT_TRUE(log.isEmpty());
    subs.Delete(0, sel); // the only entry: the selection falls to -1
    EXPECT_EQ(sel.value(), -1);
    EXPECT_EQ(subs.count(), 0);
}

TEST_F(SubsDocument, InsertPTimingAndNotificationOrder) {
    subs.InsertP(0, sel);
    EXPECT_EQ(subs.SubTimeIn(0), 0);
    EXPECT_EQ(subs.SubTimeOut(0), 1500);
    subs.Clear();
    add(0, 1000);
    add(1501, 3000);
    log.clear();
    subs.InsertP(1, sel, true, QStringLiteral("t"));
    EXPECT_EQ(log, (QStringList{QStringLiteral("Sel 1"), QStringLiteral("CountChange"), QStringLiteral("Change 1")}));
    EXPECT_EQ(subs.SubTimeIn(1), 1001);
    EXPECT_EQ(subs.SubTimeOut(1), 1500);
    EXPECT_EQ(subs.SubText(1), QStringLiteral("t"));
    EXPECT_EQ(subs.SubTimeIn(2), 1501);
}

TEST_F(SubsDocument, InsertPClampsNegativeTimesAndNeverReadsStaleSlots) {
    add(-5000, -3000);
    add(-2500, -2000);
    subs.InsertP(1, sel);
    EXPECT_EQ(subs.SubTimeIn(1), 0);
    EXPECT_EQ(subs.SubTimeOut(1), 0);
    subs.Clear();
    add(0, 10);
    add(20, 30); // stale after the clear below
    subs.Clear();
    add(0, 100);
    subs.InsertP(1, sel); // append position: no follower to clip against
    EXPECT_EQ(subs.SubTimeOut(1), 1601);
}

TEST_F(SubsDocument, InsertTPlacesByTimeAndRaisesCountChangeFirst) {
    EXPECT_EQ(subs.InsertT(500, sel), 0);
    EXPECT_EQ(subs.SubTimeOut(0), 2000);
    subs.Clear();
    add(0, 100);
    add(3000, 4000);
    log.clear();
    EXPECT_EQ(subs.InsertT(2000, sel), 1);
    EXPECT_EQ(log, (QStringList{QStringLiteral("CountChange"), QStringLiteral("Sel 1"), QStringLiteral("Change 1")}));
    EXPECT_EQ(subs.SubTimeOut(1), 2999);
    sel.setValue(2);
    subs.InsertT(50, sel, false);
    EXPECT_EQ(sel.value(), 3);
}

TEST_F(SubsDocument, FullListRefusesBeforeAnythingMoves) {
    subs.EnableEvents(false);
    for (int i = 0; i < clsSubs::Capacity; ++i) add(i * 10, i * 10 + 5);
    subs.EnableEvents(true);
    EXPECT_THROW(subs.AddSub(), RuntimeError);
    EXPECT_THROW(subs.InsertP(0, sel), RuntimeError);
    EXPECT_THROW(subs.InsertT(0, sel), RuntimeError);
    EXPECT_EQ(subs.count(), clsSubs::Capacity);
    EXPECT_EQ(subs.SubTimeIn(0), 0);
    EXPECT_EQ(subs.SubTimeIn(10000), 100000);
}

TEST_F(SubsDocument, FindOperations) {
    add(1000, 2000);
    add(500, 900);
    add(3000, 4000);
    add(3000, 3500);
    EXPECT_EQ(subs.FindSub(1500), 0);
    EXPECT_EQ(subs.FindSub(2000), -2); // time-out itself is outside
    EXPECT_EQ(subs.FindSubAfter(900), 0);
    EXPECT_EQ(subs.FindSubAfter(2000), 2); // equal time-in: lowest index
    EXPECT_EQ(subs.FindSubAfter(3000), -2);
    EXPECT_EQ(subs.FindSubBefore(3000), 0);
    EXPECT_EQ(subs.FindSubBefore(500), -2);
}

TEST_F(SubsDocument, InvalidTiming) {
    add(0, 1000);
    add(1000, 2000); // touching is fine
    add(1900, 2500); // overlaps its predecessor
    add(3000, 2900); // ends before it starts
    add(4000, 4000); // zero length is fine by itself
    EXPECT_FALSE(subs.Invalid(0));
    EXPECT_TRUE(subs.Invalid(1));
    EXPECT_TRUE(subs.Invalid(2));
    EXPECT_TRUE(subs.Invalid(3));
    EXPECT_FALSE(subs.Invalid(4));
    EXPECT_FALSE(subs.Invalid(-1));
    EXPECT_FALSE(subs.Invalid(5));
    EXPECT_FALSE(subs.Invalid(10001));
}

TEST_F(SubsDocument, ReplaceAll) {
    add(0, 1, QStringLiteral("banana"));
    add(2, 3, QStringLiteral("An Apple"));
    EXPECT_EQ(subs.ReplaceAll(QStringLiteral("a"), QStringLiteral("aa"), true, false, 0, 0), 3);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("baanaanaa"));
    EXPECT_EQ(subs.ReplaceAll(QStringLiteral("A"), QStringLiteral("a"), false, false, 1, 1), 2);
    EXPECT_EQ(subs.SubText(1), QStringLiteral("an apple"));
    EXPECT_EQ(subs.ReplaceAll(QStringLiteral("a"), QStringLiteral("a"), true, false, 0, 1), 0);
    EXPECT_EQ(subs.ReplaceAll(QString(), QStringLiteral("x"), true, false, 0, 1), 0);
    EXPECT_EQ(subs.ReplaceAll(QStringLiteral("an"), QStringLiteral("one"), true, true, -5, 50000), 1);
    EXPECT_EQ(subs.SubText(1), QStringLiteral("one apple"));
}

TEST_F(SubsDocument, ReplaceAllTakesTimeInProportionToTheHits) {
    add(0, 1, QStringLiteral("a-").repeated(100000));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(subs.ReplaceAll(QStringLiteral("a"), QStringLiteral("bc"), true, true, 0, 0), 100000);
    // A few milliseconds; rebuilding the text at every hit took half a minute.
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("bc-").repeated(100000));
    // The word test sees the text as replaced so far: the second "-" follows an "x".
    add(2, 3, QStringLiteral("--"));
    EXPECT_EQ(subs.ReplaceAll(QStringLiteral("-"), QStringLiteral("x"), true, true, 1, 1), 1);
    EXPECT_EQ(subs.SubText(1), QStringLiteral("x-"));
}

TEST_F(SubsDocument, ShiftMovesRangeAndIsAllOrNothing) {
    add(1000, 2000);
    add(3000, 4000);
    add(5000, 6000);
    log.clear();
    subs.Shift(1, 2, 1, 10000);
    EXPECT_EQ(log, QStringList{QStringLiteral("MajorChange")});
    EXPECT_EQ(subs.SubTimeIn(0), 1000);
    EXPECT_EQ(subs.SubTimeIn(1), 10000);
    EXPECT_EQ(subs.SubTimeOut(2), 13000);
    subs.setSubTimeOut(2, 2147483000);
    EXPECT_THROW(subs.Shift(0, 2, 0, 2000), RuntimeError);
    EXPECT_EQ(subs.SubTimeIn(0), 1000); // nothing written
    EXPECT_THROW(subs.Shift(0, 2, 5, 0), RuntimeError);
    EXPECT_THROW(subs.Shift(0, 10001, 0, 0), RuntimeError);
}

TEST_F(SubsDocument, StretchMapsLinearlyWithHalvesToEven) {
    add(0, 1000);
    add(1000, 2000);
    add(2000, 3000);
    subs.Stretch(0, 2, 0, 2, 0, 4000);
    EXPECT_EQ(subs.SubTimeIn(1), 2000);
    EXPECT_EQ(subs.SubTimeOut(2), 6000);
    subs.Stretch(0, 2, 0, 2, 0, 4000); // markers at their own times: no change
    EXPECT_EQ(subs.SubTimeIn(1), 2000);

    subs.Clear();
    add(0, 1);
    add(2, 3);
    add(1, 5);
    subs.Stretch(0, 2, 0, 1, 0, 3); // k = 0.5: 1 -> 1.5 -> 2, 5 -> 7.5 -> 8, 3 -> 4.5 -> 4
    EXPECT_EQ(subs.SubTimeIn(2), 2);
    EXPECT_EQ(subs.SubTimeOut(2), 8);
    EXPECT_EQ(subs.SubTimeOut(1), 4);
    EXPECT_EQ(subs.SubTimeOut(0), 2); // 1.5 -> 2

    subs.Clear();
    add(100, 200);
    add(100, 300);
    EXPECT_THROW(subs.Stretch(0, 1, 0, 1, 0, 50), RuntimeError);
    EXPECT_EQ(subs.SubTimeOut(1), 300);
}

TEST_F(SubsDocument, BlitCopiesAndExtendsWithoutCountChange) {
    clsSubs other;
    other.AddSub(QStringLiteral("x"), 1, 2);
    other.AddSub(QStringLiteral("y"), 3, 4);
    add(0, 1, QStringLiteral("a"));
    log.clear();
    subs.Blit(0, 2, 1, other); // index 2 lies beyond other: reads as "" and 0
    EXPECT_EQ(log, QStringList{QStringLiteral("MajorChange")});
    EXPECT_EQ(subs.count(), 4);
    EXPECT_EQ(subs.SubText(1), QStringLiteral("x"));
    EXPECT_EQ(subs.SubTimeIn(2), 3);
    EXPECT_EQ(subs.SubText(3), QString());
    EXPECT_THROW(subs.Blit(0, 1, 10000, other), RuntimeError);
    EXPECT_EQ(subs.count(), 4);
    subs.Blit(0, 2, 1, subs); // overlapping copy within one list keeps the source order
    EXPECT_EQ(subs.SubText(1), QStringLiteral("a"));
    EXPECT_EQ(subs.SubText(2), QStringLiteral("x"));
    EXPECT_EQ(subs.SubText(3), QStringLiteral("y"));
}

} // namespace
