#include "tools/wzStretch.h"
#include "controls/SubListing.h"
#include "controls/TimeText.h"
#include "platform/Modal.h"
#include "tools/MarkerFields.h"
#include "tools/TimingRuns.h"
#include "tools/WizardParts.h"

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

// The sub marker pages' instructions: [marker][0 file label, 1 file picker, 2 selection].
const QString kChoose[2][3] = {
    {QStringLiteral("Choose a subtitle to be used as a first marker.  Choose one near the beginning of the file.  "
                    "It is recom-\r\nmended to select one which is clearly spoken out loud in the movie."),
     QStringLiteral("Choose a subtitle to be used as a first marker.  Choose one near the beginning of the file.  "
                    "It is recommended to select one which is clearly spoken out loud in the movie."),
     QStringLiteral("Choose a subtitle to be used as a first marker.  Choose one near the beginning of the "
                    "selection.  It is recommended to select one which is clearly spoken out loud in the movie.")},
    {QStringLiteral("Choose a subtitle to be used as a second marker.  Choose one near the end of the file.  It is "
                    "recom-\r\nmended to select one which is clearly spoken out loud in the movie."),
     QStringLiteral("Choose a subtitle to be used as a second marker.  Choose one near the end of the file.  It is "
                    "recommended to select one which is clearly spoken out loud in the movie."),
     QStringLiteral("Choose a subtitle to be used as a second marker.  Choose one near the end of the selection.  It "
                    "is recommended to select one which is clearly spoken out loud in the movie.")}};

// Pages of the sub and time markers, by marker.
constexpr int kSubPage[2] = {2, 4};
constexpr int kTimePage[2] = {3, 5};
} // namespace

wzStretch::wzStretch(ToolHost* host, QWidget* parent)
    : ToolWizard(host, Tool::Stretch, QStringLiteral("Stretch Timing Wizard"),
                 QStringLiteral("Welcome to the time stretching wizard."), 7, parent) {
    setObjectName(QStringLiteral("wzStretch"));
    using namespace WizardParts;

    AddHeadline(1, QStringLiteral("Step 1 - Set range"));
    AddText(1,
            QStringLiteral("Would you like to apply the stretching to the entire file, or just the selected region?"));
    chSelection = new QRadioButton(QStringLiteral("Selection only"), picFrm[1]);
    chSelection->setObjectName(QStringLiteral("chSelection"));
    chFile = new QRadioButton(QStringLiteral("Entire file"), picFrm[1]);
    chFile->setObjectName(QStringLiteral("chFile"));
    chFile->setChecked(true);
    Label2 = AddText(1, QStringLiteral("You haven't made a selection, you can only select the first option"));
    Label2->setObjectName(QStringLiteral("Label2"));
    QVBoxLayout* lay = PageLayout(1);
    lay->insertWidget(lay->indexOf(Label2), chSelection);
    lay->insertWidget(lay->indexOf(Label2), chFile);

    const char* heads[] = {"Step 2 - First Sub Marker", "Step 3 - First Time Marker", "Step 4 - Second Sub Marker",
                           "Step 5 - Second Time Marker"};
    for (int i = 0; i < 2; ++i) {
        AddHeadline(kSubPage[i], QString::fromLatin1(heads[2 * i]));
        AddText(kSubPage[i], kChoose[i][0]);
        AddText(kSubPage[i], kNumberHint);
        AddHeadline(kTimePage[i], QString::fromLatin1(heads[2 * i + 1]));
        AddText(kTimePage[i], TimeInstruction);
        AddText(kTimePage[i], kTimeHint);
    }
    txtFakeCombo = WizardParts::NumberField("txtFakeCombo");
    FakeCombo c1 = AddFakeCombo(2, txtFakeCombo, "Picture2", "btFakeCombo");
    txtFakeCombo2 = WizardParts::TimeField("txtFakeCombo2");
    FakeCombo c2 = AddFakeCombo(3, txtFakeCombo2, "picFakeCombo2", "btFakeCombo2");
    txtFakeCombo3 = WizardParts::NumberField("txtFakeCombo3");
    FakeCombo c3 = AddFakeCombo(4, txtFakeCombo3, "picFakeCombo3", "btFakeCombo3");
    txtFakeCombo4 = WizardParts::TimeField("txtFakeCombo4");
    FakeCombo c4 = AddFakeCombo(5, txtFakeCombo4, "picFakeCombo4", "btFakeCombo4");
    Picture2 = c1.frame;
    btFakeCombo = c1.button;
    picFakeCombo2 = c2.frame;
    btFakeCombo2 = c2.button;
    picFakeCombo3 = c3.frame;
    btFakeCombo3 = c3.button;
    picFakeCombo4 = c4.frame;
    btFakeCombo4 = c4.button;

    AddHeadline(6, QStringLiteral("Done"));
    AddText(6, QStringLiteral("The marked subtitles will be set at their marked times, and all other subs will be "
                              "retimed accordingly.  If the subs still don't match, the subs' relative timings are "
                              "incorrect and you have to manually retime the subs."));
    AddText(6, QStringLiteral("Click 'finish' to apply."));

    subFields_ = {new SubMarkerField(txtFakeCombo, FieldHost::Wizard),
                  new SubMarkerField(txtFakeCombo3, FieldHost::Wizard)};
    timeFields_ = {new TimeMarkerField(txtFakeCombo2), new TimeMarkerField(txtFakeCombo4)};
    KeepFocusOnFields(this);

    connect(chSelection, &QRadioButton::clicked, this, &wzStretch::chSelection_Click);
    connect(btFakeCombo, &QToolButton::clicked, this, [this] { subDrop(0); });
    connect(btFakeCombo3, &QToolButton::clicked, this, [this] { subDrop(1); });
    connect(btFakeCombo2, &QToolButton::clicked, this, [this] { timeDrop(0); });
    connect(btFakeCombo4, &QToolButton::clicked, this, [this] { timeDrop(1); });
}

void wzStretch::SetSubs(clsSubs* c, int defSM1, int defSM2, qint32 defTM1, qint32 defTM2) {
    using namespace WizardParts;
    cSubs = c;
    cSelSM1 = SubMarker(this, *c);
    cSelSM2 = SubMarker(this, *c);
    cSelTM1 = TimeMarker(this);
    cSelTM2 = TimeMarker(this);
    const std::array<clsTime*, 2> subs{cSelSM1, cSelSM2};
    const std::array<clsTime*, 2> times{cSelTM1, cSelTM2};
    const std::array<QToolButton*, 2> timeButtons{btFakeCombo2, btFakeCombo4};

    for (int i = 0; i < 2; ++i) {
        SubSelector[i] = SubPicker(this, *host_, c, nullptr, cSelSM1, cSelSM2, 2 + i, kChoose[i][1]);
        AddPicker(SubSelector[i]);
    }
    for (int i = 0; i < 2; ++i) {
        QString video;
        TimeSelector[i] = TimePicker(this, *host_, times[i], video);
        AddPicker(TimeSelector[i]);
        if (video.isEmpty()) {
            timeButtons[i]->setEnabled(false);
            findChild<QLabel*>(QStringLiteral("lbText_%1_0").arg(kTimePage[i]))->setText(TypeTime);
        }
    }
    for (int i = 0; i < 2; ++i) {
        subFields_[i]->Bind(c, subs[i]);
        timeFields_[i]->Bind(times[i]);
        connect(subs[i], &clsTime::Change, this, [this, i] { markerShown(i); });
    }
    cSelSM1->setValue(defSM1);
    cSelSM2->setValue(defSM2);
    cSelTM1->setValue(defTM1);
    cSelTM2->setValue(defTM2);
    // A default equal to a marker's first value raises no change: show them all the same.
    for (int i = 0; i < 2; ++i) {
        subFields_[i]->Refresh();
        timeFields_[i]->Refresh();
        markerShown(i);
    }
}

void wzStretch::markerShown(int i) {
    const clsTime* m = i == 0 ? cSelSM1 : cSelSM2;
    if (TimeSelector[i]) TimeSelector[i]->SetCap(m->value() >= 0 ? cSubs->SubText(m->value()) : QString());
}

void wzStretch::subInstruction(int i) {
    QLabel* label = findChild<QLabel*>(QStringLiteral("lbText_%1_0").arg(kSubPage[i]));
    const bool file = chFile->isChecked();
    label->setText(kChoose[i][file ? 0 : 2]);
    if (SubSelector[i]) SubSelector[i]->lbInfo->setText(kChoose[i][file ? 1 : 2]);
}

void wzStretch::PageEntry(int page) {
    switch (page) {
    case 1: Label2->hide(); break;
    case 2:
        subInstruction(0);
        txtFakeCombo->setFocus(Qt::OtherFocusReason);
        break;
    case 3: txtFakeCombo2->EnterField(1); break;
    case 4:
        subInstruction(1);
        txtFakeCombo3->setFocus(Qt::OtherFocusReason);
        break;
    case 5: txtFakeCombo4->EnterField(1); break;
    default: break;
    }
}

void wzStretch::subDrop(int i) {
    if (!SubSelector[i]) return;
    SubSelector[i]->Listing->GoToSel();
    ShowModal(SubSelector[i]);
}

void wzStretch::timeDrop(int i) {
    if (TimeSelector[i]) ShowModal(TimeSelector[i]);
}

void wzStretch::chSelection_Click() {
    if (host_->SelectionExist()) return;
    Label2->show();
    chFile->setChecked(true);
}

bool wzStretch::Finish() {
    if (!cSubs) return false;
    return RunStretch(*host_, *cSubs, cSelSM1->value(), cSelSM2->value(), cSelTM1->value(), cSelTM2->value(),
                      chSelection->isChecked());
}
