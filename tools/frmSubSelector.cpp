#include "tools/frmSubSelector.h"
#include "controls/SubListing.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

frmSubSelector::frmSubSelector(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSubSelector"));
    setWindowTitle(QStringLiteral("Select Subtitle"));
    constexpr int w = 480, rows = 14;
    lbInfo = new QLabel(QStringLiteral("Please select the subtitle and click OK"), this);
    lbInfo->setObjectName(QStringLiteral("lbInfo"));
    lbInfo->setWordWrap(true);
    lbInfo->setGeometry(8, 6, w - 16, 44);
    Listing = new SubListing(this);
    Listing->setObjectName(QStringLiteral("Listing"));
    Listing->setGeometry(8, 54, w - 16, 16 + rows * SubListing::RowHeight);
    const int top = Listing->geometry().bottom() + 8;
    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btOk->setGeometry(w - 8 - 90, top, 90, 25);
    btOk->setAutoDefault(false);
    setFixedSize(w, top + 25 + 8);
    connect(btOk, &QPushButton::clicked, this, &QWidget::hide);
}

void frmSubSelector::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Listing->Redraw();
}

void frmSubSelector::closeEvent(QCloseEvent* event) {
    // The owning wizard unloads the picker; the user only puts it away.
    event->ignore();
    hide();
}
