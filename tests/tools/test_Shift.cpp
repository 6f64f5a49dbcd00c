// The shift tool: its dialog on the main window's markers, its wizard on markers of its own, and
// the checks before the document is shifted.
#include "tests/support/FakePlayer.h"
#include "tests/tools/ToolFixture.h"
#include "tools/frmShift.h"
#include "tools/frmSubSelector.h"
#include "tools/wzShift.h"
#include "visual/frmTimeSelector.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
struct ShiftDialog : ToolFixture {
    frmShift f{&host};
    explicit ShiftDialog(int count) : ToolFixture(count) { f.SetStructs(&subs, &cTime, &cSel, &cMarkS, &cMarkT); }
};

struct ShiftWizard : ToolFixture {
    wzShift w{&host};
    explicit ShiftWizard(int count, int defSel = -2, qint32 defTime = 0, const QString& video = QString())
        : ToolFixture(count) {
        host.video = video;
        w.SetSubs(&subs, defSel, defTime);
        activate(&w);
    }
    QLabel* label(const char* name) { return w.findChild<QLabel*>(QString::fromLatin1(name)); }
};
} // namespace

TEST(ShiftDialog, FieldsMirrorTheMainWindowsMarkers) {
    ShiftDialog d(10);
    EXPECT_EQ(d.f.windowTitle(), QStringLiteral("Time Shift"));
    EXPECT_EQ(d.f.btOk->text(), QStringLiteral("&Shift"));
    EXPECT_EQ(d.f.txtMarkerSub->text(), QString());
    d.cMarkS.setValue(3);
    EXPECT_EQ(d.f.txtMarkerSub->text(), QStringLiteral("3"));
    d.cMarkS.setValue(-2);
    EXPECT_EQ(d.f.txtMarkerSub->text(), QString());
    d.cMarkT.setValue(61500);
    EXPECT_EQ(d.f.txtMarkerTime->lTime(), 61500);

    ToolFixture::activate(&d.f);
    ToolFixture::typeTime(d.f.txtMarkerTime, {"00", "02", "03", "004"});
    EXPECT_EQ(d.cMarkT.value(), 123004);
}

TEST(ShiftDialog, NumberCheckOnEnterAndOnLeaving) {
    ShiftDialog d(10);
    ToolFixture::activate(&d.f);
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("3.6"));
    QTest::keyClick(d.f.txtMarkerSub, Qt::Key_Return);
    EXPECT_EQ(d.cMarkS.value(), 4);
    EXPECT_EQ(d.f.txtMarkerSub->text(), QStringLiteral("4"));
    EXPECT_TRUE(d.f.isVisible()); // Enter does not shift

    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("abc"));
    QTest::keyClick(d.f.txtMarkerSub, Qt::Key_Enter);
    EXPECT_EQ(d.cMarkS.value(), 0);

    Boxes().expect(vb::OK);
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("12 apples"));
    QTest::keyClick(d.f.txtMarkerSub, Qt::Key_Tab);
    ToolFixture::settle();
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QStringLiteral("Please insert a value from 0 to 9."));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly | vb::Exclamation);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Incorrect Value"));
    EXPECT_EQ(d.f.focusWidget(), d.f.txtMarkerSub);
    EXPECT_EQ(d.f.txtMarkerSub->selectedText(), QStringLiteral("12"));
    EXPECT_EQ(d.cMarkS.value(), 0);

    // The refused text is checked again before a button uses the marker.
    Boxes().expect(vb::OK);
    ToolFixture::click(d.f.GotoSub);
    EXPECT_EQ(Boxes().shown.size(), 2u);
    EXPECT_TRUE(d.host.calls.isEmpty());

    // An untouched field showing an unset marker lets the focus go.
    d.cMarkS.setValue(-2);
    d.f.txtMarkerSub->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(d.f.txtMarkerSub, Qt::Key_Tab);
    ToolFixture::settle();
    EXPECT_EQ(Boxes().shown.size(), 2u);
}

TEST(ShiftDialog, EmptyListRefusesEveryNumber) {
    ShiftDialog d(0);
    ToolFixture::activate(&d.f);
    Boxes().expect(vb::OK);
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("0"));
    QTest::keyClick(d.f.txtMarkerSub, Qt::Key_Return);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QStringLiteral("Please insert a value from 0 to-1."));
    EXPECT_EQ(d.cMarkS.value(), -2);
}

TEST(ShiftDialog, MarkerButtons) {
    ShiftDialog d(10);
    d.f.show();
    d.cSel.setValue(6);
    d.cTime.setValue(99000);
    ToolFixture::click(d.f.btUseTime); // no sub marker: nothing
    EXPECT_EQ(d.cMarkT.value(), 0);
    ToolFixture::click(d.f.btMarkCurrentSub);
    EXPECT_EQ(d.cMarkS.value(), 6);
    ToolFixture::click(d.f.btMarkCurrentTime);
    EXPECT_EQ(d.cMarkT.value(), 99000);
    ToolFixture::click(d.f.btUseTime);
    EXPECT_EQ(d.cMarkT.value(), 61000);
    EXPECT_EQ(d.f.txtMarkerTime->lTime(), 61000);

    d.cSel.setValue(1);
    ToolFixture::click(d.f.GotoSub);
    EXPECT_EQ(d.cSel.value(), 6);
    ToolFixture::click(d.f.GotoTime);
    EXPECT_EQ(d.cTime.value(), 61000);
    EXPECT_EQ(d.host.calls, (QStringList{"ShowMain", "BringVisualForward"}));
}

TEST(ShiftDialog, ShiftChecksTheMarkersAndTheRange) {
    ShiftDialog d(10);
    d.f.show();
    const auto before = d.starts();
    Boxes().expect(vb::OK);
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(Boxes().shown.back().text, QStringLiteral("You didn't select a valid sub marker."));
    EXPECT_EQ(Boxes().shown.back().flags, vb::OKOnly);
    EXPECT_EQ(Boxes().shown.back().title, AppTitle());

    d.cMarkS.setValue(3);
    d.cMarkT.setValue(35000);
    d.f.chSel->setChecked(true);
    d.host.selA = d.host.selB = 4; // one row is no selection
    Boxes().expect(vb::OK);
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(Boxes().shown.back().text, QStringLiteral("No selection was made"));
    EXPECT_EQ(d.starts(), before);
    EXPECT_TRUE(d.f.isVisible());

    // The marked subtitle lies outside the range; the offset still comes from it.
    d.host.selA = 5;
    d.host.selB = 7;
    ToolFixture::click(d.f.btOk);
    EXPECT_FALSE(d.f.isVisible());
    auto after = before;
    for (int i = 5; i <= 7; ++i) after[i] += 4000;
    EXPECT_EQ(d.starts(), after);
    EXPECT_EQ(d.subs.SubTimeOut(7), 77000);
}

TEST(ShiftDialog, ShiftUsesWhatIsStillBeingTyped) {
    ShiftDialog d(10);
    ToolFixture::activate(&d.f);
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("0"));
    QTest::mouseClick(d.f.txtMarkerTime->txtSec, Qt::LeftButton);
    ToolFixture::settle();
    EXPECT_EQ(d.cMarkS.value(), 0);
    QTest::keyClicks(d.f.txtMarkerTime->txtSec, QStringLiteral("3"));
    // The caret is still in the time entry's seconds.
    EXPECT_EQ(d.cMarkT.value(), 0);
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(d.cMarkT.value(), 3000);
    EXPECT_FALSE(d.f.isVisible());
    EXPECT_EQ(d.subs.SubTimeIn(0), 3000);
    EXPECT_EQ(d.subs.SubTimeIn(1), 13000);
}

TEST(ShiftDialog, ShiftThatWouldLeaveTheTimeRangeChangesNothing) {
    ShiftDialog d(10);
    d.f.show();
    auto refused = [&d](int S, qint32 T, const QString& text) {
        d.cMarkS.setValue(S);
        d.cMarkT.setValue(T);
        const auto before = d.starts();
        const qint32 lastOut = d.subs.SubTimeOut(9);
        Boxes().expect(vb::OK, text);
        ToolFixture::click(d.f.btOk);
        EXPECT_EQ(d.starts(), before);
        EXPECT_EQ(d.subs.SubTimeOut(9), lastOut);
        ASSERT_FALSE(Boxes().shown.empty());
        EXPECT_EQ(Boxes().shown.back().flags, vb::OKOnly);
        EXPECT_TRUE(d.f.isVisible());
    };
    // Subtitle 3 (31 s) to 20 s would move subtitle 0 (1 s) to -10 s.
    refused(3, 20000, QStringLiteral("The new times would lie before 00:00:00.000.  Nothing was changed."));
    d.subs.setSubTimeOut(9, 2147483000);
    refused(0, 1000000, QStringLiteral("Nothing was changed."));
    EXPECT_EQ(Boxes().shown.size(), 2u);

    // The same shift of the rows from subtitle 2 to 8 stays in range.
    d.cMarkS.setValue(3);
    d.cMarkT.setValue(20000);
    d.f.chSel->setChecked(true);
    d.host.selA = 2;
    d.host.selB = 8;
    ToolFixture::click(d.f.btOk);
    EXPECT_FALSE(d.f.isVisible());
    EXPECT_EQ(d.subs.SubTimeIn(2), 10000);
    EXPECT_EQ(d.subs.SubTimeIn(0), 1000);
}

TEST(ShiftWizard, StartsFromTheMainWindowsValuesWithoutWritingThem) {
    ShiftWizard z(10, 4, 45000);
    EXPECT_EQ(z.w.windowTitle(), QStringLiteral("Shift Timing Wizard"));
    EXPECT_EQ(z.label("lbHead_0")->text(), QStringLiteral("Welcome to the time shifting wizard."));
    EXPECT_EQ(z.w.cSel->Min(), -2);
    EXPECT_EQ(z.w.cSel->Max(), 9);
    EXPECT_EQ(z.w.cSelT->Max(), 1073741824);
    EXPECT_EQ(z.w.txtFakeCombo->text(), QStringLiteral("4"));
    EXPECT_EQ(z.w.txtFakeCombo2->lTime(), 45000);
    EXPECT_EQ(z.w.TimeSelector->lbCap->text(), QStringLiteral("Line 4"));
    EXPECT_EQ(z.w.SubSelector->windowTitle(), QStringLiteral("Select Subtitle"));
    EXPECT_TRUE(
        z.w.SubSelector->lbInfo->text().startsWith(QStringLiteral("Select a subtitle to be used as a marker.")));
    EXPECT_EQ(z.w.TimeSelector->lbInfo->text(),
              QStringLiteral("Enter the exact time the selected subtitle is said in the movie."));
    // Without a video the time is typed.
    EXPECT_FALSE(z.w.btFakeCombo2->isEnabled());
    EXPECT_EQ(z.label("lbText_2_0")->text(), QStringLiteral("Enter the time in the textbox."));

    z.w.cSel->setValue(-2);
    EXPECT_EQ(z.w.txtFakeCombo->text(), QString());
    EXPECT_TRUE(z.w.TimeSelector->lbCap->isHidden());
    z.w.cSel->setValue(0);
    EXPECT_EQ(z.w.txtFakeCombo->text(), QStringLiteral("0"));
    EXPECT_EQ(z.cMarkS.value(), -2);
    EXPECT_EQ(z.cMarkT.value(), 0);
}

TEST(ShiftWizard, WalksThePagesAndShiftsTheFile) {
    ShiftWizard z(10);
    EXPECT_FALSE(z.w.btPrev->isEnabled());
    ToolFixture::click(z.w.btNext);
    EXPECT_EQ(z.w.CurrentPage(), 1);
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFakeCombo);
    // An empty field cannot be left.
    Boxes().expect(vb::OK, QStringLiteral("Please insert a value from 0 to 9."));
    ToolFixture::click(z.w.btNext);
    EXPECT_EQ(z.w.CurrentPage(), 1);
    QTest::keyClicks(z.w.txtFakeCombo, QStringLiteral("2"));
    ToolFixture::click(z.w.btNext);
    EXPECT_EQ(z.w.CurrentPage(), 2);
    EXPECT_EQ(z.w.cSel->value(), 2);
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFakeCombo2->txtHr);
    ToolFixture::typeTime(z.w.txtFakeCombo2, {"00", "00", "25"});
    EXPECT_EQ(z.w.cSelT->value(), 25000);
    ToolFixture::click(z.w.btNext);
    EXPECT_EQ(z.w.CurrentPage(), 3);
    EXPECT_TRUE(z.w.Label2->isHidden());
    // No selection in the main listing: only the whole file can be chosen.
    ToolFixture::click(z.w.chSelection);
    EXPECT_FALSE(z.w.Label2->isHidden());
    EXPECT_TRUE(z.w.chFile->isChecked());
    ToolFixture::click(z.w.btNext);
    EXPECT_EQ(z.w.btNext->text(), QStringLiteral("Finish"));
    const auto before = z.starts();
    ToolFixture::click(z.w.btNext);
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_TRUE(z.w.SubSelector.isNull());
    EXPECT_TRUE(z.w.TimeSelector.isNull());
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(z.starts()[i], before[i] + 4000);
    EXPECT_EQ(z.cMarkS.value(), -2);
}

TEST(ShiftWizard, ARefusedShiftStaysOnTheLastPage) {
    ShiftWizard z(10, 3, 30010);
    z.host.selA = 1;
    z.host.selB = 6;
    for (int i = 0; i < 3; ++i) ToolFixture::click(z.w.btNext);
    ASSERT_EQ(z.w.CurrentPage(), 3);
    ToolFixture::click(z.w.chSelection);
    EXPECT_TRUE(z.w.chSelection->isChecked());
    ToolFixture::click(z.w.btNext);
    z.host.selB = 1; // the selection went away meanwhile
    Boxes().expect(vb::OK, QStringLiteral("No selection was made"));
    ToolFixture::click(z.w.btNext);
    EXPECT_TRUE(z.w.isVisible());
    EXPECT_EQ(z.w.CurrentPage(), 4);
    z.host.selB = 6;
    ToolFixture::click(z.w.btNext);
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_EQ(z.subs.SubTimeIn(1), 10000 + 1000 - 31000 + 30010);
    EXPECT_EQ(z.subs.SubTimeIn(0), 1000);
    EXPECT_EQ(z.subs.SubTimeIn(7), 71000);
}

TEST(ShiftWizard, PickersSetTheWizardsMarkers) {
    ShiftWizard z(30, -2, 0, QStringLiteral("/videos/film.mkv"));
    ASSERT_TRUE(z.w.btFakeCombo2->isEnabled());
    EXPECT_EQ(z.label("lbText_2_0")->text(),
              QStringLiteral("Enter the exact time the selected subtitle is said in the movie."));
    auto* player = qobject_cast<FakePlayer*>(z.w.TimeSelector->Player);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->FileName(), QStringLiteral("/videos/film.mkv"));
    // The video is a minute long: the time marker can't go past it.
    EXPECT_EQ(z.w.cSelT->Max(), 60000);

    ToolFixture::click(z.w.btNext);
    Forms().expect([](QDialog* f) {
        auto* p = qobject_cast<frmSubSelector*>(f);
        ASSERT_NE(p, nullptr);
        ToolFixture::clickRow(p->Listing, 7);
        ToolFixture::click(p->btOk);
    });
    ToolFixture::click(z.w.btFakeCombo);
    EXPECT_EQ(z.w.cSel->value(), 7);
    EXPECT_EQ(z.w.txtFakeCombo->text(), QStringLiteral("7"));
    EXPECT_EQ(z.w.TimeSelector->lbCap->text(), QStringLiteral("Line 7"));
    EXPECT_EQ(z.cMarkS.value(), -2);

    ToolFixture::click(z.w.btNext);
    Forms().expect([](QDialog* f) {
        auto* p = qobject_cast<frmTimeSelector*>(f);
        ASSERT_NE(p, nullptr);
        p->findChild<QPushButton*>(QStringLiteral("btnSecF"))->click();
        p->btCurrent->click();
        p->close();
    });
    ToolFixture::click(z.w.btFakeCombo2);
    EXPECT_EQ(z.w.cSelT->value(), 100);
    EXPECT_EQ(z.w.txtFakeCombo2->lTime(), 100);
    EXPECT_EQ(Forms().shown, (QStringList{"frmSubSelector", "frmTimeSelector"}));
}
