#include "tools/ToolWizard.h"
#include "tools/MarkerFields.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

const QString ToolWizard::WelcomeText = QStringLiteral(
    "For each step, follow the instructions in this window, then click the 'next' button below to proceed to "
    "the "
    "next step.  If you made a mistake, you can use the 'previous' button to go back to the previous step.  "
    "In the "
    "end, click finish to conclude the process.  If you don't want to use the wizard, click 'manual'.");

namespace {
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 25;
} // namespace

ToolWizard::ToolWizard(ToolHost* host, Tool tool, const QString& caption, const QString& welcomeHeadline, int pages,
                       QWidget* parent)
    : QDialog(parent), host_(host), tool_(tool) {
    setWindowTitle(caption);
    for (int i = 0; i < pages; ++i) {
        auto* p = new QFrame(this);
        p->setObjectName(QStringLiteral("picFrm_%1").arg(i));
        auto* lay = new QVBoxLayout(p);
        lay->setContentsMargins(4, 4, 4, 4);
        lay->setSpacing(8);
        lay->addStretch(1);
        picFrm.push_back(p);
    }
    texts_.assign(pages, 0);
    AddHeadline(0, welcomeHeadline);
    QLabel* how = AddText(0, QStringLiteral("How to use the wizard"));
    QFont f = how->font();
    f.setBold(true);
    how->setFont(f);
    AddText(0, WelcomeText);

    const int top = PageLeft + PageHeight + 10;
    btPrev = new QPushButton(QStringLiteral("< Previous"), this);
    btPrev->setObjectName(QStringLiteral("btPrev"));
    btPrev->setToolTip(QStringLiteral("Click here to go to the previous step"));
    btNext = new QPushButton(QStringLiteral("Next >"), this);
    btNext->setObjectName(QStringLiteral("btNext"));
    btNext->setToolTip(QStringLiteral("Click here to go to the next step."));
    btCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btManual = new QPushButton(QStringLiteral("Manual"), this);
    btManual->setObjectName(QStringLiteral("btManual"));
    btManual->setToolTip(QStringLiteral("Click here if you don't want to use the wizard."));
    btManual->setGeometry(PageLeft, top, kButtonWidth, kButtonHeight);
    btCancel->setGeometry(WindowWidth - PageLeft - 3 * kButtonWidth - 12, top, kButtonWidth, kButtonHeight);
    btPrev->setGeometry(WindowWidth - PageLeft - 2 * kButtonWidth - 4, top, kButtonWidth, kButtonHeight);
    btNext->setGeometry(WindowWidth - PageLeft - kButtonWidth, top, kButtonWidth, kButtonHeight);
    for (QPushButton* b : {btPrev, btNext, btCancel, btManual}) b->setAutoDefault(false);
    setFixedSize(WindowWidth, top + kButtonHeight + 10);

    connect(btPrev, &QPushButton::clicked, this, &ToolWizard::btPrev_Click);
    connect(btNext, &QPushButton::clicked, this, &ToolWizard::btNext_Click);
    connect(btCancel, &QPushButton::clicked, this, &ToolWizard::btCancel_Click);
    connect(btManual, &QPushButton::clicked, this, &ToolWizard::btManual_Click);

    // The last page goes down first, so page 0 ends on top.
    for (int i = LastPage(); i >= 0; --i) {
        picFrm[i]->setGeometry(PageLeft, PageLeft, PageWidth, PageHeight);
        picFrm[i]->raise();
    }
    page_ = 0;
    ShowPage();
}

ToolWizard::~ToolWizard() { unloadPickers(); }

QVBoxLayout* ToolWizard::PageLayout(int page) { return static_cast<QVBoxLayout*>(picFrm[page]->layout()); }

QLabel* ToolWizard::AddHeadline(int page, const QString& text) {
    auto* l = new QLabel(text, picFrm[page]);
    l->setObjectName(QStringLiteral("lbHead_%1").arg(page));
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    l->setFont(f);
    l->setWordWrap(true);
    QVBoxLayout* lay = PageLayout(page);
    lay->insertWidget(lay->count() - 1, l);
    return l;
}

QLabel* ToolWizard::AddText(int page, const QString& text) {
    auto* l = new QLabel(text, picFrm[page]);
    l->setObjectName(QStringLiteral("lbText_%1_%2").arg(page).arg(texts_[page]++));
    l->setWordWrap(true);
    QVBoxLayout* lay = PageLayout(page);
    lay->insertWidget(lay->count() - 1, l);
    return l;
}

ToolWizard::FakeCombo ToolWizard::AddFakeCombo(int page, QWidget* field, const char* frameName,
                                               const char* buttonName) {
    auto* frame = new QFrame(picFrm[page]);
    frame->setObjectName(QString::fromLatin1(frameName));
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);
    field->setParent(frame);
    row->addWidget(field, 1);
    auto* button = new QToolButton(frame);
    button->setObjectName(QString::fromLatin1(buttonName));
    button->setArrowType(Qt::DownArrow);
    row->addWidget(button);
    frame->setFixedWidth(180);
    QVBoxLayout* lay = PageLayout(page);
    lay->insertWidget(lay->count() - 1, frame);
    return {frame, button};
}

void ToolWizard::AddPicker(QDialog* picker) { pickers_.emplace_back(picker); }

void ToolWizard::ShowPage() {
    for (int i = 0; i <= LastPage(); ++i) picFrm[i]->setVisible(i == page_);
    picFrm[page_]->raise();
    btPrev->setEnabled(page_ != 0);
    if (page_ == LastPage()) {
        btNext->setText(QStringLiteral("Finish"));
        btNext->setToolTip(QStringLiteral("Click here to finish the process"));
    } else {
        btNext->setText(QStringLiteral("Next >"));
        btNext->setToolTip(QStringLiteral("Click here to go to the next step."));
    }
    PageEntry(page_);
}

void ToolWizard::ShowPageOf(QWidget* field) {
    for (int i = 0; i <= LastPage(); ++i) {
        if (!picFrm[i]->isAncestorOf(field)) continue;
        page_ = i;
        ShowPage();
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        return;
    }
}

void ToolWizard::btNext_Click() {
    if (!CommitEdits(this)) return;
    if (page_ == LastPage()) {
        if (Finish()) Unload();
        return;
    }
    ++page_;
    ShowPage();
}

void ToolWizard::btPrev_Click() {
    if (page_ <= 0 || !CommitEdits(this)) return;
    --page_;
    ShowPage();
}

void ToolWizard::btCancel_Click() { Unload(); }

void ToolWizard::btManual_Click() {
    host_->setWizardFor(tool_, false);
    hide();
    host_->ShowToolDialog(tool_);
    Unload();
}

void ToolWizard::Unload() {
    unloadPickers();
    hide();
}

void ToolWizard::unloadPickers() {
    for (QPointer<QDialog>& p : pickers_) delete p.data();
    pickers_.clear();
}

void ToolWizard::closeEvent(QCloseEvent* event) {
    unloadPickers();
    QDialog::closeEvent(event);
}

void ToolWizard::reject() { Unload(); }
