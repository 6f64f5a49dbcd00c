// The editor's main window: owner of the one document and of the shared selection, marker and
// time values, which it hands to every view; it lays out its children and ends the program
// when it closes.
#pragma once

#include <QMainWindow>
#include <memory>

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

    // Controls.
    QToolBar* Toolbar1 = nullptr;
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
    void cSubs_CountChange();
    void cSubs_MajorChange();
    void btZoom_Click();
    void btZoomOut_Click();
    void tBar_AskRulerSpace(bool b);
    void tBar_EnableZoomIn(bool b);
    void tBar_EnableZoomOut(bool b);

private:
    void buildControls();
    void Form_Load();
    void Form_Unload();
    void updateSelectionBounds();
};
