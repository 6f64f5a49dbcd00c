// The Visual Editor's settings window: the refresh speed while playing (the editor's timer
// interval) and the subtitle display font, kept in "lumiv.ini". Created at its first use, then
// only hidden; it writes its file when the program ends.
#pragma once

#include "platform/Unloadable.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QPushButton;
class QSlider;
class QTabWidget;
class QTimer;

class frmSettingsV : public QDialog, public Unloadable {
    Q_OBJECT
public:
    // synchro's interval and subBox's font follow the controls; either may be null.
    frmSettingsV(QTimer* synchro, QWidget* subBox, QWidget* parent = nullptr);

    static QString SettingsFile();
    static constexpr int DefaultSpeed = 20;
    // The timer interval of a slider value: value x 5 ms.
    static int IntervalOf(int speed) { return speed * 5; }

    void FillFonts();
    void LoadVisSettings();
    void SaveVisSettings();
    bool FindFont(const QString& name);
    void Unload() override;

    QTabWidget* SSTab1;
    QSlider* sldRSpeed;
    QComboBox* cmbFont;
    QPushButton* btFolderDefaults;
    QPushButton* btOk;
    QPushButton* btCancel;
    QPushButton* btApply;

public slots:
    // Esc is Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private slots:
    void sldRSpeed_Change(int value);
    void cmbFont_Click();
    void btFolderDefaults_Click();
    void btOk_Click();
    void btCancel_Click();
    void btApply_Click();

private:
    void buildControls();
    void readSettingsFile();
    void settingsFailed();
    void selectDefaultFont();

    QPointer<QTimer> synchro_;
    QPointer<QWidget> subBox_;
    bool unloading_ = false;
};
