#include "assoc/main.h"
#include "mainwin/Associate.h"
#include "platform/Registry.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

struct AssocTest : ::testing::Test {
    TempDir dir;
    void SetUp() override {
        SetRegistryPath(dir.path(S("registry")));
        SetAppTitle(S("lumassoc"));
    }
    void TearDown() override { SetRegistryPath(QString()); }
    static std::vector<int> selectedRows(QListWidget* l) {
        std::vector<int> rows;
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->isSelected()) rows.push_back(i);
        return rows;
    }
    static void clickRow(QListWidget* l, int row) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    static void foreign(const QString& ext, const QString& cls) {
        RegCreateKey(ext);
        RegSetDefaultValue(ext, cls);
    }
};
} // namespace

TEST_F(AssocTest, RemovalSwitchEndsWithoutAWindow) {
    // Nothing to remove: nothing is written.
    FakeDesk().command = S("-u");
    {
        assoc::main w;
        EXPECT_TRUE(w.Ended());
        EXPECT_FALSE(w.isVisible());
    }
    EXPECT_EQ(FakeDesk().exitCodes, std::vector<int>{0});
    EXPECT_FALSE(QFileInfo::exists(dir.path(S("registry"))));

    // The editor's associations go; another program's stays; backups come back.
    foreign(S(".Srt"), S("Player.Srt"));
    AssociateExt(S(".Srt"), S("/opt/lumerin/lumerin"), S("Lumerin.Srt"), S("Subtitle file"), S("i,1"));
    AssociateExt(S(".Txt"), S("/opt/lumerin/lumerin"), S("Lumerin.Txt"), S("Subtitle file"), S("i,6"));
    foreign(S(".Ssa"), S("Other.Ssa"));
    FakeDesk().exitCodes.clear();
    assoc::main w;
    EXPECT_TRUE(w.Ended());
    EXPECT_EQ(FakeDesk().exitCodes, std::vector<int>{0});
    EXPECT_EQ(GetKeyDefault(S(".Srt")), S("Player.Srt"));
    EXPECT_FALSE(RegKeyExists(S(".Txt")));
    EXPECT_FALSE(RegKeyExists(S("Lumerin.Srt")));
    EXPECT_EQ(GetKeyDefault(S(".Ssa")), S("Other.Ssa"));
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(AssocTest, TheWindowAssociatesItsChoiceWhenItCloses) {
    FakeDesk().command = S("\"/opt/lumerin\"");
    AssociateExt(S(".Txt"), S("/old/lumerin"), S("Lumerin.Txt"), S("Subtitle file"), S("i,6"));
    foreign(S(".Sub"), S("Player.Sub"));
    auto w = std::make_unique<assoc::main>();
    EXPECT_FALSE(w->Ended());
    EXPECT_EQ(w->windowTitle(), S("Set Associations"));
    // A fixed preselection: the registry is not asked.
    EXPECT_EQ(selectedRows(w->lstExt), (std::vector<int>{0, 1, 2, 3, 4}));
    w->show();
    clickRow(w->lstExt, 3); // unselect *.Sami
    EXPECT_FALSE(w->imgIcon[4]->isHidden());
    EXPECT_TRUE(w->imgIcon[0]->isHidden());
    EXPECT_TRUE(QFileInfo::exists(dir.path(S("registry")))); // untouched until the window closes
    EXPECT_FALSE(RegKeyExists(S(".Srt")));

    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    // The folder is the command line as it stands, quotes and all.
    EXPECT_EQ(GetOpenCommand(S(".Srt")), S("\"\"/opt/lumerin\"/lumerin\" \"%1\""));
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Ssa\\DefaultIcon")), S("\"/opt/lumerin\"/Vornel32.dll,5"));
    EXPECT_EQ(GetKeyDefault(S(".Sub\\lumiold")), S("Player.Sub"));
    EXPECT_FALSE(RegKeyExists(S(".Sami")));
    // The untouched *.Txt row was the editor's: closing removed it.
    EXPECT_FALSE(RegKeyExists(S(".Txt")));
    EXPECT_FALSE(RegKeyExists(S("Lumerin.Txt")));

    // Applied once only, even when the window is destroyed later.
    const QByteArray registry = dir.read(S("registry"));
    w.reset();
    EXPECT_EQ(dir.read(S("registry")), registry);
    EXPECT_TRUE(FakeDesk().exitCodes.empty());
}

TEST_F(AssocTest, CapitalSwitchIsAFolderAndTheCloseBoxApplies) {
    FakeDesk().command = S("-U");
    AssociateExt(S(".Srt"), S("/x/lumerin"), S("Lumerin.Srt"), S("Subtitle file"), S("i,1"));
    assoc::main w;
    EXPECT_FALSE(w.Ended());
    w.show();
    clickRow(w.lstExt, 0); // the editor's .Srt, unselected: removed without a backup
    clickRow(w.lstExt, 1);
    w.close();
    EXPECT_FALSE(RegKeyExists(S(".Srt")));
    EXPECT_FALSE(RegKeyExists(S(".Sub")));
    EXPECT_EQ(GetOpenCommand(S(".Smi")), S("\"-U/lumerin\" \"%1\""));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_TRUE(FakeDesk().exitCodes.empty());
}

TEST_F(AssocTest, FailedRemovalsAreToldUnderTheProgramsTitle) {
    FakeDesk().command = S("-u");
    AssociateExt(S(".Sub"), S("/x/lumerin"), S("Lumerin.Sub"), S("Subtitle file"), S("i,2"));
    RegCreateKey(S(".Sub\\OpenWithProgids"));
    Boxes().expect(vb::OK, S("Couldn't delete registry key. .Sub"));
    assoc::main w;
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, S("lumassoc"));
    EXPECT_FALSE(RegKeyExists(S("Lumerin.Sub")));
}
