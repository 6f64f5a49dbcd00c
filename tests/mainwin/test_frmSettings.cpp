#include "mainwin/Associate.h"
#include "mainwin/frmMain.h"
#include "mainwin/frmSettings.h"
#include "model/Common.h"
#include "platform/Associations.h"
#include "tests/controls/ListingFixture.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"
#include "tests/support/XdgFolders.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <memory>

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

// The band bar as the main window would give it.
struct Bands : SettingsBands {
    float width[3] = {1500, 2000.5f, 900};
    bool newRow[3] = {true, false, true};
    float BandWidth(int band) override { return width[band - 1]; }
    void setBandWidth(int band, float twips) override { width[band - 1] = twips; }
    bool BandNewRow(int band) override { return newRow[band - 2]; }
    void setBandNewRow(int band, bool b) override { newRow[band - 2] = b; }
};

struct SettingsTest : ::testing::Test {
    TempDir dir;
    QString program; // the program folder, inside a folder named like the editor
    ListingHost host{3};
    Bands bands;

    void SetUp() override {
        QDir().mkpath(dir.path(S("Lumerin")));
        FakeDesk().folder = dir.path(S("Lumerin"));
        program = dir.path(S("Lumerin/"));
    }
    void TearDown() override { SetNewLineField(S("\u00A4")); }
    std::unique_ptr<frmSettings> load() { return std::make_unique<frmSettings>(host.l, &bands); }
    QString ini() const { return QString::fromUtf8(dir.read(S("Lumerin/lumi.ini"))); }
    void writeIni(const QStringList& lines) const {
        dir.write(S("Lumerin/lumi.ini"), (lines.join(S("\r\n")) + S("\r\n")).toUtf8());
    }
    QStringList iniLines() const { return ini().split(S("\r\n")); }
    QString folder(const char* name) const {
        QDir().mkpath(dir.path(S(name)));
        return dir.path(S(name));
    }
    // Brings the control's tab to the front, as a user would before using it.
    static void front(QWidget* w) {
        if (auto* f = qobject_cast<frmSettings*>(w->window())) {
            QTabWidget* tabs = f->SSTab1;
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->isAncestorOf(w) && tabs->currentIndex() != i)
                    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
        }
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    }
    static void click(QAbstractButton* b) {
        front(b);
        b->click();
    }
    static void retype(QLineEdit* e, const QString& text) {
        front(e);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    static void clickRow(QListWidget* l, int row) {
        front(l);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    static std::vector<int> selectedRows(QListWidget* l) {
        std::vector<int> rows;
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->isSelected()) rows.push_back(i);
        return rows;
    }
    static QStringList storedLines(const QString& movie, const QString& subs) {
        return {S("Lumerin2.0"), movie,    subs,     S(" 0 "), S(" 1234.5 "), S(" 1950 "), S(" 700 "),
                S(" 1 "),        S("-1 "), S("-1 "), S(" 0 "), S(" 1 "),      S(" 0 "),    S(" 1 ")};
    }
};
} // namespace

TEST_F(SettingsTest, FirstStartWritesTheCurrentValues) {
    auto f = load();
    EXPECT_EQ(f->windowTitle(), S("Settings"));
    EXPECT_TRUE(f->isHidden());
    const QString expected = S("Lumerin2.0\r\n") + program + S("\r\n") + program +
                             S("\r\n 1 \r\n 1500 \r\n 2000.5 \r\n 900 \r\n 1 \r\n-1 \r\n 1 \r\n"
                               " 1 \r\n 1 \r\n 1 \r\n 1 \r\n");
    EXPECT_EQ(ini(), expected);
    EXPECT_EQ(f->txtSubs->text(), program);
    EXPECT_EQ(f->txtMovie->text(), program);
    for (QCheckBox* c : {f->chLastUsed, f->chShiftW, f->chStretchW, f->chSplitW, f->chMergeW})
        EXPECT_TRUE(c->isChecked()) << c->objectName().toStdString();
    EXPECT_EQ(f->txtNewLine->text(), S("\u00A4"));
    EXPECT_TRUE(selectedRows(f->lstExt).empty());
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_TRUE(FakeDesk().exitCodes.empty());
}

TEST_F(SettingsTest, StoredValuesComeBackInTheirPlaces) {
    const QString movies = folder("movies"), subs = folder("subs");
    QStringList lines = storedLines(movies, subs);
    lines[8] = S("true"); // only a value of exactly 1 sets a new-row flag
    lines[9] = S("1.0abc");
    lines[10] = S("0.5"); // halves go to even
    writeIni(lines);
    auto f = load();
    EXPECT_EQ(f->txtMovie->text(), movies);
    EXPECT_EQ(f->txtSubs->text(), subs);
    EXPECT_FALSE(f->chLastUsed->isChecked());
    EXPECT_EQ(bands.width[0], 1234.5f);
    EXPECT_EQ(bands.width[1], 1950.f);
    EXPECT_EQ(bands.width[2], 700.f);
    EXPECT_TRUE(bands.newRow[0]);
    EXPECT_FALSE(bands.newRow[1]);
    EXPECT_TRUE(bands.newRow[2]);
    EXPECT_FALSE(f->chMergeW->isChecked());
    EXPECT_TRUE(f->chSplitW->isChecked());
    EXPECT_FALSE(f->chShiftW->isChecked());
    EXPECT_TRUE(f->chStretchW->isChecked());
    // The load saved them again, in the file's own spelling.
    lines[8] = S("-1 ");
    lines[9] = S(" 1 ");
    lines[10] = S(" 0 ");
    EXPECT_EQ(iniLines().mid(0, 14), lines);
}

TEST_F(SettingsTest, MissingFoldersAndOtherVersionsGiveWayToTheProgramFolder) {
    const QString subs = folder("subs");
    writeIni(storedLines(dir.path(S("gone")), subs));
    auto f = load();
    EXPECT_EQ(f->txtMovie->text(), program);
    EXPECT_EQ(f->txtSubs->text(), subs);
    EXPECT_EQ(iniLines().at(1), program);

    // A signature in other capitals is another version: every stored value is discarded.
    f.reset();
    QStringList lines = storedLines(subs, subs);
    lines[0] = S("lumerin2.0");
    writeIni(lines);
    f = load();
    EXPECT_EQ(f->txtSubs->text(), program);
    EXPECT_TRUE(f->chLastUsed->isChecked());
    EXPECT_EQ(iniLines().at(0), S("Lumerin2.0"));
    EXPECT_EQ(iniLines().at(3), S(" 1 "));
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(SettingsTest, AnUnreadableFileIsDeletedAndTheProgramEnds) {
    const QString subs = folder("subs");
    std::vector<QStringList> broken;
    broken.push_back(storedLines(subs, subs).mid(0, 13)); // a line short
    broken.push_back(storedLines(subs, subs));
    broken.back()[3] = S("40000"); // beyond an Integer
    broken.push_back(storedLines(subs, subs));
    broken.back()[11] = S(" 3 "); // no check box value
    broken.push_back(storedLines(subs, subs));
    broken.back()[5] = S("1") + QString(40, u'0'); // beyond a Single
    for (const QStringList& lines : broken) {
        writeIni(lines);
        Boxes().shown.clear();
        FakeDesk().exitCodes.clear();
        Boxes().expect(vb::OK, S("Couldn't load settings."));
        auto f = load();
        ASSERT_EQ(Boxes().shown.size(), 1u) << lines.join(u'|').toStdString();
        EXPECT_EQ(Boxes().shown[0].text, S("Couldn't load settings.  Settings have been reset to default.\r\n"
                                           "Please restart Lumerin.  We are sorry for the inconvenience."));
        EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly);
        EXPECT_EQ(Boxes().shown[0].title, S("Lumerin"));
        EXPECT_EQ(FakeDesk().exitCodes, std::vector<int>{0});
        EXPECT_FALSE(QFileInfo::exists(program + S("lumi.ini")));
    }
    // The next start writes a new file.
    auto f = load();
    EXPECT_EQ(iniLines().size(), 15); // 14 lines and the last line end
}

TEST_F(SettingsTest, ApplyOkCancelAndTheCloseBox) {
    const QString subs = folder("subs"), movies = folder("movies");
    auto f = load();
    f->show();
    retype(f->txtSubs, subs);
    click(f->chLastUsed);
    click(f->btApply);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(iniLines().at(2), subs);
    EXPECT_EQ(iniLines().at(3), S(" 0 "));

    // Cancel hides and brings the stored values back.
    retype(f->txtMovie, movies);
    click(f->chShiftW);
    EXPECT_FALSE(f->chShiftW->isChecked());
    click(f->btCancel);
    EXPECT_TRUE(f->isHidden());
    EXPECT_EQ(f->txtMovie->text(), program);
    EXPECT_TRUE(f->chShiftW->isChecked());
    EXPECT_EQ(f->txtSubs->text(), subs);

    // So does the close box, which only hides the window.
    f->show();
    click(f->chSplitW);
    EXPECT_FALSE(f->chSplitW->isChecked());
    f->close();
    EXPECT_TRUE(f->isHidden());
    EXPECT_TRUE(f->chSplitW->isChecked());

    // OK hides and saves.
    f->show();
    retype(f->txtMovie, movies);
    click(f->chMergeW);
    EXPECT_FALSE(f->chMergeW->isChecked());
    click(f->btOk);
    EXPECT_TRUE(f->isHidden());
    EXPECT_EQ(iniLines().at(1), movies);
    EXPECT_EQ(iniLines().at(10), S(" 0 "));

    // The program ends: the window writes what it holds.
    f->show();
    click(f->btFolderDefaults);
    EXPECT_EQ(f->txtMovie->text(), program);
    EXPECT_TRUE(f->chLastUsed->isChecked());
    EXPECT_EQ(iniLines().at(1), movies); // defaults are not saved by themselves
    f->Unload();
    EXPECT_EQ(iniLines().at(1), program);
    EXPECT_EQ(iniLines().at(3), S(" 1 "));
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(SettingsTest, TheNewLineMarker) {
    host.l->SelectSub(0);
    auto f = load();
    f->show();
    retype(f->txtNewLine, S("|"));
    // Search takes the field at once; the listing only on Apply or OK.
    EXPECT_EQ(NewLineField(), S("|"));
    EXPECT_EQ(host.l->NewLineChar(), S("\u00A4"));
    click(f->btApply);
    EXPECT_EQ(host.l->NewLineChar(), S("|"));
    EXPECT_EQ(host.l->txtSubText->text(), S("Text 0|line two"));

    retype(f->txtNewLine, S("##"));
    click(f->btCancel);
    EXPECT_EQ(f->txtNewLine->text(), S("##"));
    EXPECT_EQ(NewLineField(), S("##"));
    EXPECT_EQ(host.l->NewLineChar(), S("|"));
    f->show();
    click(f->btOk);
    EXPECT_EQ(host.l->txtSubText->text(), S("Text 0##line two"));
    EXPECT_FALSE(ini().contains(S("##"))); // never stored

    // The user-interface defaults change the field and the bands at once, and store nothing.
    f->show();
    click(f->chStretchW);
    const QString before = ini();
    click(f->btUserDefaults);
    EXPECT_EQ(f->txtNewLine->text(), S("\u00A4"));
    EXPECT_EQ(NewLineField(), S("\u00A4"));
    EXPECT_TRUE(f->chStretchW->isChecked());
    EXPECT_EQ(bands.width[0], 1770.f);
    EXPECT_EQ(bands.width[1], 1950.f);
    EXPECT_EQ(bands.width[2], 1710.f);
    EXPECT_FALSE(bands.newRow[0] || bands.newRow[1] || bands.newRow[2]);
    EXPECT_EQ(ini(), before);
    EXPECT_EQ(host.l->NewLineChar(), S("##"));
}

TEST_F(SettingsTest, AnEmptyNewLineMarkerIsRefused) {
    host.l->SelectSub(0);
    auto f = load();
    f->show();
    for (QPushButton* b : {f->btApply, f->btOk}) {
        retype(f->txtNewLine, QString());
        Boxes().expect(vb::OK, S("newline"));
        click(b);
        EXPECT_EQ(host.l->NewLineChar(), S("\u00A4"));
        EXPECT_EQ(f->txtNewLine->text(), S("\u00A4"));
        EXPECT_EQ(NewLineField(), S("\u00A4"));
        EXPECT_TRUE(f->isVisible());
    }
    ASSERT_EQ(Boxes().shown.size(), 2u);
    EXPECT_EQ(Boxes().shown[0].title, S("Incorrect Value"));
    // The two-line row still shows, and keeps, its line break.
    host.l->SetTextFocus();
    QTest::keyClick(host.l->txtSubText, Qt::Key_Right);
    EXPECT_EQ(host.subs.SubText(0), S("Text 0\r\nline two"));
}

TEST_F(SettingsTest, AssociationRowsFollowTheDesktop) {
    XdgFolders xdg;
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    XdgFolders::makeProgram(program + exe);
    auto f = load();
    f->show();
    clickRow(f->lstExt, 0);
    clickRow(f->lstExt, 4);
    click(f->btOk);
    EXPECT_EQ(GetOpenCommand(S(".Srt")), program + exe + S(" %f"));
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Ssa\\DefaultIcon")), S("lumerin-ssa"));
    EXPECT_EQ(GetKeyDefault(S("Lumerin.Ssa")), S("Subtitle file"));
    EXPECT_FALSE(IsEditorExt(S(".Sub")));

    // Another window of the same program reads the choice back.
    auto g = std::make_unique<frmSettings>(host.l, &bands);
    EXPECT_EQ(selectedRows(g->lstExt), (std::vector<int>{0, 4}));
    g.reset();

    // The same choice again changes nothing.
    auto lists = [&] {
        QFile file(xdg.mimeapps());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = lists();
    ASSERT_TRUE(before.contains("lumerin.ssa.desktop"));
    const QFileInfo entry(xdg::UserEntryPath(S("lumerin.srt.desktop")));
    const QDateTime written = entry.lastModified();
    f->show();
    click(f->btApply);
    EXPECT_EQ(lists(), before);
    EXPECT_EQ(QFileInfo(entry.filePath()).lastModified(), written);

    // Cancel forgets an unselected row; Apply removes its association.
    clickRow(f->lstExt, 0);
    click(f->btCancel);
    EXPECT_EQ(selectedRows(f->lstExt), (std::vector<int>{0, 4}));
    f->show();
    clickRow(f->lstExt, 0);
    click(f->btApply);
    EXPECT_FALSE(IsEditorExt(S(".Srt")));
    EXPECT_FALSE(QFileInfo::exists(entry.filePath()));
    EXPECT_TRUE(IsEditorExt(S(".Ssa")));
}

TEST_F(SettingsTest, TheIconOfTheFocusedRow) {
    auto f = load();
    f->show();
    auto shown = [&] {
        std::vector<int> v;
        for (int i = 0; i < 7; ++i)
            if (!f->imgIcon[i]->isHidden()) v.push_back(i);
        return v;
    };
    EXPECT_EQ(shown(), std::vector<int>{0});
    EXPECT_EQ(f->findChild<QLabel*>(S("imgIcon_0")), f->imgIcon[0]);
    clickRow(f->lstExt, 3);
    EXPECT_EQ(shown(), std::vector<int>{4});
    QTest::keyClick(f->lstExt, Qt::Key_Down);
    EXPECT_EQ(shown(), std::vector<int>{5});
}

TEST_F(SettingsTest, BrowsingForFolders) {
    const QString subs = folder("subs"), movies = folder("movies");
    auto f = load();
    f->show();
    Dialogs().expectFolder(subs);
    click(f->btBrowseSubs);
    EXPECT_EQ(f->txtSubs->text(), subs);
    ASSERT_EQ(Dialogs().shown.size(), 1u);
    EXPECT_EQ(Dialogs().shown[0].title, S("Select a folder to use as default subtitle folder"));
    // A cancelled browse leaves the box as it was.
    Dialogs().expectCancel(S("folder"));
    click(f->btBrowseSubs);
    EXPECT_EQ(f->txtSubs->text(), subs);
    Dialogs().expectFolder(movies);
    click(f->btBrowseMovie);
    EXPECT_EQ(f->txtMovie->text(), movies);
    EXPECT_EQ(Dialogs().shown.back().title, S("Select a folder to use as default movie folder"));
}

TEST_F(SettingsTest, TroubleAfterStartUp) {
    const QString subs = folder("subs");
    auto f = load();
    f->show();
    // A file broken while the program runs: reset, told, but the program goes on.
    writeIni(storedLines(subs, subs).mid(0, 5));
    Boxes().expect(vb::OK, S("Couldn't load settings."));
    click(f->btCancel);
    EXPECT_EQ(Boxes().shown.size(), 1u);
    EXPECT_TRUE(FakeDesk().exitCodes.empty());
    EXPECT_FALSE(QFileInfo::exists(program + S("lumi.ini")));

    // A file that can't be written: the folders fall back to the program folder, silently.
    QDir().mkpath(program + S("lumi.ini"));
    f->show();
    retype(f->txtSubs, subs);
    click(f->btApply);
    EXPECT_EQ(f->txtSubs->text(), program);
    EXPECT_EQ(Boxes().shown.size(), 1u);
}

TEST_F(SettingsTest, AProgramFolderThatCannotBeWrittenKeepsTheFileInTheUsersConfig) {
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path(S("config")).toUtf8());
    FakeDesk().folder = dir.path(S("readonly"));
    auto f = load();
    EXPECT_TRUE(dir.read(S("config/lumerin/lumi.ini")).startsWith("Lumerin2.0\r\n"));
    EXPECT_TRUE(Boxes().shown.empty());
    if (old.isEmpty()) qunsetenv("XDG_CONFIG_HOME");
    else qputenv("XDG_CONFIG_HOME", old);
}

namespace {
void showMain(frmMain& w, int width) {
    w.resize(width, 600);
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
}
void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
std::vector<QToolBar*> bandsOf(const frmMain& w) { return {w.Toolbar1, w.ShowHideBar, w.BadBar, w.DefBar}; }
} // namespace

TEST_F(SettingsTest, ABandThatEndsItsRowIsKeptAtItsOwnWidth) {
    {
        frmMain wide;
        showMain(wide, 1250);
        // The user puts the shift and stretch band at the end of the row, which stretches it.
        wide.addToolBar(Qt::TopToolBarArea, wide.ShowHideBar);
        settle();
        ASSERT_GT(wide.ShowHideBar->x(), wide.DefBar->x());
        wide.Settings()->btApply->click();
    }
    // The next session, in the bands' own order and a narrower window, shows every button.
    frmMain w;
    showMain(w, 760);
    settle();
    for (QToolBar* b : bandsOf(w))
        for (QAction* a : b->actions()) {
            if (a->isSeparator()) continue;
            EXPECT_TRUE(b->widgetForAction(a)->isVisible()) << a->toolTip().toStdString();
        }
}

TEST_F(SettingsTest, CancelLeavesTheBandsAsTheUserHasThem) {
    frmMain w;
    showMain(w, 1000);
    // Two rows in an order of the user's own: 1 3 over 4 2.
    w.addToolBar(Qt::TopToolBarArea, w.ShowHideBar);
    w.insertToolBarBreak(w.DefBar);
    settle();
    auto layout = [&w] {
        std::vector<QRect> r;
        for (QToolBar* b : bandsOf(w)) r.push_back(b->geometry());
        return r;
    };
    const std::vector<QRect> had = layout();
    ASSERT_GT(w.ShowHideBar->x(), w.DefBar->x());
    ASSERT_GT(w.DefBar->y(), w.BadBar->y());
    frmSettings* f = w.Settings();
    f->show();
    click(f->btCancel);
    settle();
    EXPECT_EQ(layout(), had);

    // Defaults change the bands at once; Cancel puts back what the user had.
    f->show();
    click(f->btUserDefaults);
    settle();
    EXPECT_EQ(w.DefBar->y(), w.BadBar->y());
    click(f->btCancel);
    settle();
    EXPECT_EQ(layout(), had);
}

TEST_F(SettingsTest, ABandWidthNoWindowCanTakeIsRefused) {
    QStringList lines = storedLines(program, program);
    lines[4] = S("1") + QString(30, u'0'); // a Single, but no band is that wide
    writeIni(lines);
    Boxes().expect(vb::OK, S("Couldn't load settings."));
    frmMain w;
    EXPECT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(FakeDesk().exitCodes, std::vector<int>{0});
    EXPECT_FALSE(QFileInfo::exists(program + S("lumi.ini")));
}
