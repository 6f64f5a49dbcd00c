// A time line bound to its own document and shared values as the main window binds it, 1000 by
// 57 pixels at the start zoom (50 ms a pixel, so a time of t ms from the view start lies at
// column t / 50), with a settable press duration and mouse helpers that carry the buttons.
#pragma once

#include "controls/timeBar.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <memory>

class TestBar : public timeBar {
public:
    qint64 held = 0; // how long every press lasts, in ms

protected:
    qint64 msSincePress() const override { return held; }
};

class TimeBarTest : public ::testing::Test {
protected:
    clsSubs subs;
    clsTime view, sel, selA, selB, ms, ms1, ms2, mt, mt1, mt2;
    std::unique_ptr<TestBar> bar;

    void SetUp() override {
        for (clsTime* m : {&sel, &selA, &selB, &ms, &ms1, &ms2}) {
            m->setMin(-2);
            m->setValue(-2);
        }
        for (clsTime* m : {&mt, &mt1, &mt2}) m->setMax(1 << 30);
        // The host keeps the index ranges in step with the list.
        auto bounds = [this] {
            for (clsTime* m : {&sel, &selA, &selB, &ms, &ms1, &ms2}) m->setMax(subs.count() - 1);
        };
        QObject::connect(&subs, &clsSubs::CountChange, bounds);
        QObject::connect(&subs, &clsSubs::MajorChange, bounds);
        bar = std::make_unique<TestBar>();
        bar->resize(1000, 57);
        bar->show();
        bar->SetSubs(&subs);
        bar->SetTime(&view, &mt, &mt1, &mt2);
        bar->SetSel(&sel, &ms, &ms1, &ms2, &selA, &selB);
        bar->Redraw();
    }

    int add(qint32 in, qint32 out) {
        const int i = subs.AddSub(QStringLiteral("x"), in, out);
        subs.RaiseMajor();
        return i;
    }

    QColor px(int x, int y) const { return bar->picMain->image.pixelColor(x, y); }

    void mouse(QEvent::Type type, double x, double y, Qt::MouseButton button, Qt::MouseButtons buttons) {
        const QPointF pos(x, y);
        QMouseEvent e(type, pos, bar->picMain->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(bar->picMain, &e);
    }
    void press(double x, double y, Qt::MouseButton b = Qt::LeftButton) { mouse(QEvent::MouseButtonPress, x, y, b, b); }
    void move(double x, double y, Qt::MouseButtons held = Qt::LeftButton) {
        mouse(QEvent::MouseMove, x, y, Qt::NoButton, held);
    }
    void release(double x, double y, Qt::MouseButton b = Qt::LeftButton) {
        mouse(QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
    }
    void drag(double x0, double y, double x1) {
        press(x0, y);
        move(x1, y);
        release(x1, y);
    }
};
