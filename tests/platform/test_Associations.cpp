#include "platform/Associations.h"
#include "tests/support/XdgFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

void write(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

TEST(Associations, TypesAndDefaultsAreReadAsTheDesktopReadsThem) {
    XdgFolders xdg(XdgFolders::EmptySystem);
    const QString system = xdg.system();
    // Patterns: the heaviest wins, equal weights give every type, the user's folder can clear
    // a type's patterns, and a case-sensitive pattern matches only its own spelling.
    write(system + S("/mime/globs2"), S("50:text/x-a:*.sub\n50:text/x-b:*.sub\n40:text/x-c:*.sub\n"
                                        "80:text/x-old:*.smi\n50:text/x-smi:*.smi\n60:text/x-cs:*.ssa:cs\n"));
    write(xdg.data() + S("/mime/globs2"), S("# comment\n50:text/x-old:__NOGLOBS__\n"));
    EXPECT_EQ(xdg::TypesOfExt(S(".Sub")), (QStringList{S("text/x-a"), S("text/x-b")}));
    EXPECT_EQ(xdg::TypesOfExt(S(".SMI")), QStringList{S("text/x-smi")});
    EXPECT_EQ(xdg::TypesOfExt(S(".Ssa")), QStringList{S("text/x-cs")});
    EXPECT_TRUE(xdg::TypesOfExt(S(".Srt")).isEmpty());

    // Defaults: the desktop's own list before the common one, the user's before the system's,
    // the first installed entry of a list; a hidden or broken entry is not installed.
    const QString a = xdg.addApp(S("a"), S("text/x-a;")), b = xdg.addApp(S("b"), S("text/x-a;"));
    write(system + S("/applications/gone.desktop"), S("[Desktop Entry]\nExec=/nowhere/gone %f\n"));
    write(system + S("/applications/vendor/c.desktop"),
          S("[Desktop Entry]\nExec=") + XdgFolders::makeProgram(xdg.data() + S("/../bin/c")) + S(" %f\n"));
    write(xdg.data() + S("/applications/hidden.desktop"), S("[Desktop Entry]\nHidden=true\nExec=sh\n"));
    write(system + S("/applications/hidden.desktop"), S("[Desktop Entry]\nExec=sh\n"));
    EXPECT_FALSE(xdg::EntryPath(S("vendor-c.desktop")).isEmpty());
    EXPECT_TRUE(xdg::EntryPath(S("hidden.desktop")).isEmpty());
    EXPECT_EQ(xdg::DefaultAppOf(S("text/x-a")).id, QString()); // listed by entries, no cache
    write(system + S("/applications/mimeinfo.cache"), S("[MIME Cache]\ntext/x-a=gone.desktop;b.desktop;\n"));
    EXPECT_EQ(xdg::DefaultAppOf(S("text/x-a")).id, b);
    EXPECT_EQ(xdg::DefaultAppOf(S("text/x-a")).list, QString());
    const QString etc = xdg.systemMimeapps();
    write(etc, S("[Default Applications]\ntext/x-a = gone.desktop;vendor-c.desktop\n"));
    EXPECT_EQ(xdg::DefaultAppOf(S("text/x-a")).id, S("vendor-c.desktop"));
    EXPECT_EQ(xdg::DefaultAppOf(S("text/x-a")).list, etc);
    write(xdg.mimeapps(),
          S("[Added Associations]\ntext/x-a=b.desktop;\n\n[Default Applications]\ntext/x-a=hidden.desktop;"
            "a.desktop;\n\n[Removed Associations]\ntext/x-b=a.desktop;\n"));
    EXPECT_EQ(xdg::DefaultAppOf(S("text/x-a")).id, a);
    qputenv("XDG_CURRENT_DESKTOP", "Test:Other");
    write(xdg.config() + S("/test-mimeapps.list"), S("[Default Applications]\ntext/x-a=b.desktop\n"));
    EXPECT_EQ(xdg::DefaultAppOf(S("text/x-a")).id, b);
    EXPECT_EQ(xdg::UserMimeAppsLists(), (QStringList{xdg.config() + S("/test-mimeapps.list"), xdg.mimeapps()}));

    // Changing one list keeps every other line of it.
    ASSERT_TRUE(xdg::SetDefaultList(xdg.mimeapps(), S("text/x-b"), {S("b.desktop")}));
    ASSERT_TRUE(xdg::SetDefaultList(xdg.mimeapps(), S("text/x-a"), {}));
    EXPECT_EQ(read(xdg.mimeapps()), S("[Added Associations]\ntext/x-a=b.desktop;\n\n[Default Applications]\n"
                                      "text/x-b=b.desktop;\n\n[Removed Associations]\ntext/x-b=a.desktop;\n"));
    EXPECT_TRUE(xdg::UserListsName(b));
    EXPECT_FALSE(xdg::UserListsName(a));
}

TEST(Associations, AnOpenCommandNamesItsProgramWhateverThePath) {
    for (const char* path : {"/opt/lumerin/lumerin", "/opt/a b/lumerin", "/opt/\"q\" $x `y` \\z 100%/lumerin"}) {
        const QString exec = xdg::ExecQuote(S(path)) + S(" %f");
        EXPECT_EQ(xdg::ExecProgram(exec), S(path)) << exec.toStdString();
        XdgFolders xdg;
        ASSERT_TRUE(xdg::WriteUserEntry(S("t.desktop"), {{S("Exec"), exec}, {S("Name"), S("two\nlines")}}));
        const auto e = xdg::ReadEntry(xdg::UserEntryPath(S("t.desktop")));
        EXPECT_EQ(e.value(S("Exec")), exec);
        EXPECT_EQ(e.value(S("Name")), S("two\nlines"));
    }
    EXPECT_EQ(xdg::ExecQuote(S("/opt/lumerin")), S("/opt/lumerin"));
}

TEST(Associations, AnAddressOpensOnlyWhereTheDesktopHasAnApplication) {
    XdgFolders xdg(XdgFolders::EmptySystem);
    const QByteArray path = qgetenv("PATH"), browser = qgetenv("BROWSER");
    qputenv("PATH", QFile::encodeName(xdg.data() + S("/../bin")));
    qunsetenv("BROWSER");
    const QUrl web(S("https://example.org/")), mail(S("mailto:a@example.org"));
    const QUrl page = QUrl::fromLocalFile(S("/x/manual/index.html"));
    EXPECT_FALSE(xdg::CanOpen(web));
    EXPECT_FALSE(xdg::CanOpen(mail));
    EXPECT_FALSE(xdg::CanOpen(page));
    // A mail program for the scheme; a browser for the rest.
    xdg.addApp(S("mailer"), S("x-scheme-handler/mailto;"));
    xdg::SetDefaultList(xdg.mimeapps(), S("x-scheme-handler/mailto"), {S("mailer.desktop")});
    EXPECT_TRUE(xdg::CanOpen(mail));
    EXPECT_FALSE(xdg::CanOpen(web));
    XdgFolders::makeProgram(xdg.data() + S("/../bin/x-www-browser"));
    EXPECT_TRUE(xdg::CanOpen(web));
    EXPECT_TRUE(xdg::CanOpen(page));
    qputenv("PATH", path);
    if (!browser.isNull()) qputenv("BROWSER", browser);
}
