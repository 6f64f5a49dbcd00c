// The editor's main window: owner of the one document and of the shared selection, marker and
// time values, which it hands to every view; it lays out its children and ends the program
// when it closes.
#pragma once

#include <QMainWindow>
#include <memory>

class QAction;
class QMenu;
class QPushButton;
class QScrollBar;
class QToolBar;
class SubListing;
class clsSubs;
class clsTime;
class intFile;
class intSettings;
class timeBar;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int Twips = 15; // twips per pixel
    static constexpr qint32 MaxTime = 1073741824; // 2^30 ms

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    QString GetFile() const { return sFile; }
    // Brings every command's enabled and checked state up to date.
    void UpdateUI();
    // Records that another part of the program loaded filename into the document.
    void LoadReset(const QString& filename);

    // The file commands.
    void subNew();
    void subOpen();
    // False when nothing was written (cancelled or failed).
    bool subSave();
    bool subSaveAs();

    // Default folders and the "remember the last folder" switch of the program settings.
    QString SubFolder() const { return txtSubs_; }
    void setSubFolder(const QString& f) { txtSubs_ = f; }
    QString MovieFolder() const { return txtMovie_; }
    void setMovieFolder(const QString& f) { txtMovie_ = f; }
    bool LastUsed() const { return chLastUsed_; }
    void setLastUsed(bool b) { chLastUsed_ = b; }

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

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuExit = nullptr;

    // Controls. Toolbar buttons are counted from 1, separators included.
    QToolBar* Toolbar1 = nullptr;
    QAction* Toolbar1Button(int index) const;
    SubListing* picListing = nullptr;
    QWidget* picBar = nullptr;
    timeBar* tBar = nullptr;
    QScrollBar* scrBar = nullptr;
    QPushButton* btZoom = nullptr;
    QPushButton* btZoomOut = nullptr;

    void subArrange();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private slots:
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    void Toolbar1_ButtonClick(int index);
    void cSubs_Change(int iSub);
    void cSubs_CountChange();
    void cSubs_MajorChange();
    void btZoom_Click();
    void btZoomOut_Click();
    void tBar_AskRulerSpace(bool b);
    void tBar_EnableZoomIn(bool b);
    void tBar_EnableZoomOut(bool b);

private:
    void buildControls();
    void buildMenus();
    void buildToolbars();
    bool askDiscardChanges();
    void setCaptionFor(const QString& path);
    void loadFile(std::unique_ptr<intFile> handler, const QString& path);
    void openCommandLine();
    void Form_Load();
    void Form_Unload();
    void updateSelectionBounds();

    QString txtSubs_;
    QString txtMovie_;
    bool chLastUsed_ = true;
};
