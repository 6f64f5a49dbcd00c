#include "visual/frmSettingsV.h"

#include "model/CFileFnc.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "model/TextFile.h"
#include "platform/Desktop.h"
#include "platform/MsgBox.h"
#include "platform/SettingsPath.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kSignature = QStringLiteral("Lumerin2.2V");
constexpr int kMinSpeed = 1;
constexpr int kMaxSpeed = 200;
} // namespace

frmSettingsV::frmSettingsV(QTimer* synchro, QWidget* subBox, QWidget* parent)
    : QDialog(parent), synchro_(synchro), subBox_(subBox) {
    setObjectName(QStringLiteral("frmSettingsV"));
    setWindowTitle(QStringLiteral("Settings"));
    buildControls();
    FillFonts();
    LoadVisSettings();
}

QString frmSettingsV::SettingsFile() { return SettingsFilePath(QStringLiteral("lumiv.ini")); }

void frmSettingsV::buildControls() {
    auto* top = new QVBoxLayout(this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    top->addWidget(SSTab1);

    auto* ui = new QWidget;
    auto* g = new QGridLayout(ui);
    g->addWidget(new QLabel(QStringLiteral("Interface refresh speed while playing :")), 0, 0, 1, 3);
    sldRSpeed = new QSlider(Qt::Horizontal);
    sldRSpeed->setObjectName(QStringLiteral("sldRSpeed"));
    sldRSpeed->setRange(kMinSpeed, kMaxSpeed);
    sldRSpeed->setValue(DefaultSpeed);
    sldRSpeed->setToolTip(QStringLiteral("Alter interface refresh speed. Higher speeds might slow down the program "
                                         "on older computers."));
    // The value is the interval: the left end refreshes most often.
    g->addWidget(new QLabel(QStringLiteral("Fast")), 1, 0);
    g->addWidget(sldRSpeed, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Slow ")), 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Subtitle Display Font :")), 2, 0, 1, 3);
    cmbFont = new QComboBox;
    cmbFont->setObjectName(QStringLiteral("cmbFont"));
    g->addWidget(cmbFont, 3, 0, 1, 3);
    btFolderDefaults = new QPushButton(QStringLiteral("Defaults"));
    btFolderDefaults->setObjectName(QStringLiteral("btFolderDefaults"));
    g->addWidget(btFolderDefaults, 4, 2, Qt::AlignRight);
    g->setRowStretch(5, 1);
    SSTab1->addTab(ui, QStringLiteral("User Interface"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btOk = new QPushButton(QStringLiteral("&OK"));
    btOk->setObjectName(QStringLiteral("btOk"));
    btCancel = new QPushButton(QStringLiteral("&Cancel"));
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btApply = new QPushButton(QStringLiteral("&Apply"));
    btApply->setObjectName(QStringLiteral("btApply"));
    for (QPushButton* b : {btOk, btCancel, btApply}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    top->addLayout(buttons);
    resize(5000 / 15, 3500 / 15);

    // Connected before the first fill, so that the editor takes the preselected font.
    connect(sldRSpeed, &QSlider::valueChanged, this, &frmSettingsV::sldRSpeed_Change);
    connect(cmbFont, &QComboBox::currentIndexChanged, this, &frmSettingsV::cmbFont_Click);
    connect(btFolderDefaults, &QPushButton::clicked, this, &frmSettingsV::btFolderDefaults_Click);
    connect(btOk, &QPushButton::clicked, this, &frmSettingsV::btOk_Click);
    connect(btCancel, &QPushButton::clicked, this, &frmSettingsV::btCancel_Click);
    connect(btApply, &QPushButton::clicked, this, &frmSettingsV::btApply_Click);
}

void frmSettingsV::FillFonts() {
    cmbFont->clear();
    for (const QString& name : ScreenFonts())
        if (!name.trimmed().isEmpty()) cmbFont->addItem(name);
    selectDefaultFont();
}

void frmSettingsV::selectDefaultFont() {
    if (FindFont(QStringLiteral("Arial Black")) || FindFont(QStringLiteral("Arial"))) return;
    // Neither is installed on many desktops: the desktop's own font rather than none at all.
    if (!FindFont(QApplication::font().family()) && cmbFont->count() > 0) cmbFont->setCurrentIndex(0);
}

bool frmSettingsV::FindFont(const QString& name) {
    const QString wanted = name.trimmed().toLower();
    bool found = false;
    for (int i = 0; i < cmbFont->count(); ++i) {
        if (cmbFont->itemText(i).trimmed().toLower() == wanted) {
            cmbFont->setCurrentIndex(i);
            found = true;
        }
    }
    return found;
}

void frmSettingsV::LoadVisSettings() {
    try {
        readSettingsFile();
    } catch (const RuntimeError&) {
        settingsFailed();
    }
}

void frmSettingsV::readSettingsFile() {
    const QString path = SettingsFile();
    if (!FileExists(path)) SaveVisSettings();
    QStringList lines;
    if (!ReadLines(path, lines) || lines.isEmpty()) throw RuntimeError(RuntimeError::FileAccess);
    if (lines.first() != kSignature) {
        // Another version's file: the current values replace it.
        SaveVisSettings();
        if (!ReadLines(path, lines) || lines.isEmpty()) throw RuntimeError(RuntimeError::FileAccess);
    }
    if (lines.size() < 3) throw RuntimeError(RuntimeError::FileAccess, QStringLiteral("past the end"));
    const int speed = CInt(Val(lines.at(1)));
    // The slider refuses values outside its range, as a damaged file would give.
    if (speed < kMinSpeed || speed > kMaxSpeed) throw RuntimeError(RuntimeError::InvalidCall);
    sldRSpeed->setValue(speed);
    if (!FindFont(lines.at(2))) FindFont(QStringLiteral("Arial Black"));
}

void frmSettingsV::settingsFailed() {
    QFile::remove(SettingsFile());
    MsgBox(QStringLiteral("Couldn't load settings.  Settings have been reset to default.\r\n"
                          "Please restart Lumerin.  We are sorry for the inconvenience."),
           vb::OKOnly);
    // The editor is running with the user's document, which may hold unsaved work: instead of
    // ending, the defaults take over and the file is written afresh at the next save.
    sldRSpeed->setValue(DefaultSpeed);
    selectDefaultFont();
}

void frmSettingsV::SaveVisSettings() {
    const QString text = kSignature + QStringLiteral("\r\n") + Str(sldRSpeed->value()) + QStringLiteral(" \r\n") +
                         cmbFont->currentText() + QStringLiteral("\r\n");
    WriteTextFile(SettingsFile(), text);
}

void frmSettingsV::Unload() {
    unloading_ = true;
    SaveVisSettings();
    close();
}

void frmSettingsV::sldRSpeed_Change(int value) {
    if (synchro_) synchro_->setInterval(IntervalOf(value));
}

void frmSettingsV::cmbFont_Click() {
    const QString name = cmbFont->currentText();
    if (!subBox_ || name.isEmpty()) return;
    QFont f = subBox_->font();
    f.setFamily(name);
    subBox_->setFont(f);
}

void frmSettingsV::btFolderDefaults_Click() { sldRSpeed->setValue(DefaultSpeed); }

void frmSettingsV::btOk_Click() {
    hide();
    SaveVisSettings();
}

void frmSettingsV::btApply_Click() { SaveVisSettings(); }

void frmSettingsV::btCancel_Click() {
    hide();
    LoadVisSettings();
}

void frmSettingsV::reject() { btCancel_Click(); }

void frmSettingsV::closeEvent(QCloseEvent* e) {
    if (unloading_) {
        e->accept();
        return;
    }
    e->ignore();
    hide();
    LoadVisSettings();
}
