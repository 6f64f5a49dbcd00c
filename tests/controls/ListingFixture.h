// A listing hosted as the main window hosts it: the document, the selection and marker values
// with their bounds following the count, the control in an active window, and a record of the
// events it raises.
#pragma once

#include "controls/SubListing.h"
#include "controls/TimeText.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

struct ListingHost {
    QWidget w;
    clsSubs subs;
    clsTime sel, a, b, m, m1, m2;
    SubListing* l;
    QStringList events;
    int changes = 0;

    // rows: how many whole rows the listing shows.
    explicit ListingHost(int count, int rows = 10) {
        for (clsTime* t : {&sel, &a, &b, &m, &m1, &m2}) {
            t->setMin(-2);
            t->setValue(-2);
        }
        auto bounds = [this] {
            for (clsTime* t : {&sel, &a, &b, &m, &m1, &m2}) t->setMax(subs.count() - 1);
        };
        QObject::connect(&subs, &clsSubs::CountChange, bounds);
        QObject::connect(&subs, &clsSubs::MajorChange, bounds);
        QObject::connect(&subs, &clsSubs::Change, [this](int) { ++changes; });
        w.resize(600, 16 + rows * SubListing::RowHeight + 40);
        l = new SubListing(&w);
        l->setGeometry(0, 0, 600, 16 + rows * SubListing::RowHeight);
        l->SetStruct(&subs, &sel, &a, &b);
        l->SetMarkers(&m, &m1, &m2);
        l->setNewLineChar(QStringLiteral("\u00A4"));
        const std::pair<void (SubListing::*)(), const char*> raised[] = {
            {&SubListing::Click, "Click"},
            {&SubListing::RightClick, "RightClick"},
            {&SubListing::PushDown, "PushDown"},
            {&SubListing::Scroll, "Scroll"},
            {&SubListing::MarkerSelect, "MarkerSelect"},
            {&SubListing::DeterminedInvalids, "DeterminedInvalids"},
            {&SubListing::ReqSave, "ReqSave"},
            {&SubListing::ReqRestore, "ReqRestore"},
            {&SubListing::ReqPause, "ReqPause"},
            {&SubListing::ReqLegend, "ReqLegend"},
        };
        for (auto [sig, name] : raised) {
            const QString n = QString::fromLatin1(name);
            QObject::connect(l, sig, [this, n] { events << n; });
        }
        fill(count);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        events.clear();
    }

    // Entries two seconds apart, 1.5 s long: none overlaps.
    void fill(int count) {
        subs.EnableEvents(false);
        subs.Clear();
        for (int i = 0; i < count; ++i)
            subs.AddSub(QStringLiteral("Text %1\r\nline two").arg(i), i * 2000, i * 2000 + 1500);
        subs.EnableEvents(true);
        subs.RaiseMajor();
    }

    int rowY(int i) const { return (i - l->TopIdx) * SubListing::RowHeight + 7; }

    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint pos,
               Qt::KeyboardModifiers mods = {}) {
        QMouseEvent e(type, pos, l->picMain->mapToGlobal(pos), button, held, mods);
        QApplication::sendEvent(l->picMain, &e);
    }
    void press(int x, int y, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, button, button, QPoint(x, y), mods);
    }
    void moveTo(int x, int y) { mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPoint(x, y)); }
    void release(int x, int y, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonRelease, button, Qt::NoButton, QPoint(x, y), mods);
    }
    void click(int x, int row, Qt::KeyboardModifiers mods = {}) {
        press(x, rowY(row), mods);
        release(x, rowY(row), mods);
    }

    QWidget* focus() const { return QApplication::focusWidget(); }
    bool focusInEditBar() const { return focus() && l->picSelBar->isAncestorOf(focus()); }
    QRgb pixel(int x, int y) const { return l->picMain->image().pixel(x, y); }
};
