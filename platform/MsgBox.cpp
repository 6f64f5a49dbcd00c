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
        struct B {
            QMessageBox::StandardButton button;
            int answer;
        };
        std::vector<B> set;
        switch (flags & 0x0F) {
        case vb::OKCancel: set = {{QMessageBox::Ok, vb::OK}, {QMessageBox::Cancel, vb::Cancel}}; break;
        case vb::AbortRetryIgnore:
            set = {{QMessageBox::Abort, vb::Abort}, {QMessageBox::Retry, vb::Retry}, {QMessageBox::Ignore, vb::Ignore}};
            break;
        case vb::YesNoCancel:
            set = {{QMessageBox::Yes, vb::Yes}, {QMessageBox::No, vb::No}, {QMessageBox::Cancel, vb::Cancel}};
            break;
        case vb::YesNo: set = {{QMessageBox::Yes, vb::Yes}, {QMessageBox::No, vb::No}}; break;
        case vb::RetryCancel: set = {{QMessageBox::Retry, vb::Retry}, {QMessageBox::Cancel, vb::Cancel}}; break;
        default: set = {{QMessageBox::Ok, vb::OK}}; break;
        }
        QMessageBox::StandardButtons buttons;
        for (const B& b : set) buttons |= b.button;
        box.setStandardButtons(buttons);
        box.setDefaultButton(set.front().button);
        const int pressed = box.exec();
        for (const B& b : set)
            if (pressed == b.button) return b.answer;
        // Closed by Esc or the close box: the cancelling answer when there is one.
        for (const B& b : set)
            if (b.answer == vb::Cancel || b.answer == vb::No) return b.answer;
        return set.front().answer;
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

int FirstButton(int flags) {
    switch (flags & 0x0F) {
    case vb::AbortRetryIgnore: return vb::Abort;
    case vb::YesNoCancel:
    case vb::YesNo: return vb::Yes;
    case vb::RetryCancel: return vb::Retry;
    default: return vb::OK;
    }
}
