// How the main window hosts the listing and the time line: it keeps the index ranges, the
// unsaved-changes flag and the command state in step with the document, and carries out the
// views' requests that need something outside them.
#include "controls/SubListing.h"
#include "controls/timeBar.h"
#include "mainwin/frmLegend.h"
#include "mainwin/frmMain.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Desktop.h"
#include "platform/MediaPlayer.h"
#include "platform/Modal.h"
#include "visual/frmVis.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QPushButton>

void frmMain::connectViews() {
    connect(cSubs, &clsSubs::Change, this, &frmMain::cSubs_Change);
    connect(cSubs, &clsSubs::CountChange, this, &frmMain::cSubs_CountChange);
    connect(cSubs, &clsSubs::MajorChange, this, &frmMain::cSubs_MajorChange);
    connect(cSel, &clsTime::Change, this, &frmMain::cSel_Change);
    connect(cMarkS, &clsTime::Change, this, &frmMain::cMarkS_Change);
    connect(cMarkS1, &clsTime::Change, this, &frmMain::cMarkS1_Change);
    connect(cMarkS2, &clsTime::Change, this, &frmMain::cMarkS2_Change);

    connect(picListing, &SubListing::RightClick, this, &frmMain::picListing_RightClick);
    connect(picListing, &SubListing::PushDown, this, &frmMain::picListing_PushDown);
    connect(picListing, &SubListing::Scroll, this, &frmMain::picListing_Scroll);
    connect(picListing, &SubListing::MarkerSelect, this, &frmMain::picListing_MarkerSelect);
    connect(picListing, &SubListing::DeterminedInvalids, this, &frmMain::picListing_DeterminedInvalids);
    connect(picListing, &SubListing::SearchWindowRequested, this, &frmMain::picListing_SearchWindowRequested);
    connect(picListing, &SubListing::ReqSave, this, &frmMain::picListing_ReqSave);
    connect(picListing, &SubListing::ReqRestore, this, &frmMain::picListing_ReqRestore);
    connect(picListing, &SubListing::ReqPause, this, &frmMain::picListing_ReqPause);

    connect(btZoom, &QPushButton::clicked, this, &frmMain::btZoom_Click);
    connect(btZoomOut, &QPushButton::clicked, this, &frmMain::btZoomOut_Click);
    connect(tBar, &timeBar::AskRulerSpace, this, &frmMain::tBar_AskRulerSpace);
    connect(tBar, &timeBar::EnableZoomIn, this, &frmMain::tBar_EnableZoomIn);
    connect(tBar, &timeBar::EnableZoomOut, this, &frmMain::tBar_EnableZoomOut);
    connect(tBar, &timeBar::ReqTimeChange, this, &frmMain::tBar_ReqTimeChange);
    connect(tBar, &timeBar::ReqLegend, this, &frmMain::tBar_ReqLegend);
}

void frmMain::updateSelectionBounds() {
    const int last = cSubs->count() - 1;
    for (clsTime* m : {cSel, cSelA, cSelB, cMarkS, cMarkS1, cMarkS2}) m->setMax(last);
}

void frmMain::cSubs_Change(int) {
    bChanged = true;
    UpdateUI();
}

void frmMain::cSubs_CountChange() {
    updateSelectionBounds();
    bChanged = true;
    UpdateUI();
}

void frmMain::cSubs_MajorChange() { cSubs_CountChange(); }
void frmMain::cSel_Change() { UpdateUI(); }
void frmMain::cMarkS_Change() { UpdateUI(); }
void frmMain::cMarkS1_Change() { UpdateUI(); }
void frmMain::cMarkS2_Change() { UpdateUI(); }

void frmMain::picListing_RightClick() { PopupMenu(mnuSubPopup, QCursor::pos()); }

void frmMain::picListing_PushDown() { appendSub(false); }

void frmMain::picListing_Scroll() { subUpdateGoto(); }

void frmMain::picListing_MarkerSelect() {
    if (cSel->value() >= 0) PopupMenu(mnuMarkerSet, QCursor::pos());
}

void frmMain::picListing_DeterminedInvalids() { UpdateUI(); }
void frmMain::picListing_SearchWindowRequested() { MnuFind_Click(); }

void frmMain::btZoom_Click() { tBar->ZoomIn(); }
void frmMain::btZoomOut_Click() { tBar->ZoomOut(); }

void frmMain::tBar_AskRulerSpace(bool b) {
    bRulers = b;
    subArrange();
}

void frmMain::tBar_EnableZoomIn(bool b) { btZoom->setEnabled(b); }
void frmMain::tBar_EnableZoomOut(bool b) { btZoomOut->setEnabled(b); }
void frmMain::tBar_ReqTimeChange(qint32 l) { cTime->setValue(l); }
void frmMain::tBar_ReqLegend() { ShowModal(Legend()); }

bool frmMain::VideoLoaded() const { return vis_ && !vis_->Player->FileName().isEmpty(); }

// A mouse action in the listing runs as if halted, so that a click moves the video too.
void frmMain::picListing_ReqSave() {
    if (VideoLoaded()) vis_->SavePlayState();
}

void frmMain::picListing_ReqRestore() {
    if (VideoLoaded()) vis_->RestorePlayState();
}

void frmMain::picListing_ReqPause() {
    if (VideoLoaded()) vis_->Player->Pause();
}

bool frmMain::event(QEvent* e) {
    // The Visual Editor presses its button when it becomes active; this window releases it.
    if (e->type() == QEvent::WindowActivate && vis_ && vis_->isVisible()) setVisualButton(false);
    return QMainWindow::event(e);
}
