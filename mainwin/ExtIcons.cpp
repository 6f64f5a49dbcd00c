#include "mainwin/ExtIcons.h"
#include "mainwin/Associate.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

#include <QFont>
#include <QPainter>
#include <QPainterPath>

QPixmap ExtIcon(int index, int size) {
    static const char* const labels[] = {"?", "SRT", "SUB", "SMI", "SAMI", "SSA", "TXT"};
    static const QColor colors[] = {QColor(128, 128, 128), QColor(32, 96, 192), QColor(32, 144, 64),
                                    QColor(160, 64, 160),  QColor(176, 80, 32), QColor(192, 32, 48),
                                    QColor(96, 96, 96)};
    index = std::clamp(index, 0, 6);
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // A sheet with a folded corner and the extension written across a coloured band.
    QPainterPath sheet;
    sheet.moveTo(5, 1);
    sheet.lineTo(21, 1);
    sheet.lineTo(27, 7);
    sheet.lineTo(27, 31);
    sheet.lineTo(5, 31);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(21, 1, 21, 7);
    p.drawLine(21, 7, 27, 7);
    p.fillRect(QRect(1, 14, 30, 11), colors[index]);
    QFont f;
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(1, 14, 30, 11), Qt::AlignCenter, QString::fromLatin1(labels[index]));
    return pm;
}

QListWidget* AddExtList(QGridLayout* grid, int row, std::array<QLabel*, 7>& imgIcon) {
    auto* lstExt = new QListWidget(grid->parentWidget());
    lstExt->setObjectName(QStringLiteral("lstExt"));
    lstExt->addItems(ExtRows());
    lstExt->setSelectionMode(QAbstractItemView::MultiSelection);
    lstExt->setMaximumWidth(140);
    grid->addWidget(lstExt, row, 0);
    auto* icons = new QWidget(grid->parentWidget());
    auto* il = new QGridLayout(icons);
    for (int i = 0; i < 7; ++i) {
        imgIcon[i] = new QLabel(icons);
        imgIcon[i]->setObjectName(QStringLiteral("imgIcon_%1").arg(i));
        imgIcon[i]->setPixmap(ExtIcon(i));
        imgIcon[i]->setVisible(i == 0);
        il->addWidget(imgIcon[i], 0, 0, Qt::AlignTop | Qt::AlignLeft);
    }
    grid->addWidget(icons, row, 1, Qt::AlignTop | Qt::AlignLeft);
    return lstExt;
}

void ShowExtIcon(const QListWidget* lstExt, const std::array<QLabel*, 7>& imgIcon) {
    const int shown = lstExt->currentRow() + 1;
    for (int i = 0; i < 7; ++i) imgIcon[i]->setVisible(i == shown);
}
