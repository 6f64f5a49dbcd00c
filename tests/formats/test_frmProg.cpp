#include "formats/frmProg.h"
#include "tests/support/Scripted.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ProgressWindow, StartsWithItsDesignTexts) {
    frmProg w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Progress"));
    EXPECT_EQ(w.lbp->text(), QStringLiteral("0%"));
    EXPECT_EQ(w.lbIndic->text(), QStringLiteral("Parsing SAMI body..."));
    EXPECT_EQ(&ProgressWindow(), &ProgressWindow());
}

TEST(ProgressWindow, ShowsTheFlooredPercentageOfItsRange) {
    frmProg w;
    struct Case {
        qint32 min, max, value;
        const char* label;
        qint32 bar;
    };
    const Case cases[] = {
        {0, 200, 50, " 25%", 50},    {0, 200, 199, " 99%", 199},  // floor, not nearest
        {0, 200, 200, " 100%", 200}, {0, 200, 300, " 100%", 200}, // clamped into the range
        {0, 200, -5, " 0%", 0},      {-100, 100, 0, " 50%", 0},
        {5, 5, 5, " 0%", 5},                                   // equal ends: no division by zero
        {5, 5, 9, " 0%", 5},         {0, 100, 29, " 28%", 29}, // 29/100 first, then times 100: never ahead
        {0, 3, 1, " 33%", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        w.setMin(c.min);
        w.setMax(c.max);
        w.setValue(c.value);
        EXPECT_EQ(w.lbp->text(), QString::fromLatin1(c.label));
        EXPECT_EQ(w.pbar->value(), c.bar);
    }
}

TEST(ProgressWindow, RefusesItsCloseBoxAndEscape) {
    frmProg w;
    w.show();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    w.hide(); // only the program hides it
    EXPECT_FALSE(w.isVisible());
}

TEST(ProgressWindow, PumpsEventsOnlyWhileShown) {
    frmProg w;
    w.setMin(0);
    w.setMax(100);
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    w.setValue(10); // hidden: no events handled behind the caller's back
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(w.lbp->text(), QStringLiteral(" 10%"));
    w.show();
    w.setValue(20); // the first value after showing paints at once
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(w.lbp->text(), QStringLiteral(" 20%"));
    // Later values show at a later pump at the latest.
    w.setValue(30);
    QElapsedTimer t;
    t.start();
    while (w.lbp->text() != QStringLiteral(" 30%") && t.elapsed() < 2000) w.pump();
    EXPECT_EQ(w.lbp->text(), QStringLiteral(" 30%"));
    EXPECT_EQ(w.pbar->value(), 30);
    w.hide();
}
