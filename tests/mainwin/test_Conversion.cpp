// Converting through the main window: a SubRip file opened, saved as each format through Save As,
// and opened again keeps its entries within each format's precision.
#include "formats/FormatForm.h"
#include "mainwin/frmMain.h"
#include "model/clsSubs.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

void pressOk(QDialog* f) {
    auto* ok = f->findChild<QPushButton*>(QStringLiteral("btOk"));
    ASSERT_TRUE(ok) << f->objectName().toStdString();
    ok->click();
}

QByteArray sample() {
    QByteArray srt;
    for (int i = 0; i < 20; ++i) {
        const int in = 1000 + i * 2500 + (i % 7) * 10, out = in + 1700 + (i % 3) * 130;
        auto t = [](int ms) {
            return QStringLiteral("%1:%2:%3,%4")
                .arg(ms / 3600000, 2, 10, QChar(u'0'))
                .arg(ms / 60000 % 60, 2, 10, QChar(u'0'))
                .arg(ms / 1000 % 60, 2, 10, QChar(u'0'))
                .arg(ms % 1000, 3, 10, QChar(u'0'));
        };
        srt += QStringLiteral("%1\r\n%2 --> %3\r\nLine %1, first\r\nand second line\r\n\r\n")
                   .arg(i + 1)
                   .arg(t(in), t(out))
                   .toUtf8();
    }
    return srt;
}

struct Target {
    int filter; // 1-based, in the save dialog's list
    const char* name;
    qint32 precision; // ms
    bool formOnLoad;
};

void PrintTo(const Target& t, std::ostream* os) { *os << t.name << " (filter " << t.filter << ")"; }

class Conversion : public ::testing::TestWithParam<Target> {};

TEST_P(Conversion, RoundTripKeepsTheEntries) {
    const Target t = GetParam();
    TempDir dir;
    const QString source = dir.write(QStringLiteral("movie.srt"), sample());
    frmMain w;
    w.setSubFolder(dir.folder());
    Dialogs().expectOpen(source);
    w.mnuOpen->trigger();
    ASSERT_EQ(w.cSubs->count(), 20);
    std::vector<tSub> before;
    for (int i = 0; i < 20; ++i) before.push_back({w.cSubs->SubTimeIn(i), w.cSubs->SubTimeOut(i), w.cSubs->SubText(i)});

    const QString target = dir.path(QStringLiteral("converted.%1").arg(QString::fromLatin1(t.name)));
    Dialogs().expectSave(target, t.filter);
    Forms().expect(pressOk); // every format but SubRip shows its form before writing
    w.mnuSaveAs->trigger();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("converted.%1 - Lumerin").arg(QString::fromLatin1(t.name)));
    EXPECT_FALSE(w.bChanged);

    Dialogs().expectOpen(target);
    if (t.formOnLoad) Forms().expect(pressOk);
    w.mnuOpen->trigger();
    ASSERT_EQ(w.cSubs->count(), 20) << t.name;
    for (int i = 0; i < 20; ++i) {
        EXPECT_LE(std::abs(w.cSubs->SubTimeIn(i) - before[i].TimeIn), t.precision) << t.name << " entry " << i;
        EXPECT_LE(std::abs(w.cSubs->SubTimeOut(i) - before[i].TimeOut), t.precision) << t.name << " entry " << i;
        EXPECT_EQ(w.cSubs->SubText(i), before[i].Text) << t.name << " entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, Conversion,
                         ::testing::Values(Target{3, "smi", 0, true}, Target{4, "sub", 999, true},
                                           Target{5, "sub", 9, true}, Target{6, "txt", 17, true},
                                           Target{7, "ssa", 9, true}, Target{8, "txt", 0, true}),
                         [](const auto& info) { return std::string("filter") + std::to_string(info.param.filter); });

} // namespace
