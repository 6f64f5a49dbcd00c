// The main window's menus and band bar, the command state (UpdateUI), and the commands that
// work on the listing: go-to, markers, add, insert and delete.
#include "controls/SubListing.h"
#include "controls/Tracker.h"
#include "formats/VisualPlayer.h"
#include "formats/intSettings.h"
#include "mainwin/PrintListing.h"
#include "mainwin/ShowProps.h"
#include "mainwin/ToolIcons.h"
#include "mainwin/frmAbout.h"
#include "mainwin/frmLegend.h"
#include "mainwin/frmMain.h"
#include "mainwin/frmSearch.h"
#include "model/CFileFnc.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "platform/MediaPlayer.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Shell.h"
#include "visual/frmVis.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <array>
#include <tuple>

namespace {
// A band of the band bar: as wide as the user left it, even where its buttons need less. The
// width is what the bar asks for; where the window is too narrow it still gets less.
class BandBar : public QToolBar {
public:
    BandBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {}
    void setBandWidth(int px) {
        if (px == bandWidth_) return;
        bandWidth_ = px;
        updateGeometry();
    }
    QSize sizeHint() const override {
        QSize s = QToolBar::sizeHint();
        s.setWidth(std::max(s.width(), bandWidth_));
        return s;
    }

private:
    int bandWidth_ = 0;
};

struct ButtonSpec {
    const char* tip;
    const char* icon;
    bool checkable = false;
};

void enable(QAction* a, bool b) {
    if (a) a->setEnabled(b);
}

// The main window stretches the last band of a row to the row's end.
bool endsItsRow(const QMainWindow& w, const QToolBar* b, std::initializer_list<const QToolBar*> bands) {
    if (b->isFloating() || b->orientation() != Qt::Horizontal) return false;
    for (const QToolBar* o : bands)
        if (o != b && o->isVisible() && !o->isFloating() && w.toolBarArea(o) == w.toolBarArea(b) && o->y() == b->y() &&
            o->x() > b->x())
            return false;
    return true;
}
} // namespace

QAction* frmMain::Button(QToolBar* bar, int index) {
    const QList<QAction*> buttons = bar->actions();
    return index >= 1 && index <= buttons.size() ? buttons.at(index - 1) : nullptr;
}

void frmMain::buildMenus() {
    auto menu = [this](QMenu* parent, const char* name, const QString& caption) {
        QMenu* m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [this](QMenu* m, const char* name, const QString& caption, auto slot) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    mnuFile = menu(nullptr, "mnuFile", QStringLiteral("&File"));
    mnuNew = item(mnuFile, "mnuNew", QStringLiteral("&New subtitle file"), &frmMain::mnuNew_Click);
    mnuOpen = item(mnuFile, "mnuOpen", QStringLiteral("&Open subtitle file"), &frmMain::mnuOpen_Click);
    mnuSave = item(mnuFile, "mnuSave", QStringLiteral("&Save subtitle file"), &frmMain::mnuSave_Click);
    mnuSaveAs = item(mnuFile, "mnuSaveAs", QStringLiteral("Save subtitle file &As"), &frmMain::mnuSaveAs_Click);
    mnuFile->addSeparator();
    mnuVideo = item(mnuFile, "mnuVideo", QStringLiteral("Load &Video file"), &frmMain::subLoadVideo);
    mnuFile->addSeparator();
    mnuProps = item(mnuFile, "mnuProps", QStringLiteral("P&roperties"), &frmMain::mnuProps_Click);
    mnuProps2 = item(mnuFile, "mnuProps2", QStringLiteral("Ex&tra Properties"), &frmMain::mnuProps2_Click);
    mnuFile->addSeparator();
    mnuPrint = item(mnuFile, "mnuPrint", QStringLiteral("&Print subtitle Listing"), &frmMain::mnuPrint_Click);
    mnuFile->addSeparator();
    mnuExit = item(mnuFile, "mnuExit", QStringLiteral("E&xit"), &frmMain::mnuExit_Click);

    mnuView = menu(nullptr, "mnuView", QStringLiteral("&Goto"));
    mnuGoto = item(mnuView, "mnuGoto", QStringLiteral("&Current subtitle"), &frmMain::mnuGoto_Click);
    mnuPrevBad = item(mnuView, "mnuPrevBad", QStringLiteral("&Previous bad subtitle"), &frmMain::mnuPrevBad_Click);
    mnuNextBad = item(mnuView, "mnuNextBad", QStringLiteral("&Next bad subtitle"), &frmMain::mnuNextBad_Click);
    mnuView->addSeparator();
    mnuGotoShift = item(mnuView, "mnuGotoShift", QStringLiteral("Shift &Marker"), &frmMain::mnuGotoShift_Click);
    mnuGotoStretch1 =
        item(mnuView, "mnuGotoStretch1", QStringLiteral("Stretch Marker &1"), &frmMain::mnuGotoStretch1_Click);
    mnuGotoStretch2 =
        item(mnuView, "mnuGotoStretch2", QStringLiteral("Stretch Marker &2"), &frmMain::mnuGotoStretch2_Click);
    mnuView->addSeparator();
    MnuFind = item(mnuView, "MnuFind", QStringLiteral("&Find Subtitle"), &frmMain::MnuFind_Click);
    MnuFind2 = item(mnuView, "MnuFind2", QStringLiteral("&Find Next (F3)"), &frmMain::MnuFind2_Click);

    mnuSubPopup = menu(nullptr, "mnuSubPopup", QStringLiteral("S&ubtitle"));
    mnuAdd = item(mnuSubPopup, "mnuAdd", QStringLiteral("&Add sub"), &frmMain::mnuAdd_Click);
    mnuInsert = item(mnuSubPopup, "mnuInsert", QStringLiteral("&Insert sub"), &frmMain::mnuInsert_Click);
    mnuDelete = item(mnuSubPopup, "mnuDelete", QStringLiteral("&Delete sub"), &frmMain::mnuDelete_Click);
    mnuSubPopup->addSeparator();
    mnuMarkerSet = menu(mnuSubPopup, "mnuMarkerSet", QStringLiteral("Set as &Marker"));
    mnuSM = item(mnuMarkerSet, "mnuSM", QStringLiteral("Shift &Marker"), &frmMain::mnuSM_Click);
    mnuSM1 = item(mnuMarkerSet, "mnuSM1", QStringLiteral("Stretch Marker &1"), &frmMain::mnuSM1_Click);
    mnuSM2 = item(mnuMarkerSet, "mnuSM2", QStringLiteral("Stretch Marker &2"), &frmMain::mnuSM2_Click);
    mnuMarkerSet->addSeparator();
    mnuUnMark = item(mnuMarkerSet, "mnuUnMark", QStringLiteral("&No Marker"), &frmMain::mnuUnMark_Click);
    for (QAction* a : {mnuSM, mnuSM1, mnuSM2}) a->setCheckable(true);

    mnuTools = menu(nullptr, "mnuTools", QStringLiteral("&Tools"));
    mnuVisual = item(mnuTools, "mnuVisual", QStringLiteral("&Visual Editor"), &frmMain::subShowHideVisual);
    mnuTools->addSeparator();
    mnuStretch = item(mnuTools, "mnuStretch", QStringLiteral("&Time Stretch"), &frmMain::subSHWzStretch);
    mnuShift = item(mnuTools, "mnuShift", QStringLiteral("Time &Shift"), &frmMain::subSHWzShift);
    mnuSplit = item(mnuTools, "mnuSplit", QStringLiteral("S&plit File"), &frmMain::subSHWzSplit);
    mnuMerge = item(mnuTools, "mnuMerge", QStringLiteral("&Merge File"), &frmMain::subSHWzMerge);

    mnuSettings = menu(nullptr, "mnuSettings", QStringLiteral("&Settings"));
    mnuConfigure = item(mnuSettings, "mnuConfigure", QStringLiteral("&Configure"), &frmMain::mnuConfigure_Click);

    mnuHelp = menu(nullptr, "mnuHelp", QStringLiteral("&Help"));
    mnuMan = item(mnuHelp, "mnuMan", QStringLiteral("&HTML Manual"), &frmMain::mnuMan_Click);
    mnuAbout = item(mnuHelp, "mnuAbout", QStringLiteral("&About Lumerin"), &frmMain::mnuAbout_Click);
}

void frmMain::buildToolbars() {
    auto bar = [this](const char* name, std::initializer_list<ButtonSpec> buttons, void (frmMain::*click)(int)) {
        auto* tb = new BandBar(QString::fromLatin1(name), this);
        tb->setObjectName(QString::fromLatin1(name));
        tb->setToolButtonStyle(Qt::ToolButtonIconOnly);
        tb->setIconSize(QSize(20, 20));
        addToolBar(Qt::TopToolBarArea, tb);
        int index = 0;
        for (const ButtonSpec& b : buttons) {
            ++index;
            QAction* a = nullptr;
            if (!b.tip) {
                a = tb->addSeparator();
            } else {
                const QString tip = QString::fromLatin1(b.tip);
                a = tb->addAction(ToolIcon(QString::fromLatin1(b.icon)), tip);
                a->setToolTip(tip);
                a->setCheckable(b.checkable);
                // UpdateUI follows every button, so a pressed button always shows its state.
                connect(a, &QAction::triggered, this, [this, click, index] {
                    (this->*click)(index);
                    UpdateUI();
                });
            }
            a->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(index));
        }
        return tb;
    };
    Toolbar1 = bar("Toolbar1",
                   {{"New subtitle file", "new"},
                    {"Open subtitle file", "open"},
                    {"Save subtitle file", "save"},
                    {},
                    {"Print a listing of the subtitles", "print"}},
                   &frmMain::Toolbar1_ButtonClick);
    ShowHideBar = bar("ShowHideBar",
                      {{"Show / Hide the visual editor", "visual", true},
                       {"Shift Timing", "shift", true},
                       {"Stretch Timing", "stretch", true},
                       {"Split file", "split", true},
                       {"Merge file", "merge", true}},
                      &frmMain::ShowHideBar_ButtonClick);
    BadBar = bar("BadBar",
                 {{"GoTo current sub", "goto"},
                  {"Previous incorrectly timed sub", "prevbad"},
                  {"Next incorrectly timed sub", "nextbad"},
                  {},
                  {"Find a subtitle containing a search string", "find"}},
                 &frmMain::BadBar_ButtonClick);
    DefBar = bar("DefBar",
                 {{"Add Subtitle", "add"},
                  {"Insert Subtitle before selected", "insert"},
                  {"Delete Subtitle", "delete"},
                  {},
                  {"Set current sub as Shift Marker", "markshift", true},
                  {"Set current sub as Stretch Marker 1", "markstretch1", true},
                  {"Set current sub as Stretch Marker 2", "markstretch2", true}},
                 &frmMain::DefBar_ButtonClick);
}

QToolBar* frmMain::Band(int band) const {
    const std::array<QToolBar*, 4> bands{Toolbar1, ShowHideBar, BadBar, DefBar};
    return band >= 1 && band <= 4 ? bands[band - 1] : nullptr;
}

float frmMain::BandWidth(int band) {
    if (band < 1 || band > 3) return 0;
    // A band on screen has the width the user left it at; before the window shows, the one set.
    QToolBar* b = Band(band);
    if (isVisible() && b->isVisible()) {
        int px = b->width();
        // The stretch to the row's end belongs to the row: the band's own width is what it asks for.
        if (endsItsRow(*this, b, {Toolbar1, ShowHideBar, BadBar, DefBar})) px = std::min(px, b->sizeHint().width());
        bandWidth_[band - 1] = float(px * Twips);
    }
    return bandWidth_[band - 1];
}

void frmMain::setBandWidth(int band, float twips) {
    if (band < 1 || band > 3) return;
    const double px = RoundHalfEven(double(twips) / Twips);
    if (!(px <= QWIDGETSIZE_MAX)) throw RuntimeError(RuntimeError::Overflow, QStringLiteral("band width"));
    bandWidth_[band - 1] = twips;
    // A band asked for less than nothing just takes what its buttons need.
    const int w = int(std::max(px, 0.0));
    static_cast<BandBar*>(Band(band))->setBandWidth(w);
    // A width the band already has needs no new layout.
    if (!isVisible() || Band(band)->width() == w) return;
    relayBands();
}

// A band the user dragged keeps its dragged width over any asked for until it is laid anew:
// the bands are put back in their areas, order and rows, so the width asked for shows at once.
void frmMain::relayBands() {
    std::array<QToolBar*, 4> order{Toolbar1, ShowHideBar, BadBar, DefBar};
    // Where a band sits: its area, its row, its place in the row.
    auto place = [this](const QToolBar* b) {
        const bool across = b->orientation() == Qt::Horizontal;
        return std::tuple{int(toolBarArea(b)), across ? b->y() : b->x(), across ? b->x() : b->y()};
    };
    std::array<std::tuple<int, int, int>, 4> at{};
    std::stable_sort(order.begin(), order.end(),
                     [&place](const QToolBar* a, const QToolBar* b) { return place(a) < place(b); });
    for (size_t i = 0; i < order.size(); ++i) at[i] = place(order[i]);
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i]->isFloating()) continue;
        addToolBar(Qt::ToolBarArea(std::get<0>(at[i])), order[i]);
        if (i > 0 && std::get<0>(at[i]) == std::get<0>(at[i - 1]) && std::get<1>(at[i]) != std::get<1>(at[i - 1]))
            insertToolBarBreak(order[i]);
    }
}

QByteArray frmMain::BandLayout() { return saveState(); }

void frmMain::setBandLayout(const QByteArray& layout) {
    if (!layout.isEmpty()) restoreState(layout);
}

bool frmMain::BandNewRow(int band) { return Band(band) && toolBarBreak(Band(band)); }

void frmMain::setBandNewRow(int band, bool newRow) {
    QToolBar* b = Band(band);
    if (!b || newRow == toolBarBreak(b)) return;
    if (newRow) insertToolBarBreak(b);
    else removeToolBarBreak(b);
}

void frmMain::UpdateUI() {
    if (!cSubs || !mnuFile || !DefBar) return; // still being built

    const QString setting = cSettings ? cSettings->getSettingName() : QString();
    mnuProps2->setText(setting.isEmpty() ? QStringLiteral("Extra Se&ttings") : setting + QStringLiteral(" Se&ttings"));
    mnuProps2->setEnabled(!setting.isEmpty());

    const int n = cSubs->count();
    if (n == 0) {
        for (QAction* a : {Button(BadBar, 2), Button(BadBar, 3), Button(BadBar, 5), Button(Toolbar1, 3), mnuSave,
                           mnuSaveAs, Button(ShowHideBar, 2)})
            enable(a, false);
    } else {
        enable(Button(Toolbar1, 3), bChanged);
        enable(Button(BadBar, 2), picListing->PrevBad() >= 0);
        enable(Button(BadBar, 3), picListing->NextBad() >= 0);
        for (QAction* a : {Button(BadBar, 5), Button(ShowHideBar, 2), mnuSaveAs}) enable(a, true);
    }

    // A negative selection (-1 after deleting the only subtitle) is no selection.
    const int sel = cSel->value();
    if (sel >= 0) {
        enable(Button(BadBar, 1), !picListing->InVision(sel));
        enable(Button(DefBar, 2), true);
        enable(Button(DefBar, 3), true);
    } else {
        enable(Button(DefBar, 2), false);
        enable(Button(DefBar, 3), false);
    }

    enable(Button(ShowHideBar, 3), n >= 2);
    enable(Button(ShowHideBar, 4), n >= 2);

    const std::pair<QAction*, QAction*> twins[] = {
        {mnuSave, Button(Toolbar1, 3)},      {mnuDelete, Button(DefBar, 3)},  {mnuInsert, Button(DefBar, 2)},
        {mnuAdd, Button(DefBar, 1)},         {MnuFind, Button(BadBar, 5)},    {mnuSplit, Button(ShowHideBar, 4)},
        {mnuPrevBad, Button(BadBar, 2)},     {mnuNextBad, Button(BadBar, 3)}, {mnuShift, Button(ShowHideBar, 2)},
        {mnuStretch, Button(ShowHideBar, 3)}};
    for (const auto& [menuItem, twin] : twins) menuItem->setEnabled(twin->isEnabled());
    vis_->mnuPrevBad->setEnabled(mnuPrevBad->isEnabled());
    vis_->mnuNextBad->setEnabled(mnuNextBad->isEnabled());

    const std::pair<QAction*, clsTime*> markers[] = {{mnuSM, cMarkS}, {mnuSM1, cMarkS1}, {mnuSM2, cMarkS2}};
    for (const auto& [menuItem, marker] : markers) {
        menuItem->setEnabled(sel >= 0);
        menuItem->setChecked(sel >= 0 && marker->value() == sel);
    }
    mnuMarkerSet->setEnabled(sel >= 0);
    for (int i = 0; i < 3; ++i) {
        QAction* button = Button(DefBar, 5 + i);
        button->setEnabled(markers[i].first->isEnabled());
        button->setChecked(markers[i].first->isChecked());
    }
    mnuUnMark->setEnabled(mnuSM->isChecked() || mnuSM1->isChecked() || mnuSM2->isChecked());

    subUpdateGoto();
}

void frmMain::subUpdateGoto() {
    const std::pair<clsTime*, QAction*> targets[] = {
        {cSel, Button(BadBar, 1)}, {cMarkS, mnuGotoShift}, {cMarkS1, mnuGotoStretch1}, {cMarkS2, mnuGotoStretch2}};
    for (const auto& [target, command] : targets) {
        const int t = target->value();
        command->setEnabled(t >= 0 && !picListing->InVision(t));
    }
    mnuGoto->setEnabled(Button(BadBar, 1)->isEnabled());
}

bool frmMain::roomForOneMore() {
    if (!cSubs->full()) return true;
    MsgBox(QStringLiteral("The list is full: a subtitle file holds at most %1 subtitles.").arg(clsSubs::Capacity),
           vb::Exclamation);
    return false;
}

void frmMain::appendSub(bool emptyRule) {
    if (!roomForOneMore()) return;
    picListing->BlockRedraw = true;
    const int last = cSubs->count() - 1;
    int index;
    if (emptyRule && last == -1) {
        index = cSubs->AddSub(QString(), 0, 3000);
    } else {
        const qint64 out = cSubs->SubTimeOut(last); // 0 on an empty list
        index = cSubs->AddSub(QString(), SatLong(out + 100), SatLong(out + 3100));
    }
    picListing->SelectSub(index);
    picListing->GoToSel();
    picListing->BlockRedraw = false;
    picListing->Redraw();
    picListing->SetTextFocus();
}

void frmMain::insertSub() {
    if (cSel->value() < 0 || !roomForOneMore()) return;
    cSubs->InsertP(cSel->value(), *cSel, true, QString());
}

void frmMain::setMarker(clsTime* marker) { marker->setValue(cSel->value()); }

void frmMain::Toolbar1_ButtonClick(int index) {
    switch (index) {
    case 1: subNew(); break;
    case 2: subOpen(); break;
    case 3: subSave(); break;
    case 5: subPrint(); break;
    default: break;
    }
}

void frmMain::ShowHideBar_ButtonClick(int index) {
    switch (index) {
    case 2: return subSHWzShift();
    case 3: return subSHWzStretch();
    case 4: return subSHWzSplit();
    case 5: return subSHWzMerge();
    default: break;
    }
    // The button never hides the editor: it brings a shown one to the front.
    if (vis_->isVisible()) {
        vis_->show();
        vis_->raise();
        vis_->activateWindow();
        setVisualButton(true);
        return;
    }
    subShowHideVisual();
    if (!VideoLoaded()) setVisualButton(false);
}

void frmMain::setVisualButton(bool pressed) { Button(ShowHideBar, 1)->setChecked(pressed); }

void frmMain::ShowAbout() { ShowModal(About()); }

void frmMain::SubLoadVideo2() {
    QString path = GetOpenFile(this, MediaFileFilter(), QStringLiteral("Open video file"), MovieFolder());
    if (path == u"cancel") return;
    if (path.endsWith(QChar(0))) path.chop(1);
    MediaPlayer* player = vis_->Player;
    const QString loaded = player->FileName();
    player->setFileName(path);
    // A video that doesn't open is told, and the captions and folders stay as they were.
    if (player->FileName().isEmpty()) {
        MsgBox(QStringLiteral("The video ") + path + QStringLiteral(" could not be opened.\r\n") + player->ErrorText(),
               vb::Exclamation, QStringLiteral("Error"));
        if (!reopenVideo(loaded)) return;
    } else {
        vis_->setWindowTitle(FileTitleOf(path) + QStringLiteral(" - Lumerin Visual Editor"));
        if (LastUsed()) setMovieFolder(FolderOf(path));
    }
    player->Play();
    player->Pause();
    // The Visual Editor has already kept the play time within the new video.
    player->setCurrentPosition(std::min(cTime->value() / 1000.0, player->Duration()));
    vis_->tTrack->setValue(cTime->value());
}

void frmMain::subLoadVideo() {
    SubLoadVideo2();
    if (VideoLoaded()) vis_->show();
    setVisualButton(vis_->isVisible());
}

void frmMain::subShowHideVisual() {
    if (VideoLoaded()) {
        vis_->setVisible(!vis_->isVisible());
    } else {
        subLoadVideo();
        if (!VideoLoaded()) return;
        vis_->SettingsV(); // loaded, not shown
    }
    setVisualButton(vis_->isVisible());
}

void frmMain::BadBar_ButtonClick(int index) {
    switch (index) {
    case 1: picListing->GoToSel(); break;
    case 2: mnuPrevBad_Click(); break;
    case 3: mnuNextBad_Click(); break;
    case 5: MnuFind_Click(); break;
    default: break;
    }
}

void frmMain::DefBar_ButtonClick(int index) {
    switch (index) {
    case 1: appendSub(true); break;
    case 2: insertSub(); break;
    case 3: picListing->Delete(); break;
    case 5: setMarker(cMarkS); break;
    case 6: setMarker(cMarkS1); break;
    case 7: setMarker(cMarkS2); break;
    default: break;
    }
}

void frmMain::mnuProps2_Click() {
    if (cSettings) ShowModal(cSettings->getForm());
}

void frmMain::mnuGoto_Click() { picListing->GoToSel(); }
void frmMain::mnuPrevBad_Click() { cSel->setValue(picListing->PrevBad()); }
void frmMain::mnuNextBad_Click() { cSel->setValue(picListing->NextBad()); }
void frmMain::mnuGotoShift_Click() { picListing->GotoSub(cMarkS->value()); }
void frmMain::mnuGotoStretch1_Click() { picListing->GotoSub(cMarkS1->value()); }
void frmMain::mnuGotoStretch2_Click() { picListing->GotoSub(cMarkS2->value()); }
frmSearch* frmMain::Search() {
    if (!search_) search_ = new frmSearch(picListing, this);
    return search_;
}

void frmMain::MnuFind_Click() { ShowModal(Search()); }
void frmMain::MnuFind2_Click() { picListing->SearchNext(); }
void frmMain::subPrint() { PrintListing(*cSubs, sFile); }
void frmMain::mnuPrint_Click() { subPrint(); }

void frmMain::subShowProps() {
    PropsFigures d;
    d.subs = cSubs;
    d.file = sFile;
    d.time = cTime->value();
    d.sel = cSel->value();
    d.selRange = picListing->GetSelString();
    d.markS = cMarkS->value();
    d.markS1 = cMarkS1->value();
    d.markS2 = cMarkS2->value();
    d.markT = cMarkT->value();
    d.markT1 = cMarkT1->value();
    d.markT2 = cMarkT2->value();
    ShowProps(this, d);
}
void frmMain::mnuProps_Click() { subShowProps(); }

void frmMain::mnuMan_Click() {
    ShellOpen(QStringLiteral("file://") + ProgramFolder() + QStringLiteral("manual/index.html"));
}

frmAbout* frmMain::About() {
    if (!about_) about_ = new frmAbout(this);
    return about_;
}
void frmMain::mnuAbout_Click() { ShowModal(About()); }

frmLegend* frmMain::Legend() {
    if (!legend_) legend_ = new frmLegend(this);
    return legend_;
}

void frmMain::mnuConfigure_Click() {
    ShowModal(settings_);
    UpdateUI();
}

void frmMain::mnuAdd_Click() { appendSub(false); }
void frmMain::mnuInsert_Click() { insertSub(); }
void frmMain::mnuDelete_Click() { picListing->Delete(); }
void frmMain::mnuSM_Click() { setMarker(cMarkS); }
void frmMain::mnuSM1_Click() { setMarker(cMarkS1); }
void frmMain::mnuSM2_Click() { setMarker(cMarkS2); }

void frmMain::mnuUnMark_Click() {
    const int sel = cSel->value();
    for (clsTime* m : {cMarkS, cMarkS1, cMarkS2})
        if (m->value() == sel) m->setValue(-2);
}
