#include "tools/frmShift.h"
#include "controls/TimeText.h"
#include "tools/MarkerFields.h"
#include "tools/MarkerGroups.h"
#include "tools/TimingRuns.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

frmShift::frmShift(ToolHost* host, QWidget* parent) : ToolDialog(host, Tool::Shift, 2955, 4920, 364, parent) {
    setObjectName(QStringLiteral("frmShift"));
    setWindowTitle(QStringLiteral("Time Shift"));
    using namespace MarkerGroups;

    frMarkSub = Frame(this, QStringLiteral("frMarkSub"), QStringLiteral("Marked Sub "), 8, 6);
    txtMarkerSub = NumberField(frMarkSub, QStringLiteral("txtMarkerSub"));
    GotoSub = Button(txtMarkerSub, QStringLiteral("GotoSub"), 0, QStyle::SP_ArrowUp, "Goto this sub in listview");
    btMarkCurrentSub = Button(txtMarkerSub, QStringLiteral("btMarkCurrentSub"), 1, QStyle::SP_ArrowDown,
                              "Set currently selected sub as marker");
    btUseTime = Button(txtMarkerSub, QStringLiteral("btUseTime"), 2, QStyle::SP_ArrowRight,
                       "Enter this subtitle's time in the Marker-Time box");

    frMarkTime = Frame(this, QStringLiteral("frMarkTime"), QStringLiteral("Marked Time "), 8 + FrameWidth + 8, 6);
    txtMarkerTime = TimeField(frMarkTime, QStringLiteral("txtMarkerTime"));
    GotoTime = Button(txtMarkerTime, QStringLiteral("GotoTime"), 0, QStyle::SP_ArrowUp,
                      "Goto marked position in visual editor");
    btMarkCurrentTime = Button(txtMarkerTime, QStringLiteral("btMarkCurrentTime"), 1, QStyle::SP_ArrowDown,
                               "Set current movie position as marker");

    frApply = new QGroupBox(QStringLiteral("Apply shifting to :"), this);
    frApply->setObjectName(QStringLiteral("frApply"));
    frApply->setGeometry(8, 6 + FrameHeight + 6, 2 * FrameWidth + 8, ContentBottom() - FrameHeight - 24);
    chFile = new QRadioButton(QStringLiteral("Entire file"), frApply);
    chFile->setObjectName(QStringLiteral("chFile"));
    chFile->setGeometry(12, 24, 150, 20);
    chFile->setChecked(true);
    chSel = new QRadioButton(QStringLiteral("Selection only"), frApply);
    chSel->setObjectName(QStringLiteral("chSel"));
    chSel->setGeometry(176, 24, 150, 20);

    btOk->setText(QStringLiteral("&Shift"));
    SetHelp(QStringLiteral("How to use Time-Shifting"),
            {QStringLiteral("To use time-shifting, you must select two markers:    a sub marker, and a time marker."),
             QStringLiteral("Mark a sub by selecting it in the listview and clicking the green S on the toolbar.  It "
                            "doesn't really matter what sub you mark, but it must be spoken out loud in the movie.  "
                            "It is easiest to select a sub close to the start of the movie"),
             QStringLiteral("Now go to the exact position that sub is said in the movie, using the visual editor, "
                            "and click the button with the arrow down icon in the time marker box to mark it."),
             QStringLiteral("You can apply the shifting to the entire file, or just a selection.  To do so, click the "
                            "appropriate radio button in this window."),
             QStringLiteral("When both markers are set, so that the marker time is the correct time for the marker "
                            "sub, click 'Shift' to apply the shifting.  If the timing still isn't accurate, use time "
                            "stretching instead.")});

    subField_ = new SubMarkerField(txtMarkerSub, FieldHost::Dialog);
    timeField_ = new TimeMarkerField(txtMarkerTime);
    KeepFocusOnFields(this);

    connect(btOk, &QPushButton::clicked, this, &frmShift::btOk_Click);
    connect(btMarkCurrentSub, &QPushButton::clicked, this, &frmShift::btMarkCurrentSub_Click);
    connect(btMarkCurrentTime, &QPushButton::clicked, this, &frmShift::btMarkCurrentTime_Click);
    connect(btUseTime, &QPushButton::clicked, this, &frmShift::btUseTime_Click);
    connect(GotoSub, &QPushButton::clicked, this, &frmShift::GotoSub_Click);
    connect(GotoTime, &QPushButton::clicked, this, &frmShift::GotoTime_Click);
}

void frmShift::SetStructs(clsSubs* Subs, clsTime* Time, clsTime* Sel, clsTime* MarkS, clsTime* MarkT) {
    cSubs = Subs;
    cTime = Time;
    cSel = Sel;
    cMarkS = MarkS;
    cMarkT = MarkT;
    subField_->Bind(Subs, MarkS);
    timeField_->Bind(MarkT);
}

void frmShift::btOk_Click() {
    if (!cSubs || !CommitEdits(this)) return;
    if (RunShift(*host_, *cSubs, cMarkS->value(), cMarkT->value(), chSel->isChecked())) hide();
}

void frmShift::btMarkCurrentSub_Click() {
    if (!cMarkS) return;
    cMarkS->setValue(cSel->value());
    // Whatever was typed gives way to the new marker.
    subField_->Refresh();
}

void frmShift::btMarkCurrentTime_Click() {
    if (!cMarkT) return;
    cMarkT->setValue(cTime->value());
    timeField_->Refresh();
}

void frmShift::btUseTime_Click() {
    if (!cMarkS || !CommitEdits(this)) return;
    if (cMarkS->value() >= 0) cMarkT->setValue(cSubs->SubTimeIn(cMarkS->value()));
}

void frmShift::GotoSub_Click() {
    if (!cMarkS || !CommitEdits(this)) return;
    cSel->setValue(cMarkS->value());
    host_->ShowMain();
}

void frmShift::GotoTime_Click() {
    if (!cMarkT || !CommitEdits(this)) return;
    cTime->setValue(cMarkT->value());
    host_->BringVisualForward();
}
