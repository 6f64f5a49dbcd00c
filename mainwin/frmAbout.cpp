#include "mainwin/frmAbout.h"
#include "platform/Shell.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

const QString frmAbout::MailAddress = QStringLiteral("lumerin@users.sourceforge.net");
const QString frmAbout::WebAddress = QStringLiteral("https://lumerin.sourceforge.io/");

namespace {
// A film frame with two subtitle lines across its foot.
QPixmap logo() {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 60, 110));
    p.drawRoundedRect(QRectF(2, 8, 60, 48), 6, 6);
    p.setBrush(QColor(240, 240, 235));
    for (int x = 8; x < 60; x += 10) {
        p.drawRect(QRectF(x, 11, 5, 4));
        p.drawRect(QRectF(x, 49, 5, 4));
    }
    p.setBrush(QColor(255, 220, 80));
    p.drawRoundedRect(QRectF(12, 30, 40, 5), 2, 2);
    p.drawRoundedRect(QRectF(18, 38, 28, 5), 2, 2);
    p.end();
    return pm;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLabel* link(QWidget* parent, const char* name, const QString& text) {
    QLabel* l = label(parent, name, text);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    l->setPalette(pal);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}
} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Lumerin"));
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);

    picLogo = label(this, "picLogo", QString());
    picLogo->setPixmap(logo());
    grid->addWidget(picLogo, 0, 0, 4, 1, Qt::AlignTop);

    lblTitle = label(this, "lblTitle", QStringLiteral("Lumerin"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    lblTitle->setFont(big);
    grid->addWidget(lblTitle, 0, 1);
    lblProduct = label(this, "lblProduct", QStringLiteral("Lumerin subtitle editor"));
    grid->addWidget(lblProduct, 1, 1);
    lblVersion = label(this, "lblVersion", QStringLiteral("Version 1.0, released June 2025"));
    grid->addWidget(lblVersion, 2, 1);
    lblCredit = label(this, "lblCredit", QStringLiteral("Written by the Lumerin developers."));
    grid->addWidget(lblCredit, 3, 1);

    Label3 = link(this, "Label3", MailAddress);
    grid->addWidget(Label3, 4, 1);
    Label5 = link(this, "Label5", WebAddress);
    grid->addWidget(Label5, 5, 1);

    lblDisclaimer = label(this, "lblDisclaimer",
                          QStringLiteral("This program is provided as is, without warranty of any kind.\n"
                                         "Keep copies of your subtitle files: the authors are not liable\n"
                                         "for any loss or damage that its use may cause."));
    grid->addWidget(lblDisclaimer, 6, 0, 1, 2);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(90);
    grid->addWidget(cmdOK, 7, 0, 1, 2, Qt::AlignRight);

    Label3->installEventFilter(this);
    Label5->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

// The links are labels that answer a left click.
bool frmAbout::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (watched == Label3) Label3_Click();
        else if (watched == Label5) Label5_Click();
    }
    return QDialog::eventFilter(watched, e);
}

void frmAbout::cmdOK_Click() { accept(); }

// A mail program or browser that can't be started is told, as for the manual.
void frmAbout::Label3_Click() { ShellOpen(QStringLiteral("mailto:") + MailAddress); }
void frmAbout::Label5_Click() { ShellOpen(WebAddress); }
