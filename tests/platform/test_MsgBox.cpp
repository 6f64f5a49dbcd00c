// The real message boxes answered from the keyboard: Enter presses the default button, Esc the
// cancelling one.
#include "platform/MsgBox.h"
#include "tests/support/Scripted.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
struct Answered {
    int answer = 0;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows a real box and presses key on the widget that has the focus in it, as a user does.
Answered pressOn(int flags, Qt::Key key) {
    Answered a;
    int tries = 0;
    std::function<void()> press = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (++tries < 100) QTimer::singleShot(10, press);
            return;
        }
        a.defaultButton = box->standardButton(box->defaultButton());
        QWidget* target = box->focusWidget() ? box->focusWidget() : box;
        QTest::keyClick(target, key);
        // A box that took no answer from the key is closed, failing the test.
        if (box->isVisible()) {
            ADD_FAILURE() << "the box ignored the key";
            box->reject();
        }
    };
    QTimer::singleShot(0, press);
    InstallMessageBoxes(nullptr);
    a.answer = MsgBox(QStringLiteral("Changes will be lost.  Are you sure?"), flags, QStringLiteral("Sure?"));
    InstallMessageBoxes(&Boxes());
    return a;
}
} // namespace

TEST(RealMessageBoxes, EnterPressesTheDefaultButtonAndEscCancels) {
    const Answered second = pressOn(vb::OKCancel | vb::DefaultButton2, Qt::Key_Return);
    EXPECT_EQ(second.answer, vb::Cancel);
    EXPECT_EQ(second.defaultButton, QMessageBox::Cancel);
    EXPECT_EQ(pressOn(vb::OKCancel | vb::DefaultButton2, Qt::Key_Enter).answer, vb::Cancel);
    EXPECT_EQ(pressOn(vb::OKCancel | vb::DefaultButton2, Qt::Key_Escape).answer, vb::Cancel);
    EXPECT_EQ(pressOn(vb::OKCancel, Qt::Key_Return).answer, vb::OK);
    EXPECT_EQ(pressOn(vb::OKCancel, Qt::Key_Escape).answer, vb::Cancel);
    EXPECT_EQ(pressOn(vb::YesNoCancel | vb::DefaultButton3, Qt::Key_Return).answer, vb::Cancel);
    EXPECT_EQ(pressOn(vb::YesNoCancel | vb::DefaultButton2, Qt::Key_Return).answer, vb::No);
    EXPECT_EQ(pressOn(vb::YesNo, Qt::Key_Escape).answer, vb::No);
    // What the scripted boxes and the console record as Enter's answer.
    EXPECT_EQ(DefaultAnswer(vb::OKCancel | vb::DefaultButton2), vb::Cancel);
    EXPECT_EQ(DefaultAnswer(vb::YesNoCancel | vb::Question | vb::DefaultButton3), vb::Cancel);
    EXPECT_EQ(DefaultAnswer(vb::OKCancel), vb::OK);
    EXPECT_EQ(DefaultAnswer(vb::OKOnly | vb::DefaultButton2), vb::OK); // no second button: the first
}
