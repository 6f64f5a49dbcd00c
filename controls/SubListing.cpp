#include "controls/SubListing.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"

SubListing::SubListing(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("SubListing")); }

void SubListing::SetStruct(clsSubs* lst, clsTime* c, clsTime* ca, clsTime* cb) {
    cSubs = lst;
    cSel = c;
    cSelA = ca;
    cSelB = cb;
}

void SubListing::SetMarkers(clsTime* s, clsTime* s1, clsTime* s2) {
    cMarkS = s;
    cMarkS1 = s1;
    cMarkS2 = s2;
}

void SubListing::setNewLineChar(const QString& c) {
    newLineChar_ = c;
    Redraw();
}

void SubListing::Redraw() {
    if (!BlockRedraw) update();
}

void SubListing::SelectSub(int i) {
    if (cSel) cSel->setValue(i);
}

int SubListing::Selected() const { return cSel ? cSel->value() : -2; }
