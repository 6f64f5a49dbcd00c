#include "tests/support/Scripted.h"
#include "tests/support/FakePlayer.h"
#include "tests/support/XdgFolders.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <memory>

namespace {
ScriptedBoxes boxes;
ScriptedForms forms;
FakeDesktop desk;
ScriptedDialogs dialogs;
QTemporaryDir* programDir = nullptr;
std::unique_ptr<XdgFolders> desktopFolders;

// Resets the stand-ins around every test and checks that every scripted answer was used.
class ResetListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        boxes.reset();
        forms.reset();
        desk.reset();
        dialogs.reset();
        InstallFakePlayers();
        FakePlayers().clear();
    }
};
} // namespace

ScriptedBoxes& Boxes() { return boxes; }
ScriptedForms& Forms() { return forms; }
FakeDesktop& FakeDesk() { return desk; }
ScriptedDialogs& Dialogs() { return dialogs; }

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::next(const ShownDialog& d) {
    shown.push_back(d);
    if (script_.empty()) {
        ADD_FAILURE() << "Unexpected " << d.kind.toStdString() << " dialog: \"" << d.title.toStdString() << "\"";
        return std::nullopt;
    }
    Expected e = script_.front();
    script_.pop_front();
    if (e.kind != d.kind) {
        ADD_FAILURE() << "Expected a " << e.kind.toStdString() << " dialog, got " << d.kind.toStdString() << " \""
                      << d.title.toStdString() << "\"";
        return std::nullopt;
    }
    if (e.cancel) return std::nullopt;
    return e;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& filterList, const QString& title,
                                                 const QString& folder) {
    const auto e = next({QStringLiteral("open"), title, folder, filterList});
    if (!e) return std::nullopt;
    return e->path;
}

std::optional<SaveChoice> ScriptedDialogs::saveFile(QWidget*, const QString& filterList, const QString& title,
                                                    const QString& folder) {
    const auto e = next({QStringLiteral("save"), title, folder, filterList});
    if (!e) return std::nullopt;
    return SaveChoice{e->path, e->filterIndex};
}

std::optional<QString> ScriptedDialogs::browseFolder(const QString& title, QWidget*) {
    const auto e = next({QStringLiteral("folder"), title, QString(), QString()});
    if (!e) return std::nullopt;
    return e->path;
}

void ScriptedDialogs::expectOpen(const QString& path) { script_.push_back({QStringLiteral("open"), false, path, 1}); }
void ScriptedDialogs::expectSave(const QString& path, int filterIndex) {
    script_.push_back({QStringLiteral("save"), false, path, filterIndex});
}
void ScriptedDialogs::expectFolder(const QString& folder) {
    script_.push_back({QStringLiteral("folder"), false, folder, 1});
}
void ScriptedDialogs::expectCancel(const QString& kind) { script_.push_back({kind, true, QString(), 1}); }

void ScriptedDialogs::reset() {
    shown.clear();
    script_.clear();
}

int ScriptedBoxes::show(const QString& text, int flags, const QString& title) {
    shown.push_back({text, flags & ~(vb::DefaultButton2 | vb::DefaultButton3), title, DefaultAnswer(flags)});
    if (script_.empty()) {
        ADD_FAILURE() << "Unexpected message box: \"" << text.toStdString() << "\" (" << title.toStdString() << ")";
        return (flags & 0x0F) == vb::OKOnly ? vb::OK : vb::Cancel;
    }
    Expected e = script_.front();
    script_.pop_front();
    if (!e.textPart.isEmpty()) {
        EXPECT_TRUE(text.contains(e.textPart))
            << "box \"" << text.toStdString() << "\" lacks \"" << e.textPart.toStdString() << "\"";
    }
    return e.answer;
}

void ScriptedBoxes::expect(int answer, const QString& textPart) { script_.push_back({answer, textPart}); }

void ScriptedBoxes::reset() {
    shown.clear();
    script_.clear();
}

void ScriptedForms::run(QDialog* form) {
    shown.append(form->objectName());
    if (script_.empty()) {
        ADD_FAILURE() << "Unexpected modal form: " << form->objectName().toStdString();
        form->hide();
        return;
    }
    Handler h = std::move(script_.front());
    script_.pop_front();
    form->show();
    h(form);
    if (form->isVisible()) {
        ADD_FAILURE() << "Modal form still open after its handler: " << form->objectName().toStdString();
        form->hide();
    }
}

void ScriptedForms::expect(Handler handler) { script_.push_back(std::move(handler)); }

void ScriptedForms::reset() {
    shown.clear();
    script_.clear();
}

QAction* FakeDesktop::popup(QMenu* menu, const QPoint&) {
    popups.append(menu->objectName());
    if (popupChoices.empty()) return nullptr;
    const QString name = popupChoices.front();
    popupChoices.pop_front();
    if (name.isEmpty()) return nullptr;
    auto* action = menu->findChild<QAction*>(name);
    if (!action) {
        for (QAction* a : menu->actions())
            if (a->objectName() == name) action = a;
    }
    if (!action) {
        ADD_FAILURE() << "No action " << name.toStdString() << " in popup " << menu->objectName().toStdString();
        return nullptr;
    }
    action->trigger();
    return action;
}

void FakeDesktop::reset() {
    folder = programDir ? programDir->path() : QString();
    file = Desktop::programFile();
    command.clear();
    beeps = 0;
    clipboard.clear();
    opened.clear();
    shellResult = 42;
    exitCodes.clear();
    popups.clear();
    popupChoices.clear();
}

void ScriptedEnvironment::SetUp() {
    programDir = new QTemporaryDir();
    // Tests never write the user's own desktop database.
    desktopFolders = std::make_unique<XdgFolders>();
    InstallMessageBoxes(&boxes);
    InstallModalRunner(&forms);
    InstallDesktop(&desk);
    InstallFileDialogs(&dialogs);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetListener);
}

void ScriptedEnvironment::TearDown() {
    InstallMessageBoxes(nullptr);
    InstallModalRunner(nullptr);
    InstallDesktop(nullptr);
    InstallFileDialogs(nullptr);
    SetMediaPlayerFactory({});
    desktopFolders.reset();
    delete programDir;
    programDir = nullptr;
}
