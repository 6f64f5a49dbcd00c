#include "controls/timeBar.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"

timeBar::timeBar(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("timeBar")); }

void timeBar::SetSubs(clsSubs* c) { cSubs = c; }

void timeBar::SetSel(clsTime* c, clsTime* s, clsTime* s1, clsTime* s2, clsTime* ca, clsTime* cb) {
    cSel = c;
    cMarkS = s;
    cMarkS1 = s1;
    cMarkS2 = s2;
    cSelA = ca;
    cSelB = cb;
}

void timeBar::SetTime(clsTime* c, clsTime* s, clsTime* s1, clsTime* s2) {
    bTime = c;
    cMarkT = s;
    cMarkT1 = s1;
    cMarkT2 = s2;
}

void timeBar::ZoomIn() {}
void timeBar::ZoomOut() {}
void timeBar::Redraw() { update(); }
