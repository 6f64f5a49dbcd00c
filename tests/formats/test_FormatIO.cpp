#include "formats/FormatIO.h"
#include "formats/clsFileRAW.h"
#include "formats/clsFileSRT.h"
#include "formats/clsFileSV1.h"
#include "formats/clsFileSV2.h"
#include "formats/clsFileTXT.h"
#include "formats/frmProg.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/TempDir.h"

#include <functional>
#include <memory>

using namespace formtest;

TEST(FormatIO, LineBreaksBecomeOneSeparator) {
    EXPECT_EQ(JoinBreaks(QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("|")), QStringLiteral("a|b|c|d"));
    EXPECT_EQ(SingleLine(QStringLiteral("a\r\n\r\nb")), QStringLiteral("ab"));
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 1), 0x0A);
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 3), 0xFF);
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 4), -1);
    EXPECT_EQ(HexPair(QStringLiteral("+F"), 0), -1);
}

TEST(FormatIO, EveryReaderTellsAFullListAndKeepsItsFirstEntries) {
    struct Case {
        const char* format;
        std::function<std::unique_ptr<intFile>()> make;
        bool formBeforeReading;
        QByteArray head;
        std::function<QByteArray(const QByteArray& text)> entry;
        QByteArray tail;
        qint32 in, out;
    };
    const std::vector<Case> cases = {
        {"SRT", [] { return std::make_unique<clsFileSRT>(); }, false, "",
         [](const QByteArray& t) { return "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + t + "\r\n\r\n"; }, "", 1000, 2000},
        {"MicroDVD", [] { return std::make_unique<clsFileTXT>(); }, true, "{1}{1}25\r\n",
         [](const QByteArray& t) { return "{10}{20}" + t + "\r\n"; }, "", 400, 800},
        {"SubViewer 1.0", [] { return std::make_unique<clsFileSV1>(); }, false,
         "[TITLE]\r\nT\r\n[AUTHOR]\r\nA\r\n[SOURCE]\r\n\r\n[PRG]\r\nP\r\n[FILEPATH]\r\n\r\n[DELAY]\r\n0\r\n"
         "[CD TRACK]\r\n0\r\n[BEGIN]\r\n******** START SCRIPT ********\r\n",
         [](const QByteArray& t) { return "[00:00:01]\r\n" + t + "\r\n[00:00:02]\r\n\r\n"; },
         "[end]\r\n******** END SCRIPT ********\r\n", 1000, 2000},
        {"SubViewer 2.0", [] { return std::make_unique<clsFileSV2>(); }, false,
         "[INFORMATION]\r\n[TITLE]\r\n[AUTHOR]\r\n[SOURCE]\r\n[PRG]\r\n[FILEPATH]\r\n[DELAY]0\r\n[CD TRACK]0\r\n"
         "[COMMENT]\r\n[END INFORMATION]\r\n[SUBTITLE]\r\n[COLF]&HFFFFFF,[STYLE]no,[SIZE]18,[FONT]arial\r\n",
         [](const QByteArray& t) { return "00:00:01.00,00:00:02.00\r\n" + t + "\r\n\r\n"; }, "", 1000, 2000},
        {"raw text", [] { return std::make_unique<clsFileRAW>(); }, true, "",
         [](const QByteArray& t) { return "00:00:01.000\t00:00:02.000\t" + t + "\r\n"; }, "", 1000, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        QByteArray bytes = c.head;
        for (int i = 0; i <= clsSubs::Capacity; ++i) bytes += c.entry("e" + QByteArray::number(i));
        bytes += c.tail;
        TempDir dir;
        std::unique_ptr<intFile> file = c.make();
        file->setFile(dir.write(QStringLiteral("long.sub"), bytes));
        Boxes().reset();
        Forms().reset();
        if (c.formBeforeReading) expectFormOk();
        Boxes().expect(vb::OK);
        clsSubs subs;
        // Read in part: not a whole file, yet the entries stay for the caller to show.
        EXPECT_FALSE(file->Load(subs));
        ASSERT_EQ(Boxes().shown.size(), 1u);
        EXPECT_EQ(Boxes().shown[0].text, QStringLiteral("The list is full: it holds at most 10001 subtitles, and this "
                                                        "%1 file has more. The first 10001 were read.")
                                             .arg(QString::fromLatin1(c.format)));
        EXPECT_EQ(Boxes().shown[0].flags, vb::Exclamation);
        EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Error"));
        ASSERT_EQ(subs.count(), clsSubs::Capacity);
        for (int i = 0; i < subs.count(); ++i)
            ASSERT_EQ(row(subs.SubTimeIn(i), subs.SubTimeOut(i), subs.SubText(i)),
                      row(c.in, c.out, QStringLiteral("e%1").arg(i)));
        EXPECT_TRUE(subs.eventsEnabled());
        EXPECT_FALSE(ProgressWindow().isVisible());
    }
}
