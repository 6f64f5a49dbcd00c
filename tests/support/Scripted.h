// Scripted stand-ins for the platform services: message boxes with recorded texts and
// scripted answers, modal forms handled by test code, and a recording desktop. Every test
// runs with them installed; an unexpected box or form fails the test instead of blocking.
#pragma once

#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Readable texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class QDialog;

struct ShownBox {
    QString text;
    int flags; // button set + icon
    QString title;
    int defaultAnswer = vb::OK; // what Enter gives
};

class ScriptedBoxes : public MessageBoxes {
public:
    int show(const QString& text, int flags, const QString& title) override;
    // The next box is answered with answer; its text must contain textPart when given.
    void expect(int answer, const QString& textPart = QString());
    std::vector<ShownBox> shown;
    void reset();

private:
    struct Expected {
        int answer;
        QString textPart;
    };
    std::deque<Expected> script_;
};

class ScriptedForms : public ModalRunner {
public:
    using Handler = std::function<void(QDialog*)>;
    void run(QDialog* form) override;
    // The next modal form is given to handler, which fills it and presses its buttons.
    void expect(Handler handler);
    QStringList shown; // object names of the forms shown
    void reset();

private:
    std::deque<Handler> script_;
};

class FakeDesktop : public Desktop {
public:
    QString programFolder() override { return folder; }
    QString programFile() override { return file; }
    QString commandLine() override { return command; }
    void beep() override { ++beeps; }
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override { clipboard = text; }
    QAction* popup(QMenu* menu, const QPoint& globalPos) override;
    QStringList screenFonts() override { return fonts; }
    int shellOpen(const QString& document) override {
        opened.append(document);
        return shellResult;
    }
    void exitProgram(int code) override { exitCodes.push_back(code); }
    void reset();

    QString folder;
    QString file; // the test program's own name unless a test names another
    QString command;
    int beeps = 0;
    QString clipboard;
    QStringList fonts{QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("Times New Roman"),
                      QStringLiteral("Verdana")};
    QStringList opened;
    int shellResult = 42;
    std::vector<int> exitCodes;
    // Popups shown (menu object names) and the action object name to choose for each ("" none).
    QStringList popups;
    std::deque<QString> popupChoices;
};

struct ShownDialog {
    QString kind; // "open", "save" or "folder"
    QString title;
    QString folder; // starting folder (open, save)
    QString filterList;
};

// File dialogs answered from a script; an unexpected dialog fails the test and is cancelled.
class ScriptedDialogs : public FileDialogs {
public:
    std::optional<QString> openFile(QWidget* owner, const QString& filterList, const QString& title,
                                    const QString& folder) override;
    std::optional<SaveChoice> saveFile(QWidget* owner, const QString& filterList, const QString& title,
                                       const QString& folder) override;
    std::optional<QString> browseFolder(const QString& title, QWidget* owner) override;

    // The next open dialog chooses path.
    void expectOpen(const QString& path);
    // The next save dialog gets path typed in and the filter at 1-based filterIndex chosen.
    void expectSave(const QString& path, int filterIndex = 1);
    // The next folder dialog chooses folder.
    void expectFolder(const QString& folder);
    // The next dialog of that kind is cancelled.
    void expectCancel(const QString& kind);
    std::vector<ShownDialog> shown;
    void reset();

private:
    struct Expected {
        QString kind;
        bool cancel = false;
        QString path;
        int filterIndex = 1;
    };
    std::optional<Expected> next(const ShownDialog& d);
    std::deque<Expected> script_;
};

// The stand-ins every test sees; reset before each test.
ScriptedDialogs& Dialogs();
ScriptedBoxes& Boxes();
ScriptedForms& Forms();
FakeDesktop& FakeDesk();

class ScriptedEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};
