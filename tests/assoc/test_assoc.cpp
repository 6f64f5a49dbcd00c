#include "assoc/main.h"
#include "mainwin/Associate.h"
#include "platform/Associations.h"
#include "tests/support/Scripted.h"
#include "tests/support/XdgFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

struct AssocTest : ::testing::Test {
    XdgFolders xdg;
    TempDir dir;
    QString folder = dir.path(S("Lumerin"));
    QString program = XdgFolders::makeProgram(folder + S("/lumerin"));

    void SetUp() override { SetAppTitle(S("lumassoc")); }
    static std::vector<int> selectedRows(QListWidget* l) {
        std::vector<int> rows;
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->isSelected()) rows.push_back(i);
        return rows;
    }
    static void clickRow(QListWidget* l, int row) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    void associate(const QString& ext, int icon) {
        AssociateExt(ext, program, S("Lumerin") + ext, S("Subtitle file"), icon);
    }
    // The editor's associations that the desktop has, as rows.
    static std::vector<int> editorRows() {
        std::vector<int> rows;
        for (int i = 0; i < 6; ++i)
            if (IsEditorExt(ExtOfRow(i))) rows.push_back(i);
        return rows;
    }
    // The program run without a display, from the folder where, as a user types it; its exit code.
    static int run(const QString& arg, QString* errors = nullptr, const QString& where = QString()) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(v));
        p.setProcessEnvironment(env);
        if (!where.isEmpty()) p.setWorkingDirectory(where);
        p.start(S(LUMASSOC), {arg});
        EXPECT_TRUE(p.waitForFinished(60000));
        if (errors) *errors = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
};
} // namespace

TEST_F(AssocTest, TheWindowAssociatesItsChoiceWhenItCloses) {
    // The folder in quotes and with a final "/", as a script may pass it.
    FakeDesk().command = u'"' + folder + S("/\"");
    associate(S(".Txt"), 6);
    auto w = std::make_unique<assoc::main>();
    EXPECT_EQ(w->windowTitle(), S("Set Associations"));
    // A fixed preselection: the desktop is not asked.
    EXPECT_EQ(selectedRows(w->lstExt), (std::vector<int>{0, 1, 2, 3, 4}));
    w->show();
    clickRow(w->lstExt, 3); // unselect *.Sami
    clickRow(w->lstExt, 2); // and *.Smi, which shares a type with it
    EXPECT_FALSE(w->imgIcon[3]->isHidden());
    EXPECT_TRUE(w->imgIcon[0]->isHidden());
    EXPECT_FALSE(IsEditorExt(S(".Srt"))); // untouched until the window closes

    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(GetOpenCommand(S(".Srt")), program + S(" %f"));
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Ssa\\DefaultIcon")), S("lumerin-ssa"));
    // The untouched *.Txt row was the editor's: closing removed it.
    EXPECT_EQ(editorRows(), (std::vector<int>{0, 1, 4}));

    // Applied once only, even when the window is destroyed later.
    associate(S(".Txt"), 6);
    w.reset();
    EXPECT_EQ(editorRows(), (std::vector<int>{0, 1, 4, 5}));
    EXPECT_TRUE(FakeDesk().exitCodes.empty());
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(AssocTest, AFolderWithoutTheEditorChangesNothing) {
    associate(S(".Srt"), 1);
    for (const QString& command : {QString(), S("-U"), S("\"") + dir.path(S("Empty")) + S("\"")}) {
        FakeDesk().command = command;
        QDir().mkpath(dir.path(S("Empty")));
        assoc::main w;
        w.show();
        clickRow(w.lstExt, 0); // the editor's .Srt, unselected
        Boxes().expect(vb::OK, S("Nothing was changed."));
        w.close();
        ASSERT_EQ(Boxes().shown.size(), 1u) << command.toStdString();
        EXPECT_EQ(Boxes().shown[0].title, S("lumassoc"));
        EXPECT_EQ(editorRows(), std::vector<int>{0}) << command.toStdString();
        Boxes().reset();
    }
    EXPECT_TRUE(FakeDesk().exitCodes.empty());
}

TEST_F(AssocTest, TheProgramWorksWithoutADisplay) {
    const QString player = xdg.addApp(S("player"), S("application/x-subrip;"));
    xdg::SetDefaultList(xdg.mimeapps(), S("application/x-subrip"), {player});
    // A folder associates the preselected extensions, so that an install script can.
    EXPECT_EQ(run(folder), 0);
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), S("lumerin.srt.desktop"));
    EXPECT_EQ(GetOpenCommand(S(".Ssa")), program + S(" %f"));
    EXPECT_EQ(editorRows(), (std::vector<int>{0, 1, 2, 3, 4}));
    // "-u" removes them, so that an uninstall script can, and what opened them before does again.
    EXPECT_EQ(run(S("-u")), 0);
    EXPECT_TRUE(editorRows().empty());
    EXPECT_EQ(xdg.queryDefault(S("application/x-subrip")), player);
    // A folder without the editor is told, and the exit code says so.
    QString errors;
    EXPECT_EQ(run(dir.path(S("nowhere")), &errors), 1);
    EXPECT_TRUE(errors.contains(S("Nothing was changed."))) << errors.toStdString();
    EXPECT_TRUE(editorRows().empty());
}

TEST_F(AssocTest, ARelativeFolderIsTheOneWhereTheProgramWasStarted) {
    const QString elsewhere = dir.path(S("elsewhere"));
    QDir().mkpath(elsewhere);
    const auto execLine = [] {
        QFile f(xdg::UserEntryPath(S("lumerin.srt.desktop")));
        const QString text = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        const QStringList lines = text.split(u'\n').filter(QRegularExpression(S("^Exec=")));
        return lines.value(0);
    };
    for (const auto& [arg, where] :
         {std::pair{S("."), folder}, std::pair{S("Lumerin/"), dir.folder()}, std::pair{S("../Lumerin"), elsewhere}}) {
        EXPECT_EQ(run(arg, nullptr, where), 0) << arg.toStdString();
        EXPECT_EQ(execLine(), S("Exec=") + program + S(" %f")) << arg.toStdString();
        EXPECT_EQ(editorRows(), (std::vector<int>{0, 1, 2, 3, 4})) << arg.toStdString();
        // Removed from anywhere else.
        EXPECT_EQ(run(S("-u"), nullptr, elsewhere), 0);
        EXPECT_TRUE(editorRows().empty()) << arg.toStdString();
    }
}
