// The stretch tool: its dialog on the main window's four markers, its wizard on markers of its
// own, and the checks before the document is re-timed.
#include "tests/tools/ToolFixture.h"
#include "tools/TimingRuns.h"
#include "tools/frmStretch.h"
#include "tools/frmSubSelector.h"
#include "tools/wzStretch.h"
#include "visual/frmTimeSelector.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
struct StretchDialog : ToolFixture {
    frmStretch f{&host};
    explicit StretchDialog(int count) : ToolFixture(count) {
        f.SetStructs(&subs, &cTime, &cSel, &cMarkS1, &cMarkT1, &cMarkS2, &cMarkT2);
    }
    void marks(int s1, qint32 t1, int s2, qint32 t2) {
        cMarkS1.setValue(s1);
        cMarkT1.setValue(t1);
        cMarkS2.setValue(s2);
        cMarkT2.setValue(t2);
    }
};

struct StretchWizard : ToolFixture {
    wzStretch w{&host};
    StretchWizard(int count, int s1, int s2, qint32 t1, qint32 t2, const QString& video = QString())
        : ToolFixture(count) {
        host.video = video;
        w.SetSubs(&subs, s1, s2, t1, t2);
        activate(&w);
    }
    QString text(int page) { return w.findChild<QLabel*>(QStringLiteral("lbText_%1_0").arg(page))->text(); }
    void next() { click(w.btNext); }
};

const QString kFirstFile =
    QStringLiteral("Choose a subtitle to be used as a first marker.  Choose one near the beginning of the file.  It is "
                   "recom-\r\nmended to select one which is clearly spoken out loud in the movie.");
const QString kFirstSelection = QStringLiteral(
    "Choose a subtitle to be used as a first marker.  Choose one near the beginning of the selection.  It is "
    "recommended to select one which is clearly spoken out loud in the movie.");
} // namespace

TEST(StretchDialog, MarkerGroupsMirrorTheirOwnMarkers) {
    StretchDialog d(10);
    EXPECT_EQ(d.f.windowTitle(), QStringLiteral("Time Stretch"));
    EXPECT_EQ(d.f.btOk->text(), QStringLiteral("&Stretch"));
    EXPECT_EQ(d.f.frMarkSub[1]->title(), QStringLiteral("Marked Sub 2"));
    EXPECT_EQ(d.f.frMarkTime[0]->title(), QStringLiteral("Marked Time 1"));
    d.marks(2, 5000, 7, 9000);
    EXPECT_EQ(d.f.txtMarkerSub[0]->text(), QStringLiteral("2"));
    EXPECT_EQ(d.f.txtMarkerSub[1]->text(), QStringLiteral("7"));
    EXPECT_EQ(d.f.txtMarkerTime[0]->lTime(), 5000);
    EXPECT_EQ(d.f.txtMarkerTime[1]->lTime(), 9000);

    d.f.show();
    d.cSel.setValue(5);
    d.cTime.setValue(4321);
    ToolFixture::click(d.f.btMarkCurrentSub[1]);
    EXPECT_EQ(d.cMarkS2.value(), 5);
    EXPECT_EQ(d.cMarkS1.value(), 2);
    ToolFixture::click(d.f.btUseTime[1]);
    EXPECT_EQ(d.cMarkT2.value(), 51000);
    EXPECT_EQ(d.cMarkT1.value(), 5000);
    ToolFixture::click(d.f.btMarkCurrentTime[0]);
    EXPECT_EQ(d.cMarkT1.value(), 4321);
    ToolFixture::click(d.f.GotoTime[1]);
    EXPECT_EQ(d.cTime.value(), 51000);
    ToolFixture::click(d.f.GotoSub[0]);
    EXPECT_EQ(d.cSel.value(), 2);

    // The second field checks its number against the list as well.
    ToolFixture::activate(&d.f);
    Boxes().expect(vb::OK, QStringLiteral("Please insert a value from 0 to 9."));
    ToolFixture::type(d.f.txtMarkerSub[1], QStringLiteral("10"));
    QTest::keyClick(d.f.txtMarkerSub[1], Qt::Key_Return);
    EXPECT_EQ(d.cMarkS2.value(), 5);
    ToolFixture::type(d.f.txtMarkerSub[1], QStringLiteral("8.5"));
    QTest::keyClick(d.f.txtMarkerSub[1], Qt::Key_Return);
    EXPECT_EQ(d.cMarkS2.value(), 8);
}

TEST(StretchDialog, ChecksRunInOrderAndStopAtTheFirst) {
    StretchDialog d(10);
    d.f.show();
    Boxes().expect(vb::OK);
    ToolFixture::click(d.f.btOk);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QStringLiteral("You didn't select a valid first sub marker."));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
    d.cMarkS1.setValue(1);
    Boxes().expect(vb::OK, QStringLiteral("You didn't select a valid second sub marker."));
    ToolFixture::click(d.f.btOk);
    EXPECT_TRUE(d.f.isVisible());

    // Time markers below zero can only come from elsewhere; they are refused in order too.
    const auto before = d.starts();
    Boxes().expect(vb::OK, QStringLiteral("You didn't select a valid first time marker."));
    EXPECT_FALSE(RunStretch(d.host, d.subs, 1, 2, -1, -1, false));
    Boxes().expect(vb::OK, QStringLiteral("You didn't select a valid second time marker."));
    EXPECT_FALSE(RunStretch(d.host, d.subs, 1, 2, 0, -1, false));
    // A marker beyond a list that became shorter is refused.
    Boxes().expect(vb::OK, QStringLiteral("You didn't select a valid second sub marker."));
    EXPECT_FALSE(RunStretch(d.host, d.subs, 1, 10, 0, 0, false));
    EXPECT_EQ(d.starts(), before);
}

TEST(StretchDialog, StretchesTheFileOrTheSelection) {
    StretchDialog d(10);
    d.f.show();
    d.marks(1, 12000, 8, 96000);
    ToolFixture::click(d.f.btOk);
    EXPECT_FALSE(d.f.isVisible());
    EXPECT_EQ(d.subs.SubTimeIn(0), 0);
    EXPECT_EQ(d.subs.SubTimeOut(0), 2400);
    EXPECT_EQ(d.subs.SubTimeIn(1), 12000);
    EXPECT_EQ(d.subs.SubTimeIn(8), 96000);
    EXPECT_EQ(d.subs.SubTimeIn(9), 108000);

    StretchDialog e(10);
    e.f.show();
    e.marks(1, 12000, 8, 96000);
    e.f.chSel->setChecked(true);
    Boxes().expect(vb::OK, QStringLiteral("No selection was made"));
    ToolFixture::click(e.f.btOk);
    EXPECT_TRUE(e.f.isVisible());
    e.host.selA = 2;
    e.host.selB = 3;
    ToolFixture::click(e.f.btOk);
    EXPECT_FALSE(e.f.isVisible());
    EXPECT_EQ(e.subs.SubTimeIn(1), 11000);
    EXPECT_EQ(e.subs.SubTimeIn(2), 24000);
    EXPECT_EQ(e.subs.SubTimeIn(3), 36000);
    EXPECT_EQ(e.subs.SubTimeIn(4), 41000);
}

TEST(StretchDialog, MarkersStartingTogetherAreRefusedAndChangeNothing) {
    StretchDialog d(10);
    d.subs.setSubTimeIn(6, d.subs.SubTimeIn(2));
    d.f.show();
    d.marks(2, 5000, 6, 70000);
    const auto before = d.starts();
    Boxes().expect(vb::OK, QStringLiteral("start at the same time"));
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(d.starts(), before);
    EXPECT_TRUE(d.f.isVisible());
}

TEST(StretchDialog, AStretchThatWouldReverseOrSqueezeTheListIsRefused) {
    StretchDialog d(10);
    d.f.show();
    const auto before = d.starts();
    auto refused = [&d, &before](const QString& text) {
        Boxes().expect(vb::OK, text);
        ToolFixture::click(d.f.btOk);
        EXPECT_EQ(d.starts(), before);
        ASSERT_FALSE(Boxes().shown.empty());
        EXPECT_EQ(Boxes().shown.back().flags, vb::OKOnly);
        EXPECT_TRUE(d.f.isVisible());
    };
    const QString order = QStringLiteral("must differ and lie in the same order");
    // "Marked Time 2" left at 00:00:00.000 would turn the file round.
    d.marks(2, 5000, 6, 0);
    refused(order);
    d.marks(2, 5000, 6, 5000);
    refused(order);
    d.marks(6, 70000, 2, 80000);
    refused(order);
    d.marks(4, 5000, 4, 70000);
    refused(QStringLiteral("Both sub markers are the same subtitle."));
    // Subtitle 0 (1 s) would go before the start.
    d.marks(2, 100, 6, 80000);
    refused(QStringLiteral("The new times would lie before 00:00:00.000."));
    EXPECT_EQ(Boxes().shown.size(), 5u);

    d.marks(6, 78000, 2, 30000); // marked the other way round, in order
    ToolFixture::click(d.f.btOk);
    EXPECT_FALSE(d.f.isVisible());
    EXPECT_EQ(d.subs.SubTimeIn(0), 6000);
    EXPECT_EQ(d.subs.SubTimeIn(2), 30000);
    EXPECT_EQ(d.subs.SubTimeIn(6), 78000);
}

TEST(StretchWizard, SeedsItsOwnMarkersAndPickersWithoutAVideo) {
    StretchWizard z(10, 1, 8, 12000, 96000);
    EXPECT_EQ(z.w.windowTitle(), QStringLiteral("Stretch Timing Wizard"));
    EXPECT_EQ(z.w.LastPage(), 6);
    EXPECT_EQ(z.w.txtFakeCombo->text(), QStringLiteral("1"));
    EXPECT_EQ(z.w.txtFakeCombo3->text(), QStringLiteral("8"));
    EXPECT_EQ(z.w.txtFakeCombo2->lTime(), 12000);
    EXPECT_EQ(z.w.txtFakeCombo4->lTime(), 96000);
    EXPECT_EQ(z.w.TimeSelector[0]->lbCap->text(), QStringLiteral("Line 1"));
    EXPECT_EQ(z.w.TimeSelector[1]->lbCap->text(), QStringLiteral("Line 8"));
    EXPECT_FALSE(z.w.btFakeCombo2->isEnabled());
    EXPECT_FALSE(z.w.btFakeCombo4->isEnabled());
    EXPECT_TRUE(z.w.btFakeCombo->isEnabled());
    EXPECT_EQ(z.text(3), QStringLiteral("Enter the time in the textbox."));
    EXPECT_EQ(z.text(5), QStringLiteral("Enter the time in the textbox."));
    EXPECT_EQ(z.w.SubSelector[1]->Listing->NewLineChar(), QStringLiteral("|"));

    // Each picker sets its own marker.
    z.next();
    z.next();
    Forms().expect([](QDialog* f) {
        auto* p = qobject_cast<frmSubSelector*>(f);
        ToolFixture::clickRow(p->Listing, 3);
        p->close();
    });
    ToolFixture::click(z.w.btFakeCombo);
    EXPECT_EQ(z.w.cSelSM1->value(), 3);
    EXPECT_EQ(z.w.cSelSM2->value(), 8);
    EXPECT_EQ(z.w.TimeSelector[0]->lbCap->text(), QStringLiteral("Line 3"));
    z.next();
    z.next();
    Forms().expect([](QDialog* f) {
        auto* p = qobject_cast<frmSubSelector*>(f);
        ToolFixture::clickRow(p->Listing, 6);
        ToolFixture::click(p->btOk);
    });
    ToolFixture::click(z.w.btFakeCombo3);
    EXPECT_EQ(z.w.cSelSM1->value(), 3);
    EXPECT_EQ(z.w.cSelSM2->value(), 6);
    EXPECT_EQ(z.w.txtFakeCombo3->text(), QStringLiteral("6"));
    EXPECT_EQ(z.cMarkS1.value(), -2);
    EXPECT_EQ(z.cMarkS2.value(), -2);
}

TEST(StretchWizard, SubMarkerTextsFollowTheRangeOnEveryEntry) {
    StretchWizard z(10, -2, -2, 0, 0);
    z.host.selA = 2;
    z.host.selB = 7;
    z.next();
    z.next();
    EXPECT_EQ(z.text(2), kFirstFile);
    EXPECT_TRUE(
        z.w.SubSelector[0]->lbInfo->text().endsWith(QStringLiteral("It is recommended to select one which "
                                                                   "is clearly spoken out loud in the movie.")));
    EXPECT_TRUE(z.w.SubSelector[0]->lbInfo->text().contains(QStringLiteral("beginning of the file")));
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFakeCombo);
    // An empty field can't be left, not even backwards.
    Boxes().expect(vb::OK, QStringLiteral("Please insert a value from 0 to 9."));
    ToolFixture::click(z.w.btPrev);
    EXPECT_EQ(z.w.CurrentPage(), 2);
    QTest::keyClicks(z.w.txtFakeCombo, QStringLiteral("2"));
    ToolFixture::click(z.w.btPrev);
    EXPECT_EQ(z.w.CurrentPage(), 1);
    ToolFixture::click(z.w.chSelection);
    z.next();
    EXPECT_EQ(z.text(2), kFirstSelection);
    EXPECT_EQ(z.w.SubSelector[0]->lbInfo->text(), kFirstSelection);
    z.next();
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFakeCombo2->txtHr);
    z.next();
    EXPECT_TRUE(z.text(4).contains(QStringLiteral("near the end of the selection")));
    EXPECT_TRUE(z.w.SubSelector[1]->lbInfo->text().contains(QStringLiteral("near the end of the selection")));
}

TEST(StretchWizard, FullWalkStretchesTheSelection) {
    StretchWizard z(10, -2, -2, 0, 0, QStringLiteral("/videos/film.mkv"));
    EXPECT_TRUE(z.w.btFakeCombo2->isEnabled());
    EXPECT_EQ(z.text(3), QStringLiteral("Enter the exact time the selected subtitle is said in the movie."));
    z.host.selA = 2;
    z.host.selB = 3;
    z.next();
    ToolFixture::click(z.w.chSelection);
    z.next();
    QTest::keyClicks(z.w.txtFakeCombo, QStringLiteral("1"));
    z.next();
    ToolFixture::typeTime(z.w.txtFakeCombo2, {"00", "00", "12"});
    z.next();
    QTest::keyClicks(z.w.txtFakeCombo3, QStringLiteral("8"));
    z.next();
    // The second time comes from its picker: the fake video is a minute long.
    Forms().expect([](QDialog* f) {
        auto* p = qobject_cast<frmTimeSelector*>(f);
        // The third millisecond digit commits without a change of focus.
        ToolFixture::typeTime(p->txtSelTime, {"00", "01", "36", "000"});
        ToolFixture::click(p->btOk);
    });
    ToolFixture::click(z.w.btFakeCombo4);
    EXPECT_EQ(z.w.cSelTM2->value(), 60000);
    EXPECT_EQ(z.w.txtFakeCombo4->lTime(), 60000);
    ToolFixture::typeTime(z.w.txtFakeCombo4, {"00", "02", "00"});
    EXPECT_EQ(z.w.cSelTM2->value(), 60000);
    EXPECT_EQ(z.w.txtFakeCombo4->lTime(), 60000);
    z.w.cSelTM2->setMax(1073741824);
    ToolFixture::typeTime(z.w.txtFakeCombo4, {"00", "01", "36"});
    EXPECT_EQ(z.w.cSelTM2->value(), 96000);
    z.next();
    EXPECT_EQ(z.w.CurrentPage(), 6);
    z.next();
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_EQ(z.subs.SubTimeIn(1), 11000);
    EXPECT_EQ(z.subs.SubTimeIn(2), 24000);
    EXPECT_EQ(z.subs.SubTimeIn(3), 36000);
    EXPECT_TRUE(z.w.TimeSelector[1].isNull());
}
