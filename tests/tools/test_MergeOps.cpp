#include "model/RuntimeError.h"
#include "model/clsTime.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"
#include "tests/tools/SplitMergeTesting.h"
#include "tools/MergeOps.h"
#include "tools/ToolFiles.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
const QByteArray kFile = "1\r\n00:00:05,000 --> 00:00:06,000\r\nF0\r\n\r\n"
                         "2\r\n00:00:08,000 --> 00:00:09,500\r\nF1\r\n\r\n";

struct MergeFixture : ::testing::Test {
    TempDir dir;
    clsSubs subs;
    QString file = dir.write(QStringLiteral("extra.srt"), kFile);
    QStringList log;

    MergeFixture() {
        FillNumbered(subs, 3); // 1000-2500, 3000-4500, 5000-6500
        QObject::connect(&subs, &clsSubs::MajorChange, [this] { log << QStringLiteral("Major"); });
        QObject::connect(&subs, &clsSubs::CountChange, [this] { log << QStringLiteral("Count"); });
    }
    QStringList texts() const {
        QStringList t;
        for (int i = 0; i < subs.count(); ++i) t << subs.SubText(i);
        return t;
    }
};

using MergeJoin = MergeFixture;

TEST_F(MergeJoin, AfterAndBeforeKeepTimesWithoutShift) {
    ASSERT_TRUE(MergeWithFile(subs, file, false, false, 0));
    EXPECT_EQ(texts(), (QStringList{"Line 0", "Line 1", "Line 2", "F0", "F1"}));
    EXPECT_EQ(subs.SubTimeIn(3), 5000);
    EXPECT_EQ(log, QStringList{"Major"});
    EXPECT_TRUE(subs.eventsEnabled());

    clsSubs other;
    FillNumbered(other, 2);
    ASSERT_TRUE(MergeWithFile(other, file, true, false, 0));
    ASSERT_EQ(other.count(), 4);
    EXPECT_EQ(other.SubText(0), QStringLiteral("F0"));
    EXPECT_EQ(other.SubText(2), QStringLiteral("Line 0"));
    EXPECT_EQ(other.SubTimeIn(2), 1000);
}

TEST_F(MergeJoin, ShiftMovesTheSecondPartBehindTheFirst) {
    // After: the file's entries start 250 ms after the document's last time-out.
    ASSERT_TRUE(MergeWithFile(subs, file, false, true, 250));
    EXPECT_EQ(subs.SubTimeIn(3), 6750);
    EXPECT_EQ(subs.SubTimeOut(3), 7750);
    EXPECT_EQ(subs.SubTimeIn(4), 9750);
    EXPECT_EQ(subs.SubTimeIn(0), 1000);

    // Before: the loaded entries follow the file's last time-out (9500) plus the delay.
    clsSubs other;
    FillNumbered(other, 2);
    ASSERT_TRUE(MergeWithFile(other, file, true, true, 1000));
    EXPECT_EQ(other.SubTimeIn(0), 5000);
    EXPECT_EQ(other.SubTimeIn(2), 10500);
    EXPECT_EQ(other.SubTimeOut(2), 12000);
    EXPECT_EQ(other.SubTimeIn(3), 12500);
}

TEST_F(MergeJoin, EmptyPartsWithShift) {
    clsSubs empty;
    ASSERT_TRUE(MergeWithFile(empty, file, false, true, 300));
    EXPECT_EQ(empty.SubTimeIn(0), 300); // no last subtitle: the part starts at the delay
    EXPECT_EQ(empty.SubTimeIn(1), 3300);

    const QString none = dir.write(QStringLiteral("empty.srt"), "");
    ASSERT_TRUE(MergeWithFile(subs, none, false, true, 300));
    EXPECT_EQ(subs.count(), 3);
}

TEST_F(MergeJoin, RefusesWhatWouldOverfillTheList) {
    clsSubs big;
    FillNumbered(big, clsSubs::Capacity - 1);
    QSignalSpy major(&big, &clsSubs::MajorChange);
    Boxes().expect(vb::OK, QStringLiteral("more than 10001 subtitles"));
    EXPECT_FALSE(MergeWithFile(big, file, false, true, 0));
    EXPECT_EQ(big.count(), clsSubs::Capacity - 1);
    EXPECT_EQ(big.SubText(0), QStringLiteral("Line 0"));
    EXPECT_EQ(major.count(), 0);
    EXPECT_TRUE(big.eventsEnabled());

    clsTime sel;
    big.Delete(0, sel);
    ASSERT_TRUE(MergeWithFile(big, file, true, false, 0));
    EXPECT_EQ(big.count(), clsSubs::Capacity);
    EXPECT_EQ(big.SubText(0), QStringLiteral("F0"));
    EXPECT_EQ(big.SubText(clsSubs::Capacity - 1), QStringLiteral("Line 9999"));
}

TEST_F(MergeJoin, FailuresLeaveTheDocumentWholeAndItsEventsOn) {
    const QString unknown = dir.write(QStringLiteral("odd.sub"), "nothing here\r\n");
    Boxes().expect(vb::OK, QStringLiteral("ERROR : Unknown FileType"));
    EXPECT_FALSE(MergeWithFile(subs, unknown, false, false, 0));
    EXPECT_EQ(subs.count(), 3);
    EXPECT_TRUE(subs.eventsEnabled());

    // A shift beyond the time range fails before the document is touched.
    EXPECT_THROW(MergeWithFile(subs, file, false, true, 2147483000), RuntimeError);
    EXPECT_EQ(texts(), (QStringList{"Line 0", "Line 1", "Line 2"}));
    EXPECT_TRUE(subs.eventsEnabled());
    EXPECT_TRUE(log.isEmpty());
}

TEST(MergeNames, SrtIsAddedOnlyWithoutAnyDot) {
    EXPECT_EQ(MergeLoadName(QStringLiteral("/a/b/movie")), QStringLiteral("/a/b/movie.srt"));
    EXPECT_EQ(MergeLoadName(QStringLiteral("/a.b/movie")), QStringLiteral("/a.b/movie"));
    EXPECT_EQ(MergeLoadName(QString()), QStringLiteral(".srt"));
    EXPECT_FALSE(ToolFiles::FolderMissing(QStringLiteral("movie.srt")));
    EXPECT_TRUE(ToolFiles::FolderMissing(QStringLiteral("/no/such/folder/movie.srt")));
    EXPECT_FALSE(ToolFiles::FolderMissing(QStringLiteral("/tmp/movie.srt")));
}
} // namespace
