// The Visual Editor as the main window sets it up: the shared values with the main window's
// ranges, the listing and the time line bound to them, and a host that records what the
// editor asks of the main window.
#pragma once

#include "controls/SubListing.h"
#include "controls/timeBar.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "visual/VisualHost.h"
#include "visual/frmVis.h"

#include <QScrollBar>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

struct RecordingHost : VisualHost {
    QStringList calls;
    void subLoadVideo() override { calls << QStringLiteral("subLoadVideo"); }
    void setVisualButton(bool pressed) override {
        calls << (pressed ? QStringLiteral("pressed") : QStringLiteral("released"));
    }
    void ShowAbout() override { calls << QStringLiteral("About"); }
};

struct VisHost {
    static constexpr qint32 MaxTime = 1073741824;
    QWidget main;
    clsSubs subs;
    clsTime cTime, sel, a, b, m, m1, m2, bTime, markT, markT1, markT2;
    QScrollBar* scr;
    SubListing* listing;
    timeBar* tBar;
    RecordingHost host;
    std::unique_ptr<frmVis> vis;

    // Entries two seconds apart, 1.5 s long: 0-1500, 2000-3500, 4000-5500...
    explicit VisHost(int count) {
        cTime.setMin(0);
        cTime.setMax(MaxTime);
        for (clsTime* t : {&sel, &a, &b, &m, &m1, &m2}) {
            t->setMin(-2);
            t->setValue(-2);
        }
        for (clsTime* t : {&markT, &markT1, &markT2}) t->setMax(MaxTime);
        auto bounds = [this] {
            for (clsTime* t : {&sel, &a, &b, &m, &m1, &m2}) t->setMax(subs.count() - 1);
        };
        QObject::connect(&subs, &clsSubs::CountChange, bounds);
        QObject::connect(&subs, &clsSubs::MajorChange, bounds);
        main.resize(700, 400);
        listing = new SubListing(&main);
        listing->setGeometry(0, 0, 700, 250);
        listing->SetStruct(&subs, &sel, &a, &b);
        listing->SetMarkers(&m, &m1, &m2);
        listing->setNewLineChar(QStringLiteral("\u00A4"));
        tBar = new timeBar(&main);
        tBar->setGeometry(0, 260, 680, 60);
        scr = new QScrollBar(Qt::Horizontal, &main);
        scr->setGeometry(0, 330, 680, 16);
        bTime.SetScroller(scr, 1000);
        tBar->SetSubs(&subs);
        tBar->SetTime(&bTime, &markT, &markT1, &markT2);
        tBar->SetSel(&sel, &m, &m1, &m2, &a, &b);
        fill(count);

        vis = std::make_unique<frmVis>(&host, listing, tBar);
        vis->SetTime(&cTime);
        vis->SetStructs(&subs, &sel, &markT, &markT1, &markT2);
    }

    void fill(int count) {
        subs.EnableEvents(false);
        subs.Clear();
        for (int i = 0; i < count; ++i) subs.AddSub(QStringLiteral("Text %1").arg(i), i * 2000, i * 2000 + 1500);
        subs.EnableEvents(true);
        subs.RaiseMajor();
    }
};
