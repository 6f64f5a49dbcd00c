#include "formats/FormatIO.h"

#include <gtest/gtest.h>

TEST(FormatIO, LineBreaksBecomeOneSeparator) {
    EXPECT_EQ(JoinBreaks(QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("|")), QStringLiteral("a|b|c|d"));
    EXPECT_EQ(SingleLine(QStringLiteral("a\r\n\r\nb")), QStringLiteral("ab"));
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 1), 0x0A);
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 3), 0xFF);
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 4), -1);
    EXPECT_EQ(HexPair(QStringLiteral("+F"), 0), -1);
}
