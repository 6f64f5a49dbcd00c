#include "mainwin/PrintListing.h"
#include "formats/frmProg.h"
#include "model/Common.h"
#include "model/clsSubs.h"
#include "platform/MsgBox.h"
#include "platform/Printer.h"

#include <QLabel>

namespace {
// Page layout in centimetres.
constexpr double kMargin = 1.0; // path line
constexpr double kHeadY = 2.0;  // heading line
constexpr double kNumEnd = 1.5; // the number column ends here
constexpr double kInX = 1.75;
constexpr double kOutX = 4.0;
constexpr double kTextX = 6.25;
constexpr double kBottom = 2.0; // a new page starts when less than this is left
const QString kFont = QStringLiteral("verdana");

// Prints the path and the heading line; returns where the first row starts.
double printHeading(Printer& p, const QString& file) {
    p.setFont(kFont, 10);
    p.print(kMargin, kMargin, file);
    p.setFont(kFont, 8);
    const QString hash = QStringLiteral("#");
    p.print(kNumEnd - p.textWidth(hash), kHeadY, hash);
    p.print(kInX, kHeadY, QStringLiteral("Time-In"));
    p.print(kOutX, kHeadY, QStringLiteral("Time-Out"));
    p.print(kTextX, kHeadY, QStringLiteral("Text"));
    return kHeadY + p.textHeight();
}
} // namespace

bool PrintListing(const clsSubs& subs, const QString& file, Printer& p) {
    if (!p.begin(file)) return false;
    const int n = subs.count();
    // A long listing shows its progress: painting thousands of rows takes a moment.
    frmProg* prog = n > 2000 ? &ProgressWindow() : nullptr;
    if (prog) {
        prog->setMin(0);
        prog->setMax(n);
        prog->setValue(0);
        prog->lbIndic->setText(QStringLiteral("Printing"));
        prog->show();
    }
    double y = printHeading(p, file);
    const double lineHeight = p.textHeight();
    // The page is changed only when something follows, so a full last page brings no blank one.
    bool full = false;
    auto room = [&] {
        if (!full) return;
        p.newPage();
        y = printHeading(p, file);
        full = false;
    };
    for (int i = 0; i < n; ++i) {
        room();
        const QString number = QString::number(i);
        p.print(kNumEnd - p.textWidth(number), y, number);
        p.print(kInX, y, FormatTime(subs.SubTimeIn(i)));
        p.print(kOutX, y, FormatTime(subs.SubTimeOut(i)));
        // An empty text still takes its line, so that the next row doesn't print over this one.
        const QStringList lines = subs.SubText(i).split(QStringLiteral("\r\n"));
        const qsizetype shown = lines.size() > 1 && lines.last().isEmpty() ? lines.size() - 1 : lines.size();
        for (qsizetype k = 0; k < shown; ++k) {
            room();
            p.print(kTextX, y, lines[k]);
            y += lineHeight;
            full = p.pageHeight() - y < kBottom;
        }
        if (prog && i % 256 == 0) prog->setValue(i);
    }
    if (prog) prog->hide();
    return p.endDoc();
}

void PrintListing(const clsSubs& subs, const QString& file) {
    Printer& p = printer();
    // A print the user cancelled is no failure.
    if (!PrintListing(subs, file, p) && !p.cancelled())
        MsgBox(QStringLiteral("The subtitle listing could not be printed. ") + p.error(), vb::Exclamation);
}
