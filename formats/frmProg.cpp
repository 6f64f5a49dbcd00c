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

// A visible bar repaints itself at once on a change of range or value; here the painting
// waits for the next pump, so that a reader reporting every line doesn't spend its time on it.
void frmProg::setMin(qint32 v) {
    pbar->setUpdatesEnabled(false);
    pbar->setMinimum(v);
    pbar->setUpdatesEnabled(true);
}

void frmProg::setMax(qint32 v) {
    pbar->setUpdatesEnabled(false);
    pbar->setMaximum(v);
    pbar->setUpdatesEnabled(true);
}

void frmProg::setValue(qint32 v) {
    value_ = std::clamp(v, pbar->minimum(), pbar->maximum());
    stale_ = true;
    // Between pumps nothing can be seen: a shown window takes the value when it can paint.
    if (!isVisible() || due()) showValue();
    pump();
}

void frmProg::showValue() {
    stale_ = false;
    const qint32 lo = pbar->minimum(), hi = pbar->maximum();
    const qint32 v = std::clamp(value_, lo, hi);
    if (pbar->value() != v) {
        pbar->setUpdatesEnabled(false);
        pbar->setValue(v);
        pbar->setUpdatesEnabled(true);
    }
    // The fraction first, then the hundredfold: the percentage never runs ahead of the work done
    // (29 of 100 shows 28%, as the binary fraction falls just short).
    const double pct =
        hi == lo ? 0.0 : std::floor((static_cast<double>(v) - lo) / (static_cast<double>(hi) - lo) * 100.0);
    const QString text = Str(pct) + u'%';
    if (lbp->text() != text) lbp->setText(text);
}

bool frmProg::due() const { return !lastPump_.isValid() || lastPump_.elapsed() >= 40; }

void frmProg::pump() {
    if (!isVisible() || !due()) return;
    if (stale_) showValue();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lastPump_.restart();
}

void frmProg::showEvent(QShowEvent* e) {
    // A window just shown paints at the next pump, whenever the last one was.
    lastPump_.invalidate();
    QDialog::showEvent(e);
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
