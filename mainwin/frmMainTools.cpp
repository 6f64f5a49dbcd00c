// How the main window launches the timing tools: each command opens the modal wizard or the
// modeless dialog as the settings window's switch says, and the tools reach back through the
// ToolHost interface implemented here.
#include "controls/SubListing.h"
#include "controls/timeBar.h"
#include "mainwin/frmMain.h"
#include "model/clsTime.h"
#include "platform/MediaPlayer.h"
#include "platform/Modal.h"
#include "tools/frmMerge.h"
#include "tools/frmShift.h"
#include "tools/frmSplit.h"
#include "tools/frmStretch.h"
#include "tools/wzMerge.h"
#include "tools/wzShift.h"
#include "tools/wzSplit.h"
#include "tools/wzStretch.h"
#include "visual/frmVis.h"

#include <QAction>
#include <QCheckBox>
#include <QTimer>
#include <QToolBar>

void frmMain::createTools() {
    fShift = new frmShift(this, this);
    fShift->SetStructs(cSubs, cTime, cSel, cMarkS, cMarkT);
    fStretch = new frmStretch(this, this);
    fStretch->SetStructs(cSubs, cTime, cSel, cMarkS1, cMarkT1, cMarkS2, cMarkT2);
    fSplit = new frmSplit(this, this);
    fSplit->SetStructs(cSubs, cSel);
    fMerge = new frmMerge(this, this);
    fMerge->SetStructs(cSubs);
}

void frmMain::ShowMain() {
    show();
    raise();
    activateWindow();
}

void frmMain::setToolButton(Tool t, bool pressed) {
    if (QAction* a = Button(ShowHideBar, 2 + int(t))) a->setChecked(pressed);
}

QCheckBox* frmMain::wizardBox(Tool t) const {
    switch (t) {
    case Tool::Shift: return settings_->chShiftW;
    case Tool::Stretch: return settings_->chStretchW;
    case Tool::Split: return settings_->chSplitW;
    case Tool::Merge: return settings_->chMergeW;
    }
    return settings_->chShiftW;
}

// A greyed box is not 1: the dialog opens.
bool frmMain::WizardFor(Tool t) const { return wizardBox(t)->checkState() == Qt::Checked; }

void frmMain::setWizardFor(Tool t, bool on) { wizardBox(t)->setCheckState(on ? Qt::Checked : Qt::Unchecked); }

void frmMain::ShowToolDialog(Tool t) {
    QWidget* dialogs[] = {fShift, fStretch, fSplit, fMerge};
    QWidget* d = dialogs[int(t)];
    d->show();
    d->raise();
    d->activateWindow();
}

void frmMain::subSHWzShift() {
    setToolButton(Tool::Shift, false);
    if (!WizardFor(Tool::Shift)) return ShowToolDialog(Tool::Shift);
    wzShift wz(this, this);
    wz.SetSubs(cSubs, cMarkS->value(), cMarkT->value());
    ShowModal(&wz);
}

void frmMain::subSHWzStretch() {
    setToolButton(Tool::Stretch, false);
    if (!WizardFor(Tool::Stretch)) return ShowToolDialog(Tool::Stretch);
    wzStretch wz(this, this);
    wz.SetSubs(cSubs, cMarkS1->value(), cMarkS2->value(), cMarkT1->value(), cMarkT2->value());
    ShowModal(&wz);
}

void frmMain::subSHWzSplit() {
    setToolButton(Tool::Split, false);
    if (!WizardFor(Tool::Split)) return ShowToolDialog(Tool::Split);
    wzSplit wz(this, this);
    wz.SetSubs(cSubs, cSel->value());
    ShowModal(&wz);
}

void frmMain::subSHWzMerge() {
    setToolButton(Tool::Merge, false);
    if (!WizardFor(Tool::Merge)) return ShowToolDialog(Tool::Merge);
    wzMerge wz(this, this);
    wz.SetSubs(cSubs, cSel->value());
    ShowModal(&wz);
}

QString frmMain::NewLineChar() const { return picListing->NewLineChar(); }
int frmMain::SelA() const { return picListing->SelA(); }
int frmMain::SelB() const { return picListing->SelB(); }
bool frmMain::SelectionExist() const { return picListing->SelectionExist(); }
QString frmMain::VideoFile() { return vis_->Player->FileName(); }
int frmMain::VisualInterval() { return vis_->Synchro->interval(); }

void frmMain::BringVisualForward() {
    if (!vis_->isVisible()) return;
    vis_->show();
    vis_->raise();
    vis_->activateWindow();
}

void frmMain::setTimeLinePosition(qint32 ms) { tBar->lCurrentPosition = ms; }

// A failed open has closed the video that was loaded: it comes back, or, when there was none or
// it won't open again, the Visual Editor goes away with it.
bool frmMain::reopenVideo(const QString& path) {
    if (!path.isEmpty()) vis_->Player->setFileName(path);
    if (VideoLoaded()) return true;
    vis_->hide();
    vis_->setWindowTitle(QStringLiteral("Visual Editor"));
    setVisualButton(false);
    return false;
}
