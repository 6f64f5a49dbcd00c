// The merge tool: the join itself, and its dialog and wizard driven as a user would.
#include "model/RuntimeError.h"
#include "model/clsTime.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"
#include "tests/tools/SplitMergeTesting.h"
#include "tests/tools/ToolFixture.h"
#include "tools/MergeOps.h"
#include "tools/ToolFiles.h"
#include "tools/frmMerge.h"
#include "tools/wzMerge.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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

struct MergeWindows : ToolFixture {
    TempDir dir;
    QString file = dir.write(QStringLiteral("extra.srt"), kFile);
    QStringList log;
    explicit MergeWindows(int count) : ToolFixture(count) {
        QObject::connect(&subs, &clsSubs::MajorChange, [this] { log << QStringLiteral("Major"); });
    }
    QStringList texts() const {
        QStringList t;
        for (int i = 0; i < subs.count(); ++i) t << subs.SubText(i);
        return t;
    }
};

struct MergeDialog : MergeWindows {
    frmMerge f{&host};
    explicit MergeDialog(int count = 2) : MergeWindows(count) {
        f.SetStructs(&subs);
        activate(&f);
    }
};

struct MergeWizard : MergeWindows {
    wzMerge w{&host};
    explicit MergeWizard(int count = 2) : MergeWindows(count) {
        w.SetSubs(&subs, 1);
        activate(&w);
    }
    void next() { click(w.btNext); }
};
} // namespace

TEST(MergeDialogWindow, AfterAndBeforeWithDelay) {
    MergeDialog d; // Line 0 1000-3000, Line 1 11000-13000
    EXPECT_EQ(d.f.windowTitle(), QStringLiteral("Merge File"));
    EXPECT_EQ(d.f.btOk->text(), QStringLiteral("OK"));
    ToolFixture::type(d.f.txtFile, d.file);
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(d.texts(), (QStringList{"Line 0", "Line 1", "F0", "F1"}));
    EXPECT_EQ(d.subs.SubTimeIn(2), 5000);
    EXPECT_EQ(d.log, QStringList{"Major"});
    EXPECT_FALSE(d.f.isVisible());

    d.fill(2);
    ToolFixture::activate(&d.f);
    ToolFixture::click(d.f.optBefore);
    ToolFixture::click(d.f.chTimeShift);
    ToolFixture::typeTime(d.f.txtTimeShift, {"00", "00", "01", "000"});
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(d.texts(), (QStringList{"F0", "F1", "Line 0", "Line 1"}));
    // The loaded entries start 1 s after the file's last time-out (9.5 s), keeping their gap.
    EXPECT_EQ(d.subs.SubTimeIn(2), 10500);
    EXPECT_EQ(d.subs.SubTimeIn(3), 20500);
    EXPECT_EQ(d.subs.SubTimeIn(0), 5000);
    // The document is merged in place: the main window keeps its file.
    EXPECT_TRUE(d.host.calls.isEmpty());
}

TEST(MergeDialogWindow, TheNameCheckedIsTheNameLoaded) {
    MergeDialog d;
    auto refused = [&d](const QString& typed, const QString& text, const QString& title) {
        ToolFixture::type(d.f.txtFile, typed);
        Boxes().expect(vb::OK, text);
        ToolFixture::click(d.f.btOk);
        ASSERT_FALSE(Boxes().shown.empty());
        EXPECT_EQ(Boxes().shown.back().title, title);
        EXPECT_EQ(Boxes().shown.back().flags, vb::Exclamation);
        EXPECT_EQ(d.subs.count(), 2);
        EXPECT_TRUE(d.subs.eventsEnabled());
        EXPECT_TRUE(d.f.isVisible());
    };
    refused(d.dir.path(QStringLiteral("nowhere/extra.srt")), QStringLiteral("You didn't enter a correct path"),
            QStringLiteral("Invalid input"));
    // "other" exists, but "other.srt" is the name that would be loaded.
    d.dir.write(QStringLiteral("other"), "not subtitles");
    refused(d.dir.path(QStringLiteral("other")), QStringLiteral("File doesn't exist."), QStringLiteral("Error"));
    EXPECT_TRUE(d.log.isEmpty());

    // "extra" does not exist itself; "extra.srt", which is loaded, does.
    ToolFixture::type(d.f.txtFile, d.dir.path(QStringLiteral("extra")));
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(d.texts(), (QStringList{"Line 0", "Line 1", "F0", "F1"}));
    EXPECT_FALSE(d.f.isVisible());

    // A dot in a folder name keeps the name as typed.
    QDir(d.dir.folder()).mkdir(QStringLiteral("v1.0"));
    d.dir.write(QStringLiteral("v1.0/more"), "1\r\n00:00:30,000 --> 00:00:31,000\r\nM\r\n\r\n");
    ToolFixture::activate(&d.f);
    ToolFixture::type(d.f.txtFile, d.dir.path(QStringLiteral("v1.0/more")));
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(d.texts().last(), QStringLiteral("M"));
}

TEST(MergeDialogWindow, AFileReadOnlyInPartMergesNothingAndKeepsTheWindow) {
    // The reader stops at the second entry, after it has read the first.
    const QByteArray broken = "1\r\n00:00:05,000 --> 00:00:06,000\r\nF0\r\n\r\nX\r\nno time here\r\n";
    MergeDialog d;
    const QString bad = d.dir.write(QStringLiteral("bad.srt"), broken);
    ToolFixture::type(d.f.txtFile, bad);
    Boxes().expect(vb::OK, QStringLiteral("This is not a valid SRT subtitle file."));
    Boxes().expect(vb::OK,
                   QStringLiteral("\"") + bad + QStringLiteral("\" could not be read in full.  Nothing was merged."));
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(Boxes().shown.size(), 2u);
    EXPECT_EQ(d.texts(), (QStringList{"Line 0", "Line 1"}));
    EXPECT_TRUE(d.log.isEmpty());
    EXPECT_TRUE(d.f.isVisible());

    // The wizard's Finish stops the same way and stays on its last page.
    MergeWizard z;
    z.w.txtFile->setText(z.dir.write(QStringLiteral("bad.srt"), broken));
    for (int i = 0; i < 4; ++i) z.next();
    ASSERT_EQ(z.w.CurrentPage(), 4);
    Boxes().expect(vb::OK, QStringLiteral("This is not a valid SRT subtitle file."));
    Boxes().expect(vb::OK, QStringLiteral("Nothing was merged."));
    z.next();
    EXPECT_TRUE(z.w.isVisible());
    EXPECT_EQ(z.w.CurrentPage(), 4);
    EXPECT_EQ(z.texts(), (QStringList{"Line 0", "Line 1"}));
    EXPECT_TRUE(z.log.isEmpty());
}

TEST(MergeDialogWindow, FullListRefusedWithTheDialogStillOpen) {
    MergeDialog d(clsSubs::Capacity);
    ToolFixture::type(d.f.txtFile, d.file);
    Boxes().expect(vb::OK, QStringLiteral("more than 10001 subtitles"));
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(d.subs.count(), clsSubs::Capacity);
    EXPECT_EQ(d.subs.SubText(clsSubs::Capacity - 1), QStringLiteral("Line 10000"));
    EXPECT_TRUE(d.f.isVisible());
    EXPECT_TRUE(d.log.isEmpty());
}

TEST(MergeDialogWindow, BrowseStartsInTheSubtitleFolder) {
    MergeDialog d;
    d.host.subFolder = d.dir.folder();
    d.host.movieFolder = d.dir.folder();
    Dialogs().expectOpen(d.file);
    ToolFixture::click(d.f.btBrowse);
    ASSERT_EQ(Dialogs().shown.size(), 1u);
    EXPECT_EQ(Dialogs().shown[0].kind, QStringLiteral("open"));
    EXPECT_EQ(Dialogs().shown[0].title, QStringLiteral("Merge with ..."));
    EXPECT_EQ(Dialogs().shown[0].folder, d.dir.folder());
    EXPECT_EQ(d.f.txtFile->text(), d.file);

    EXPECT_EQ(d.host.movieFolder, d.dir.folder());
    d.host.subFolder.clear();
    d.host.movieFolder = d.dir.path(QStringLiteral("gone"));
    Dialogs().expectCancel(QStringLiteral("open"));
    ToolFixture::click(d.f.btBrowse);
    EXPECT_EQ(Dialogs().shown[1].folder, ProgramFolder());
    EXPECT_EQ(d.host.subFolder, ProgramFolder());
    EXPECT_EQ(d.host.movieFolder, ProgramFolder());
    EXPECT_EQ(d.f.txtFile->text(), d.file);
}

TEST(MergeWizardWindow, AllStepsThenFinish) {
    MergeWizard z;
    EXPECT_EQ(z.w.windowTitle(), QStringLiteral("Merge Wizard"));
    EXPECT_EQ(z.w.txtFile->text(), QString());
    z.next();
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFile);
    ToolFixture::type(z.w.txtFile, z.dir.path(QStringLiteral("extra")));
    z.next();
    EXPECT_EQ(z.w.txtFile->text(), z.file); // ".srt" added on leaving
    EXPECT_EQ(z.w.CurrentPage(), 2);
    ToolFixture::click(z.w.optBefore);
    z.next();
    EXPECT_FALSE(z.w.picDelay->isVisible());
    ToolFixture::click(z.w.optTiming[1]);
    EXPECT_TRUE(z.w.picDelay->isVisible());
    ToolFixture::typeTime(z.w.txtTimeShift, {"00", "00", "00", "500"});
    z.next();
    EXPECT_EQ(z.w.btNext->text(), QStringLiteral("Finish"));
    // The summary shows the choices made; going back and changing them changes it.
    EXPECT_EQ(z.w.lbInfoSub->text(), QStringLiteral("- Insert file before current file"));
    EXPECT_EQ(z.w.lbInfoTiming->text(), QStringLiteral("- Shift timings, with a delay of 00:00:00.500"));
    auto rechoose = [&z](QRadioButton* where, QRadioButton* timing) {
        ToolFixture::click(z.w.btPrev);
        ToolFixture::click(timing);
        ToolFixture::click(z.w.btPrev);
        ToolFixture::click(where);
        z.next();
        z.next();
    };
    rechoose(z.w.optAfter, z.w.optTiming[0]);
    EXPECT_EQ(z.w.lbInfoSub->text(), QStringLiteral("- Insert file after current file"));
    EXPECT_EQ(z.w.lbInfoTiming->text(), QStringLiteral("- Keep the original timings"));
    rechoose(z.w.optBefore, z.w.optTiming[1]);
    z.next();
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_EQ(z.texts(), (QStringList{"F0", "F1", "Line 0", "Line 1"}));
    EXPECT_EQ(z.subs.SubTimeIn(2), 10000);
    EXPECT_EQ(z.log, QStringList{"Major"});
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(MergeWizardWindow, FileCheckKeepsTheFocus) {
    MergeWizard z;
    z.next();
    ToolFixture::type(z.w.txtFile, z.dir.path(QStringLiteral("nowhere/extra")));
    Boxes().expect(vb::OK, QStringLiteral("You didn't enter a correct path"));
    Boxes().expect(vb::OK, QStringLiteral("File doesn't exist."));
    z.next();
    ASSERT_EQ(Boxes().shown.size(), 2u);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Invalid input"));
    EXPECT_EQ(Boxes().shown[1].title, QStringLiteral("Error"));
    EXPECT_EQ(z.w.txtFile->text(), z.dir.path(QStringLiteral("nowhere/extra.srt")));
    EXPECT_EQ(z.w.CurrentPage(), 1);
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFile);

    // Leaving by Tab checks as well.
    ToolFixture::type(z.w.txtFile, z.dir.path(QStringLiteral("other.srt")));
    Boxes().expect(vb::OK, QStringLiteral("File doesn't exist."));
    QTest::keyClick(z.w.txtFile, Qt::Key_Tab);
    ToolFixture::settle();
    EXPECT_EQ(Boxes().shown.size(), 3u);
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFile);
}

TEST(MergeWizardWindow, BrowseUntilAFileExists) {
    MergeWizard z;
    z.host.subFolder = z.dir.folder();
    z.next();
    Dialogs().expectOpen(z.dir.path(QStringLiteral("gone.srt")));
    Boxes().expect(vb::Cancel, QStringLiteral("File doesn't exists."));
    Dialogs().expectOpen(z.file + QChar(0));
    ToolFixture::click(z.w.btBrowse);
    ASSERT_EQ(Dialogs().shown.size(), 2u);
    EXPECT_EQ(Dialogs().shown[0].title, QStringLiteral("Load to merge"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKCancel);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(z.w.txtFile->text(), z.file);

    Dialogs().expectCancel(QStringLiteral("open"));
    ToolFixture::click(z.w.btBrowse);
    EXPECT_EQ(z.w.txtFile->text(), z.file);
}
