#include "model/Common.h"
#include "model/Num.h"
#include "model/RuntimeError.h"
#include "tests/support/Scripted.h"

#include <gtest/gtest.h>

namespace {
const QString S(const char* s) { return QString::fromUtf8(s); }
} // namespace

TEST(TimeText, FormatTimeFields) {
    EXPECT_EQ(FormatTime(0), S("00:00:00.000"));
    EXPECT_EQ(FormatTime(((1 * 60 + 2) * 60 + 3) * 1000 + 4), S("01:02:03.004"));
    EXPECT_EQ(FormatTime(59 * 60000 + 59999), S("00:59:59.999"));
    // Hours keep their last two digits; negative times carry the sign into the fields.
    EXPECT_EQ(FormatTime(100 * 3600000), S("00:00:00.000"));
    EXPECT_EQ(FormatTime(123 * 3600000 + 45), S("23:00:00.045"));
    EXPECT_EQ(FormatTime(-1500), S("00:00:-1.500"));
    EXPECT_EQ(FormatTime(-5), S("00:00:00.0-5"));
}

TEST(TimeText, ParseTimeByPositions) {
    EXPECT_EQ(ParseTime(S("01:02:03.004")), ((1 * 60 + 2) * 60 + 3) * 1000 + 4);
    EXPECT_EQ(ParseTime(S("00:00:01,500")), 1500); // the decimal character is never read
    // A one-digit fraction: the last three characters "1.5" read as 1.5 ms, halves to even.
    EXPECT_EQ(ParseTime(S("00:00:01.5")), 1002);
    EXPECT_EQ(ParseTime(S("00:00:02.5")), 2002);
    EXPECT_EQ(ParseTime(S("00:00:03.5")), 3004);
    // Unreadable fields count as 0; a short field reads its leading number.
    EXPECT_EQ(ParseTime(QString()), 0);
    EXPECT_EQ(ParseTime(S("xx:yy:zz.abc")), 0);
    // "1:" is also the last three characters: 1 h and 1 ms.
    EXPECT_EQ(ParseTime(S("1:")), 3600001);
    EXPECT_EQ(ParseTime(S(" 1:02:03.004")), ((1 * 60 + 2) * 60 + 3) * 1000 + 4);
}

TEST(TimeText, FieldsReadAsNumericValues) {
    // Each field is the numeric value of its characters, as everywhere in the program.
    auto reference = [](const QString& t) {
        const double h = Val(t.mid(0, 2)), m = Val(t.mid(3, 2)), s = Val(t.mid(6, 2)), f = Val(t.right(3));
        return CLng(CLng(CLng(h * 60 + m) * 60.0 + s) * 1000.0 + f);
    };
    for (const char* t : {"12:34:56,789", "-1:-2:-3.-45", "+1:+2:+3.+45", " 1: 2: 3. 45", "1.:2.:3..5.", "00:00:00.0.5",
                          "00:00:00.-.5", "ab:cd:ef.ghi", "9", "99", "99:", "00:00:01.25", "00:00:01..5", "00:00:01.5.",
                          "00:00:01\t5", "00:00:01.+-5"}) {
        EXPECT_EQ(ParseTime(S(t)), reference(S(t))) << t;
    }
}

TEST(TimeText, FormatThenParseRoundTrips) {
    for (qint32 t : {0, 1, 999, 1000, 59999, 60000, 3599999, 3600000, 86399999, 359999999}) {
        EXPECT_EQ(ParseTime(FormatTime(t)), t) << t;
    }
    // Every field of every time, hours past 99 included, against the fields' definition.
    for (qint64 t = 0; t < 2147483647; t = t * 3 + 7919) {
        const qint32 v = static_cast<qint32>(t);
        const QString expected = PadZeros(t / 3600000, 2) + u':' + PadZeros(t / 60000 % 60, 2) + u':' +
                                 PadZeros(t / 1000 % 60, 2) + u'.' + PadZeros(t % 1000, 3);
        EXPECT_EQ(FormatTime(v), expected) << t;
    }
}

TEST(TextProcedures, PadZerosAndHexPad) {
    EXPECT_EQ(PadZeros(S("7"), 3), S("007"));
    EXPECT_EQ(PadZeros(S("12345"), 3), S("345"));
    EXPECT_EQ(HexPad(255, 2), S("FF"));
    EXPECT_EQ(HexPad(0, 8), S("00"));
    EXPECT_EQ(HexPad(0x123456, 4), S("3456"));
    EXPECT_EQ(HexPad(-1, 8), S("FFFFFFFF"));
}

TEST(TextProcedures, PopToken) {
    QString src = S("one\r\ntwo\r\n");
    EXPECT_EQ(PopToken(src, S("\r\n")), S("one"));
    EXPECT_EQ(src, S("two\r\n"));
    EXPECT_EQ(PopToken(src, S("\r\n")), S("two"));
    EXPECT_TRUE(src.isEmpty());
    src = S("whole");
    EXPECT_EQ(PopToken(src, S(";")), S("whole"));
    EXPECT_TRUE(src.isEmpty());
    // The separator is found without regard to case.
    src = S("leftXright");
    EXPECT_EQ(PopToken(src, S("x")), S("left"));
    EXPECT_EQ(src, S("right"));
}

TEST(WholeWordSearch, SkipsHitsInsideWords) {
    EXPECT_EQ(InStrWord(1, S("within in"), S("in"), Qt::CaseSensitive, true), 8);
    EXPECT_EQ(InStrWord(1, S("within in"), S("in"), Qt::CaseSensitive, false), 5);
    EXPECT_EQ(InStrWord(6, S("within in"), S("in"), Qt::CaseSensitive, false), 8);
    EXPECT_EQ(InStrWord(6, S("in within"), S("in"), Qt::CaseSensitive, true), 0);
    EXPECT_EQ(InStrWord(1, S("within"), S("in"), Qt::CaseSensitive, true), 0);
    EXPECT_EQ(InStrWord(1, S("in"), S("in"), Qt::CaseSensitive, true), 1);
    EXPECT_EQ(InStrWord(1, S("(in)"), S("in"), Qt::CaseSensitive, true), 2);
    EXPECT_EQ(InStrWord(1, S("x µin"), S("in"), Qt::CaseSensitive, true), 4);
    EXPECT_EQ(InStrWord(1, S("Word word"), S("WORD"), Qt::CaseInsensitive, true), 1);
    EXPECT_EQ(InStrWord(1, S("Word word"), S("word"), Qt::CaseSensitive, true), 6);
    EXPECT_EQ(InStrWord(1, S("abc"), S("x"), Qt::CaseSensitive, false), 0);
}

TEST(WholeWordSearch, LineBreaksDelimitWords) {
    // The listing shows line breaks as the new-line field; stored texts hold CR LF.
    EXPECT_EQ(InStrWord(1, S("one¤two"), S("two"), Qt::CaseSensitive, true), 5);
    EXPECT_EQ(InStrWord(1, S("one\r\ntwo"), S("two"), Qt::CaseSensitive, true), 6);
    EXPECT_EQ(InStrWord(1, S("one\r\ntwo"), S("one"), Qt::CaseSensitive, true), 1);
    SetNewLineField(S("|"));
    EXPECT_EQ(InStrWord(1, S("one¤two"), S("two"), Qt::CaseSensitive, true), 0);
    EXPECT_EQ(InStrWord(1, S("one|two"), S("two"), Qt::CaseSensitive, true), 5);
    SetNewLineField(S("¤"));
}

TEST(TextProcedures, NoneDisplays) {
    EXPECT_EQ(IndexOrNone(12), S(" 12"));
    EXPECT_EQ(IndexOrNone(-2), S(" None"));
    EXPECT_EQ(TimeOrNone(0), S(" None"));
    EXPECT_EQ(TimeOrNone(1500), S("00:00:01.500"));
}
