// The split tool's dialog and wizard, driven as a user would: the checks before anything is
// written, the files written, and the part kept open.
#include "formats/FormatChoice.h"
#include "formats/FormatForm.h"
#include "formats/clsFileSMIFrm1.h"
#include "tests/support/TempDir.h"
#include "tests/tools/SplitMergeTesting.h"
#include "tests/tools/ToolFixture.h"
#include "tools/frmSplit.h"
#include "tools/frmSubSelector.h"
#include "tools/wzSplit.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
struct SplitDialog : ToolFixture {
    TempDir dir;
    frmSplit f{&host};
    QString p1 = dir.path(QStringLiteral("a.srt")), p2 = dir.path(QStringLiteral("b.srt"));
    explicit SplitDialog(int count) : ToolFixture(count) {
        f.SetStructs(&subs, &cSel);
        activate(&f);
    }
    void fill(const QString& index, const QString& a, const QString& b) {
        type(f.txtMarkerSub, index);
        type(f.txtFile[0], a);
        type(f.txtFile[1], b);
    }
    std::vector<SrtEntry> entries(int from, int to, qint32 shift = 0) const {
        std::vector<SrtEntry> v;
        for (int i = from; i <= to; ++i)
            v.push_back({subs.SubTimeIn(i) + shift, subs.SubTimeOut(i) + shift, subs.SubText(i)});
        return v;
    }
};

struct SplitWizard : ToolFixture {
    TempDir dir;
    wzSplit w{&host};
    QString p1 = dir.path(QStringLiteral("a.srt")), p2 = dir.path(QStringLiteral("b.srt"));
    explicit SplitWizard(int count, int defSel = -2) : ToolFixture(count) {
        w.SetSubs(&subs, defSel);
        activate(&w);
    }
    void next() { click(w.btNext); }
    void toPage(int page) {
        while (w.CurrentPage() < page) next();
    }
};

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}
} // namespace

TEST(SplitDialogWindow, SplitsAfterTheTypedSubtitleAndKeepsTheOriginalOpen) {
    SplitDialog d(5);
    EXPECT_EQ(d.f.windowTitle(), QStringLiteral("Split File"));
    EXPECT_FALSE(d.f.txtReset->Enabled());
    const auto first = d.entries(0, 1), second = d.entries(2, 4);
    d.fill(QStringLiteral("1"), d.p1, d.p2);
    ToolFixture::settle();
    // Leaving the number box selects that subtitle in the main window.
    EXPECT_EQ(d.cSel.value(), 1);
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(read(d.p1), SrtBytes(first));
    EXPECT_EQ(read(d.p2), SrtBytes(second));
    EXPECT_EQ(d.subs.count(), 5);
    EXPECT_FALSE(d.f.isVisible());
    EXPECT_TRUE(d.host.calls.isEmpty());
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(SplitDialogWindow, NumberBoxFollowsTheSelectionItWritesTo) {
    SplitDialog d(5);
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("9"));
    QTest::keyClick(d.f.txtMarkerSub, Qt::Key_Tab);
    ToolFixture::settle();
    EXPECT_EQ(d.cSel.value(), 4); // the selection clamps
    EXPECT_EQ(d.f.txtMarkerSub->text(), QStringLiteral("4"));
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("-1"));
    QTest::keyClick(d.f.txtMarkerSub, Qt::Key_Tab);
    ToolFixture::settle();
    EXPECT_EQ(d.cSel.value(), -1);
    EXPECT_EQ(d.f.txtMarkerSub->text(), QString());
    // Numbers beyond every integer clamp like any other.
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("99999999999999999999"));
    QTest::keyClick(d.f.txtMarkerSub, Qt::Key_Tab);
    ToolFixture::settle();
    EXPECT_EQ(d.cSel.value(), 4);
    EXPECT_EQ(d.f.txtMarkerSub->text(), QStringLiteral("4"));

    d.cSel.setValue(2);
    ToolFixture::click(d.f.btMarkCurrentSub);
    EXPECT_EQ(d.f.txtMarkerSub->text(), QStringLiteral("2"));
    d.cSel.setValue(-2);
    ToolFixture::click(d.f.btMarkCurrentSub);
    EXPECT_EQ(d.f.txtMarkerSub->text(), QString());
}

TEST(SplitDialogWindow, ChecksBeforeAnythingIsWritten) {
    SplitDialog d(5);
    auto refused = [&d](const QString& text, const QString& title) {
        Boxes().expect(vb::OK);
        ToolFixture::click(d.f.btOk);
        ASSERT_FALSE(Boxes().shown.empty());
        EXPECT_EQ(Boxes().shown.back().text, text);
        EXPECT_EQ(Boxes().shown.back().title, title);
        EXPECT_TRUE(d.f.isVisible());
        EXPECT_FALSE(QFile::exists(d.p1));
    };
    d.fill(QStringLiteral("4"), d.p1, d.p2);
    refused(QStringLiteral("Invalid or no subtitle selected"), QStringLiteral("Invalid input"));
    EXPECT_EQ(Boxes().shown.back().flags, vb::Exclamation);
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("3.6")); // rounds to 4
    refused(QStringLiteral("Invalid or no subtitle selected"), QStringLiteral("Invalid input"));
    ToolFixture::type(d.f.txtMarkerSub, QString());
    refused(QStringLiteral("Invalid or no subtitle selected"), QStringLiteral("Invalid input"));

    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("3"));
    ToolFixture::type(d.f.txtFile[1], d.dir.path(QStringLiteral("nowhere/b.srt")));
    refused(QStringLiteral("You didn't enter a correct path"), QStringLiteral("Invalid input"));
    ToolFixture::type(d.f.txtFile[1], d.p1);
    refused(QStringLiteral("Your files cannot be the same"), QStringLiteral("Invalid file"));
    ToolFixture::type(d.f.txtFile[1], QString());
    refused(QStringLiteral("Please enter a filename"), QStringLiteral("Invalid filename"));

    // Cancel to the second overwrite question writes neither file.
    d.dir.write(QStringLiteral("b.srt"), "old");
    ToolFixture::type(d.f.txtFile[1], d.p2);
    Boxes().expect(vb::Cancel, QStringLiteral("File 2 already exists, overwrite?"));
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(Boxes().shown.back().title, QStringLiteral("File exists"));
    EXPECT_EQ(Boxes().shown.back().flags, vb::OKCancel);
    EXPECT_FALSE(QFile::exists(d.p1));
    EXPECT_EQ(read(d.p2), QByteArray("old"));

    Boxes().expect(vb::OK, QStringLiteral("File 2 already exists, overwrite?"));
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(read(d.p2), SrtBytes(d.entries(4, 4)));
    EXPECT_FALSE(d.f.isVisible());
}

TEST(SplitDialogWindow, LeavingAFileBoxWithAMissingFolder) {
    SplitDialog d(5);
    Boxes().expect(vb::OK, QStringLiteral("Invalid path"));
    ToolFixture::type(d.f.txtFile[0], QStringLiteral("/no/such/folder/a.srt"));
    QTest::keyClick(d.f.txtFile[0], Qt::Key_Tab);
    ToolFixture::settle();
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Invalid input"));
    EXPECT_EQ(d.f.focusWidget(), d.f.txtFile[0]);
}

TEST(SplitDialogWindow, ANameWithoutFolderIsWrittenInTheWorkingFolder) {
    SplitDialog d(5);
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(d.dir.folder());
    d.fill(QStringLiteral("2"), QStringLiteral("x.srt"), QStringLiteral("y.srt"));
    d.f.chLast->setChecked(true);
    ToolFixture::click(d.f.btOk);
    QDir::setCurrent(cwd);
    EXPECT_TRUE(QFile::exists(d.dir.path(QStringLiteral("x.srt"))));
    EXPECT_EQ(d.host.calls, QStringList{QStringLiteral("LoadPart ") + QDir::cleanPath(d.dir.path("y.srt"))});
}

TEST(SplitDialogWindow, RestartedSecondPartKeptOpen) {
    SplitDialog d(5);
    d.cSel.setValue(3);
    const auto second = d.entries(2, 4, 61000 - d.subs.SubTimeIn(2));
    d.fill(QStringLiteral("1"), d.p1, d.p2);
    // The caption beside the box switches it too.
    QTest::mouseClick(d.f.Label7, Qt::LeftButton, {}, {10, 8});
    EXPECT_TRUE(d.f.chReset->isChecked());
    EXPECT_TRUE(d.f.txtReset->Enabled());
    ToolFixture::typeTime(d.f.txtReset, {"00", "01", "01", "000"});
    ToolFixture::click(d.f.chLast);
    d.host.doc = &d.subs;
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(read(d.p2), SrtBytes(second));
    ASSERT_EQ(d.subs.count(), 3);
    EXPECT_EQ(d.subs.SubTimeIn(0), 61000);
    EXPECT_EQ(d.cSel.value(), -2);
    EXPECT_EQ(d.host.calls, QStringList{QStringLiteral("LoadPart ") + d.p2});
}

TEST(SplitDialogWindow, BrowseChoosesFileAndFormat) {
    SplitDialog d(5);
    d.host.subFolder = d.dir.folder();
    const QString smi = d.dir.path(QStringLiteral("b"));
    Dialogs().expectSave(smi, 3); // SAMI
    ToolFixture::click(d.f.btBrowse[1]);
    ASSERT_EQ(Dialogs().shown.size(), 1u);
    EXPECT_EQ(Dialogs().shown[0].title, QStringLiteral("Save second part"));
    EXPECT_EQ(Dialogs().shown[0].folder, d.dir.folder());
    EXPECT_EQ(d.f.txtFile[1]->text(), smi + QStringLiteral(".smi"));
    EXPECT_EQ(d.f.FileType[1], 2);

    Dialogs().expectCancel(QStringLiteral("save"));
    ToolFixture::click(d.f.btBrowse[1]);
    EXPECT_EQ(d.f.txtFile[1]->text(), smi + QStringLiteral(".smi"));
    EXPECT_EQ(d.f.FileType[1], 2);

    // A missing default folder starts in the program folder.
    d.host.subFolder = d.dir.path(QStringLiteral("gone"));
    Dialogs().expectSave(d.p1, 1);
    ToolFixture::click(d.f.btBrowse[0]);
    EXPECT_EQ(Dialogs().shown.back().title, QStringLiteral("Save first part"));
    EXPECT_EQ(Dialogs().shown.back().folder, ProgramFolder());

    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("0"));
    Forms().expect([](QDialog* f) { qobject_cast<clsFileSMIFrm1*>(f)->btOk->click(); });
    ToolFixture::click(d.f.btOk);
    EXPECT_TRUE(read(d.f.txtFile[1]->text()).startsWith("<SAMI>"));
}

TEST(SplitDialogWindow, WizardButtonAndCloseBox) {
    SplitDialog d(5);
    d.host.wizard[2] = false;
    ToolFixture::type(d.f.txtFile[0], d.p1);
    ToolFixture::click(d.f.chReset);
    d.f.close();
    EXPECT_FALSE(d.f.isVisible());
    // Closing unloads: the next use starts afresh.
    EXPECT_EQ(d.f.txtFile[0]->text(), QString());
    EXPECT_FALSE(d.f.chReset->isChecked());
    EXPECT_FALSE(d.f.txtReset->Enabled());

    ToolFixture::activate(&d.f);
    ToolFixture::click(d.f.btWizard);
    EXPECT_TRUE(d.host.wizard[2]);
    EXPECT_FALSE(d.f.isVisible());
    EXPECT_EQ(d.host.calls, QStringList{QStringLiteral("subSHWzSplit")});
}

TEST(SplitWizardWindow, AllStepsThenFinish) {
    SplitWizard z(6, 2);
    EXPECT_EQ(z.w.windowTitle(), QStringLiteral("Split Wizard"));
    EXPECT_EQ(z.w.txtFakeCombo->text(), QStringLiteral("2"));
    const auto first = [&z] {
        std::vector<SrtEntry> v;
        for (int i = 0; i <= 3; ++i) v.push_back({z.subs.SubTimeIn(i), z.subs.SubTimeOut(i), z.subs.SubText(i)});
        return v;
    }();
    z.next();
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFakeCombo);
    ToolFixture::type(z.w.txtFakeCombo, QStringLiteral("3"));
    z.next();
    EXPECT_EQ(z.w.cSel->value(), 3);
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFile[0]);
    ToolFixture::type(z.w.txtFile[0], z.p1);
    ToolFixture::type(z.w.txtFile[1], z.p2);
    z.next();
    EXPECT_FALSE(z.w.txtResetTime->Enabled());
    ToolFixture::click(z.w.optTiming[0]);
    EXPECT_TRUE(z.w.txtResetTime->Enabled());
    ToolFixture::typeTime(z.w.txtResetTime, {"00", "00", "02", "500"});
    z.next();
    ToolFixture::click(z.w.optKeepOpen[1]);
    z.next();
    EXPECT_EQ(z.w.btNext->text(), QStringLiteral("Finish"));
    z.host.doc = &z.subs;
    z.next();
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_EQ(read(z.p1), SrtBytes(first));
    ASSERT_EQ(z.subs.count(), 2);
    EXPECT_EQ(z.subs.SubTimeIn(0), 2500);
    EXPECT_EQ(z.subs.SubTimeIn(1), 12500);
    EXPECT_EQ(z.host.calls, QStringList{QStringLiteral("LoadPart ") + z.p2});
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(SplitWizardWindow, SplitIndexCheck) {
    SplitWizard z(5);
    EXPECT_EQ(z.w.txtFakeCombo->text(), QString());
    z.next();
    auto refusedOnNext = [&z](const QString& text) {
        ToolFixture::type(z.w.txtFakeCombo, text);
        Boxes().expect(vb::OK);
        z.next();
        ASSERT_FALSE(Boxes().shown.empty());
        EXPECT_EQ(Boxes().shown.back().text, QStringLiteral("Please insert a value from 0 to 3."));
        EXPECT_EQ(Boxes().shown.back().title, QStringLiteral("Incorrect Value"));
        EXPECT_EQ(z.w.CurrentPage(), 1);
        EXPECT_EQ(z.w.focusWidget(), z.w.txtFakeCombo);
    };
    refusedOnNext(QStringLiteral("4"));
    refusedOnNext(QString());
    refusedOnNext(QStringLiteral("-1"));
    ToolFixture::type(z.w.txtFakeCombo, QStringLiteral("3"));
    z.next();
    EXPECT_EQ(z.w.CurrentPage(), 2);
    EXPECT_EQ(z.w.cSel->value(), 3);
}

TEST(SplitWizardWindow, PickerSelectsTheLastSubtitleOfTheFirstPart) {
    SplitWizard z(8, 1);
    EXPECT_EQ(z.w.SubSelector->lbInfo->text(),
              QStringLiteral("Select the subtitle after the which the file will be splitted.  The subtitle you "
                             "selected will be the LAST subtitle of the first file."));
    // Two-line texts show the main listing's new-line character between their lines.
    EXPECT_EQ(z.w.SubSelector->Listing->NewLineChar(), z.host.NewLineChar());
    z.next();
    Forms().expect([](QDialog* f) {
        auto* p = qobject_cast<frmSubSelector*>(f);
        ASSERT_NE(p, nullptr);
        ToolFixture::clickRow(p->Listing, 5);
        ToolFixture::click(p->btOk);
    });
    ToolFixture::click(z.w.btFakeCombo);
    EXPECT_EQ(z.w.cSel->value(), 5);
    EXPECT_EQ(z.w.txtFakeCombo->text(), QStringLiteral("5"));
    EXPECT_EQ(z.cSel.value(), -2); // the main window's selection stays
}

TEST(SplitWizardWindow, FileChecksOnLeaving) {
    SplitWizard z(5, 1);
    z.host.file = z.dir.path(QStringLiteral("current.srt"));
    z.toPage(2);
    auto refused = [&z](int i, const QString& text, const QString& title) {
        Boxes().expect(vb::OK);
        QTest::keyClick(z.w.txtFile[i], Qt::Key_Tab);
        ToolFixture::settle();
        ASSERT_FALSE(Boxes().shown.empty());
        EXPECT_EQ(Boxes().shown.back().text, text);
        EXPECT_EQ(Boxes().shown.back().title, title);
        EXPECT_EQ(z.w.focusWidget(), z.w.txtFile[i]);
    };
    z.w.txtFile[0]->setFocus(Qt::MouseFocusReason);
    refused(0, QStringLiteral("Please enter a filename"), QStringLiteral("Invalid filename"));
    ToolFixture::type(z.w.txtFile[0], z.dir.path(QStringLiteral("no/a.srt")));
    refused(0, QStringLiteral("This path is invalid"), QStringLiteral("Invalid path"));
    ToolFixture::type(z.w.txtFile[0], z.host.file);
    refused(0, QStringLiteral("You cannot use the same filename as the currently loaded file"),
            QStringLiteral("Invalid file"));
    ToolFixture::type(z.w.txtFile[0], z.p1);
    QTest::keyClick(z.w.txtFile[0], Qt::Key_Tab);
    ToolFixture::settle();
    ToolFixture::type(z.w.txtFile[1], z.p1);
    refused(1, QStringLiteral("Your files cannot be the same"), QStringLiteral("Invalid file"));
    EXPECT_EQ(Boxes().shown.size(), 4u);
}

TEST(SplitWizardWindow, FinishChecksFieldsNeverVisitedAndAsksBeforeOverwriting) {
    SplitWizard z(5, 1);
    z.toPage(2);
    ToolFixture::type(z.w.txtFile[0], z.p1);
    z.toPage(5);
    // The second name was never entered: nothing is written, and the wizard goes back to the
    // page of that field.
    Boxes().expect(vb::OK, QStringLiteral("Please enter a filename"));
    z.next();
    EXPECT_TRUE(z.w.isVisible());
    EXPECT_FALSE(QFile::exists(z.p1));
    EXPECT_EQ(z.w.CurrentPage(), 2);
    EXPECT_EQ(z.w.btNext->text(), QStringLiteral("Next >"));
    EXPECT_TRUE(z.w.txtFile[1]->isVisible());
    EXPECT_EQ(z.w.focusWidget(), z.w.txtFile[1]);

    z.dir.write(QStringLiteral("b.srt"), "keep me");
    z.w.txtFile[1]->setText(z.p2);
    z.toPage(5);
    Boxes().expect(vb::No, QStringLiteral("File already exists, overwrite?"));
    z.next();
    EXPECT_TRUE(z.w.isVisible());
    EXPECT_EQ(read(z.p2), QByteArray("keep me"));
    EXPECT_EQ(Boxes().shown.back().title, QStringLiteral("File exists"));
    EXPECT_EQ(Boxes().shown.back().flags, vb::YesNo);

    Boxes().expect(vb::Yes);
    z.next();
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_NE(read(z.p2), QByteArray("keep me"));
    EXPECT_EQ(z.subs.count(), 5); // the file that was split stays open
    EXPECT_TRUE(z.host.calls.isEmpty());
}

TEST(SplitWizardWindow, BrowseAsksAboutAnExistingFileAndAgain) {
    SplitWizard z(5, 1);
    z.host.subFolder = z.dir.folder();
    z.toPage(2);
    z.dir.write(QStringLiteral("a.srt"), "old");
    Dialogs().expectSave(z.p1, 1);
    Boxes().expect(vb::No, QStringLiteral("File already exists, overwrite?"));
    Dialogs().expectSave(z.dir.path(QStringLiteral("c")), 2); // SubRip
    ToolFixture::click(z.w.btBrowse[0]);
    EXPECT_EQ(Dialogs().shown.size(), 2u);
    EXPECT_EQ(Dialogs().shown[1].title, QStringLiteral("Save first part"));
    EXPECT_EQ(z.w.txtFile[0]->text(), z.dir.path(QStringLiteral("c.srt")));
    EXPECT_EQ(z.w.FileType[0], 1);

    // Agreed in the browse dialog: Finish does not ask again.
    Dialogs().expectSave(z.p1, 1);
    Boxes().expect(vb::Yes);
    ToolFixture::click(z.w.btBrowse[1]);
    EXPECT_EQ(z.w.txtFile[1]->text(), z.p1);
    ToolFixture::type(z.w.txtFile[0], z.p2);
    z.toPage(5);
    const size_t boxes = Boxes().shown.size();
    z.next();
    EXPECT_EQ(Boxes().shown.size(), boxes);
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_NE(read(z.p1), QByteArray("old"));
}

TEST(SplitDialogWindow, ATypedNameDecidesTheFormatWhateverWasBrowsed) {
    SplitDialog d(5);
    d.host.subFolder = d.dir.folder();
    Dialogs().expectSave(d.dir.path(QStringLiteral("b")), 3); // SAMI
    ToolFixture::click(d.f.btBrowse[1]);
    ASSERT_EQ(d.f.FileType[1], 2);
    d.fill(QStringLiteral("1"), d.p1, d.p2); // "b.smi" typed over as "b.srt"
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(read(d.p2), SrtBytes(d.entries(2, 4)));
    EXPECT_FALSE(QFile::exists(d.dir.path(QStringLiteral("b.smi"))));

    // The wizard the same.
    SplitWizard z(5, 1);
    z.host.subFolder = z.dir.folder();
    z.toPage(2);
    Dialogs().expectSave(z.dir.path(QStringLiteral("b")), 3);
    ToolFixture::click(z.w.btBrowse[1]);
    ASSERT_EQ(z.w.FileType[1], 2);
    ToolFixture::type(z.w.txtFile[0], z.p1);
    ToolFixture::type(z.w.txtFile[1], z.p2);
    z.toPage(5);
    z.next();
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_TRUE(read(z.p2).startsWith("1\r\n"));
}

TEST(SplitDialogWindow, ACorrectedNameKeepsTheBrowsedFormat) {
    auto formOk = [] { Forms().expect([](QDialog* f) { qobject_cast<FormatForm*>(f)->btOk->click(); }); };
    // What the SubViewer 1.0 writer makes of entries 2 to 4.
    TempDir refDir;
    const QString refPath = refDir.path(QStringLiteral("ref.sub"));
    {
        ToolFixture doc(5);
        clsSubs part;
        for (int i = 2; i <= 4; ++i) part.AddSub(doc.subs.SubText(i), doc.subs.SubTimeIn(i), doc.subs.SubTimeOut(i));
        std::unique_ptr<intFile> sv1 = NewFileHandler(FileType::SV1);
        sv1->setSavePath(refPath);
        formOk();
        ASSERT_TRUE(sv1->Save(part));
    }
    const QByteArray sv1Bytes = read(refPath);
    ASSERT_TRUE(sv1Bytes.startsWith("[TITLE]"));

    // "partx.sub" browsed as SubViewer 1.0, then one letter typed over.
    auto correct = [](QLineEdit* e) {
        e->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(e, Qt::Key_End);
        for (int k = 0; k < 4; ++k) QTest::keyClick(e, Qt::Key_Left);
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, QStringLiteral("y"));
    };
    SplitDialog d(5);
    d.host.subFolder = d.dir.folder();
    Dialogs().expectSave(d.dir.path(QStringLiteral("partx")), 4);
    ToolFixture::click(d.f.btBrowse[1]);
    ASSERT_EQ(d.f.txtFile[1]->text(), d.dir.path(QStringLiteral("partx.sub")));
    correct(d.f.txtFile[1]);
    ToolFixture::type(d.f.txtMarkerSub, QStringLiteral("1"));
    ToolFixture::type(d.f.txtFile[0], d.p1);
    formOk();
    ToolFixture::click(d.f.btOk);
    EXPECT_EQ(read(d.dir.path(QStringLiteral("party.sub"))), sv1Bytes);

    // The wizard the same.
    SplitWizard z(5, 1);
    z.host.subFolder = z.dir.folder();
    z.toPage(2);
    Dialogs().expectSave(z.dir.path(QStringLiteral("partx")), 4);
    ToolFixture::click(z.w.btBrowse[1]);
    correct(z.w.txtFile[1]);
    ToolFixture::type(z.w.txtFile[0], z.p1);
    z.toPage(5);
    formOk();
    z.next();
    EXPECT_FALSE(z.w.isVisible());
    EXPECT_EQ(read(z.dir.path(QStringLiteral("party.sub"))), sv1Bytes);
}
