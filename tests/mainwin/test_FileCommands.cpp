#include "controls/SubListing.h"
#include "formats/FormatChoice.h"
#include "formats/clsFileSMIFrm1.h"
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
#include "tools/frmSplit.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
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

void pressOk(QDialog* d) {
    auto* ok = d->findChild<QPushButton*>(S("btOk"));
    ASSERT_TRUE(ok) << d->objectName().toStdString();
    ok->click();
}

// A SubRip file of n entries, and the bytes of its first k.
QByteArray numbered(int n, int k = -1) {
    QByteArray out;
    for (int i = 0; i < (k < 0 ? n : k); ++i) {
        const int s = i * 2;
        out += QStringLiteral("%1\r\n00:%2:%3,000 --> 00:%2:%3,500\r\nLine %1\r\n\r\n")
                   .arg(i + 1)
                   .arg(s / 60 % 60, 2, 10, QChar(u'0'))
                   .arg(s % 60, 2, 10, QChar(u'0'))
                   .toUtf8();
    }
    return out;
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

TEST(FileOpen, AFileRefusedBeforeReadingChangesNothing) {
    TempDir dir;
    // A SAMI file without its head: refused before any entry is read.
    QByteArray big = "<SAMI>\r\n";
    for (int i = 0; i < 32001; ++i) big += "<P>x\r\n";
    const QString refused = dir.write(S("big.smi"), big);
    const QString first = dir.write(S("a.srt"), kTwo);
    frmMain w;
    openThroughMenu(w, first);
    w.cMarkS1->setValue(1);
    w.cSubs->setSubText(0, S("edited"));
    intFile* file = w.cFile.get();
    const auto settings = w.cSettings;
    auto unchanged = [&] {
        ASSERT_EQ(w.cSubs->count(), 2);
        EXPECT_EQ(w.cSubs->SubText(0), S("edited"));
        EXPECT_EQ(w.cFile.get(), file);
        EXPECT_EQ(w.cSettings, settings);
        EXPECT_EQ(w.sFile, first);
        EXPECT_EQ(w.windowTitle(), S("a.srt - Lumerin"));
        EXPECT_EQ(w.cMarkS1->value(), 1);
        EXPECT_TRUE(w.bChanged);
    };
    Boxes().expect(vb::OK, S("Changes will be lost."));
    Boxes().expect(vb::OK, S("invalid head signature"));
    openThroughMenu(w, refused);
    unchanged();
    // The same for a part another window asks the main window to load.
    std::unique_ptr<intFile> part = NewFileHandler(FileType::SMI);
    part->setSavePath(refused);
    Boxes().expect(vb::OK, S("invalid head signature"));
    EXPECT_FALSE(w.LoadPart(std::move(part)));
    unchanged();
    // Save still writes the file the entries came from.
    trigger(w, "mnuSave");
    EXPECT_TRUE(dir.read(S("a.srt")).contains("edited"));
    EXPECT_EQ(dir.read(S("big.smi")), big);

    // Started with it on the command line: still untitled.
    FakeDesk().command = refused;
    Boxes().expect(vb::OK, S("invalid head signature"));
    frmMain started;
    EXPECT_EQ(started.windowTitle(), S("Untitled - Lumerin"));
    EXPECT_TRUE(started.sFile.isEmpty());
    EXPECT_FALSE(started.cFile);
    EXPECT_FALSE(started.bChanged);
}

TEST(FileOpen, AFileReadInPartIsNeverSavedOverByAPlainSave) {
    TempDir dir;
    const QByteArray broken = kTwo + "3\r\n00:00:05,000 --> 00:00:06,000\r\n"; // its text is missing
    const QString path = dir.write(S("b.srt"), broken);
    frmMain w;
    Boxes().expect(vb::OK, S("This is not a valid SRT subtitle file."));
    openThroughMenu(w, path);
    // What was read is shown under the file's name: two entries and the start of a third.
    ASSERT_EQ(w.cSubs->count(), 3);
    EXPECT_EQ(w.cSubs->SubText(1), S("Two\r\nlines"));
    EXPECT_EQ(w.windowTitle(), S("b.srt - Lumerin"));
    EXPECT_EQ(w.sFile, path);
    ASSERT_TRUE(w.cSettings);
    EXPECT_EQ(w.cSettings->getSettingName(), S("SRT"));
    EXPECT_TRUE(w.bChanged);
    EXPECT_TRUE(w.mnuSave->isEnabled());

    // Save asks where to write; cancelled, nothing is written.
    Dialogs().expectCancel(S("save"));
    trigger(w, "mnuSave");
    EXPECT_EQ(Dialogs().shown.back().kind, S("save"));
    EXPECT_EQ(dir.read(S("b.srt")), broken);
    // Opening another file asks first.
    Boxes().expect(vb::Cancel, S("Changes will be lost.  Are you sure?"));
    trigger(w, "mnuOpen");
    EXPECT_EQ(w.sFile, path);

    Dialogs().expectSave(dir.path(S("c.srt")), 1);
    trigger(w, "Toolbar1_3");
    EXPECT_TRUE(dir.read(S("c.srt")).startsWith(kTwo));
    EXPECT_EQ(dir.read(S("b.srt")), broken);
    EXPECT_EQ(w.windowTitle(), S("c.srt - Lumerin"));
    EXPECT_FALSE(w.bChanged);
    // Now a plain Save writes through the new file's format.
    w.cSubs->setSubText(0, S("again"));
    trigger(w, "mnuSave");
    EXPECT_TRUE(dir.read(S("c.srt")).contains("again"));
}

TEST(LoadReset, TheReopenedSplitPartIsTheCurrentFileInItsOwnFormat) {
    TempDir dir;
    frmMain w;
    openThroughMenu(w, dir.write(S("a.srt"), kTwo));
    frmSplit* split = w.fSplit;
    ASSERT_TRUE(split);
    split->txtMarkerSub->setText(S("0"));
    split->txtFile[0]->setText(dir.path(S("one.srt")));
    split->txtFile[1]->setText(dir.path(S("two.smi")));
    split->chLast->setChecked(true);
    // The SAMI form shows as the part is written and as it is read back.
    for (int i = 0; i < 2; ++i) Forms().expect([](QDialog* d) { qobject_cast<clsFileSMIFrm1*>(d)->btOk->click(); });
    split->btOk->click();
    EXPECT_EQ(Forms().shown.size(), 2);
    const QString part = dir.path(S("two.smi"));
    EXPECT_EQ(w.sFile, part);
    EXPECT_EQ(w.windowTitle(), S("two.smi - Lumerin"));
    ASSERT_TRUE(w.cFile);
    EXPECT_EQ(w.cFile->SettingSig(), S("SAMI"));
    EXPECT_EQ(w.cFile->file(), part);
    EXPECT_EQ(w.cSettings, w.cFile->getSettingBlock());
    ASSERT_EQ(w.cSubs->count(), 1);
    EXPECT_FALSE(w.bChanged);

    // Save writes the part, as SAMI, without asking for a name.
    w.cSubs->setSubText(0, S("edited"));
    Forms().expect([](QDialog* d) { qobject_cast<clsFileSMIFrm1*>(d)->btOk->click(); });
    trigger(w, "mnuSave");
    EXPECT_EQ(Dialogs().shown.size(), 1u); // only the open dialog
    const QByteArray written = dir.read(S("two.smi"));
    EXPECT_TRUE(written.startsWith("<SAMI>"));
    EXPECT_TRUE(written.contains("edited"));
    EXPECT_EQ(dir.read(S("a.srt")), kTwo);
}

TEST(FileSave, AFileReadInPartIsSavedBesideItUnlessTheUserKnowinglyChoosesIt) {
    TempDir dir;
    const QByteArray whole = numbered(clsSubs::Capacity + 1);
    const QString path = dir.write(S("big.srt"), whole);
    const QString taken = dir.write(S("big (part).srt"), "taken");
    frmMain w;
    Boxes().expect(vb::OK); // the reader tells that not all was read
    openThroughMenu(w, path);
    ASSERT_EQ(w.cSubs->count(), clsSubs::Capacity);
    EXPECT_EQ(w.windowTitle(), S("big.srt - Lumerin"));

    // Save proposes a name beside the file that no file has yet; taking it writes the part
    // there without a question, so Enter, Enter never cuts the file.
    const QString proposed = dir.path(S("big (part 2).srt"));
    Dialogs().expectSave(proposed, 1);
    trigger(w, "mnuSave");
    EXPECT_EQ(Dialogs().shown.back().folder, proposed);
    EXPECT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(dir.read(S("big.srt")), whole);
    EXPECT_EQ(dir.read(S("big (part).srt")), QByteArray("taken"));
    EXPECT_EQ(dir.read(S("big (part 2).srt")), numbered(clsSubs::Capacity + 1, clsSubs::Capacity));
    EXPECT_EQ(w.windowTitle(), S("big (part 2).srt - Lumerin"));
    EXPECT_FALSE(w.bChanged);

    // Read in part again: the file itself, picked anyway, is named in a question whose Enter
    // keeps the file.
    Boxes().expect(vb::OK);
    openThroughMenu(w, path);
    Dialogs().expectSave(path, 1);
    Boxes().expect(vb::Cancel, S("holds more subtitles than were read"));
    trigger(w, "mnuSave");
    ASSERT_EQ(Boxes().shown.size(), 3u);
    EXPECT_EQ(Boxes().shown[2].title, S("File exists"));
    EXPECT_EQ(Boxes().shown[2].flags, vb::OKCancel);
    EXPECT_EQ(Boxes().shown[2].defaultAnswer, vb::Cancel);
    EXPECT_EQ(dir.read(S("big.srt")), whole);
    EXPECT_TRUE(w.bChanged);
    // Save As onto another existing file asks the ordinary question.
    Dialogs().expectSave(taken, 1);
    Boxes().expect(vb::Cancel, S("File already exists, overwrite?"));
    trigger(w, "mnuSaveAs");
    EXPECT_EQ(Boxes().shown.back().defaultAnswer, vb::OK);
    // OK over the file itself is the user's choice.
    Dialogs().expectSave(path, 1);
    Boxes().expect(vb::OK, S("holds more subtitles than were read"));
    trigger(w, "mnuSaveAs");
    EXPECT_EQ(dir.read(S("big.srt")), numbered(clsSubs::Capacity + 1, clsSubs::Capacity));
    EXPECT_EQ(w.windowTitle(), S("big.srt - Lumerin"));
}

TEST(UnsavedChanges, CancelIsTheDefaultOnEveryRoad) {
    // Every road that asks: new, open, exit and the close box.
    frmMain w;
    w.show();
    w.cSubs->AddSub(S("typed"), 0, 1000);
    for (const char* road : {"mnuNew", "mnuOpen", "mnuExit", "close"}) {
        Boxes().expect(vb::Cancel, S("Changes will be lost.  Are you sure?"));
        if (QString::fromUtf8(road) == u"close") w.close();
        else trigger(w, road);
        ASSERT_FALSE(Boxes().shown.empty()) << road;
        const ShownBox& b = Boxes().shown.back();
        EXPECT_EQ(b.title, S("Sure?")) << road;
        EXPECT_EQ(b.flags, vb::OKCancel) << road;
        EXPECT_EQ(b.defaultAnswer, vb::Cancel) << road;
    }
    EXPECT_EQ(Boxes().shown.size(), 4u);
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(w.cSubs->count(), 1);
    EXPECT_TRUE(w.bChanged);
    EXPECT_TRUE(Dialogs().shown.empty());
}

TEST(FileOpen, ExtensionsInAnyCaseAndSubStationFilesNamedAss) {
    TempDir dir;
    frmMain w;
    // A SAMI file named in capitals is read and saved as SAMI.
    const QByteArray sami = "<SAMI><HEAD></HEAD><BODY>\r\n<SYNC Start=1000><P Class=ENCC>Hello\r\n"
                            "<SYNC Start=2000><P Class=ENCC>Bye\r\n</BODY>\r\n</SAMI>\r\n";
    Forms().expect(pressOk);
    openThroughMenu(w, dir.write(S("MOVIE.SMI"), sami));
    ASSERT_EQ(w.cSubs->count(), 2);
    EXPECT_EQ(w.cSubs->SubText(0), S("Hello"));
    EXPECT_EQ(w.cSettings->getSettingName(), S("SAMI"));
    w.cSubs->setSubText(0, S("Changed"));
    Forms().expect(pressOk);
    trigger(w, "mnuSave");
    Forms().expect(pressOk);
    Dialogs().expectSave(dir.path(S("ref.smi")), 3);
    trigger(w, "mnuSaveAs");
    EXPECT_TRUE(dir.read(S("ref.smi")).contains("Changed"));
    EXPECT_EQ(dir.read(S("MOVIE.SMI")), dir.read(S("ref.smi")));

    // A SubStation Alpha v4+ file named .ass is read, and saved as one under the typed name.
    const QByteArray ass = "[Script Info]\r\nScriptType: v4.00+\r\n\r\n[V4+ Styles]\r\n"
                           "Format: Name, Fontname, Fontsize\r\nStyle: Default,Arial,20\r\n\r\n[Events]\r\n"
                           "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
                           "Dialogue: 0,0:00:01.00,0:00:02.50,Default,,0,0,0,,One\r\n"
                           "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,Two\\Nlines\r\n";
    Forms().expect(pressOk);
    openThroughMenu(w, dir.write(S("movie.ass"), ass));
    ASSERT_EQ(w.cSubs->count(), 2);
    EXPECT_EQ(w.cSubs->SubTimeOut(0), 2500);
    EXPECT_EQ(w.cSubs->SubText(1), S("Two\r\nlines"));
    EXPECT_EQ(w.cSettings->getSettingName(), S("SSA v4.00(+)"));
    Forms().expect(pressOk);
    Dialogs().expectSave(dir.path(S("ref.ssa")), 7);
    trigger(w, "mnuSaveAs");
    const QByteArray written = dir.read(S("ref.ssa"));
    EXPECT_TRUE(written.startsWith("[Script Info]"));
    for (const char* typed : {"x.ass", "y.SSA"}) {
        Forms().expect(pressOk);
        Dialogs().expectSave(dir.path(S(typed)), 1); // all supported formats: by extension
        trigger(w, "mnuSaveAs");
        EXPECT_EQ(dir.read(S(typed)), written) << typed;
        EXPECT_EQ(w.sFile, dir.path(S(typed)));
    }
}
