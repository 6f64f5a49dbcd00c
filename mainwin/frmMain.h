// The editor's main window: owner of the one document and of the shared selection, marker and
// time values, which it hands to every view; it lays out its children and ends the program
// when it closes.
#pragma once

#include "mainwin/frmSettings.h"
#include "tools/ToolHost.h"
#include "visual/VisualHost.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QEvent;
class QMenu;
class QPushButton;
class QScrollBar;
class QToolBar;
class SubListing;
class clsSubs;
class frmAbout;
class frmLegend;
class frmSearch;
class frmShift;
class frmStretch;
class frmSplit;
class frmMerge;
class QCheckBox;
class frmSettings;
class frmVis;
class clsTime;
class intFile;
class intSettings;
class timeBar;

class frmMain : public QMainWindow, public SettingsBands, public VisualHost, public ToolHost {
    Q_OBJECT
public:
    static constexpr int Twips = 15;              // twips per pixel
    static constexpr qint32 MaxTime = 1073741824; // 2^30 ms

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    QString GetFile() const override { return sFile; }
    // Brings every command's enabled and checked state up to date.
    void UpdateUI();
    // Records that another part of the program loaded filename into the document.
    void LoadReset(const QString& filename);
    bool LoadPart(std::unique_ptr<intFile> file) override;

    // The file commands.
    void subNew();
    void subOpen();
    // False when nothing was written (cancelled or failed).
    bool subSave();
    bool subSaveAs();

    // Default folders and the "remember the last folder" switch of the program settings.
    // They are the settings window's controls, which are the program's settings store.
    QString SubFolder() const override;
    void setSubFolder(const QString& f) override;
    QString MovieFolder() const override;
    void setMovieFolder(const QString& f) override;
    bool LastUsed() const override;
    void setLastUsed(bool b);
    frmSettings* Settings() const { return settings_; }

    // Document state.
    QString sFile;
    std::unique_ptr<intFile> cFile;
    std::shared_ptr<intSettings> cSettings;
    bool bChanged = false;
    bool bRulers = false;

    // Shared values, created once at start-up and handed to every view.
    clsTime* cTime = nullptr;
    clsTime* cSel = nullptr;
    clsTime* cSelA = nullptr;
    clsTime* cSelB = nullptr;
    clsSubs* cSubs = nullptr;
    clsTime* bTime = nullptr;
    clsTime* cMarkS = nullptr;
    clsTime* cMarkS1 = nullptr;
    clsTime* cMarkS2 = nullptr;
    clsTime* cMarkT = nullptr;
    clsTime* cMarkT1 = nullptr;
    clsTime* cMarkT2 = nullptr;

    // Menus (separators omitted).
    QMenu* mnuFile = nullptr;
    QAction *mnuNew = nullptr, *mnuOpen = nullptr, *mnuSave = nullptr, *mnuSaveAs = nullptr, *mnuVideo = nullptr,
            *mnuProps = nullptr, *mnuProps2 = nullptr, *mnuPrint = nullptr, *mnuExit = nullptr;
    QMenu* mnuView = nullptr;
    QAction *mnuGoto = nullptr, *mnuPrevBad = nullptr, *mnuNextBad = nullptr, *mnuGotoShift = nullptr,
            *mnuGotoStretch1 = nullptr, *mnuGotoStretch2 = nullptr, *MnuFind = nullptr, *MnuFind2 = nullptr;
    QMenu* mnuSubPopup = nullptr;
    QAction *mnuAdd = nullptr, *mnuInsert = nullptr, *mnuDelete = nullptr;
    QMenu* mnuMarkerSet = nullptr;
    QAction *mnuSM = nullptr, *mnuSM1 = nullptr, *mnuSM2 = nullptr, *mnuUnMark = nullptr;
    QMenu* mnuTools = nullptr;
    QAction *mnuVisual = nullptr, *mnuStretch = nullptr, *mnuShift = nullptr, *mnuSplit = nullptr, *mnuMerge = nullptr;
    QMenu* mnuSettings = nullptr;
    QAction* mnuConfigure = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction *mnuMan = nullptr, *mnuAbout = nullptr;

    // The band bar: one tool bar per band. Buttons are counted from 1, separators included,
    // and are named after their bar and index ("DefBar_5").
    QToolBar* Toolbar1 = nullptr;
    QToolBar* ShowHideBar = nullptr;
    QToolBar* BadBar = nullptr;
    QToolBar* DefBar = nullptr;
    static QAction* Button(QToolBar* bar, int index);
    QAction* Toolbar1Button(int index) const { return Button(Toolbar1, index); }

    // The find, About and legend windows, created at their first use and kept for the run.
    frmSearch* Search();
    frmAbout* About();
    frmLegend* Legend();
    // The Visual Editor, created hidden at start-up and kept for the run.
    frmVis* Vis() const { return vis_; }

    // The timing tools: their dialogs live for the whole run; the commands open the dialog or
    // the wizard as the settings say.
    frmShift* fShift = nullptr;
    frmStretch* fStretch = nullptr;
    frmSplit* fSplit = nullptr;
    frmMerge* fMerge = nullptr;
    QWidget* MainWindow() override { return this; }
    void ShowMain() override;
    void setToolButton(Tool t, bool pressed) override;
    void subSHWzShift() override;
    void subSHWzStretch() override;
    void subSHWzSplit() override;
    void subSHWzMerge() override;
    void ShowToolDialog(Tool t) override;
    bool WizardFor(Tool t) const override;
    void setWizardFor(Tool t, bool on) override;
    QString NewLineChar() const override;
    int SelA() const override;
    int SelB() const override;
    bool SelectionExist() const override;
    QString VideoFile() override;
    int VisualInterval() override;
    void BringVisualForward() override;
    void setTimeLinePosition(qint32 ms) override;
    // A video counts as loaded when the Visual Editor's player has a file.
    bool VideoLoaded() const;
    // Asks for a video and opens it in the Visual Editor, which is then shown.
    void subLoadVideo() override;
    // Asks for a video and opens it in the Visual Editor's player.
    void SubLoadVideo2();
    void setVisualButton(bool pressed) override;
    void ShowAbout() override;

    // Prints the subtitle listing on the default printer, without a print dialog.
    void subPrint();

    // Controls.
    SubListing* picListing = nullptr;
    QWidget* picBar = nullptr;
    timeBar* tBar = nullptr;
    QScrollBar* scrBar = nullptr;
    QPushButton* btZoom = nullptr;
    QPushButton* btZoomOut = nullptr;

    void subArrange();

    // The band bar's layout, kept in the settings file.
    float BandWidth(int band) override;
    void setBandWidth(int band, float twips) override;
    bool BandNewRow(int band) override;
    void setBandNewRow(int band, bool newRow) override;
    QByteArray BandLayout() override;
    void setBandLayout(const QByteArray& layout) override;
    QToolBar* Band(int band) const;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private slots:
    // File.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuProps2_Click();
    void mnuExit_Click();
    // Goto.
    void mnuGoto_Click();
    void mnuPrevBad_Click();
    void mnuNextBad_Click();
    void mnuGotoShift_Click();
    void mnuGotoStretch1_Click();
    void mnuGotoStretch2_Click();
    void MnuFind_Click();
    void MnuFind2_Click();
    void mnuConfigure_Click();
    void mnuProps_Click();
    void mnuPrint_Click();
    void mnuAbout_Click();
    void mnuMan_Click();
    void tBar_ReqLegend();
    // Subtitle.
    void mnuAdd_Click();
    void mnuInsert_Click();
    void mnuDelete_Click();
    void mnuSM_Click();
    void mnuSM1_Click();
    void mnuSM2_Click();
    void mnuUnMark_Click();
    // Band bar.
    void Toolbar1_ButtonClick(int index);
    void ShowHideBar_ButtonClick(int index);
    void BadBar_ButtonClick(int index);
    void DefBar_ButtonClick(int index);
    // The document and the shared values.
    void cSubs_Change(int iSub);
    void cSubs_CountChange();
    void cSubs_MajorChange();
    void cSel_Change();
    void cMarkS_Change();
    void cMarkS1_Change();
    void cMarkS2_Change();
    // The listing.
    void picListing_RightClick();
    void picListing_PushDown();
    void picListing_Scroll();
    void picListing_MarkerSelect();
    void picListing_DeterminedInvalids();
    void picListing_SearchWindowRequested();
    void picListing_ReqSave();
    void picListing_ReqRestore();
    void picListing_ReqPause();
    // The time line and its buttons.
    void btZoom_Click();
    void btZoomOut_Click();
    void tBar_AskRulerSpace(bool b);
    void tBar_EnableZoomIn(bool b);
    void tBar_EnableZoomOut(bool b);
    void tBar_ReqTimeChange(qint32 l);

private:
    void buildControls();
    void buildMenus();
    void buildToolbars();
    void connectViews();
    void subUpdateGoto();
    // Appends an empty subtitle after the last one; emptyRule gives an empty list 0-3000 ms.
    void appendSub(bool emptyRule);
    void insertSub();
    void setMarker(clsTime* marker);
    // Tells the user when the list can take no more subtitles.
    bool roomForOneMore();
    bool askDiscardChanges();
    bool readInPart() const;
    void setCaptionFor(const QString& path);
    bool loadFile(std::unique_ptr<intFile> handler, const QString& path);
    // Save As whose dialog starts at proposed (a file name), or in the default folder.
    bool saveAs(const QString& proposed);
    void openCommandLine();
    void Form_Load();
    void Form_Unload();
    void updateSelectionBounds();
    void relayBands();

    void subShowProps();
    void createTools();
    QCheckBox* wizardBox(Tool t) const;
    void subShowHideVisual();
    // After a failed open: true when the video loaded before is open again.
    bool reopenVideo(const QString& path);
    frmVis* vis_ = nullptr;
    frmSearch* search_ = nullptr;
    frmAbout* about_ = nullptr;
    frmLegend* legend_ = nullptr;
    frmSettings* settings_ = nullptr;
    // Band widths in twips: the last ones set, or read from the bands while they are on screen.
    float bandWidth_[3] = {1770, 1950, 1710};
};
