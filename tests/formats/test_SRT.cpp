#include "formats/clsFileSRT.h"
#include "formats/clsFileSRTFrm1.h"
#include "formats/clsSettingsSRT.h"
#include "model/clsSubs.h"
#include "tests/support/Ffmpeg.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QString S(const char* s) { return QString::fromUtf8(s); }

struct Entry {
    qint32 in, out;
    QString text;
    bool operator==(const Entry&) const = default;
};

void PrintTo(const Entry& e, std::ostream* os) { *os << e.in << "-" << e.out << " \"" << e.text.toStdString() << '"'; }

std::vector<Entry> entries(const clsSubs& s) {
    std::vector<Entry> v;
    for (int i = 0; i < s.count(); ++i) v.push_back({s.SubTimeIn(i), s.SubTimeOut(i), s.SubText(i)});
    return v;
}

clsFileSRTFrm1* formOf(const clsFileSRT& f) { return static_cast<clsFileSRTFrm1*>(f.getSettingBlock()->getForm()); }

// Loads bytes written to a file of the test's folder.
struct Loaded {
    TempDir dir;
    clsFileSRT file;
    clsSubs subs;
    bool ok = false;
    explicit Loaded(const QByteArray& bytes) {
        file.setFile(dir.write(S("in.srt"), bytes));
        ok = file.Load(subs);
    }
};

const qint32 H = 3600000;
} // namespace

TEST(SubRipRead, EntriesWithMultiLineTexts) {
    Loaded l("1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\n\r\n"
             "2\r\n00:01:02,003 --> 01:00:00,000\r\n  first line  \r\nsecond\r\n\r\n"
             "7\r\n10:00:00,100 --> 10:00:01,000\r\nlast\r\n");
    EXPECT_TRUE(l.ok);
    EXPECT_EQ(entries(l.subs), (std::vector<Entry>{{1000, 2500, S("Hello")},
                                                   {62003, H, S("first line\r\nsecond")},
                                                   {10 * H + 100, 10 * H + 1000, S("last")}}));
    EXPECT_EQ(formOf(l.file)->txtDecChar->text(), S(","));
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(SubRipRead, BlankLinesAndLineEnds) {
    // Blank lines before an entry, several at the end, LF-only line ends, a UTF-8 mark.
    Loaded l("\xEF\xBB\xBF\n\n1\n00:00:01.000 --> 00:00:02.000\ncaf\xC3\xA9\n   \n\n\n"
             "2\n00:00:03.000 --> 00:00:04.000\nx\n\n\n\n");
    EXPECT_TRUE(l.ok);
    EXPECT_EQ(entries(l.subs), (std::vector<Entry>{{1000, 2000, S("café")}, {3000, 4000, S("x")}}));
    EXPECT_EQ(formOf(l.file)->txtDecChar->text(), S("."));
}

TEST(SubRipRead, WhitespaceLinesSeparateEntriesOnlyBeforeTheNextOne) {
    // Separator lines holding a tab, a no-break space, an ideographic space or a mix end their
    // entry when the next entry's number and time lines follow (or the file ends), as does one
    // before the first entry.
    Loaded sep("\t\r\n1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n\t\r\n"
               "2\r\n00:00:03,000 --> 00:00:04,000\r\nB\r\n\xC2\xA0\r\n"
               "3\r\n00:00:05,000 --> 00:00:06,000\r\nC\r\n \t\xE3\x80\x80 \r\n"
               "4\r\n00:00:07,000 --> 00:00:08,000\r\n\t\r\n"
               "5\r\n00:00:09,000 --> 00:00:10,000\r\nE\r\n\r\n\t\r\n"
               "6\r\n00:00:11,000 --> 00:00:12,000\r\nF\r\n\t");
    EXPECT_TRUE(sep.ok);
    EXPECT_EQ(entries(sep.subs), (std::vector<Entry>{{1000, 2000, S("A")},
                                                     {3000, 4000, S("B")},
                                                     {5000, 6000, S("C")},
                                                     {7000, 8000, QString()},
                                                     {9000, 10000, S("E")},
                                                     {11000, 12000, S("F")}}));

    // Anywhere else such a line is text: it neither ends an entry on reading nor vanishes on
    // writing.
    const QByteArray file = "1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n\xC2\xA0\r\nB\r\n\r\n"
                            "2\r\n00:00:03,000 --> 00:00:04,000\r\n\xE3\x80\x80\r\n\tC\t\r\n\r\n"
                            "3\r\n00:00:05,000 --> 00:00:06,000\r\nD\r\n\t\r\n\r\n";
    Loaded l(file);
    EXPECT_TRUE(l.ok);
    EXPECT_EQ(entries(l.subs), (std::vector<Entry>{{1000, 2000, S("A\r\n\u00A0\r\nB")},
                                                   {3000, 4000, S("\u3000\r\n\tC\t")},
                                                   {5000, 6000, S("D\r\n\t")}}));
    l.file.setSavePath(l.dir.path(S("out.srt")));
    ASSERT_TRUE(l.file.Save(l.subs));
    EXPECT_EQ(l.dir.read(S("out.srt")), file);
}

TEST(SubRipRead, AnEntryWithoutText) {
    Loaded l("1\r\n00:00:01,000 --> 00:00:02,000\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nb\r\n\r\n3\r\n");
    EXPECT_TRUE(l.ok);
    // The number line alone at the end still makes an (empty) entry.
    EXPECT_EQ(entries(l.subs), (std::vector<Entry>{{1000, 2000, QString()}, {3000, 4000, S("b")}, {0, 0, QString()}}));
}

TEST(SubRipRead, FileEndingAfterATimeLineIsAFault) {
    Boxes().expect(vb::OK);
    Loaded l("1\r\n00:00:01,000 --> 00:00:02,000\r\n");
    EXPECT_FALSE(l.ok);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, S("This is not a valid SRT subtitle file.\r\nFault in sub 0"));
    EXPECT_EQ(Boxes().shown[0].title, S("Error"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly | vb::Exclamation);
    // What was read stays, the faulty entry included; events are on again.
    EXPECT_EQ(entries(l.subs), (std::vector<Entry>{{1000, 2000, QString()}}));
    EXPECT_TRUE(l.subs.eventsEnabled());

    Boxes().expect(vb::OK, S("Fault in sub 1"));
    Loaded second("1\r\n00:00:01,000 --> 00:00:02,000\r\na\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000");
    EXPECT_EQ(second.subs.count(), 2);
    EXPECT_EQ(second.subs.SubText(0), S("a"));
}

TEST(SubRipRead, AMalformedTimeLineKeepsTheDecimalCharacter) {
    // Character 9 of the second time line is a digit: not a separator.
    Loaded l("1\r\n00:00:01.000 --> 00:00:02.000\r\na\r\n\r\n2\r\n0:00:03,000 --> 0:00:04,000\r\nb\r\n\r\n");
    EXPECT_EQ(formOf(l.file)->txtDecChar->text(), S("."));
    EXPECT_EQ(l.subs.count(), 2);
    EXPECT_TRUE(l.file.Compose(l.subs).startsWith(S("1\r\n00:00:01.000 --> 00:00:02.000\r\n")));
}

TEST(SubRipRead, LoadSendsOneMajorChangeAtMost) {
    TempDir dir;
    clsFileSRT f;
    f.setFile(dir.write(S("a.srt"), "1\r\n00:00:01,000 --> 00:00:02,000\r\na\r\n\r\n"));
    clsSubs subs;
    subs.AddSub(S("old"), 0, 1);
    QSignalSpy change(&subs, &clsSubs::Change), count(&subs, &clsSubs::CountChange),
        major(&subs, &clsSubs::MajorChange);
    ASSERT_TRUE(f.Load(subs));
    EXPECT_EQ(change.count() + count.count() + major.count(), 0); // the caller raises MajorChange
    EXPECT_TRUE(subs.eventsEnabled());
    Boxes().expect(vb::OK, S("could not be read"));
    f.setFile(dir.path(S("gone.srt")));
    EXPECT_FALSE(f.Load(subs));
    EXPECT_EQ(subs.count(), 0);
    EXPECT_TRUE(subs.eventsEnabled());
}

TEST(SubRipWrite, ExactBytes) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(S("Hello"), 1000, 2500);
    subs.AddSub(S("two\r\nlines"), 62003, H);
    subs.AddSub(QString(), 3 * H, 3 * H + 1);
    // A blank line would end the entry on reading: it is not written.
    subs.AddSub(S("a\r\n\r\n  \r\nb\r\n"), 4 * H, 4 * H + 5);
    subs.AddSub(S("late"), 123 * H + 4, 123 * H + 5);
    subs.AddSub(S("early"), -1500, 0);
    clsFileSRT f;
    f.setFile(dir.path(S("out.srt")));
    ASSERT_TRUE(f.Save(subs));
    EXPECT_EQ(dir.read(S("out.srt")), QByteArray("1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\n\r\n"
                                                 "2\r\n00:01:02,003 --> 01:00:00,000\r\ntwo\r\nlines\r\n\r\n"
                                                 "3\r\n03:00:00,000 --> 03:00:00,001\r\n\r\n"
                                                 "4\r\n04:00:00,000 --> 04:00:00,005\r\na\r\nb\r\n\r\n"
                                                 "5\r\n23:00:00,004 --> 23:00:00,005\r\nlate\r\n\r\n"
                                                 "6\r\n00:00:-1,500 --> 00:00:00,000\r\nearly\r\n\r\n"));
}

TEST(SubRipWrite, DecimalCharacterOfTheForm) {
    clsSubs subs;
    subs.AddSub(S("é"), 1000, 2000);
    clsFileSRT f;
    clsFileSRTFrm1* form = formOf(f);
    form->txtDecChar->setText(S("."));
    EXPECT_EQ(f.Compose(subs), S("1\r\n00:00:01.000 --> 00:00:02.000\r\né\r\n\r\n"));
    for (const char* bad : {"", "ab"}) {
        form->txtDecChar->setText(S(bad));
        EXPECT_EQ(f.Compose(subs), S("1\r\n00:00:01,000 --> 00:00:02,000\r\né\r\n\r\n")) << bad;
    }
    EXPECT_TRUE(Boxes().shown.empty()); // SubRip never shows its form
    EXPECT_TRUE(Forms().shown.isEmpty());
}

TEST(SubRipWrite, FailureIsToldAndNotTakenAsSuccess) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(S("x"), 0, 1);
    clsFileSRT f;
    const QString path = dir.path(S("no/such/folder/out.srt"));
    f.setFile(path);
    Boxes().expect(vb::OK);
    EXPECT_FALSE(f.Save(subs));
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_TRUE(Boxes().shown[0].text.contains(path));
    EXPECT_EQ(Boxes().shown[0].title, S("Error"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly | vb::Exclamation);
}

TEST(SubRipWrite, RoundTripAndFfmpegReadsTheSameCues) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(S("One"), 1000, 2500);
    subs.AddSub(S("Two lines\r\nwith é"), 3000, 4000);
    subs.AddSub(S("Three"), 2 * H + 5, 2 * H + 999);
    clsFileSRT out;
    out.setFile(dir.path(S("rt.srt")));
    ASSERT_TRUE(out.Save(subs));
    Loaded back(dir.read(S("rt.srt")));
    EXPECT_EQ(entries(back.subs), entries(subs));

    if (!FfmpegAvailable()) GTEST_SKIP() << "ffmpeg is not installed";
    std::vector<Cue> cues;
    QString error;
    ASSERT_TRUE(FfmpegCues(dir.path(S("rt.srt")), S("srt"), cues, &error)) << error.toStdString();
    ASSERT_EQ(cues.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cues[i].start, subs.SubTimeIn(i));
        EXPECT_EQ(cues[i].end, subs.SubTimeOut(i));
        EXPECT_EQ(cues[i].text, subs.SubText(i).replace(S("\r\n"), S("\n")));
    }
}

TEST(SubRipSettings, BlockAndForm) {
    clsFileSRT a, b;
    auto other = std::make_shared<SettingsOf<clsFileSRTFrm1>>(S("MicroDVD"));
    const auto own = a.getSettingBlock();
    a.setSettingBlock(other);
    EXPECT_EQ(a.getSettingBlock(), own);
    formOf(b)->txtDecChar->setText(S("."));
    a.setSettingBlock(b.getSettingBlock());
    EXPECT_EQ(a.getSettingBlock(), b.getSettingBlock());
    clsSubs subs;
    subs.AddSub(S("x"), 0, 1);
    EXPECT_TRUE(a.Compose(subs).contains(S("00:00:00.000")));
    // Every load starts from a fresh form.
    TempDir dir;
    a.setFile(dir.write(S("a.srt"), "1\r\n00:00:01;000 --> 00:00:02;000\r\nx\r\n"));
    QDialog* before = a.getSettingBlock()->getForm();
    ASSERT_TRUE(a.Load(subs));
    EXPECT_NE(a.getSettingBlock()->getForm(), before);
    EXPECT_EQ(formOf(a)->txtDecChar->text(), S(";"));
}

TEST(SubRipSettings, OkChecksTheDecimalCharacter) {
    clsFileSRTFrm1 form;
    EXPECT_EQ(form.windowTitle(), S("SRT Properties"));
    EXPECT_EQ(form.txtDecChar->text(), S(","));
    form.show();
    form.txtDecChar->setText(S("ab"));
    Boxes().expect(vb::OK);
    QTest::mouseClick(form.btOk, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
    EXPECT_EQ(Boxes().shown[0].title, S("Lumerin"));
    form.txtDecChar->setText(S("."));
    QTest::mouseClick(form.btOk, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    // The close box hides the form without a check.
    form.show();
    form.txtDecChar->setText(QString());
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Boxes().shown.size(), 1u);
}

TEST(SubRipFileName, RepairOnlyWhenOpening) {
    TempDir dir;
    const QString p = dir.write(S("lf.srt"), "1\n00:00:01,000 --> 00:00:02,000\nx\n");
    clsFileSRT f;
    f.setSavePath(p);
    EXPECT_EQ(dir.read(S("lf.srt")), QByteArray("1\n00:00:01,000 --> 00:00:02,000\nx\n"));
    f.setFile(p);
    EXPECT_EQ(dir.read(S("lf.srt")), QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\nx\r\n\r\n"));
    EXPECT_EQ(f.file(), p);
}
