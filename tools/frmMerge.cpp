#include "tools/frmMerge.h"
#include "controls/TimeText.h"
#include "tools/MarkerFields.h"
#include "tools/MergeBrowse.h"
#include "tools/MergeOps.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int kWidth = 380;
constexpr int kInner = kWidth - 16;
} // namespace

frmMerge::frmMerge(ToolHost* host, QWidget* parent) : ToolDialog(host, Tool::Merge, 3600, 5640, kWidth, parent) {
    setObjectName(QStringLiteral("frmMerge"));
    setWindowTitle(QStringLiteral("Merge File"));
    auto group = [this](const char* name, const QString& caption, int y, int h) {
        auto* g = new QGroupBox(caption, this);
        g->setObjectName(QString::fromLatin1(name));
        g->setGeometry(8, y, kInner, h);
        return g;
    };

    frmFiles = group("frmFiles", QStringLiteral("File"), 4, 52);
    lbFile = new QLabel(QStringLiteral("File to merge with  :"), frmFiles);
    lbFile->setGeometry(10, 22, 120, 22);
    txtFile = new QLineEdit(frmFiles);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setGeometry(132, 22, kInner - 132 - 40, 22);
    btBrowse = new QPushButton(QStringLiteral("..."), frmFiles);
    btBrowse->setObjectName(QStringLiteral("btBrowse"));
    btBrowse->setGeometry(kInner - 36, 21, 26, 24);

    frWhere = group("frWhere", QStringLiteral("Add file where "), 60, 48);
    optAfter = new QRadioButton(QStringLiteral("After current"), frWhere);
    optAfter->setObjectName(QStringLiteral("optAfter"));
    optAfter->setGeometry(10, 20, 150, 20);
    optAfter->setChecked(true);
    optBefore = new QRadioButton(QStringLiteral("Before current "), frWhere);
    optBefore->setObjectName(QStringLiteral("optBefore"));
    optBefore->setGeometry(170, 20, 150, 20);

    frShift = group("frShift", QStringLiteral("Time Shift "), 112, 66);
    chTimeShift = new QCheckBox(QStringLiteral("Alter the second part timings with a delay of :"), frShift);
    chTimeShift->setObjectName(QStringLiteral("chTimeShift"));
    chTimeShift->setGeometry(10, 18, kInner - 20, 20);
    txtTimeShift = new TimeText(frShift);
    txtTimeShift->setObjectName(QStringLiteral("txtTimeShift"));
    txtTimeShift->setGeometry(30, 40, 96, 22);
    txtTimeShift->setStyle3D(true);

    btOk->setText(QStringLiteral("OK"));
    SetHelp(QStringLiteral("How to merge with a file"),
            {QStringLiteral("First choose a file to merge with.  Click the browse button next to the textbox, and "
                            "select a file."),
             QStringLiteral("Choose wether you want to add the new subs after or before the current file."),
             QStringLiteral("You can adapt the timings from the second part (this is the current or the selected "
                            "file, depending on wether you selected to add before or after) so that they start after "
                            "the first part. To do so, check the box and enter a delay between the last subtitle of "
                            "the first part, and the first subtitle of the second part."),
             QStringLiteral("Click OK to apply.")});
    KeepFocusOnFields(this);

    connect(btOk, &QPushButton::clicked, this, &frmMerge::btOk_Click);
    connect(btBrowse, &QPushButton::clicked, this, &frmMerge::btBrowse_Click);
}

void frmMerge::SetStructs(clsSubs* c) { cSubs = c; }

void frmMerge::btBrowse_Click() {
    const QString path = BrowseMergeFile(this, *host_, QStringLiteral("Merge with ..."));
    if (path != u"cancel") txtFile->setText(path);
}

void frmMerge::btOk_Click() {
    if (!cSubs) return;
    CommitEdits(this); // a delay still being typed counts
    if (MergeWithFile(*cSubs, txtFile->text(), optBefore->isChecked(), chTimeShift->isChecked(), txtTimeShift->lTime()))
        hide();
}
