#include "formats/clsFileSV1.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/Ffmpeg.h"
#include "tests/support/TempDir.h"

#include <QLineEdit>

using namespace formtest;

namespace {
const QByteArray kTwoEntries = "[TITLE]\r\nMy film\r\n[AUTHOR]\r\nMe\r\n[SOURCE]\r\n\r\n[PRG]\r\nLumerin2\r\n"
                               "[FILEPATH]\r\n\r\n[DELAY]\r\n0\r\n[CD TRACK]\r\n0\r\n[BEGIN]\r\n"
                               "******** START SCRIPT ********\r\n"
                               "[00:00:01]\r\nHello|World\r\n[00:00:02]\r\n\r\n"
                               "[01:02:03]\r\nBye\r\n[01:02:05]\r\n\r\n"
                               "[end]\r\n******** END SCRIPT ********\r\n";

const QByteArray kHeaderTail = "[FILEPATH]\r\n\r\n[DELAY]\r\n0\r\n[CD TRACK]\r\n0\r\n[BEGIN]\r\n"
                               "******** START SCRIPT ********\r\n";

bool load(clsFileSV1& f, clsSubs& subs, const QString& path) {
    f.setFile(path);
    return f.Load(subs);
}
} // namespace

TEST(SubViewer1, ReadsHeaderTagsInAnyCaseAndEntriesToTheSecond) {
    TempDir dir;
    const QString path = dir.write(
        QStringLiteral("a.sub"), "  [title] \r\n  Spaced title \r\n[Author]\r\nMe\r\n[SOURCE]\r\nDVD\r\n[prg]\r\nX\r\n"
                                 "[FilePath]\r\nc:/films\r\n [DELAY]\r\n12\r\n[cd track]\r\n2\r\n[begin]\r\n"
                                 "******** START SCRIPT ********\r\n"
                                 "[00:00:01]\r\nHello|World\r\n[00:00:02]\r\n\r\n"
                                 "[01:02:03]\r\n\r\n[01:02:05]\r\n\r\n"
                                 " [END] \r\n******** END SCRIPT ********\r\n");
    clsSubs subs;
    subs.AddSub(QStringLiteral("old"));
    Forms().expect([&](QDialog* f) {
        // The form shows after parsing, with the file's values as they stand.
        EXPECT_EQ(subs.count(), 2);
        EXPECT_EQ(f->windowTitle(), QStringLiteral("SubViewer 1.0 Properties"));
        EXPECT_EQ(box(f, "txtSV1Title"), QStringLiteral("  Spaced title "));
        EXPECT_EQ(box(f, "txtSV1Author"), QStringLiteral("Me"));
        EXPECT_EQ(box(f, "txtSV1Source"), QStringLiteral("DVD"));
        EXPECT_EQ(box(f, "txtSV1Prg"), QStringLiteral("X"));
        EXPECT_EQ(box(f, "txtSV1Path"), QStringLiteral("c:/films"));
        EXPECT_EQ(box(f, "txtSV1Delay"), QStringLiteral("12"));
        EXPECT_EQ(box(f, "txtSV1Track"), QStringLiteral("2"));
        clickOk(f);
    });
    clsFileSV1 file;
    ASSERT_TRUE(load(file, subs, path));
    EXPECT_EQ(entries(subs), (std::vector<std::string>{row(1000, 2000, QStringLiteral("Hello\r\nWorld")),
                                                       row(3723000, 3725000, QString())}));
    EXPECT_TRUE(subs.eventsEnabled());
    EXPECT_EQ(Forms().shown, QStringList{QStringLiteral("clsFileSV1Frm1")});
}

TEST(SubViewer1, WritesTheDesignHeaderAndDropsMilliseconds) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("Hello\r\nWorld"), 1999, 2500);
    subs.AddSub(QStringLiteral("Bye"), 3723000, 3725001);
    clsFileSV1 file;
    file.setFile(dir.path(QStringLiteral("out.sub")));
    expectFormOk();
    ASSERT_TRUE(file.Save(subs));
    EXPECT_EQ(dir.read(QStringLiteral("out.sub")),
              QByteArray("[TITLE]\r\n<Insert title here>\r\n[AUTHOR]\r\n<Insert author here>\r\n[SOURCE]\r\n\r\n"
                         "[PRG]\r\nLumerin2\r\n") +
                  kHeaderTail +
                  "[00:00:01]\r\nHello|World\r\n[00:00:02]\r\n\r\n"
                  "[01:02:03]\r\nBye\r\n[01:02:05]\r\n\r\n"
                  "[end]\r\n******** END SCRIPT ********\r\n");
}

TEST(SubViewer1, WritesChangedFormValuesOnOneLineEach) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("A"), 0, 1000);
    clsFileSV1 file;
    file.setFile(dir.path(QStringLiteral("out.sub")));
    Forms().expect([](QDialog* f) {
        setBox(f, "txtSV1Title", QStringLiteral("Two\r\nlines"));
        setBox(f, "txtSV1Author", QStringLiteral("Ann\n"));
        setBox(f, "txtSV1Source", QStringLiteral("TV"));
        setBox(f, "txtSV1Prg", QStringLiteral("P"));
        setBox(f, "txtSV1Path", QStringLiteral("/films"));
        setBox(f, "txtSV1Delay", QStringLiteral("5"));
        setBox(f, "txtSV1Track", QStringLiteral("1"));
        clickOk(f);
    });
    ASSERT_TRUE(file.Save(subs));
    EXPECT_EQ(
        dir.read(QStringLiteral("out.sub")),
        QByteArray("[TITLE]\r\nTwolines\r\n[AUTHOR]\r\nAnn\r\n[SOURCE]\r\nTV\r\n[PRG]\r\nP\r\n[FILEPATH]\r\n/films\r\n"
                   "[DELAY]\r\n5\r\n[CD TRACK]\r\n1\r\n[BEGIN]\r\n******** START SCRIPT ********\r\n"
                   "[00:00:00]\r\nA\r\n[00:00:01]\r\n\r\n[end]\r\n******** END SCRIPT ********\r\n"));

    // The values stay with the handler's block for the next save; a load and a save give the
    // file back unchanged.
    expectFormOk();
    const QString again = dir.write(QStringLiteral("in.sub"), kTwoEntries);
    ASSERT_TRUE(load(file, subs, again));
    file.setFile(dir.path(QStringLiteral("again.sub")));
    expectFormOk();
    ASSERT_TRUE(file.Save(subs));
    EXPECT_EQ(dir.read(QStringLiteral("again.sub")), kTwoEntries);
}

TEST(SubViewer1, BrokenFilesKeepWhatWasReadAndSwitchEventsOn) {
    struct Case {
        const char* what;
        QByteArray bytes;
        int entries;
    };
    const QByteArray head = QByteArray("[TITLE]\r\nT\r\n[AUTHOR]\r\nA\r\n[SOURCE]\r\n\r\n[PRG]\r\nP\r\n") + kHeaderTail;
    const std::vector<Case> cases = {
        {"empty file", "", 0},
        {"missing tag", "[TITLE]\r\nT\r\n[SOURCE]\r\n\r\n", 0},
        {"end within the header", "[TITLE]\r\nT\r\n[AUTHOR]\r\n", 0},
        {"entry line without a bracket", head + "[00:00:01]\r\nA\r\n[00:00:02]\r\n\r\n00:00:03\r\nB\r\n", 1},
        {"end after a text line", head + "[00:00:01]\r\nA\r\n[00:00:02]\r\n\r\n[00:00:03]\r\nB\r\n", 1},
        {"end without its separator", head + "[00:00:01]\r\nA\r\n[00:00:02]", 1},
        {"no [end] line", head + "[00:00:01]\r\nA\r\n[00:00:02]\r\n\r\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString path = dir.write(QStringLiteral("bad.sub"), c.bytes);
        clsSubs subs;
        subs.AddSub(QStringLiteral("old"));
        Boxes().reset();
        Boxes().expect(vb::OK, QStringLiteral("This is not a valid SubViewer 1.0 subtitle file."));
        clsFileSV1 file;
        EXPECT_FALSE(load(file, subs, path));
        ASSERT_EQ(Boxes().shown.size(), 1u);
        EXPECT_EQ(Boxes().shown[0].flags, vb::Exclamation);
        EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Error"));
        EXPECT_EQ(subs.count(), c.entries);
        if (c.entries) {
            EXPECT_EQ(entries(subs)[0], row(1000, 2000, QStringLiteral("A")));
        }
        EXPECT_TRUE(subs.eventsEnabled());
    }
    EXPECT_TRUE(Forms().shown.isEmpty()); // the form shows only after a good load
}

TEST(SubViewer1, FilesThatCannotBeReadOrWrittenAreReported) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("kept"), 0, 1000);
    clsFileSV1 file;
    Boxes().expect(vb::OK, QStringLiteral("could not be read"));
    EXPECT_FALSE(load(file, subs, dir.path(QStringLiteral("missing.sub"))));
    EXPECT_EQ(subs.count(), 1);
    EXPECT_TRUE(subs.eventsEnabled());

    file.setFile(dir.path(QStringLiteral("no/such/folder/out.sub")));
    expectFormOk();
    Boxes().expect(vb::OK, QStringLiteral("could not be written"));
    EXPECT_FALSE(file.Save(subs));
}

TEST(SubViewer1, FfmpegReadsTheSameCues) {
    if (!FfmpegAvailable()) GTEST_SKIP() << "no ffmpeg";
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("First"), 1000, 2000);
    subs.AddSub(QStringLiteral("Second one"), 3000, 5999);
    subs.AddSub(QStringLiteral("Third"), 3723000, 3725000);
    clsFileSV1 file;
    file.setFile(dir.path(QStringLiteral("x.sub")));
    expectFormOk();
    ASSERT_TRUE(file.Save(subs));
    std::vector<Cue> cues;
    QString error;
    ASSERT_TRUE(FfmpegCues(file.file(), QStringLiteral("subviewer1"), cues, &error)) << error.toStdString();
    ASSERT_EQ(cues.size(), 3u);
    const qint64 whole[3][2] = {{1000, 2000}, {3000, 5000}, {3723000, 3725000}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cues[i].start, whole[i][0]) << i;
        EXPECT_EQ(cues[i].end, whole[i][1]) << i;
        EXPECT_EQ(cues[i].text, subs.SubText(i)) << i;
    }
}
