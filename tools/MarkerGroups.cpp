#include "tools/MarkerGroups.h"
#include "controls/TimeText.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace MarkerGroups {
namespace {
constexpr int kFieldWidth = 96;
}

QGroupBox* Frame(QWidget* parent, const QString& name, const QString& caption, int x, int y) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    g->setGeometry(x, y, FrameWidth, FrameHeight);
    return g;
}

QLineEdit* NumberField(QGroupBox* frame, const QString& name) {
    auto* e = new QLineEdit(frame);
    e->setObjectName(name);
    e->setGeometry(8, 24, kFieldWidth - 30, 22);
    return e;
}

TimeText* TimeField(QGroupBox* frame, const QString& name) {
    auto* t = new TimeText(frame);
    t->setObjectName(name);
    t->setGeometry(8, 24, kFieldWidth, 22);
    t->setBorderStyle(1);
    t->setStyle3D(true);
    return t;
}

QPushButton* Button(QWidget* field, const QString& name, int n, QStyle::StandardPixmap icon, const char* tip) {
    QWidget* frame = field->parentWidget();
    auto* b = new QPushButton(frame);
    b->setObjectName(name);
    b->setIcon(frame->style()->standardIcon(icon));
    b->setToolTip(QString::fromLatin1(tip));
    b->setAutoDefault(false);
    b->setGeometry(field->geometry().right() + 5 + n * 22, 23, 20, 24);
    return b;
}
} // namespace MarkerGroups
