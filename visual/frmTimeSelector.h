// The time picker: a small window with a player of its own, where a wizard's user finds a moment
// in the video and selects it. The selected time goes live into the caller's time object.
#pragma once

#include "model/clsTime.h"

#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <array>

class MediaPlayer;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class TimeText;
class Tracker;

class frmTimeSelector : public QDialog {
    Q_OBJECT
public:
    // synchroInterval: the Visual Editor's refresh interval while playing, in ms.
    explicit frmTimeSelector(int synchroInterval = 100, QWidget* parent = nullptr);

    // c: the picker's own play time (a new object); s: the selected time, owned by the caller.
    void SetStructs(clsTime* c, clsTime* s);
    void SetCap(const QString& s);
    bool Playing() const { return playing_; }
    // "play" while playing, "" otherwise.
    QString PlayStateTag() const { return playStateTag_; }

    MediaPlayer* Player;
    QTimer* Synchro;
    Tracker* tTrack;
    QGroupBox* frmTime;
    TimeText* txtTime;
    QPushButton* btnSecB;
    QPushButton* btnSecF;
    QPushButton* btPlayState;
    QGroupBox* Frame1;
    TimeText* txtSelTime;
    QPushButton* btGoto;
    QPushButton* btCurrent;
    QLabel* lbInfo;
    QLabel* lbCap;
    QPushButton* btOk;
    // Image 1 pauses, image 2 plays.
    std::array<QIcon, 2> PlayPause;

signals:
    // The player stopped at this position (ms).
    void Stopped(qint32 ms);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private slots:
    void cTime_Change();
    void sTime_Change();
    void Player_FileOpened();
    void Player_PlayStateChange(int OldState, int NewState);
    void Player_PositionChange(double OldPosition, double NewPosition);
    void Synchro_Timer();
    void btPlayState_Click();
    void btnSecB_Click();
    void btnSecF_Click();
    void btCurrent_Click();
    void btGoto_Click();
    void tTrack_Change();
    void tTrack_ChangeS();
    void txtTime_Change(qint32 lTime);
    void txtSelTime_Change(qint32 lTime);

private:
    void putAway();
    QPointer<clsTime> cTime;
    QPointer<clsTime> sTime;
    bool playing_ = false;
    QString playStateTag_;
};
