// The Visual Editor: plays the video of the open subtitle file and keeps the player, the shared
// play time and the shared selection in step; its commands time entries at the play position
// and set, show and jump to the three time markers. Created once at start-up, then only hidden.
#pragma once

#include "platform/Unloadable.h"

#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <array>

class MediaPlayer;
class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class SubListing;
class TimeText;
class Tracker;
class VisualHost;
class clsSubs;
class clsTime;
class frmSettingsV;
class timeBar;

class frmVis : public QMainWindow, public Unloadable {
    Q_OBJECT
public:
    // The host and the main window's listing and time line, which the editor drives directly;
    // any of them may be null.
    frmVis(VisualHost* host, SubListing* listing, timeBar* tline, QWidget* parent = nullptr);
    ~frmVis() override;

    void SetTime(clsTime* c);
    void SetStructs(clsSubs* c, clsTime* s, clsTime* t, clsTime* t1, clsTime* t2);
    void SavePlayState();
    void RestorePlayState();
    void UpdateUI();
    // Closing for good (the program ends): the close is no longer refused.
    void Unload() override;

    // The settings window of the editor, created (and its file read) at the first call.
    frmSettingsV* SettingsV();

    // True while the player's last reported play state is "playing".
    bool bPlaying = false;

    int iCurSub() const { return iCurSub_; }
    int iMarker() const { return iMarker_; }

    // Controls.
    MediaPlayer* Player;
    QTimer* Synchro;
    Tracker* tTrack;
    QGroupBox* frmTime;
    TimeText* txtTime;
    QPushButton* btnSecB;
    QPushButton* btPlayState;
    QPushButton* btnSecF;
    // Image 1 (index 0) is shown while playing, image 2 otherwise.
    std::array<QIcon, 2> PlayPause;
    QGroupBox* frmSub;
    QLineEdit* txtSubNr;
    QPushButton* btPrevSub;
    QPushButton* btNextSub;
    QGroupBox* frmSubButtons;
    QPushButton* btSetStart;
    QPushButton* btSetEnd;
    QPushButton* btAdd;
    QGroupBox* frmMark;
    QPushButton* btMarkS;
    QPushButton* btMarkS1;
    QPushButton* btMarkS2;
    QGroupBox* frmMarker;
    TimeText* txtMarkTime;
    QPushButton* btSet;
    QPushButton* btGoto;
    QPlainTextEdit* txtSub;

    // Menus.
    QMenu* mnuFile;
    QAction* mnuOpen;
    QAction* mnuProps;
    QAction* mnuClos;
    QMenu* mnuGoto;
    QAction* mnuPrevSub;
    QAction* mnuNextSub;
    // Their enabled state copies the main window's previous/next bad commands.
    QAction* mnuPrevBad;
    QAction* mnuNextBad;
    QMenu* mnuGotoMarker;
    QAction* mnuGotoM;
    QAction* mnuGotoM1;
    QAction* mnuGotoM2;
    QMenu* mnuMarkers;
    QMenu* mnuSetMarker;
    QAction* mnuSetM;
    QAction* mnuSetM1;
    QAction* mnuSetM2;
    QMenu* mnuDisplayM;
    QAction* mnuDispNone;
    QAction* mnuDispM;
    QAction* mnuDispM1;
    QAction* mnuDispM2;
    QMenu* mnuSettings;
    QAction* mnuConfigure;
    QMenu* mnuHelp;
    QAction* mnuAbout;

    // Slider heights with and without a time marker shown.
    static constexpr int TrackHeightMarker = 18;
    static constexpr int TrackHeightPlain = 9;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private slots:
    void Synchro_Timer();
    void Player_PositionChange(double OldPosition, double NewPosition);
    void Player_PlayStateChange(int OldState, int NewState);
    void Player_FileOpened();
    void cTime_Change();
    void cSel_Change();
    void cSubs_Change(int iSub);
    void cSubs_CountChange();
    void cSubs_MajorChange();
    void cMarkT_Change();
    void cMarkT1_Change();
    void cMarkT2_Change();
    void tTrack_Change();
    void tTrack_ChangeS();
    void tTrack_RightClick();
    void txtTime_Change(qint32 lTime);
    void txtMarkTime_Change(qint32 lTime);
    void btnSecB_Click();
    void btnSecF_Click();
    void btPlayState_Click();
    void btPrevSub_Click();
    void btNextSub_Click();
    void btSetStart_Click();
    void btSetEnd_Click();
    void btAdd_Click();
    void btSet_Click();
    void btGoto_Click();
    void mnuOpen_Click();
    void mnuProps_Click();
    void mnuClos_Click();
    void mnuPrevBad_Click();
    void mnuNextBad_Click();
    void mnuConfigure_Click();
    void mnuAbout_Click();

private:
    void buildControls();
    void buildMenus();
    void Form_Layout();
    void closeBox(bool pauseByState);

    // Play time from the player's position, in ms.
    void takePosition();
    void followPlaytime();
    void CheckCurrentSub();
    void seekButtons();
    void navigationEnabling();
    void playControls();
    void showCurrentSub();
    void showMarkerTime();

    void nextPrev(bool next);
    clsTime* marker(int k) const;
    void setMarker(int k);
    void showMarker(int k);
    void gotoMarker(int k);
    void markerChanged(int k);

    void txtSub_Commit();
    void txtSub_Show(const QString& stored);
    bool txtSubNr_KeyPress(int key);

    VisualHost* host_;
    QPointer<SubListing> listing_;
    QPointer<timeBar> tBar_;
    QPointer<clsTime> cTime, cSel, cMarkT, cMarkT1, cMarkT2;
    QPointer<clsSubs> cSubs;
    frmSettingsV* settings_ = nullptr;

    bool bPlayingSaved_ = false;
    // A new video opened and its player is still to be put at the play time: the first position
    // it reports is where it opened or stopped, not a play time.
    bool placing_ = false;
    // The play time moves without selecting the subtitle under it.
    bool keepSelection_ = false;
    int iCurSub_ = -2;
    int iMarker_ = 0;
    bool unloading_ = false;
    bool showingSub_ = false;
    // What txtSub was last given to show, line breaks as the box has them.
    QString shownSub_;
};
