#include "formats/clsFileSMIFrm2.h"
#include "formats/FontChoice.h"
#include "formats/LeaveCheck.h"
#include "formats/clsFileSMIFrm1.h"
#include "model/Num.h"
#include "platform/Desktop.h"
#include "platform/MsgBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QString hex2(int v) { return QStringLiteral("%1").arg(v, 2, 16, QChar(u'0')).toUpper(); }

// "#RRGGBB" with hexadecimal pairs: the three values, or false.
bool parseRgb(const QString& text, int rgb[3]) {
    if (text.size() != 7 || text.at(0) != u'#') return false;
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        rgb[k] = text.mid(1 + 2 * k, 2).toInt(&ok, 16);
        if (!ok || text.at(1 + 2 * k) == u'+' || text.at(1 + 2 * k) == u'-') return false;
    }
    return true;
}

void fillSwatch(QFrame* f, const QColor& c) {
    QPalette p = f->palette();
    p.setColor(QPalette::Window, c);
    f->setPalette(p);
}
} // namespace

clsFileSMIFrm2::clsFileSMIFrm2(QWidget* parent) : FormatForm(parent) {
    setObjectName(QStringLiteral("clsFileSMIFrm2"));
    setWindowTitle(QStringLiteral("Add CSS font properties"));
    auto button = [this](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    auto check = [this](const QString& name, const QString& caption) {
        auto* c = new QCheckBox(caption, this);
        c->setObjectName(name);
        return c;
    };
    auto option = [this](const QString& name, const QString& caption) {
        auto* o = new QRadioButton(caption, this);
        o->setObjectName(name);
        return o;
    };

    lstFonts = new QListWidget(this);
    lstFonts->setObjectName(QStringLiteral("lstFonts"));
    lstFonts->addItems(ScreenFonts());
    lstSel = new QListWidget(this);
    lstSel->setObjectName(QStringLiteral("lstSel"));
    btFAdd = button(QStringLiteral("btFAdd"), QStringLiteral(">>"));
    btFRem = button(QStringLiteral("btFRem"), QStringLiteral("Remove"));
    btup = button(QStringLiteral("btup"), QStringLiteral("Higher Priority"));
    btdown = button(QStringLiteral("btdown"), QStringLiteral("Lower Priority"));
    btFAdd->setEnabled(false);
    btFRem->setEnabled(false);
    DefSerif = check(QStringLiteral("DefSerif"), QStringLiteral("Serif"));
    DefSans = check(QStringLiteral("DefSans"), QStringLiteral("Sans-Serif"));
    DefSans->setChecked(true);

    txtFontSize = new QLineEdit(QStringLiteral("12"), this);
    txtFontSize->setObjectName(QStringLiteral("txtFontSize"));
    cBold = check(QStringLiteral("cBold"), QStringLiteral("Bold"));
    cItalic = check(QStringLiteral("cItalic"), QStringLiteral("Italic"));
    cUnderline = check(QStringLiteral("cUnderline"), QStringLiteral("Underline"));
    alLeft = option(QStringLiteral("alLeft"), QStringLiteral("Left"));
    alCenter = option(QStringLiteral("alCenter"), QStringLiteral("Center"));
    alRight = option(QStringLiteral("alRight"), QStringLiteral("Right"));
    alJust = option(QStringLiteral("alJust"), QStringLiteral("Justify"));
    auto* alignGroup = new QButtonGroup(this);
    for (QRadioButton* o : {alLeft, alCenter, alRight, alJust}) alignGroup->addButton(o);
    alCenter->setChecked(true);

    const int initial[6] = {255, 255, 255, 0, 0, 0}; // white on black
    for (int i = 0; i < 6; ++i) {
        CScroll[i] = new QScrollBar(Qt::Horizontal, this);
        CScroll[i]->setObjectName(QStringLiteral("CScroll_%1").arg(i));
        CScroll[i]->setRange(0, 255);
        CScroll[i]->setPageStep(16);
        CScroll[i]->setValue(initial[i]);
    }
    for (int i = 0; i < 2; ++i) {
        cSample[i] = new QFrame(this);
        cSample[i]->setObjectName(QStringLiteral("cSample_%1").arg(i));
        cSample[i]->setFrameShape(QFrame::Box);
        cSample[i]->setAutoFillBackground(true);
        cSample[i]->setMinimumSize(24, 24);
        txtColor[i] = new QLineEdit(this);
        txtColor[i]->setObjectName(QStringLiteral("txtColor_%1").arg(i));
        colorChecks_[i] = new LeaveCheck(txtColor[i], [this, i] { return txtColor_Validate(i); });
    }
    picPreview = new QFrame(this);
    picPreview->setObjectName(QStringLiteral("picPreview"));
    picPreview->setAutoFillBackground(true);
    picPreview->setMinimumHeight(60);
    lbPrev = new QLabel(QStringLiteral("AaBbCc123"), picPreview);
    lbPrev->setObjectName(QStringLiteral("lbPrev"));
    (new QVBoxLayout(picPreview))->addWidget(lbPrev);
    btCancel = button(QStringLiteral("btCancel"), QStringLiteral("Cancel"));
    // Cancel takes no focus, so leaving a colour field through it runs no check.
    btCancel->setFocusPolicy(Qt::NoFocus);
    btOk->setAutoDefault(false);

    // Layout.
    auto* fonts = new QGroupBox(QStringLiteral("Font"), this);
    auto* fg = new QGridLayout(fonts);
    fg->addWidget(new QLabel(QStringLiteral("Available"), fonts), 0, 0);
    fg->addWidget(new QLabel(QStringLiteral("Selected"), fonts), 0, 2);
    fg->addWidget(lstFonts, 1, 0, 4, 1);
    fg->addWidget(btFAdd, 1, 1);
    fg->addWidget(btFRem, 2, 1);
    fg->addWidget(lstSel, 1, 2, 4, 1);
    fg->addWidget(btup, 1, 3);
    fg->addWidget(btdown, 2, 3);
    fg->addWidget(DefSerif, 3, 3);
    fg->addWidget(DefSans, 4, 3);
    auto* look = new QGroupBox(QStringLiteral("Style"), this);
    auto* lg = new QGridLayout(look);
    lg->addWidget(new QLabel(QStringLiteral("Size (pt):"), look), 0, 0);
    lg->addWidget(txtFontSize, 0, 1);
    lg->addWidget(cBold, 1, 0);
    lg->addWidget(cItalic, 1, 1);
    lg->addWidget(cUnderline, 1, 2);
    lg->addWidget(alLeft, 2, 0);
    lg->addWidget(alCenter, 2, 1);
    lg->addWidget(alRight, 2, 2);
    lg->addWidget(alJust, 2, 3);
    auto* colours = new QGroupBox(QStringLiteral("Colours"), this);
    auto* cg = new QGridLayout(colours);
    for (int i = 0; i < 2; ++i) {
        const int row = i * 4;
        cg->addWidget(new QLabel(i == 0 ? QStringLiteral("Color") : QStringLiteral("Background"), colours), row, 0);
        cg->addWidget(cSample[i], row, 1);
        cg->addWidget(txtColor[i], row, 2);
        for (int k = 0; k < 3; ++k) cg->addWidget(CScroll[3 * i + k], row + 1 + k, 0, 1, 3);
    }
    auto* note =
        new QLabel(QStringLiteral("NOTE : This utility does not modify the current CSS code. It merely adds a new "
                                  "definition.  If you want to replace the current one, you'll have to remove it "
                                  "manually from the declaration, then use this tool to create a new one."),
                   this);
    note->setWordWrap(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(fonts, 0, 0, 1, 2);
    grid->addWidget(look, 1, 0);
    grid->addWidget(colours, 1, 1, 2, 1);
    grid->addWidget(picPreview, 2, 0);
    grid->addWidget(note, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(btOk);
    buttons->addWidget(btCancel);
    grid->addLayout(buttons, 4, 0, 1, 2);

    for (QScrollBar* bar : CScroll) connect(bar, &QScrollBar::valueChanged, this, &clsFileSMIFrm2::UpdateColors);
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{alLeft, alCenter, alRight, alJust, cBold, cItalic, cUnderline})
        connect(b, &QAbstractButton::clicked, this, &clsFileSMIFrm2::UpdatePreview);
    connect(txtFontSize, &QLineEdit::textChanged, this, &clsFileSMIFrm2::UpdatePreview);
    connect(lstFonts, &QListWidget::itemClicked, this, &clsFileSMIFrm2::lstFonts_Click);
    connect(lstSel, &QListWidget::itemClicked, this, &clsFileSMIFrm2::lstSel_Click);
    connect(btFAdd, &QPushButton::clicked, this, &clsFileSMIFrm2::btFAdd_Click);
    connect(btFRem, &QPushButton::clicked, this, &clsFileSMIFrm2::btFRem_Click);
    connect(btup, &QPushButton::clicked, this, &clsFileSMIFrm2::btup_Click);
    connect(btdown, &QPushButton::clicked, this, &clsFileSMIFrm2::btdown_Click);
    connect(DefSans, &QCheckBox::clicked, this, &clsFileSMIFrm2::DefSans_Click);
    connect(DefSerif, &QCheckBox::clicked, this, &clsFileSMIFrm2::DefSerif_Click);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    UpdateColors();
    UpdatePreview();
    previewFamily(QStringLiteral("Arial"));
}

void clsFileSMIFrm2::SetParent(clsFileSMIFrm1* form) { parentForm_ = form; }

void clsFileSMIFrm2::UpdateColors() {
    for (int i = 0; i < 2; ++i) {
        const int r = CScroll[3 * i]->value(), g = CScroll[3 * i + 1]->value(), b = CScroll[3 * i + 2]->value();
        fillSwatch(cSample[i], QColor(r, g, b));
        txtColor[i]->setText(u'#' + hex2(r) + hex2(g) + hex2(b));
    }
    fillSwatch(picPreview, cSample[1]->palette().color(QPalette::Window));
    QPalette p = lbPrev->palette();
    p.setColor(QPalette::WindowText, cSample[0]->palette().color(QPalette::Window));
    lbPrev->setPalette(p);
}

void clsFileSMIFrm2::UpdatePreview() {
    if (alLeft->isChecked()) lbPrev->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    else if (alCenter->isChecked()) lbPrev->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    else if (alRight->isChecked()) lbPrev->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = lbPrev->font();
    f.setBold(cBold->isChecked());
    f.setItalic(cItalic->isChecked());
    f.setUnderline(cUnderline->isChecked());
    const double size = Val(txtFontSize->text());
    if (size > 0) f.setPointSizeF(std::min(size, 200.0));
    lbPrev->setFont(f);
}

void clsFileSMIFrm2::previewFamily(const QString& family) {
    QFont f = lbPrev->font();
    f.setFamily(family);
    lbPrev->setFont(f);
}

void clsFileSMIFrm2::lstFonts_Click(QListWidgetItem* item) {
    if (!item) return;
    previewFamily(item->text());
    btFAdd->setEnabled(true);
}

void clsFileSMIFrm2::lstSel_Click(QListWidgetItem* item) {
    if (!item) return;
    previewFamily(item->text());
    btFRem->setEnabled(true);
}

void clsFileSMIFrm2::btFAdd_Click() {
    const int row = lstFonts->currentRow();
    if (row >= 0) lstSel->addItem(lstFonts->takeItem(row));
    btFAdd->setEnabled(false);
}

void clsFileSMIFrm2::btFRem_Click() {
    const int row = lstSel->currentRow();
    if (row >= 0) lstFonts->addItem(lstSel->takeItem(row));
    btFRem->setEnabled(false);
}

void clsFileSMIFrm2::btup_Click() {
    const int row = lstSel->currentRow();
    if (row <= 0) return;
    lstSel->insertItem(row - 1, lstSel->takeItem(row));
    lstSel->setCurrentRow(row - 1);
}

void clsFileSMIFrm2::btdown_Click() {
    const int row = lstSel->currentRow();
    if (row < 0 || row >= lstSel->count() - 1) return;
    lstSel->insertItem(row + 1, lstSel->takeItem(row));
    lstSel->setCurrentRow(row + 1);
}

// The two generic families exclude each other; either may be off.
void clsFileSMIFrm2::DefSans_Click() {
    if (DefSans->isChecked()) DefSerif->setChecked(false);
    previewFamily(QStringLiteral("Arial"));
}

void clsFileSMIFrm2::DefSerif_Click() {
    if (DefSerif->isChecked()) DefSans->setChecked(false);
    previewFamily(QStringLiteral("Times New Roman"));
}

bool clsFileSMIFrm2::txtColor_Validate(int i) {
    int rgb[3];
    if (!parseRgb(txtColor[i]->text(), rgb)) {
        MsgBox(QStringLiteral("Please insert a correct color value '#RRGGBB'"));
        return false;
    }
    for (int k = 0; k < 3; ++k) {
        const QSignalBlocker block(CScroll[3 * i + k]);
        CScroll[3 * i + k]->setValue(rgb[k]);
    }
    UpdateColors();
    return true;
}

QString clsFileSMIFrm2::Rule() const {
    const QString crlf = QStringLiteral("\r\n");
    QString align = QStringLiteral("center");
    if (alLeft->isChecked()) align = QStringLiteral("left");
    else if (alRight->isChecked()) align = QStringLiteral("right");
    else if (alJust->isChecked()) align = QStringLiteral("justify");
    QStringList families;
    for (int i = 0; i < lstSel->count(); ++i) families << u'\'' + FamilyName(lstSel->item(i)->text()) + u'\'';
    if (DefSans->isChecked()) families << QStringLiteral("sans-serif");
    else if (DefSerif->isChecked()) families << QStringLiteral("serif");

    QString rule = QStringLiteral("P {") + crlf;
    rule += QStringLiteral("\tmargin-left: 29pt;") + crlf;
    rule += QStringLiteral("\tmargin-right: 29pt;") + crlf;
    rule += QStringLiteral("\ttext-align: ") + align + u';' + crlf;
    rule += QStringLiteral("\tfont-size:") + Str(Val(txtFontSize->text())) + QStringLiteral("pt;") + crlf;
    // Every declaration ends with its ";": an unfinished one would swallow the next.
    if (!families.isEmpty())
        rule += QStringLiteral("\tfont-family: ") + families.join(QStringLiteral(", ")) + u';' + crlf;
    if (cBold->isChecked()) rule += QStringLiteral("\tfont-weight: bold;") + crlf;
    if (cItalic->isChecked()) rule += QStringLiteral("\tfont-style: italic;") + crlf;
    if (cUnderline->isChecked()) rule += QStringLiteral("\ttext-decoration: underline;") + crlf;
    rule += QStringLiteral("\tcolor: ") + txtColor[0]->text() + u';' + crlf;
    rule += QStringLiteral("\tbackground-color: ") + txtColor[1]->text() + u';' + crlf;
    rule += QStringLiteral("\t}");
    return rule;
}

bool clsFileSMIFrm2::validate() {
    for (LeaveCheck* c : colorChecks_)
        if (!c->confirm()) return false;
    if (parentForm_) AppendBlock(parentForm_->txtSMICss, Rule());
    return true;
}

clsFileSMIFrm2& StyleDialog() {
    // Created once and kept for the whole run, so that it keeps the user's choices.
    static clsFileSMIFrm2* dialog = new clsFileSMIFrm2();
    return *dialog;
}
