#include "visual/frmTimeSelector.h"
#include "controls/TimeText.h"
#include "controls/Tracker.h"
#include "model/Num.h"
#include "platform/MediaPlayer.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kWidth = 400;

// Seconds to whole ms, halves to even, saturated to the Long range.
qint32 ms(double seconds) {
    const double v = RoundHalfEven(seconds * 1000.0);
    if (!(v > -2147483648.0)) return std::numeric_limits<qint32>::min();
    if (!(v < 2147483647.0)) return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(v);
}

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QPushButton* iconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const char* tip) {
    auto* b = named(new QPushButton(parent), name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(QString::fromLatin1(tip));
    b->setAutoDefault(false);
    return b;
}
} // namespace

frmTimeSelector::frmTimeSelector(int synchroInterval, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTimeSelector"));
    setWindowTitle(QStringLiteral("Select Time"));
    PlayPause = {style()->standardIcon(QStyle::SP_MediaPause), style()->standardIcon(QStyle::SP_MediaPlay)};

    Player = CreateMediaPlayer(this);
    Player->setObjectName(QStringLiteral("Player"));
    Player->setGeometry(8, 8, kWidth - 16, 216);
    Synchro = named(new QTimer(this), "Synchro");
    Synchro->setInterval(synchroInterval);
    tTrack = named(new Tracker(this), "tTrack");
    tTrack->setGeometry(8, 230, kWidth - 16, 270 / 15);

    frmTime = named(new QGroupBox(QStringLiteral("Time "), this), "frmTime");
    frmTime->setGeometry(8, 254, 196, 84);
    txtTime = named(new TimeText(frmTime), "txtTime");
    txtTime->setGeometry(10, 22, 96, 21);
    btnSecB = iconButton(frmTime, "btnSecB", QStyle::SP_MediaSeekBackward, "Go back a bit");
    btnSecB->setGeometry(10, 50, 30, 26);
    btPlayState = iconButton(frmTime, "btPlayState", QStyle::SP_MediaPlay, "Play Movie");
    btPlayState->setGeometry(44, 50, 30, 26);
    btnSecF = iconButton(frmTime, "btnSecF", QStyle::SP_MediaSeekForward, "Go forward a bit");
    btnSecF->setGeometry(78, 50, 30, 26);

    Frame1 = named(new QGroupBox(QStringLiteral("Selected Time "), this), "Frame1");
    Frame1->setGeometry(212, 254, kWidth - 220, 84);
    txtSelTime = named(new TimeText(Frame1), "txtSelTime");
    txtSelTime->setGeometry(10, 22, 96, 21);
    btGoto = iconButton(Frame1, "btGoto", QStyle::SP_ArrowUp, "Goto currently selected time");
    btGoto->setGeometry(10, 50, 30, 26);
    btCurrent = iconButton(Frame1, "btCurrent", QStyle::SP_ArrowDown, "Select current time");
    btCurrent->setGeometry(44, 50, 30, 26);

    lbInfo = named(new QLabel(QStringLiteral("Please select the time and click OK"), this), "lbInfo");
    lbInfo->setGeometry(8, 344, kWidth - 16, 34);
    lbInfo->setWordWrap(true);
    lbCap = named(new QLabel(this), "lbCap");
    lbCap->setGeometry(8, 380, kWidth - 16, 34);
    lbCap->setWordWrap(true);
    lbCap->hide();
    btOk = named(new QPushButton(QStringLiteral("OK"), this), "btOk");
    btOk->setGeometry(kWidth - 98, 420, 90, 26);
    btOk->setAutoDefault(false);
    setFixedSize(kWidth, 454);

    connect(Player, &MediaPlayer::FileOpened, this, &frmTimeSelector::Player_FileOpened);
    connect(Player, &MediaPlayer::PlayStateChange, this, &frmTimeSelector::Player_PlayStateChange);
    connect(Player, &MediaPlayer::PositionChange, this, &frmTimeSelector::Player_PositionChange);
    connect(Synchro, &QTimer::timeout, this, &frmTimeSelector::Synchro_Timer);
    connect(btPlayState, &QPushButton::clicked, this, &frmTimeSelector::btPlayState_Click);
    connect(btnSecB, &QPushButton::clicked, this, &frmTimeSelector::btnSecB_Click);
    connect(btnSecF, &QPushButton::clicked, this, &frmTimeSelector::btnSecF_Click);
    connect(btCurrent, &QPushButton::clicked, this, &frmTimeSelector::btCurrent_Click);
    connect(btGoto, &QPushButton::clicked, this, &frmTimeSelector::btGoto_Click);
    connect(btOk, &QPushButton::clicked, this, &frmTimeSelector::putAway);
    connect(tTrack, &Tracker::Change, this, &frmTimeSelector::tTrack_Change);
    connect(tTrack, &Tracker::ChangeS, this, &frmTimeSelector::tTrack_ChangeS);
    connect(txtTime, &TimeText::Change, this, &frmTimeSelector::txtTime_Change);
    connect(txtSelTime, &TimeText::Change, this, &frmTimeSelector::txtSelTime_Change);
}

void frmTimeSelector::SetStructs(clsTime* c, clsTime* s) {
    for (clsTime* t : {cTime.data(), sTime.data()})
        if (t) disconnect(t, nullptr, this, nullptr);
    cTime = c;
    sTime = s;
    tTrack->setMax(c->Max());
    tTrack->setValue(c->value());
    tTrack->SetSelect(true, s->value());
    txtTime->setlTime(c->value());
    txtSelTime->setlTime(s->value());
    connect(cTime, &clsTime::Change, this, &frmTimeSelector::cTime_Change);
    connect(sTime, &clsTime::Change, this, &frmTimeSelector::sTime_Change);
}

void frmTimeSelector::SetCap(const QString& s) {
    lbCap->setText(s);
    lbCap->setVisible(!s.isEmpty());
}

void frmTimeSelector::Player_FileOpened() {
    const qint32 length = ms(Player->Duration());
    // A length of 0 is unknown: the times keep the caller's range rather than collapse to 0, and the
    // play time, which a caller may have made without a range, goes as far as a time can be selected.
    if (length <= 0) {
        if (cTime && sTime) cTime->setMax(std::max(cTime->Max(), sTime->Max()));
        return;
    }
    tTrack->setMax(length);
    if (sTime) sTime->setMax(length);
    if (cTime) cTime->setMax(length);
}

void frmTimeSelector::cTime_Change() {
    const qint32 v = cTime->value();
    if (!playing_) Player->setCurrentPosition(v / 1000.0);
    txtTime->setlTime(v);
    tTrack->setValue(v);
    frmTime->update();
}

void frmTimeSelector::sTime_Change() {
    tTrack->setsValue(sTime->value());
    txtSelTime->setlTime(sTime->value());
}

void frmTimeSelector::Synchro_Timer() {
    if (playing_ && cTime) cTime->setValue(ms(Player->CurrentPosition()));
}

void frmTimeSelector::Player_PositionChange(double, double) {
    // Right at the end the player reports positions that would pull the time back and forth.
    if (cTime && std::fabs(Player->CurrentPosition() - Player->Duration()) >= 0.01)
        cTime->setValue(ms(Player->CurrentPosition()));
}

void frmTimeSelector::Player_PlayStateChange(int, int NewState) {
    playing_ = NewState == MediaPlayer::Playing;
    if (NewState == MediaPlayer::Stopped) emit Stopped(ms(Player->CurrentPosition()));
    if (playing_) Synchro->start();
    else Synchro->stop();
    txtTime->setEnabled(!playing_);
    if (playing_) {
        playStateTag_ = QStringLiteral("play");
        btPlayState->setIcon(PlayPause[0]);
        btPlayState->setToolTip(QStringLiteral("Pause Movie"));
    } else {
        playStateTag_.clear();
        btPlayState->setIcon(PlayPause[1]);
        btPlayState->setToolTip(QStringLiteral("Play Movie"));
    }
}

void frmTimeSelector::btPlayState_Click() {
    if (playStateTag_ == QLatin1String("play")) Player->Pause();
    else Player->Play();
}

void frmTimeSelector::btnSecB_Click() {
    if (cTime) cTime->setValue(cTime->value() - 100);
}

void frmTimeSelector::btnSecF_Click() {
    if (cTime) cTime->setValue(cTime->value() + 100);
}

void frmTimeSelector::btCurrent_Click() {
    if (cTime && sTime) sTime->setValue(cTime->value());
}

void frmTimeSelector::btGoto_Click() {
    if (!cTime || !sTime) return;
    const bool wasPlaying = Player->PlayState() == MediaPlayer::Playing;
    if (wasPlaying) Player->Pause();
    cTime->setValue(sTime->value());
    if (wasPlaying) Player->Play();
}

void frmTimeSelector::tTrack_Change() { Player->setCurrentPosition(tTrack->value() / 1000.0); }

void frmTimeSelector::tTrack_ChangeS() {
    if (sTime) sTime->setValue(tTrack->sValue());
}

void frmTimeSelector::txtTime_Change(qint32 lTime) {
    if (!cTime) return;
    cTime->setValue(lTime);
    if (cTime->value() != lTime) txtTime->setlTime(cTime->value());
}

void frmTimeSelector::txtSelTime_Change(qint32 lTime) {
    if (!sTime) return;
    sTime->setValue(lTime);
    // A time beyond the video is clamped: the entry shows the time the caller gets.
    if (sTime->value() != lTime) txtSelTime->setlTime(sTime->value());
}

void frmTimeSelector::putAway() {
    // A hidden picker must not go on playing.
    if (Player->PlayState() == MediaPlayer::Playing) Player->Pause();
    hide();
}

void frmTimeSelector::closeEvent(QCloseEvent* event) {
    // The owning wizard unloads the picker; the user only puts it away.
    event->ignore();
    putAway();
}

void frmTimeSelector::reject() { putAway(); }
