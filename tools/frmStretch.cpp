#include "tools/frmStretch.h"
#include "controls/TimeText.h"
#include "tools/MarkerFields.h"
#include "tools/MarkerGroups.h"
#include "tools/TimingRuns.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

frmStretch::frmStretch(ToolHost* host, QWidget* parent)
    : ToolDialog(host, Tool::Stretch, 2955, 4920, 2 * MarkerGroups::FrameWidth + 170, parent) {
    setObjectName(QStringLiteral("frmStretch"));
    setWindowTitle(QStringLiteral("Time Stretch"));
    using namespace MarkerGroups;

    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i);
        const QString k = QString::number(i + 1);
        const int y = 6 + i * (FrameHeight + 4);
        frMarkSub[i] = Frame(this, QStringLiteral("frMarkSub_") + n, QStringLiteral("Marked Sub ") + k, 8, y);
        txtMarkerSub[i] = NumberField(frMarkSub[i], QStringLiteral("txtMarkerSub_") + n);
        GotoSub[i] =
            Button(txtMarkerSub[i], QStringLiteral("GotoSub_") + n, 0, QStyle::SP_ArrowUp, "Goto this sub in listview");
        btMarkCurrentSub[i] = Button(txtMarkerSub[i], QStringLiteral("btMarkCurrentSub_") + n, 1, QStyle::SP_ArrowDown,
                                     "Set currently selected sub as marker");
        btUseTime[i] = Button(txtMarkerSub[i], QStringLiteral("btUseTime_") + n, 2, QStyle::SP_ArrowRight,
                              "Enter this subtitle's time in the Marker-Time box");

        frMarkTime[i] =
            Frame(this, QStringLiteral("frMarkTime_") + n, QStringLiteral("Marked Time ") + k, 8 + FrameWidth + 8, y);
        txtMarkerTime[i] = TimeField(frMarkTime[i], QStringLiteral("txtMarkerTime_") + n);
        GotoTime[i] = Button(txtMarkerTime[i], QStringLiteral("GotoTime_") + n, 0, QStyle::SP_ArrowUp,
                             "Goto marked position in visual editor");
        btMarkCurrentTime[i] = Button(txtMarkerTime[i], QStringLiteral("btMarkCurrentTime_") + n, 1,
                                      QStyle::SP_ArrowDown, "Set current movie position as marker");

        subFields_[i] = new SubMarkerField(txtMarkerSub[i], FieldHost::Dialog);
        timeFields_[i] = new TimeMarkerField(txtMarkerTime[i]);
        connect(btMarkCurrentSub[i], &QPushButton::clicked, this, [this, i] { btMarkCurrentSub_Click(i); });
        connect(btMarkCurrentTime[i], &QPushButton::clicked, this, [this, i] { btMarkCurrentTime_Click(i); });
        connect(btUseTime[i], &QPushButton::clicked, this, [this, i] { btUseTime_Click(i); });
        connect(GotoSub[i], &QPushButton::clicked, this, [this, i] { GotoSub_Click(i); });
        connect(GotoTime[i], &QPushButton::clicked, this, [this, i] { GotoTime_Click(i); });
    }

    frApply = new QGroupBox(QStringLiteral("Apply shifting to :"), this);
    frApply->setObjectName(QStringLiteral("frApply"));
    frApply->setGeometry(2 * FrameWidth + 24, 6, width() - 2 * FrameWidth - 32, 2 * FrameHeight + 4);
    chFile = new QRadioButton(QStringLiteral("Entire file"), frApply);
    chFile->setObjectName(QStringLiteral("chFile"));
    chFile->setGeometry(10, 28, frApply->width() - 14, 20);
    chFile->setChecked(true);
    chSel = new QRadioButton(QStringLiteral("Selection only"), frApply);
    chSel->setObjectName(QStringLiteral("chSel"));
    chSel->setGeometry(10, 56, frApply->width() - 14, 20);

    btOk->setText(QStringLiteral("&Stretch"));
    SetHelp(
        QStringLiteral("How to use Time-Stretching"),
        {QStringLiteral("To use time-stretching, you must select four markers: two sub markers, and two time markers."),
         QStringLiteral("Mark the first sub by selecting it in the listview and clicking the green 1 on the toolbar.  "
                        "Pick one near the beginning of the movie, it must be spoken out loud."),
         QStringLiteral("Now go to the exact position that sub is said in the movie, using the visual editor, and "
                        "click the button with the arrow down icon in the first time marker box to mark it."),
         QStringLiteral("Mark the second sub by selecting it in the listview and clicking the green 2 on the toolbar.  "
                        "Pick one near the ending of the movie, it must be spoken out loud."),
         QStringLiteral("Now go to the exact position that sub is said in the movie, using the visual editor, and "
                        "click the button with the arrow down icon in the second time marker box to mark it."),
         QStringLiteral("You can apply the stretching to the entire file, or just a selection.  To do so, click the "
                        "appropriate radio button in this window. (note that, if you only stretch a selection, you "
                        "must pick your markers near the beginning and ending of the selection, not the movie."),
         QStringLiteral("When all four markers are set, so that the first marker time is the correct time for the "
                        "first marker sub, and the second marker time is the correct time for the second marker sub, "
                        "click 'stretch' to apply the stretching.  If the timing still isn't accurate, the relative "
                        "timing of your subs is inaccurate, and you should manually time them.")});
    KeepFocusOnFields(this);
    connect(btOk, &QPushButton::clicked, this, &frmStretch::btOk_Click);
}

void frmStretch::SetStructs(clsSubs* Subs, clsTime* Time, clsTime* Sel, clsTime* MarkS1, clsTime* MarkT1,
                            clsTime* MarkS2, clsTime* MarkT2) {
    cSubs = Subs;
    cTime = Time;
    cSel = Sel;
    cMarkS1 = MarkS1;
    cMarkT1 = MarkT1;
    cMarkS2 = MarkS2;
    cMarkT2 = MarkT2;
    subMarks_ = {cMarkS1, cMarkS2};
    timeMarks_ = {cMarkT1, cMarkT2};
    for (int i = 0; i < 2; ++i) {
        subFields_[i]->Bind(Subs, subMarks_[i]);
        timeFields_[i]->Bind(timeMarks_[i]);
    }
}

void frmStretch::btOk_Click() {
    if (!cSubs || !CommitEdits(this)) return;
    if (RunStretch(*host_, *cSubs, cMarkS1->value(), cMarkS2->value(), cMarkT1->value(), cMarkT2->value(),
                   chSel->isChecked()))
        hide();
}

void frmStretch::btMarkCurrentSub_Click(int i) {
    if (!subMarks_[i]) return;
    subMarks_[i]->setValue(cSel->value());
    // Whatever was typed gives way to the new marker.
    subFields_[i]->Refresh();
}

void frmStretch::btMarkCurrentTime_Click(int i) {
    if (!timeMarks_[i]) return;
    timeMarks_[i]->setValue(cTime->value());
    timeFields_[i]->Refresh();
}

void frmStretch::btUseTime_Click(int i) {
    if (!subMarks_[i] || !CommitEdits(this)) return;
    if (subMarks_[i]->value() >= 0) timeMarks_[i]->setValue(cSubs->SubTimeIn(subMarks_[i]->value()));
}

void frmStretch::GotoSub_Click(int i) {
    if (!subMarks_[i] || !CommitEdits(this)) return;
    cSel->setValue(subMarks_[i]->value());
    host_->ShowMain();
}

void frmStretch::GotoTime_Click(int i) {
    if (!timeMarks_[i] || !CommitEdits(this)) return;
    cTime->setValue(timeMarks_[i]->value());
    host_->BringVisualForward();
}
