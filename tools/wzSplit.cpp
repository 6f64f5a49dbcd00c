#include "tools/wzSplit.h"
#include "controls/SubListing.h"
#include "controls/TimeText.h"
#include "model/CFileFnc.h"
#include "model/Num.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "tools/CSubOps.h"
#include "tools/FieldChecks.h"
#include "tools/MarkerFields.h"
#include "tools/ToolFiles.h"
#include "tools/WizardParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

wzSplit::wzSplit(ToolHost* host, QWidget* parent)
    : ToolWizard(host, Tool::Split, QStringLiteral("Split Wizard"),
                 QStringLiteral("Welcome to the file splitting wizard."), 6, parent) {
    setObjectName(QStringLiteral("wzSplit"));

    AddHeadline(1, QStringLiteral("Step 1 - Where to split"));
    AddText(1, QStringLiteral("Choose the subtitle after which the file will be splitted.  The subtitle you selected "
                              "will be the LAST subtitle of the first file. "));
    AddText(1, QStringLiteral("(by default, the currently selected subtitle is entered)"));
    AddText(1, QStringLiteral("Enter the number of the subtitle in the textbox, or click the arrow to the right of it "
                              "to open a selection pane."));
    txtFakeCombo = WizardParts::NumberField("txtFakeCombo");
    FakeCombo combo = AddFakeCombo(1, txtFakeCombo, "picFakeCombo", "btFakeCombo");
    picFakeCombo = combo.frame;
    btFakeCombo = combo.button;

    AddHeadline(2, QStringLiteral("Step 2 - files"));
    const QString names[2] = {QStringLiteral("first file"), QStringLiteral("second file")};
    const QString hints[2] = {
        QStringLiteral("Enter filename to to save the first part in.  Click the button to browse."),
        QStringLiteral("Enter filename to to save the second part in.  Click the button to "
                       "browse.")};
    for (int i = 0; i < 2; ++i) {
        AddText(2, names[i]);
        AddText(2, hints[i]);
        auto* row = new QWidget(picFrm[2]);
        auto* lay = new QHBoxLayout(row);
        lay->setContentsMargins(0, 0, 0, 0);
        txtFile[i] = new QLineEdit(row);
        txtFile[i]->setObjectName(QStringLiteral("txtFile_%1").arg(i));
        btBrowse[i] = new QPushButton(QStringLiteral("..."), row);
        btBrowse[i]->setObjectName(QStringLiteral("btBrowse_%1").arg(i));
        btBrowse[i]->setFixedWidth(30);
        lay->addWidget(txtFile[i], 1);
        lay->addWidget(btBrowse[i]);
        QVBoxLayout* page = PageLayout(2);
        page->insertWidget(page->count() - 1, row);
        connect(btBrowse[i], &QPushButton::clicked, this, [this, i] { btBrowse_Click(i); });
    }

    AddHeadline(3, QStringLiteral("Step 3 - Time shift"));
    optTiming[0] = new QRadioButton(QStringLiteral("Yes, make the timings restart from :"), picFrm[3]);
    optTiming[1] = new QRadioButton(QStringLiteral("No, keep the original timings"), picFrm[3]);
    txtResetTime = new TimeText(picFrm[3]);
    txtResetTime->setObjectName(QStringLiteral("txtResetTime"));
    txtResetTime->setFixedSize(96, 22);
    txtResetTime->setStyle3D(true);
    {
        QVBoxLayout* page = PageLayout(3);
        optTiming[0]->setObjectName(QStringLiteral("optTiming_0"));
        optTiming[1]->setObjectName(QStringLiteral("optTiming_1"));
        page->insertWidget(page->count() - 1, optTiming[0]);
        page->insertWidget(page->count() - 1, txtResetTime);
        page->insertWidget(page->count() - 1, optTiming[1]);
    }
    optTiming[1]->setChecked(true);
    txtResetTime->setEnabled(false);

    AddHeadline(4, QStringLiteral("Step 4 - Keep open"));
    const QString keep[3] = {QStringLiteral("Keep the first part open"), QStringLiteral("Keep the second part open"),
                             QStringLiteral("Keep the original file open")};
    for (int i = 0; i < 3; ++i) {
        optKeepOpen[i] = new QRadioButton(keep[i], picFrm[4]);
        optKeepOpen[i]->setObjectName(QStringLiteral("optKeepOpen_%1").arg(i));
        QVBoxLayout* page = PageLayout(4);
        page->insertWidget(page->count() - 1, optKeepOpen[i]);
    }
    optKeepOpen[2]->setChecked(true);

    AddHeadline(5, QStringLiteral("You are ready to split the file."));
    AddText(5, QStringLiteral("Click 'finish' to apply."));

    KeepFocusOnFields(this);
    checks_ = new FieldChecks(this);
    checks_->Add(txtFakeCombo, [this] { return txtFakeCombo_Leave(); });
    for (int i = 0; i < 2; ++i) checks_->Add(txtFile[i], [this, i] { return txtFile_Leave(i); });
    checks_->Guard(btNext);
    checks_->Guard(btPrev);

    connect(btFakeCombo, &QToolButton::clicked, this, &wzSplit::btFakeCombo_Click);
    for (QRadioButton* o : optTiming) connect(o, &QRadioButton::clicked, this, &wzSplit::optTiming_Click);
}

void wzSplit::SetSubs(clsSubs* c, int defSel) {
    cSubs = c;
    cSel = new clsTime(this);
    cSel->setMin(-2);
    cSel->setMax(c->count() - 1);

    // The picker selects into the wizard's own selection and draws no markers.
    SubSelector =
        WizardParts::SubPicker(this, *host_, c, nullptr, nullptr, nullptr, 0,
                               QStringLiteral("Select the subtitle after the which the file will be splitted.  "
                                              "The subtitle you selected will be the LAST subtitle of the first "
                                              "file."),
                               cSel);
    AddPicker(SubSelector);

    connect(cSel, &clsTime::Change, this, &wzSplit::cSel_Change);
    cSel->setValue(defSel);
    cSel_Change();
}

void wzSplit::cSel_Change() {
    const qint32 v = cSel->value();
    txtFakeCombo->setText(v == -2 ? QString() : QString::number(v));
}

void wzSplit::PageEntry(int page) {
    switch (page) {
    case 1: txtFakeCombo->setFocus(Qt::OtherFocusReason); break;
    case 2: txtFile[0]->setFocus(Qt::OtherFocusReason); break;
    case 3: (optTiming[0]->isChecked() ? optTiming[0] : optTiming[1])->setFocus(Qt::OtherFocusReason); break;
    case 4:
        for (QRadioButton* o : optKeepOpen)
            if (o->isChecked()) o->setFocus(Qt::OtherFocusReason);
        break;
    default: break;
    }
}

bool wzSplit::txtFakeCombo_Leave() {
    if (!cSubs) return true;
    const QString t = txtFakeCombo->text().trimmed();
    const double v = Val(t);
    const int last = cSubs->count() - 2;
    if (t.isEmpty() || v < 0 || RoundHalfEven(v) > last) {
        MsgBox(QStringLiteral("Please insert a value from 0 to") + Str(last) + QStringLiteral("."), vb::Exclamation,
               QStringLiteral("Incorrect Value"));
        return false;
    }
    // The picker shows the typed subtitle as its selection.
    cSel->setValue(CLng(v));
    cSel_Change();
    return true;
}

bool wzSplit::txtFile_Leave(int i) {
    const QString f = txtFile[i]->text();
    auto refuse = [](const QString& text, const QString& title) {
        MsgBox(text, vb::OKOnly, title);
        return false;
    };
    if (f.isEmpty()) return refuse(QStringLiteral("Please enter a filename"), QStringLiteral("Invalid filename"));
    if (ToolFiles::FolderMissing(f))
        return refuse(QStringLiteral("This path is invalid"), QStringLiteral("Invalid path"));
    if (ToolFiles::SameFile(f, txtFile[1 - i]->text()))
        return refuse(QStringLiteral("Your files cannot be the same"), QStringLiteral("Invalid file"));
    if (ToolFiles::SameFile(f, host_->GetFile()))
        return refuse(QStringLiteral("You cannot use the same filename as the currently loaded file"),
                      QStringLiteral("Invalid file"));
    return true;
}

void wzSplit::btFakeCombo_Click() {
    if (!SubSelector) return;
    SubSelector->Listing->GoToSel();
    ShowModal(SubSelector);
}

void wzSplit::btBrowse_Click(int i) {
    for (;;) {
        const QString path = ToolFiles::BrowsePart(this, *host_, i, FileType[i]);
        if (path == u"cancel") return;
        if (FileExists(path) && MsgBox(QStringLiteral("File already exists, overwrite?"), vb::YesNo,
                                       QStringLiteral("File exists")) == vb::No)
            continue;
        txtFile[i]->setText(path);
        confirmed_[i] = path;
        return;
    }
}

void wzSplit::optTiming_Click() { txtResetTime->setEnabled(optTiming[0]->isChecked()); }

bool wzSplit::Finish() {
    if (!cSubs) return false;
    // Fields the user never went through are checked here, before anything is written; a
    // refused one is shown on its page.
    for (QLineEdit* field : {txtFakeCombo, txtFile[0], txtFile[1]}) {
        if (!checks_->Run(field)) {
            ShowPageOf(field);
            return false;
        }
    }
    // A typed name of an existing file is written over only with the user's consent.
    for (int i = 0; i < 2; ++i) {
        const QString f = txtFile[i]->text();
        if (f != confirmed_[i] && FileExists(f) &&
            MsgBox(QStringLiteral("File already exists, overwrite?"), vb::YesNo, QStringLiteral("File exists")) ==
                vb::No)
            return false;
    }
    const int x = static_cast<int>(RoundHalfEven(Val(txtFakeCombo->text())));
    const QString f1 = txtFile[0]->text(), f2 = txtFile[1]->text();
    // A part that could not be written keeps the wizard open with the user's answers.
    return SplitToFiles(ToolFiles::FullPath(f1), ToolFiles::FullPath(f2), x, *cSubs, optTiming[0]->isChecked(),
                        txtResetTime->lTime(), !optKeepOpen[2]->isChecked(), optKeepOpen[0]->isChecked(), *cSel,
                        ToolFiles::PartFormat(FileType[0], f1), ToolFiles::PartFormat(FileType[1], f2), *host_);
}
