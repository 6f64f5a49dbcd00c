#include "platform/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace {
QString& appTitle() {
    static QString t = QStringLiteral("Lumerin");
    return t;
}

// The answers of a button set's buttons, in the order they are shown.
std::vector<int> answers(int flags) {
    switch (flags & 0x0F) {
    case vb::OKCancel: return {vb::OK, vb::Cancel};
    case vb::AbortRetryIgnore: return {vb::Abort, vb::Retry, vb::Ignore};
    case vb::YesNoCancel: return {vb::Yes, vb::No, vb::Cancel};
    case vb::YesNo: return {vb::Yes, vb::No};
    case vb::RetryCancel: return {vb::Retry, vb::Cancel};
    default: return {vb::OK};
    }
}

int escapeAnswer(int flags) {
    const std::vector<int> set = answers(flags);
    for (int a : set)
        if (a == vb::Cancel || a == vb::No) return a;
    return set.front();
}

QMessageBox::StandardButton standardButton(int answer) {
    switch (answer) {
    case vb::Cancel: return QMessageBox::Cancel;
    case vb::Abort: return QMessageBox::Abort;
    case vb::Retry: return QMessageBox::Retry;
    case vb::Ignore: return QMessageBox::Ignore;
    case vb::Yes: return QMessageBox::Yes;
    case vb::No: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

class RealMessageBoxes : public MessageBoxes {
public:
    int show(const QString& text, int flags, const QString& title) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(title);
        box.setText(text);
        switch (flags & 0x70) {
        case vb::Critical: box.setIcon(QMessageBox::Critical); break;
        case vb::Question: box.setIcon(QMessageBox::Question); break;
        case vb::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case vb::Information: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        const std::vector<int> set = answers(flags);
        QMessageBox::StandardButtons buttons;
        for (int a : set) buttons |= standardButton(a);
        box.setStandardButtons(buttons);
        box.setDefaultButton(standardButton(DefaultAnswer(flags)));
        // Esc and the close box give the cancelling answer when there is one.
        const int escape = escapeAnswer(flags);
        box.setEscapeButton(standardButton(escape));
        const int pressed = box.exec();
        for (int a : set)
            if (pressed == standardButton(a)) return a;
        return escape;
    }
};

RealMessageBoxes realBoxes;
MessageBoxes* current = &realBoxes;
} // namespace

int MsgBox(const QString& text, int flags, const QString& title) {
    return current->show(text, flags, title.isEmpty() ? appTitle() : title);
}

MessageBoxes* InstallMessageBoxes(MessageBoxes* boxes) {
    MessageBoxes* old = current == &realBoxes ? nullptr : current;
    current = boxes ? boxes : &realBoxes;
    return old;
}

QString AppTitle() { return appTitle(); }
void SetAppTitle(const QString& title) { appTitle() = title; }

int DefaultAnswer(int flags) {
    const std::vector<int> set = answers(flags);
    const std::size_t at = std::size_t(flags & 0x300) / vb::DefaultButton2;
    return set.at(at < set.size() ? at : 0);
}
