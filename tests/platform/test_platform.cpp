#include "model/RuntimeError.h"
#include "platform/Application.h"
#include "platform/Colors.h"
#include "platform/MsgBox.h"
#include "tests/support/Scripted.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

TEST(MessageBoxes, EmptyTitleShowsTheProgramTitle) {
    Boxes().expect(vb::OK);
    Boxes().expect(vb::No);
    EXPECT_EQ(MsgBox(QStringLiteral("hello")), vb::OK);
    EXPECT_EQ(MsgBox(QStringLiteral("sure?"), vb::YesNo | vb::Question, QStringLiteral("Ask")), vb::No);
    ASSERT_EQ(Boxes().shown.size(), 2u);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Lumerin"));
    EXPECT_EQ(Boxes().shown[1].title, QStringLiteral("Ask"));
    EXPECT_EQ(Boxes().shown[1].flags, vb::YesNo | vb::Question);
}

namespace {
struct Thrower : QObject {
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw RuntimeError(RuntimeError::SubscriptOutOfRange);
        return QObject::event(e);
    }
};
} // namespace

TEST(EventLoopErrors, AreShownAndTheProgramGoesOn) {
    Thrower t;
    Boxes().expect(vb::OK, QStringLiteral("Subscript out of range"));
    QCoreApplication::postEvent(&t, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&t, QEvent::User);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].title, QStringLiteral("Error"));
}

TEST(Colours, BlueGreenRedNumbers) {
    EXPECT_EQ(VBColor(0xF38885), QColor(133, 136, 243));
    EXPECT_EQ(RGBColor(255, 128, 0), 0x0080FFu);
    EXPECT_EQ(VBColor(RGBColor(1, 2, 3)), QColor(1, 2, 3));
}
