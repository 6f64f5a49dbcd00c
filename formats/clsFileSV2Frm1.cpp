#include "formats/clsFileSV2Frm1.h"
#include "formats/FontChoice.h"
#include "formats/FormatIO.h"
#include "model/Num.h"
#include "platform/MsgBox.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kFacePrefix = QStringLiteral("Currently selected font-face: ");

} // namespace

clsFileSV2Frm1::clsFileSV2Frm1(QWidget* parent) : FormatForm(parent) {
    setObjectName(QStringLiteral("clsFileSV2Frm1"));
    setWindowTitle(QStringLiteral("SubViewer 2.0 Properties"));

    auto* info = new QGroupBox(QStringLiteral("General Information"), this);
    auto* form = new QFormLayout(info);
    buildHeader(form, 220);
    txtSV2Comment = AddRow(form, QStringLiteral("txtSV2Comment"), QStringLiteral("Comment :"), QString());
    txtSV2Comment->setMinimumWidth(220);

    auto* style = new QGroupBox(QStringLiteral("Style"), this);
    auto* grid = new QGridLayout(style);
    lstFonts = new FontChoice(style);
    lstFonts->setObjectName(QStringLiteral("lstFonts"));
    lbFace = new QLabel(style);
    lbFace->setObjectName(QStringLiteral("lbFace"));
    cBold = new QCheckBox(QStringLiteral("Bold"), style);
    cBold->setObjectName(QStringLiteral("cBold"));
    cItalic = new QCheckBox(QStringLiteral("Italic"), style);
    cItalic->setObjectName(QStringLiteral("cItalic"));
    cUnderline = new QCheckBox(QStringLiteral("Underline"), style);
    cUnderline->setObjectName(QStringLiteral("cUnderline"));
    txtFontSize = new QLineEdit(QStringLiteral("18"), style);
    txtFontSize->setObjectName(QStringLiteral("txtFontSize"));
    txtFontSize->setMaximumWidth(60);
    grid->addWidget(new QLabel(QStringLiteral("Font :"), style), 0, 0);
    grid->addWidget(lstFonts, 0, 1, 1, 3);
    grid->addWidget(lbFace, 1, 0, 1, 4);
    grid->addWidget(cBold, 2, 0);
    grid->addWidget(cItalic, 2, 1);
    grid->addWidget(cUnderline, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Size :"), style), 3, 0);
    grid->addWidget(txtFontSize, 3, 1);
    const char* bars[3] = {"Red :", "Green :", "Blue :"};
    for (int k = 0; k < 3; ++k) {
        auto* s = new QScrollBar(Qt::Horizontal, style);
        s->setObjectName(QStringLiteral("CScroll_%1").arg(k));
        s->setRange(0, 255);
        s->setValue(255);
        CScroll[k] = s;
        grid->addWidget(new QLabel(QString::fromLatin1(bars[k]), style), 4 + k, 0);
        grid->addWidget(s, 4 + k, 1, 1, 3);
    }
    txtColor = new QLineEdit(QStringLiteral("#FFFFFF"), style);
    txtColor->setObjectName(QStringLiteral("txtColor"));
    txtColor->setMaximumWidth(80);
    txtColor->installEventFilter(this);
    lbSample = new QLabel(style);
    lbSample->setObjectName(QStringLiteral("lbSample"));
    lbSample->setFixedSize(40, 20);
    lbSample->setAutoFillBackground(true);
    grid->addWidget(new QLabel(QStringLiteral("Colour :"), style), 7, 0);
    grid->addWidget(txtColor, 7, 1);
    grid->addWidget(lbSample, 7, 2);
    lbPrev = new QLabel(QStringLiteral("Subtitle preview"), style);
    lbPrev->setObjectName(QStringLiteral("lbPrev"));
    lbPrev->setAlignment(Qt::AlignCenter);
    lbPrev->setFixedSize(260, 70);
    lbPrev->setAutoFillBackground(true);
    grid->addWidget(lbPrev, 8, 0, 1, 4);

    auto* columns = new QHBoxLayout;
    columns->addWidget(info);
    columns->addWidget(style);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    for (QScrollBar* s : CScroll) connect(s, &QScrollBar::valueChanged, this, &clsFileSV2Frm1::CScroll_Change);
    connect(lstFonts, &QComboBox::activated, this, &clsFileSV2Frm1::lstFonts_Click);
    connect(cBold, &QCheckBox::toggled, this, &clsFileSV2Frm1::style_Change);
    connect(cItalic, &QCheckBox::toggled, this, &clsFileSV2Frm1::style_Change);
    connect(cUnderline, &QCheckBox::toggled, this, &clsFileSV2Frm1::style_Change);
    connect(txtFontSize, &QLineEdit::textChanged, this, &clsFileSV2Frm1::style_Change);

    SelFont(QStringLiteral("arial"));
    lstFonts->useListSpelling();
    CScroll_Change();
}

std::vector<std::pair<QString, QLineEdit*>> clsFileSV2Frm1::header() const {
    auto boxes = headerBoxes();
    boxes.emplace_back(QStringLiteral("[COMMENT]"), txtSV2Comment);
    return boxes;
}

QString clsFileSV2Frm1::GetType() const {
    if (cBold->isChecked()) return QStringLiteral("bd");
    if (cItalic->isChecked()) return QStringLiteral("it");
    if (cUnderline->isChecked()) return QStringLiteral("ud");
    return QStringLiteral("no");
}

void clsFileSV2Frm1::SetType(const QString& s) {
    cBold->setChecked(false);
    cItalic->setChecked(false);
    cUnderline->setChecked(false);
    if (s == QStringLiteral("ud")) cUnderline->setChecked(true);
    if (s == QStringLiteral("it")) cItalic->setChecked(true);
    if (s == QStringLiteral("bd")) cBold->setChecked(true);
}

void clsFileSV2Frm1::SelFont(const QString& s) {
    lstFonts->setFontName(s.trimmed());
    lstFonts_Click();
}

QString clsFileSV2Frm1::fontName() const { return lstFonts->fontName(); }

// The list has taken the user's pick as the font to write; the face and the preview follow.
void clsFileSV2Frm1::lstFonts_Click() {
    lbFace->setText(kFacePrefix + lstFonts->currentText());
    style_Change();
}

void clsFileSV2Frm1::style_Change() {
    QFont f(lstFonts->currentText());
    f.setBold(cBold->isChecked());
    f.setItalic(cItalic->isChecked());
    f.setUnderline(cUnderline->isChecked());
    const double size = Val(txtFontSize->text());
    // The preview stays readable whatever size is typed; the file gets the typed size.
    if (size > 0) f.setPointSizeF(std::min(size, 48.0));
    lbPrev->setFont(f);
}

QString clsFileSV2Frm1::colorHex() const {
    // A colour typed but not yet taken (the form closed by its close box) still counts.
    if (IsColorText(txtColor->text())) return txtColor->text().mid(1).toUpper();
    return QString::asprintf("%02X%02X%02X", CScroll[0]->value(), CScroll[1]->value(), CScroll[2]->value());
}

bool clsFileSV2Frm1::IsColorText(const QString& s) {
    return s.size() == 7 && s.startsWith(u'#') && HexPair(s, 1) >= 0 && HexPair(s, 3) >= 0 && HexPair(s, 5) >= 0;
}

void clsFileSV2Frm1::CScroll_Change() {
    const QColor c(CScroll[0]->value(), CScroll[1]->value(), CScroll[2]->value());
    QPalette sample = lbSample->palette();
    sample.setColor(QPalette::Window, c);
    lbSample->setPalette(sample);
    txtColor->setText(QString::asprintf("#%02X%02X%02X", c.red(), c.green(), c.blue()));
    QPalette prev = lbPrev->palette();
    prev.setColor(QPalette::WindowText, c);
    prev.setColor(QPalette::Window, QColor(64, 64, 64));
    lbPrev->setPalette(prev);
}

bool clsFileSV2Frm1::txtColor_Validate(bool tell) {
    const QString s = txtColor->text();
    if (IsColorText(s)) {
        for (int k = 0; k < 3; ++k) CScroll[k]->setValue(HexPair(s, 1 + 2 * k));
        CScroll_Change();
        refused_.clear();
        return true;
    }
    if (tell) {
        checking_ = true;
        MsgBox(QStringLiteral("Please insert a correct color value '#RRGGBB'"));
        checking_ = false;
    }
    txtColor->setFocus();
    return false;
}

bool clsFileSV2Frm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtColor && event->type() == QEvent::FocusOut && !checking_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A box or another window taking the focus is no leaving of the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const QString s = txtColor->text();
            if (!txtColor_Validate(s != refused_)) refused_ = s;
        }
    }
    return FormatForm::eventFilter(watched, event);
}

bool clsFileSV2Frm1::validate() {
    const QString s = txtColor->text();
    // Told once when the box was left on the way to OK.
    const bool ok = txtColor_Validate(s != refused_);
    refused_.clear();
    return ok;
}
