#include "formats/frmProg.h"
#include "mainwin/PrintListing.h"
#include "model/Common.h"
#include "model/clsSubs.h"
#include "platform/Printer.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
// A PDF printer that also notes every text it prints, with its page and position.
class RecordingPrinter : public PdfPrinter {
public:
    using PdfPrinter::PdfPrinter;
    struct Item {
        int page;
        double x, y;
        QString text;
    };
    std::vector<Item> items;
    int page = 0;
    double lineHeight = 0;

    bool begin(const QString& title) override {
        items.clear();
        page = 0;
        return PdfPrinter::begin(title);
    }
    void print(double x, double y, const QString& text) override {
        items.push_back({page, x, y, text});
        PdfPrinter::print(x, y, text);
    }
    void newPage() override {
        ++page;
        PdfPrinter::newPage();
    }
    const Item* find(const QString& text, int from = 0) const {
        for (size_t k = static_cast<size_t>(from); k < items.size(); ++k)
            if (items[k].text == text) return &items[k];
        return nullptr;
    }
};

// Pages of a PDF as our writer lays them out: one page object each.
int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray data = f.readAll();
    if (!data.startsWith("%PDF")) return -1;
    return static_cast<int>(QString::fromLatin1(data).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

class Printing : public ::testing::Test {
protected:
    TempDir dir;
    RecordingPrinter rec{dir.path(QStringLiteral("listing.pdf"))};
    clsSubs subs;

    void SetUp() override { InstallPrinter(&rec); }
    void TearDown() override { InstallPrinter(nullptr); }

    void addRows(int n, const QString& text = QStringLiteral("line")) {
        for (int i = 0; i < n; ++i) subs.AddSub(text, i * 1000, i * 1000 + 900);
    }
    // The rows' numbers in printing order, with their pages.
    std::vector<std::pair<int, int>> rowPages() const {
        std::vector<std::pair<int, int>> rows;
        for (size_t k = 0; k + 1 < rec.items.size(); ++k) {
            const auto& it = rec.items[k];
            if (it.x < 1.5 && it.y > 2.0 && it.text != QStringLiteral("#")) rows.push_back({it.text.toInt(), it.page});
        }
        return rows;
    }
};
} // namespace

TEST_F(Printing, HeadingRowsAndMultiLineTexts) {
    subs.AddSub(QStringLiteral("One\r\nTwo\r\nThree"), 1500, 4250);
    subs.AddSub(QString(), 5000, 6000);
    subs.AddSub(QStringLiteral("After\r\n"), 3723004, 3724000);
    PrintListing(subs, QStringLiteral("/films/Noir.srt"));
    ASSERT_TRUE(Boxes().shown.empty());

    rec.setFont(QStringLiteral("verdana"), 8);
    const double h = rec.textHeight();
    ASSERT_GT(h, 0.1);
    // x < 0: right-aligned to end at -x.
    auto at = [&](const QString& text, double x, double y) {
        const auto* it = rec.find(text);
        ASSERT_TRUE(it) << text.toStdString();
        EXPECT_NEAR(x < 0 ? it->x + rec.textWidth(text) : it->x, std::abs(x), 1e-9) << text.toStdString();
        EXPECT_NEAR(it->y, y, 1e-9) << text.toStdString();
    };
    at(QStringLiteral("/films/Noir.srt"), 1.0, 1.0);
    at(QStringLiteral("#"), -1.5, 2.0);
    at(QStringLiteral("Time-In"), 1.75, 2.0);
    at(QStringLiteral("Time-Out"), 4.0, 2.0);
    at(QStringLiteral("Text"), 6.25, 2.0);
    // Row 0: its columns on the row's line, its text on three lines.
    const double y0 = 2.0 + h;
    at(QStringLiteral("0"), -1.5, y0);
    at(FormatTime(1500), 1.75, y0);
    at(FormatTime(4250), 4.0, y0);
    at(QStringLiteral("One"), 6.25, y0);
    at(QStringLiteral("Two"), 6.25, y0 + h);
    at(QStringLiteral("Three"), 6.25, y0 + 2 * h);
    // Row 1 starts below the last line of row 0; its empty text still takes a line.
    at(QStringLiteral("1"), -1.5, y0 + 3 * h);
    at(QStringLiteral("01:02:03.004"), 1.75, y0 + 4 * h);
    // A text ending in a line break prints no empty line after it.
    EXPECT_EQ(rec.items.back().text, QStringLiteral("After"));
    EXPECT_EQ(rec.page, 0);
    EXPECT_EQ(pdfPages(rec.path()), 1);
}

TEST_F(Printing, UntitledEmptyListPrintsTheHeadingOnly) {
    PrintListing(subs, QString());
    ASSERT_EQ(rec.items.size(), 5u);
    EXPECT_EQ(rec.items[0].text, QString());
    EXPECT_EQ(rec.items[4].text, QStringLiteral("Text"));
    EXPECT_EQ(pdfPages(rec.path()), 1);
}

TEST_F(Printing, FullPagesStartAgainWithTheHeading) {
    addRows(150);
    subs.setSubText(40, QStringLiteral("a\r\nb\r\nc\r\nd\r\ne\r\nf"));
    PrintListing(subs, QStringLiteral("/films/Long.srt"));
    rec.setFont(QStringLiteral("verdana"), 8);
    const double h = rec.textHeight(), bottom = rec.pageHeight() - 2.0;
    ASSERT_GE(rec.page, 2);
    EXPECT_EQ(pdfPages(rec.path()), rec.page + 1);

    for (int pg = 0; pg <= rec.page; ++pg) {
        std::vector<const RecordingPrinter::Item*> onPage;
        for (const auto& it : rec.items)
            if (it.page == pg) onPage.push_back(&it);
        ASSERT_GE(onPage.size(), 6u) << "page " << pg;
        EXPECT_EQ(onPage[0]->text, QStringLiteral("/films/Long.srt"));
        EXPECT_EQ(onPage[4]->text, QStringLiteral("Text"));
        double lowest = 0;
        for (const auto* it : onPage) {
            EXPECT_LE(it->y, bottom + 1e-9) << it->text.toStdString() << " on page " << pg;
            lowest = std::max(lowest, it->y);
        }
        // A page ends only when the next line would come within 2 cm of its foot.
        if (pg < rec.page) {
            EXPECT_GT(lowest + h, bottom);
        }
    }
    // Every row printed once, in order; the long text of row 40 runs on where it started.
    const auto rows = rowPages();
    ASSERT_EQ(rows.size(), 150u);
    for (int i = 0; i < 150; ++i) EXPECT_EQ(rows[static_cast<size_t>(i)].first, i);
    int lines40 = 0;
    for (const auto& it : rec.items)
        if (it.x == 6.25 && it.text.size() == 1 && it.text[0] >= u'a' && it.text[0] <= u'f') ++lines40;
    EXPECT_EQ(lines40, 6);
}

TEST_F(Printing, ExactlyFullLastPageAddsNoBlankPage) {
    addRows(200);
    PrintListing(subs, QString());
    const auto rows = rowPages();
    int perPage = 0;
    for (const auto& r : rows)
        if (r.second == 0) ++perPage;
    ASSERT_GT(perPage, 5);

    subs.Clear();
    addRows(perPage);
    PrintListing(subs, QString());
    EXPECT_EQ(rec.page, 0);
    EXPECT_EQ(pdfPages(rec.path()), 1);
    subs.AddSub(QStringLiteral("one more"), 0, 1);
    PrintListing(subs, QString());
    EXPECT_EQ(rec.page, 1);
    EXPECT_EQ(pdfPages(rec.path()), 2);
}

TEST_F(Printing, UnusablePrinterIsReported) {
    PdfPrinter nowhere(dir.path(QStringLiteral("missing/folder/listing.pdf")));
    InstallPrinter(&nowhere);
    addRows(3);
    Boxes().expect(vb::OK, QStringLiteral("could not be printed"));
    PrintListing(subs, QString());
    EXPECT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].flags, vb::Exclamation);
    EXPECT_FALSE(QFile::exists(nowhere.path()));
}

TEST(DefaultPrinter, WithoutAPrinterTheListingGoesToAPdfFileTheUserNames) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed here";
    TempDir dir;
    clsSubs subs;
    for (int i = 0; i < 150; ++i) subs.AddSub(QStringLiteral("Row %1").arg(i), i * 1000, i * 1000 + 900);
    const QString file = dir.path(QStringLiteral("Noir.srt"));
    auto pdfs = [&] { return QDir(dir.folder()).entryList({QStringLiteral("*")}, QDir::Files); };

    // Cancel prints nothing and says nothing.
    Dialogs().expectCancel(QStringLiteral("save"));
    PrintListing(subs, file);
    ASSERT_EQ(Dialogs().shown.size(), 1u);
    EXPECT_EQ(Dialogs().shown[0].folder, dir.path(QStringLiteral("Noir.pdf")));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_TRUE(pdfs().isEmpty());

    // A name typed without its extension gets it.
    Dialogs().expectSave(dir.path(QStringLiteral("listing")));
    PrintListing(subs, file);
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_EQ(pdfs(), QStringList{QStringLiteral("listing.pdf")});
    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), dir.path(QStringLiteral("listing.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    ASSERT_EQ(text.exitCode(), 0) << text.readAllStandardError().toStdString();
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    if (pages.last().trimmed().isEmpty()) pages.removeLast();
    // Every page starts with the path and the heading line; the rows run on in order.
    ASSERT_GE(pages.size(), 2);
    int next = 0;
    for (const QString& page : pages) {
        const QStringList lines = page.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines[0].trimmed(), file);
        EXPECT_TRUE(lines[1].contains(QRegularExpression(QStringLiteral("#\\s+Time-In\\s+Time-Out\\s+Text"))))
            << lines[1].toStdString();
        for (const QString& line : lines.mid(2)) {
            EXPECT_EQ(line.simplified(), QStringLiteral("%1 %2 %3 Row %1")
                                             .arg(next)
                                             .arg(FormatTime(next * 1000), FormatTime(next * 1000 + 900)));
            ++next;
        }
    }
    EXPECT_EQ(next, 150);

    // An existing file is replaced only when the user agrees.
    const QByteArray before = dir.read(QStringLiteral("listing.pdf"));
    subs.Clear();
    Dialogs().expectSave(dir.path(QStringLiteral("listing.pdf")));
    Boxes().expect(vb::Cancel, QStringLiteral("File already exists, overwrite?"));
    PrintListing(subs, file);
    EXPECT_EQ(dir.read(QStringLiteral("listing.pdf")), before);
    EXPECT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(pdfs(), QStringList{QStringLiteral("listing.pdf")});
}

TEST_F(Printing, LongListingShowsItsProgressAndEndsIt) {
    for (int i = 0; i < 10001; ++i)
        subs.AddSub(QStringLiteral("Some subtitle text\r\nand a second line"), i * 1000, i * 1000 + 900);
    PrintListing(subs, QStringLiteral("/films/Big.srt"));
    EXPECT_FALSE(ProgressWindow().isVisible());
    EXPECT_EQ(ProgressWindow().pbar->maximum(), 10001);
    ASSERT_TRUE(rec.find(QStringLiteral("10000")));
    EXPECT_EQ(pdfPages(rec.path()), rec.page + 1);
}

namespace {
// The words of a PDF page by page, as poppler reads them: text and box in points.
struct PdfWord {
    QString text;
    double xMin, yMin, xMax, yMax;
};
struct PdfPage {
    double width = 0;
    std::vector<PdfWord> words;
};
std::vector<PdfPage> pdfWords(const QString& path) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!text.waitForFinished(30000) || text.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(text.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([0-9.]+)\"|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<PdfPage> pages;
    for (auto m = tag.globalMatch(html); m.hasNext();) {
        const QRegularExpressionMatch w = m.next();
        if (!w.captured(1).isEmpty()) {
            pages.push_back({w.captured(1).toDouble(), {}});
        } else if (!pages.empty()) {
            pages.back().words.push_back({w.captured(6), w.captured(2).toDouble(), w.captured(3).toDouble(),
                                          w.captured(4).toDouble(), w.captured(5).toDouble()});
        }
    }
    return pages;
}
} // namespace

TEST_F(Printing, EveryWordStaysOnThePageAndEveryEntryOnOnePage) {
    // How many one-line rows a page takes.
    addRows(200);
    PrintListing(subs, QString());
    int perPage = 0;
    for (const auto& r : rowPages())
        if (r.second == 0) ++perPage;
    ASSERT_GT(perPage, 5);

    // A two-line row whose second line would be the first past the page's foot, then a row of
    // long text with a word wider than the whole column.
    subs.Clear();
    addRows(perPage - 1);
    subs.AddSub(QStringLiteral("Upper\r\nLower"), 0, 1);
    QString text;
    for (int k = 0; k < 60; ++k) text += QStringLiteral("word%1 ").arg(k);
    text += QString(150, u'x') + QStringLiteral(" end");
    subs.AddSub(text, 0, 1);
    PrintListing(subs, QStringLiteral("/video/Long.srt"));

    const std::vector<PdfPage> pages = pdfWords(rec.path());
    ASSERT_EQ(pages.size(), 2u);
    QString printed;
    for (size_t pg = 0; pg < pages.size(); ++pg) {
        const PdfPage& page = pages[pg];
        ASSERT_FALSE(page.words.empty());
        // The path line shows where the left margin ends; the right one is as wide.
        ASSERT_EQ(page.words[0].text, QStringLiteral("/video/Long.srt"));
        const double rightEnd = page.width - page.words[0].xMin;
        for (const PdfWord& w : page.words) {
            EXPECT_LE(w.xMax, rightEnd + 0.5) << w.text.toStdString() << " on page " << pg;
            if (pg == 1 && w.yMin > page.words[0].yMax) printed += w.text;
        }
    }
    // The two-line row goes to the next page whole, under its number.
    auto onPage = [&pages](const QString& word) {
        for (size_t pg = 0; pg < pages.size(); ++pg)
            for (const PdfWord& w : pages[pg].words)
                if (w.text == word) return static_cast<int>(pg);
        return -1;
    };
    EXPECT_EQ(onPage(QStringLiteral("Upper")), 1);
    EXPECT_EQ(onPage(QStringLiteral("Lower")), 1);
    EXPECT_EQ(onPage(QString::number(perPage - 1)), 1);
    EXPECT_EQ(onPage(QString::number(perPage - 2)), 0);
    // No word of the long text is lost.
    EXPECT_TRUE(printed.endsWith(QString(text).remove(u' '))) << printed.toStdString();
}
