#include "mainwin/frmProps.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A label of a frame, below the ones before it.
QLabel* field(QGroupBox* frame, const char* name, const QString& caption) {
    auto* l = new QLabel(caption, frame);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText); // file names are not markup
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    frame->layout()->addWidget(l);
    return l;
}

QGroupBox* frame(QVBoxLayout* column, const char* name, const QString& caption) {
    auto* f = new QGroupBox(caption, column->parentWidget());
    f->setObjectName(QString::fromLatin1(name));
    new QVBoxLayout(f);
    column->addWidget(f);
    return f;
}
} // namespace

frmProps::frmProps(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmProps"));
    setWindowTitle(QStringLiteral("Properties"));

    // The window grows with the figures appended to the labels (a long path).
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    Frame1 = frame(column, "Frame1", QStringLiteral("File "));
    lbFileName = field(Frame1, "lbFileName", QStringLiteral("Filename : "));
    lbFilePath = field(Frame1, "lbFilePath", QStringLiteral("Path : "));

    Frame2 = frame(column, "Frame2", QStringLiteral("Count"));
    lbSubCount = field(Frame2, "lbSubCount", QStringLiteral("Subtitle count :"));
    lbDuration = field(Frame2, "lbDuration", QStringLiteral("Total sub duration :"));
    lbBadCount = field(Frame2, "lbBadCount", QStringLiteral("Incorrect subtitle count :"));

    Frame3 = frame(column, "Frame3", QStringLiteral("Selections and markers "));
    lbCTime = field(Frame3, "lbCTime", QStringLiteral("Current time :"));
    lbCSub = field(Frame3, "lbCSub", QStringLiteral("Current sub :"));
    lbSel = field(Frame3, "lbSel", QStringLiteral("Selected subs : "));
    lbSMT = field(Frame3, "lbSMT", QStringLiteral("Shift Marker Time :"));
    lbSMS = field(Frame3, "lbSMS", QStringLiteral("Shift Marker Sub :"));
    lbSMT1 = field(Frame3, "lbSMT1", QStringLiteral("Stretch Marker 1 Time :"));
    lbSMS1 = field(Frame3, "lbSMS1", QStringLiteral("Stretch Marker 1 Sub :"));
    lbSMT2 = field(Frame3, "lbSMT2", QStringLiteral("Stretch Marker 2 Time :"));
    lbSMS2 = field(Frame3, "lbSMS2", QStringLiteral("Stretch Marker 2 Sub :"));

    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command1->setMinimumWidth(90);
    column->addWidget(Command1, 0, Qt::AlignRight);
    setMinimumWidth(360);

    connect(Command1, &QPushButton::clicked, this, &frmProps::Command1_Click);
}

// Ends the showing; the owner then destroys the window, so the next one starts from the
// field names alone.
void frmProps::Command1_Click() { accept(); }
