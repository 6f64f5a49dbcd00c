#include "formats/VisualPlayer.h"
#include "formats/clsFileTXT.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/Ffmpeg.h"
#include "tests/support/TempDir.h"

#include <QComboBox>
#include <QLineEdit>

using namespace formtest;

namespace {
QComboBox* rateBox(QDialog* f) { return child<QComboBox>(f, "txtFRate"); }

// Types a frame rate into the combo box's edit field as the user would.
void typeRate(QDialog* f, const QString& rate) {
    QLineEdit* edit = rateBox(f)->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, rate);
}

bool load(clsFileTXT& f, clsSubs& subs, const QString& path) {
    f.setFile(path);
    return f.Load(subs);
}

// Loads bytes, confirming the form with the rate it shows or with rate typed in.
struct Loaded {
    TempDir dir;
    clsFileTXT file;
    clsSubs subs;
    bool ok = false;
    QString shownRate;
    Loaded(const QByteArray& bytes, const QString& rate = QString(), const QString& nl = QString()) {
        Forms().expect([&](QDialog* f) {
            shownRate = rateBox(f)->currentText();
            if (!rate.isEmpty()) typeRate(f, rate);
            if (!nl.isNull()) setBox(f, "txtTXTNl", nl);
            clickOk(f);
        });
        ok = load(file, subs, dir.write(QStringLiteral("in.sub"), bytes));
    }
};

// Installs the Visual Editor's player and the main window's video loading for one test.
struct FakeVideo {
    VisualPlayerInfo player;
    VisualPlayerInfo chosen; // what the video loading opens; an empty name stands for Cancel
    int loads = 0;
    FakeVideo() {
        SetVisualPlayerHook([this] { return player; });
        SetVideoLoadHook([this] {
            ++loads;
            if (!chosen.fileName.isEmpty()) player = chosen;
        });
    }
    ~FakeVideo() {
        SetVisualPlayerHook({});
        SetVideoLoadHook({});
    }
};
} // namespace

TEST(MicroDVDRead, HeaderGivesTheRateAndFramesBecomeTimes) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("old"));
    clsFileTXT file;
    Forms().expect([&](QDialog* f) {
        // The rate of the file is shown for confirmation before any entry is read.
        EXPECT_EQ(f->windowTitle(), QStringLiteral("MicroDVD Properties"));
        EXPECT_EQ(subs.count(), 0);
        EXPECT_EQ(rateBox(f)->currentText(), QStringLiteral("25"));
        EXPECT_EQ(box(f, "txtTXTNl"), QStringLiteral("|"));
        clickOk(f);
    });
    ASSERT_TRUE(load(file, subs,
                     dir.write(QStringLiteral("a.sub"), "{1}{1}25.000\r\n{25}{50}Hello|World\r\n"
                                                        "{90000}{90100}An hour later\r\n{3}{2}")));
    EXPECT_EQ(entries(subs), (std::vector<std::string>{row(1000, 2000, QStringLiteral("Hello\r\nWorld")),
                                                       row(3600000, 3604000, QStringLiteral("An hour later")),
                                                       row(120, 80, QString())}));
    EXPECT_TRUE(subs.eventsEnabled());
    EXPECT_EQ(Forms().shown, QStringList{QStringLiteral("clsFileTXTFrm1")});
}

TEST(MicroDVDRead, RatesAreShownWithoutTrailingZerosAndFramesRoundHalfToEven) {
    Loaded l("{1}{1}29.970\r\n{1}{30}A\r\n");
    EXPECT_EQ(l.shownRate, QStringLiteral("29.97"));
    EXPECT_EQ(entries(l.subs), std::vector<std::string>{row(33, 1001, QStringLiteral("A"))});

    // 1/23.976 s is 41.708 ms; at 2000 fps frames 3 and 5 are 1.5 and 2.5 ms, both rounding to 2.
    Loaded m("{1}{2}x\r\n", QStringLiteral("23.976"));
    EXPECT_EQ(entries(m.subs), std::vector<std::string>{row(42, 83, QStringLiteral("x"))});
    Loaded h("{1}{1}2000\r\n{3}{5}x\r\n");
    EXPECT_EQ(entries(h.subs), std::vector<std::string>{row(2, 2, QStringLiteral("x"))});
}

TEST(MicroDVDRead, WithoutHeaderTheRateMustBeGivenBeforeReading) {
    TempDir dir;
    clsSubs subs;
    clsFileTXT file;
    Forms().expect([](QDialog* f) {
        EXPECT_EQ(rateBox(f)->currentText(), QString());
        Boxes().expect(vb::OK, QStringLiteral("Please enter a valid framerate."));
        clickOk(f);
        EXPECT_TRUE(f->isVisible());
        // Text that is no number would divide by a rate of 0.
        typeRate(f, QStringLiteral("fast"));
        Boxes().expect(vb::OK, QStringLiteral("Please enter a valid framerate."));
        clickOk(f);
        EXPECT_TRUE(f->isVisible());
        rateBox(f)->setCurrentIndex(rateBox(f)->findText(QStringLiteral("25")));
        clickOk(f);
    });
    ASSERT_TRUE(load(file, subs, dir.write(QStringLiteral("a.txt"), "{25}{50}First\r\n{50}{75}Second")));
    EXPECT_EQ(entries(subs), (std::vector<std::string>{row(1000, 2000, QStringLiteral("First")),
                                                       row(2000, 3000, QStringLiteral("Second"))}));
    ASSERT_EQ(Boxes().shown.size(), 2u);
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Lumerin"));
}

TEST(MicroDVDRead, LinesWithoutTwoBracesAreSkippedAndTheBracesAreNotChecked) {
    Loaded l("{1}{1}25\r\n"
             "\r\n"
             "just text\r\n"
             "{only one}\r\n"
             "x25}y50}Loose braces}stay in the text\r\n"
             "}}No frames\r\n"
             "{25}{50}Two||breaks\r\n"
             "{ 25 }{50.5}Blanks and halves\r\n");
    EXPECT_EQ(entries(l.subs), (std::vector<std::string>{
                                   row(1000, 2000, QStringLiteral("Loose braces}stay in the text")),
                                   row(0, 0, QStringLiteral("No frames")),
                                   row(1000, 2000, QStringLiteral("Two\r\n\r\nbreaks")),
                                   row(1000, 2000, QStringLiteral("Blanks and halves")),
                               }));
}

TEST(MicroDVDRead, TheFormsLineBreakCharacterIsUsedAsTyped) {
    Loaded slash("{1}{1}25\r\n{0}{25}a/b|c\r\n", QString(), QStringLiteral("/"));
    EXPECT_EQ(entries(slash.subs), std::vector<std::string>{row(0, 1000, QStringLiteral("a\r\nb|c"))});
    // No break character: the text is kept as it stands.
    Loaded none("{1}{1}25\r\n{0}{25}a|b\r\n", QString(), QStringLiteral(""));
    EXPECT_EQ(entries(none.subs), std::vector<std::string>{row(0, 1000, QStringLiteral("a|b"))});
}

TEST(MicroDVDRead, SettingTheFileLeavesItsLineEndsAlone) {
    TempDir dir;
    const QByteArray bytes = "{1}{1}25\n{25}{50}A\n{50}{75}B\n";
    const QString path = dir.write(QStringLiteral("lf.sub"), bytes);
    clsFileTXT file;
    file.setFile(path);
    EXPECT_EQ(dir.read(QStringLiteral("lf.sub")), bytes);
    clsSubs subs;
    expectFormOk();
    ASSERT_TRUE(file.Load(subs));
    EXPECT_EQ(subs.count(), 2);
}

TEST(MicroDVDRead, FaultsAreReportedAndWhatWasReadStays) {
    struct Case {
        QByteArray bytes;
        int kept;
        const char* message;
    };
    const Case cases[] = {
        // a frame beyond 32 bits, and a frame whose time is beyond 32 bits
        {"{1}{1}25\r\n{1}{2}a\r\n{3000000000}{3000000001}b\r\n", 1, "Fault in line 3"},
        {"{1}{1}0.001\r\n{1}{2}a\r\n{2}{3}b\r\n{3000}{3001}c\r\n", 2, "Fault in line 4"},
        {"", 0, "it is empty"},
    };
    for (const Case& c : cases) {
        Boxes().reset();
        Forms().reset();
        TempDir dir;
        clsSubs subs;
        subs.AddSub(QStringLiteral("old"));
        clsFileTXT file;
        if (!c.bytes.isEmpty()) expectFormOk();
        Boxes().expect(vb::OK, QString::fromLatin1(c.message));
        EXPECT_FALSE(load(file, subs, dir.write(QStringLiteral("bad.sub"), c.bytes))) << c.message;
        EXPECT_EQ(subs.count(), c.kept) << c.message;
        EXPECT_TRUE(subs.eventsEnabled());
        ASSERT_EQ(Boxes().shown.size(), 1u) << c.message;
        EXPECT_EQ(Boxes().shown[0].flags, vb::Exclamation);
        EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Error"));
    }
}

TEST(MicroDVDRead, ClosingTheFormWithoutARateReadsNothing) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("old"));
    clsFileTXT file;
    Forms().expect([](QDialog* f) { f->close(); });
    Boxes().expect(vb::OK, QStringLiteral("not read"));
    EXPECT_FALSE(load(file, subs, dir.write(QStringLiteral("a.sub"), "{25}{50}A\r\n")));
    EXPECT_EQ(subs.count(), 0);
    EXPECT_TRUE(subs.eventsEnabled());
}

TEST(MicroDVDWrite, HeaderAndFramesAtTheDesignRate) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("Hello\r\nWorld"), 1000, 2000);
    subs.AddSub(QString(), 0, 17);
    subs.AddSub(QStringLiteral("stray\nbreak"), 3600000, 3601234);
    clsFileTXT file;
    file.setFile(dir.path(QStringLiteral("out.txt")));
    Forms().expect([](QDialog* f) {
        EXPECT_EQ(rateBox(f)->currentText(), QStringLiteral("29.970"));
        clickOk(f);
    });
    ASSERT_TRUE(file.Save(subs));
    EXPECT_EQ(dir.read(QStringLiteral("out.txt")),
              QByteArray("{1}{1}29.97\r\n{30}{60}Hello|World\r\n{0}{1}\r\n{107892}{107929}stray|break\r\n"));
}

TEST(MicroDVDWrite, FramesRoundHalfToEvenAndTheFormsSettingsAreUsed) {
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("a\r\nb\r\nc"), 20, 60); // 0.5 and 1.5 frames at 25 fps
    subs.AddSub(QStringLiteral("d"), 100, 1000);
    clsFileTXT file;
    file.setFile(dir.path(QStringLiteral("out.txt")));
    Forms().expect([](QDialog* f) {
        typeRate(f, QStringLiteral(" 25 "));
        setBox(f, "txtTXTNl", QStringLiteral("//"));
        clickOk(f);
    });
    ASSERT_TRUE(file.Save(subs));
    EXPECT_EQ(dir.read(QStringLiteral("out.txt")), QByteArray("{1}{1}25\r\n{0}{2}a//b//c\r\n{2}{25}d\r\n"));

    // The settings stay with the block: a second save shows the form as the user left it.
    Forms().expect([](QDialog* f) {
        EXPECT_EQ(box(f, "txtTXTNl"), QStringLiteral("//"));
        clickOk(f);
    });
    ASSERT_TRUE(file.Save(subs));
}

TEST(MicroDVDWrite, ALoadsRateIsTheNextSavesRate) {
    Loaded l("{1}{1}23.976\r\n{24}{48}A|B\r\n{100}{200}C\r\n");
    ASSERT_TRUE(l.ok);
    l.file.setSavePath(l.dir.path(QStringLiteral("again.sub")));
    expectFormOk();
    ASSERT_TRUE(l.file.Save(l.subs));
    EXPECT_EQ(l.dir.read(QStringLiteral("again.sub")), QByteArray("{1}{1}23.976\r\n{24}{48}A|B\r\n{100}{200}C\r\n"));
}

TEST(MicroDVDWrite, ClosingTheFormWithoutARateWritesNothing) {
    TempDir dir;
    const QString path = dir.write(QStringLiteral("keep.txt"), "old contents");
    clsSubs subs;
    subs.AddSub(QStringLiteral("a"), 0, 1000);
    clsFileTXT file;
    file.setFile(path);
    Forms().expect([](QDialog* f) {
        typeRate(f, QString());
        f->close();
    });
    Boxes().expect(vb::OK, QStringLiteral("not written"));
    EXPECT_FALSE(file.Save(subs));
    EXPECT_EQ(dir.read(QStringLiteral("keep.txt")), QByteArray("old contents"));
}

TEST(MicroDVDForm, RateFromTheLoadedVideoIsCutToThreeDecimals) {
    FakeVideo video;
    video.player = {QStringLiteral("/films/clip.avi"), 100.1, 2499.6};
    clsFileTXTFrm1 f;
    QTest::mouseClick(f.btRate, Qt::LeftButton);
    EXPECT_EQ(f.txtFRate->currentText(), QStringLiteral("24.975")); // 24.97502..., not 24.976 rounded
    EXPECT_EQ(video.loads, 0);

    video.player = {QStringLiteral("/films/ntsc.avi"), 100.0, 2997.0};
    QTest::mouseClick(f.btRate, Qt::LeftButton);
    EXPECT_EQ(f.txtFRate->currentText(), QStringLiteral("29.97"));
}

TEST(MicroDVDForm, WithoutAVideoTheButtonAsksForOne) {
    FakeVideo video;
    clsFileTXTFrm1 f;
    // Cancelled: nothing changes.
    QTest::mouseClick(f.btRate, Qt::LeftButton);
    EXPECT_EQ(video.loads, 1);
    EXPECT_EQ(f.txtFRate->currentText(), QStringLiteral("29.970"));

    video.chosen = {QStringLiteral("/films/pal.mkv"), 4.0, 100.0};
    QTest::mouseClick(f.btRate, Qt::LeftButton);
    EXPECT_EQ(video.loads, 2);
    EXPECT_EQ(f.txtFRate->currentText(), QStringLiteral("25"));
}

TEST(MicroDVDForm, AVideoWithoutLengthLeavesTheRate) {
    FakeVideo video;
    clsFileTXTFrm1 f;
    for (VisualPlayerInfo p :
         {VisualPlayerInfo{QStringLiteral("a.avi"), 0.0, 0.0}, VisualPlayerInfo{QStringLiteral("b.avi"), 10.0, 0.2}}) {
        video.player = p;
        Boxes().expect(vb::OK, QStringLiteral("cannot be measured"));
        QTest::mouseClick(f.btRate, Qt::LeftButton);
        EXPECT_EQ(f.txtFRate->currentText(), QStringLiteral("29.970")) << p.fileName.toStdString();
    }
    EXPECT_EQ(Boxes().shown.size(), 2u);
}

TEST(MicroDVDFfmpeg, FfmpegReadsWhatWeWriteAsWeDo) {
    if (!FfmpegAvailable()) GTEST_SKIP() << "no ffmpeg";
    TempDir dir;
    clsSubs subs;
    subs.AddSub(QStringLiteral("First"), 1000, 2000);
    subs.AddSub(QStringLiteral("Two\r\nlines"), 3010, 5999);
    subs.AddSub(QStringLiteral("Third"), 3723450, 3725000);
    for (const char* rate : {"29.970", "25", "23.976"}) {
        clsFileTXT file;
        file.setFile(dir.path(QStringLiteral("x%1.sub").arg(QString::fromLatin1(rate))));
        Forms().expect([&](QDialog* f) {
            typeRate(f, QString::fromLatin1(rate));
            clickOk(f);
        });
        ASSERT_TRUE(file.Save(subs));
        clsSubs back;
        clsFileTXT reader;
        expectFormOk();
        ASSERT_TRUE(load(reader, back, file.file()));
        std::vector<Cue> cues;
        QString error;
        ASSERT_TRUE(FfmpegCues(file.file(), QStringLiteral("microdvd"), cues, &error)) << error.toStdString();
        ASSERT_EQ(cues.size(), 3u) << rate;
        for (int i = 0; i < 3; ++i) {
            EXPECT_LE(std::abs(cues[i].start - back.SubTimeIn(i)), 1) << rate << " " << i;
            EXPECT_LE(std::abs(cues[i].end - back.SubTimeOut(i)), 1) << rate << " " << i;
            EXPECT_EQ(cues[i].text, QString(back.SubText(i)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        }
    }
}

TEST(MicroDVDFfmpeg, AFileWithoutHeaderReadsAtTheRateFfmpegAssumes) {
    if (!FfmpegAvailable()) GTEST_SKIP() << "no ffmpeg";
    // ffmpeg takes a file without a rate to be at 23.976 frames a second.
    Loaded l("{24}{48}A\r\n{75}{100}B|C\r\n{86400}{86500}D\r\n", QStringLiteral("23.976"));
    ASSERT_TRUE(l.ok);
    std::vector<Cue> cues;
    QString error;
    ASSERT_TRUE(FfmpegCues(l.file.file(), QStringLiteral("microdvd"), cues, &error)) << error.toStdString();
    ASSERT_EQ(cues.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_LE(std::abs(cues[i].start - l.subs.SubTimeIn(i)), 1) << i;
        EXPECT_LE(std::abs(cues[i].end - l.subs.SubTimeOut(i)), 1) << i;
    }
}
