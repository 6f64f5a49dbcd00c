#include "formats/clsFileRAW.h"
#include "formats/frmProg.h"
#include "tests/formats/FormTesting.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

using namespace formtest;

namespace {
// Offsets of the delimiter choices within each group.
enum { dComma = 0, dNewline = 1, dOther = 2, dColon = 3, dSemicolon = 4, dTab = 5 };

struct Layout {
    std::vector<int> fields{rfTimeIn, rfTimeOut, rfText};
    int fd = dTab;
    int rd = dNewline;
    QString otherFd, otherRd;
    QString nlc = QStringLiteral("<br>");
};

QRadioButton* opt(QDialog* f, int k) {
    return child<QRadioButton>(f, QStringLiteral("optDel_%1").arg(k).toLatin1().constData());
}

// A click on the option's round indicator, which a wide option's middle may miss.
void clickOption(QRadioButton* o) { QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2)); }

// Chooses the fields with the form's buttons, as a user would.
void chooseFields(QDialog* f, const std::vector<int>& fields) {
    auto* sel = child<QListWidget>(f, "lstSel");
    auto* possible = child<QListWidget>(f, "lstFields");
    while (sel->count() > 0) {
        sel->setCurrentRow(0);
        QTest::mouseClick(child<QPushButton>(f, "btRemove"), Qt::LeftButton);
    }
    for (int field : fields) {
        for (int i = 0; i < possible->count(); ++i)
            if (possible->item(i)->data(Qt::UserRole).toInt() == field) possible->setCurrentRow(i);
        QTest::mouseClick(child<QPushButton>(f, "btAdd"), Qt::LeftButton);
    }
}

void fillLayout(QDialog* f, const Layout& l) {
    chooseFields(f, l.fields);
    clickOption(opt(f, l.fd));
    clickOption(opt(f, 6 + l.rd));
    EXPECT_TRUE(opt(f, l.fd)->isChecked() && opt(f, 6 + l.rd)->isChecked());
    // Typing in an "Other" box checks its option.
    if (!l.otherFd.isEmpty()) QTest::keyClicks(child<QLineEdit>(f, "txtDel_0"), l.otherFd);
    if (!l.otherRd.isEmpty()) QTest::keyClicks(child<QLineEdit>(f, "txtDel_1"), l.otherRd);
    setBox(f, "txtNLC", l.nlc);
}

void expectLayout(const Layout& l) {
    Forms().expect([l](QDialog* f) {
        fillLayout(f, l);
        clickOk(f);
    });
}

bool save(clsSubs& subs, const QString& path, const Layout& l) {
    clsFileRAW file;
    file.setFile(path);
    expectLayout(l);
    return file.Save(subs);
}

bool load(clsSubs& subs, const QString& path, const Layout& l) {
    clsFileRAW file;
    file.setFile(path);
    expectLayout(l);
    return file.Load(subs);
}

void fill(clsSubs& subs, const std::vector<std::tuple<qint32, qint32, QString>>& v) {
    subs.Clear();
    for (const auto& [a, b, t] : v) subs.AddSub(t, a, b);
}
} // namespace

TEST(RawText, DefaultLayoutWritesOneRecordALineAndReadsItBack) {
    TempDir dir;
    clsSubs subs;
    fill(subs, {{1000, 2500, QStringLiteral("Hello\r\nWorld")}, {3000, 4000, QStringLiteral("A")}});
    const QString path = dir.path(QStringLiteral("out.txt"));
    ASSERT_TRUE(save(subs, path, Layout{}));
    EXPECT_EQ(dir.read(QStringLiteral("out.txt")),
              QByteArray("00:00:01.000\t00:00:02.500\tHello<br>World\r\n00:00:03.000\t00:00:04.000\tA"));

    // The progress windows show while the file is parsed, the second below the first.
    QStringList seen;
    int gap = -1;
    QTimer::singleShot(0, [&] {
        frmProg& first = ProgressWindow();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* p = qobject_cast<frmProg*>(w);
            if (p && p->isVisible()) {
                seen << p->lbIndic->text();
                if (p != &first) gap = p->y() - (first.y() + first.frameGeometry().height());
            }
        }
    });
    const std::vector<std::string> before = entries(subs);
    subs.Clear();
    ASSERT_TRUE(load(subs, path, Layout{}));
    EXPECT_EQ(entries(subs), before);
    EXPECT_TRUE(subs.eventsEnabled());
    seen.sort();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Parsing file ..."), QStringLiteral("Parsing line ...")}));
    EXPECT_EQ(gap, 13); // 200 twips
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmProg*>(w)) {
            EXPECT_FALSE(w->isVisible());
        }
}

TEST(RawText, EachFieldOrderAndDelimiterWritesAndReadsBack) {
    struct Case {
        const char* what;
        Layout layout;
        QByteArray bytes;
    };
    auto layout = [](std::vector<int> fields, int fd, int rd, const char* ofd = "", const char* ord = "",
                     const char* nlc = "<br>") {
        Layout l;
        l.fields = std::move(fields);
        l.fd = fd;
        l.rd = rd;
        l.otherFd = QString::fromLatin1(ofd);
        l.otherRd = QString::fromLatin1(ord);
        l.nlc = QString::fromLatin1(nlc);
        return l;
    };
    const std::vector<Case> cases = {
        {"text first, comma and semicolon", layout({rfText, rfTimeIn, rfTimeOut}, dComma, dSemicolon),
         "One<br>Two,00:00:01.000,00:00:02.500;A,00:00:03.000,00:00:04.000"},
        {"two-character delimiters", layout({rfTimeOut, rfText, rfTimeIn}, dOther, dOther, "::", "##", "|"),
         "00:00:02.500::One|Two::00:00:01.000##00:00:04.000::A::00:00:03.000"},
        {"a field a line", layout({rfTimeIn, rfTimeOut, rfText}, dNewline, dNewline),
         "00:00:01.000\r\n00:00:02.500\r\nOne<br>Two\r\n00:00:03.000\r\n00:00:04.000\r\nA"},
        {"tab for both", layout({rfTimeIn, rfText, rfTimeOut}, dTab, dTab),
         "00:00:01.000\tOne<br>Two\t00:00:02.500\t00:00:03.000\tA\t00:00:04.000"},
        {"text only", layout({rfText}, dComma, dNewline), "One<br>Two\r\nA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        clsSubs subs;
        fill(subs, {{1000, 2500, QStringLiteral("One\r\nTwo")}, {3000, 4000, QStringLiteral("A")}});
        const QString path = dir.path(QStringLiteral("out.txt"));
        ASSERT_TRUE(save(subs, path, c.layout));
        EXPECT_EQ(dir.read(QStringLiteral("out.txt")), c.bytes);
        const bool timed = c.layout.fields.size() == 3;
        subs.Clear();
        ASSERT_TRUE(load(subs, path, c.layout));
        EXPECT_EQ(entries(subs),
                  (std::vector<std::string>{row(timed ? 1000 : 0, timed ? 2500 : 0, QStringLiteral("One\r\nTwo")),
                                            row(timed ? 3000 : 0, timed ? 4000 : 0, QStringLiteral("A"))}));
    }
}

TEST(RawText, EmptyFieldsSurviveASaveAndALoad) {
    for (int rd : {dNewline, dSemicolon}) {
        for (const std::vector<int>& order : {std::vector<int>{rfTimeIn, rfTimeOut, rfText},
                                              {rfText, rfTimeIn, rfTimeOut},
                                              {rfTimeIn, rfText, rfTimeOut}}) {
            SCOPED_TRACE(rd);
            SCOPED_TRACE(order[0]);
            TempDir dir;
            clsSubs subs;
            fill(subs, {{1000, 2000, QString()}, {3000, 4000, QStringLiteral("B")}, {5000, 6000, QString()}});
            const std::vector<std::string> before = entries(subs);
            Layout l;
            l.fields = order;
            l.rd = rd;
            const QString path = dir.path(QStringLiteral("out.txt"));
            ASSERT_TRUE(save(subs, path, l));
            subs.Clear();
            ASSERT_TRUE(load(subs, path, l));
            EXPECT_EQ(entries(subs), before);
        }
    }
}

TEST(RawText, ReadsHandWrittenFiles) {
    struct Case {
        const char* what;
        Layout layout;
        QByteArray bytes;
        std::vector<std::string> entries;
    };
    Layout semicolon;
    semicolon.rd = dSemicolon;
    Layout noNewLineText;
    noNewLineText.nlc.clear();
    Layout pipes;
    pipes.fd = dOther;
    pipes.otherFd = QStringLiteral("||");
    const std::vector<Case> cases = {
        {"a record short of a field reaches into no other line",
         Layout{},
         "00:00:01.000\t00:00:02.000\r\n00:00:03.000\t00:00:04.000\tB",
         {row(1000, 2000, QString()), row(3000, 4000, QStringLiteral("B"))}},
        {"records over several lines",
         semicolon,
         "00:00:01.000\t00:00:02.000\tLine one\r\nLine two;\r\n\r\n00:00:03.000\t00:00:04.000\tC;\r\n",
         {row(1000, 2000, QStringLiteral("Line one\r\nLine two")), row(3000, 4000, QStringLiteral("C"))}},
        {"a record delimiter at a line's start",
         semicolon,
         "00:00:01.000\t00:00:02.000\tA\r\n;00:00:03.000\t00:00:04.000\tB",
         {row(1000, 2000, QStringLiteral("A")), row(3000, 4000, QStringLiteral("B"))}},
        {"an empty new-line text replaces nothing",
         noNewLineText,
         "00:00:01.000\t00:00:02.000\tA<br>B",
         {row(1000, 2000, QStringLiteral("A<br>B"))}},
        {"delimiters match in any case and the one before is kept whole",
         pipes,
         "00:00:01.000||00:00:02.000||X|\r\n00:00:03.000||00:00:04.000||Y",
         {row(1000, 2000, QStringLiteral("X|")), row(3000, 4000, QStringLiteral("Y"))}},
        {"a blank line is an empty record",
         Layout{},
         "00:00:01.000\t00:00:02.000\tA\r\n\r\n00:00:03.000\t00:00:04.000\tB",
         {row(1000, 2000, QStringLiteral("A")), row(0, 0, QString()), row(3000, 4000, QStringLiteral("B"))}},
        {"an empty file", Layout{}, "", {}},
        {"LF line ends and blank last lines add no record",
         Layout{},
         "00:00:01.000\t00:00:02.000\tA\n00:00:03.000\t00:00:04.000\tB\n\n",
         {row(1000, 2000, QStringLiteral("A")), row(3000, 4000, QStringLiteral("B"))}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString path = dir.write(QStringLiteral("in.txt"), c.bytes);
        clsSubs subs;
        subs.AddSub(QStringLiteral("old"));
        ASSERT_TRUE(load(subs, path, c.layout));
        EXPECT_EQ(entries(subs), c.entries);
    }
}

TEST(RawText, AnUnusableLayoutIsRefusedAndChangesNothing) {
    struct Case {
        const char* what;
        Layout layout;
        QString message;
        bool refusedOnOk = false; // OK keeps the form open with the message, told again on closing
    };
    Layout noFields;
    noFields.fields.clear();
    Layout emptyFd;
    emptyFd.fd = dOther;
    Layout emptyRd;
    emptyRd.rd = dOther;
    // Delimiters that the times hold would split them.
    const QString inTimes = QStringLiteral("occurs in the times (hh:mm:ss.mmm)");
    Layout colonFields;
    colonFields.fd = dColon;
    Layout colonRecords;
    colonRecords.fields = {rfText, rfTimeOut};
    colonRecords.rd = dColon;
    Layout pointRecords;
    pointRecords.fields = {rfTimeIn};
    pointRecords.rd = dOther;
    pointRecords.otherRd = QStringLiteral(".");
    Layout breakHoldsDelimiter;
    breakHoldsDelimiter.fd = dOther;
    breakHoldsDelimiter.otherFd = QStringLiteral(">");
    const std::vector<Case> cases = {
        {"no field", noFields, QStringLiteral("No field is selected.")},
        {"empty field delimiter", emptyFd, QStringLiteral("Invalid delimiters.")},
        {"empty record delimiter", emptyRd, QStringLiteral("Invalid delimiters.")},
        {"colon between fields", colonFields, inTimes, true},
        {"colon between records", colonRecords, inTimes, true},
        {"point between records", pointRecords, inTimes, true},
        {"delimiter in the line-break text", breakHoldsDelimiter,
         QStringLiteral("The character for newline \"<br>\" holds the field delimiter \">\""), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QByteArray old = "00:00:01.000\t00:00:02.000\tOld";
        const QString path = dir.write(QStringLiteral("in.txt"), old);
        clsSubs subs;
        subs.AddSub(QStringLiteral("kept"), 5, 6);
        Boxes().reset();
        const int boxes = c.refusedOnOk ? 2 : 1;
        auto expectForm = [&c] {
            if (!c.refusedOnOk) return expectLayout(c.layout);
            Forms().expect([&c](QDialog* f) {
                fillLayout(f, c.layout);
                clickOk(f);
                EXPECT_TRUE(f->isVisible());
                f->close();
            });
        };
        for (int k = 0; k < 2 * boxes; ++k) Boxes().expect(vb::OK, c.message);
        clsFileRAW reader;
        reader.setFile(path);
        expectForm();
        EXPECT_FALSE(reader.Load(subs));
        EXPECT_EQ(entries(subs), std::vector<std::string>{row(5, 6, QStringLiteral("kept"))});
        clsFileRAW writer;
        writer.setFile(path);
        expectForm();
        EXPECT_FALSE(writer.Save(subs));
        EXPECT_EQ(dir.read(QStringLiteral("in.txt")), old);
        ASSERT_EQ(Boxes().shown.size(), size_t(2 * boxes));
        EXPECT_EQ(Boxes().shown[0].flags, c.refusedOnOk ? vb::Exclamation : vb::OKOnly);
    }
    // A colon that no time field is written with is the user's to choose.
    TempDir dir;
    clsSubs subs;
    fill(subs, {{1000, 2000, QStringLiteral("a b")}, {3000, 4000, QStringLiteral("c")}});
    Layout textOnly;
    textOnly.fields = {rfText};
    textOnly.rd = dColon;
    ASSERT_TRUE(save(subs, dir.path(QStringLiteral("t.txt")), textOnly));
    EXPECT_EQ(dir.read(QStringLiteral("t.txt")), QByteArray("a b:c"));
}

TEST(RawText, ASaveWhoseTextsWouldReadBackSplitWritesNothing) {
    struct Case {
        const char* what;
        Layout layout;
        std::vector<QString> texts;
        QString message; // empty: written, and it reads back the same
    };
    Layout textFirst;
    textFirst.fields = {rfText, rfTimeIn, rfTimeOut};
    textFirst.fd = dComma;
    textFirst.rd = dSemicolon;
    Layout otherRecords;
    otherRecords.rd = dOther;
    otherRecords.otherRd = QStringLiteral("x");
    Layout doubleColon;
    doubleColon.fields = {rfText, rfTimeIn};
    doubleColon.fd = dOther;
    doubleColon.otherFd = QStringLiteral("::");
    Layout commaFields;
    commaFields.fd = dComma;
    const std::vector<Case> cases = {
        {"the field delimiter in a text before other fields",
         textFirst,
         {QStringLiteral("fine"), QStringLiteral("Hello, world; bye")},
         QStringLiteral("The text of subtitle 1 holds the field delimiter \",\", so the file would not read back as "
                        "written. Nothing was saved: please choose other delimiters.")},
        {"the record delimiter in the last field, in another case",
         otherRecords,
         {QStringLiteral("aXb")},
         QStringLiteral("subtitle 0 holds the line delimiter \"x\"")},
        {"a text whose end and the delimiter spell it", doubleColon, {QStringLiteral("a:")}, QStringLiteral("\"::\"")},
        {"the field delimiter in the last field", commaFields, {QStringLiteral("Hello, world")}, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString path = dir.write(QStringLiteral("out.txt"), "old");
        clsSubs subs;
        for (size_t i = 0; i < c.texts.size(); ++i) subs.AddSub(c.texts[i], qint32(i) * 1000, qint32(i) * 1000 + 500);
        const std::vector<std::string> before = entries(subs);
        Boxes().reset();
        if (c.message.isEmpty()) {
            ASSERT_TRUE(save(subs, path, c.layout));
            ASSERT_TRUE(load(subs, path, c.layout));
            EXPECT_EQ(entries(subs), before);
            continue;
        }
        Boxes().expect(vb::OK, c.message);
        EXPECT_FALSE(save(subs, path, c.layout));
        EXPECT_EQ(dir.read(QStringLiteral("out.txt")), QByteArray("old"));
        EXPECT_EQ(Boxes().shown.size(), 1u);
        for (const ShownBox& b : Boxes().shown) {
            EXPECT_EQ(b.flags, vb::Exclamation);
            EXPECT_EQ(b.title, QStringLiteral("Error"));
        }
    }
}

TEST(RawTextForm, ButtonsMoveTheSelectedFieldOnly) {
    clsFileRAWFrm1 f;
    f.show();
    auto names = [](QListWidget* l) {
        QStringList s;
        for (int i = 0; i < l->count(); ++i)
            s << l->item(i)->text() + QString::number(l->item(i)->data(Qt::UserRole).toInt());
        return s.join(u',');
    };
    EXPECT_EQ(names(f.lstSel), QStringLiteral("Time In0,Time Out1,Text2"));
    EXPECT_EQ(names(f.lstFields), QString());
    // Nothing selected: nothing moves.
    for (QPushButton* b : {f.btAdd, f.btRemove, f.btMoveUp, f.btMoveDown}) QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(names(f.lstSel), QStringLiteral("Time In0,Time Out1,Text2"));

    f.lstSel->setCurrentRow(2);
    QTest::mouseClick(f.btMoveUp, Qt::LeftButton);
    QTest::mouseClick(f.btMoveUp, Qt::LeftButton);
    QTest::mouseClick(f.btMoveUp, Qt::LeftButton); // not past the top
    EXPECT_EQ(names(f.lstSel), QStringLiteral("Text2,Time In0,Time Out1"));
    EXPECT_EQ(f.lstSel->currentRow(), 0);
    QTest::mouseClick(f.btMoveDown, Qt::LeftButton);
    EXPECT_EQ(names(f.lstSel), QStringLiteral("Time In0,Text2,Time Out1"));
    EXPECT_TRUE(f.lstSel->item(1)->isSelected());
    QTest::mouseClick(f.btRemove, Qt::LeftButton);
    EXPECT_EQ(names(f.lstSel), QStringLiteral("Time In0,Time Out1"));
    EXPECT_EQ(names(f.lstFields), QStringLiteral("Text2"));
    f.lstFields->setCurrentRow(0);
    QTest::mouseClick(f.btAdd, Qt::LeftButton);
    EXPECT_EQ(names(f.lstSel), QStringLiteral("Time In0,Time Out1,Text2"));
    EXPECT_EQ((std::vector<RawField>{rfTimeIn, rfTimeOut, rfText}), f.fields());

    EXPECT_TRUE(f.optDel[5]->isChecked());
    EXPECT_TRUE(f.optDel[7]->isChecked());
    QTest::keyClicks(f.txtDel[1], QStringLiteral("@"));
    EXPECT_TRUE(f.optDel[8]->isChecked());
    EXPECT_TRUE(f.optDel[5]->isChecked()); // the other group keeps its choice
    EXPECT_EQ(f.RecordDelimiter(), QStringLiteral("@"));
    EXPECT_EQ(f.FieldDelimiter(), QStringLiteral("\t"));
}

TEST(RawTextForm, ThePreviewTellsOffFromTheEleventhClick) {
    clsFileRAWFrm1 f;
    f.show();
    auto redPixels = [&] {
        const QImage img = f.prev->grab().toImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                n += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        return n;
    };
    for (int i = 0; i < 10; ++i) QTest::mouseClick(f.prev, Qt::LeftButton);
    EXPECT_EQ(redPixels(), 0);
    QTest::mouseClick(f.prev, Qt::LeftButton);
    EXPECT_GT(redPixels(), 50);
    clickOption(f.optDel[0]); // a layout change shows the samples again
    EXPECT_EQ(redPixels(), 0);
}
