// The zoomable time line: rulers, one box per subtitle in two lanes, the markers and the play
// position over a horizontal window of time.
#pragma once

#include <QPointer>
#include <QWidget>

class clsSubs;
class clsTime;

class timeBar : public QWidget {
    Q_OBJECT
public:
    explicit timeBar(QWidget* parent = nullptr);

    void SetSubs(clsSubs* c);
    void SetSel(clsTime* c, clsTime* s, clsTime* s1, clsTime* s2, clsTime* ca, clsTime* cb);
    void SetTime(clsTime* c, clsTime* s, clsTime* s1, clsTime* s2);
    void ZoomIn();
    void ZoomOut();
    void Redraw();

signals:
    void AskRulerSpace(bool b);
    void EnableZoomIn(bool b);
    void EnableZoomOut(bool b);

private:
    QPointer<clsSubs> cSubs;
    QPointer<clsTime> cSel, cMarkS, cMarkS1, cMarkS2, cSelA, cSelB, bTime, cMarkT, cMarkT1, cMarkT2;
};
