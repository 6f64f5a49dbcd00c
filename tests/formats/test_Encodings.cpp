// Text encodings under the readers and writers: byte-order marks, detection of files that are not
// UTF-8, the encoding kept by a save over the same file, and NUL characters.
#include "formats/clsFileRAW.h"
#include "formats/clsFileSRT.h"
#include "formats/clsFileSSA.h"
#include "formats/clsFileTXT.h"
#include "model/clsSubs.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QProcess>
#include <QStringEncoder>
#include <gtest/gtest.h>

using formtest::entries;
using formtest::expectFormOk;
using formtest::row;

namespace {
const QString S(const char* s) { return QString::fromUtf8(s); }

// The text in the encoding, from Qt's converters or, for the few they lack, the system's iconv.
QByteArray encoded(const char* encoding, const QString& text) {
    QStringEncoder e(encoding);
    if (e.isValid()) return e.encode(text);
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"),
                {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"), QString::fromLatin1(encoding)});
    iconv.write(text.toUtf8());
    iconv.closeWriteChannel();
    iconv.waitForFinished();
    EXPECT_EQ(iconv.exitCode(), 0) << encoding;
    return iconv.readAllStandardOutput();
}

const QString kSrt = S("1\r\n00:00:01,000 --> 00:00:02,000\r\nCafé crème, déjà vu\r\n\r\n"
                       "2\r\n00:00:03,000 --> 00:00:04,000\r\nÇa coûte 5 € — très cher!\r\n\r\n");
const std::vector<std::string> kSrtEntries{row(1000, 2000, S("Café crème, déjà vu")),
                                           row(3000, 4000, S("Ça coûte 5 € — très cher!"))};
} // namespace

TEST(TextEncodings, StrayBytesInUtf8KeepItsLetters) {
    TempDir dir;
    // One byte of another encoding ("\xE9") in a UTF-8 file.
    QByteArray bytes = kSrt.toUtf8();
    bytes.replace("vu", "vu \xE9t\xE9");
    clsFileSRT f;
    f.setFile(dir.write(S("a.srt"), bytes));
    clsSubs subs;
    ASSERT_TRUE(f.Load(subs));
    EXPECT_EQ(entries(subs), (std::vector<std::string>{row(1000, 2000, S("Café crème, déjà vu été")), kSrtEntries[1]}));
    // The save writes the file as clean UTF-8.
    ASSERT_TRUE(f.Save(subs));
    QString clean = kSrt;
    clean.replace(S("vu"), S("vu été"));
    EXPECT_EQ(dir.read(S("a.srt")), clean.toUtf8());
}

TEST(TextEncodings, Utf16WithAMarkReadsInEveryFormatAndIsKept) {
    TempDir dir;
    for (const bool le : {true, false}) {
        const QByteArray bom = le ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        const char* enc = le ? "UTF-16LE" : "UTF-16BE";
        SCOPED_TRACE(enc);

        clsFileSRT srt;
        srt.setFile(dir.write(S("a.srt"), bom + encoded(enc, kSrt)));
        clsSubs subs;
        EXPECT_TRUE(srt.Load(subs));
        EXPECT_EQ(entries(subs), kSrtEntries);
        subs.setSubText(0, S("Ωmega"));
        ASSERT_TRUE(srt.Save(subs));
        QString saved = kSrt;
        saved.replace(S("Café crème, déjà vu"), S("Ωmega"));
        EXPECT_EQ(dir.read(S("a.srt")), bom + encoded(enc, saved));

        clsFileTXT txt;
        txt.setFile(dir.write(S("a.sub"), bom + encoded(enc, S("{1}{1}25\r\n{25}{50}Café|crème\r\n"))));
        expectFormOk();
        EXPECT_TRUE(txt.Load(subs));
        EXPECT_EQ(entries(subs), std::vector<std::string>{row(1000, 2000, S("Café\r\ncrème"))});

        clsFileRAW raw;
        raw.setFile(dir.write(S("a.txt"), bom + encoded(enc, S("00:00:01.000\t00:00:02.000\tCafé"))));
        expectFormOk();
        EXPECT_TRUE(raw.Load(subs));
        EXPECT_EQ(entries(subs), std::vector<std::string>{row(1000, 2000, S("Café"))});

        clsFileSSA ssa;
        ssa.setFile(dir.write(S("a.ssa"), bom + encoded(enc, S("[Script Info]\r\n[V4+ Styles]\r\n"
                                                               "Format: Name, Fontsize\r\nStyle: Default, 20\r\n"
                                                               "[Events]\r\nFormat: Start, End, Text\r\n"
                                                               "Dialogue: 0:00:01.00,0:00:02.00,Café\r\n"))));
        expectFormOk();
        EXPECT_TRUE(ssa.Load(subs));
        EXPECT_EQ(entries(subs), std::vector<std::string>{row(1000, 2000, S("Café"))});
    }
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(TextEncodings, LegacyFilesAreDetectedAndKeptWhenTheTextFits) {
    TempDir dir;
    struct Case {
        const char* encoding;
        QString text;
    };
    const Case cases[] = {
        {"windows-1252", kSrt},
        {"windows-1251",
         S("1\r\n00:00:01,000 --> 00:00:02,000\r\nПривет, как дела? Всё хорошо, спасибо.\r\n\r\n"
           "2\r\n00:00:03,000 --> 00:00:04,000\r\nСъешь же ещё этих мягких французских булок.\r\n\r\n")},
        {"windows-1250", S("1\r\n00:00:01,000 --> 00:00:02,000\r\nPříliš žluťoučký kůň úpěl ďábelské ódy.\r\n\r\n"
                           "2\r\n00:00:03,000 --> 00:00:04,000\r\nDobrý den, jak se máte? Děkuji, dobře.\r\n\r\n")},
        {"VISCII", S("1\r\n00:00:01,000 --> 00:00:02,000\r\nTiếng Việt là ngôn ngữ của người Việt.\r\n\r\n"
                     "2\r\n00:00:03,000 --> 00:00:04,000\r\nXin chào, bạn có khỏe không?\r\n\r\n"
                     "3\r\n00:00:05,000 --> 00:00:06,000\r\nTôi không biết anh ấy ở đâu.\r\n\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        clsFileSRT f;
        f.setFile(dir.write(S("a.srt"), encoded(c.encoding, c.text)));
        clsSubs subs;
        EXPECT_TRUE(f.Load(subs));
        const QString first = subs.SubText(0);
        EXPECT_TRUE(c.text.contains(first)) << first.toStdString();
        // An edit that fits keeps the file's encoding on Save.
        subs.setSubText(0, first + S("!"));
        ASSERT_TRUE(f.Save(subs));
        QString edited = c.text;
        edited.replace(first, first + S("!"));
        EXPECT_EQ(dir.read(S("a.srt")), encoded(c.encoding, edited));
        // One that doesn't fit makes it UTF-8, and so does a file written under a new name.
        subs.setSubText(0, S("字幕"));
        ASSERT_TRUE(f.Save(subs));
        QString wide = c.text;
        wide.replace(first, S("字幕"));
        EXPECT_EQ(dir.read(S("a.srt")), wide.toUtf8());
    }
    clsFileSRT f;
    f.setFile(dir.write(S("b.srt"), encoded("windows-1252", kSrt)));
    clsSubs subs;
    EXPECT_TRUE(f.Load(subs));
    f.setSavePath(dir.path(S("c.srt")));
    ASSERT_TRUE(f.Save(subs));
    EXPECT_EQ(dir.read(S("c.srt")), kSrt.toUtf8());
}

TEST(TextEncodings, EastAsianFilesAreReadInTheirOwnEncodingAndKept) {
    TempDir dir;
    const QStringList chinese = {S("我们今天晚上去看电影吧。"),   S("你说什么？我听不清楚。"),
                                 S("这是一个非常重要的问题。"),   S("他已经离开这个城市很久了。"),
                                 S("别担心，一切都会好起来的。"), S("谢谢你的帮助，朋友。")};
    const QStringList traditional = {S("我們今天晚上去看電影吧。"),   S("你說什麼？我聽不清楚。"),
                                     S("這是一個非常重要的問題。"),   S("他已經離開這個城市很久了。"),
                                     S("別擔心，一切都會好起來的。"), S("謝謝你的幫助，朋友。")};
    const QStringList japanese = {S("今日はとても暑いですね。"), S("どこへ行くつもりですか？"),
                                  S("ありがとうございました。"), S("私はそれを知りませんでした。"),
                                  S("もう一度言ってください。"), S("彼女は駅で待っています。")};
    const QStringList korean = {S("오늘 저녁에 영화 보러 가자."),    S("뭐라고? 잘 안 들려."),
                                S("이것은 매우 중요한 문제입니다."), S("그는 이 도시를 떠난 지 오래되었다."),
                                S("걱정하지 마, 다 잘 될 거야."),    S("도와줘서 고마워, 친구.")};
    const std::pair<const char*, const QStringList*> cases[] = {{"GBK", &chinese},      {"GB18030", &chinese},
                                                                {"Big5", &traditional}, {"Shift_JIS", &japanese},
                                                                {"EUC-JP", &japanese},  {"EUC-KR", &korean}};
    for (const auto& [encoding, lines] : cases) {
        SCOPED_TRACE(encoding);
        // Twelve entries of two lines each: a few dozen lines.
        QString text;
        std::vector<std::string> want;
        for (int i = 0; i < 12; ++i) {
            const QString a = lines->at(i % lines->size()), b = lines->at((i + 1) % lines->size());
            text += QStringLiteral("%1\r\n00:00:%2,000 --> 00:00:%2,500\r\n%3\r\n%4\r\n\r\n")
                        .arg(i + 1)
                        .arg(i + 10)
                        .arg(a, b);
            want.push_back(row((i + 10) * 1000, (i + 10) * 1000 + 500, a + S("\r\n") + b));
        }
        const QByteArray bytes = encoded(encoding, text);
        clsFileSRT f;
        f.setFile(dir.write(S("a.srt"), bytes));
        clsSubs subs;
        ASSERT_TRUE(f.Load(subs));
        EXPECT_EQ(entries(subs), want);
        ASSERT_TRUE(f.Save(subs));
        EXPECT_EQ(dir.read(S("a.srt")), bytes);
    }
}

TEST(TextEncodings, NulCharactersAreNotStored) {
    TempDir dir;
    clsFileSRT f;
    const char bytes[] = "1\r\n00:00:01,000 --> 00:00:02,000\r\nA\0B\r\n\r\n";
    f.setFile(dir.write(S("a.srt"), QByteArray(bytes, sizeof bytes - 1)));
    clsSubs subs;
    EXPECT_TRUE(f.Load(subs));
    EXPECT_EQ(entries(subs), std::vector<std::string>{row(1000, 2000, S("AB"))});
    subs.setSubText(0, QStringLiteral("C") + QChar(0) + QStringLiteral("D"));
    ASSERT_TRUE(f.Save(subs));
    EXPECT_EQ(dir.read(S("a.srt")), QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\nCD\r\n\r\n"));
}

TEST(TextEncodings, AFewLettersBeyondAsciiAreNotMisread) {
    TempDir dir;
    // Long files with a single line of accents or curly quotes: too little for a guess to be
    // trusted over the common Western encoding.
    for (const char* line : {"It’s fine, don’t worry.", "See you mañana, señor.", "Voilà!", "The façade is naïve."}) {
        SCOPED_TRACE(line);
        QString text;
        for (int i = 1; i <= 400; ++i) {
            const QString words = i == 200 ? S(line) : QStringLiteral("Plain words number %1").arg(i);
            text += QStringLiteral("%1\r\n00:%2:01,000 --> 00:%2:02,000\r\n%3\r\n\r\n")
                        .arg(i)
                        .arg(i % 60, 2, 10, QLatin1Char('0'))
                        .arg(words);
        }
        clsFileSRT f;
        f.setFile(dir.write(S("a.srt"), encoded("windows-1252", text)));
        clsSubs subs;
        ASSERT_TRUE(f.Load(subs));
        EXPECT_EQ(subs.SubText(199), S(line));
    }
    // UTF-8 with a mark, or with one real UTF-8 letter, stays UTF-8 however many stray bytes
    // of another encoding it holds.
    for (const QByteArray& bytes : {QByteArray("\xEF\xBB\xBF"
                                               "1\r\n00:00:01,000 --> 00:00:02,000\r\ncaf\xC3\xA9 caf\xE9\r\n\r\n"),
                                    QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\ncaf\xC3\xA9 caf\xE9\r\n\r\n")}) {
        clsFileSRT f;
        f.setFile(dir.write(S("b.srt"), bytes));
        clsSubs subs;
        ASSERT_TRUE(f.Load(subs));
        EXPECT_EQ(subs.SubText(0), S("café café"));
    }
    clsFileSRT f;
    f.setFile(dir.write(
        S("c.srt"), QByteArray("1\r\n00:00:01,000 --> 00:00:02,000\r\nWait\xE2\x80\xA6 it\x92s John\x92s\r\n\r\n")));
    clsSubs subs;
    ASSERT_TRUE(f.Load(subs));
    EXPECT_EQ(subs.SubText(0), S("Wait… it’s John’s"));
}
