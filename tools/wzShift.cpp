#include "tools/wzShift.h"
#include "controls/SubListing.h"
#include "controls/TimeText.h"
#include "platform/Modal.h"
#include "tools/MarkerFields.h"
#include "tools/TimingRuns.h"
#include "tools/WizardParts.h"
#include "tools/frmSubSelector.h"
#include "visual/frmTimeSelector.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kNumberHint = QStringLiteral("Enter the number of the subtitle in the textbox, or click the "
                                           "arrow to the right of it to open a selection pane.");
const QString kTimeHint =
    QStringLiteral("Enter the time in the textbox, or click the arrow to the right of it to open a selection pane.");
} // namespace

wzShift::wzShift(ToolHost* host, QWidget* parent)
    : ToolWizard(host, Tool::Shift, QStringLiteral("Shift Timing Wizard"),
                 QStringLiteral("Welcome to the time shifting wizard."), 5, parent) {
    setObjectName(QStringLiteral("wzShift"));
    using namespace WizardParts;

    AddHeadline(1, QStringLiteral("Step 1 - Sub Marker"));
    AddText(1, QStringLiteral("Choose a subtitle to be used as a marker.  This is an arbitrary selection; you can "
                              "select any subtitle, but it is recommended to select one which is clearly spoken out "
                              "loud in the movie."));
    AddText(1, kNumberHint);
    txtFakeCombo = WizardParts::NumberField("txtFakeCombo");
    FakeCombo c1 = AddFakeCombo(1, txtFakeCombo, "Picture2", "btFakeCombo");
    Picture2 = c1.frame;
    btFakeCombo = c1.button;

    AddHeadline(2, QStringLiteral("Step 2 - Time Marker"));
    AddText(2, TimeInstruction);
    AddText(2, kTimeHint);
    txtFakeCombo2 = WizardParts::TimeField("txtFakeCombo2");
    FakeCombo c2 = AddFakeCombo(2, txtFakeCombo2, "picFakeCombo2", "btFakeCombo2");
    picFakeCombo2 = c2.frame;
    btFakeCombo2 = c2.button;

    AddHeadline(3, QStringLiteral("Step 3 - Set range"));
    AddText(3, QStringLiteral("Would you like to apply the shifting to the entire file, or just the selected region?"));
    chSelection = new QRadioButton(QStringLiteral("Selection only"), picFrm[3]);
    chSelection->setObjectName(QStringLiteral("chSelection"));
    chFile = new QRadioButton(QStringLiteral("Entire file"), picFrm[3]);
    chFile->setObjectName(QStringLiteral("chFile"));
    chFile->setChecked(true);
    Label2 = AddText(3, QStringLiteral("You haven't made a selection, you can only select the first option"));
    Label2->setObjectName(QStringLiteral("Label2"));
    QVBoxLayout* lay = PageLayout(3);
    lay->insertWidget(lay->indexOf(Label2), chSelection);
    lay->insertWidget(lay->indexOf(Label2), chFile);

    AddHeadline(4, QStringLiteral("Done"));
    AddText(4, QStringLiteral("The marked subtitle will be set at the marked time, and all other subs will be "
                              "shifted accordingly.  If the subs still don't match, use stretching instead."));
    AddText(4, QStringLiteral("Click 'finish' to apply."));

    subField_ = new SubMarkerField(txtFakeCombo, FieldHost::Wizard);
    timeField_ = new TimeMarkerField(txtFakeCombo2);
    KeepFocusOnFields(this);

    connect(btFakeCombo, &QToolButton::clicked, this, &wzShift::btFakeCombo_Click);
    connect(btFakeCombo2, &QToolButton::clicked, this, &wzShift::btFakeCombo2_Click);
    connect(chSelection, &QRadioButton::clicked, this, &wzShift::chSelection_Click);
}

void wzShift::SetSubs(clsSubs* c, int defSel, qint32 defTime) {
    using namespace WizardParts;
    cSubs = c;
    cSel = SubMarker(this, *c);
    cSelT = TimeMarker(this);

    SubSelector = SubPicker(this, *host_, c, cSel, nullptr, nullptr, 1,
                            QStringLiteral("Select a subtitle to be used as a marker.  This is an arbitrary "
                                           "selection; you can select any subtitle, but it is recommended to select "
                                           "one which is clearly spoken out loud in the movie."));
    AddPicker(SubSelector);
    QString video;
    TimeSelector = TimePicker(this, *host_, cSelT, video);
    AddPicker(TimeSelector);
    if (video.isEmpty()) {
        btFakeCombo2->setEnabled(false);
        findChild<QLabel*>(QStringLiteral("lbText_2_0"))->setText(TypeTime);
    }

    subField_->Bind(c, cSel);
    timeField_->Bind(cSelT);
    connect(cSel, &clsTime::Change, this, &wzShift::cSel_Change);
    cSel->setValue(defSel);
    cSelT->setValue(defTime);
    // A default equal to the marker's first value raises no change: show it all the same.
    subField_->Refresh();
    timeField_->Refresh();
    cSel_Change();
}

void wzShift::cSel_Change() {
    const int v = cSel->value();
    TimeSelector->SetCap(v >= 0 ? cSubs->SubText(v) : QString());
}

void wzShift::PageEntry(int page) {
    switch (page) {
    case 1: txtFakeCombo->setFocus(Qt::OtherFocusReason); break;
    case 2: txtFakeCombo2->EnterField(1); break;
    case 3: Label2->hide(); break;
    default: break;
    }
}

void wzShift::btFakeCombo_Click() {
    if (!SubSelector) return;
    SubSelector->Listing->GoToSel();
    ShowModal(SubSelector);
}

void wzShift::btFakeCombo2_Click() {
    if (TimeSelector) ShowModal(TimeSelector);
}

void wzShift::chSelection_Click() {
    if (host_->SelectionExist()) return;
    Label2->show();
    chFile->setChecked(true);
}

bool wzShift::Finish() {
    if (!cSubs) return false;
    return RunShift(*host_, *cSubs, cSel->value(), cSelT->value(), chSelection->isChecked());
}
