// The main window's side of the tool tests: a document of evenly spaced entries and the shared
// selection, play time and marker values with the bounds the main window gives them.
#pragma once

#include "controls/SubListing.h"
#include "controls/TimeText.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "tests/support/Scripted.h"
#include "tests/tools/FakeToolHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

struct ToolFixture {
    FakeToolHost host;
    clsSubs subs;
    clsTime cTime, cSel, cMarkS, cMarkT, cMarkS1, cMarkS2, cMarkT1, cMarkT2;

    explicit ToolFixture(int count) {
        for (clsTime* t : {&cSel, &cMarkS, &cMarkS1, &cMarkS2}) {
            t->setMin(-2);
            t->setValue(-2);
        }
        for (clsTime* t : {&cTime, &cMarkT, &cMarkT1, &cMarkT2}) t->setMax(1073741824);
        QObject::connect(&subs, &clsSubs::CountChange, [this] { bounds(); });
        fill(count);
    }
    void bounds() {
        for (clsTime* t : {&cSel, &cMarkS, &cMarkS1, &cMarkS2}) t->setMax(subs.count() - 1);
    }
    // Entry i: [10 s * i + 1 s, + 2 s].
    void fill(int count) {
        subs.EnableEvents(false);
        subs.Clear();
        for (int i = 0; i < count; ++i)
            subs.AddSub(QStringLiteral("Line %1").arg(i), i * 10000 + 1000, i * 10000 + 3000);
        subs.EnableEvents(true);
        subs.RaiseMajor();
        bounds();
    }
    std::vector<qint32> starts() const {
        std::vector<qint32> v;
        for (int i = 0; i < subs.count(); ++i) v.push_back(subs.SubTimeIn(i));
        return v;
    }

    // Option buttons and check boxes take clicks on their box and caption only.
    static void click(QAbstractButton* b) {
        const bool boxed = b->inherits("QRadioButton") || b->inherits("QCheckBox");
        QTest::mouseClick(b, Qt::LeftButton, {}, boxed ? QPoint(8, b->height() / 2) : b->rect().center());
    }
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    static void activate(QWidget* w) {
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
    // Replaces the field's text as a user would.
    static void type(QLineEdit* e, const QString& text) {
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    // Types a time into the entry, field by field ("hh", "mm", "ss", "mmm"), and commits it.
    static void typeTime(TimeText* t, const QStringList& parts) {
        for (int i = 0; i < parts.size(); ++i) {
            t->EnterField(i + 1);
            QLineEdit* f = i == 0 ? t->txtHr : i == 1 ? t->txtMin : i == 2 ? t->txtSec : t->txtMSec;
            f->selectAll();
            QTest::keyClicks(f, parts[i]);
        }
        t->EnterField(1);
    }
    // Clicks row i of a listing.
    static void clickRow(SubListing* l, int i) {
        QTest::mouseClick(l->picMain, Qt::LeftButton, {}, {300, (i - l->TopIdx) * SubListing::RowHeight + 7});
    }
};
