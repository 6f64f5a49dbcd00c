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

// A text line cut into pieces no wider than width: at a blank where there is one, inside a word
// that is wider than a whole piece.
QStringList wrapLine(Printer& p, QString rest, double width) {
    QStringList pieces;
    while (rest.size() > 1 && p.textWidth(rest) > width) {
        // The longest beginning that fits, and always one character.
        qsizetype lo = 1, hi = rest.size() - 1;
        while (lo < hi) {
            const qsizetype mid = (lo + hi + 1) / 2;
            if (p.textWidth(rest.left(mid)) <= width) lo = mid;
            else hi = mid - 1;
        }
        if (lo > 1 && rest.at(lo - 1).isHighSurrogate()) --lo;
        const qsizetype blank = rest.lastIndexOf(u' ', lo);
        qsizetype cut = blank > 0 ? blank : lo;
        pieces.append(rest.left(cut));
        while (cut < rest.size() && rest.at(cut) == u' ') ++cut;
        rest = rest.mid(cut);
    }
    pieces.append(rest);
    return pieces;
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
    // The text column keeps a right margin as wide as the left one.
    const double textWidth = p.pageWidth() - kMargin - kTextX;
    // A line may go at y while more than the bottom margin is left below it.
    auto fits = [&p](double at) { return !(p.pageHeight() - at < kBottom); };
    bool pageHasRows = false;
    auto columns = [&](int i) {
        const QString number = QString::number(i);
        p.print(kNumEnd - p.textWidth(number), y, number);
        p.print(kInX, y, FormatTime(subs.SubTimeIn(i)));
        p.print(kOutX, y, FormatTime(subs.SubTimeOut(i)));
    };
    // The page is changed only when something follows, so a full last page brings no blank one.
    auto nextPage = [&] {
        p.newPage();
        y = printHeading(p, file);
        pageHasRows = false;
    };
    for (int i = 0; i < n; ++i) {
        // An empty text still takes its line, so that the next row doesn't print over this one.
        const QStringList texts = subs.SubText(i).split(QStringLiteral("\r\n"));
        const qsizetype shown = texts.size() > 1 && texts.last().isEmpty() ? texts.size() - 1 : texts.size();
        QStringList lines;
        for (qsizetype k = 0; k < shown; ++k) lines += wrapLine(p, texts[k], textWidth);
        // A row stays on one page: one that doesn't fit below the rows already there starts the next.
        if (pageHasRows && !fits(y + double(lines.size() - 1) * lineHeight)) nextPage();
        columns(i);
        for (qsizetype k = 0; k < lines.size(); ++k) {
            // A row longer than a whole page runs on under its number again.
            if (k > 0 && !fits(y)) {
                nextPage();
                columns(i);
            }
            p.print(kTextX, y, lines[k]);
            y += lineHeight;
        }
        pageHasRows = true;
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
