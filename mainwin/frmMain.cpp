#include "mainwin/frmMain.h"
#include "controls/SubListing.h"
#include "controls/timeBar.h"
#include "formats/VisualPlayer.h"
#include "formats/intFile.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Desktop.h"
#include "platform/Unloadable.h"
#include "visual/frmVis.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>

namespace {
// Measured inside the central widget, which already excludes the menu and band bar: these
// margins keep the listing and strip clear of the window's edges.
constexpr int kSideMargin = 8;   // each side of the listing and the bottom strip
constexpr int kBottomMargin = 2; // below the bottom strip
constexpr int kGap = 3;          // between the listing and the bottom strip
constexpr int kMinWidthTwips = 5000;
constexpr int kMinHeightTwips = 4000;
} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Untitled - Lumerin"));
    buildMenus();
    buildControls();
    Form_Load();
    resize(760, 560);
}

frmMain::~frmMain() { SetVideoLoadHook({}); }

void frmMain::buildControls() {
    buildToolbars();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);
    // The client area also changes when a band of the band bar moves to another row.
    central->installEventFilter(this);

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

    // Loaded hidden for the whole run: its load reads "lumi.ini".
    settings_ = new frmSettings(picListing, this, this);
    vis_ = new frmVis(this, picListing, tBar, this);

    // Before the views bind: the bounds must fall before the listing's own handlers run.
    connectViews();

    picListing->SetStruct(cSubs, cSel, cSelA, cSelB);
    picListing->SetMarkers(cMarkS, cMarkS1, cMarkS2);
    tBar->SetSubs(cSubs);
    tBar->SetTime(bTime, cMarkT, cMarkT1, cMarkT2);
    tBar->SetSel(cSel, cMarkS, cMarkS1, cMarkS2, cSelA, cSelB);
    vis_->SetTime(cTime);
    vis_->SetStructs(cSubs, cSel, cMarkT, cMarkT1, cMarkT2);
    SetVideoLoadHook([this] { SubLoadVideo2(); });
    createTools();

    tBar->Redraw();
    UpdateUI();
    openCommandLine();
}

void frmMain::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const int minW = kMinWidthTwips / Twips, minH = kMinHeightTwips / Twips;
        if (width() < minW || height() < minH) {
            resize(std::max(width(), minW), std::max(height(), minH));
            return; // the resize arranges the children
        }
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* e) {
    if (watched == centralWidget() && e->type() == QEvent::Resize && !(windowState() & Qt::WindowMinimized))
        subArrange();
    return QMainWindow::eventFilter(watched, e);
}

void frmMain::subArrange() {
    QWidget* client = centralWidget();
    const int W = client->width(), H = client->height();
    const int scrH = scrBar->sizeHint().height();
    const int rulers = bRulers ? 20 : 0;
    const int barH = scrH + 34 + 3 + rulers;
    // However many rows the band bar takes, the window keeps room for the strip and a listing
    // that still shows its rows and scroll arrows.
    const QSize listMin = picListing->minimumSizeHint();
    client->setMinimumSize(listMin.width() + 2 * kSideMargin, listMin.height() + kGap + barH + kBottomMargin);
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

QString frmMain::SubFolder() const { return settings_->txtSubs->text(); }
void frmMain::setSubFolder(const QString& f) { settings_->txtSubs->setText(f); }
QString frmMain::MovieFolder() const { return settings_->txtMovie->text(); }
void frmMain::setMovieFolder(const QString& f) { settings_->txtMovie->setText(f); }
bool frmMain::LastUsed() const { return settings_->chLastUsed->checkState() == Qt::Checked; }
void frmMain::setLastUsed(bool b) { settings_->chLastUsed->setChecked(b); }
