// The program settings window, which is at the same time the settings store: it stays loaded,
// hidden, for the whole run, other windows read its controls, and it keeps them in "lumi.ini"
// (the file-type associations in the desktop's own database).
#pragma once

#include "platform/Unloadable.h"

#include <QByteArray>
#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class SubListing;

// The band bar whose layout the settings file keeps: widths of bands 1-3 in twips and the
// new-row flags of bands 2-4. The main window implements it.
class SettingsBands {
public:
    virtual ~SettingsBands() = default;
    virtual float BandWidth(int band) = 0;
    virtual void setBandWidth(int band, float twips) = 0;
    virtual bool BandNewRow(int band) = 0;
    virtual void setBandNewRow(int band, bool newRow) = 0;
    // The whole layout as the user left it, order and dragged sizes included, to put back later.
    virtual QByteArray BandLayout() { return {}; }
    virtual void setBandLayout(const QByteArray& layout) { (void)layout; }
};

class frmSettings : public QDialog, public Unloadable {
    Q_OBJECT
public:
    // listing receives the new-line character on OK and Apply; bands may be null, and the
    // window then keeps the band values itself.
    frmSettings(SubListing* listing, SettingsBands* bands, QWidget* parent = nullptr);
    ~frmSettings() override;

    // Writes the settings file; the program is ending.
    void Unload() override;

    // The file's path: "lumi.ini" beside the program (or in the user's configuration folder).
    static QString SettingsFile();

    QTabWidget* SSTab1;
    QLineEdit* txtSubs;
    QPushButton* btBrowseSubs;
    QLineEdit* txtMovie;
    QPushButton* btBrowseMovie;
    QCheckBox* chLastUsed;
    QPushButton* btFolderDefaults;
    QLineEdit* txtNewLine;
    QGroupBox* frWizards;
    QCheckBox* chStretchW;
    QCheckBox* chShiftW;
    QCheckBox* chSplitW;
    QCheckBox* chMergeW;
    QPushButton* btUserDefaults;
    QListWidget* lstExt;
    std::array<QLabel*, 7> imgIcon{};
    QPushButton* btOk;
    QPushButton* btCancel;
    QPushButton* btApply;

public slots:
    // Esc is Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private slots:
    void btOk_Click();
    void btApply_Click();
    void btCancel_Click();
    void btFolderDefaults_Click();
    void btUserDefaults_Click();
    void btBrowseSubs_Click();
    void btBrowseMovie_Click();
    void lstExt_Click();
    void txtNewLine_Change();

private:
    class OwnBands;
    void buildControls();
    void Form_Load();
    // withBands: the file's band values go to the band bar too (at start-up only).
    bool LoadSettings(bool withBands = true);
    void readSettingsFile(bool withBands);
    void putBandsBack();
    void settingsFailed();
    bool newLineAccepted();
    void SaveSettings();
    void ReadAssociations();
    void WriteAssociations();

    SubListing* listing_;
    std::unique_ptr<SettingsBands> ownBands_;
    SettingsBands* bands_;
    // The association rows as last read from the desktop.
    std::array<bool, 6> readRows_{};
    // The bands as they were before Defaults changed them, for Cancel to put back.
    struct BandState {
        std::array<float, 3> width;
        std::array<bool, 3> newRow;
        QByteArray layout;
    };
    std::optional<BandState> bandsBefore_;
    bool loaded_ = false; // past start-up: a bad file no longer ends the program
    bool unloading_ = false;
};
