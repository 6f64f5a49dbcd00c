#include "mainwin/frmMain.h"
#include "controls/SubListing.h"
#include "controls/timeBar.h"
#include "formats/FormatChoice.h"
#include "formats/intFile.h"
#include "model/CFileFnc.h"
#include "model/Common.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "platform/MsgBox.h"
#include "platform/Unloadable.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>

namespace {
// The original measured its layout against the outer window; here the central widget excludes
// the menu and band bar, so its margins are what is left of those allowances.
constexpr int kSideMargin = 8;   // each side of the listing and the bottom strip
constexpr int kBottomMargin = 2; // below the bottom strip
constexpr int kGap = 3;          // between the listing and the bottom strip
constexpr int kMinWidthTwips = 5000;
constexpr int kMinHeightTwips = 4000;

const QString kUntitled = QStringLiteral("Untitled - Lumerin");
const QString kChangesLost = QStringLiteral("Changes will be lost.  Are you sure?");

// A default folder that is empty or gone starts the dialogs in the program folder.
void fallBackIfMissing(QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = ProgramFolder();
}
} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kUntitled);
    txtSubs_ = ProgramFolder();
    txtMovie_ = ProgramFolder();
    buildMenus();
    buildControls();
    Form_Load();
    resize(760, 560);
}

frmMain::~frmMain() = default;

void frmMain::buildControls() {
    buildToolbars();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);

    picListing = new SubListing(central);
    picListing->setObjectName(QStringLiteral("picListing"));

    picBar = new QWidget(central);
    picBar->setObjectName(QStringLiteral("picBar"));
    tBar = new timeBar(picBar);
    tBar->setObjectName(QStringLiteral("tBar"));
    scrBar = new QScrollBar(Qt::Horizontal, picBar);
    scrBar->setObjectName(QStringLiteral("scrBar"));
    btZoom = new QPushButton(QStringLiteral("Zoom In"), picBar);
    btZoom->setObjectName(QStringLiteral("btZoom"));
    btZoomOut = new QPushButton(QStringLiteral("Zoom Out"), picBar);
    btZoomOut->setObjectName(QStringLiteral("btZoomOut"));
    for (QPushButton* b : {btZoom, btZoomOut}) b->setFocusPolicy(Qt::NoFocus);

    connect(btZoom, &QPushButton::clicked, this, &frmMain::btZoom_Click);
    connect(btZoomOut, &QPushButton::clicked, this, &frmMain::btZoomOut_Click);
    connect(tBar, &timeBar::AskRulerSpace, this, &frmMain::tBar_AskRulerSpace);
    connect(tBar, &timeBar::EnableZoomIn, this, &frmMain::tBar_EnableZoomIn);
    connect(tBar, &timeBar::EnableZoomOut, this, &frmMain::tBar_EnableZoomOut);
}

void frmMain::buildMenus() {
    auto item = [this](QMenu* menu, const char* name, const QString& caption, void (frmMain::*slot)()) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = item(mnuFile, "mnuNew", QStringLiteral("&New subtitle file"), &frmMain::mnuNew_Click);
    mnuOpen = item(mnuFile, "mnuOpen", QStringLiteral("&Open subtitle file"), &frmMain::mnuOpen_Click);
    mnuSave = item(mnuFile, "mnuSave", QStringLiteral("&Save subtitle file"), &frmMain::mnuSave_Click);
    mnuSaveAs = item(mnuFile, "mnuSaveAs", QStringLiteral("Save subtitle file &As"), &frmMain::mnuSaveAs_Click);
    mnuFile->addSeparator();
    mnuExit = item(mnuFile, "mnuExit", QStringLiteral("E&xit"), &frmMain::mnuExit_Click);
}

void frmMain::buildToolbars() {
    Toolbar1 = new QToolBar(QStringLiteral("Toolbar1"), this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::TopToolBarArea, Toolbar1);
    // Buttons are named after their bar and index ("Toolbar1_3" is button 3).
    const QString tips[] = {QStringLiteral("New subtitle file"), QStringLiteral("Open subtitle file"),
                            QStringLiteral("Save subtitle file")};
    int index = 0;
    for (const QString& tip : tips) {
        ++index;
        QAction* a = Toolbar1->addAction(tip);
        a->setObjectName(QStringLiteral("Toolbar1_%1").arg(index));
        a->setToolTip(tip);
        connect(a, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
    }
}

QAction* frmMain::Toolbar1Button(int index) const {
    const QList<QAction*> buttons = Toolbar1->actions();
    return index >= 1 && index <= buttons.size() ? buttons.at(index - 1) : nullptr;
}

void frmMain::Form_Load() {
    sFile.clear();
    cTime = new clsTime(this);
    cSel = new clsTime(this);
    cSelA = new clsTime(this);
    cSelB = new clsTime(this);
    cSubs = new clsSubs(this);
    bTime = new clsTime(this);
    cMarkS = new clsTime(this);
    cMarkS1 = new clsTime(this);
    cMarkS2 = new clsTime(this);
    cMarkT = new clsTime(this);
    cMarkT1 = new clsTime(this);
    cMarkT2 = new clsTime(this);

    for (clsTime* m : {cMarkS, cMarkS1, cMarkS2}) m->setMin(-2);
    for (clsTime* m : {cMarkT, cMarkT1, cMarkT2}) m->setMax(MaxTime);
    for (clsTime* m : {cMarkS, cMarkS1, cMarkS2}) m->setValue(-2);
    bTime->SetScroller(scrBar, 1000);
    for (clsTime* m : {cSel, cSelA, cSelB}) {
        m->setMin(-2);
        m->setValue(-2);
    }
    cTime->setMin(0);
    cTime->setMax(MaxTime);

    picListing->setNewLineChar(QStringLiteral("\u00A4"));
    bChanged = false;

    connect(cSubs, &clsSubs::Change, this, &frmMain::cSubs_Change);
    connect(cSubs, &clsSubs::CountChange, this, &frmMain::cSubs_CountChange);
    connect(cSubs, &clsSubs::MajorChange, this, &frmMain::cSubs_MajorChange);

    picListing->SetStruct(cSubs, cSel, cSelA, cSelB);
    picListing->SetMarkers(cMarkS, cMarkS1, cMarkS2);
    tBar->SetSubs(cSubs);
    tBar->SetTime(bTime, cMarkT, cMarkT1, cMarkT2);
    tBar->SetSel(cSel, cMarkS, cMarkS1, cMarkS2, cSelA, cSelB);

    tBar->Redraw();
    UpdateUI();
    openCommandLine();
}

void frmMain::UpdateUI() {
    // Save is offered for a non-empty document with unsaved changes.
    const bool any = cSubs->count() > 0;
    if (QAction* save = Toolbar1Button(3)) save->setEnabled(any && bChanged);
    mnuSave->setEnabled(any && bChanged);
    mnuSaveAs->setEnabled(any);
}

void frmMain::openCommandLine() {
    const QString line = CommandLine();
    if (line.isEmpty()) return;
    const QString path = line.startsWith(u'"') ? line.mid(1, line.size() - 2) : line;
    if (!FileExists(path)) {
        MsgBox(QStringLiteral("File does not exist"), vb::OKOnly, QStringLiteral("Error"));
        return;
    }
    std::unique_ptr<intFile> handler = DetectFileHandler(path);
    if (!handler) return; // format choice has told the user
    loadFile(std::move(handler), path);
    UpdateUI();
}

void frmMain::setCaptionFor(const QString& path) { setWindowTitle(FileTitleOf(path) + QStringLiteral(" - Lumerin")); }

// Makes handler the current format object and loads its file into the document.
void frmMain::loadFile(std::unique_ptr<intFile> handler, const QString& path) {
    cFile = std::move(handler);
    cSettings = cFile->getSettingBlock();
    picListing->SelectSub(-2);
    cFile->setFile(path);
    for (clsTime* m : {cMarkS, cMarkS1, cMarkS2}) m->setValue(-2);
    // A faulty file has been reported by its format; what was read stays in the list.
    cFile->Load(*cSubs);
    cSubs->RaiseMajor();
    setCaptionFor(path);
    sFile = path;
    bChanged = false;
}

bool frmMain::askDiscardChanges() {
    return !bChanged || MsgBox(kChangesLost, vb::OKCancel, QStringLiteral("Sure?")) != vb::Cancel;
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
    fallBackIfMissing(txtMovie_);
    fallBackIfMissing(txtSubs_);
    QString path = GetOpenFile(this, SubFileFilter(), QStringLiteral("Open subtitle file"), txtSubs_);
    if (path == u"cancel") return;
    if (path.endsWith(QChar(0))) path.chop(1);
    // Chosen into a temporary: a file whose format can't be decided changes nothing.
    std::unique_ptr<intFile> handler = DetectFileHandler(path);
    if (!handler) return;
    loadFile(std::move(handler), path);
    if (chLastUsed_) txtSubs_ = FolderOf(path);
    UpdateUI();
}

bool frmMain::subSave() {
    // After an outside load (LoadReset) the format object still names the earlier file; that
    // file is not written over: the user chooses where the loaded one goes.
    if (!cFile || cFile->file() != sFile) return subSaveAs();
    if (!cFile->Save(*cSubs)) return false; // the format has told the user
    bChanged = false;
    UpdateUI();
    return true;
}

bool frmMain::subSaveAs() {
    if (txtMovie_.isEmpty()) txtMovie_ = ProgramFolder();
    if (txtSubs_.isEmpty()) txtSubs_ = ProgramFolder();
    if (!CanWriteFolder(txtMovie_)) txtMovie_ = ProgramFolder();
    if (!CanWriteFolder(txtSubs_)) txtSubs_ = ProgramFolder();
    int index = 0;
    const QString path = GetSaveFile(this, SubFileFilter(), QStringLiteral("Save subtitle file"), txtSubs_, index);
    if (path == u"cancel") return false;
    if (FileExists(path) &&
        MsgBox(QStringLiteral("File already exists, overwrite?"), vb::OKCancel, QStringLiteral("File exists")) ==
            vb::Cancel)
        return false;
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
    if (chLastUsed_) txtSubs_ = FolderOf(path);
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

void frmMain::Toolbar1_ButtonClick(int index) {
    switch (index) {
    case 1: subNew(); break;
    case 2: subOpen(); break;
    case 3: subSave(); break;
    default: break;
    }
}

void frmMain::updateSelectionBounds() {
    const int last = cSubs->count() - 1;
    for (clsTime* m : {cSel, cSelA, cSelB, cMarkS, cMarkS1, cMarkS2}) m->setMax(last);
}

void frmMain::cSubs_Change(int) {
    bChanged = true;
    UpdateUI();
}

void frmMain::cSubs_CountChange() {
    updateSelectionBounds();
    bChanged = true;
    UpdateUI();
}

void frmMain::cSubs_MajorChange() { cSubs_CountChange(); }

void frmMain::btZoom_Click() { tBar->ZoomIn(); }
void frmMain::btZoomOut_Click() { tBar->ZoomOut(); }

void frmMain::tBar_AskRulerSpace(bool b) {
    bRulers = b;
    subArrange();
}

void frmMain::tBar_EnableZoomIn(bool b) { btZoom->setEnabled(b); }
void frmMain::tBar_EnableZoomOut(bool b) { btZoomOut->setEnabled(b); }

void frmMain::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const int minW = kMinWidthTwips / Twips, minH = kMinHeightTwips / Twips;
        if (width() < minW || height() < minH) {
            resize(std::max(width(), minW), std::max(height(), minH));
            return; // the resize arranges the children
        }
    }
    if (!(windowState() & Qt::WindowMinimized)) subArrange();
}

void frmMain::subArrange() {
    QWidget* client = centralWidget();
    const int W = client->width(), H = client->height();
    const int scrH = scrBar->sizeHint().height();
    const int rulers = bRulers ? 20 : 0;
    const int barH = scrH + 34 + 3 + rulers;
    const int stripW = std::max(0, W - 2 * kSideMargin);
    const int barTop = H - barH - kBottomMargin;
    picListing->setGeometry(kSideMargin, 0, stripW, std::max(0, barTop - kGap));
    picBar->setGeometry(kSideMargin, barTop, stripW, barH);

    const int zoomW = std::max({60, btZoom->sizeHint().width(), btZoomOut->sizeHint().width()});
    const int innerW = picBar->width(), innerH = picBar->height();
    scrBar->setGeometry(0, innerH - scrH, std::max(0, innerW - zoomW), scrH);
    const int half = innerH / 2;
    btZoom->setGeometry(innerW - zoomW, 0, zoomW, half);
    btZoomOut->setGeometry(innerW - zoomW, half, zoomW, half);
    tBar->setGeometry(0, 0, std::max(0, innerW - zoomW - 1), std::max(0, innerH - scrH));

    picListing->Redraw();
    tBar->Redraw();
}

void frmMain::closeEvent(QCloseEvent* e) {
    if (!askDiscardChanges()) {
        e->ignore();
        return;
    }
    e->accept();
    Form_Unload();
}

void frmMain::Form_Unload() {
    // Later windows first, as they were loaded after this one.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        QWidget* w = *it;
        if (w == this) continue;
        if (auto* u = dynamic_cast<Unloadable*>(w)) u->Unload();
        else if (w->isVisible()) w->close();
    }
    QCoreApplication::quit();
}
