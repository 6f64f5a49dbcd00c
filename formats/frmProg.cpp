#include "formats/frmProg.h"
#include "model/Num.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

frmProg::frmProg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmProg"));
    setWindowTitle(QStringLiteral("Progress"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    lbIndic = new QLabel(QStringLiteral("Parsing SAMI body..."), this);
    lbIndic->setObjectName(QStringLiteral("lbIndic"));
    pbar = new QProgressBar(this);
    pbar->setObjectName(QStringLiteral("pbar"));
    pbar->setTextVisible(false);
    pbar->setRange(0, 100);
    pbar->setValue(0);
    lbp = new QLabel(QStringLiteral("0%"), this);
    lbp->setObjectName(QStringLiteral("lbp"));
    lbp->setAlignment(Qt::AlignCenter);
    layout->addWidget(lbIndic);
    layout->addWidget(pbar);
    layout->addWidget(lbp);
    setFixedSize(320, 110);
}

void frmProg::setMin(qint32 v) { pbar->setMinimum(v); }
void frmProg::setMax(qint32 v) { pbar->setMaximum(v); }

void frmProg::setValue(qint32 v) {
    const qint32 lo = pbar->minimum(), hi = pbar->maximum();
    v = std::clamp(v, lo, hi);
    pbar->setValue(v);
    const double pct = hi == lo ? 0.0 : std::floor((static_cast<double>(v) - lo) / (static_cast<double>(hi) - lo) * 100.0);
    const QString text = Str(pct) + u'%';
    if (lbp->text() != text) lbp->setText(text);
    pump();
}

void frmProg::pump() {
    if (!isVisible()) return;
    // Not on every entry of a long file.
    if (!lastPump_.isValid() || lastPump_.elapsed() >= 40) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        lastPump_.restart();
    }
}

void frmProg::closeEvent(QCloseEvent* e) { e->ignore(); }

void frmProg::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

frmProg& ProgressWindow() {
    // Created once and kept for the whole run; the program ends with it still loaded.
    static frmProg* form = new frmProg();
    return *form;
}
