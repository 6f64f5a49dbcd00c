#include "visual/frmVProps.h"

#include "model/CFileFnc.h"
#include "model/Common.h"
#include "model/Num.h"
#include "platform/MediaPlayer.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* label(const char* name, const QString& caption) {
    auto* l = new QLabel(caption);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QString TimeOfSeconds(double seconds) { return FormatTime(SatLong(qint64(RoundHalfEven(seconds * 1000)))); }
} // namespace

frmVProps::frmVProps(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVProps"));
    setWindowTitle(QStringLiteral("Movie Properties"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* top = new QVBoxLayout(this);

    Frame1 = new QGroupBox(QStringLiteral("Movie "));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* movie = new QVBoxLayout(Frame1);
    lbDuration = label("lbDuration", QStringLiteral("Duration : "));
    lbPosition = label("lbPosition", QStringLiteral("Current position : "));
    movie->addWidget(lbDuration);
    movie->addWidget(lbPosition);
    top->addWidget(Frame1);

    Frame2 = new QGroupBox(QStringLiteral("File "));
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* file = new QVBoxLayout(Frame2);
    lbFilename = label("lbFilename", QStringLiteral("Filename : "));
    lbPath = label("lbPath", QStringLiteral("Path : "));
    lbPath->setWordWrap(true);
    file->addWidget(lbFilename);
    file->addWidget(lbPath);
    top->addWidget(Frame2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Command1 = new QPushButton(QStringLiteral("OK"));
    Command1->setObjectName(QStringLiteral("Command1"));
    buttons->addWidget(Command1);
    top->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &QDialog::hide);
    setMinimumWidth(4500 / 15);
}

void frmVProps::Fill(const MediaPlayer& player) {
    const QString path = player.FileName();
    lbDuration->setText(lbDuration->text() + TimeOfSeconds(player.Duration()));
    lbFilename->setText(lbFilename->text() + FileTitleOf(path));
    lbPath->setText(lbPath->text() + FolderOf(path));
    lbPosition->setText(lbPosition->text() + TimeOfSeconds(player.CurrentPosition()));
}
