#include "platform/Registry.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
struct RegistryTest : ::testing::Test {
    TempDir dir;
    QString file = dir.path(QStringLiteral("sub/registry"));
    void SetUp() override { SetRegistryPath(file); }
    void TearDown() override { SetRegistryPath(QString()); }
};
const QString S(const char* s) { return QString::fromUtf8(s); }
} // namespace

TEST_F(RegistryTest, KeysAndValuesPersistInTheFile) {
    EXPECT_FALSE(RegKeyExists(S(".Srt")));
    EXPECT_FALSE(RegDefaultValue(S(".Srt")).has_value());
    EXPECT_FALSE(RegSetDefaultValue(S(".Srt"), S("x"))); // a missing key has no value to set

    // Keys on the way are created too, and the file's folder with them.
    ASSERT_TRUE(RegCreateKey(S("Lumerin.Srt\\shell\\open\\command")));
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_TRUE(RegKeyExists(S("Lumerin.Srt\\shell")));
    EXPECT_FALSE(RegDefaultValue(S("Lumerin.Srt\\shell")).has_value()); // created without a value
    ASSERT_TRUE(RegSetDefaultValue(S("Lumerin.Srt\\shell\\open\\command"), S("\"/opt/a b/lumerin\" \"%1\"")));
    ASSERT_TRUE(RegCreateKey(S(".Srt")));
    ASSERT_TRUE(RegSetDefaultValue(S(".Srt"), S("")));
    EXPECT_EQ(RegDefaultValue(S(".Srt")), std::optional<QString>(S(""))); // empty, but set

    // Names compare without case and keep the case they were created with.
    EXPECT_EQ(RegDefaultValue(S("LUMERIN.srt\\Shell\\OPEN\\command")).value_or(S("none")),
              S("\"/opt/a b/lumerin\" \"%1\""));
    ASSERT_TRUE(RegCreateKey(S(".SRT\\lumiold")));
    ASSERT_TRUE(RegSetDefaultValue(S(".srt"), S("café")));
    const QByteArray bytes = dir.read(S("sub/registry"));
    EXPECT_TRUE(bytes.contains("\".Srt\""));
    EXPECT_FALSE(bytes.contains("\".SRT\""));
    EXPECT_EQ(RegDefaultValue(S(".Srt")).value_or(QString()), S("café"));

    // Paths with an empty name open nothing and create nothing.
    EXPECT_FALSE(RegKeyExists(S("\\shell\\open\\command")));
    EXPECT_FALSE(RegCreateKey(S("\\shell")));
    EXPECT_FALSE(RegCreateKey(S("a\\\\b")));
    EXPECT_FALSE(RegKeyExists(S("")));
}

TEST_F(RegistryTest, OnlyKeysWithoutSubkeysAreDeleted) {
    ASSERT_TRUE(RegCreateKey(S("c\\shell\\open")));
    ASSERT_TRUE(RegCreateKey(S("d")));
    EXPECT_FALSE(RegDeleteKey(S("c\\shell")));
    EXPECT_FALSE(RegDeleteKey(S("c\\missing")));
    EXPECT_FALSE(RegDeleteKey(S("missing\\open")));
    EXPECT_TRUE(RegDeleteKey(S("C\\SHELL\\Open")));
    EXPECT_TRUE(RegDeleteKey(S("c\\shell")));
    EXPECT_TRUE(RegDeleteKey(S("c")));
    EXPECT_FALSE(RegKeyExists(S("c")));
    EXPECT_TRUE(RegKeyExists(S("d"))); // siblings stay
}

TEST_F(RegistryTest, ChangesByAnotherProgramAreSeen) {
    ASSERT_TRUE(RegCreateKey(S(".Sub")));
    // Another program rewrites the file: the next call reads it afresh.
    dir.write(S("sub/registry"), R"({"keys":[{"name":".Smi","value":"Other.Smi","keys":[]}]})");
    EXPECT_FALSE(RegKeyExists(S(".Sub")));
    EXPECT_EQ(RegDefaultValue(S(".smi")).value_or(QString()), S("Other.Smi"));
}

TEST_F(RegistryTest, AFileThatCannotBeUnderstoodIsNeverOverwritten) {
    const QByteArray junk = "not a registry {";
    QDir().mkpath(dir.path(S("sub")));
    dir.write(S("sub/registry"), junk);
    EXPECT_FALSE(RegKeyExists(S(".Srt")));
    EXPECT_FALSE(RegCreateKey(S(".Srt")));
    EXPECT_FALSE(RegDeleteKey(S(".Srt")));
    EXPECT_EQ(dir.read(S("sub/registry")), junk);
}

TEST(RegistryPlace, EnvironmentThenTheUsersConfigFolder) {
    SetRegistryPath(QString());
    const QByteArray old = qgetenv("LUMERIN_REGISTRY");
    qputenv("LUMERIN_REGISTRY", "/tmp/elsewhere/reg");
    EXPECT_EQ(RegistryPath(), S("/tmp/elsewhere/reg"));
    qunsetenv("LUMERIN_REGISTRY");
    EXPECT_EQ(RegistryPath(), QDir::homePath() + S("/.config/lumerin/registry"));
    SetRegistryPath(S("/tmp/test/reg"));
    EXPECT_EQ(RegistryPath(), S("/tmp/test/reg"));
    SetRegistryPath(QString());
    if (!old.isEmpty()) qputenv("LUMERIN_REGISTRY", old);
}
