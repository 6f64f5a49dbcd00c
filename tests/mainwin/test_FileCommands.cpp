#include "controls/SubListing.h"
#include "formats/FormatChoice.h"
#include "formats/clsFileSRTFrm1.h"
#include "formats/intFile.h"
#include "mainwin/frmMain.h"
#include "model/CFileFnc.h"
#include "model/Common.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Unloadable.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {
const QString S(const char* s) { return QString::fromUtf8(s); }

const QByteArray kTwo = "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n"
                        "2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\nlines\r\n\r\n";

QAction* action(frmMain& w, const char* name) {
    auto* a = w.findChild<QAction*>(S(name));
    EXPECT_TRUE(a) << name;
    return a;
}

// Chooses a menu entry or toolbar button as the user does; a disabled one does nothing.
void trigger(frmMain& w, const char* name) {
    if (QAction* a = action(w, name)) a->trigger();
}

void openThroughMenu(frmMain& w, const QString& path) {
    Dialogs().expectOpen(path);
    trigger(w, "mnuOpen");
}

QString decimalCharOf(const std::shared_ptr<intSettings>& block) {
    return static_cast<clsFileSRTFrm1*>(block->getForm())->txtDecChar->text();
}

struct ToolWindow : QWidget, Unloadable {
    int unloads = 0;
    void Unload() override { ++unloads; }
};
} // namespace

TEST(CommandLineOpen, OpensTheNamedFileAndRepairsItsLineEnds) {
    TempDir dir;
    const QString path = dir.write(S("movie.srt"), "1\n00:00:01,000 --> 00:00:02,000\nHi\n");
    FakeDesk().command = path;
    frmMain w;
    EXPECT_EQ(w.windowTitle(), S("movie.srt - Lumerin"));
    EXPECT_EQ(w.sFile, path);
    EXPECT_EQ(w.GetFile(), path);
    ASSERT_EQ(w.cSubs->count(), 1);
    EXPECT_EQ(w.cSubs->SubText(0), S("Hi"));
    EXPECT_FALSE(w.bChanged);
    EXPECT_EQ(w.cSel->value(), -2);
    ASSERT_TRUE(w.cFile);
    EXPECT_EQ(w.cSettings, w.cFile->getSettingBlock());
    EXPECT_EQ(dir.read(S("movie.srt")), QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\nHi\r\n\r\n"));
    EXPECT_EQ(w.SubFolder(), ProgramFolder()); // this road leaves the default folder
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(CommandLineOpen, QuotedPathAndReadOnlyFile) {
    TempDir dir;
    const QByteArray lf = "1\n00:00:01,000 --> 00:00:02,000\nHi\n\n";
    const QString path = dir.write(S("my movie.srt"), lf);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    FakeDesk().command = u'"' + path + u'"';
    frmMain w;
    EXPECT_EQ(w.windowTitle(), S("my movie.srt - Lumerin"));
    EXPECT_EQ(w.cSubs->count(), 1);
    EXPECT_EQ(dir.read(S("my movie.srt")), lf); // read-only: loaded as it is
}

TEST(CommandLineOpen, MissingOrUndecidableFileStartsUntitled) {
    TempDir dir;
    FakeDesk().command = dir.path(S("gone.srt"));
    Boxes().expect(vb::OK, S("File does not exist"));
    {
        frmMain w;
        EXPECT_EQ(w.windowTitle(), S("Untitled - Lumerin"));
        EXPECT_TRUE(w.sFile.isEmpty());
        EXPECT_FALSE(w.cFile);
    }
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, S("Error"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);

    FakeDesk().command = dir.write(S("odd.sub"), "nothing known\r\n");
    Boxes().expect(vb::OK, S("ERROR : Unknown FileType"));
    frmMain w;
    EXPECT_EQ(w.windowTitle(), S("Untitled - Lumerin"));
    EXPECT_FALSE(w.cFile);
    EXPECT_FALSE(w.cSettings);
}

TEST(FileMenu, NothingToSaveInAnEmptyDocument) {
    frmMain w;
    EXPECT_EQ(w.mnuFile->title(), S("&File"));
    EXPECT_EQ(w.Toolbar1Button(3)->toolTip(), S("Save subtitle file"));
    EXPECT_FALSE(w.mnuSave->isEnabled());
    EXPECT_FALSE(w.mnuSaveAs->isEnabled());
    EXPECT_FALSE(w.Toolbar1Button(3)->isEnabled());
}

TEST(FileOpen, LoadsTheChosenFile) {
    TempDir dir, other;
    const QString path = other.write(S("a.srt"), kTwo);
    frmMain w;
    w.setSubFolder(dir.folder());
    openThroughMenu(w, path);
    ASSERT_EQ(Dialogs().shown.size(), 1u);
    EXPECT_EQ(Dialogs().shown[0].title, S("Open subtitle file"));
    EXPECT_EQ(Dialogs().shown[0].folder, dir.folder());
    EXPECT_EQ(Dialogs().shown[0].filterList, SubFileFilter());
    EXPECT_EQ(w.windowTitle(), S("a.srt - Lumerin"));
    EXPECT_EQ(w.sFile, path);
    EXPECT_EQ(w.cSubs->count(), 2);
    EXPECT_EQ(w.cSubs->SubText(1), S("Two\r\nlines"));
    EXPECT_FALSE(w.bChanged);
    EXPECT_FALSE(w.mnuSave->isEnabled());
    EXPECT_TRUE(w.mnuSaveAs->isEnabled());
    EXPECT_EQ(w.SubFolder(), other.folder()); // the last folder used is remembered

    w.setLastUsed(false);
    w.setSubFolder(dir.folder());
    Dialogs().expectOpen(dir.write(S("b.srt"), kTwo));
    trigger(w, "Toolbar1_2");
    EXPECT_EQ(w.windowTitle(), S("b.srt - Lumerin"));
    EXPECT_EQ(w.SubFolder(), dir.folder());
}

TEST(FileDialogsStart, MissingDefaultFolderFallsBackToTheProgramFolder) {
    TempDir dir;
    frmMain w;
    w.setSubFolder(dir.path(S("gone/")));
    w.setMovieFolder(QString());
    Dialogs().expectCancel(S("open"));
    trigger(w, "mnuOpen");
    ASSERT_EQ(Dialogs().shown.size(), 1u);
    EXPECT_EQ(Dialogs().shown[0].folder, ProgramFolder());
    EXPECT_EQ(w.SubFolder(), ProgramFolder());
    EXPECT_EQ(w.MovieFolder(), ProgramFolder());
    EXPECT_EQ(w.windowTitle(), S("Untitled - Lumerin"));

    w.cSubs->AddSub(S("x"), 0, 1);
    w.setSubFolder(dir.path(S("gone")));
    Dialogs().expectCancel(S("save"));
    trigger(w, "mnuSaveAs");
    EXPECT_EQ(Dialogs().shown.back().folder, ProgramFolder());
    EXPECT_EQ(w.SubFolder(), ProgramFolder());
    EXPECT_TRUE(w.bChanged);
}

TEST(FileOpen, UnsavedChangesQuestion) {
    TempDir dir;
    frmMain w;
    w.cSubs->AddSub(S("typed"), 0, 1000);
    EXPECT_TRUE(w.bChanged);
    Boxes().expect(vb::Cancel, S("Changes will be lost.  Are you sure?"));
    trigger(w, "mnuOpen");
    EXPECT_TRUE(Dialogs().shown.empty());
    EXPECT_EQ(w.cSubs->count(), 1);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, S("Sure?"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKCancel);

    Boxes().expect(vb::OK);
    openThroughMenu(w, dir.write(S("a.srt"), kTwo));
    EXPECT_EQ(w.cSubs->count(), 2);
    EXPECT_FALSE(w.bChanged);
}

TEST(FileOpen, UndecidedFormatChangesNothing) {
    TempDir dir;
    frmMain w;
    openThroughMenu(w, dir.write(S("a.srt"), kTwo));
    intFile* file = w.cFile.get();
    const auto settings = w.cSettings;
    Boxes().expect(vb::OK, S("ERROR : Unknown FileType"));
    openThroughMenu(w, dir.write(S("b.sub"), "who knows\r\n"));
    EXPECT_EQ(w.cFile.get(), file);
    EXPECT_EQ(w.cSettings, settings);
    EXPECT_EQ(w.sFile, dir.path(S("a.srt")));
    EXPECT_EQ(w.windowTitle(), S("a.srt - Lumerin"));
    EXPECT_EQ(w.cSubs->count(), 2);

    if (NewFileHandler(FileType::SSA)) return; // every format is built in now
    Boxes().expect(vb::OK, S("not available"));
    openThroughMenu(w, dir.write(S("c.ssa"), "[Script Info]\r\n"));
    EXPECT_EQ(w.cFile.get(), file);
    EXPECT_EQ(w.sFile, dir.path(S("a.srt")));
}

TEST(FileSave, WritesThroughTheCurrentFormat) {
    TempDir dir;
    const QString path = dir.write(S("a.srt"), kTwo);
    frmMain w;
    openThroughMenu(w, path);
    w.cSubs->setSubText(0, S("Changed"));
    EXPECT_TRUE(w.bChanged);
    EXPECT_TRUE(w.mnuSave->isEnabled());
    EXPECT_TRUE(w.Toolbar1Button(3)->isEnabled());
    trigger(w, "Toolbar1_3");
    EXPECT_TRUE(Dialogs().shown.size() == 1u); // only the open dialog
    EXPECT_FALSE(w.bChanged);
    EXPECT_FALSE(w.mnuSave->isEnabled());
    EXPECT_EQ(w.windowTitle(), S("a.srt - Lumerin"));
    QByteArray expected = kTwo;
    expected.replace("One", "Changed");
    EXPECT_EQ(dir.read(S("a.srt")), expected);
}

TEST(FileSave, UntitledDocumentGoesThroughSaveAs) {
    TempDir dir;
    frmMain w;
    w.setSubFolder(dir.folder());
    w.cSubs->AddSub(S("New one"), 500, 1500);
    Dialogs().expectSave(dir.path(S("fresh")), 2);
    trigger(w, "mnuSave");
    ASSERT_EQ(Dialogs().shown.size(), 1u);
    EXPECT_EQ(Dialogs().shown[0].title, S("Save subtitle file"));
    EXPECT_EQ(Dialogs().shown[0].folder, dir.folder());
    EXPECT_EQ(dir.read(S("fresh.srt")), QByteArray("1\r\n00:00:00,500 --> 00:00:01,500\r\nNew one\r\n\r\n"));
    EXPECT_EQ(w.windowTitle(), S("fresh.srt - Lumerin"));
    EXPECT_EQ(w.sFile, dir.path(S("fresh.srt")));
    EXPECT_FALSE(w.bChanged);
    ASSERT_TRUE(w.cFile);
    EXPECT_EQ(w.cSettings, w.cFile->getSettingBlock());
}

TEST(FileSaveAs, AsksBeforeOverwriting) {
    TempDir dir;
    const QByteArray old = "old contents";
    const QString target = dir.write(S("taken.srt"), old);
    frmMain w;
    w.cSubs->AddSub(S("x"), 0, 1);
    Dialogs().expectSave(target, 2);
    Boxes().expect(vb::Cancel, S("File already exists, overwrite?"));
    trigger(w, "mnuSaveAs");
    EXPECT_EQ(dir.read(S("taken.srt")), old);
    EXPECT_TRUE(w.bChanged);
    EXPECT_EQ(w.windowTitle(), S("Untitled - Lumerin"));
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, S("File exists"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKCancel);

    Dialogs().expectSave(target, 1);
    Boxes().expect(vb::OK);
    trigger(w, "mnuSaveAs");
    EXPECT_EQ(dir.read(S("taken.srt")), QByteArray("1\r\n00:00:00,000 --> 00:00:00,001\r\nx\r\n\r\n"));
    EXPECT_EQ(w.windowTitle(), S("taken.srt - Lumerin"));
}

TEST(FileSaveAs, SameFormatKeepsTheSettingsBlock) {
    TempDir dir;
    frmMain w;
    openThroughMenu(w, dir.write(S("dot.srt"), "1\r\n00:00:01.000 --> 00:00:02.000\r\nx\r\n\r\n"));
    const auto block = w.cSettings;
    EXPECT_EQ(decimalCharOf(block), S("."));
    w.cSubs->setSubTimeOut(0, 2500);
    Dialogs().expectSave(dir.path(S("copy")), 1); // all supported formats: by extension
    trigger(w, "mnuSaveAs");
    EXPECT_EQ(w.cSettings, block);
    EXPECT_EQ(w.cFile->getSettingBlock(), block);
    EXPECT_EQ(dir.read(S("copy.srt")), QByteArray("1\r\n00:00:01.000 --> 00:00:02.500\r\nx\r\n\r\n"));
    EXPECT_EQ(w.sFile, dir.path(S("copy.srt")));
}

TEST(FileSaveAs, FailedWriteChangesNothing) {
    TempDir dir;
    frmMain w;
    openThroughMenu(w, dir.write(S("a.srt"), kTwo));
    w.cSubs->setSubText(0, S("edited"));
    intFile* file = w.cFile.get();
    const auto settings = w.cSettings;
    const QString folder = w.SubFolder();
    const QString target = dir.path(S("no/such/folder/b.srt"));
    Dialogs().expectSave(target, 2);
    Boxes().expect(vb::OK);
    trigger(w, "mnuSaveAs");
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_TRUE(Boxes().shown[0].text.contains(target));
    EXPECT_EQ(Boxes().shown[0].title, S("Error"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly | vb::Exclamation);
    EXPECT_TRUE(w.bChanged);
    EXPECT_EQ(w.cFile.get(), file);
    EXPECT_EQ(w.cSettings, settings);
    EXPECT_EQ(w.sFile, dir.path(S("a.srt")));
    EXPECT_EQ(w.windowTitle(), S("a.srt - Lumerin"));
    EXPECT_EQ(w.SubFolder(), folder);
}

TEST(FileSave, FailedWriteKeepsTheChanges) {
    TempDir dir;
    QDir(dir.folder()).mkdir(S("sub"));
    const QString path = dir.write(S("sub/a.srt"), kTwo);
    frmMain w;
    openThroughMenu(w, path);
    ASSERT_TRUE(QDir(dir.path(S("sub"))).removeRecursively());
    w.cSubs->setSubText(0, S("edited"));
    Boxes().expect(vb::OK, path);
    trigger(w, "mnuSave");
    EXPECT_TRUE(w.bChanged);
    EXPECT_TRUE(w.mnuSave->isEnabled());
}

TEST(FileNew, EmptiesTheDocumentAfterTheQuestion) {
    TempDir dir;
    frmMain w;
    openThroughMenu(w, dir.write(S("a.srt"), kTwo));
    w.cMarkS->setValue(1);
    w.cMarkS2->setValue(0);
    w.cSel->setValue(1);
    w.cSubs->setSubText(0, S("edited"));
    Boxes().expect(vb::Cancel, S("Changes will be lost."));
    trigger(w, "mnuNew");
    EXPECT_EQ(w.cSubs->count(), 2);
    EXPECT_EQ(w.windowTitle(), S("a.srt - Lumerin"));

    Boxes().expect(vb::OK);
    trigger(w, "Toolbar1_1");
    EXPECT_EQ(w.cSubs->count(), 0);
    EXPECT_EQ(w.windowTitle(), S("Untitled - Lumerin"));
    EXPECT_TRUE(w.sFile.isEmpty());
    EXPECT_FALSE(w.cFile);
    EXPECT_FALSE(w.cSettings);
    EXPECT_FALSE(w.bChanged);
    for (clsTime* t : {w.cSel, w.cMarkS, w.cMarkS1, w.cMarkS2}) EXPECT_EQ(t->value(), -2);
    trigger(w, "mnuNew"); // unchanged: no question
    EXPECT_EQ(Boxes().shown.size(), 2u);
}

TEST(FileExit, AsksBeforeUnloadingTheOtherWindows) {
    frmMain w;
    w.show();
    ToolWindow tool;
    w.cSubs->AddSub(S("x"), 0, 1);
    Boxes().expect(vb::Cancel, S("Changes will be lost.  Are you sure?"));
    trigger(w, "mnuExit");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(tool.unloads, 0);
    EXPECT_EQ(w.cSubs->count(), 1);
    Boxes().expect(vb::OK);
    trigger(w, "mnuExit");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(tool.unloads, 1);
}

TEST(LoadReset, RecordsTheOutsideLoadAndNeverSavesOverTheEarlierFile) {
    TempDir dir;
    const QString first = dir.write(S("a.srt"), kTwo);
    frmMain w;
    openThroughMenu(w, first);
    w.cMarkS1->setValue(1);
    // Another part of the program loads a file into the document.
    const QString part = dir.write(S("a-part2.srt"), "1\r\n00:00:09,000 --> 00:00:10,000\r\nPart\r\n\r\n");
    w.cFile->setFile(part);
    ASSERT_TRUE(w.cFile->Load(*w.cSubs));
    w.cFile->setFile(first);
    w.cSubs->RaiseMajor();
    w.setWindowTitle(S("a-part2.srt - Lumerin"));
    w.LoadReset(part);
    EXPECT_EQ(w.GetFile(), part);
    EXPECT_FALSE(w.bChanged);
    for (clsTime* t : {w.cSel, w.cMarkS, w.cMarkS1, w.cMarkS2}) EXPECT_EQ(t->value(), -2);

    w.cSubs->setSubText(0, S("edited"));
    Dialogs().expectCancel(S("save"));
    trigger(w, "mnuSave");
    EXPECT_EQ(Dialogs().shown.back().kind, S("save"));
    EXPECT_EQ(dir.read(S("a.srt")), kTwo);
    EXPECT_TRUE(w.bChanged);
}
