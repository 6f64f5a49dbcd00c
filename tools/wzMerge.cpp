#include "tools/wzMerge.h"
#include "controls/TimeText.h"
#include "model/CFileFnc.h"
#include "model/Common.h"
#include "platform/MsgBox.h"
#include "tools/FieldChecks.h"
#include "tools/MarkerFields.h"
#include "tools/MergeBrowse.h"
#include "tools/MergeOps.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

wzMerge::wzMerge(ToolHost* host, QWidget* parent)
    : ToolWizard(host, Tool::Merge, QStringLiteral("Merge Wizard"),
                 QStringLiteral("Welcome to the file merging wizard."), 5, parent) {
    setObjectName(QStringLiteral("wzMerge"));
    auto add = [this](int page, QWidget* w) {
        QVBoxLayout* lay = PageLayout(page);
        lay->insertWidget(lay->count() - 1, w);
    };

    AddHeadline(1, QStringLiteral("Step 1 - File to merge"));
    AddText(1, QStringLiteral("Select a file to merge with the currently loaded file. Click the button to the right of "
                              "the textbox to browse."));
    auto* row = new QWidget(picFrm[1]);
    auto* rowLay = new QHBoxLayout(row);
    rowLay->setContentsMargins(0, 0, 0, 0);
    txtFile = new QLineEdit(row);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    btBrowse = new QPushButton(QStringLiteral("..."), row);
    btBrowse->setObjectName(QStringLiteral("btBrowse"));
    btBrowse->setFixedWidth(30);
    rowLay->addWidget(txtFile, 1);
    rowLay->addWidget(btBrowse);
    add(1, row);

    AddHeadline(2, QStringLiteral("Step 2 - Location"));
    AddText(2, QStringLiteral("Would you like this file (the one you just selected) to be inserted before or after the "
                              "curently loaded file?"));
    optAfter = new QRadioButton(QStringLiteral("After the current file"), picFrm[2]);
    optAfter->setObjectName(QStringLiteral("optAfter"));
    optAfter->setChecked(true);
    optBefore = new QRadioButton(QStringLiteral("Before the current file"), picFrm[2]);
    optBefore->setObjectName(QStringLiteral("optBefore"));
    add(2, optAfter);
    add(2, optBefore);

    AddHeadline(3, QStringLiteral("Step 3 - Time shift"));
    AddText(3, QStringLiteral("Would you like to alter the timings of the second part so that they start right after "
                              "the first part, or would you like to keep them as they are?"));
    optTiming[0] = new QRadioButton(QStringLiteral("No, keep the original timings"), picFrm[3]);
    optTiming[0]->setObjectName(QStringLiteral("optTiming_0"));
    optTiming[0]->setChecked(true);
    optTiming[1] = new QRadioButton(QStringLiteral("Yes, alter the timings"), picFrm[3]);
    optTiming[1]->setObjectName(QStringLiteral("optTiming_1"));
    add(3, optTiming[0]);
    add(3, optTiming[1]);
    picDelay = new QWidget(picFrm[3]);
    picDelay->setObjectName(QStringLiteral("picDelay"));
    auto* delayLay = new QVBoxLayout(picDelay);
    delayLay->setContentsMargins(0, 0, 0, 0);
    auto* delayText =
        new QLabel(QStringLiteral("Please select a delay between the two parts for the timings"), picDelay);
    delayText->setWordWrap(true);
    txtTimeShift = new TimeText(picDelay);
    txtTimeShift->setObjectName(QStringLiteral("txtTimeShift"));
    txtTimeShift->setFixedSize(96, 22);
    txtTimeShift->setStyle3D(true);
    delayLay->addWidget(delayText);
    delayLay->addWidget(txtTimeShift);
    add(3, picDelay);
    picDelay->hide();

    AddHeadline(4, QStringLiteral("Done"));
    AddText(4, QStringLiteral("You have selected the following options :"));
    lbInfoSub = AddText(4, QStringLiteral("- Insert file after current file"));
    lbInfoSub->setObjectName(QStringLiteral("lbInfoSub"));
    lbInfoTiming = AddText(4, QStringLiteral("- Keep the original timings"));
    lbInfoTiming->setObjectName(QStringLiteral("lbInfoTiming"));
    AddText(4, QStringLiteral("Click 'finish' to apply."));

    KeepFocusOnFields(this);
    checks_ = new FieldChecks(this);
    checks_->Add(txtFile, [this] { return txtFile_Leave(); });
    checks_->Guard(btNext);
    checks_->Guard(btPrev);

    connect(btBrowse, &QPushButton::clicked, this, &wzMerge::btBrowse_Click);
    for (QRadioButton* o : optTiming) connect(o, &QRadioButton::clicked, this, &wzMerge::optTiming_Click);
}

void wzMerge::SetSubs(clsSubs* c, int) { cSubs = c; }

void wzMerge::PageEntry(int page) {
    switch (page) {
    case 1: txtFile->setFocus(Qt::OtherFocusReason); break;
    case 2: (optBefore->isChecked() ? optBefore : optAfter)->setFocus(Qt::OtherFocusReason); break;
    case 3: (optTiming[1]->isChecked() ? optTiming[1] : optTiming[0])->setFocus(Qt::OtherFocusReason); break;
    case 4:
        // The summary shows the choices as they stand now.
        lbInfoSub->setText(optBefore->isChecked() ? QStringLiteral("- Insert file before current file")
                                                  : QStringLiteral("- Insert file after current file"));
        CommitEdits(this);
        lbInfoTiming->setText(optTiming[1]->isChecked() ? QStringLiteral("- Shift timings, with a delay of ") +
                                                              FormatTime(txtTimeShift->lTime())
                                                        : QStringLiteral("- Keep the original timings"));
        break;
    default: break;
    }
}

bool wzMerge::txtFile_Leave() {
    const QString t = MergeLoadName(txtFile->text());
    if (t != txtFile->text()) txtFile->setText(t);
    return MergeFileExists(t, true);
}

void wzMerge::btBrowse_Click() {
    for (;;) {
        QString path = BrowseMergeFile(this, *host_, QStringLiteral("Load to merge"));
        if (path == u"cancel") return;
        if (path.endsWith(QChar(0))) path.chop(1);
        if (FileExists(path)) {
            txtFile->setText(path);
            return;
        }
        MsgBox(QStringLiteral("File doesn't exists."), vb::OKCancel, QStringLiteral("Error"));
    }
}

void wzMerge::optTiming_Click() { picDelay->setVisible(optTiming[1]->isChecked()); }

bool wzMerge::Finish() {
    // The merge checks the file again, as the field may never have had the focus; a merge that
    // stops keeps the wizard open with the user's answers.
    return cSubs && MergeWithFile(*cSubs, txtFile->text(), optBefore->isChecked(), optTiming[1]->isChecked(),
                                  txtTimeShift->lTime());
}
