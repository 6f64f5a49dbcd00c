#include "formats/clsFileTXTFrm1.h"
#include "formats/VisualPlayer.h"
#include "model/Num.h"
#include "platform/MsgBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

clsFileTXTFrm1::clsFileTXTFrm1(QWidget* parent) : FormatForm(parent) {
    setObjectName(QStringLiteral("clsFileTXTFrm1"));
    setWindowTitle(QStringLiteral("MicroDVD Properties"));

    Frame1 = new QGroupBox(QStringLiteral("Framerate"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtFRate = new QComboBox(Frame1);
    txtFRate->setObjectName(QStringLiteral("txtFRate"));
    txtFRate->setEditable(true);
    txtFRate->setInsertPolicy(QComboBox::NoInsert);
    txtFRate->addItems({QStringLiteral("15"), QStringLiteral("20"), QStringLiteral("23.976"), QStringLiteral("23.978"),
                        QStringLiteral("24"), QStringLiteral("25"), QStringLiteral("29"), QStringLiteral("29.970"),
                        QStringLiteral("30"), QStringLiteral("32")});
    txtFRate->setCurrentText(QStringLiteral("29.970"));
    txtFRate->setToolTip(QStringLiteral("The framerate of the movie associated with this subfile.  It must "
                                        "be accurate for the sub to work."));
    btRate = new QPushButton(QStringLiteral("Get framerate from movie"), Frame1);
    btRate->setObjectName(QStringLiteral("btRate"));
    btRate->setAutoDefault(false);
    btRate->setToolTip(QStringLiteral("Get the framerate from the currently loaded movie.  If no movie is "
                                      "loaded, this will happen automatically."));
    auto* rateRow = new QHBoxLayout(Frame1);
    rateRow->addWidget(txtFRate, 1);
    rateRow->addWidget(btRate);

    Frame2 = new QGroupBox(QStringLiteral("Newline Character"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    txtTXTNl = new QLineEdit(QStringLiteral("|"), Frame2);
    txtTXTNl->setObjectName(QStringLiteral("txtTXTNl"));
    txtTXTNl->setToolTip(QStringLiteral("Character used to indicate a new line.  Usually '|'"));
    auto* nlRow = new QHBoxLayout(Frame2);
    nlRow->addWidget(txtTXTNl);
    nlRow->addStretch();

    btOk->setText(QStringLiteral("&OK"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addLayout(buttons);

    connect(btRate, &QPushButton::clicked, this, &clsFileTXTFrm1::btRate_Click);
}

double clsFileTXTFrm1::FrameRate() const { return Val(txtFRate->currentText()); }

void clsFileTXTFrm1::setFrameRateText(const QString& s) { txtFRate->setCurrentText(s); }

QString clsFileTXTFrm1::NewLineText() const { return txtTXTNl->text(); }

bool clsFileTXTFrm1::validate() {
    // A rate of 0 (any text that isn't a number) would leave every time undefined.
    if (!txtFRate->currentText().trimmed().isEmpty() && FrameRate() > 0) return true;
    MsgBox(QStringLiteral("Please enter a valid framerate."));
    return false;
}

void clsFileTXTFrm1::btRate_Click() {
    if (VisualPlayer().fileName.isEmpty()) LoadVisualVideo();
    const VisualPlayerInfo player = VisualPlayer();
    if (player.fileName.isEmpty()) return; // no video chosen: nothing changes
    const double frames = RoundHalfEven(player.frames);
    if (!(frames > 0) || !(player.duration > 0)) {
        MsgBox(QStringLiteral("The framerate of this movie cannot be measured."));
        return;
    }
    // Cut to three decimals, not rounded; the small allowance keeps a rate such as 29.97 that
    // a double holds as 29.96999... from losing its last digit.
    const double fps = std::floor(frames / player.duration * 1000.0 + 1e-6) / 1000.0;
    txtFRate->setCurrentText(NumText(fps));
}
