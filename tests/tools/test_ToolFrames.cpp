// The shared frames of the tool windows: the dialog's help panel and buttons, the wizard's page
// walking, and the marker fields with the number check.
#include "controls/TimeText.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tests/support/Scripted.h"
#include "tests/tools/FakeToolHost.h"
#include "tools/MarkerFields.h"
#include "tools/ToolDialog.h"
#include "tools/ToolWizard.h"
#include "tools/frmSubSelector.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {
struct PlainDialog : ToolDialog {
    explicit PlainDialog(ToolHost* h) : ToolDialog(h, Tool::Stretch, 2955, 4920, 360) {
        SetHelp(QStringLiteral("How to"), QStringList(30, QStringLiteral("A long paragraph of help text that wraps.")));
    }
};

struct PlainWizard : ToolWizard {
    QStringList entered;
    int finishes = 0;
    bool finishResult = false;
    QPointer<frmSubSelector> picker;
    explicit PlainWizard(ToolHost* h) : ToolWizard(h, Tool::Merge, QStringLiteral("W"), QStringLiteral("Hi"), 3) {
        picker = new frmSubSelector(this);
        AddPicker(picker);
    }
    void PageEntry(int page) override { entered << QString::number(page); }
    bool Finish() override {
        ++finishes;
        return finishResult;
    }
};

void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
int px(int twips) { return qRound(twips / 15.0); }
} // namespace

TEST(ToolDialogFrame, HelpPanelSetsTheHeightAndKeepsTheButtonsAboveTheBottom) {
    FakeToolHost host;
    PlainDialog d(&host);
    d.show();
    EXPECT_FALSE(d.picHelp1->isVisible());
    EXPECT_EQ(d.height(), px(2955));
    for (QPushButton* b : {d.btOk, d.btWizard, d.btCancel}) EXPECT_EQ(b->y(), px(2955 - 860));
    click(d.chHelp);
    EXPECT_TRUE(d.picHelp1->isVisible());
    EXPECT_EQ(d.height(), px(4920));
    for (QPushButton* b : {d.btOk, d.btWizard, d.btCancel}) EXPECT_EQ(b->y(), px(4920 - 860));
    // The panel lies between the tool's controls and the buttons.
    EXPECT_GE(d.picHelp1->y(), d.ContentBottom());
    EXPECT_LT(d.picHelp1->geometry().bottom(), d.btOk->y());
    // The long text scrolls.
    ASSERT_GT(d.scrHelp->maximum(), 0);
    d.scrHelp->setValue(40);
    EXPECT_EQ(d.picHelp2->y(), -40);
    click(d.chHelp);
    EXPECT_FALSE(d.picHelp1->isVisible());
    EXPECT_EQ(d.height(), px(2955));
    EXPECT_EQ(d.btCancel->y(), px(2955 - 860));
}

TEST(ToolDialogFrame, ButtonsAndCloseBoxOnlyHide) {
    FakeToolHost host;
    PlainDialog d(&host);
    EXPECT_EQ(d.btWizard->text(), QStringLiteral("Wi&zard"));
    EXPECT_EQ(d.btWizard->toolTip(), QStringLiteral("Click here to use the wizard"));
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_TRUE(host.buttons[1]);
    d.close();
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(host.buttons[1]);

    d.show();
    click(d.btCancel);
    EXPECT_FALSE(d.isVisible());

    host.wizard[1] = false;
    d.show();
    click(d.btWizard);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(host.wizard[1]);
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("subSHWzStretch")});
}

TEST(ToolWizardFrame, WalksThePagesAndFinishesOnTheLast) {
    FakeToolHost host;
    PlainWizard w(&host);
    w.show();
    EXPECT_EQ(w.width(), 5550 / 15);
    EXPECT_EQ(w.picFrm[0]->x(), 120 / 15);
    EXPECT_EQ(w.CurrentPage(), 0);
    EXPECT_FALSE(w.btPrev->isEnabled());
    EXPECT_TRUE(w.picFrm[0]->isVisible());
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lbText_0_1"))->text(), ToolWizard::WelcomeText);

    click(w.btNext);
    click(w.btNext);
    EXPECT_EQ(w.CurrentPage(), 2);
    EXPECT_TRUE(w.picFrm[2]->isVisible());
    EXPECT_FALSE(w.picFrm[0]->isVisible());
    EXPECT_EQ(w.btNext->text(), QStringLiteral("Finish"));
    EXPECT_EQ(w.btNext->toolTip(), QStringLiteral("Click here to finish the process"));
    EXPECT_EQ(w.entered, (QStringList{"1", "2"}));

    // A refused run keeps the wizard on its last page.
    click(w.btNext);
    EXPECT_EQ(w.finishes, 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.CurrentPage(), 2);

    click(w.btPrev);
    EXPECT_EQ(w.CurrentPage(), 1);
    EXPECT_EQ(w.btNext->text(), QStringLiteral("Next >"));
    EXPECT_EQ(w.btNext->toolTip(), QStringLiteral("Click here to go to the next step."));
    click(w.btNext);

    w.finishResult = true;
    click(w.btNext);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.picker.isNull());
}

TEST(ToolWizardFrame, CancelAndManualUnloadThePickers) {
    FakeToolHost host;
    {
        PlainWizard w(&host);
        w.show();
        w.picker->show();
        click(w.btCancel);
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(w.picker.isNull());
        EXPECT_TRUE(host.wizard[3]);
    }
    {
        PlainWizard w(&host);
        w.show();
        click(w.btManual);
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(w.picker.isNull());
        EXPECT_FALSE(host.wizard[3]);
        EXPECT_EQ(host.calls, QStringList{QStringLiteral("ShowToolDialog Merge")});
    }
    {
        // The close box unloads as well; the picker's own close box only hides it.
        PlainWizard w(&host);
        w.show();
        w.picker->show();
        w.picker->close();
        EXPECT_FALSE(w.picker.isNull());
        EXPECT_FALSE(w.picker->isVisible());
        w.close();
        EXPECT_TRUE(w.picker.isNull());
    }
}
