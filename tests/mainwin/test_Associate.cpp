#include "mainwin/Associate.h"
#include "platform/Registry.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

struct AssociateTest : ::testing::Test {
    TempDir dir;
    void SetUp() override { SetRegistryPath(dir.path(S("registry"))); }
    void TearDown() override { SetRegistryPath(QString()); }
    QByteArray registryBytes() const { return dir.read(S("registry")); }
    void associate(const QString& ext, int icon) {
        AssociateExt(ext, S("/opt/Lumerin/lumerin"), S("Lumerin") + ext, S("Subtitle file"),
                     S("/opt/Lumerin/Vornel32.dll,") + QString::number(icon));
    }
    // Another program's association of ext.
    static void foreign(const QString& ext, const QString& cls, const QString& command) {
        RegCreateKey(ext);
        RegSetDefaultValue(ext, cls);
        RegCreateKey(cls + S("\\shell\\open\\command"));
        RegSetDefaultValue(cls + S("\\shell\\open\\command"), command);
    }
};
} // namespace

TEST_F(AssociateTest, NewExtensionGetsTheWholeLayoutAndLosesItAgain) {
    associate(S(".Srt"), 1);
    EXPECT_EQ(GetKeyDefault(S(".srt")), S("Lumerin.Srt"));
    EXPECT_FALSE(RegKeyExists(S(".Srt\\lumiold"))); // nothing to back up
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Srt")), S("Subtitle file"));
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Srt\\DefaultIcon")), S("/opt/Lumerin/Vornel32.dll,1"));
    EXPECT_TRUE(RegKeyExists(S("Lumerin.Srt\\shell\\open")));
    EXPECT_EQ(GetOpenCommand(S(".Srt")), S("\"/opt/Lumerin/lumerin\" \"%1\""));
    EXPECT_TRUE(IsEditorExt(S(".SRT")));

    UnassociateExt(S(".Srt"));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_FALSE(RegKeyExists(S(".Srt")));
    EXPECT_FALSE(RegKeyExists(S("Lumerin.Srt")));
    EXPECT_EQ(GetOpenCommand(S(".Srt")), QString());
}

TEST_F(AssociateTest, AnotherProgramsClassIsKeptAndRestored) {
    foreign(S(".sub"), S("Player.Sub"), S("\"/usr/bin/player\" \"%1\""));
    associate(S(".Sub"), 2);
    EXPECT_EQ(GetKeyDefault(S(".Sub\\lumiold")), S("Player.Sub"));
    EXPECT_TRUE(IsEditorExt(S(".Sub")));

    UnassociateExt(S(".Sub"));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_FALSE(RegKeyExists(S(".Sub\\lumiold")));
    EXPECT_FALSE(RegKeyExists(S("Lumerin.Sub")));
    EXPECT_EQ(GetKeyDefault(S(".Sub")), S("Player.Sub"));
    EXPECT_EQ(GetOpenCommand(S(".Sub")), S("\"/usr/bin/player\" \"%1\""));
}

TEST_F(AssociateTest, EachKeyThatCannotBeDeletedIsToldAndRemovalGoesOn) {
    associate(S(".Smi"), 3);
    RegCreateKey(S(".Smi\\OpenWithProgids"));    // another subkey, no backup
    RegCreateKey(S("Lumerin.Smi\\shell\\edit")); // keeps shell and the class alive
    Boxes().expect(vb::OK, S("Couldn't delete registry key. Lumerin.Smi\\shell"));
    Boxes().expect(vb::OK, S("Couldn't delete registry key. Lumerin.Smi"));
    Boxes().expect(vb::OK, S("Couldn't delete registry key. .Smi"));
    UnassociateExt(S(".Smi"));
    ASSERT_EQ(Boxes().shown.size(), 3u);
    EXPECT_EQ(Boxes().shown[2].text, S("Couldn't delete registry key. .Smi"));
    EXPECT_EQ(Boxes().shown[2].flags, vb::OKOnly);
    EXPECT_EQ(Boxes().shown[2].title, S("Lumerin"));
    // What could go, went.
    EXPECT_FALSE(RegKeyExists(S("Lumerin.Smi\\DefaultIcon")));
    EXPECT_FALSE(RegKeyExists(S("Lumerin.Smi\\shell\\open")));
    EXPECT_TRUE(RegKeyExists(S(".Smi")));

    // An extension without a key changes nothing.
    const QByteArray before = registryBytes();
    UnassociateExt(S(".Ssa"));
    EXPECT_EQ(registryBytes(), before);
}

TEST_F(AssociateTest, OwnershipIsTheWordLumerinInTheOpenCommand) {
    foreign(S(".Txt"), S("txtfile"), S("/home/u/LuMeRiN-2/viewer %1"));
    EXPECT_TRUE(IsEditorExt(S(".Txt")));
    foreign(S(".Ssa"), S("ssafile"), S("/usr/bin/subeditor %1"));
    EXPECT_FALSE(IsEditorExt(S(".Ssa")));
    // A class without an open command, and an extension without a class.
    RegCreateKey(S(".Sami"));
    RegSetDefaultValue(S(".Sami"), S("lumerin.Sami"));
    EXPECT_FALSE(IsEditorExt(S(".Sami")));
    RegSetDefaultValue(S(".Sami"), S(""));
    RegCreateKey(S("shell\\open\\command"));
    RegSetDefaultValue(S("shell\\open\\command"), S("lumerin"));
    EXPECT_EQ(GetOpenCommand(S(".Sami")), QString());
}

TEST_F(AssociateTest, MatchingTouchesOnlyRowsThatDiffer) {
    foreign(S(".Sub"), S("Player.Sub"), S("player %1"));
    associate(S(".Txt"), 6);
    const std::array<bool, 6> choice{true, true, false, false, false, false};
    MatchAssociations(choice, S("/x/lumerin"), S("/x/Vornel32.dll,"));
    EXPECT_EQ(GetOpenCommand(S(".Srt")), S("\"/x/lumerin\" \"%1\""));
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Sub\\DefaultIcon")), S("/x/Vornel32.dll,2"));
    EXPECT_EQ(GetKeyDefault(S(".Sub\\lumiold")), S("Player.Sub"));
    EXPECT_FALSE(RegKeyExists(S(".Txt"))); // the editor's, not chosen: removed
    EXPECT_FALSE(RegKeyExists(S(".Smi")));

    // The same choice again writes nothing, even where the program path differs.
    const QByteArray before = registryBytes();
    MatchAssociations(choice, S("/y/lumerin"), S("/y/Vornel32.dll,"));
    EXPECT_EQ(registryBytes(), before);
}
