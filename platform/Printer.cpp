#include "platform/Printer.h"
#include "platform/FileDialogs.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>

namespace {
constexpr double kCmPerInch = 2.54;
} // namespace

PaintedPrinter::PaintedPrinter() = default;
PaintedPrinter::~PaintedPrinter() {
    // A document left open is sent as it is rather than lost.
    if (painter_) endDoc();
}

bool PaintedPrinter::begin(const QString& document) {
    painter_.reset();
    error_.clear();
    cancelled_ = false;
    pdfPath_.clear();
    pdfPart_.clear();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(document.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(document).fileName());
    if (!choose(*printer_, document)) return false;
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        if (!pdfPart_.isEmpty()) QFile::remove(pdfPart_);
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

double PaintedPrinter::pageWidth() { return printer_ ? printer_->width() / perCm() : 0.0; }

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
    bool ok = painter_->end();
    painter_.reset();
    if (!pdfPart_.isEmpty()) {
        // The finished file takes the place of the old one in one step.
        ok = ok && std::rename(QFile::encodeName(pdfPart_).constData(), QFile::encodeName(pdfPath_).constData()) == 0;
        if (!ok) QFile::remove(pdfPart_);
        pdfPart_.clear();
        if (!ok && error_.isEmpty())
            error_ = QStringLiteral("The file ") + pdfPath_ + QStringLiteral(" could not be written.");
    }
    if (!ok && error_.isEmpty()) error_ = QStringLiteral("The document could not be sent to the printer.");
    return ok;
}

bool PaintedPrinter::toPdf(QPrinter& printer, const QString& path) {
    // Created anew, the part gets the rights the system gives a new file; one that replaces a
    // file keeps that file's rights.
    QFile part;
    for (int n = 0; n < 100; ++n) {
        part.setFileName(path + QStringLiteral(".part%1").arg(n));
        if (QFileInfo::exists(part.fileName())) continue;
        part.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        break;
    }
    if (!part.isOpen()) {
        error_ = QStringLiteral("The file ") + path + QStringLiteral(" could not be written.");
        return false;
    }
    part.close();
    if (QFileInfo::exists(path)) part.setPermissions(QFile::permissions(path));
    pdfPath_ = path;
    pdfPart_ = part.fileName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPart_);
    return true;
}

bool DefaultPrinter::choose(QPrinter& printer, const QString& document) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        printer.setPrinterName(info.printerName());
        return true;
    }
    // No printer: the pages go into a PDF file, named after the document, where the user says.
    const QFileInfo doc(document);
    const QString folder = document.isEmpty() ? QDir::homePath() : doc.absolutePath();
    const QString title = document.isEmpty() ? QStringLiteral("Untitled") : doc.completeBaseName();
    const std::optional<SaveChoice> chosen = fileDialogs().saveFile(
        nullptr, QStringLiteral("PDF files (*.pdf)") + QChar(0) + QStringLiteral("*.pdf"),
        QStringLiteral("No printer is installed: print to a PDF file"), folder + u'/' + title + QStringLiteral(".pdf"));
    QString path = chosen ? chosen->path : QString();
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    if (path.isEmpty() ||
        (QFileInfo::exists(path) && MsgBox(QStringLiteral("File already exists, overwrite?"), vb::OKCancel,
                                           QStringLiteral("File exists")) == vb::Cancel)) {
        cancelled_ = true;
        return false;
    }
    return toPdf(printer, path);
}

bool PdfPrinter::choose(QPrinter& printer, const QString&) { return toPdf(printer, path_); }

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
