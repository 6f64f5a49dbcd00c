#include "visual/frmVis.h"

#include "controls/SubListing.h"
#include "controls/TimeText.h"
#include "controls/Tracker.h"
#include "controls/timeBar.h"
#include "formats/VisualPlayer.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Desktop.h"
#include "platform/MediaPlayer.h"
#include "platform/Modal.h"
#include "visual/VisualHost.h"
#include "visual/frmSettingsV.h"
#include "visual/frmVProps.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <cmath>
#include <limits>

namespace {
// Measured inside the client area, which already excludes the caption and menu: the allowances
// below place the player, slider and text box with even margins.
constexpr int kSide = 8;              // left of the player, slider and text; each takes W - 2 * kSide
constexpr int kTop = 8;               // above the player
constexpr int kBelowPlayer = 159;     // client height minus player height, slider aside
constexpr int kTrackGap = 7;          // player to slider
constexpr int kFrameGap = 11;         // player to the frames, slider height aside
constexpr int kBottom = 7;            // below the subtitle text
constexpr int kSubButtonsRight = 108; // the right-hand button frame starts this far from the right
constexpr int kSubHeight = 48;        // the subtitle text box
constexpr int kMinWidth = 6240 / 15;
constexpr int kMinHeight = 3600 / 15;

// Seconds of the player to the program's ms, halves to even.
qint32 ms(double seconds) {
    const double v = RoundHalfEven(seconds * 1000);
    if (!(v > -2147483648.0)) return v < 0 ? std::numeric_limits<qint32>::min() : 0; // also NaN
    return v >= 2147483647.0 ? std::numeric_limits<qint32>::max() : qint32(v);
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}
} // namespace

frmVis::frmVis(VisualHost* host, SubListing* listing, timeBar* tline, QWidget* parent)
    : QMainWindow(parent), host_(host), listing_(listing), tBar_(tline) {
    setObjectName(QStringLiteral("frmVis"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Visual Editor"));
    buildControls();
    buildMenus();
    resize(9600 / 15, 8400 / 15);

    // The formats' forms read the player through this: its file, length and length in frames.
    SetVisualPlayerHook([this] {
        VisualPlayerInfo info;
        info.fileName = Player->FileName();
        info.duration = Player->Duration();
        if (!info.fileName.isEmpty()) {
            Player->setDisplayMode(MediaPlayer::Frames);
            info.frames = RoundHalfEven(Player->Duration());
            Player->setDisplayMode(MediaPlayer::Time);
        }
        return info;
    });

    // Load.
    iCurSub_ = -2;
    bPlaying = false;
    if (listing_) listing_->setNoEdit(false);
    UpdateUI();
}

frmVis::~frmVis() { SetVisualPlayerHook({}); }

void frmVis::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    client->installEventFilter(this);

    Player = CreateMediaPlayer(client);
    Player->setObjectName(QStringLiteral("Player"));

    Synchro = new QTimer(this);
    Synchro->setObjectName(QStringLiteral("Synchro"));
    Synchro->setInterval(100);

    tTrack = new Tracker(client);
    tTrack->setObjectName(QStringLiteral("tTrack"));
    tTrack->resize(tTrack->width(), TrackHeightPlain);

    PlayPause = {style()->standardIcon(QStyle::SP_MediaPause), style()->standardIcon(QStyle::SP_MediaPlay)};

    frmTime = frame(client, "frmTime", QStringLiteral("Time "));
    txtTime = new TimeText(frmTime);
    txtTime->setObjectName(QStringLiteral("txtTime"));
    txtTime->setGeometry(8, 18, 94, 22);
    btnSecB = button(frmTime, "btnSecB", QString(), QStringLiteral("Go back a bit"));
    btnSecB->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    btPlayState = button(frmTime, "btPlayState", QString(), QStringLiteral("Play Movie"));
    btPlayState->setIcon(PlayPause[1]);
    btPlayState->setProperty("Tag", QString());
    btnSecF = button(frmTime, "btnSecF", QString(), QStringLiteral("Go forward a bit"));
    btnSecF->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    btnSecB->setGeometry(8, 46, 28, 26);
    btPlayState->setGeometry(38, 46, 34, 26);
    btnSecF->setGeometry(74, 46, 28, 26);

    frmSub = frame(client, "frmSub", QStringLiteral("Sub "));
    txtSubNr = new QLineEdit(frmSub);
    txtSubNr->setObjectName(QStringLiteral("txtSubNr"));
    txtSubNr->setAlignment(Qt::AlignRight);
    txtSubNr->setGeometry(8, 18, 70, 22);
    txtSubNr->installEventFilter(this);
    btPrevSub = button(frmSub, "btPrevSub", QString(), QStringLiteral("Previous subtitle"));
    btPrevSub->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    btNextSub = button(frmSub, "btNextSub", QString(), QStringLiteral("Next subtitle"));
    btNextSub->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    btPrevSub->setGeometry(8, 46, 34, 26);
    btNextSub->setGeometry(44, 46, 34, 26);

    frmSubButtons = frame(client, "frmSubButtons", QString());
    btSetStart = button(frmSubButtons, "btSetStart", QStringLiteral("Set Start"),
                        QStringLiteral("Set the start of the subtitle to this position"));
    btSetEnd = button(frmSubButtons, "btSetEnd", QStringLiteral("Set End"),
                      QStringLiteral("Set the end of the subtitle to this position"));
    btAdd = button(frmSubButtons, "btAdd", QStringLiteral("Insert Subtitle"),
                   QStringLiteral("Insert a subtitle at this position"));
    btAdd->setProperty("Tag", QString());

    frmMark = frame(client, "frmMark", QStringLiteral("Mark Time "));
    btMarkS = button(frmMark, "btMarkS", QStringLiteral("S"), QStringLiteral("Set current time as shift marker"));
    btMarkS1 = button(frmMark, "btMarkS1", QStringLiteral("1"), QStringLiteral("Set current time as stretch marker 1"));
    btMarkS2 = button(frmMark, "btMarkS2", QStringLiteral("2"), QStringLiteral("Set current time as stretch marker 2"));

    frmMarker = frame(client, "frmMarker", QString());
    frmMarker->installEventFilter(this);
    txtMarkTime = new TimeText(frmMarker);
    txtMarkTime->setObjectName(QStringLiteral("txtMarkTime"));
    btSet = button(frmMarker, "btSet", QStringLiteral("Set"), QStringLiteral("Set current time as marker"));
    btGoto = button(frmMarker, "btGoto", QStringLiteral("Go to"), QString());
    frmMarker->hide();

    txtSub = new QPlainTextEdit(client);
    txtSub->setObjectName(QStringLiteral("txtSub"));
    txtSub->installEventFilter(this);
    txtSub->hide();

    connect(Synchro, &QTimer::timeout, this, &frmVis::Synchro_Timer);
    connect(Player, &MediaPlayer::PositionChange, this, &frmVis::Player_PositionChange);
    connect(Player, &MediaPlayer::PlayStateChange, this, &frmVis::Player_PlayStateChange);
    connect(Player, &MediaPlayer::FileOpened, this, &frmVis::Player_FileOpened);
    connect(tTrack, &Tracker::Change, this, &frmVis::tTrack_Change);
    connect(tTrack, &Tracker::ChangeS, this, &frmVis::tTrack_ChangeS);
    connect(tTrack, &Tracker::RightClick, this, &frmVis::tTrack_RightClick);
    connect(txtTime, &TimeText::Change, this, &frmVis::txtTime_Change);
    connect(txtMarkTime, &TimeText::Change, this, &frmVis::txtMarkTime_Change);
    connect(btnSecB, &QPushButton::clicked, this, &frmVis::btnSecB_Click);
    connect(btnSecF, &QPushButton::clicked, this, &frmVis::btnSecF_Click);
    connect(btPlayState, &QPushButton::clicked, this, &frmVis::btPlayState_Click);
    connect(btPrevSub, &QPushButton::clicked, this, &frmVis::btPrevSub_Click);
    connect(btNextSub, &QPushButton::clicked, this, &frmVis::btNextSub_Click);
    connect(btSetStart, &QPushButton::clicked, this, &frmVis::btSetStart_Click);
    connect(btSetEnd, &QPushButton::clicked, this, &frmVis::btSetEnd_Click);
    connect(btAdd, &QPushButton::clicked, this, &frmVis::btAdd_Click);
    connect(btMarkS, &QPushButton::clicked, this, [this] { setMarker(1); });
    connect(btMarkS1, &QPushButton::clicked, this, [this] { setMarker(2); });
    connect(btMarkS2, &QPushButton::clicked, this, [this] { setMarker(3); });
    connect(btSet, &QPushButton::clicked, this, &frmVis::btSet_Click);
    connect(btGoto, &QPushButton::clicked, this, &frmVis::btGoto_Click);
}

void frmVis::buildMenus() {
    auto item = [](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    auto menu = [](QWidget* parent, const char* name, const QString& caption) {
        auto* m = new QMenu(caption, parent);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    mnuFile = menu(this, "mnuFile", QStringLiteral("&File"));
    mnuOpen = item(mnuFile, "mnuOpen", QStringLiteral("&Open video file"));
    mnuProps = item(mnuFile, "mnuProps", QStringLiteral("&Properties"));
    mnuFile->addSeparator();
    mnuClos = item(mnuFile, "mnuClos", QStringLiteral("&Close"));

    mnuGoto = menu(this, "mnuGoto", QStringLiteral("&Goto"));
    mnuPrevSub = item(mnuGoto, "mnuPrevSub", QStringLiteral("&Previous subtitle"));
    mnuNextSub = item(mnuGoto, "mnuNextSub", QStringLiteral("&Next subtitle"));
    mnuGoto->addSeparator();
    mnuPrevBad = item(mnuGoto, "mnuPrevBad", QStringLiteral("Previous &Incorrect subtitle"));
    mnuNextBad = item(mnuGoto, "mnuNextBad", QStringLiteral("Ne&xt Incorrect subtitle"));
    mnuGoto->addSeparator();
    mnuGotoMarker = menu(mnuGoto, "mnuGotoMarker", QStringLiteral("&Marker"));
    mnuGoto->addMenu(mnuGotoMarker);
    mnuGotoM = item(mnuGotoMarker, "mnuGotoM", QStringLiteral("Shift &Marker Time"));
    mnuGotoM1 = item(mnuGotoMarker, "mnuGotoM1", QStringLiteral("Stretch Marker &1 Time"));
    mnuGotoM2 = item(mnuGotoMarker, "mnuGotoM2", QStringLiteral("Stretch Marker &2 Time"));

    mnuMarkers = menu(this, "mnuMarkers", QStringLiteral("&Markers"));
    mnuSetMarker = menu(mnuMarkers, "mnuSetMarker", QStringLiteral("&Set time as marker"));
    mnuMarkers->addMenu(mnuSetMarker);
    mnuSetM = item(mnuSetMarker, "mnuSetM", QStringLiteral("&Shift Marker"));
    mnuSetM1 = item(mnuSetMarker, "mnuSetM1", QStringLiteral("Stretch Marker &1"));
    mnuSetM2 = item(mnuSetMarker, "mnuSetM2", QStringLiteral("Stretch Marker &2"));
    mnuDisplayM = menu(mnuMarkers, "mnuDisplayM", QStringLiteral("&Display Marker"));
    mnuMarkers->addMenu(mnuDisplayM);
    mnuDispNone = item(mnuDisplayM, "mnuDispNone", QStringLiteral("&None"));
    mnuDispM = item(mnuDisplayM, "mnuDispM", QStringLiteral("&Shift Marker"));
    mnuDispM1 = item(mnuDisplayM, "mnuDispM1", QStringLiteral("Stretch Marker &1"));
    mnuDispM2 = item(mnuDisplayM, "mnuDispM2", QStringLiteral("Stretch Marker &2"));
    for (QAction* a : {mnuDispNone, mnuDispM, mnuDispM1, mnuDispM2}) a->setCheckable(true);

    mnuSettings = menu(this, "mnuSettings", QStringLiteral("&Settings"));
    mnuConfigure = item(mnuSettings, "mnuConfigure", QStringLiteral("&Configure"));
    mnuHelp = menu(this, "mnuHelp", QStringLiteral("&Help"));
    mnuAbout = item(mnuHelp, "mnuAbout", QStringLiteral("&About"));

    for (QMenu* m : {mnuFile, mnuGoto, mnuMarkers, mnuSettings, mnuHelp}) menuBar()->addMenu(m);

    connect(mnuOpen, &QAction::triggered, this, &frmVis::mnuOpen_Click);
    connect(mnuProps, &QAction::triggered, this, &frmVis::mnuProps_Click);
    connect(mnuClos, &QAction::triggered, this, &frmVis::mnuClos_Click);
    connect(mnuPrevSub, &QAction::triggered, this, &frmVis::btPrevSub_Click);
    connect(mnuNextSub, &QAction::triggered, this, &frmVis::btNextSub_Click);
    connect(mnuPrevBad, &QAction::triggered, this, &frmVis::mnuPrevBad_Click);
    connect(mnuNextBad, &QAction::triggered, this, &frmVis::mnuNextBad_Click);
    connect(mnuGotoM, &QAction::triggered, this, [this] { gotoMarker(1); });
    connect(mnuGotoM1, &QAction::triggered, this, [this] { gotoMarker(2); });
    connect(mnuGotoM2, &QAction::triggered, this, [this] { gotoMarker(3); });
    connect(mnuSetM, &QAction::triggered, this, [this] { setMarker(1); });
    connect(mnuSetM1, &QAction::triggered, this, [this] { setMarker(2); });
    connect(mnuSetM2, &QAction::triggered, this, [this] { setMarker(3); });
    connect(mnuDispNone, &QAction::triggered, this, [this] { showMarker(0); });
    connect(mnuDispM, &QAction::triggered, this, [this] { showMarker(1); });
    connect(mnuDispM1, &QAction::triggered, this, [this] { showMarker(2); });
    connect(mnuDispM2, &QAction::triggered, this, [this] { showMarker(3); });
    connect(mnuConfigure, &QAction::triggered, this, &frmVis::mnuConfigure_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmVis::mnuAbout_Click);
}

// ---- binding and life

void frmVis::SetTime(clsTime* c) {
    if (cTime) disconnect(cTime, nullptr, this, nullptr);
    cTime = c;
    if (c) connect(c, &clsTime::Change, this, &frmVis::cTime_Change);
}

void frmVis::SetStructs(clsSubs* c, clsTime* s, clsTime* t, clsTime* t1, clsTime* t2) {
    for (QObject* o : std::initializer_list<QObject*>{cSubs, cSel, cMarkT, cMarkT1, cMarkT2})
        if (o) disconnect(o, nullptr, this, nullptr);
    cSubs = c;
    cSel = s;
    cMarkT = t;
    cMarkT1 = t1;
    cMarkT2 = t2;
    if (c) {
        connect(c, &clsSubs::Change, this, &frmVis::cSubs_Change);
        connect(c, &clsSubs::CountChange, this, &frmVis::cSubs_CountChange);
        connect(c, &clsSubs::MajorChange, this, &frmVis::cSubs_MajorChange);
    }
    if (s) connect(s, &clsTime::Change, this, &frmVis::cSel_Change);
    if (t) connect(t, &clsTime::Change, this, &frmVis::cMarkT_Change);
    if (t1) connect(t1, &clsTime::Change, this, &frmVis::cMarkT1_Change);
    if (t2) connect(t2, &clsTime::Change, this, &frmVis::cMarkT2_Change);
    iCurSub_ = s ? s->value() : -2;
    UpdateUI();
}

void frmVis::SavePlayState() {
    bPlayingSaved_ = bPlaying;
    bPlaying = false;
}

// The video may have ended or been paused meanwhile: only a player still playing is playing.
void frmVis::RestorePlayState() { bPlaying = bPlayingSaved_ && Player->PlayState() == MediaPlayer::Playing; }

void frmVis::Unload() {
    unloading_ = true;
    close();
}

frmSettingsV* frmVis::SettingsV() {
    if (!settings_) settings_ = new frmSettingsV(Synchro, txtSub, this);
    return settings_;
}

bool frmVis::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && host_) host_->setVisualButton(true);
    return QMainWindow::event(e);
}

void frmVis::closeEvent(QCloseEvent* e) {
    if (unloading_) {
        e->accept();
        return;
    }
    e->ignore();
    closeBox(false);
}

void frmVis::closeBox(bool pauseByState) {
    if (pauseByState ? Player->PlayState() == MediaPlayer::Playing : bPlaying) Player->Pause();
    hide();
    if (host_) host_->setVisualButton(isVisible());
}

void frmVis::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) &&
        (width() < kMinWidth || height() < kMinHeight))
        resize(std::max(width(), kMinWidth), std::max(height(), kMinHeight));
}

void frmVis::Form_Layout() {
    if (windowState() & Qt::WindowMinimized) return;
    const QWidget* client = centralWidget();
    const int W = client->width(), H = client->height();
    const int wide = std::max(0, W - 2 * kSide);
    const int trackH = tTrack->height();
    const int playerH = std::max(0, H - kBelowPlayer - trackH);
    Player->setGeometry(kSide, kTop, wide, playerH);
    const int playerBottom = kTop + playerH;
    tTrack->setGeometry(kSide, playerBottom + kTrackGap, wide, trackH);

    const int subTop = H - kSubHeight - kBottom;
    txtSub->setGeometry(kSide, subTop, wide, kSubHeight);

    const int framesTop = playerBottom + trackH + kFrameGap;
    const int framesH = std::max(0, subTop - 4 - framesTop);
    frmTime->setGeometry(kSide, framesTop, 110, framesH);
    frmSub->setGeometry(frmTime->geometry().right() + 5, framesTop, 86, framesH);
    const int buttonsLeft = W - kSubButtonsRight;
    frmSubButtons->setGeometry(buttonsLeft, framesTop, kSubButtonsRight - kSide, framesH);
    const int markLeft = frmSub->geometry().right() + 5;
    const int markW = std::clamp(buttonsLeft - 4 - markLeft, 96, 200);
    frmMark->setGeometry(markLeft, framesTop, markW, framesH);
    frmMarker->setGeometry(markLeft, framesTop, markW, framesH);

    const int bw = frmSubButtons->width() - 8;
    btSetStart->setGeometry(4, 4, bw, 24);
    btSetEnd->setGeometry(4, 30, bw, 24);
    btAdd->setGeometry(4, 56, bw, 24);
    const int mw = (markW - 16) / 3;
    btMarkS->setGeometry(6, 46, mw, 26);
    btMarkS1->setGeometry(8 + mw, 46, mw, 26);
    btMarkS2->setGeometry(10 + 2 * mw, 46, mw, 26);
    txtMarkTime->setGeometry(6, 18, markW - 12, 22);
    const int hw = (markW - 14) / 2;
    btSet->setGeometry(6, 46, hw, 26);
    btGoto->setGeometry(8 + hw, 46, hw, 26);
}

bool frmVis::eventFilter(QObject* watched, QEvent* e) {
    if (watched == centralWidget()) {
        if (e->type() == QEvent::Resize) Form_Layout();
    } else if (watched == txtSub) {
        if (e->type() == QEvent::KeyRelease || e->type() == QEvent::FocusOut) txtSub_Commit();
    } else if (watched == txtSubNr) {
        switch (e->type()) {
        case QEvent::FocusIn:
            // After the click that gave the focus has placed the caret.
            QTimer::singleShot(0, txtSubNr, &QLineEdit::selectAll);
            break;
        case QEvent::FocusOut:
            txtSubNr->setText(cSel && cSel->value() >= 0 ? QString::number(cSel->value()) : QString());
            break;
        case QEvent::KeyPress: return txtSubNr_KeyPress(static_cast<QKeyEvent*>(e)->key());
        default: break;
        }
    } else if (watched == frmMarker && e->type() == QEvent::MouseButtonPress) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::RightButton) PopupMenu(mnuDisplayM, m->globalPosition().toPoint());
    }
    return QMainWindow::eventFilter(watched, e);
}

// ---- the player and the play time

void frmVis::takePosition() {
    if (cTime) cTime->setValue(ms(Player->CurrentPosition()));
}

void frmVis::Synchro_Timer() {
    if (bPlaying) takePosition();
}

void frmVis::Player_PositionChange(double, double) {
    if (placing_) {
        placing_ = false;
        if (cTime && !bPlaying && std::fabs(Player->CurrentPosition() - cTime->value() / 1000.0) >= 0.0005)
            Player->setCurrentPosition(cTime->value() / 1000.0);
        return;
    }
    // Near the end the player reports its clamped end position, which is not a play time.
    if (std::fabs(Player->CurrentPosition() - Player->Duration()) >= 0.01) takePosition();
}

void frmVis::followPlaytime() {
    if (tBar_ && std::fabs(Player->CurrentPosition() - Player->Duration()) >= 0.1)
        tBar_->FollowPlaytime(ms(Player->CurrentPosition()));
}

void frmVis::cTime_Change() {
    if (!cTime) return;
    const qint32 t = cTime->value();
    if (!bPlaying) Player->setCurrentPosition(t / 1000.0);
    followPlaytime();
    txtTime->setlTime(t);
    tTrack->setValue(t);
    CheckCurrentSub();
    if (!bPlaying) seekButtons();
    navigationEnabling();
    playControls();
    frmTime->update();
}

void frmVis::CheckCurrentSub() {
    if (!cSubs || !cSel || !cTime || keepSelection_) return;
    const qint32 t = cTime->value();
    if (iCurSub_ >= 0 && iCurSub_ < cSubs->count() && cSubs->SubTimeIn(iCurSub_) <= t &&
        t < cSubs->SubTimeOut(iCurSub_))
        return;
    const int i = cSubs->FindSub(t);
    if (listing_) listing_->SelectSub(i);
    else cSel->setValue(i);
}

void frmVis::cSel_Change() {
    iCurSub_ = cSel->value();
    if (iCurSub_ >= 0 && !bPlaying && cTime && cSubs) cTime->setValue(cSubs->SubTimeIn(iCurSub_));
    showCurrentSub();
}

void frmVis::cSubs_Change(int iSub) {
    if (cSel && iSub == cSel->value()) showCurrentSub();
}

void frmVis::cSubs_CountChange() { navigationEnabling(); }
void frmVis::cSubs_MajorChange() { UpdateUI(); }

void frmVis::Player_PlayStateChange(int, int NewState) {
    bPlaying = NewState == MediaPlayer::Playing;
    if (NewState == MediaPlayer::Stopped && tBar_) tBar_->lCurrentPosition = ms(Player->CurrentPosition());
    if (listing_) listing_->setNoEdit(bPlaying);
    if (bPlaying) Synchro->start();
    else Synchro->stop();
    if (bPlaying) {
        btPlayState->setProperty("Tag", QStringLiteral("play"));
        btPlayState->setIcon(PlayPause[0]);
        btPlayState->setToolTip(QStringLiteral("Pause Movie"));
    } else {
        btPlayState->setProperty("Tag", QString());
        btPlayState->setIcon(PlayPause[1]);
        btPlayState->setToolTip(QStringLiteral("Play Movie"));
    }
    playControls();
}

void frmVis::Player_FileOpened() {
    const qint32 length = ms(Player->Duration());
    tTrack->setMax(length);
    tTrack->Draw();
    UpdateUI();
    if (tBar_) tBar_->setMovieTime(length); // redraws the time line
    // A new video keeps the selection and the play time, which only a shorter video moves to its
    // end (a length of 0 is unknown).
    if (cTime && length > 0 && cTime->value() > length) {
        keepSelection_ = true;
        cTime->setValue(length);
        keepSelection_ = false;
    }
    // The player has not reached the play time yet, so the time line is told it directly.
    if (tBar_ && cTime) tBar_->FollowPlaytime(cTime->value());
    placing_ = true;
}

// ---- enabling and showing

void frmVis::UpdateUI() {
    if (!cSel || !cSubs) return;
    const std::array<QAction*, 4> items{mnuDispNone, mnuDispM, mnuDispM1, mnuDispM2};
    for (QAction* a : items) a->setChecked(false);
    static const char* const captions[] = {"", "Shift Marker ", "First Stretch Marker ", "Second Stretch Marker "};
    static const char* const tips[] = {"", "Goto shift marker-time", "Goto stretch marker-time 1",
                                       "Goto stretch marker-time 2"};
    frmMark->setVisible(iMarker_ == 0);
    frmMarker->setVisible(iMarker_ != 0);
    if (iMarker_ != 0) frmMarker->setTitle(QString::fromLatin1(captions[iMarker_]));
    btGoto->setToolTip(QString::fromLatin1(tips[iMarker_]));
    btGoto->setEnabled(iMarker_ != 0);
    items[iMarker_]->setChecked(true);

    showMarkerTime();
    playControls();
    showCurrentSub();
}

void frmVis::showMarkerTime() {
    if (clsTime* m = marker(iMarker_)) txtMarkTime->setlTime(m->value());
}

void frmVis::playControls() {
    const bool halted = !bPlaying;
    txtSub->setEnabled(halted);
    txtSubNr->setEnabled(halted);
    txtTime->setEnabled(halted);
    const double position = Player->CurrentPosition();
    btnSecB->setEnabled(halted && position > 0);
    // A video whose length is unknown has no last millisecond to stop at.
    const double length = Player->Duration();
    btnSecF->setEnabled(halted && (length <= 0 || std::floor(length * 1000) > std::floor(position * 1000)));
}

void frmVis::seekButtons() {
    if (!cSubs || !cTime) return;
    const int n = cSubs->count();
    const qint32 t = cTime->value();
    btSetStart->setEnabled(t <= cSubs->SubTimeOut(n - 1));
    btSetEnd->setEnabled(t >= cSubs->SubTimeIn(0));
}

void frmVis::navigationEnabling() {
    if (!cSubs || !cSel) return;
    const int n = cSubs->count();
    const int s = cSel->value();
    const qint32 t = cTime ? cTime->value() : 0;
    if (n == 0) {
        for (QPushButton* b : {btNextSub, btPrevSub, btSetStart, btSetEnd}) b->setEnabled(false);
    } else {
        btPrevSub->setEnabled(s != 0);
        btNextSub->setEnabled(s != n - 1);
        if (s < 0) {
            const bool beforeLast = t <= cSubs->SubTimeOut(n - 1);
            const bool afterFirst = t >= cSubs->SubTimeIn(0);
            btNextSub->setEnabled(beforeLast);
            btSetStart->setEnabled(beforeLast);
            btPrevSub->setEnabled(afterFirst);
            btSetEnd->setEnabled(afterFirst);
        }
    }
    mnuPrevSub->setEnabled(btPrevSub->isEnabled());
    mnuNextSub->setEnabled(btNextSub->isEnabled());
}

void frmVis::showCurrentSub() {
    if (!cSubs || !cSel) return;
    const int s = cSel->value();
    if (s < 0) {
        txtSubNr->clear();
        txtSub_Show(QString());
        txtSub->hide();
        btAdd->setText(QStringLiteral("Insert Subtitle"));
        btAdd->setToolTip(QStringLiteral("Insert a subtitle at this position"));
        btAdd->setProperty("Tag", QString());
    } else {
        btSetStart->setEnabled(true);
        btSetEnd->setEnabled(true);
        txtSubNr->setText(QString::number(s));
        txtSub->show();
        txtSub_Show(cSubs->SubText(s));
        btAdd->setText(QStringLiteral("Delete Subtitle"));
        btAdd->setToolTip(QStringLiteral("Delete this subtitle"));
        btAdd->setProperty("Tag", QStringLiteral("d"));
    }
    navigationEnabling();
    frmSub->update();
}

// ---- the subtitle's text and number

void frmVis::txtSub_Show(const QString& stored) {
    QString shown = stored;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shownSub_ = shown;
    if (txtSub->toPlainText() == shown) return;
    // Typing a line-break marker comes back here as a real break: keep the caret where it was.
    const int caret = txtSub->textCursor().position();
    showingSub_ = true;
    txtSub->setPlainText(shown);
    QTextCursor c = txtSub->textCursor();
    c.setPosition(std::min<int>(caret, int(shown.size())));
    txtSub->setTextCursor(c);
    showingSub_ = false;
}

void frmVis::txtSub_Commit() {
    if (showingSub_ || !cSubs || !cSel || cSel->value() < 0 || !txtSub->isVisible()) return;
    QString text = txtSub->toPlainText();
    // Keys that edit nothing (arrows, modifiers) leave the subtitle alone.
    if (text == shownSub_) return;
    text.replace(u'\n', QStringLiteral("\r\n"));
    const QString marker = NewLineField();
    if (!marker.isEmpty()) text.replace(marker, QStringLiteral("\r\n"), Qt::CaseSensitive);
    cSubs->setSubText(cSel->value(), text);
}

bool frmVis::txtSubNr_KeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    // Enter never beeps here; it selects the subtitle of the number typed.
    if (bPlaying || !cSubs || !cSel || cSubs->count() == 0) return true;
    const double n = std::clamp(RoundHalfEven(Val(txtSubNr->text())), 0.0, double(cSubs->count() - 1));
    cSel->setValue(int(n));
    QCoreApplication::processEvents();
    txtSubNr->selectAll();
    return true;
}

// ---- commands

void frmVis::tTrack_Change() {
    placing_ = false; // the user has put the player somewhere
    Player->setCurrentPosition(tTrack->value() / 1000.0);
}

void frmVis::tTrack_ChangeS() {
    if (clsTime* m = marker(iMarker_)) m->setValue(tTrack->sValue());
}

void frmVis::tTrack_RightClick() { PopupMenu(mnuDisplayM, QCursor::pos()); }

void frmVis::txtTime_Change(qint32 lTime) {
    if (cTime) cTime->setValue(lTime);
}

void frmVis::txtMarkTime_Change(qint32 lTime) {
    if (clsTime* m = marker(iMarker_)) m->setValue(lTime);
}

void frmVis::btnSecB_Click() {
    if (!cTime) return;
    cTime->setValue(SatLong(qint64(cTime->value()) - 100));
    CheckCurrentSub();
}

void frmVis::btnSecF_Click() {
    if (!cTime) return;
    cTime->setValue(SatLong(qint64(cTime->value()) + 100));
    CheckCurrentSub();
}

void frmVis::btPlayState_Click() {
    if (btPlayState->property("Tag").toString() == QLatin1String("play")) Player->Pause();
    else Player->Play();
}

void frmVis::nextPrev(bool next) {
    if (!cSubs || !cSel || !cTime) return;
    if (cSel->value() < 0)
        cSel->setValue(next ? cSubs->FindSubAfter(cTime->value()) : cSubs->FindSubBefore(cTime->value()));
    else cSel->setValue(cSel->value() + (next ? 1 : -1));
    // While halted the selection moves the play time itself.
    if (cSel->value() >= 0 && bPlaying) Player->setCurrentPosition(cSubs->SubTimeIn(cSel->value()) / 1000.0);
}

void frmVis::btPrevSub_Click() { nextPrev(false); }
void frmVis::btNextSub_Click() { nextPrev(true); }

void frmVis::btSetStart_Click() {
    if (!cSubs || !cSel || !cTime) return;
    const int i = cSel->value() >= 0 ? cSel->value() : cSubs->FindSubAfter(cTime->value());
    cSubs->setSubTimeIn(i, cTime->value());
    CheckCurrentSub();
    navigationEnabling();
}

void frmVis::btSetEnd_Click() {
    if (!cSubs || !cSel || !cTime) return;
    const int i = cSel->value() >= 0 ? cSel->value() : cSubs->FindSubBefore(cTime->value());
    cSubs->setSubTimeOut(i, cTime->value());
    CheckCurrentSub();
    navigationEnabling();
}

void frmVis::btAdd_Click() {
    if (!cSubs || !cSel || !cTime) return;
    if (btAdd->property("Tag").toString() == QLatin1String("d")) {
        cSubs->Delete(cSel->value(), *cSel, true);
    } else {
        cSubs->InsertT(cTime->value(), *cSel, true, QString());
        txtSub->setFocus();
    }
    followPlaytime();
}

clsTime* frmVis::marker(int k) const {
    switch (k) {
    case 1: return cMarkT;
    case 2: return cMarkT1;
    case 3: return cMarkT2;
    default: return nullptr;
    }
}

void frmVis::showMarker(int k) {
    clsTime* m = marker(k);
    if (k != 0 && !m) return;
    iMarker_ = m ? k : 0;
    if (m) {
        tTrack->resize(tTrack->width(), TrackHeightMarker);
        tTrack->SetSelect(true, m->value());
    } else {
        tTrack->resize(tTrack->width(), TrackHeightPlain);
        tTrack->SetSelect(false);
    }
    Form_Layout();
    UpdateUI();
}

void frmVis::setMarker(int k) {
    clsTime* m = marker(k);
    if (!m || !cTime) return;
    m->setValue(cTime->value());
    showMarker(k);
}

void frmVis::btSet_Click() {
    if (clsTime* m = marker(iMarker_); m && cTime) m->setValue(cTime->value());
}

void frmVis::gotoMarker(int k) {
    clsTime* m = marker(k);
    if (!m || !cTime) return;
    const bool wasPlaying = Player->PlayState() == MediaPlayer::Playing;
    if (wasPlaying) Player->Pause();
    cTime->setValue(m->value());
    if (wasPlaying) Player->Play();
}

void frmVis::btGoto_Click() { gotoMarker(iMarker_); }

void frmVis::markerChanged(int k) {
    if (iMarker_ == k) tTrack->setsValue(marker(k)->value());
    showMarkerTime();
}

void frmVis::cMarkT_Change() { markerChanged(1); }
void frmVis::cMarkT1_Change() { markerChanged(2); }
void frmVis::cMarkT2_Change() { markerChanged(3); }

void frmVis::mnuOpen_Click() {
    if (host_) host_->subLoadVideo();
}

void frmVis::mnuProps_Click() {
    frmVProps form(this);
    form.Fill(*Player);
    ShowModal(&form);
}

void frmVis::mnuClos_Click() { closeBox(true); }

void frmVis::mnuPrevBad_Click() {
    if (listing_ && cSel) cSel->setValue(listing_->PrevBad());
}

void frmVis::mnuNextBad_Click() {
    if (listing_ && cSel) cSel->setValue(listing_->NextBad());
}

void frmVis::mnuConfigure_Click() { ShowModal(SettingsV()); }

void frmVis::mnuAbout_Click() {
    if (host_) host_->ShowAbout();
}
