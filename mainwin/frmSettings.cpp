#include "mainwin/frmSettings.h"
#include "controls/SubListing.h"
#include "mainwin/Associate.h"
#include "mainwin/ExtIcons.h"
#include "model/CFileFnc.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/TextFile.h"
#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "platform/MsgBox.h"
#include "platform/SettingsPath.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cfloat>
#include <cmath>

namespace {
const QString kSignature = QStringLiteral("Lumerin2.0");
const QString kDefaultNewLine = QStringLiteral("\u00A4");
constexpr float kDefaultBandWidth[3] = {1770, 1950, 1710};

// Check box values as the settings file stores them: 0 clear, 1 checked, 2 greyed.
int CheckValue(const QCheckBox* c) {
    switch (c->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    default: return 2;
    }
}

void setCheckValue(QCheckBox* c, int v) {
    if (v < 0 || v > 2) throw RuntimeError(RuntimeError::InvalidCall, QStringLiteral("check box value"));
    c->setTristate(v == 2);
    c->setCheckState(v == 0 ? Qt::Unchecked : v == 1 ? Qt::Checked : Qt::PartiallyChecked);
}

// A number line of the file: the number with a blank before it when not negative and one after.
QString NumberLine(double v) { return Str(v) + u' '; }

QString WidthLine(float twips) {
    // Single precision shows at most seven digits.
    return NumberLine(QString::number(static_cast<double>(twips), 'g', 7).toDouble());
}

float WidthOf(const QString& line) {
    const double v = Val(line);
    if (std::fabs(v) > FLT_MAX) throw RuntimeError(RuntimeError::Overflow);
    return static_cast<float>(v);
}
} // namespace

// The band values when no band bar is attached: the file still round-trips them.
class frmSettings::OwnBands : public SettingsBands {
public:
    float BandWidth(int band) override { return width_[band - 1]; }
    void setBandWidth(int band, float twips) override { width_[band - 1] = twips; }
    bool BandNewRow(int band) override { return newRow_[band - 2]; }
    void setBandNewRow(int band, bool newRow) override { newRow_[band - 2] = newRow; }

private:
    float width_[3] = {kDefaultBandWidth[0], kDefaultBandWidth[1], kDefaultBandWidth[2]};
    bool newRow_[3] = {false, false, false};
};

frmSettings::frmSettings(SubListing* listing, SettingsBands* bands, QWidget* parent)
    : QDialog(parent), listing_(listing) {
    if (!bands) {
        ownBands_ = std::make_unique<OwnBands>();
        bands = ownBands_.get();
    }
    bands_ = bands;
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    buildControls();
    Form_Load();
}

frmSettings::~frmSettings() = default;

void frmSettings::buildControls() {
    auto* top = new QVBoxLayout(this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    top->addWidget(SSTab1);

    auto named = [](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };

    // Default folders.
    auto* folders = new QWidget;
    auto* fg = new QGridLayout(folders);
    fg->addWidget(new QLabel(QStringLiteral("Default Subtitle folder :")), 0, 0, 1, 2);
    txtSubs = named(new QLineEdit(QStringLiteral("c:\\subs")), "txtSubs");
    txtSubs->setToolTip(QStringLiteral("Enter the default folder for subtitles here"));
    btBrowseSubs = named(new QPushButton(QStringLiteral("...")), "btBrowseSubs");
    btBrowseSubs->setToolTip(QStringLiteral("Browse for folder"));
    fg->addWidget(txtSubs, 1, 0);
    fg->addWidget(btBrowseSubs, 1, 1);
    fg->addWidget(new QLabel(QStringLiteral("Default Movie folder :")), 2, 0, 1, 2);
    txtMovie = named(new QLineEdit(QStringLiteral("c:\\divx")), "txtMovie");
    txtMovie->setToolTip(QStringLiteral("Enter the default folder for movie files here"));
    btBrowseMovie = named(new QPushButton(QStringLiteral("...")), "btBrowseMovie");
    btBrowseMovie->setToolTip(QStringLiteral("Browse for folder"));
    fg->addWidget(txtMovie, 3, 0);
    fg->addWidget(btBrowseMovie, 3, 1);
    chLastUsed = named(new QCheckBox(QStringLiteral("Use last used folders as defaults")), "chLastUsed");
    chLastUsed->setToolTip(QStringLiteral("When this is selected, the default folders will automatically change "
                                          "to the last used directory for that filetype."));
    fg->addWidget(chLastUsed, 4, 0, 1, 2);
    btFolderDefaults = named(new QPushButton(QStringLiteral("Defaults")), "btFolderDefaults");
    fg->addWidget(btFolderDefaults, 5, 1);
    fg->setRowStretch(6, 1);
    for (QPushButton* b : {btBrowseSubs, btBrowseMovie}) b->setFixedWidth(32);
    SSTab1->addTab(folders, QStringLiteral("Default Folders"));

    // User interface.
    auto* ui = new QWidget;
    auto* ug = new QGridLayout(ui);
    ug->addWidget(new QLabel(QStringLiteral("Character for Newline :")), 0, 0);
    txtNewLine = named(new QLineEdit(kDefaultNewLine), "txtNewLine");
    txtNewLine->setToolTip(QStringLiteral("This character or group of characters will be used to represent a "
                                          "new line (carriage return) in the subtitle listing."));
    txtNewLine->setMaximumWidth(80);
    ug->addWidget(txtNewLine, 0, 1, Qt::AlignLeft);
    auto* warning = new QLabel(QStringLiteral(
        "WARNING : Each character or group of characters matching the one entered above will be interpreted as a "
        "carriage return.  Do not enter a character which is used in the text itself"));
    warning->setWordWrap(true);
    ug->addWidget(warning, 1, 0, 1, 2);
    frWizards = named(new QGroupBox(QStringLiteral("Wizards ")), "frWizards");
    auto* wl = new QVBoxLayout(frWizards);
    chStretchW = named(new QCheckBox(QStringLiteral("Use Wizard for Time Stretching")), "chStretchW");
    chShiftW = named(new QCheckBox(QStringLiteral("Use Wizard for Time Shifting")), "chShiftW");
    chSplitW = named(new QCheckBox(QStringLiteral("Use Wizard for Splitting")), "chSplitW");
    chMergeW = named(new QCheckBox(QStringLiteral("Use Wizard for Merging")), "chMergeW");
    const QString unselect = QStringLiteral(" (recommended for less experienced users)  Unselect to use the dialog.");
    chStretchW->setToolTip(QStringLiteral("Select to use the Wizard for Time Stretching.") + unselect);
    chShiftW->setToolTip(QStringLiteral("Select to use the Wizard for Time Shifting.") + unselect);
    chSplitW->setToolTip(QStringLiteral("Select to use the Wizard for file Splitting.") + unselect);
    chMergeW->setToolTip(QStringLiteral("Select to use the Wizard for File Merging.") + unselect);
    for (QCheckBox* c : {chStretchW, chShiftW, chSplitW, chMergeW}) wl->addWidget(c);
    ug->addWidget(frWizards, 2, 0, 1, 2);
    btUserDefaults = named(new QPushButton(QStringLiteral("Defaults")), "btUserDefaults");
    ug->addWidget(btUserDefaults, 3, 1, Qt::AlignRight);
    ug->setRowStretch(4, 1);
    SSTab1->addTab(ui, QStringLiteral("User Interface"));

    // File associations.
    auto* assoc = new QWidget;
    auto* ag = new QGridLayout(assoc);
    auto* intro = new QLabel(QStringLiteral("Associate Lumerin with the following filetypes so the program is run "
                                            "automatically when they are activated (double-clicked) :"));
    intro->setWordWrap(true);
    ag->addWidget(intro, 0, 0, 1, 2);
    lstExt = AddExtList(ag, 1, imgIcon);
    auto* txtWarning = new QLabel(QStringLiteral(
        "Since TXT is such a widely used extension, it is strongly advised NOT ot associate it with Lumerin."));
    txtWarning->setWordWrap(true);
    ag->addWidget(txtWarning, 2, 0, 1, 2);
    SSTab1->addTab(assoc, QStringLiteral("File Associations"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btOk = named(new QPushButton(QStringLiteral("&OK")), "btOk");
    btCancel = named(new QPushButton(QStringLiteral("&Cancel")), "btCancel");
    btApply = named(new QPushButton(QStringLiteral("&Apply")), "btApply");
    for (QPushButton* b : {btOk, btCancel, btApply}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    top->addLayout(buttons);
    resize(6000 / 15, 5000 / 15);

    for (QCheckBox* c : {chLastUsed, chStretchW, chShiftW, chSplitW, chMergeW}) c->setChecked(true);

    connect(btOk, &QPushButton::clicked, this, &frmSettings::btOk_Click);
    connect(btCancel, &QPushButton::clicked, this, &frmSettings::btCancel_Click);
    connect(btApply, &QPushButton::clicked, this, &frmSettings::btApply_Click);
    connect(btFolderDefaults, &QPushButton::clicked, this, &frmSettings::btFolderDefaults_Click);
    connect(btUserDefaults, &QPushButton::clicked, this, &frmSettings::btUserDefaults_Click);
    connect(btBrowseSubs, &QPushButton::clicked, this, &frmSettings::btBrowseSubs_Click);
    connect(btBrowseMovie, &QPushButton::clicked, this, &frmSettings::btBrowseMovie_Click);
    connect(lstExt, &QListWidget::currentRowChanged, this, &frmSettings::lstExt_Click);
    connect(lstExt, &QListWidget::itemClicked, this, &frmSettings::lstExt_Click);
    connect(txtNewLine, &QLineEdit::textChanged, this, &frmSettings::txtNewLine_Change);
}

QString frmSettings::SettingsFile() { return SettingsFilePath(QStringLiteral("lumi.ini")); }

void frmSettings::Form_Load() {
    txtSubs->setText(ProgramFolder());
    txtMovie->setText(ProgramFolder());
    txtNewLine->setText(listing_ ? listing_->NewLineChar() : kDefaultNewLine);
    txtNewLine_Change();
    if (!LoadSettings()) return; // the program is ending
    SaveSettings();
    loaded_ = true;
}

void frmSettings::Unload() {
    unloading_ = true;
    SaveSettings();
    close();
}

bool frmSettings::LoadSettings(bool withBands) {
    try {
        ReadAssociations();
        readSettingsFile(withBands);
    } catch (const RuntimeError&) {
        settingsFailed();
        return false;
    }
    return true;
}

void frmSettings::readSettingsFile(bool withBands) {
    const QString path = SettingsFile();
    if (!FileExists(path)) SaveSettings();
    QStringList lines;
    if (!ReadLines(path, lines) || lines.isEmpty()) throw RuntimeError(RuntimeError::FileAccess);
    if (lines.first() != kSignature) {
        // A file of another version: the current values replace it.
        SaveSettings();
        if (!ReadLines(path, lines) || lines.isEmpty()) throw RuntimeError(RuntimeError::FileAccess);
    }
    int n = 1;
    auto next = [&]() -> const QString& {
        if (n >= lines.size()) throw RuntimeError(RuntimeError::FileAccess, QStringLiteral("past the end"));
        return lines.at(n++);
    };
    txtMovie->setText(next());
    txtSubs->setText(next());
    setCheckValue(chLastUsed, CInt(Val(next())));
    // Once the program runs, the bands are as the user left them, not as last saved.
    for (int band = 1; band <= 3; ++band) {
        const float width = WidthOf(next());
        if (withBands) bands_->setBandWidth(band, width);
    }
    for (int band = 2; band <= 4; ++band) {
        const bool newRow = Val(next()) == 1;
        if (withBands) bands_->setBandNewRow(band, newRow);
    }
    for (QCheckBox* c : {chMergeW, chSplitW, chShiftW, chStretchW}) setCheckValue(c, CInt(Val(next())));
}

void frmSettings::settingsFailed() {
    QFile::remove(SettingsFile());
    MsgBox(QStringLiteral("Couldn't load settings.  Settings have been reset to default.\r\n"
                          "Please restart Lumerin.  We are sorry for the inconvenience."),
           vb::OKOnly);
    // Once the program runs, the user's document may hold unsaved work: it goes on, and the
    // file is written afresh at the next save.
    if (!loaded_) ExitProgram(0);
}

void frmSettings::SaveSettings() {
    const QString program = ProgramFolder();
    if (txtMovie->text().isEmpty()) txtMovie->setText(program);
    if (txtSubs->text().isEmpty()) txtSubs->setText(program);
    if (!QFileInfo(txtMovie->text()).isDir()) txtMovie->setText(program);
    if (!QFileInfo(txtSubs->text()).isDir()) txtSubs->setText(program);

    QString text = kSignature + QStringLiteral("\r\n");
    auto line = [&text](const QString& s) { text += s + QStringLiteral("\r\n"); };
    line(txtMovie->text());
    line(txtSubs->text());
    line(NumberLine(CheckValue(chLastUsed)));
    for (int band = 1; band <= 3; ++band) line(WidthLine(bands_->BandWidth(band)));
    for (int band = 2; band <= 4; ++band) line(NumberLine(bands_->BandNewRow(band) ? 1 : -1));
    for (QCheckBox* c : {chMergeW, chSplitW, chShiftW, chStretchW}) line(NumberLine(CheckValue(c)));
    if (!WriteTextFile(SettingsFile(), text)) {
        txtMovie->setText(program);
        txtSubs->setText(program);
    }
}

void frmSettings::ReadAssociations() {
    readRows_ = EditorRows();
    for (int i = 0; i < lstExt->count(); ++i) lstExt->item(i)->setSelected(readRows_[i]);
}

// The desktop may have changed while the window was hidden (another program, the association
// program): each showing starts from what it has now.
void frmSettings::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) ReadAssociations();
}

void frmSettings::WriteAssociations() {
    // Only the rows the user changed: the others keep what the desktop has now, even when it
    // changed since they were read.
    const std::array<bool, 6> editors = EditorRows();
    std::array<bool, 6> wanted = editors;
    for (int i = 0; i < 6; ++i) {
        const bool ticked = lstExt->item(i)->isSelected();
        if (ticked != readRows_[i]) wanted[i] = ticked;
    }
    MatchAssociations(wanted, ProgramPath(), editors);
    ReadAssociations();
}

// Without a character for line breaks the listing would show a two-line text as one line, and
// the first key in that row would store it so: an empty field is refused and the old one comes back.
bool frmSettings::newLineAccepted() {
    if (!txtNewLine->text().isEmpty()) return true;
    MsgBox(QStringLiteral("Please enter the character (or group of characters) that stands for a newline."),
           vb::Exclamation, QStringLiteral("Incorrect Value"));
    txtNewLine->setText(listing_ ? listing_->NewLineChar() : kDefaultNewLine);
    txtNewLine->setFocus();
    return false;
}

void frmSettings::btOk_Click() {
    if (!newLineAccepted()) return;
    WriteAssociations();
    hide();
    SaveSettings();
    bandsBefore_.reset();
    if (listing_) listing_->setNewLineChar(txtNewLine->text());
}

void frmSettings::btApply_Click() {
    if (!newLineAccepted()) return;
    WriteAssociations();
    SaveSettings();
    bandsBefore_.reset();
    if (listing_) listing_->setNewLineChar(txtNewLine->text());
}

void frmSettings::btCancel_Click() {
    hide();
    if (LoadSettings(false)) putBandsBack();
}

void frmSettings::putBandsBack() {
    if (!bandsBefore_) return;
    for (int band = 1; band <= 3; ++band) bands_->setBandWidth(band, bandsBefore_->width[band - 1]);
    for (int band = 2; band <= 4; ++band) bands_->setBandNewRow(band, bandsBefore_->newRow[band - 2]);
    bands_->setBandLayout(bandsBefore_->layout);
    bandsBefore_.reset();
}

void frmSettings::reject() { btCancel_Click(); }

void frmSettings::closeEvent(QCloseEvent* e) {
    if (unloading_) {
        e->accept();
        return;
    }
    e->ignore();
    btCancel_Click();
}

void frmSettings::btFolderDefaults_Click() {
    txtSubs->setText(ProgramFolder());
    txtMovie->setText(ProgramFolder());
    chLastUsed->setChecked(true);
}

void frmSettings::btUserDefaults_Click() {
    txtNewLine->setText(kDefaultNewLine);
    for (QCheckBox* c : {chStretchW, chShiftW, chMergeW, chSplitW}) setCheckValue(c, 1);
    if (!bandsBefore_) {
        BandState was{};
        for (int band = 1; band <= 3; ++band) was.width[band - 1] = bands_->BandWidth(band);
        for (int band = 2; band <= 4; ++band) was.newRow[band - 2] = bands_->BandNewRow(band);
        was.layout = bands_->BandLayout();
        bandsBefore_ = was;
    }
    for (int band = 1; band <= 3; ++band) bands_->setBandWidth(band, kDefaultBandWidth[band - 1]);
    for (int band = 2; band <= 4; ++band) bands_->setBandNewRow(band, false);
}

void frmSettings::btBrowseSubs_Click() {
    // A cancelled browse keeps the folder the box had.
    const QString folder = BrowseFolder(QStringLiteral("Select a folder to use as default subtitle folder"), this);
    if (!folder.isEmpty()) txtSubs->setText(folder);
}

void frmSettings::btBrowseMovie_Click() {
    const QString folder = BrowseFolder(QStringLiteral("Select a folder to use as default movie folder"), this);
    if (!folder.isEmpty()) txtMovie->setText(folder);
}

void frmSettings::lstExt_Click() { ShowExtIcon(lstExt, imgIcon); }

void frmSettings::txtNewLine_Change() { SetNewLineField(txtNewLine->text()); }
