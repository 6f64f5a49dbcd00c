#include "formats/FontChoice.h"
#include "formats/clsFileSV2.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/Ffmpeg.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

using namespace formtest;

namespace {
const QByteArray kHead = "[INFORMATION]\r\n[TITLE]<Insert title here>\r\n[AUTHOR]<Insert author here>\r\n[SOURCE]\r\n"
                         "[PRG]Lumerin2\r\n[FILEPATH]\r\n[DELAY]0\r\n[CD TRACK]0\r\n[COMMENT]\r\n"
                         "[END INFORMATION]\r\n[SUBTITLE]\r\n";

bool load(clsFileSV2& f, clsSubs& subs, const QString& path) {
    f.setFile(path);
    return f.Load(subs);
}

QScrollBar* bar(QDialog* f, int k) {
    return child<QScrollBar>(f, QStringLiteral("CScroll_%1").arg(k).toLatin1().constData());
}

// Leaves the colour box as a Tab would.
void leaveColor(QDialog* f) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(child<QLineEdit>(f, "txtColor"), &out);
}
} // namespace

TEST(SubViewer2, ReadsTheHeaderTheStyleLineAndEntriesToTheHundredth) {
    TempDir dir;
    const QString path =
        dir.write(QStringLiteral("a.sub"), "[information]\r\n[title]My film\r\n[Author]Me\r\n[SOURCE]DVD\r\n[PRG]X\r\n"
                                           "[FILEPATH]/films\r\n[DELAY]12\r\n[CD TRACK]2\r\n[COMMENT] a comment \r\n"
                                           "[END INFORMATION]\r\n  [subtitle] \r\n"
                                           "[COLF]&H00ff80,[STYLE]it,[SIZE]24,[FONT]Times New Roman\r\n"
                                           "00:00:01.50,00:00:03.25\r\nHello[br]World\r\n\r\n"
                                           "01:02:03.04,01:02:05.00\r\nBye\r\n\r\n\r\n");
    clsSubs subs;
    Forms().expect([&](QDialog* f) {
        EXPECT_EQ(subs.count(), 2); // shown after parsing
        EXPECT_EQ(box(f, "txtSV1Title"), QStringLiteral("My film"));
        EXPECT_EQ(box(f, "txtSV1Author"), QStringLiteral("Me"));
        EXPECT_EQ(box(f, "txtSV1Source"), QStringLiteral("DVD"));
        EXPECT_EQ(box(f, "txtSV1Prg"), QStringLiteral("X"));
        EXPECT_EQ(box(f, "txtSV1Path"), QStringLiteral("/films"));
        EXPECT_EQ(box(f, "txtSV1Delay"), QStringLiteral("12"));
        EXPECT_EQ(box(f, "txtSV1Track"), QStringLiteral("2"));
        EXPECT_EQ(box(f, "txtSV2Comment"), QStringLiteral(" a comment "));
        EXPECT_EQ(bar(f, 0)->value(), 0x00);
        EXPECT_EQ(bar(f, 1)->value(), 0xFF);
        EXPECT_EQ(bar(f, 2)->value(), 0x80);
        EXPECT_EQ(box(f, "txtColor"), QStringLiteral("#00FF80"));
        EXPECT_FALSE(child<QCheckBox>(f, "cBold")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(f, "cItalic")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(f, "cUnderline")->isChecked());
        EXPECT_EQ(box(f, "txtFontSize"), QStringLiteral("24"));
        EXPECT_EQ(child<FontChoice>(f, "lstFonts")->currentText(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(child<QLabel>(f, "lbFace")->text(), QStringLiteral("Currently selected font-face: Times New Roman"));
        const QLabel* prev = child<QLabel>(f, "lbPrev");
        EXPECT_TRUE(prev->font().italic());
        EXPECT_FALSE(prev->font().bold());
        EXPECT_EQ(prev->font().pointSizeF(), 24.0);
        EXPECT_EQ(prev->palette().color(QPalette::WindowText), QColor(0x00, 0xFF, 0x80));
        clickOk(f);
    });
    clsFileSV2 file;
    ASSERT_TRUE(load(file, subs, path));
    EXPECT_EQ(entries(subs), (std::vector<std::string>{row(1500, 3250, QStringLiteral("Hello\r\nWorld")),
                                                       row(3723040, 3725000, QStringLiteral("Bye"))}));
    EXPECT_TRUE(subs.eventsEnabled());
}

TEST(SubViewer2, WritesTheDesignDefaultsAndDropsTheThirdDecimal) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("Hello\r\nWorld"), 1239, 2500);
    subs.AddSub(QString(), 3723000, 3725009);
    clsFileSV2 file;
    file.setFile(dir.path(QStringLiteral("out.sub")));
    expectFormOk();
    ASSERT_TRUE(file.Save(subs));
    const QByteArray expected = kHead + "[COLF]&HFFFFFF,[STYLE]no,[SIZE]18,[FONT]Arial\r\n"
                                        "00:00:01.23,00:00:02.50\r\nHello[br]World\r\n\r\n"
                                        "01:02:03.00,01:02:05.00\r\n\r\n\r\n\r\n";
    EXPECT_EQ(dir.read(QStringLiteral("out.sub")), expected);

    expectFormOk();
    ASSERT_TRUE(load(file, subs, file.file()));
    EXPECT_EQ(entries(subs), (std::vector<std::string>{row(1230, 2500, QStringLiteral("Hello\r\nWorld")),
                                                       row(3723000, 3725000, QString())}));
}

TEST(SubViewer2, WritesChangedFormValues) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("A"), 0, 1000);
    clsFileSV2 file;
    file.setFile(dir.path(QStringLiteral("out.sub")));
    Forms().expect([](QDialog* f) {
        setBox(f, "txtSV1Title", QStringLiteral("T"));
        setBox(f, "txtSV1Author", QStringLiteral("Au"));
        setBox(f, "txtSV1Source", QStringLiteral("S"));
        setBox(f, "txtSV1Prg", QStringLiteral("P"));
        setBox(f, "txtSV1Path", QStringLiteral("F"));
        setBox(f, "txtSV1Delay", QStringLiteral("3"));
        setBox(f, "txtSV1Track", QStringLiteral("4"));
        setBox(f, "txtSV2Comment", QStringLiteral("two\r\nlines"));
        // Only one style survives: bold before italic.
        QTest::mouseClick(child<QCheckBox>(f, "cItalic"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(f, "cBold"), Qt::LeftButton);
        auto* size = child<QLineEdit>(f, "txtFontSize");
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("20.5pt"));
        auto* fonts = child<FontChoice>(f, "lstFonts");
        QTest::keyClick(fonts, Qt::Key_Down); // from Arial to the next font
        EXPECT_EQ(child<QLabel>(f, "lbFace")->text(), QStringLiteral("Currently selected font-face: Courier New"));
        auto* color = child<QLineEdit>(f, "txtColor");
        color->selectAll();
        QTest::keyClicks(color, QStringLiteral("#12ab34"));
        leaveColor(f);
        EXPECT_EQ(bar(f, 0)->value(), 0x12);
        EXPECT_EQ(bar(f, 1)->value(), 0xAB);
        EXPECT_EQ(bar(f, 2)->value(), 0x34);
        EXPECT_EQ(color->text(), QStringLiteral("#12AB34"));
        EXPECT_TRUE(child<QLabel>(f, "lbPrev")->font().bold());
        clickOk(f);
    });
    ASSERT_TRUE(file.Save(subs));
    EXPECT_EQ(dir.read(QStringLiteral("out.sub")),
              QByteArray("[INFORMATION]\r\n[TITLE]T\r\n[AUTHOR]Au\r\n[SOURCE]S\r\n[PRG]P\r\n[FILEPATH]F\r\n[DELAY]3\r\n"
                         "[CD TRACK]4\r\n[COMMENT]twolines\r\n[END INFORMATION]\r\n[SUBTITLE]\r\n"
                         "[COLF]&H12AB34,[STYLE]bd,[SIZE]20.5,[FONT]Courier New\r\n"
                         "00:00:00.00,00:00:01.00\r\nA\r\n\r\n\r\n"));

    // A colour bar moved by the user is written too.
    Forms().expect([](QDialog* f) {
        bar(f, 2)->setValue(0x0F);
        EXPECT_EQ(box(f, "txtColor"), QStringLiteral("#12AB0F"));
        clickOk(f);
    });
    ASSERT_TRUE(file.Save(subs));
    EXPECT_TRUE(dir.read(QStringLiteral("out.sub")).contains("[COLF]&H12AB0F,[STYLE]bd,"));
}

TEST(SubViewer2, KeepsAFontThatIsNotInstalled) {
    TempDir dir;
    const QByteArray bytes = kHead + "[COLF]&H0000FF,[STYLE]ud,[SIZE]12,[FONT]Fancy, Font\r\n"
                                     "00:00:01.00,00:00:02.00\r\nA\r\n\r\n\r\n";
    const QString path = dir.write(QStringLiteral("in.sub"), bytes);
    clsSubs subs;
    Forms().expect([](QDialog* f) {
        auto* fonts = child<FontChoice>(f, "lstFonts");
        EXPECT_TRUE(FakeDesk().fonts.contains(fonts->currentText()));
        EXPECT_TRUE(child<QCheckBox>(f, "cUnderline")->isChecked());
        clickOk(f);
    });
    clsFileSV2 file;
    ASSERT_TRUE(load(file, subs, path));
    file.setFile(dir.path(QStringLiteral("out.sub")));
    expectFormOk();
    ASSERT_TRUE(file.Save(subs));
    EXPECT_EQ(dir.read(QStringLiteral("out.sub")), bytes);
}

TEST(SubViewer2, RefusesAColourTextThatIsNotHexadecimal) {
    clsFileSV2Frm1 f;
    f.show();
    const QString message = QStringLiteral("Please insert a correct color value '#RRGGBB'");
    for (const char* bad : {"#GG0000", "#12345", "123456", "#1234567", "#12 345"}) {
        SCOPED_TRACE(bad);
        Boxes().reset();
        f.txtColor->setText(QString::fromLatin1(bad));
        // Told once on leaving the box; OK right after refuses without telling again.
        Boxes().expect(vb::OK, message);
        leaveColor(&f);
        QTest::mouseClick(f.btOk, Qt::LeftButton);
        EXPECT_EQ(Boxes().shown.size(), 1u);
        EXPECT_TRUE(f.isVisible());
        // OK alone tells as well.
        Boxes().expect(vb::OK, message);
        QTest::mouseClick(f.btOk, Qt::LeftButton);
        EXPECT_EQ(Boxes().shown.size(), 2u);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.CScroll[0]->value(), 255);
    }
    f.txtColor->setText(QStringLiteral("#0a0B0c"));
    QTest::mouseClick(f.btOk, Qt::LeftButton);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.colorHex(), QStringLiteral("0A0B0C"));
    EXPECT_EQ(f.CScroll[2]->value(), 0x0C);
}

TEST(SubViewer2, EntriesEndAtABlankLineOrTheLastLine) {
    struct Case {
        const char* what;
        QByteArray body;
        std::vector<std::string> entries;
    };
    const std::vector<Case> cases = {
        {"blank line before the first entry", "\r\n00:00:01.00,00:00:02.00\r\nA\r\n\r\n", {}},
        {"time line as the file's last line",
         "00:00:01.00,00:00:02.00\r\nA\r\n\r\n00:00:03.00,00:00:04.00\r\n",
         {row(1000, 2000, QStringLiteral("A"))}},
        {"last entry without its separator",
         "00:00:01.00,00:00:02.00\r\nA\r\n\r\n00:00:03.00,00:00:04.00\r\nB",
         {row(1000, 2000, QStringLiteral("A")), row(3000, 4000, QStringLiteral("B"))}},
        {"no entries at all", "", {}},
        {"a whitespace line before a time line is a stray separator",
         "\t\r\n00:00:01.00,00:00:02.00\r\nA\r\n\r\n\xC2\xA0\r\n00:00:03.00,00:00:04.00\r\n\xC2\xA0\r\n\r\n"
         "\t\r\nnot a time\r\n",
         {row(1000, 2000, QStringLiteral("A")), row(3000, 4000, QStringLiteral("\u00A0"))}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString path =
            dir.write(QStringLiteral("a.sub"), kHead + "[COLF]&HFFFFFF,[STYLE]no,[SIZE]18,[FONT]arial\r\n" + c.body);
        clsSubs subs;
        subs.AddSub(QStringLiteral("old"));
        expectFormOk();
        clsFileSV2 file;
        EXPECT_TRUE(load(file, subs, path));
        EXPECT_EQ(entries(subs), c.entries);
        EXPECT_TRUE(Boxes().shown.empty());
    }
}

TEST(SubViewer2, BrokenFilesAreReportedAndSwitchEventsOn) {
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const QByteArray style = "[COLF]&HFFFFFF,[STYLE]no,[SIZE]18,[FONT]arial\r\n";
    const std::vector<Case> cases = {
        {"empty file", ""},
        {"no information tag", "[TITLE]x\r\n"},
        {"missing comment tag", "[INFORMATION]\r\n[TITLE]\r\n[AUTHOR]\r\n[SOURCE]\r\n[PRG]\r\n[FILEPATH]\r\n[DELAY]\r\n"
                                "[CD TRACK]\r\n[END INFORMATION]\r\n[SUBTITLE]\r\n" +
                                    style},
        {"tag behind blanks", "[INFORMATION]\r\n [TITLE]\r\n"},
        {"end within the header", "[INFORMATION]\r\n[TITLE]T\r\n[AUTHOR]\r\n"},
        {"no subtitle tag", kHead.left(kHead.indexOf("[SUBTITLE]")) + "[SUBTITLES]\r\n" + style},
        {"no style line", kHead},
        {"colour that is not hexadecimal", kHead + "[COLF]&HGG0000,[STYLE]no,[SIZE]18,[FONT]arial\r\n"},
        {"style line without a font", kHead + "[COLF]&HFFFFFF,[STYLE]no,[SIZE]18\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString path = dir.write(QStringLiteral("bad.sub"), c.bytes);
        clsSubs subs;
        subs.AddSub(QStringLiteral("old"));
        Boxes().reset();
        Boxes().expect(vb::OK, QStringLiteral("This is not a valid SubViewer 2.0 subtitle file."));
        clsFileSV2 file;
        EXPECT_FALSE(load(file, subs, path));
        ASSERT_EQ(Boxes().shown.size(), 1u);
        EXPECT_EQ(Boxes().shown[0].flags, vb::Exclamation);
        EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Error"));
        EXPECT_EQ(subs.count(), 0);
        EXPECT_TRUE(subs.eventsEnabled());
    }
    EXPECT_TRUE(Forms().shown.isEmpty());
}

TEST(SubViewer2, FfmpegReadsTheSameCues) {
    if (!FfmpegAvailable()) GTEST_SKIP() << "no ffmpeg";
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("First"), 1000, 2000);
    subs.AddSub(QStringLiteral("Two\r\nlines"), 3010, 5999);
    subs.AddSub(QStringLiteral("Third"), 3723450, 3725000);
    clsFileSV2 file;
    file.setFile(dir.path(QStringLiteral("x.sub")));
    expectFormOk();
    ASSERT_TRUE(file.Save(subs));
    std::vector<Cue> cues;
    QString error;
    ASSERT_TRUE(FfmpegCues(file.file(), QStringLiteral("subviewer"), cues, &error)) << error.toStdString();
    ASSERT_EQ(cues.size(), 3u);
    const qint64 times[3][2] = {{1000, 2000}, {3010, 5990}, {3723450, 3725000}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cues[i].start, times[i][0]) << i;
        EXPECT_EQ(cues[i].end, times[i][1]) << i;
        EXPECT_EQ(cues[i].text, QString(subs.SubText(i)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))) << i;
    }
}
