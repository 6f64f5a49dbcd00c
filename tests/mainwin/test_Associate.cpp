#include "mainwin/Associate.h"
#include "mainwin/frmSettings.h"
#include "platform/Associations.h"
#include "tests/support/Scripted.h"
#include "tests/support/XdgFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

struct AssociateTest : ::testing::Test {
    TempDir dir;
    QString program = XdgFolders::makeProgram(dir.path(S("Lumerin/lumerin")));

    void associate(const QString& ext, int icon, const QString& prog = QString()) {
        AssociateExt(ext, prog.isEmpty() ? program : prog, S("Lumerin") + ext, S("Subtitle file"), icon);
    }
    static QString read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    static void writeList(const QString& path, const QString& text) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    static void setDefault(const QString& id, const QString& type) {
        QProcess p;
        p.start(S("xdg-mime"), {S("default"), id, type});
        ASSERT_TRUE(p.waitForFinished(30000));
    }

    // The settings window of the editor installed as program.
    std::unique_ptr<frmSettings> settings() {
        FakeDesk().folder = QFileInfo(program).absolutePath();
        FakeDesk().file = QFileInfo(program).fileName();
        return std::make_unique<frmSettings>(nullptr, nullptr);
    }
    // Brings the associations' tab to the front and clicks a row, as the user does.
    static void clickRow(frmSettings& f, int row) {
        QTabBar* tabs = f.SSTab1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        ASSERT_TRUE(f.lstExt->isVisible());
        QTest::mouseClick(f.lstExt->viewport(), Qt::LeftButton, {},
                          f.lstExt->visualItemRect(f.lstExt->item(row)).center());
    }
    static std::array<bool, 6> ticked(const frmSettings& f) {
        std::array<bool, 6> rows{};
        for (int i = 0; i < 6; ++i) rows[i] = f.lstExt->item(i)->isSelected();
        return rows;
    }
    static std::array<bool, 6> rows(std::initializer_list<int> list) {
        std::array<bool, 6> r{};
        for (int i : list) r[i] = true;
        return r;
    }
};
} // namespace

TEST_F(AssociateTest, TheDesktopOpensTheExtensionWithTheEditorUntilItIsRemoved) {
    XdgFolders xdg;
    EXPECT_FALSE(IsEditorExt(S(".Srt")));
    associate(S(".Srt"), 1);
    EXPECT_TRUE(Boxes().shown.empty());

    // The desktop's own tool names the editor's entry, which starts the program with the file.
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), S("lumerin.srt.desktop"));
    EXPECT_EQ(GetKeyDefault(S(".srt")), S("lumerin.srt"));
    EXPECT_EQ(GetOpenCommand(S(".Srt")), program + S(" %f"));
    EXPECT_TRUE(IsEditorExt(S(".SRT")));
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Srt")), S("Subtitle file"));
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Srt\\DefaultIcon")), S("lumerin-srt"));

    // Its icon is in the user's theme, and the type shows it with the description.
    const QStringList icons = xdg::UserIconFiles(S("lumerin-srt"));
    ASSERT_EQ(icons.size(), 2);
    EXPECT_EQ(QImage(icons[0]).size(), QSize(32, 32));
    EXPECT_TRUE(read(xdg.data() + S("/mime/icons")).contains(S("application/x-subrip:lumerin-srt")));
    EXPECT_TRUE(read(xdg.data() + S("/mime/application/x-subrip.xml")).contains(S("Subtitle file")));

    UnassociateExt(S(".Srt"));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_FALSE(xdg.queryDefault(S("application/x-subrip")).contains(S("lumerin")));
    EXPECT_FALSE(IsEditorExt(S(".Srt")));
    EXPECT_FALSE(read(xdg.mimeapps()).contains(S("x-subrip")));
    EXPECT_FALSE(QFileInfo::exists(xdg::UserEntryPath(S("lumerin.srt.desktop"))));
    EXPECT_TRUE(xdg::UserIconFiles(S("lumerin-srt")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(xdg::UserMimePackage(S("lumerin"))));
}

TEST_F(AssociateTest, WhatOpenedTheTypesBeforeComesBackEvenAfterASecondAssociation) {
    XdgFolders xdg;
    // ".sub" has three types; one opens with a player in the user's list, one with a viewer
    // in the system's list, one with nothing.
    const QString player = xdg.addApp(S("player"), S("text/x-microdvd;"));
    const QString viewer = xdg.addApp(S("viewer"), S("text/x-subviewer;"));
    writeList(xdg.mimeapps(), S("[Default Applications]\ntext/x-microdvd=player.desktop;\n"));
    writeList(xdg.systemMimeapps(), S("[Default Applications]\ntext/x-subviewer=viewer.desktop\n"));
    ASSERT_EQ(xdg.queryDefault(S("text/x-subviewer")), viewer);
    ASSERT_EQ(xdg::TypesOfExt(S(".Sub")),
              (QStringList{S("text/x-microdvd"), S("text/x-mpsub"), S("text/x-subviewer")}));

    associate(S(".Sub"), 2);
    for (const char* type : {"text/x-microdvd", "text/x-mpsub", "text/x-subviewer"})
        EXPECT_EQ(xdg.queryDefault(S(type)), S("lumerin.sub.desktop")) << type;
    // Associated again, say by the association program from another folder: the programs
    // kept behind the editor stay, and the editor's own class is never kept among them.
    const QString moved = XdgFolders::makeProgram(dir.path(S("Moved/lumerin")));
    associate(S(".Sub"), 2, moved);
    EXPECT_EQ(GetOpenCommand(S(".Sub")), moved + S(" %f"));

    UnassociateExt(S(".Sub"));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_EQ(xdg.queryDefault(S("text/x-microdvd")), player);
    EXPECT_EQ(xdg.queryDefault(S("text/x-subviewer")), viewer);
    EXPECT_FALSE(xdg.queryDefault(S("text/x-mpsub")).contains(S("lumerin")));
    // The user's list is as it was: the viewer, copied there from the system's list while the
    // editor had the type, went with it, so that the system's later choice reaches the user.
    EXPECT_EQ(read(xdg.mimeapps()), S("[Default Applications]\ntext/x-microdvd=player.desktop;\n"));
    const QString reader = xdg.addApp(S("reader"), S("text/x-subviewer;"));
    writeList(xdg.systemMimeapps(), S("[Default Applications]\ntext/x-subviewer=reader.desktop\n"));
    EXPECT_EQ(xdg.queryDefault(S("text/x-subviewer")), reader);

    // A default the user chose while the editor had the type stays, even the one it copied.
    associate(S(".Sub"), 2);
    setDefault(reader, S("text/x-subviewer"));
    UnassociateExt(S(".Sub"));
    EXPECT_EQ(xdg::DefaultList(xdg.mimeapps(), S("text/x-subviewer")), QStringList{reader});
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(AssociateTest, AnExtensionTheSystemDoesNotKnowGetsATypeOfItsOwn) {
    XdgFolders xdg(XdgFolders::EmptySystem);
    ASSERT_TRUE(xdg::TypesOfExt(S(".Srt")).isEmpty());
    EXPECT_EQ(GetOpenCommand(S(".Srt")), QString());
    associate(S(".Srt"), 1);
    EXPECT_EQ(xdg::TypesOfExt(S(".srt")), QStringList{S("application/x-lumerin-srt")});
    EXPECT_EQ(xdg.queryDefault(S("application/x-lumerin-srt")), S("lumerin.srt.desktop"));
    EXPECT_TRUE(IsEditorExt(S(".Srt")));
    EXPECT_TRUE(read(xdg::UserMimePackage(S("lumerin"))).contains(S("*.srt")));

    UnassociateExt(S(".Srt"));
    EXPECT_TRUE(xdg::TypesOfExt(S(".Srt")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(xdg::UserMimePackage(S("lumerin"))));
}

TEST_F(AssociateTest, TheRowsFollowWhatTheDesktopHasNow) {
    XdgFolders xdg;
    const std::array<bool, 6> srtSsa{true, false, false, false, true, false};
    MatchAssociations(srtSsa, program);
    EXPECT_TRUE(IsEditorExt(S(".Srt")));
    EXPECT_TRUE(IsEditorExt(S(".Ssa")));

    // The user gives ".srt" to another program elsewhere: the row is not the editor's, and an
    // unselected row leaves the other program alone.
    const QString other = xdg.addApp(S("other"), S("application/x-subrip;"));
    setDefault(other, S("application/x-subrip"));
    EXPECT_FALSE(IsEditorExt(S(".Srt")));
    const std::array<bool, 6> ssaOnly{false, false, false, false, true, false};
    MatchAssociations(ssaOnly, program);
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), other);
    // Chosen again, the editor takes it back, and its removal gives it to the other again.
    MatchAssociations(srtSsa, program);
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), S("lumerin.srt.desktop"));
    MatchAssociations(ssaOnly, program);
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), other);

    // Ownership is the word in the open command, in any case; a program gone from its place
    // owns nothing.
    const QString named = xdg.addApp(S("LuMeRiN-2"), S("application/x-subrip;"));
    setDefault(named, S("application/x-subrip"));
    EXPECT_TRUE(IsEditorExt(S(".Srt")));
    EXPECT_TRUE(IsEditorExt(S(".Ssa")));
    QFile::remove(program);
    EXPECT_FALSE(IsEditorExt(S(".Ssa")));
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(AssociateTest, AListTheUserCannotChangeIsTold) {
    XdgFolders xdg(XdgFolders::EmptySystem);
    // A system that knows ".srt" and has the editor installed as its default for it.
    const QString system = xdg.system();
    writeList(system + S("/mime/globs2"), S("50:application/x-subrip:*.srt\n"));
    writeList(system + S("/applications/lumerin.desktop"),
              S("[Desktop Entry]\nType=Application\nName=Lumerin\nExec=") + program + S(" %f\n"));
    const QString etc = xdg.systemMimeapps();
    writeList(etc, S("[Default Applications]\napplication/x-subrip=lumerin.desktop;\n"));
    ASSERT_TRUE(IsEditorExt(S(".Srt")));

    Boxes().expect(vb::OK, S("Couldn't delete registry key. ") + etc + S(" application/x-subrip"));
    UnassociateExt(S(".Srt"));
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
    EXPECT_EQ(Boxes().shown[0].title, S("Lumerin"));
    EXPECT_TRUE(QFileInfo::exists(system + S("/applications/lumerin.desktop")));
}

TEST_F(AssociateTest, EachRowIsSetByItselfWhateverTypesItShares) {
    XdgFolders xdg(XdgFolders::EmptySystem);
    // The types as Debian has them: ".smi" is SMIL and SAMI, ".sami" is SAMI, ".ssa" shares its
    // type with ".ass"; ".srt" has one of its own; ".sub" is unknown.
    writeList(xdg.system() + S("/mime/globs2"),
              S("50:application/smil+xml:*.smil\n50:application/smil+xml:*.smi\n50:application/smil+xml:*.sml\n"
                "50:application/x-sami:*.sami\n50:application/x-sami:*.smi\n50:text/x-ssa:*.ssa\n"
                "50:text/x-ssa:*.ass\n50:application/x-subrip:*.srt\n"));
    const QString smil = xdg.addApp(S("smil"), S("application/smil+xml;"));
    xdg::SetDefaultList(xdg.mimeapps(), S("application/smil+xml"), {smil});
    const auto othersUntouched = [&] {
        EXPECT_EQ(xdg::TypesOfExt(S(".smil")), QStringList{S("application/smil+xml")});
        EXPECT_EQ(xdg.queryDefault(S("application/smil+xml")), smil);
        for (const char* ext : {".smil", ".sml", ".ass"}) EXPECT_FALSE(IsEditorExt(S(ext))) << ext;
    };

    const std::array<bool, 6> five{true, true, true, true, true, false};
    MatchAssociations(five, program);
    EXPECT_EQ(EditorRows(), five);
    othersUntouched();
    // ".smi" unticked, ".sami" kept: only ".smi" files leave the editor, back to their own types.
    const std::array<bool, 6> noSmi{true, true, false, true, true, false};
    MatchAssociations(noSmi, program);
    EXPECT_EQ(EditorRows(), noSmi);
    EXPECT_EQ(xdg::TypesOfExt(S(".smi")), (QStringList{S("application/smil+xml"), S("application/x-sami")}));
    othersUntouched();
    MatchAssociations(five, program);
    EXPECT_EQ(EditorRows(), five);
    const std::array<bool, 6> noSami{true, true, true, false, true, false};
    MatchAssociations(noSami, program);
    EXPECT_EQ(EditorRows(), noSami);
    EXPECT_EQ(xdg::TypesOfExt(S(".sami")), QStringList{S("application/x-sami")});
    othersUntouched();

    MatchAssociations({}, program);
    EXPECT_EQ(EditorRows(), (std::array<bool, 6>{}));
    EXPECT_FALSE(read(xdg.mimeapps()).contains(S("lumerin")));
    EXPECT_FALSE(QFileInfo::exists(xdg::UserMimePackage(S("lumerin"))));
    othersUntouched();
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(AssociateTest, WithoutTheDatabaseToolsAnOwnTypeIsStillSeenAndRemoved) {
    XdgFolders xdg(XdgFolders::EmptySystem);
    qputenv("PATH", QFile::encodeName(dir.path(S("nothing"))));
    associate(S(".Srt"), 1);
    EXPECT_TRUE(IsEditorExt(S(".Srt")));
    EXPECT_EQ(GetOpenCommand(S(".Srt")), program + S(" %f"));
    UnassociateExt(S(".Srt"));
    EXPECT_FALSE(IsEditorExt(S(".Srt")));
    EXPECT_FALSE(QFileInfo::exists(xdg::UserEntryPath(S("lumerin.srt.desktop"))));
    EXPECT_FALSE(QFileInfo::exists(xdg::UserMimePackage(S("lumerin"))));
    EXPECT_FALSE(read(xdg.mimeapps()).contains(S("lumerin")));
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(AssociateTest, AChoiceOfRowsRebuildsTheDesktopDatabaseOnce) {
    XdgFolders xdg;
    // The database tools, counting their runs.
    const QString log = dir.path(S("runs"));
    for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
        const QString real = QStandardPaths::findExecutable(S(tool));
        ASSERT_FALSE(real.isEmpty()) << tool;
        const QString fake = dir.path(S("bin/")) + S(tool);
        XdgFolders::makeProgram(fake);
        writeList(fake, S("#!/bin/sh\necho %1 >>'%2'\nexec '%3' \"$@\"\n").arg(S(tool), log, real));
    }
    qputenv("PATH", QFile::encodeName(dir.path(S("bin"))) + ':' + qgetenv("PATH"));
    const auto runs = [&] { return read(log).split(u'\n', Qt::SkipEmptyParts); };

    MatchAssociations({true, true, true, true, true, false}, program);
    EXPECT_EQ(runs(), (QStringList{S("update-mime-database"), S("update-desktop-database")}));
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), S("lumerin.srt.desktop"));
    MatchAssociations({true, true, true, true, true, false}, program);
    EXPECT_EQ(runs().size(), 2); // nothing to change
    MatchAssociations({}, program);
    EXPECT_EQ(runs().size(), 4);
    EXPECT_EQ(EditorRows(), (std::array<bool, 6>{}));
}

TEST_F(AssociateTest, EachShowingOfTheSettingsWindowStartsFromTheDesktop) {
    XdgFolders xdg;
    auto f = settings();
    f->show();
    clickRow(*f, 0);
    clickRow(*f, 4);
    QTest::mouseClick(f->btOk, Qt::LeftButton);
    ASSERT_EQ(EditorRows(), rows({0, 4}));

    // While the window is hidden, another program takes ".srt" and the association program
    // gives ".sub" to the editor: shown again, the window ticks what the desktop has.
    const QString other = xdg.addApp(S("other"), S("application/x-subrip;"));
    setDefault(other, S("application/x-subrip"));
    associate(S(".Sub"), 2);
    f->show();
    EXPECT_EQ(ticked(*f), rows({1, 4}));
    // OK for a change of a folder leaves every association as the desktop has it.
    const QString subs = dir.path(S("subs"));
    QDir().mkpath(subs);
    f->SSTab1->setCurrentIndex(0);
    f->txtSubs->selectAll();
    QTest::keyClicks(f->txtSubs, subs);
    QTest::mouseClick(f->btOk, Qt::LeftButton);
    EXPECT_EQ(f->txtSubs->text(), subs);
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), other);
    EXPECT_EQ(EditorRows(), rows({1, 4}));

    // Changed while the window shows: Apply changes the row the user ticked and no other.
    f->show();
    MatchAssociations(rows({1}), program); // the association program unticks ".ssa"
    clickRow(*f, 2);
    QTest::mouseClick(f->btApply, Qt::LeftButton);
    EXPECT_EQ(EditorRows(), rows({1, 2}));
    EXPECT_EQ(ticked(*f), rows({1, 2}));
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), other);
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(AssociateTest, TheSettingsWindowRegistersTheProgramFileAsItIsNamed) {
    XdgFolders xdg;
    program = XdgFolders::makeProgram(dir.path(S("Lumerin/lumerin-2.0")));
    auto f = settings();
    f->show();
    clickRow(*f, 0);
    QTest::mouseClick(f->btOk, Qt::LeftButton);
    const QStringList entry = read(xdg::UserEntryPath(S("lumerin.srt.desktop"))).split(u'\n');
    EXPECT_TRUE(entry.contains(S("Exec=") + program + S(" %f"))) << entry.join(u'|').toStdString();
    EXPECT_TRUE(IsEditorExt(S(".Srt")));
    EXPECT_TRUE(Boxes().shown.empty());
}
