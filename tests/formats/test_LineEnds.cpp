// Lines under every reader: a file whose lines end in CR CR LF or in a lone CR, or whose lines
// start with a byte-order mark, reads as its plain CR LF twin does, and a save of it writes what
// a save of the twin writes.
#include "formats/FormatChoice.h"
#include "formats/intFile.h"
#include "model/clsSubs.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using formtest::entries;
using formtest::expectFormOk;

namespace {
struct Sample {
    FileType type;
    const char* ext;
    QByteArray crlf;
};

const Sample kSamples[] = {
    {FileType::SRT, "srt",
     "1\r\n00:00:01,500 --> 00:00:03,200\r\nHello there.\r\n\r\n"
     "2\r\n00:00:04,000 --> 00:00:06,750\r\nTwo lines,\r\nthe second\r\n\r\n"
     "3\r\n00:01:02,003 --> 00:01:04,000\r\nLast\r\n"},
    {FileType::TXT, "sub", "{1}{1}25\r\n{25}{50}First line|second line\r\n{75}{100}Italic text\r\n{125}{150}Third\r\n"},
    {FileType::SMI, "smi",
     "<SAMI>\r\n<HEAD>\r\n<TITLE>My film</TITLE>\r\n<SAMIParam>\r\n  Metrics {time:ms;}\r\n  Spec {MSFT:1.0;}\r\n"
     "</SAMIParam>\r\n<STYLE TYPE=\"text/css\"><!--\r\n  P { font-family: Arial; color: white; }\r\n"
     "  .ENCC { Name: English; lang: en-US; SAMIType: CC; }\r\n--></STYLE>\r\n</HEAD>\r\n<BODY>\r\n"
     "<SYNC Start=1000><P Class=ENCC>Hello<BR>there\r\n<SYNC Start=2500><P Class=ENCC>&nbsp;\r\n"
     "<SYNC Start=3000><P Class=ENCC>Second\r\nentry\r\n<SYNC Start=4000><P Class=ENCC>&nbsp;\r\n"
     "</BODY>\r\n</SAMI>\r\n"},
    {FileType::SV1, "sub",
     "[TITLE]\r\nFilm\r\n[AUTHOR]\r\nSomeone\r\n[SOURCE]\r\nDVD\r\n[PRG]\r\nLumerin\r\n[FILEPATH]\r\n/films\r\n"
     "[DELAY]\r\n0\r\n[CD TRACK]\r\n1\r\n[BEGIN]\r\n******** START SCRIPT ********\r\n"
     "[00:00:01]\r\nFirst|second line\r\n[00:00:03]\r\n\r\n[00:00:05]\r\nThird\r\n[00:00:07]\r\n\r\n"
     "[end]\r\n******** END SCRIPT ********\r\n"},
    {FileType::SV2, "sub",
     "[INFORMATION]\r\n[TITLE]Film\r\n[AUTHOR]Someone\r\n[SOURCE]DVD\r\n[PRG]Lumerin\r\n[FILEPATH]/films\r\n"
     "[DELAY]0\r\n[CD TRACK]1\r\n[COMMENT]A comment\r\n[END INFORMATION]\r\n[SUBTITLE]\r\n"
     "[COLF]&H00FF80,[STYLE]bd,[SIZE]24,[FONT]Times New Roman\r\n"
     "00:00:01.50,00:00:03.20\r\nFirst[br]second line\r\n\r\n00:00:05.00,00:00:07.75\r\nThird\r\n\r\n"},
    {FileType::SSA, "ssa",
     "[Script Info]\r\n; A comment\r\nTitle: Film\r\nScriptType: v4.00+\r\nPlayResX: 384\r\nPlayResY: 288\r\n\r\n"
     "[V4+ Styles]\r\nFormat: Name, Fontname, Fontsize, PrimaryColour, Bold, Italic, Alignment, MarginL, "
     "MarginR, MarginV, Encoding\r\nStyle: Default,Arial,20,&H00FFFFFF,-1,0,2,10,10,10,1\r\n\r\n"
     "[Events]\r\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
     "Dialogue: 0,0:00:01.50,0:00:03.20,Default,,0000,0000,0000,,Hello, there\\Nsecond line\r\n"
     "Dialogue: 0,1:02:03.04,1:02:05.00,Default,,0,0,0,,Second\r\n"},
    {FileType::RAW, "txt", "00:00:01.500\t00:00:03.200\tHello there\r\n00:00:04.000\t00:00:06.000\tSecond\r\n"},
};

struct Read {
    std::vector<std::string> entries;
    QByteArray saved;
};

// Loads the file as its format's handler does, then saves the document under another name.
Read loadAndSave(const TempDir& dir, const Sample& s, const QByteArray& bytes) {
    const QString in = QStringLiteral("in.") + QLatin1String(s.ext),
                  out = QStringLiteral("out.") + QLatin1String(s.ext);
    const std::unique_ptr<intFile> f = NewFileHandler(s.type);
    f->setFile(dir.write(in, bytes));
    if (s.type != FileType::SRT) expectFormOk();
    clsSubs subs;
    EXPECT_TRUE(f->Load(subs));
    // The line-end repair leaves these files as they are.
    EXPECT_EQ(dir.read(in), bytes);
    f->setSavePath(dir.path(out));
    if (s.type != FileType::SRT) expectFormOk();
    EXPECT_TRUE(f->Save(subs));
    return {entries(subs), dir.read(out)};
}
} // namespace

TEST(LineEnds, CrCrLfAndLoneCrReadAsCrLfInEveryFormat) {
    TempDir dir;
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(NewFileHandler(s.type)->SettingSig().toStdString());
        const Read twin = loadAndSave(dir, s, s.crlf);
        ASSERT_GE(twin.entries.size(), 2u);
        for (const char* end : {"\r\r\n", "\r"}) {
            SCOPED_TRACE(end[1] == '\r' ? "CR CR LF" : "CR");
            QByteArray bytes = s.crlf;
            bytes.replace("\r\n", end);
            const Read r = loadAndSave(dir, s, bytes);
            EXPECT_EQ(r.entries, twin.entries);
            EXPECT_EQ(r.saved, twin.saved);
        }
    }
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(LineEnds, AByteOrderMarkStartingALineIsDropped) {
    TempDir dir;
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(NewFileHandler(s.type)->SettingSig().toStdString());
        const Read twin = loadAndSave(dir, s, s.crlf);
        // Files joined into one: each line after the first starts with the mark of its own file.
        QByteArray joined = s.crlf;
        joined.chop(2);
        joined.replace("\r\n", "\r\n\xEF\xBB\xBF");
        joined += "\r\n";
        const Read r = loadAndSave(dir, s, joined);
        EXPECT_EQ(r.entries, twin.entries);
        EXPECT_EQ(r.saved, twin.saved);
    }
    EXPECT_TRUE(Boxes().shown.empty());
}
