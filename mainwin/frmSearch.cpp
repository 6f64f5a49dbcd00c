#include "mainwin/frmSearch.h"
#include "controls/SubListing.h"
#include "platform/MsgBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int kWidth = 5700 / 15;

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

const QString kNotFound = QStringLiteral("Search string not found");
const QString kSearchResult = QStringLiteral("Search Result");
} // namespace

frmSearch::frmSearch(SubListing* listing, QWidget* parent) : QDialog(parent), listing_(listing) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Find Subtitle"));

    Label1 = named(new QLabel(QStringLiteral("Find what:"), this), "Label1");
    Label1->setGeometry(8, 12, 64, 17);
    txtSearch = named(new QLineEdit(this), "txtSearch");
    txtSearch->setGeometry(76, 9, 182, 22);
    Label1->setBuddy(txtSearch);

    Frame1 = named(new QGroupBox(QStringLiteral("Find Where "), this), "Frame1");
    Frame1->setGeometry(8, 40, 250, 72);
    chWhere[0] = named(new QRadioButton(QStringLiteral("Selection only"), Frame1), "chWhere_0");
    chWhere[0]->setGeometry(12, 22, 230, 20);
    chWhere[1] = named(new QRadioButton(QStringLiteral("Entire file"), Frame1), "chWhere_1");
    chWhere[1]->setGeometry(12, 44, 230, 20);
    chWhere[1]->setChecked(true);

    chBackwards = named(new QCheckBox(QStringLiteral("Search Backwards"), this), "chBackwards");
    chBackwards->setToolTip(QStringLiteral("Searches upwards instead of downwards in the listing."));
    chBackwards->setGeometry(12, 120, 246, 20);
    chComplete = named(new QCheckBox(QStringLiteral("Complete word only"), this), "chComplete");
    chComplete->setToolTip(QStringLiteral("Doesn't return subs where the search string is part of a word"));
    chComplete->setGeometry(12, 144, 246, 20);
    chMatch = named(new QCheckBox(QStringLiteral("Match case"), this), "chMatch");
    chMatch->setToolTip(QStringLiteral("only returns cases where the word has the exact same cases"));
    chMatch->setGeometry(12, 168, 246, 20);

    btFind = named(new QPushButton(QStringLiteral("Find ne&xt"), this), "btFind");
    btFind->setGeometry(268, 8, 100, 26);
    btFind->setDefault(true);
    btCancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "btCancel");
    btCancel->setGeometry(268, 40, 100, 26);
    btCancel->setAutoDefault(false);
    // A check box drawn as a push button: it stays down while the replace section is open.
    btReplace = named(new QPushButton(QStringLiteral("&Replace"), this), "btReplace");
    btReplace->setCheckable(true);
    btReplace->setGeometry(268, 72, 100, 26);
    btReplace->setAutoDefault(false);

    // Below the find part: out of sight until the window grows.
    Frame2 = named(new QGroupBox(QStringLiteral("Replace "), this), "Frame2");
    Frame2->setGeometry(8, FindHeight + 2, kWidth - 16, ReplaceHeight - FindHeight - 10);
    Label2 = named(new QLabel(QStringLiteral("Replace by:"), Frame2), "Label2");
    Label2->setGeometry(10, 20, 240, 17);
    txtReplace = named(new QLineEdit(Frame2), "txtReplace");
    txtReplace->setGeometry(10, 40, 240, 22);
    Label2->setBuddy(txtReplace);
    btReplaceIt = named(new QPushButton(QStringLiteral("Re&place"), Frame2), "btReplaceIt");
    btReplaceIt->setGeometry(260, 18, 92, 26);
    btReplaceIt->setAutoDefault(false);
    btReplaceAll = named(new QPushButton(QStringLiteral("Replace &All"), Frame2), "btReplaceAll");
    btReplaceAll->setGeometry(260, 50, 92, 26);
    btReplaceAll->setAutoDefault(false);

    connect(btFind, &QPushButton::clicked, this, &frmSearch::btFind_Click);
    connect(btCancel, &QPushButton::clicked, this, &frmSearch::btCancel_Click);
    connect(btReplace, &QPushButton::toggled, this, &frmSearch::btReplace_Click);
    connect(btReplaceIt, &QPushButton::clicked, this, &frmSearch::btReplaceIt_Click);
    connect(btReplaceAll, &QPushButton::clicked, this, &frmSearch::btReplaceAll_Click);
    connect(txtSearch, &QLineEdit::textChanged, this, &frmSearch::txtSearch_Change);

    setFormHeight(FindHeight);
}

void frmSearch::setListing(SubListing* listing) { listing_ = listing; }

void frmSearch::setFormHeight(int h) { setFixedSize(kWidth, h); }

bool frmSearch::selectionOnly() const { return chWhere[0]->isChecked(); }

void frmSearch::txtSearch_Change(const QString& text) {
    Label2->setText(QStringLiteral("Replace ") + text + QStringLiteral(" by :"));
}

void frmSearch::btReplace_Click(bool down) {
    setFormHeight(down ? ReplaceHeight : FindHeight);
    (down ? txtReplace : txtSearch)->setFocus(Qt::OtherFocusReason);
}

void frmSearch::btFind_Click() {
    const QString text = txtSearch->text();
    if (text.isEmpty() || !listing_) return;
    if (listing_->find(text, chBackwards->isChecked(), chMatch->isChecked(), chComplete->isChecked(), selectionOnly()) <
        0)
        MsgBox(kNotFound, vb::OKOnly, kSearchResult);
}

void frmSearch::btReplaceIt_Click() {
    const QString text = txtSearch->text();
    if (text.isEmpty() || !listing_) return;
    const bool match = chMatch->isChecked(), whole = chComplete->isChecked();
    if (listing_->isSelected(text, match, whole)) {
        const bool replaced = listing_->ReplaceSelection(text, txtReplace->text(), match, whole);
        // A hit that is no real one (a stored "¤" read as a line break) must not hold us here.
        if (!replaced || !listing_->isSelected(text, match, whole))
            listing_->find(text, chBackwards->isChecked(), match, whole, selectionOnly());
    } else if (listing_->find(text, chBackwards->isChecked(), match, whole, selectionOnly()) < 0) {
        MsgBox(kNotFound, vb::OKOnly, kSearchResult);
    }
}

void frmSearch::btReplaceAll_Click() {
    if (!listing_) return;
    const int n = listing_->ReplaceAll(txtSearch->text(), txtReplace->text(), chMatch->isChecked(),
                                       chComplete->isChecked(), selectionOnly());
    MsgBox(QStringLiteral("Done. ") + QString::number(n) + QStringLiteral(" replacements were made."), vb::OKOnly,
           QStringLiteral("Replace result"));
}

void frmSearch::btCancel_Click() { hide(); }

// The close box only hides the window: texts and options stay for the next use.
void frmSearch::closeEvent(QCloseEvent* e) {
    e->ignore();
    hide();
}
