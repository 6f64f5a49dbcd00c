// The main window's file commands: new, open, save, save as, exit, the command-line open and
// the reset after another part of the program loaded a file.
#include "controls/SubListing.h"
#include "formats/FormatChoice.h"
#include "formats/intFile.h"
#include "mainwin/frmMain.h"
#include "model/CFileFnc.h"
#include "model/Common.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kUntitled = QStringLiteral("Untitled - Lumerin");
const QString kChangesLost = QStringLiteral("Changes will be lost.  Are you sure?");
const QString kCutsTheFile = QStringLiteral("This file holds more subtitles than were read from it: saving over it "
                                            "keeps only the subtitles in the list.  Overwrite?");

// A name beside path that no file has yet, "name (part).ext" first: where a document read only
// in part is saved when the user just confirms, so that the whole file is never cut to the part.
QString partName(const QString& path) {
    const QFileInfo fi(path);
    const QString ext = fi.suffix().isEmpty() ? QString() : u'.' + fi.suffix();
    const QString stem = fi.path() + u'/' + fi.completeBaseName() + QStringLiteral(" (part");
    for (int n = 1;; ++n) {
        const QString name = stem + (n == 1 ? QString() : u' ' + QString::number(n)) + u')' + ext;
        if (!QFileInfo::exists(name)) return name;
    }
}

bool sameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}
} // namespace

void frmMain::openCommandLine() {
    const QString line = CommandLine();
    if (line.isEmpty()) return;
    QString path = line.startsWith(u'"') ? line.mid(1, line.size() - 2) : line;
    // A name relative to the folder the program was started in names the file there, and the
    // caption and Save need its full path.
    if (!path.isEmpty()) path = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    if (!FileExists(path)) {
        MsgBox(QStringLiteral("File does not exist"), vb::OKOnly, QStringLiteral("Error"));
        return;
    }
    std::unique_ptr<intFile> handler = DetectFileHandler(path);
    if (!handler) return; // format choice has told the user
    loadFile(std::move(handler), path);
}

void frmMain::setCaptionFor(const QString& path) { setWindowTitle(FileTitleOf(path) + QStringLiteral(" - Lumerin")); }

// Loads the file through handler in place of the document. It is read into a list of its own
// first, so a file refused before anything was read changes nothing: not the entries, the file,
// its format, the caption, the markers nor the changed flag. A file read only in part stays on
// screen under its name, but without a format object, so that a plain Save asks where to write
// rather than writing the part over the whole; closing or opening another file asks first.
// False when the file was refused (the format has told the user).
bool frmMain::loadFile(std::unique_ptr<intFile> handler, const QString& path) {
    handler->setFile(path);
    clsSubs read;
    const bool whole = handler->Load(read);
    if (!whole && read.count() == 0) return false;
    // Nothing selected or marked before the new entries arrive, so no view follows a stale index.
    picListing->SelectSub(-2);
    for (clsTime* m : {cMarkS, cMarkS1, cMarkS2}) m->setValue(-2);
    {
        EventsOff off(*cSubs);
        cSubs->Clear();
        cSubs->Blit(0, read.count() - 1, 0, read);
    }
    cSubs->RaiseMajor();
    cSettings = handler->getSettingBlock();
    if (whole) cFile = std::move(handler);
    else cFile.reset();
    setCaptionFor(path);
    LoadReset(path);
    if (!whole) {
        bChanged = true;
        UpdateUI();
    }
    return true;
}

bool frmMain::LoadPart(std::unique_ptr<intFile> file) {
    const QString path = file->file();
    return loadFile(std::move(file), path);
}

// A file read only in part is kept on screen under its name without a format object.
bool frmMain::readInPart() const { return !cFile && !sFile.isEmpty(); }

bool frmMain::askDiscardChanges() {
    // Enter keeps the changes: only a deliberate OK throws them away.
    return !bChanged || MsgBox(kChangesLost, vb::OKCancel | vb::DefaultButton2, QStringLiteral("Sure?")) != vb::Cancel;
}

void frmMain::subNew() {
    if (!askDiscardChanges()) return;
    for (clsTime* m : {cMarkS, cMarkS1, cMarkS2}) m->setValue(-2);
    cSubs->Clear();
    cFile.reset();
    cSettings.reset();
    setWindowTitle(kUntitled);
    sFile.clear();
    picListing->SelectSub(-2);
    bChanged = false;
    UpdateUI();
}

void frmMain::subOpen() {
    if (!askDiscardChanges()) return;
    setMovieFolder(FolderOrProgram(MovieFolder()));
    setSubFolder(FolderOrProgram(SubFolder()));
    QString path = GetOpenFile(this, SubFileFilter(), QStringLiteral("Open subtitle file"), SubFolder());
    if (path == u"cancel") return;
    if (path.endsWith(QChar(0))) path.chop(1);
    // Chosen into a temporary: a file whose format can't be decided changes nothing.
    std::unique_ptr<intFile> handler = DetectFileHandler(path);
    if (!handler || !loadFile(std::move(handler), path)) return;
    if (LastUsed()) setSubFolder(FolderOf(path));
    UpdateUI();
}

bool frmMain::subSave() {
    // Without a format object for the document's own file (untitled, read only in part, or
    // loaded from elsewhere) the user chooses where it goes; the dialog proposes its name, or for
    // a part a new name beside it.
    if (!cFile || cFile->file() != sFile) return saveAs(readInPart() ? partName(sFile) : sFile);
    if (!cFile->Save(*cSubs)) return false; // the format has told the user
    bChanged = false;
    UpdateUI();
    return true;
}

bool frmMain::subSaveAs() { return saveAs(QString()); }

bool frmMain::saveAs(const QString& proposed) {
    for (auto [get, set] : {std::pair{&frmMain::MovieFolder, &frmMain::setMovieFolder},
                            std::pair{&frmMain::SubFolder, &frmMain::setSubFolder}}) {
        const QString f = (this->*get)();
        if (f.isEmpty() || !CanWriteFolder(f)) (this->*set)(ProgramFolder());
    }
    int index = 0;
    const QString path = GetSaveFile(this, SubFileFilter(), QStringLiteral("Save subtitle file"),
                                     proposed.isEmpty() ? SubFolder() : proposed, index);
    if (path == u"cancel") return false;
    if (FileExists(path)) {
        // Over the file the document was read from in part, Enter keeps the file.
        const bool cuts = readInPart() && sameFile(path, sFile);
        const QString text = cuts ? kCutsTheFile : QStringLiteral("File already exists, overwrite?");
        const int flags = cuts ? vb::OKCancel | vb::DefaultButton2 : vb::OKCancel;
        if (MsgBox(text, flags, QStringLiteral("File exists")) == vb::Cancel) return false;
    }
    std::unique_ptr<intFile> handler = FileHandlerByIndex(index, path);
    if (!handler) return false;
    // The same format keeps its settings block, so the user's settings carry over.
    std::shared_ptr<intSettings> settings;
    if (cSettings && cSettings->getSettingName() == handler->SettingSig()) {
        handler->setSettingBlock(cSettings);
        settings = cSettings;
    } else {
        settings = handler->getSettingBlock();
    }
    picListing->SelectSub(-2);
    // The file is about to be written over: no line-end repair on it first.
    handler->setSavePath(path);
    if (!handler->Save(*cSubs)) return false; // the format has told the user; nothing changes
    cFile = std::move(handler);
    cSettings = std::move(settings);
    bChanged = false;
    setCaptionFor(path);
    sFile = path;
    if (LastUsed()) setSubFolder(FolderOf(path));
    UpdateUI();
    return true;
}

void frmMain::LoadReset(const QString& filename) {
    sFile = filename;
    picListing->SelectSub(-2);
    for (clsTime* m : {cMarkS, cMarkS1, cMarkS2}) m->setValue(-2);
    bChanged = false;
    UpdateUI();
}

void frmMain::mnuNew_Click() { subNew(); }

void frmMain::mnuOpen_Click() { subOpen(); }

void frmMain::mnuSave_Click() { subSave(); }

void frmMain::mnuSaveAs_Click() { subSaveAs(); }

// The close asks about unsaved changes first; only a close that goes ahead unloads the other
// windows and ends the program.
void frmMain::mnuExit_Click() { close(); }
