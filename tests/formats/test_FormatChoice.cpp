#include "formats/FormatChoice.h"
#include "model/Common.h"
#include "model/RuntimeError.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {
const QString S(const char* s) { return QString::fromUtf8(s); }

std::optional<FileType> detect(TempDir& dir, const char* name, const QByteArray& bytes) {
    return DetectFileType(dir.write(S(name), bytes));
}
} // namespace

TEST(FormatChoice, GetExtTakesTheTextAfterTheLastDot) {
    EXPECT_EQ(GetExt(S("/s/movie.en.srt")), S("srt"));
    EXPECT_EQ(GetExt(S("/s.d/movie")), S("d/movie"));
    EXPECT_THROW(GetExt(S("/s/movie")), RuntimeError);
    EXPECT_THROW(GetExt(S("/s/movie.")), RuntimeError);
}

TEST(FormatChoice, OpeningByExtensionNeedsNoFile) {
    EXPECT_EQ(DetectFileType(S("/none/a.srt")), FileType::SRT);
    EXPECT_EQ(DetectFileType(S("/none/a.ssa")), FileType::SSA);
    EXPECT_EQ(DetectFileType(S("/none/a.smi")), FileType::SMI);
    EXPECT_EQ(DetectFileType(S("/none/a.sami")), FileType::SMI);
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(FormatChoice, ExtensionsInAnyCaseAndUnlistedOnesByTheirFirstLine) {
    TempDir dir;
    const struct {
        const char* name;
        const char* bytes;
        FileType type;
    } files[] = {
        // Names written in capitals choose the same format as in lower case.
        {"MOVIE.SRT", "x", FileType::SRT},
        {"Movie.Ssa", "x", FileType::SSA},
        {"MOVIE.SMI", "x", FileType::SMI},
        {"movie.Sami", "x", FileType::SMI},
        {"Movie.Sub", "[INFORMATION]\r\n", FileType::SV2},
        {"MOVIE.SUB", "{1}{25}Hello\r\n", FileType::TXT},
        {"MOVIE.TXT", "{1}{25}Hello\r\n", FileType::TXT},
        // Other extensions: by the first line that is not blank.
        {"a.ass", "[Script Info]\r\nScriptType: v4.00+\r\n", FileType::SSA},
        {"b.ASS", "\r\n  \r\n\t[script info]\n", FileType::SSA},
        {"c.htm", "\xEF\xBB\xBF<SAMI>\r\n<BODY>\r\n", FileType::SMI},
        {"d.xyz", "\n<sami>\n", FileType::SMI},
        {"e.ass", "1\r\n00:00:01,000 --> 00:00:02,000\r\n[Script Info]\r\n", FileType::SRT},
        // Nothing to tell by: SubRip, whose reader tells what is wrong.
        {"f.ass", "", FileType::SRT},
    };
    for (const auto& f : files) EXPECT_EQ(detect(dir, f.name, f.bytes), f.type) << f.name;
    EXPECT_EQ(DetectFileType(dir.path(S("missing.ass"))), FileType::SRT);
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(FormatChoice, SubAndTxtByTheirFirstLine) {
    TempDir dir;
    EXPECT_EQ(detect(dir, "a.sub", "[INFORMATION]\r\n[TITLE]x\r\n"), FileType::SV2);
    EXPECT_EQ(detect(dir, "b.sub", "[TITLE]\r\nx\r\n"), FileType::SV1);
    EXPECT_EQ(detect(dir, "c.sub", "{1}{25}Hello\r\n"), FileType::TXT);
    EXPECT_EQ(detect(dir, "d.txt", "{1}{25}Hello"), FileType::TXT);
    EXPECT_EQ(detect(dir, "e.txt", "00:00:01 Hello\r\n{x}\r\n"), FileType::RAW);
    // The first line ends at the first LF too, not only at a CR.
    EXPECT_EQ(detect(dir, "f.sub", "[TITLE]\n{1}{25}Hello\n"), FileType::SV1);
    EXPECT_EQ(detect(dir, "g.txt", "plain\n{1}{25}Hello\n"), FileType::RAW);
    EXPECT_EQ(detect(dir, "h.txt", "\r\n{1}{2}x"), FileType::RAW);
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(FormatChoice, UndecidedFilesAreTold) {
    TempDir dir;
    Boxes().expect(vb::OK, S("ERROR : Unknown FileType"));
    EXPECT_EQ(detect(dir, "a.sub", "1\r\n00:00:01,000 --> 00:00:02,000\r\n"), std::nullopt);
    Boxes().expect(vb::OK, S("Invalid File..."));
    EXPECT_EQ(detect(dir, "empty.sub", ""), std::nullopt);
    Boxes().expect(vb::OK, S("Invalid File..."));
    EXPECT_EQ(detect(dir, "empty.txt", ""), std::nullopt);
    Boxes().expect(vb::OK, S("Invalid File..."));
    EXPECT_EQ(DetectFileType(dir.path(S("missing.txt"))), std::nullopt);
    Boxes().expect(vb::OK, S("Invalid File..."));
    EXPECT_EQ(DetectFileType(dir.path(S("noextension"))), std::nullopt);
    ASSERT_EQ(Boxes().shown.size(), 5u);
    for (const ShownBox& b : Boxes().shown) {
        EXPECT_EQ(b.flags, vb::OKOnly);
        EXPECT_EQ(b.title, S("Lumerin"));
    }
}

TEST(FormatChoice, SavingByExtensionAndByFilter) {
    EXPECT_EQ(FileTypeByExt(S("a.srt")), FileType::SRT);
    EXPECT_EQ(FileTypeByExt(S("a.ssa")), FileType::SSA);
    EXPECT_EQ(FileTypeByExt(S("a.smi")), FileType::SMI);
    EXPECT_EQ(FileTypeByExt(S("a.sami")), FileType::SMI);
    EXPECT_EQ(FileTypeByExt(S("a.sub")), FileType::SV2);
    EXPECT_EQ(FileTypeByExt(S("a.txt")), FileType::TXT);
    EXPECT_EQ(FileTypeByExt(S("a")), FileType::SRT);
    EXPECT_EQ(FileTypeByExt(S("a.xyz")), FileType::SRT);
    const FileType byIndex[] = {FileType::SRT, FileType::SMI, FileType::SV1, FileType::SV2,
                                FileType::TXT, FileType::SSA, FileType::RAW};
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(FileTypeByIndex(i, S("a.sub")), byIndex[i - 1]) << i;
    // "All supported formats" and anything unknown go by the extension.
    EXPECT_EQ(FileTypeByIndex(0, S("a.txt")), FileType::TXT);
    EXPECT_EQ(FileTypeByIndex(0, S("a.sub")), FileType::SV2);
    EXPECT_EQ(FileTypeByIndex(8, S("a.smi")), FileType::SMI);
    EXPECT_EQ(FileTypeByIndex(-1, S("a.srt")), FileType::SRT);
}

TEST(FormatChoice, SavingByExtensionInAnyCase) {
    for (const auto& [name, type] : {std::pair{"A.SRT", FileType::SRT},
                                     {"a.SSA", FileType::SSA},
                                     {"a.ass", FileType::SSA},
                                     {"a.Ass", FileType::SSA},
                                     {"MOVIE.SMI", FileType::SMI},
                                     {"a.Sami", FileType::SMI},
                                     {"a.SUB", FileType::SV2},
                                     {"a.TXT", FileType::TXT}})
        EXPECT_EQ(FileTypeByExt(S(name)), type) << name;
    EXPECT_EQ(FileTypeByIndex(0, S("x.SSA")), FileType::SSA);
    EXPECT_EQ(FileTypeByIndex(0, S("x.ass")), FileType::SSA);
    // A name ending in .ass keeps it where the chosen filter writes SubStation Alpha.
    Dialogs().expectSave(S("/s/x.ass"), 1);
    Dialogs().expectSave(S("/s/x.ASS"), 7);
    Dialogs().expectSave(S("/s/x.ass"), 2);
    Dialogs().expectSave(S("/s/x.SSA"), 1);
    int index = 0;
    EXPECT_EQ(GetSaveFile(nullptr, SubFileFilter(), S("Save"), S("/s/"), index), S("/s/x.ass"));
    EXPECT_EQ(FileTypeByIndex(index, S("/s/x.ass")), FileType::SSA);
    EXPECT_EQ(GetSaveFile(nullptr, SubFileFilter(), S("Save"), S("/s/"), index), S("/s/x.ASS"));
    EXPECT_EQ(index, 6);
    EXPECT_EQ(GetSaveFile(nullptr, SubFileFilter(), S("Save"), S("/s/"), index), S("/s/x.ass.srt"));
    EXPECT_EQ(GetSaveFile(nullptr, SubFileFilter(), S("Save"), S("/s/"), index), S("/s/x.SSA"));
    EXPECT_EQ(FileTypeByIndex(index, S("/s/x.SSA")), FileType::SSA);
}

TEST(FormatChoice, HandlersOfTheChosenFormat) {
    std::unique_ptr<intFile> srt = DetectFileHandler(S("/none/a.srt"));
    ASSERT_TRUE(srt);
    EXPECT_EQ(srt->SettingSig(), S("SRT"));
    EXPECT_EQ(srt->getSettingBlock()->getSettingName(), S("SRT"));
    ASSERT_TRUE(FileHandlerByIndex(1, S("a.txt")));
    ASSERT_TRUE(FileHandlerByExt(S("a.srt")));
}

TEST(FormatChoice, SaveDialogAddsTheFiltersExtension) {
    Dialogs().expectSave(S("/s/movie"), 2);
    Dialogs().expectSave(S("/s/movie.srt"), 6);
    Dialogs().expectSave(S("/s/movie.txt"), 1);
    int index = -9;
    EXPECT_EQ(GetSaveFile(nullptr, SubFileFilter(), S("Save"), S("/s/"), index), S("/s/movie.srt"));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(FileTypeByIndex(index, S("/s/movie.srt")), FileType::SRT);
    EXPECT_EQ(GetSaveFile(nullptr, SubFileFilter(), S("Save"), S("/s/"), index), S("/s/movie.srt.sub"));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(GetSaveFile(nullptr, SubFileFilter(), S("Save"), S("/s/"), index), S("/s/movie.txt"));
    EXPECT_EQ(index, 0);
    Dialogs().expectCancel(S("save"));
    EXPECT_EQ(GetSaveFile(nullptr, SubFileFilter(), S("Save"), S("/s/"), index), S("cancel"));
    EXPECT_EQ(index, 0);
}

TEST(FormatChoice, EveryFilterGivesItsFormatsHandler) {
    const struct {
        int index;
        FileType type;
        const char* sig;
    } formats[] = {{1, FileType::SRT, "SRT"},           {2, FileType::SMI, "SAMI"},
                   {3, FileType::SV1, "SubViewer 1.0"}, {4, FileType::SV2, "SubViewer 2.0"},
                   {5, FileType::TXT, "MicroDVD"},      {6, FileType::SSA, "SSA v4.00(+)"},
                   {7, FileType::RAW, "Raw text"}};
    for (const auto& f : formats) {
        std::unique_ptr<intFile> h = FileHandlerByIndex(f.index, S("/s/a.srt"));
        ASSERT_TRUE(h) << f.sig;
        EXPECT_EQ(h->SettingSig(), S(f.sig));
        EXPECT_EQ(NewFileHandler(f.type)->SettingSig(), S(f.sig));
    }
}
