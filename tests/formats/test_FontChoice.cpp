#include "formats/FontChoice.h"
#include "tests/support/Scripted.h"

#include <gtest/gtest.h>

TEST(FontChoiceList, KeepsAMissingFontUntilTheUserChoosesAnother) {
    FontChoice c;
    // An installed font, named in another case, is given back as the system names it.
    c.setFontName(QStringLiteral("arial"));
    EXPECT_EQ(c.currentText(), QStringLiteral("Arial"));
    EXPECT_EQ(c.fontName(), QStringLiteral("Arial"));
    c.setFontName(QStringLiteral("Verdana Pro Condensed"));
    EXPECT_EQ(c.currentText(), QStringLiteral("Verdana"));
    EXPECT_EQ(c.fontName(), QStringLiteral("Verdana Pro Condensed"));
    c.setCurrentIndex(c.findText(QStringLiteral("Courier New")));
    EXPECT_EQ(c.fontName(), QStringLiteral("Courier New"));
    c.setFontName(QString()); // an empty name is never given back
    EXPECT_FALSE(c.fontName().isEmpty());
}
