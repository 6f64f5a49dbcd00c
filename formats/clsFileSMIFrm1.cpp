#include "formats/clsFileSMIFrm1.h"
#include "formats/VisualPlayer.h"
#include "formats/WarningsList.h"
#include "formats/clsFileSMIFrm2.h"
#include "model/Num.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString defaultCss() {
    return QStringLiteral("P {\r\n"
                          "\tfont-size: 12pt; \r\n"
                          "\ttext-align: left; \r\n"
                          "\tfont-family: arial, sans-serif; \r\n"
                          "\tfont-weight: normal; \r\n"
                          "\tcolor: white; \r\n"
                          "\tbackground-color: black;\r\n"
                          "\t}\r\n"
                          ".SUBTTL {\r\n"
                          "\tName: 'Subtitles'; \r\n"
                          "\tLang: en-US; \r\n"
                          "\tSAMIType: CC;\r\n"
                          "\t}\r\n");
}

QPlainTextEdit* textBox(const QString& name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabStopDistance(box->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 4);
    return box;
}

// Captions show markup such as "<BODY>" as written.
QLabel* label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

bool holdsMoreThanBlanks(const QString& s) {
    for (QChar c : s)
        if (c != u' ' && c != u'\t') return true;
    return false;
}
} // namespace

void AppendBlock(QPlainTextEdit* box, const QString& block) {
    QString text = clsFileSMIFrm1::boxText(box);
    if (holdsMoreThanBlanks(text) && !text.endsWith(kCrLf)) text += kCrLf;
    clsFileSMIFrm1::setBoxText(box, text + block);
}

QString clsFileSMIFrm1::boxText(const QPlainTextEdit* box) {
    QString t = box->toPlainText();
    t.replace(u'\n', kCrLf);
    return t;
}

void clsFileSMIFrm1::setBoxText(QPlainTextEdit* box, const QString& text) {
    QString t = text;
    t.replace(kCrLf, QStringLiteral("\n"));
    box->setPlainText(t);
}

clsFileSMIFrm1::clsFileSMIFrm1(QWidget* parent) : FormatForm(parent) {
    setObjectName(QStringLiteral("clsFileSMIFrm1"));
    setWindowTitle(QStringLiteral("Sami Properties"));
    resize(560, 480);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    auto* general = new QWidget(SSTab1);
    auto* g = new QGridLayout(general);
    txtSMITitle = new QLineEdit(QStringLiteral("*Insert title here*"), general);
    txtSMITitle->setObjectName(QStringLiteral("txtSMITitle"));
    txtSMIParam = textBox(QStringLiteral("txtSMIParam"), general);
    setBoxText(txtSMIParam, QStringLiteral("Copyright {}\r\nSpec {MSFT:1.0;}\r\n"));
    btSMIAuto1 = new QPushButton(QStringLiteral("Auto-complete media and metrics from visual editor"), general);
    btSMIAuto1->setObjectName(QStringLiteral("btSMIAuto1"));
    g->addWidget(label(QStringLiteral("Title:"), general), 0, 0);
    g->addWidget(txtSMITitle, 0, 1);
    g->addWidget(label(QStringLiteral("SAMI-Parameters :"), general), 1, 0, 1, 2);
    g->addWidget(txtSMIParam, 2, 0, 1, 2);
    g->addWidget(btSMIAuto1, 3, 0, 1, 2);

    auto* style = new QWidget(SSTab1);
    auto* s = new QVBoxLayout(style);
    txtSMICss = textBox(QStringLiteral("txtSMICss"), style);
    setBoxText(txtSMICss, defaultCss());
    btSMICSSFont = new QPushButton(QStringLiteral("Add Font and Background"), style);
    btSMICSSFont->setObjectName(QStringLiteral("btSMICSSFont"));
    txtPClass = new QLineEdit(style);
    txtPClass->setObjectName(QStringLiteral("txtPClass"));
    s->addWidget(label(QStringLiteral("<STYLE TYPE=\"text/css\"><!--"), style));
    s->addWidget(txtSMICss);
    s->addWidget(label(QStringLiteral("--></STYLE>"), style));
    s->addWidget(btSMICSSFont);
    s->addWidget(label(QStringLiteral("Subtitle Paragraph class :"), style));
    s->addWidget(txtPClass);

    auto* body = new QWidget(SSTab1);
    auto* b = new QVBoxLayout(body);
    txtSMIBody1 = textBox(QStringLiteral("txtSMIBody1"), body);
    txtSMIBody2 = textBox(QStringLiteral("txtSMIBody2"), body);
    b->addWidget(label(QStringLiteral("<BODY>"), body));
    b->addWidget(txtSMIBody1);
    auto* here = label(QStringLiteral(">> Subtitle paragraphs go here <<"), body);
    here->setAlignment(Qt::AlignCenter);
    b->addWidget(here);
    b->addWidget(txtSMIBody2);
    b->addWidget(label(QStringLiteral("</BODY>"), body));

    lbWarnings = new WarningsList(SSTab1);
    lbWarnings->setObjectName(QStringLiteral("lbWarnings"));

    SSTab1->addTab(general, QStringLiteral("General "));
    SSTab1->addTab(style, QStringLiteral("Style "));
    SSTab1->addTab(body, QStringLiteral("Body "));
    SSTab1->addTab(lbWarnings, QStringLiteral("Warnings "));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(label(QStringLiteral("NOTE : These settings are only for advanced users."), this), 1);
    bottom->addWidget(btOk);
    layout->addLayout(bottom);

    connect(btSMIAuto1, &QPushButton::clicked, this, &clsFileSMIFrm1::btSMIAuto1_Click);
    connect(btSMICSSFont, &QPushButton::clicked, this, &clsFileSMIFrm1::btSMICSSFont_Click);
}

bool clsFileSMIFrm1::validate() {
    // A SAMI style sheet names the subtitles' language in a class rule; players need one.
    if (!boxText(txtSMICss).contains(QStringLiteral("lang"), Qt::CaseInsensitive)) {
        AppendBlock(txtSMICss, QStringLiteral(".SUBTTL {\r\n"
                                              "\tName: 'Subtitles';\r\n"
                                              "\tLang: en-US;\r\n"
                                              "\tSAMIType: CC;\r\n"
                                              "\t}"));
    }
    return true;
}

void clsFileSMIFrm1::btSMIAuto1_Click() {
    const VisualPlayerInfo player = VisualPlayer();
    if (player.fileName.isEmpty()) {
        MsgBox(QStringLiteral("No movie is loaded.  Cannot insert correct information."));
        return;
    }
    const QString name = player.fileName.mid(player.fileName.lastIndexOf(u'/') + 1);
    const double ms = std::floor(player.duration * 1000.0);
    AppendBlock(txtSMIParam, QStringLiteral("Media {") + name + QStringLiteral("}\r\n") +
                                 QStringLiteral("Metrics {time:ms; duration:") + Str(ms) + QStringLiteral(";}"));
}

void clsFileSMIFrm1::btSMICSSFont_Click() {
    clsFileSMIFrm2& dialog = StyleDialog();
    dialog.SetParent(this);
    ShowModal(&dialog);
}
