#include "platform/Printer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
constexpr double kCmPerInch = 2.54;
} // namespace

PaintedPrinter::PaintedPrinter() = default;
PaintedPrinter::~PaintedPrinter() {
    // A document left open is sent as it is rather than lost.
    if (painter_) painter_->end();
}

bool PaintedPrinter::begin(const QString& title) {
    painter_.reset();
    error_.clear();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(title);
    if (!choose(*printer_)) return false;
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        if (error_.isEmpty()) error_ = QStringLiteral("The printer could not be started.");
        return false;
    }
    painter_->setFont(font_);
    painter_->setPen(Qt::black);
    return true;
}

double PaintedPrinter::perCm() const { return printer_ ? printer_->resolution() / kCmPerInch : 1.0; }

void PaintedPrinter::setFont(const QString& family, double points) {
    font_ = QFont(family);
    font_.setPointSizeF(points);
    if (painter_) painter_->setFont(font_);
}

double PaintedPrinter::textWidth(const QString& text) {
    return QFontMetricsF(font_, printer_.get()).horizontalAdvance(text) / perCm();
}

double PaintedPrinter::textHeight() { return QFontMetricsF(font_, printer_.get()).height() / perCm(); }

double PaintedPrinter::pageHeight() { return printer_ ? printer_->height() / perCm() : 0.0; }

void PaintedPrinter::print(double x, double y, const QString& text) {
    if (!painter_) return;
    const double ascent = QFontMetricsF(font_, printer_.get()).ascent();
    painter_->drawText(QPointF(x * perCm(), y * perCm() + ascent), text);
}

void PaintedPrinter::newPage() {
    if (painter_) printer_->newPage();
}

bool PaintedPrinter::endDoc() {
    if (!painter_) return false;
    const bool ok = painter_->end();
    painter_.reset();
    if (!ok && error_.isEmpty()) error_ = QStringLiteral("The document could not be sent to the printer.");
    return ok;
}

bool DefaultPrinter::choose(QPrinter& printer) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        error_ = QStringLiteral("No printer is installed.");
        return false;
    }
    printer.setPrinterName(info.printerName());
    return true;
}

bool PdfPrinter::choose(QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path_);
    return true;
}

namespace {
DefaultPrinter defaultPrinter;
Printer* current = &defaultPrinter;
} // namespace

Printer& printer() { return *current; }

Printer* InstallPrinter(Printer* p) {
    Printer* old = current == &defaultPrinter ? nullptr : current;
    current = p ? p : &defaultPrinter;
    return old;
}
