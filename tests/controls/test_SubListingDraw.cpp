#include "platform/Colors.h"
#include "tests/controls/ListingFixture.h"

#include <QPainter>
#include <QWheelEvent>

namespace {
const QRgb kWhite = qRgb(255, 255, 255);

int top(const ListingHost& h, int row) { return (row - h.l->TopIdx) * SubListing::RowHeight; }

// Red ink (the bad-row colour, antialiased) somewhere in the row between x0 and x1.
bool hasRed(const ListingHost& h, int row, int x0, int x1) {
    for (int y = top(h, row); y < top(h, row) + 14; ++y)
        for (int x = x0; x < x1; ++x) {
            const QRgb c = h.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) < 140 && qBlue(c) < 140) return true;
        }
    return false;
}

bool hasDark(const ListingHost& h, int row, int x0, int x1) {
    for (int y = top(h, row); y < top(h, row) + 14; ++y)
        for (int x = x0; x < x1; ++x)
            if (qGray(h.pixel(x, y)) < 100) return true;
    return false;
}

QImage block(const ListingHost& h, int row, int x0, int x1) {
    return h.l->picMain->image().copy(x0, top(h, row), x1 - x0, SubListing::RowHeight);
}
} // namespace

TEST(ListingDraw, RowBoxLinesAndBackground) {
    ListingHost h(5);
    const QRgb workspace = SystemColor(SysColor::AppWorkspace).rgb();
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(h.pixel(5, top(h, row) + 3), kWhite);
        EXPECT_EQ(h.pixel(67, top(h, row) + 14), qRgb(240, 240, 240));
        for (int x : {30, 70, 145, 220}) {
            EXPECT_EQ(h.pixel(x, top(h, row) + 3), qRgb(200, 200, 200));
            EXPECT_EQ(h.pixel(x, top(h, row) + 14), qRgb(200, 200, 200));
        }
        EXPECT_TRUE(hasDark(h, row, 40, 66));   // number
        EXPECT_TRUE(hasDark(h, row, 71, 144));  // time in
        EXPECT_TRUE(hasDark(h, row, 146, 219)); // time out
        EXPECT_TRUE(hasDark(h, row, 225, 300)); // text
    }
    // Past the last row the surface is the workspace colour.
    EXPECT_EQ(h.pixel(5, top(h, 5) + 3), workspace);
    EXPECT_EQ(h.pixel(300, top(h, 8)), workspace);

    // An empty list draws nothing and parks the edit bar.
    h.sel.setValue(1);
    h.fill(0);
    const QImage& img = h.l->picMain->image();
    for (int y = 0; y < img.height(); y += 3)
        for (int x = 0; x < img.width() - h.l->scrList->width(); x += 7) ASSERT_EQ(img.pixel(x, y), workspace);
    EXPECT_EQ(h.l->picSelBar->y(), SubListing::EditBarParked);
}

TEST(ListingDraw, RangeTintAndSimpleModeHighlight) {
    ListingHost h(8);
    const QRgb tint = qRgb(190, 190, 220);
    h.a.setValue(2);
    h.b.setValue(4);
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(h.pixel(5, top(h, row) + 3), row >= 2 && row <= 4 ? tint : kWhite) << row;
    // A one-row range is no range.
    h.a.setValue(4);
    EXPECT_EQ(h.pixel(5, top(h, 4) + 3), kWhite);

    const QRgb lit = qRgb(133, 136, 243);
    h.a.setValue(1);
    h.sel.setValue(3);
    h.m1.setValue(6);
    h.l->SetSimpleMode(true, 0);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(h.pixel(35, top(h, row) + 3), row == 3 ? lit : kWhite) << row;
    h.l->SetSimpleMode(true, 2);
    EXPECT_EQ(h.pixel(5, top(h, 3) + 3), kWhite);
    EXPECT_NE(h.pixel(35, top(h, 6) + 3), kWhite);
    EXPECT_EQ(h.pixel(35, top(h, 6) + 3), lit);
    h.l->SetSimpleMode(true, 7);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(h.pixel(35, top(h, row) + 3), kWhite) << row;
}

TEST(ListingDraw, BadRowsAreRedAndFollowTheirNeighbours) {
    ListingHost h(6);
    for (int row = 0; row < 6; ++row) EXPECT_FALSE(hasRed(h, row, 40, 300)) << row;
    // Row 2 now runs into row 3: both are bad, and both turn red without a full redraw.
    h.subs.setSubTimeOut(2, 6500);
    EXPECT_TRUE(hasRed(h, 2, 71, 144));
    EXPECT_TRUE(hasRed(h, 3, 71, 144));
    EXPECT_TRUE(hasRed(h, 3, 225, 300));
    EXPECT_FALSE(hasRed(h, 1, 40, 300));
    EXPECT_FALSE(hasRed(h, 4, 40, 300));
    const QImage partial = h.l->picMain->image();
    h.l->Redraw();
    EXPECT_EQ(h.l->picMain->image(), partial);
    h.subs.setSubTimeOut(2, 5500);
    EXPECT_FALSE(hasRed(h, 3, 40, 300));
    // The edit bar of a bad row shows its number in red.
    h.subs.setSubTimeIn(4, 9600);
    h.sel.setValue(4);
    EXPECT_EQ(h.l->lbNr->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    h.sel.setValue(1);
    EXPECT_EQ(h.l->lbNr->palette().color(QPalette::WindowText), SystemColor(SysColor::WindowText));
}

TEST(ListingDraw, HoursShowTheirLastTwoDigits) {
    ListingHost h(0);
    h.subs.AddSub(QStringLiteral("a"), 0, 1500);
    h.subs.AddSub(QStringLiteral("a"), 100 * 3600000, 100 * 3600000 + 1500);
    h.subs.AddSub(QStringLiteral("a"), 100 * 3600000 + 2000, 100 * 3600000 + 3500);
    EXPECT_EQ(block(h, 0, 71, 219), block(h, 1, 71, 219));
    EXPECT_NE(block(h, 1, 71, 219), block(h, 2, 71, 219));
    EXPECT_NE(block(h, 0, 31, 69), block(h, 1, 31, 69));
}

TEST(ListingDraw, MarkerIconsMoveWithTheirMarker) {
    ListingHost h(6);
    const QImage blank = block(h, 2, 0, 30);
    h.m1.setValue(2);
    QImage expected = blank;
    {
        QPainter p(&expected);
        p.drawImage(0, 0, h.l->Markers[1]);
    }
    EXPECT_EQ(block(h, 2, 0, 30), expected);
    h.m1.setValue(4);
    EXPECT_EQ(block(h, 2, 0, 30), blank);
    EXPECT_NE(block(h, 4, 0, 30), blank);
    // Shift marker pushed onto the same row: only its own icon remains.
    h.m.setValue(4);
    expected = blank;
    {
        QPainter p(&expected);
        p.drawImage(0, 0, h.l->Markers[3]);
    }
    EXPECT_EQ(block(h, 4, 0, 30), expected);
}

TEST(ListingScroll, MovedRowsMatchAFullRedraw) {
    ListingHost h(100);
    h.subs.setSubTimeOut(15, 40000); // rows 15 and 16 are bad
    h.a.setValue(5);
    h.b.setValue(20);
    h.m2.setValue(12);
    auto matchesRedraw = [&] {
        const QImage moved = h.l->picMain->image();
        h.l->Redraw();
        return moved == h.l->picMain->image();
    };
    h.click(300, 0);
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(h.l->txtSubText, Qt::Key_Down);
        ASSERT_TRUE(matchesRedraw()) << i;
    }
    EXPECT_EQ(h.sel.value(), 40);
    EXPECT_EQ(h.l->TopIdx, 40 - 10 + 1);
    for (int i = 0; i < 35; ++i) {
        QTest::keyClick(h.l->txtSubText, Qt::Key_Up);
        ASSERT_TRUE(matchesRedraw()) << i;
    }
    EXPECT_EQ(h.l->TopIdx, 5);
    h.events.clear();
    QWheelEvent wheel(QPointF(100, 50), h.l->picMain->mapToGlobal(QPointF(100, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.l->picMain, &wheel);
    EXPECT_GT(h.l->TopIdx, 5);
    EXPECT_TRUE(h.events.contains(QStringLiteral("Scroll")));
    EXPECT_TRUE(matchesRedraw());
    h.l->scrList->setValue(h.l->scrList->value() - 4);
    EXPECT_TRUE(matchesRedraw());
    // The edit bar follows its row, and leaves with the focus when the row scrolls away.
    h.l->scrList->setValue(h.sel.value());
    EXPECT_EQ(h.l->picSelBar->y(), 0);
    h.l->SetTextFocus();
    ASSERT_TRUE(h.focusInEditBar());
    h.l->scrList->setValue(h.sel.value() + 1);
    EXPECT_EQ(h.l->picSelBar->y(), SubListing::EditBarParked);
    EXPECT_FALSE(h.focusInEditBar());
    EXPECT_TRUE(h.l->InVision(h.sel.value() + 1));
    EXPECT_FALSE(h.l->InVision(h.sel.value()));
    h.l->GoToSel();
    EXPECT_EQ(h.l->TopIdx, h.sel.value());
    h.l->GotoSub(60);
    EXPECT_EQ(h.l->TopIdx, 60 - 10 + 1);

    // While redrawing is blocked, later scrolls still end in the right picture.
    h.l->BlockRedraw = true;
    h.subs.setSubText(h.l->TopIdx + 1, QStringLiteral("changed"));
    h.l->BlockRedraw = false;
    h.l->scrList->setValue(h.l->TopIdx + 1);
    EXPECT_TRUE(matchesRedraw());
}

TEST(ListingScroll, BarRangeFollowsTheCount) {
    ListingHost h(100);
    EXPECT_EQ(h.l->Rows, 10);
    EXPECT_EQ(h.l->scrList->maximum(), 90);
    EXPECT_EQ(h.l->scrList->pageStep(), 9);
    h.fill(4);
    EXPECT_EQ(h.l->scrList->maximum(), 0);
    // A listing one row high still pages by a row.
    h.fill(100);
    h.l->resize(h.l->width(), 16 + SubListing::RowHeight + 3);
    EXPECT_EQ(h.l->Rows, 1);
    EXPECT_EQ(h.l->scrList->pageStep(), 1);
    EXPECT_EQ(h.l->scrList->maximum(), 99);
}
