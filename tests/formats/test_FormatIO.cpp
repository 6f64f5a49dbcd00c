#include "formats/FormatIO.h"
#include "model/Common.h"

#include <gtest/gtest.h>

TEST(FormatIO, QuickTimeTextsAgreeWithTheSharedOnes) {
    for (qint32 ms : {0, 1, 999, 1000, 59999, 60000, 3599999, 3600000, 45296789, 359999999, 360000000, -1, -1500,
                      2147483647, -2147483647 - 1})
        EXPECT_EQ(TimeText(ms), FormatTime(ms)) << ms;
    for (const char* t : {"00:00:00.000", "01:02:03.004", "99:99:99.999", "00:00:01.5", "00:00:01.500 ", "0a:00:01.500",
                          "00-00:01.500", "  :  :  .   ", "00:00:-1.500", "", "12:34:56,789"})
        EXPECT_EQ(TimeValue(QString::fromLatin1(t)), ParseTime(QString::fromLatin1(t))) << t;
}

TEST(FormatIO, LineBreaksBecomeOneSeparator) {
    EXPECT_EQ(JoinBreaks(QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("|")), QStringLiteral("a|b|c|d"));
    EXPECT_EQ(SingleLine(QStringLiteral("a\r\n\r\nb")), QStringLiteral("ab"));
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 1), 0x0A);
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 3), 0xFF);
    EXPECT_EQ(HexPair(QStringLiteral("#0aFf"), 4), -1);
    EXPECT_EQ(HexPair(QStringLiteral("+F"), 0), -1);
}
