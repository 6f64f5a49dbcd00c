// The printer that the subtitle listing goes to, driven as a page printer: positions and sizes
// in centimetres from the top-left of the printable area, text placed by its top-left corner.
// The program prints on the default printer, or into a PDF file the user names when no
// printer is installed; tests install one that writes a PDF file.
#pragma once

#include <QFont>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

class Printer {
public:
    virtual ~Printer() = default;
    // Starts printing a document (its file's path, "" when it has none); false when there is
    // nothing to print on (see error()) or the user cancelled (see cancelled()).
    virtual bool begin(const QString& document) = 0;
    virtual void setFont(const QString& family, double points) = 0;
    virtual double textWidth(const QString& text) = 0;
    // Height of one line of text in the current font.
    virtual double textHeight() = 0;
    // Height and width of the printable area.
    virtual double pageHeight() = 0;
    virtual double pageWidth() = 0;
    virtual void print(double x, double y, const QString& text) = 0;
    virtual void newPage() = 0;
    // Ends the document, which sends it to the printer; false (see error()) when that failed.
    virtual bool endDoc() = 0;
    // Why begin or endDoc failed, in words for the user.
    virtual QString error() const = 0;
    // True when the last begin failed because the user chose not to print.
    virtual bool cancelled() const = 0;
};

// A printer painted through a QPrinter; the subclass chooses where the pages go.
class PaintedPrinter : public Printer {
public:
    PaintedPrinter();
    ~PaintedPrinter() override;
    bool begin(const QString& document) override;
    void setFont(const QString& family, double points) override;
    double textWidth(const QString& text) override;
    double textHeight() override;
    double pageHeight() override;
    double pageWidth() override;
    void print(double x, double y, const QString& text) override;
    void newPage() override;
    bool endDoc() override;
    QString error() const override { return error_; }
    bool cancelled() const override { return cancelled_; }

protected:
    // Points the fresh printer at its destination; false with error() set when there is none,
    // or with cancelled_ set when the user chose not to print.
    virtual bool choose(QPrinter& printer, const QString& document) = 0;
    // Sends the pages to a PDF file at path; the file is replaced only when the whole document
    // is written.
    bool toPdf(QPrinter& printer, const QString& path);
    QString error_;
    bool cancelled_ = false;

private:
    double perCm() const;
    QString pdfPath_, pdfPart_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
};

// The system's default printer, without a print dialog; with none installed, a PDF file whose
// name the user chooses in a save dialog that proposes the document's name with ".pdf".
class DefaultPrinter : public PaintedPrinter {
protected:
    bool choose(QPrinter& printer, const QString& document) override;
};

// Writes each document to a PDF file, replacing the one before.
class PdfPrinter : public PaintedPrinter {
public:
    explicit PdfPrinter(const QString& path) : path_(path) {}
    QString path() const { return path_; }

protected:
    bool choose(QPrinter& printer, const QString& document) override;

private:
    QString path_;
};

Printer& printer();
// Installs p (nullptr: the default printer again); returns the one installed before.
Printer* InstallPrinter(Printer* p);
