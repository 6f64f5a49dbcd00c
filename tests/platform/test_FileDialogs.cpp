#include "platform/FileDialogs.h"
#include "platform/Shell.h"
#include "tests/support/Scripted.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
const QString kFilters = QStringLiteral("Subrip (*.srt)") + QChar(0) + QStringLiteral("*.srt") + QChar(0) +
                         QStringLiteral("SAMI (*.smi, *.sami)") + QChar(0) + QStringLiteral("*.smi;*.sami") + QChar(0) +
                         QStringLiteral("Raw text (*.txt)") + QChar(0) + QStringLiteral("*.txt");

// Runs the real dialogs for one test and drives the dialog that opens with a handler.
class RealDialogs {
public:
    RealDialogs() : previous_(InstallFileDialogs(nullptr)) {}
    ~RealDialogs() { InstallFileDialogs(previous_); }

    void drive(std::function<void(QFileDialog*)> handler) {
        QTimer::singleShot(0, [handler] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d) {
                ADD_FAILURE() << "no file dialog open";
                return;
            }
            handler(d);
        });
        // Never block: whatever is still open after a while is closed.
        QTimer::singleShot(5000, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
    }

private:
    FileDialogs* previous_;
};
} // namespace

TEST(FileDialogs, QtFiltersTakeThePatternHalf) {
    EXPECT_EQ(QtNameFilters(kFilters), (QStringList{QStringLiteral("Subrip (*.srt) (*.srt)"),
                                                    QStringLiteral("SAMI (*.smi, *.sami) (*.smi *.sami)"),
                                                    QStringLiteral("Raw text (*.txt) (*.txt)")}));
}

TEST(FileDialogs, CancelledSaveLeavesTheIndex) {
    Dialogs().expectCancel(QStringLiteral("save"));
    Dialogs().expectSave(QStringLiteral("/s/b"), 3);
    int index = 7;
    EXPECT_EQ(GetSaveFileRaw(nullptr, kFilters, QStringLiteral("Save"), QStringLiteral("/s/"), index),
              QStringLiteral("cancel"));
    EXPECT_EQ(index, 7);
    EXPECT_EQ(GetSaveFileRaw(nullptr, kFilters, QStringLiteral("Save"), QStringLiteral("/s/"), index),
              QStringLiteral("/s/b"));
    EXPECT_EQ(index, 2);
}

TEST(FileDialogs, RealSaveDialogMapsTheChosenFilterAndAsksNothing) {
    TempDir dir;
    const QString existing = dir.write(QStringLiteral("movie.smi"), "x");
    RealDialogs real;
    bool checked = false;
    real.drive([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Save it"));
        EXPECT_TRUE(d->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_TRUE(d->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(d->selectedNameFilter(), QStringLiteral("Subrip (*.srt)")); // patterns hidden
        EXPECT_EQ(d->directory().absolutePath(), dir.folder().chopped(1));
        d->selectNameFilter(QtNameFilters(kFilters).at(1));
        d->selectFile(existing);
        checked = true;
        static_cast<QDialog*>(d)->accept(); // as the dialog's own button does
    });
    int index = -5;
    const QString path = GetSaveFileRaw(nullptr, kFilters, QStringLiteral("Save it"), dir.folder(), index);
    EXPECT_TRUE(checked);
    EXPECT_EQ(path, existing);
    EXPECT_EQ(index, 1); // the second filter
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST(FileDialogs, RealOpenDialogAndCancel) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("a.srt"), "1");
    RealDialogs real;
    real.drive([&](QFileDialog* d) {
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        d->selectFile(file);
        static_cast<QDialog*>(d)->accept(); // as the dialog's own button does
    });
    EXPECT_EQ(GetOpenFile(nullptr, kFilters, QStringLiteral("Open"), dir.folder()), file);
    real.drive([](QFileDialog* d) { d->reject(); });
    EXPECT_EQ(GetOpenFile(nullptr, kFilters, QStringLiteral("Open"), dir.folder()), QStringLiteral("cancel"));
    real.drive([](QFileDialog* d) {
        EXPECT_EQ(d->fileMode(), QFileDialog::Directory);
        d->reject();
    });
    EXPECT_EQ(BrowseFolder(QStringLiteral("Folder"), nullptr), QString());
}

TEST(ShellOpen, FailuresAreTold) {
    FakeDesk().shellResult = 42;
    ShellOpen(QStringLiteral("/x/manual.html"));
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_EQ(FakeDesk().opened, QStringList{QStringLiteral("/x/manual.html")});

    FakeDesk().shellResult = 2;
    Boxes().expect(vb::OK);
    ShellOpen(QStringLiteral("/x/manual.html"));
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, QStringLiteral("Problem running your web browser. You should check that your "
                                                    "browser is correctly installed. (Error  2)"));
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Browser Unavailable"));
    EXPECT_EQ(Boxes().shown[0].flags, vb::OKOnly | vb::Exclamation);

    FakeDesk().shellResult = 31;
    Boxes().expect(vb::OK);
    ShellOpen(QStringLiteral("/x/manual.html"));
    ASSERT_EQ(Boxes().shown.size(), 2u);
    EXPECT_EQ(Boxes().shown[1].text,
              QStringLiteral("Lumerin could not find a file association for /x/manual.html on your system. You should "
                             "check that your browser is correctly installed and associated with this type of file."));
    EXPECT_EQ(Boxes().shown[1].flags, vb::OKOnly | vb::Exclamation);
}
