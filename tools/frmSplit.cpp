#include "tools/frmSplit.h"
#include "controls/TimeText.h"
#include "model/CFileFnc.h"
#include "model/Num.h"
#include "platform/MsgBox.h"
#include "tools/CSubOps.h"
#include "tools/FieldChecks.h"
#include "tools/MarkerFields.h"
#include "tools/ToolFiles.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>

namespace {
constexpr int kWidth = 380;
constexpr int kInner = kWidth - 16;

void invalid(const QString& text) { MsgBox(text, vb::Exclamation, QStringLiteral("Invalid input")); }
} // namespace

frmSplit::frmSplit(ToolHost* host, QWidget* parent) : ToolDialog(host, Tool::Split, 5250, 7250, kWidth, parent) {
    setObjectName(QStringLiteral("frmSplit"));
    setWindowTitle(QStringLiteral("Split File"));
    auto group = [this](const char* name, const QString& caption, int y, int h) {
        auto* g = new QGroupBox(caption, this);
        g->setObjectName(QString::fromLatin1(name));
        g->setGeometry(8, y, kInner, h);
        return g;
    };
    auto named = [](QWidget* w, const QString& name) {
        w->setObjectName(name);
        return w;
    };

    frSub = group("frSub", QStringLiteral("Split after sub "), 6, 56);
    txtMarkerSub = new QLineEdit(frSub);
    named(txtMarkerSub, QStringLiteral("txtMarkerSub"))->setGeometry(10, 24, 66, 22);
    btMarkCurrentSub = new QPushButton(frSub);
    named(btMarkCurrentSub, QStringLiteral("btMarkCurrentSub"))->setGeometry(81, 23, 20, 24);
    btMarkCurrentSub->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    btMarkCurrentSub->setToolTip(QStringLiteral("Set currently selected sub as marker"));

    frFiles = group("frFiles", QStringLiteral("Files "), 68, 84);
    const QString fileCaptions[2] = {QStringLiteral("First file :"), QStringLiteral("Second file :")};
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(fileCaptions[i], frFiles);
        l->setGeometry(10, 24 + 28 * i, 80, 22);
        txtFile[i] = new QLineEdit(frFiles);
        named(txtFile[i], QStringLiteral("txtFile_%1").arg(i))->setGeometry(92, 24 + 28 * i, kInner - 92 - 40, 22);
        btBrowse[i] = new QPushButton(QStringLiteral("..."), frFiles);
        named(btBrowse[i], QStringLiteral("btBrowse_%1").arg(i))->setGeometry(kInner - 36, 23 + 28 * i, 26, 24);
        connect(btBrowse[i], &QPushButton::clicked, this, [this, i] { btBrowse_Click(i); });
    }

    frShift = group("frShift", QStringLiteral("Time Shift "), 158, 78);
    chReset = new QCheckBox(frShift);
    named(chReset, QStringLiteral("chReset"))->setGeometry(10, 22, 18, 20);
    Label7 = new QLabel(QStringLiteral("Make the timings for the second file restart from :"), frShift);
    named(Label7, QStringLiteral("Label7"))->setGeometry(30, 22, kInner - 40, 20);
    Label7->installEventFilter(this);
    txtReset = new TimeText(frShift);
    named(txtReset, QStringLiteral("txtReset"))->setGeometry(30, 46, 96, 22);

    frKeep = group("frKeep", QStringLiteral("Keep open :"), 242, 50);
    chFirst = new QRadioButton(QStringLiteral("First part"), frKeep);
    named(chFirst, QStringLiteral("chFirst"))->setGeometry(10, 22, 100, 20);
    chLast = new QRadioButton(QStringLiteral("Last part"), frKeep);
    named(chLast, QStringLiteral("chLast"))->setGeometry(120, 22, 100, 20);
    chOriginal = new QRadioButton(QStringLiteral("Original file"), frKeep);
    named(chOriginal, QStringLiteral("chOriginal"))->setGeometry(230, 22, 120, 20);

    btOk->setText(QStringLiteral("OK"));
    SetHelp(QStringLiteral("How to split a file"),
            {QStringLiteral("First you must select a sub after which to split.  The sub you selected will be the "
                            "last sub of the first part.  Select a sub, and click the arrow down icon button in this "
                            "window to use it as the last sub.  You can also directly enter it in the textbox."),
             QStringLiteral("Choose two filenames for the new files.  Click the buttons next to the textboxes to "
                            "browse"),
             QStringLiteral("If you want to make the timings in the second part reset, click the checkbox and enter "
                            "a time from where to start the second part timings."),
             QStringLiteral("Select which file you want to keep open in the program.  You can choose the first file, "
                            "second file, or the original (current) file."),
             QStringLiteral("Click OK to apply.")});

    KeepFocusOnFields(this);
    checks_ = new FieldChecks(this);
    checks_->Add(txtMarkerSub, [this] { return txtMarkerSub_Leave(); });
    for (int i = 0; i < 2; ++i) checks_->Add(txtFile[i], [this, i] { return txtFile_Leave(i); });

    connect(btOk, &QPushButton::clicked, this, &frmSplit::btOk_Click);
    connect(btMarkCurrentSub, &QPushButton::clicked, this, &frmSplit::btMarkCurrentSub_Click);
    connect(chReset, &QCheckBox::clicked, this, &frmSplit::chReset_Click);
    Form_Load();
}

void frmSplit::SetStructs(clsSubs* c, clsTime* s) {
    cSubs = c;
    cSel = s;
}

void frmSplit::Form_Load() {
    txtMarkerSub->clear();
    for (int i = 0; i < 2; ++i) {
        txtFile[i]->clear();
        FileType[i] = 0;
    }
    chReset->setChecked(false);
    txtReset->setStyle3D(true);
    txtReset->setlTime(0);
    txtReset->setEnabled(false);
    chOriginal->setChecked(true);
    chHelp->setChecked(false);
    picHelp1->hide();
    scrHelp->setValue(0);
    Arrange();
}

void frmSplit::closeEvent(QCloseEvent* event) {
    // Closing unloads the dialog: its next use starts from a fresh form, bound as before.
    event->ignore();
    hide();
    Form_Load();
}

bool frmSplit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label7 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        chReset->setChecked(!chReset->isChecked());
        chReset_Click();
        return true;
    }
    return ToolDialog::eventFilter(watched, event);
}

void frmSplit::chReset_Click() { txtReset->setEnabled(chReset->isChecked()); }

bool frmSplit::txtFile_Leave(int i) {
    if (!ToolFiles::FolderMissing(txtFile[i]->text())) return true;
    invalid(QStringLiteral("Invalid path"));
    return false;
}

bool frmSplit::txtMarkerSub_Leave() {
    if (!cSel || !txtMarkerSub->isModified()) return true;
    const QString t = txtMarkerSub->text().trimmed();
    // An emptied box stands for no selection; a number of any length saturates to a value the
    // selection then clamps to its range.
    const qint32 v = cSel->setValue(t.isEmpty() ? -2 : CIntSat(Val(t)));
    txtMarkerSub->setText(v < 0 ? QString() : QString::number(v));
    txtMarkerSub->setModified(false);
    return true;
}

void frmSplit::btMarkCurrentSub_Click() {
    if (!cSel) return;
    const qint32 v = cSel->value();
    txtMarkerSub->setText(v < 0 ? QString() : QString::number(v));
}

void frmSplit::btBrowse_Click(int i) {
    const QString path = ToolFiles::BrowsePart(this, *host_, i, FileType[i]);
    if (path == u"cancel") return;
    txtFile[i]->setText(path);
}

void frmSplit::btOk_Click() {
    if (!cSubs || !cSel) return;
    const QString f1 = txtFile[0]->text(), f2 = txtFile[1]->text();
    for (const QString& f : {f1, f2}) {
        // A split into no file at all has nowhere to go.
        if (f.trimmed().isEmpty()) {
            MsgBox(QStringLiteral("Please enter a filename"), vb::Exclamation, QStringLiteral("Invalid filename"));
            return;
        }
        if (ToolFiles::FolderMissing(f)) {
            invalid(QStringLiteral("You didn't enter a correct path"));
            return;
        }
    }
    // The second part would overwrite the first.
    if (ToolFiles::SameFile(f1, f2)) {
        MsgBox(QStringLiteral("Your files cannot be the same"), vb::Exclamation, QStringLiteral("Invalid file"));
        return;
    }
    for (int i = 0; i < 2; ++i) {
        if (FileExists(txtFile[i]->text()) && MsgBox(QStringLiteral("File %1 already exists, overwrite?").arg(i + 1),
                                                     vb::OKCancel, QStringLiteral("File exists")) == vb::Cancel)
            return;
    }
    const QString t = txtMarkerSub->text().trimmed();
    const double n = Val(t);
    const double x = RoundHalfEven(n);
    if (t.isEmpty() || n < 0 || x >= cSubs->count() - 1) {
        invalid(QStringLiteral("Invalid or no subtitle selected"));
        return;
    }
    if (SplitToFiles(ToolFiles::FullPath(f1), ToolFiles::FullPath(f2), static_cast<int>(x), *cSubs,
                     chReset->isChecked(), txtReset->lTime(), !chOriginal->isChecked(), chFirst->isChecked(), *cSel,
                     ToolFiles::PartFormat(FileType[0], f1), ToolFiles::PartFormat(FileType[1], f2), *host_))
        hide();
}
