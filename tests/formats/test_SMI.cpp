#include "formats/WarningsList.h"
#include "formats/clsFileSMI.h"
#include "formats/frmProg.h"
#include "model/clsSubs.h"
#include "tests/support/Ffmpeg.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {
// Text comparisons print readably as std::string.
std::string S(const QString& s) { return s.toStdString(); }

QString box(const QPlainTextEdit* b) { return clsFileSMIFrm1::boxText(b); }

clsFileSMIFrm1* smiForm(clsFileSMI& f) { return static_cast<clsFileSMIFrm1*>(f.getSettingBlock()->getForm()); }

// The properties form is shown after a good load; this records what it showed and closes it.
struct ShownForm {
    QString warnings;
    QString warningsTab;
    bool shown = false;
    bool eventsOff = false;
};

void expectForm(ShownForm& seen, clsSubs* subs = nullptr) {
    Forms().expect([&seen, subs](QDialog* d) {
        auto* F = qobject_cast<clsFileSMIFrm1*>(d);
        ASSERT_NE(F, nullptr);
        seen.shown = true;
        seen.warnings = F->lbWarnings->text();
        seen.warningsTab = F->SSTab1->tabText(3);
        if (subs) seen.eventsOff = !subs->eventsEnabled();
        F->btOk->click();
    });
}

bool load(const TempDir& dir, const QByteArray& bytes, clsSubs& subs, clsFileSMI& f, ShownForm& seen) {
    f.setFile(dir.write(QStringLiteral("in.smi"), bytes));
    expectForm(seen, &subs);
    return f.Load(subs);
}

const QByteArray kHeader = "<SAMI>\r\n<HEAD>\r\n<TITLE>My film</TITLE>\r\n"
                           "<SAMIParam>\r\n  Metrics {time:ms;}\r\n  Spec {MSFT:1.0;}\r\n</SAMIParam>\r\n"
                           "<STYLE TYPE=\"text/css\">\r\n<!--\r\nP { color: white; }\r\n"
                           ".ENCC { Name: English; lang: en-US; }\r\n-->\r\n</STYLE>\r\n</HEAD>\r\n<BODY>\r\n";
} // namespace

TEST(SamiReader, EntriesEndAtTheNextSyncAndTheLastLastsThreeSeconds) {
    TempDir dir;
    clsSubs subs;
    clsFileSMI f;
    ShownForm seen;
    ASSERT_TRUE(load(dir,
                     kHeader + "<SYNC Start=1000><P Class=ENCC>First line\r\n  continues here\r\n"
                               "<SYNC Start=2500><P Class=ENCC>&nbsp;\r\n"
                               "<SYNC Start=3000><P Class=ENCC>Top<BR>bottom<P>third\r\n"
                               "<SYNC Start=4000><P Class=ENCC>\r\n"
                               "<SYNC Start=5000><P Class=ENCC>Last one\r\n"
                               "</BODY>\r\n</SAMI>\r\n",
                     subs, f, seen));
    ASSERT_EQ(subs.count(), 4);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("First line continues here"));
    EXPECT_EQ(subs.SubTimeIn(0), 1000);
    EXPECT_EQ(subs.SubTimeOut(0), 2500);
    EXPECT_EQ(subs.SubText(1), QStringLiteral("&nbsp;")); // an entity is an entry of its own
    EXPECT_EQ(subs.SubText(2), QStringLiteral("Top\r\nbottom\r\nthird"));
    EXPECT_EQ(subs.SubTimeOut(2), 4000); // the empty SYNC clears and adds nothing
    EXPECT_EQ(subs.SubText(3), QStringLiteral("Last one"));
    EXPECT_EQ(subs.SubTimeIn(3), 5000);
    EXPECT_EQ(subs.SubTimeOut(3), 8000);

    clsFileSMIFrm1* F = smiForm(f);
    EXPECT_EQ(F->txtSMITitle->text(), QStringLiteral("My film"));
    EXPECT_EQ(box(F->txtSMIParam), QStringLiteral("  Metrics {time:ms;}\r\n  Spec {MSFT:1.0;}"));
    EXPECT_EQ(box(F->txtSMICss), QStringLiteral("P { color: white; }\r\n.ENCC { Name: English; lang: en-US; }"));
    EXPECT_EQ(F->txtPClass->text(), QStringLiteral("ENCC"));
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(seen.eventsOff); // the form is shown before the document speaks again
    EXPECT_TRUE(subs.eventsEnabled());
    EXPECT_EQ(S(seen.warnings), S(QStringLiteral("No Warnings")));
    EXPECT_EQ(seen.warningsTab, QStringLiteral("Warnings "));
    EXPECT_FALSE(ProgressWindow().isVisible());
    EXPECT_EQ(ProgressWindow().lbIndic->text(), QStringLiteral("Parsing SAMI body..."));
}

TEST(SamiReader, InlineMarkupAndLooseSyntax) {
    TempDir dir;
    clsSubs subs;
    clsFileSMI f;
    ShownForm seen;
    ASSERT_TRUE(load(dir,
                     "\xEF\xBB\xBF<sami><head><title>T</title></head><body>\r\n"
                     "<!-- a comment before the first SYNC -->\r\n"
                     "<sync start=\"1000\"><p>Say <i>hello</i> to\r\n<b>all</b> of them</p>\r\n"
                     "<SYNC class=x Start = 2000 ><P>one<br/>two</P>\r\n"
                     "<SYNC Start='3000'><P>a < b and <unfound> stay\r\n"
                     "eof\r\n"
                     "<SYNC Start=-500><P>late\r\n"
                     "<SYNC Start=99999999999><P>far\r\n"
                     "</BODY></SAMI>",
                     subs, f, seen));
    ASSERT_EQ(subs.count(), 5);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("Say <i>hello</i> to <b>all</b> of them"));
    EXPECT_EQ(subs.SubTimeIn(0), 1000);
    EXPECT_EQ(subs.SubTimeOut(0), 2000);
    EXPECT_EQ(subs.SubText(1), QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(subs.SubTimeIn(1), 2000);
    EXPECT_EQ(subs.SubText(2), QStringLiteral("a < b and <unfound> stay eof"));
    EXPECT_EQ(subs.SubTimeIn(2), 3000);
    EXPECT_EQ(subs.SubTimeOut(2), -500);
    EXPECT_EQ(subs.SubTimeIn(4), 2147483647); // clamped to 32 bits
    EXPECT_EQ(smiForm(f)->txtSMITitle->text(), QStringLiteral("T"));
    EXPECT_EQ(box(smiForm(f)->txtSMIBody1), QString());
    EXPECT_EQ(S(seen.warnings), S(QStringLiteral("No Warnings")));
}

TEST(SamiReader, BreakAtTheEndKeepsItsLineBreakAndBodyMarkupIsKept) {
    TempDir dir;
    clsSubs subs;
    clsFileSMI f;
    ShownForm seen;
    ASSERT_TRUE(load(dir,
                     "<SAMI><HEAD></HEAD><BODY>\r\n<DIV>intro</DIV>\r\n<HR>\r\n"
                     "<SYNC Start=10><P>end<BR>\r\n<SYNC Start=20>\r\n</BODY></SAMI>\r\n",
                     subs, f, seen));
    ASSERT_EQ(subs.count(), 1);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("end\r\n"));
    EXPECT_EQ(box(smiForm(f)->txtSMIBody1), QStringLiteral("<DIV>intro</DIV>\r\n<HR>\r\n"));
}

TEST(SamiReader, MarkupBeforeTheFirstSyncLoadsInTimeProportionalToIt) {
    TempDir dir;
    QByteArray file = "<SAMI><HEAD></HEAD><BODY>\r\n";
    const int tags = 8000;
    for (int i = 0; i < tags; ++i) file += i % 40 == 39 ? "<b>\r\n" : "<b>";
    file += "<SYNC Start=10><P>x\r\n<SYNC Start=20>\r\n</BODY></SAMI>\r\n";
    clsSubs subs;
    clsFileSMI f;
    ShownForm seen;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(load(dir, file, subs, f, seen));
    // Well under a second even on a busy machine; growing with the square of the markup, this
    // took most of a minute.
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(subs.count(), 1);
    const QString body = box(smiForm(f)->txtSMIBody1);
    EXPECT_EQ(body.count(QStringLiteral("<b>\r\n")), tags);
    EXPECT_EQ(body.size(), tags * 5);
}

TEST(SamiReader, MissingClosingTagsAreWarnings) {
    TempDir dir;
    clsSubs subs;
    clsFileSMI f;
    ShownForm seen;
    // No </TITLE> (the SAMIParam after it is still read), an unknown head tag, no </HEAD>,
    // no </BODY>.
    ASSERT_TRUE(load(dir,
                     "<SAMI>\r\n<HEAD>\r\n<TITLE>Film\r\n<SAMIParam>Spec {MSFT:1.0;}</SAMIParam>\r\n"
                     "<META name=x>\r\n<BODY>\r\n<SYNC Start=0><P>Hi\r\n</SAMI>\r\n",
                     subs, f, seen));
    ASSERT_EQ(subs.count(), 1);
    EXPECT_EQ(subs.SubText(0), QStringLiteral("Hi"));
    EXPECT_EQ(subs.SubTimeOut(0), 3000);
    clsFileSMIFrm1* F = smiForm(f);
    EXPECT_EQ(F->txtSMITitle->text(), QStringLiteral("Film"));
    EXPECT_EQ(box(F->txtSMIParam), QStringLiteral("Spec {MSFT:1.0;}"));
    EXPECT_EQ(S(seen.warnings), S(QStringLiteral("- TITLE tag not properly closed\n"
                                                 "- Unknown Tag :META name=x\n"
                                                 "- Head tag not properly closed\n"
                                                 "- Body tag not properly closed\n"
                                                 " 4 warnings")));
    EXPECT_EQ(seen.warningsTab, QStringLiteral("Warnings (4) "));

    // And a file that ends after </BODY>.
    clsFileSMI g;
    ShownForm seen2;
    ASSERT_TRUE(load(dir, "<SAMI><HEAD></HEAD><BODY><SYNC Start=5><P>x</BODY>", subs, g, seen2));
    EXPECT_EQ(subs.count(), 1);
    EXPECT_EQ(S(seen2.warnings), S(QStringLiteral("- Sami tag not properly closed\n 1 warnings")));
}

TEST(SamiReader, BrokenSkeletonsAreRefused) {
    TempDir dir;
    struct Case {
        QByteArray file;
        const char* message;
        int entries;
    };
    const Case cases[] = {
        {"<HTML><HEAD></HEAD><BODY></BODY></HTML>", "invalid main signature", 0},
        {"", "invalid main signature", 0},
        {"<SAMI><BODY></BODY></SAMI>", "invalid head signature", 0},
        {"<SAMI><HEAD></HEAD><P>no body</SAMI>", "invalid body signature", 0},
        {"<SAMI><HEAD><TITLE>x</TITLE>", "premature file ending", 0},
        // The head loop compares the whole tag: a BODY with attributes does not end the head.
        {"<SAMI><HEAD><BODY class=a><SYNC Start=1><P>x</BODY></SAMI>", "premature file ending", 0},
        {"<SAMI><HEAD></HEAD><BODY><SYNC Start=1><P>kept\r\n<SYNC Start=9><P>also kept", "premature file ending", 2},
    };
    for (const Case& c : cases) {
        clsSubs subs;
        subs.AddSub(QStringLiteral("old"), 0, 1);
        clsFileSMI f;
        f.setFile(dir.write(QStringLiteral("bad.smi"), c.file));
        Boxes().expect(vb::OK, QString::fromLatin1(c.message));
        EXPECT_FALSE(f.Load(subs)) << c.file.constData();
        ASSERT_EQ(Boxes().shown.size(), 1u);
        EXPECT_EQ(Boxes().shown[0].text,
                  QStringLiteral("This is not a valid SAMI subtitle file : ") + QString::fromLatin1(c.message));
        EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Error"));
        EXPECT_EQ(Boxes().shown[0].flags, vb::Exclamation);
        EXPECT_EQ(subs.count(), c.entries);
        EXPECT_TRUE(subs.eventsEnabled());
        EXPECT_FALSE(ProgressWindow().isVisible());
        EXPECT_TRUE(Forms().shown.isEmpty());
        Boxes().reset();
    }
}

TEST(SamiReader, PrematureEndOfBodyIsToldAfterTheProgressWindowIsGone) {
    // Records whether the progress window was still on screen when the box came up.
    struct Recorder : MessageBoxes {
        QStringList texts;
        bool progressShown = false;
        int show(const QString& text, int, const QString&) override {
            texts << text;
            progressShown = progressShown || ProgressWindow().isVisible();
            return vb::OK;
        }
    } recorder;
    TempDir dir;
    clsSubs subs;
    clsFileSMI f;
    f.setFile(dir.write(QStringLiteral("cut.smi"), "<SAMI><HEAD></HEAD><BODY><SYNC Start=1><P>kept"));
    MessageBoxes* previous = InstallMessageBoxes(&recorder);
    const bool loaded = f.Load(subs);
    InstallMessageBoxes(previous);
    EXPECT_FALSE(loaded);
    ASSERT_EQ(recorder.texts.size(), 1);
    EXPECT_TRUE(recorder.texts[0].endsWith(QStringLiteral("premature file ending")));
    EXPECT_FALSE(recorder.progressShown);
    EXPECT_EQ(subs.count(), 1);
}

TEST(SamiWriter, DesignDefaults) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("Hello\r\nWorld"), -200, 1000);
    subs.AddSub(QStringLiteral("Next"), 1000, 2000);
    subs.AddSub(QStringLiteral("Overlap"), 1500, 3000);
    subs.AddSub(QStringLiteral("Later"), 4000, 5000);
    clsFileSMI f;
    f.setFile(dir.path(QStringLiteral("out.smi")));
    Forms().expect([](QDialog* d) { qobject_cast<clsFileSMIFrm1*>(d)->btOk->click(); });
    ASSERT_TRUE(f.Save(subs));
    EXPECT_EQ(Forms().shown, QStringList{QStringLiteral("clsFileSMIFrm1")});
    const QByteArray expected = "<SAMI>\r\n"
                                "  <HEAD>\r\n"
                                "    <TITLE>*Insert title here*</TITLE>\r\n"
                                "    <SAMIParam>\r\n"
                                "      Copyright {}\r\nSpec {MSFT:1.0;}\r\n\r\n"
                                "    </SAMIParam>\r\n"
                                "    <STYLE TYPE=\"text/css\"><!--\r\n"
                                "      P {\r\n"
                                "\tfont-size: 12pt; \r\n"
                                "\ttext-align: left; \r\n"
                                "\tfont-family: arial, sans-serif; \r\n"
                                "\tfont-weight: normal; \r\n"
                                "\tcolor: white; \r\n"
                                "\tbackground-color: black;\r\n"
                                "\t}\r\n"
                                ".SUBTTL {\r\n"
                                "\tName: 'Subtitles'; \r\n"
                                "\tLang: en-US; \r\n"
                                "\tSAMIType: CC;\r\n"
                                "\t}\r\n\r\n"
                                "    --></STYLE>\r\n"
                                "  </HEAD>\r\n"
                                "  <BODY>\r\n"
                                "\r\n"
                                "    <SYNC Start=-200>\r\n"
                                "      <P>Hello<BR>World\r\n"
                                "    <SYNC Start=1000>\r\n"
                                "      <P>Next\r\n"
                                "    <SYNC Start=2000>\r\n"
                                "      <P>Overlap\r\n"
                                "    <SYNC Start=3000>\r\n"
                                "    <SYNC Start=4000>\r\n"
                                "      <P>Later\r\n"
                                "    <SYNC Start=5000>\r\n"
                                "\r\n"
                                "  </BODY>\r\n"
                                "</SAMI>\r\n";
    EXPECT_EQ(dir.read(QStringLiteral("out.smi")), expected);
}

TEST(SamiWriter, ChangedFormValuesAndRoundTrip) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("One"), 1000, 2000);
    subs.AddSub(QStringLiteral("Two"), 2000, 3000);
    subs.AddSub(QStringLiteral("Three\r\nlines <i>here</i>"), 3500, 4200);
    clsFileSMI f;
    const QString path = dir.path(QStringLiteral("out.smi"));
    f.setFile(path);
    Forms().expect([](QDialog* d) {
        auto* F = qobject_cast<clsFileSMIFrm1*>(d);
        F->txtSMITitle->setText(QStringLiteral(" Title "));
        clsFileSMIFrm1::setBoxText(F->txtSMIParam, QStringLiteral("  Media {a.avi}  "));
        clsFileSMIFrm1::setBoxText(F->txtSMICss, QStringLiteral("P { color: red; }"));
        F->txtPClass->setText(QStringLiteral(" ENUSCC "));
        clsFileSMIFrm1::setBoxText(F->txtSMIBody1, QStringLiteral("<DIV>before</DIV>"));
        F->btOk->click(); // no language in the style sheet: OK adds the subtitle class rule
    });
    ASSERT_TRUE(f.Save(subs));
    const QByteArray expected = "<SAMI>\r\n"
                                "  <HEAD>\r\n"
                                "    <TITLE> Title </TITLE>\r\n"
                                "    <SAMIParam>\r\n"
                                "      Media {a.avi}\r\n"
                                "    </SAMIParam>\r\n"
                                "    <STYLE TYPE=\"text/css\"><!--\r\n"
                                "      P { color: red; }\r\n"
                                ".SUBTTL {\r\n"
                                "\tName: 'Subtitles';\r\n"
                                "\tLang: en-US;\r\n"
                                "\tSAMIType: CC;\r\n"
                                "\t}\r\n"
                                "    --></STYLE>\r\n"
                                "  </HEAD>\r\n"
                                "  <BODY>\r\n"
                                "<DIV>before</DIV>\r\n"
                                "    <SYNC Start=1000>\r\n"
                                "      <P CLASS=ENUSCC>One\r\n"
                                "    <SYNC Start=2000>\r\n"
                                "      <P CLASS=ENUSCC>Two\r\n"
                                "    <SYNC Start=3000>\r\n"
                                "    <SYNC Start=3500>\r\n"
                                "      <P CLASS=ENUSCC>Three<BR>lines <i>here</i>\r\n"
                                "    <SYNC Start=4200>\r\n"
                                "\r\n"
                                "  </BODY>\r\n"
                                "</SAMI>\r\n";
    EXPECT_EQ(dir.read(QStringLiteral("out.smi")), expected);

    clsSubs back;
    clsFileSMI g;
    g.setFile(path);
    ShownForm seen;
    expectForm(seen);
    ASSERT_TRUE(g.Load(back));
    ASSERT_EQ(back.count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.SubText(i), subs.SubText(i));
        EXPECT_EQ(back.SubTimeIn(i), subs.SubTimeIn(i));
        EXPECT_EQ(back.SubTimeOut(i), subs.SubTimeOut(i));
    }
    clsFileSMIFrm1* F = smiForm(g);
    EXPECT_EQ(F->txtSMITitle->text(), QStringLiteral(" Title ")); // as typed, blanks included
    EXPECT_EQ(F->txtPClass->text(), QStringLiteral("ENUSCC"));
    EXPECT_EQ(box(F->txtSMIBody1), QStringLiteral("<DIV>before</DIV>"));
    EXPECT_EQ(S(seen.warnings), S(QStringLiteral("No Warnings")));
}

TEST(SamiWriter, AFailedWriteIsReportedAndLeavesTheOldFile) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("x"), 0, 10);
    clsFileSMI f;
    f.setFile(dir.path(QStringLiteral("missing-folder/out.smi")));
    Forms().expect([](QDialog* d) { qobject_cast<clsFileSMIFrm1*>(d)->btOk->click(); });
    Boxes().expect(vb::OK, QStringLiteral("could not be written"));
    EXPECT_FALSE(f.Save(subs));
    EXPECT_EQ(Boxes().shown.size(), 1u);
}

TEST(SamiWriter, FfmpegReadsTheSameCues) {
    if (!FfmpegAvailable()) GTEST_SKIP() << "ffmpeg not installed";
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("First"), 1000, 2500);
    subs.AddSub(QStringLiteral("Second\r\ntwo lines"), 2500, 4000);
    subs.AddSub(QStringLiteral("Third"), 6000, 7250);
    clsFileSMI f;
    const QString path = dir.path(QStringLiteral("cues.smi"));
    f.setFile(path);
    Forms().expect([](QDialog* d) { qobject_cast<clsFileSMIFrm1*>(d)->btOk->click(); });
    ASSERT_TRUE(f.Save(subs));
    std::vector<Cue> cues;
    QString error;
    ASSERT_TRUE(FfmpegCues(path, QStringLiteral("sami"), cues, &error)) << error.toStdString();
    // ffmpeg gives the clearing SYNCs as empty cues.
    std::erase_if(cues, [](const Cue& c) { return c.text.trimmed().isEmpty(); });
    ASSERT_EQ(cues.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cues[i].start, subs.SubTimeIn(i));
        EXPECT_EQ(cues[i].end, subs.SubTimeOut(i));
        EXPECT_EQ(S(cues[i].text), S(subs.SubText(i).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
    }
}
