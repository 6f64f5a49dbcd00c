#include "tools/ToolDialog.h"
#include "model/Num.h"
#include "tools/MarkerFields.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
int px(double twips) { return static_cast<int>(RoundHalfEven(twips / ToolDialog::Twips)); }
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 25;
} // namespace

ToolDialog::ToolDialog(ToolHost* host, Tool tool, int hiddenHeight, int shownHeight, int width, QWidget* parent)
    : QDialog(parent), host_(host), tool_(tool), hiddenHeight_(hiddenHeight), shownHeight_(shownHeight) {
    setFixedWidth(width);

    chHelp = new QCheckBox(QStringLiteral("&Help"), this);
    chHelp->setObjectName(QStringLiteral("chHelp"));

    // The panel fills the room between the controls and the buttons' help-shown place.
    picHelp1 = new QWidget(this);
    picHelp1->setObjectName(QStringLiteral("picHelp1"));
    const int top = ContentBottom();
    picHelp1->setGeometry(8, top, width - 16, px(shownHeight - ButtonsAboveBottom) - top - 6);
    picHelp1->setAutoFillBackground(true);
    picHelp1->hide();
    scrHelp = new QScrollBar(Qt::Vertical, picHelp1);
    scrHelp->setObjectName(QStringLiteral("scrHelp"));
    const int sw = scrHelp->sizeHint().width();
    scrHelp->setGeometry(picHelp1->width() - sw, 0, sw, picHelp1->height());
    picHelp2 = new QWidget(picHelp1);
    picHelp2->setObjectName(QStringLiteral("picHelp2"));
    picHelp2->setGeometry(0, 0, picHelp1->width() - sw - 2, picHelp1->height());

    btOk = new QPushButton(this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btWizard = new QPushButton(QStringLiteral("Wi&zard"), this);
    btWizard->setObjectName(QStringLiteral("btWizard"));
    btWizard->setToolTip(QStringLiteral("Click here to use the wizard"));
    btCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    for (QPushButton* b : {btOk, btWizard, btCancel}) {
        b->setAutoDefault(false);
        b->resize(kButtonWidth, kButtonHeight);
    }

    connect(chHelp, &QCheckBox::clicked, this, &ToolDialog::chHelp_Click);
    connect(scrHelp, &QScrollBar::valueChanged, this, &ToolDialog::scrHelp_Change);
    connect(btCancel, &QPushButton::clicked, this, &ToolDialog::btCancel_Click);
    connect(btWizard, &QPushButton::clicked, this, &ToolDialog::btWizard_Click);
    Arrange();
}

int ToolDialog::ContentBottom() const { return px(hiddenHeight_ - ButtonsAboveBottom); }

int ToolDialog::heightTwips() const { return chHelp->isChecked() ? shownHeight_ : hiddenHeight_; }

void ToolDialog::Arrange() {
    const int h = heightTwips();
    setFixedHeight(px(h));
    const int top = px(h - ButtonsAboveBottom);
    const int w = width();
    btOk->move(8, top);
    btWizard->move(8 + kButtonWidth + 6, top);
    btCancel->move(w - 8 - kButtonWidth, top);
    // The help switch sits between the wizard and cancel buttons.
    const int x = btWizard->x() + kButtonWidth + 10;
    chHelp->setGeometry(x, top + 4, std::min(70, btCancel->x() - 6 - x), 18);
}

void ToolDialog::SetHelp(const QString& headline, const QStringList& paragraphs) {
    helpHeadline_ = headline;
    helpParagraphs_ = paragraphs;
    helpBuilt_ = false;
    if (picHelp1->isVisible()) buildHelp();
}

// Word-wrapping the help text is the costliest part of a dialog; most users never open it.
void ToolDialog::buildHelp() {
    helpBuilt_ = true;
    const QString headline = helpHeadline_;
    const QStringList paragraphs = helpParagraphs_;
    qDeleteAll(picHelp2->findChildren<QLabel*>(Qt::FindDirectChildrenOnly));
    delete picHelp2->layout();
    auto* lay = new QVBoxLayout(picHelp2);
    lay->setContentsMargins(4, 4, 4, 4);
    auto* head = new QLabel(headline, picHelp2);
    head->setObjectName(QStringLiteral("lbHelpHead"));
    QFont f = head->font();
    f.setBold(true);
    head->setFont(f);
    lay->addWidget(head);
    for (const QString& p : paragraphs) {
        auto* l = new QLabel(p, picHelp2);
        l->setWordWrap(true);
        lay->addWidget(l);
    }
    const int w = picHelp2->width();
    picHelp2->resize(w, std::max(lay->totalHeightForWidth(w), picHelp1->height()));
    scrHelp->setRange(0, picHelp2->height() - picHelp1->height());
    scrHelp->setPageStep(picHelp1->height());
    scrHelp->setSingleStep(15);
}

void ToolDialog::chHelp_Click() {
    if (chHelp->isChecked() && !helpBuilt_) buildHelp();
    picHelp1->setVisible(chHelp->isChecked());
    Arrange();
}

void ToolDialog::scrHelp_Change(int value) { picHelp2->move(0, -value); }

void ToolDialog::btCancel_Click() { hide(); }

void ToolDialog::btWizard_Click() {
    host_->setWizardFor(tool_, true);
    hide();
    OpenTool(*host_, tool_);
}

void ToolDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) host_->setToolButton(tool_, isActiveWindow());
    QDialog::changeEvent(event);
}

void ToolDialog::closeEvent(QCloseEvent* event) {
    // The dialog lives for the whole run, bound to the main window's objects.
    event->ignore();
    hide();
}
