#include "mainwin/ShowProps.h"
#include "mainwin/frmAbout.h"
#include "mainwin/frmLegend.h"
#include "mainwin/frmProps.h"
#include "model/clsSubs.h"
#include "tests/controls/TimeBarFixture.h"
#include "tests/support/Scripted.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Runs ShowProps and hands back the captions the window showed, then presses its OK.
QMap<QString, QString> shownProps(const PropsFigures& d, QPointer<QDialog>* form = nullptr) {
    QMap<QString, QString> texts;
    Forms().expect([&](QDialog* f) {
        texts[QStringLiteral("caption")] = f->windowTitle();
        for (QLabel* l : f->findChildren<QLabel*>()) texts[l->objectName()] = l->text();
        if (form) *form = f;
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        EXPECT_FALSE(f->isVisible());
    });
    ShowProps(nullptr, d);
    EXPECT_EQ(Forms().shown, QStringList{QStringLiteral("frmProps")});
    Forms().shown.clear();
    return texts;
}
} // namespace

TEST(PropertiesWindow, FiguresOfTheDocumentAndTheMarkers) {
    clsSubs subs;
    subs.AddSub(QStringLiteral("a"), 1000, 2000);
    subs.AddSub(QStringLiteral("b"), 1500, 3000); // overlaps the first: both are bad
    subs.AddSub(QStringLiteral("c"), 4000, 5000);
    subs.AddSub(QStringLiteral("d"), 6000, 3723004);
    PropsFigures d;
    d.subs = &subs;
    d.file = QStringLiteral("/home/ann/films/My film.srt");
    d.time = 61234;
    d.sel = 2;
    d.selRange = QStringLiteral("1 - 3");
    d.markS = 0;
    d.markS1 = 3;
    d.markT = 5000;
    d.markT2 = 90000;
    QPointer<QDialog> form;
    const auto t = shownProps(d, &form);
    EXPECT_EQ(t["caption"], QStringLiteral("My film.srt - Properties"));
    EXPECT_EQ(t["lbFileName"], QStringLiteral("Filename : My film.srt"));
    EXPECT_EQ(t["lbFilePath"], QStringLiteral("Path : /home/ann/films/"));
    EXPECT_EQ(t["lbSubCount"], QStringLiteral("Subtitle count : 4"));
    EXPECT_EQ(t["lbDuration"], QStringLiteral("Total sub duration : 01:02:03.004"));
    EXPECT_EQ(t["lbBadCount"], QStringLiteral("Incorrect subtitle count : 2"));
    EXPECT_EQ(t["lbCTime"], QStringLiteral("Current time : 00:01:01.234"));
    EXPECT_EQ(t["lbCSub"], QStringLiteral("Current sub : 2"));
    EXPECT_EQ(t["lbSel"], QStringLiteral("Selected subs : 1 - 3"));
    EXPECT_EQ(t["lbSMT"], QStringLiteral("Shift Marker Time :00:00:05.000"));
    EXPECT_EQ(t["lbSMS"], QStringLiteral("Shift Marker Sub : 0"));
    EXPECT_EQ(t["lbSMT1"], QStringLiteral("Stretch Marker 1 Time : None"));
    EXPECT_EQ(t["lbSMS1"], QStringLiteral("Stretch Marker 1 Sub : 3"));
    EXPECT_EQ(t["lbSMT2"], QStringLiteral("Stretch Marker 2 Time :00:01:30.000"));
    EXPECT_EQ(t["lbSMS2"], QStringLiteral("Stretch Marker 2 Sub : None"));
    // OK unloads the window.
    EXPECT_TRUE(form.isNull());
}

TEST(PropertiesWindow, UntitledEmptyDocumentAndAFreshWindowEachTime) {
    clsSubs subs;
    PropsFigures d;
    d.subs = &subs;
    for (int showing = 0; showing < 2; ++showing) {
        const auto t = shownProps(d);
        EXPECT_EQ(t["caption"], QStringLiteral("Untitled - Properties"));
        EXPECT_EQ(t["lbFileName"], QStringLiteral("Filename : "));
        EXPECT_EQ(t["lbFilePath"], QStringLiteral("Path : "));
        EXPECT_EQ(t["lbSubCount"], QStringLiteral("Subtitle count : 0"));
        EXPECT_EQ(t["lbDuration"], QStringLiteral("Total sub duration : 00:00:00.000"));
        EXPECT_EQ(t["lbBadCount"], QStringLiteral("Incorrect subtitle count : 0"));
        EXPECT_EQ(t["lbCSub"], QStringLiteral("Current sub : None"));
        EXPECT_EQ(t["lbSel"], QStringLiteral("Selected subs : "));
        EXPECT_EQ(t["lbSMT"], QStringLiteral("Shift Marker Time : None"));
    }
}

TEST(AboutWindow, LinksOpenThroughTheShellAndOkKeepsItLoaded) {
    frmAbout about;
    // A link that can't be opened says so, and the window stays.
    FakeDesk().shellResult = 31;
    Boxes().expect(vb::OK, QStringLiteral("could not find a file association for mailto:"));
    Boxes().expect(vb::OK, QStringLiteral("could not find a file association for https:"));
    Forms().expect([&](QDialog* f) {
        ASSERT_EQ(f, &about);
        QTest::mouseClick(about.Label3, Qt::LeftButton);
        QTest::mouseClick(about.Label5, Qt::LeftButton);
        QTest::mouseClick(about.lblTitle, Qt::LeftButton);
        QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    });
    about.show();
    ShowModal(&about);
    EXPECT_EQ(FakeDesk().opened, (QStringList{QStringLiteral("mailto:lumerin@users.sourceforge.net"),
                                              QStringLiteral("https://lumerin.sourceforge.io/")}));
    ASSERT_EQ(Boxes().shown.size(), 2u);
    EXPECT_EQ(Boxes().shown[1].title, QStringLiteral("Browser Unavailable"));
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(about.Label3->text().contains(frmAbout::MailAddress));
    EXPECT_TRUE(about.Label5->text().contains(frmAbout::WebAddress));
}

// The legend is drawn in the colours of the time line: each key is compared with what the time
// line paints for the same state.
class LegendKeys : public TimeBarTest {};

TEST_F(LegendKeys, DrawnInTheTimeLineColours) {
    frmLegend legend;
    EXPECT_EQ(legend.windowTitle(), QStringLiteral("Color Legend"));
    EXPECT_EQ(legend.lblMarker[0]->text(), QStringLiteral("Current Time in movie"));
    EXPECT_EQ(legend.lblSub[6]->text(), QStringLiteral("Shift Marker sub"));

    // Boxes, 2 s long, 3 s apart (60 px apart at 50 ms a pixel): regular, bad (two
    // overlapping), selected range, current, then the three subtitle markers.
    add(1000, 3000);
    add(4000, 6000);
    add(5000, 7000);
    add(8000, 10000);
    add(11000, 13000);
    add(14000, 16000);
    add(17000, 19000);
    add(20000, 22000);
    add(23000, 25000);
    selA.setValue(3);
    selB.setValue(4);
    sel.setValue(5);
    ms1.setValue(6);
    ms2.setValue(7);
    ms.setValue(8);
    // Lines: play position, end of movie, stretch 1, stretch 2, shift.
    bar->lCurrentPosition = 30000;
    bar->setMovieTime(32000);
    mt1.setValue(34000);
    mt2.setValue(36000);
    mt.setValue(38000);
    bar->Redraw();

    auto key = [](QLabel* l) { return l->pixmap().toImage(); };
    const int lineTimes[5] = {30000, 32000, 34000, 36000, 38000};
    for (int k = 0; k < 5; ++k) {
        const QImage img = key(legend.picMarker[k]);
        EXPECT_EQ(img.pixelColor(frmLegend::LineX, frmLegend::KeyHeight - 1), px(lineTimes[k] / 50, 50))
            << "line " << k;
        EXPECT_NE(img.pixelColor(frmLegend::LineX, frmLegend::KeyHeight - 1),
                  img.pixelColor(frmLegend::LineX + 6, frmLegend::KeyHeight - 1));
    }
    // Subtitle key k against entry: regular 0, bad 1, selected 3, current 5, stretch 1 6,
    // stretch 2 7, shift 8.
    const int entry[7] = {0, 1, 3, 5, 6, 7, 8};
    for (int k = 0; k < 7; ++k) {
        const int i = entry[k];
        const int x = subs.SubTimeIn(i) / 50, y = i % 2 ? 16 : 0;
        const QImage img = key(legend.picSub[k]);
        // Inside, bottom edge and top edge of the box; then the marker's flag.
        EXPECT_EQ(img.pixelColor(30, 9), px(x + 30, y + 8)) << "fill of key " << k;
        EXPECT_EQ(img.pixelColor(30, 16), px(x + 30, y + 15)) << "dark edge of key " << k;
        EXPECT_EQ(img.pixelColor(18, 1), px(x + 12, y)) << "light edge of key " << k;
        if (k >= 4) {
            EXPECT_EQ(img.pixelColor(6 + 3, 1 + 3), px(x + 3, y + 3)) << "flag of key " << k;
        }
    }
    // The keys differ where the states differ.
    EXPECT_NE(key(legend.picSub[0]).pixelColor(30, 9), key(legend.picSub[1]).pixelColor(30, 9));
    EXPECT_NE(key(legend.picSub[4]).pixelColor(9, 4), key(legend.picSub[6]).pixelColor(9, 4));

    Forms().expect([&](QDialog* f) {
        ASSERT_EQ(f, &legend);
        QTest::mouseClick(legend.btOk, Qt::LeftButton);
    });
    legend.show();
    ShowModal(&legend);
    EXPECT_FALSE(legend.isVisible());
}
