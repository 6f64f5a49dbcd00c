// Modal message boxes as the program uses them: a text, a button set, an icon and a title,
// answered by the button the user pressed. Tests install scripted boxes in place of real ones.
#pragma once

#include <QString>

namespace vb {
// Button sets.
constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
// Icons.
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// The button that Enter presses; the first one unless one of these says otherwise.
constexpr int DefaultButton1 = 0, DefaultButton2 = 256, DefaultButton3 = 512;
// Answers.
constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
} // namespace vb

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // flags = button set + icon + default button; title is already resolved (never empty).
    virtual int show(const QString& text, int flags, const QString& title) = 0;
};

// Shows a box; an empty title shows the program's title.
int MsgBox(const QString& text, int flags = vb::OKOnly, const QString& title = QString());

// The answer of a box's default button: what Enter gives when nobody chooses.
int DefaultAnswer(int flags);

// Installs a replacement (nullptr restores the real boxes); returns the previous one.
MessageBoxes* InstallMessageBoxes(MessageBoxes* boxes);

// "Lumerin" in the editor, "lumassoc" in the association program.
QString AppTitle();
void SetAppTitle(const QString& title);
