#include "formats/clsFileSSAFrm1.h"
#include "formats/FontChoice.h"
#include "formats/LeaveCheck.h"
#include "formats/WarningsList.h"
#include "model/Num.h"
#include "platform/MsgBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QString hex2(int v) { return QStringLiteral("%1").arg(v, 2, 16, QChar(u'0')).toUpper(); }

void fill(QWidget* w, QPalette::ColorRole role, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}
} // namespace

clsFileSSAFrm1::clsFileSSAFrm1(QWidget* parent) : FormatForm(parent) {
    setObjectName(QStringLiteral("clsFileSSAFrm1"));
    setWindowTitle(QStringLiteral("SSA v4.00(+) Properties"));
    resize(560, 460);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    // Script information.
    auto* info = new QWidget(SSTab1);
    auto* form = new QFormLayout(info);
    auto field = [&](const QString& name, const QString& caption, const QString& value) {
        return AddRow(form, name, caption, value);
    };
    txtSSATitle = field(QStringLiteral("txtSSATitle"), QStringLiteral("Title:"), QString());
    txtSSAScript = field(QStringLiteral("txtSSAScript"), QStringLiteral("Original Script:"), QString());
    txtSSATrans = field(QStringLiteral("txtSSATrans"), QStringLiteral("Original Translation:"), QString());
    txtSSAEdit = field(QStringLiteral("txtSSAEdit"), QStringLiteral("Original Editing:"), QString());
    txtSSATiming = field(QStringLiteral("txtSSATiming"), QStringLiteral("Original Timing:"), QString());
    txtSSASynch = field(QStringLiteral("txtSSASynch"), QStringLiteral("Synch Point:"), QString());
    txtSSAScriptUpdatedBy =
        field(QStringLiteral("txtSSAScriptUpdatedBy"), QStringLiteral("Script Updated By:"), QString());
    txtSSAScriptUpdate = field(QStringLiteral("txtSSAScriptUpdate"), QStringLiteral("Update Details:"), QString());
    txtSSAScriptType =
        field(QStringLiteral("txtSSAScriptType"), QStringLiteral("Script Type:"), QStringLiteral("v4.00+"));
    txtSSACollisions =
        field(QStringLiteral("txtSSACollisions"), QStringLiteral("Collisions:"), QStringLiteral("Normal"));
    txtSSAWordWrapStyle =
        field(QStringLiteral("txtSSAWordWrapStyle"), QStringLiteral("WrapStyle:"), QStringLiteral("0"));
    txtSSAPlayResX = field(QStringLiteral("txtSSAPlayResX"), QStringLiteral("PlayResX:"), QStringLiteral("384"));
    txtSSAPlayResY = field(QStringLiteral("txtSSAPlayResY"), QStringLiteral("PlayResY:"), QStringLiteral("288"));
    txtSSAPlayDepth = field(QStringLiteral("txtSSAPlayDepth"), QStringLiteral("PlayDepth:"), QStringLiteral("0"));
    txtSSATimer = field(QStringLiteral("txtSSATimer"), QStringLiteral("Timer:"), QStringLiteral("100.0000"));

    // Warnings.
    lbWarnings = new WarningsList(SSTab1);
    lbWarnings->setObjectName(QStringLiteral("lbWarnings"));

    // Font.
    auto* font = new QWidget(SSTab1);
    auto* fg = new QGridLayout(font);
    lstFonts = new FontChoice(font);
    lstFonts->setObjectName(QStringLiteral("lstFonts"));
    lbFace = new QLabel(font);
    lbFace->setObjectName(QStringLiteral("lbFace"));
    txtFontSize = new QLineEdit(QStringLiteral("20"), font);
    txtFontSize->setObjectName(QStringLiteral("txtFontSize"));
    auto check = [&](const QString& name, const QString& caption) {
        auto* c = new QCheckBox(caption, font);
        c->setObjectName(name);
        return c;
    };
    cBold = check(QStringLiteral("cBold"), QStringLiteral("Bold"));
    cItalic = check(QStringLiteral("cItalic"), QStringLiteral("Italic"));
    cUnderline = check(QStringLiteral("cUnderline"), QStringLiteral("Underline"));
    cStrike = check(QStringLiteral("cStrike"), QStringLiteral("Strike out"));
    auto* preview = new QFrame(font);
    preview->setAutoFillBackground(true);
    fill(preview, QPalette::Window, Qt::black);
    preview->setMinimumHeight(70);
    lbPrev = new QLabel(QStringLiteral("AaBbCc123"), preview);
    lbPrev->setObjectName(QStringLiteral("lbPrev"));
    lbPrev->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    (new QVBoxLayout(preview))->addWidget(lbPrev);
    fg->addWidget(new QLabel(QStringLiteral("Font:"), font), 0, 0);
    fg->addWidget(lstFonts, 0, 1, 1, 3);
    fg->addWidget(lbFace, 1, 0, 1, 4);
    fg->addWidget(new QLabel(QStringLiteral("Size:"), font), 2, 0);
    fg->addWidget(txtFontSize, 2, 1);
    fg->addWidget(cBold, 3, 0);
    fg->addWidget(cItalic, 3, 1);
    fg->addWidget(cUnderline, 3, 2);
    fg->addWidget(cStrike, 3, 3);
    fg->addWidget(preview, 4, 0, 1, 4);
    fg->setRowStretch(5, 1);

    // Colours.
    auto* colours = new QWidget(SSTab1);
    auto* cg = new QGridLayout(colours);
    const QString slotNames[4] = {QStringLiteral("Primary"), QStringLiteral("Secondary"), QStringLiteral("Outline"),
                                  QStringLiteral("Back")};
    const int design[4][3] = {{255, 255, 255}, {255, 255, 0}, {0, 0, 0}, {0, 0, 0}};
    const QString bars[4] = {QStringLiteral("R"), QStringLiteral("G"), QStringLiteral("B"), QStringLiteral("A")};
    for (int s = 0; s < 4; ++s) {
        const int col = s * 2;
        cg->addWidget(new QLabel(slotNames[s], colours), 0, col, 1, 2);
        for (int k = 0; k < 4; ++k) {
            auto* bar = new QScrollBar(Qt::Horizontal, colours);
            bar->setRange(0, 255);
            bar->setPageStep(16);
            bar->setMinimumWidth(90);
            if (k < 3) {
                bar->setObjectName(QStringLiteral("CScroll_%1").arg(3 * s + k));
                bar->setValue(design[s][k]);
                CScroll[3 * s + k] = bar;
            } else {
                bar->setObjectName(QStringLiteral("scrAlpha_%1").arg(s));
                scrAlpha[s] = bar;
            }
            cg->addWidget(new QLabel(bars[k], colours), 1 + k, col);
            cg->addWidget(bar, 1 + k, col + 1);
        }
        txtColor[s] = new QLineEdit(colours);
        txtColor[s]->setObjectName(QStringLiteral("txtColor_%1").arg(s));
        cSample[s] = new QFrame(colours);
        cSample[s]->setObjectName(QStringLiteral("cSample_%1").arg(s));
        cSample[s]->setFrameShape(QFrame::Box);
        cSample[s]->setAutoFillBackground(true);
        cSample[s]->setMinimumHeight(24);
        cg->addWidget(txtColor[s], 5, col, 1, 2);
        cg->addWidget(cSample[s], 6, col, 1, 2);
        colorChecks_[s] = new LeaveCheck(txtColor[s], [this, s] { return txtColor_Validate(s); });
    }
    cg->setRowStretch(7, 1);

    // Metrics and alignment.
    auto* layoutTab = new QWidget(SSTab1);
    auto* lg = new QGridLayout(layoutTab);
    auto metric = [&](const QString& name, const QString& caption, const QString& value, int row, int col) {
        auto* e = new QLineEdit(value, layoutTab);
        e->setObjectName(name);
        lg->addWidget(new QLabel(caption, layoutTab), row, col);
        lg->addWidget(e, row, col + 1);
        return e;
    };
    txtScaleX = metric(QStringLiteral("txtScaleX"), QStringLiteral("Scale X (%):"), QStringLiteral("100"), 0, 0);
    txtScaleY = metric(QStringLiteral("txtScaleY"), QStringLiteral("Scale Y (%):"), QStringLiteral("100"), 1, 0);
    txtAngle = metric(QStringLiteral("txtAngle"), QStringLiteral("Angle:"), QStringLiteral("0"), 2, 0);
    txtCharSpace = metric(QStringLiteral("txtCharSpace"), QStringLiteral("Spacing:"), QStringLiteral("0"), 3, 0);
    txtBorderStyle =
        metric(QStringLiteral("txtBorderStyle"), QStringLiteral("Border style:"), QStringLiteral("1"), 4, 0);
    txtOutline = metric(QStringLiteral("txtOutline"), QStringLiteral("Outline:"), QStringLiteral("2"), 0, 2);
    txtShadow = metric(QStringLiteral("txtShadow"), QStringLiteral("Shadow:"), QStringLiteral("2"), 1, 2);
    txtMarginLeft = metric(QStringLiteral("txtMarginLeft"), QStringLiteral("Left margin:"), QStringLiteral("10"), 2, 2);
    txtMarginRight =
        metric(QStringLiteral("txtMarginRight"), QStringLiteral("Right margin:"), QStringLiteral("10"), 3, 2);
    txtMarginV = metric(QStringLiteral("txtMarginV"), QStringLiteral("Vertical margin:"), QStringLiteral("10"), 4, 2);
    Label30 = new QLabel(QStringLiteral("Why does the preview not change?"), layoutTab);
    Label30->setObjectName(QStringLiteral("Label30"));
    Label30->setCursor(Qt::PointingHandCursor);
    Label30->installEventFilter(this);
    lg->addWidget(Label30, 5, 0, 1, 4);
    auto* align = new QWidget(layoutTab);
    auto* ag = new QGridLayout(align);
    auto* alignGroup = new QButtonGroup(this);
    for (int p = 1; p <= 9; ++p) {
        optAlign[p] = new QRadioButton(QString::number(p), align);
        optAlign[p]->setObjectName(QStringLiteral("optAlign_%1").arg(p));
        alignGroup->addButton(optAlign[p], p);
        // Numeric keypad: 7 8 9 on top, 1 2 3 at the bottom.
        ag->addWidget(optAlign[p], 2 - (p - 1) / 3, (p - 1) % 3);
        connect(optAlign[p], &QRadioButton::clicked, this, &clsFileSSAFrm1::optAlign_Click);
    }
    optAlign[2]->setChecked(true);
    lg->addWidget(new QLabel(QStringLiteral("Alignment:"), layoutTab), 6, 0);
    lg->addWidget(align, 7, 0, 1, 4);
    lg->setRowStretch(8, 1);

    SSTab1->addTab(info, QStringLiteral("Script Info "));
    SSTab1->addTab(lbWarnings, QStringLiteral("Warnings "));
    SSTab1->addTab(font, QStringLiteral("Font "));
    SSTab1->addTab(colours, QStringLiteral("Colours "));
    SSTab1->addTab(layoutTab, QStringLiteral("Layout "));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    auto* bottom = new QHBoxLayout();
    bottom->addStretch(1);
    bottom->addWidget(btOk);
    layout->addLayout(bottom);

    for (QScrollBar* bar : CScroll) connect(bar, &QScrollBar::valueChanged, this, &clsFileSSAFrm1::RefreshColors);
    for (QScrollBar* bar : scrAlpha) connect(bar, &QScrollBar::valueChanged, this, &clsFileSSAFrm1::RefreshColors);
    for (QCheckBox* c : {cBold, cItalic, cUnderline, cStrike})
        connect(c, &QCheckBox::clicked, this, &clsFileSSAFrm1::RefreshFont);
    connect(txtFontSize, &QLineEdit::textChanged, this, &clsFileSSAFrm1::RefreshFont);
    connect(lstFonts, &QComboBox::activated, this, &clsFileSSAFrm1::lstFonts_Click);

    RefreshColors();
    SelFont(QStringLiteral("arial"));
    lstFonts->useListSpelling();
}

void clsFileSSAFrm1::SelFont(const QString& name) {
    lstFonts->setFontName(name);
    lstFonts_Click();
}

// The list has taken the user's pick as the font to write; the face and the preview follow.
void clsFileSSAFrm1::lstFonts_Click() {
    lbFace->setText(QStringLiteral("Currently selected font-face: ") + lstFonts->currentText());
    RefreshFont();
}

void clsFileSSAFrm1::RefreshFont() {
    QFont f = lbPrev->font();
    if (!lstFonts->currentText().isEmpty()) f.setFamily(lstFonts->currentText());
    f.setBold(cBold->isChecked());
    f.setItalic(cItalic->isChecked());
    f.setUnderline(cUnderline->isChecked());
    f.setStrikeOut(cStrike->isChecked());
    const double size = Val(txtFontSize->text());
    if (size > 0) f.setPointSizeF(std::min(size, 200.0));
    lbPrev->setFont(f);
}

void clsFileSSAFrm1::RefreshColors() {
    for (int s = 0; s < 4; ++s) {
        const int r = CScroll[3 * s]->value(), g = CScroll[3 * s + 1]->value(), b = CScroll[3 * s + 2]->value();
        fill(cSample[s], QPalette::Window, QColor(r, g, b));
        txtColor[s]->setText(u'#' + hex2(r) + hex2(g) + hex2(b) + hex2(scrAlpha[s]->value()));
    }
    fill(lbPrev, QPalette::WindowText, QColor(CScroll[0]->value(), CScroll[1]->value(), CScroll[2]->value()));
}

void clsFileSSAFrm1::optAlign_Click() {
    const int p = alignment();
    if (p == 0) return;
    const int column = (p - 1) % 3;
    const Qt::Alignment h = column == 0 ? Qt::AlignLeft : column == 1 ? Qt::AlignHCenter : Qt::AlignRight;
    lbPrev->setAlignment(h | Qt::AlignVCenter);
}

int clsFileSSAFrm1::alignment() const {
    for (int p = 1; p <= 9; ++p)
        if (optAlign[p]->isChecked()) return p;
    return 0;
}

void clsFileSSAFrm1::setAlignment(int position) {
    if (position < 1 || position > 9) return;
    optAlign[position]->setChecked(true);
    optAlign_Click();
}

bool clsFileSSAFrm1::txtColor_Validate(int slot) {
    const QString t = txtColor[slot]->text();
    bool ok = t.size() == 9 && t.at(0) == u'#';
    for (int i = 1; ok && i < 9; ++i) {
        const QChar c = t.at(i);
        ok = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    }
    if (!ok) {
        MsgBox(QStringLiteral("Please insert a correct color value '#RRGGBBAA'"));
        return false;
    }
    QScrollBar* bars[4] = {CScroll[3 * slot], CScroll[3 * slot + 1], CScroll[3 * slot + 2], scrAlpha[slot]};
    for (int k = 0; k < 4; ++k) {
        const QSignalBlocker block(bars[k]);
        bars[k]->setValue(t.mid(1 + 2 * k, 2).toInt(nullptr, 16));
    }
    RefreshColors();
    return true;
}

bool clsFileSSAFrm1::validate() {
    for (LeaveCheck* c : colorChecks_)
        if (!c->confirm()) return false;
    return true;
}

bool clsFileSSAFrm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label30 && event->type() == QEvent::MouseButtonRelease) {
        Label30->setText(QStringLiteral("The metrics settings are not shown in the preview box."));
        return true;
    }
    return FormatForm::eventFilter(watched, event);
}
