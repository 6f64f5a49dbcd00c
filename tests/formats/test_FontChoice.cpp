#include "formats/FontChoice.h"
#include "tests/support/Scripted.h"

#include <gtest/gtest.h>

TEST(FontChoiceList, SelectsTheFirstFontAtOrAfterTheNameAndGivesTheNameBack) {
    FontChoice c; // the scripted fonts: Arial, Courier New, Times New Roman, Verdana
    // A file's name comes back as written, whatever the list shows for it.
    c.setFontName(QStringLiteral("arial"));
    EXPECT_EQ(c.currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(c.fontName(), QStringLiteral("arial"));
    c.setFontName(QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(c.currentText(), QStringLiteral("Courier New"));
    EXPECT_EQ(c.fontName(), QStringLiteral("Comic Sans MS"));
    c.setFontName(QStringLiteral("  TIMES new roman "));
    EXPECT_EQ(c.currentText(), QStringLiteral("Times New Roman"));
    // A name after every font selects none.
    c.setFontName(QStringLiteral("Zapf Chancery"));
    EXPECT_EQ(c.currentIndex(), -1);
    EXPECT_EQ(c.fontName(), QStringLiteral("Zapf Chancery"));
    // The user's own choice replaces the name.
    c.setCurrentIndex(c.findText(QStringLiteral("Courier New")));
    EXPECT_EQ(c.fontName(), QStringLiteral("Courier New"));
    c.setFontName(QString()); // an empty name is never given back
    EXPECT_EQ(c.fontName(), QStringLiteral("Arial"));
}
