#include "formats/clsFileSMIFrm1.h"
#include "model/RuntimeError.h"
#include "model/clsTime.h"
#include "tests/support/Ffmpeg.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"
#include "tests/tools/FakeToolHost.h"
#include "tests/tools/SplitMergeTesting.h"
#include "tools/CSubOps.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
struct SplitFixture : ::testing::Test {
    TempDir dir;
    clsSubs subs;
    clsTime sel;
    FakeToolHost host;
    QString p1 = dir.path(QStringLiteral("one.srt"));
    QString p2 = dir.path(QStringLiteral("two.srt"));

    SplitFixture() {
        FillNumbered(subs, 10);
        sel.setMin(-2);
        sel.setMax(9);
        sel.setValue(5);
    }
    std::vector<SrtEntry> range(int from, int to, qint32 shift = 0) {
        std::vector<SrtEntry> all = EntriesOf(subs), v;
        for (int i = from; i <= to; ++i) v.push_back({all[i].in + shift, all[i].out + shift, all[i].text});
        return v;
    }
};

using SplitProcedure = SplitFixture;

TEST_F(SplitProcedure, WritesBothPartsAndKeepsTheDocument) {
    const QByteArray original = SrtBytes(EntriesOf(subs));
    QSignalSpy major(&subs, &clsSubs::MajorChange);
    ASSERT_TRUE(SplitToFiles(p1, p2, 3, subs, false, 0, false, true, sel, 0, 1, host));
    EXPECT_EQ(dir.read(QStringLiteral("one.srt")), SrtBytes(range(0, 3)));
    EXPECT_EQ(dir.read(QStringLiteral("two.srt")), SrtBytes(range(4, 9)));
    EXPECT_EQ(SrtBytes(EntriesOf(subs)), original);
    EXPECT_EQ(major.count(), 0);
    EXPECT_EQ(sel.value(), 5);
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(SplitProcedure, ShiftRestartsTheSecondPartKeepingItsGaps) {
    ASSERT_TRUE(SplitToFiles(p1, p2, 3, subs, true, 0, false, true, sel, 0, 0, host));
    EXPECT_EQ(dir.read(QStringLiteral("one.srt")), SrtBytes(range(0, 3)));
    EXPECT_EQ(dir.read(QStringLiteral("two.srt")), SrtBytes(range(4, 9, -subs.SubTimeIn(4))));
    ASSERT_TRUE(SplitToFiles(p1, p2, 8, subs, true, 90000, false, true, sel, 0, 0, host));
    EXPECT_EQ(dir.read(QStringLiteral("two.srt")), SrtBytes({{90000, 91500, QStringLiteral("Line 9")}}));
    // The document itself is never shifted.
    EXPECT_EQ(subs.SubTimeIn(9), 19000);
}

TEST_F(SplitProcedure, OpeningTheSecondPartReplacesTheDocument) {
    host.doc = &subs;
    ASSERT_TRUE(SplitToFiles(p1, p2, 6, subs, true, 500, true, false, sel, 0, 0, host));
    EXPECT_EQ(sel.value(), -2);
    ASSERT_EQ(subs.count(), 3);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("Line 7"));
    EXPECT_EQ(subs.SubTimeIn(0), 500);
    EXPECT_EQ(subs.SubTimeOut(2), 500 + 4000 + 1500);
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("LoadPart ") + p2});
    EXPECT_EQ(host.part->SettingSig(), QStringLiteral("SRT"));
}

TEST_F(SplitProcedure, OpeningTheFirstPart) {
    host.doc = &subs;
    ASSERT_TRUE(SplitToFiles(p1, p2, 0, subs, false, 0, true, true, sel, 0, 0, host));
    ASSERT_EQ(subs.count(), 1);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("Line 0"));
    EXPECT_EQ(host.calls.last(), QStringLiteral("LoadPart ") + p1);
}

TEST_F(SplitProcedure, EachPartInItsOwnFormat) {
    const QString smi = dir.path(QStringLiteral("two.smi"));
    // Filter 2 is SAMI whatever the extension; its form shows before it writes and on loading.
    const QByteArray firstPart = SrtBytes(range(0, 4));
    Forms().expect([](QDialog* d) { qobject_cast<clsFileSMIFrm1*>(d)->btOk->click(); });
    Forms().expect([](QDialog* d) { qobject_cast<clsFileSMIFrm1*>(d)->btOk->click(); });
    host.doc = &subs;
    ASSERT_TRUE(SplitToFiles(p1, smi, 4, subs, false, 0, true, false, sel, 1, 2, host));
    EXPECT_EQ(host.part->SettingSig(), QStringLiteral("SAMI"));
    EXPECT_EQ(Forms().shown.size(), 2);
    EXPECT_EQ(dir.read(QStringLiteral("one.srt")), firstPart);
    EXPECT_TRUE(dir.read(QStringLiteral("two.smi")).startsWith("<SAMI>\r\n"));
    ASSERT_EQ(subs.count(), 5);
    EXPECT_EQ(subs.SubText(4), QStringLiteral("Line 9"));
    if (FfmpegAvailable()) {
        std::vector<Cue> cues;
        QString why;
        ASSERT_TRUE(FfmpegCues(smi, QStringLiteral("sami"), cues, &why)) << why.toStdString();
        std::erase_if(cues, [](const Cue& c) { return c.text.trimmed().isEmpty(); }); // clearing SYNCs
        ASSERT_EQ(cues.size(), 5u);
        EXPECT_EQ(cues[0].start, 11000);
        EXPECT_EQ(cues[4].end, 20500);
        EXPECT_EQ(cues[4].text, QStringLiteral("Line 9"));
    }
}

TEST_F(SplitProcedure, AFailedWriteStopsBeforeTheSecondPartAndTheReload) {
    const QString bad = dir.path(QStringLiteral("missing/one.srt"));
    Boxes().expect(vb::OK, QStringLiteral("\"") + bad + QStringLiteral("\" could not be written"));
    EXPECT_FALSE(SplitToFiles(bad, p2, 3, subs, false, 0, true, true, sel, 0, 0, host));
    EXPECT_EQ(Boxes().shown.size(), 1u); // one message, naming the file
    EXPECT_FALSE(QFile::exists(p2));
    EXPECT_EQ(subs.count(), 10);
    EXPECT_EQ(sel.value(), 5);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(SplitProcedure, BothPartsOrNeither) {
    // The second part fails: the first part's file goes back to what it was, or away.
    const QString bad = dir.path(QStringLiteral("missing/two.srt"));
    const QByteArray old = "1\r\n00:00:05,000 --> 00:00:06,000\r\nOld\r\n\r\n";
    dir.write(QStringLiteral("one.srt"), old);
    for (bool existed : {true, false}) {
        if (!existed) QFile::remove(p1);
        Boxes().expect(vb::OK, QStringLiteral("\"") + bad + QStringLiteral("\" could not be written"));
        Boxes().expect(
            vb::OK, QStringLiteral("Nothing was split: the first part \"") + p1 +
                        (existed ? QStringLiteral("\" is back as it was.") : QStringLiteral("\" was removed again.")));
        EXPECT_FALSE(SplitToFiles(p1, bad, 3, subs, false, 0, true, false, sel, 0, 0, host));
        EXPECT_EQ(Boxes().shown.back().title, QStringLiteral("Error"));
        if (existed) EXPECT_EQ(dir.read(QStringLiteral("one.srt")), old);
        else EXPECT_FALSE(QFile::exists(p1));
        EXPECT_EQ(QDir(dir.folder()).entryList(QDir::Files), existed ? QStringList{"one.srt"} : QStringList{});
    }
    EXPECT_EQ(subs.count(), 10);
    EXPECT_EQ(sel.value(), 5);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(SplitProcedure, RefusesAnIndexThatLeavesAPartEmpty) {
    EXPECT_THROW(SplitToFiles(p1, p2, 9, subs, false, 0, false, true, sel, 0, 0, host), RuntimeError);
    EXPECT_THROW(SplitToFiles(p1, p2, -1, subs, false, 0, false, true, sel, 0, 0, host), RuntimeError);
    EXPECT_FALSE(QFile::exists(p1));
}
} // namespace
