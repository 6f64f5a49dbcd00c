#include "formats/WarningsList.h"
#include "platform/Desktop.h"

#include <QKeyEvent>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

// Every row as wide as the widest line, so that long lines scroll rather than being cut.
class WarningsList::Rows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int width = 0;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setWidth(std::max(s.width(), width));
        return s;
    }
};

WarningsList::WarningsList(QWidget* parent)
    : QListView(parent), lines_(new QStringListModel(this)), rows_(new Rows(this)) {
    setModel(lines_);
    setItemDelegate(rows_);
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void WarningsList::setText(const QString& text) {
    const QStringList lines = text.split(u'\n');
    // Measuring every line would cost as much as laying them all out: the longest lines stand
    // for the widest.
    std::vector<qsizetype> order(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) order[i] = i;
    const qsizetype measured = std::min<qsizetype>(lines.size(), 32);
    std::nth_element(order.begin(), order.begin() + (measured - 1), order.end(),
                     [&lines](qsizetype a, qsizetype b) { return lines[a].size() > lines[b].size(); });
    const QFontMetrics metrics(font());
    int widest = 0;
    for (qsizetype k = 0; k < measured; ++k) widest = std::max(widest, metrics.horizontalAdvance(lines[order[k]]));
    rows_->width = widest + 2 * metrics.averageCharWidth();
    lines_->setStringList(lines);
}

QString WarningsList::text() const { return lines_->stringList().join(u'\n'); }

void WarningsList::keyPressEvent(QKeyEvent* event) {
    if (event != QKeySequence::Copy) {
        QListView::keyPressEvent(event);
        return;
    }
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList picked;
    for (const QModelIndex& i : rows) picked << i.data().toString();
    SetClipboardText(picked.join(u'\n'));
}
