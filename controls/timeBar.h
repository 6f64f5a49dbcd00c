// The zoomable time line: rulers, one box per subtitle in two lanes, the markers and the play
// position over a horizontal window of time. Edges, boxes and time markers are dragged on it.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMouseEvent;
class clsSubs;
class clsTime;

class StripPainter;
struct StripGlyphs;

// The drawing surface: it only shows the image that the time line paints into.
class timeBarSurface : public QWidget {
    Q_OBJECT
public:
    explicit timeBarSurface(QWidget* parent = nullptr);
    QImage image;

protected:
    void paintEvent(QPaintEvent* e) override;
};

class timeBar : public QWidget {
    Q_OBJECT
public:
    // What lies under a column of the hit map, or what a snap cell attracts to.
    enum Kind : qint32 {
        None = 0,
        EdgeIn = 1,
        EdgeOut = 2,
        Body = 3,
        Stretch1 = 4,
        Stretch2 = 5,
        ShiftMark = 6,
        MovieEnd = 7,
        PlayPos = 8,
    };
    static constexpr int MapColumns = 4001; // at least; wider surfaces get wider maps
    static constexpr int StripBottom = 30;  // the left button reacts above this y

    explicit timeBar(QWidget* parent = nullptr);
    ~timeBar() override;

    qint32 lCurrentPosition = 0; // play position, ms
    qint32 TimeScale = 0;        // width of the visible window, ms
    double CoEff = 50;           // ms per pixel

    void SetSubs(clsSubs* c);
    void SetSel(clsTime* c, clsTime* s, clsTime* s1, clsTime* s2, clsTime* ca, clsTime* cb);
    void SetTime(clsTime* c, clsTime* s, clsTime* s1, clsTime* s2);
    void SetCoeff(double s);
    void ZoomIn();
    void ZoomOut();
    void GoToSel(int iSub);
    void GotoTime(qint32 l);
    void FollowPlaytime(qint32 lPlayTime);
    void setMovieTime(qint32 v); // length of the loaded movie, 0 for none
    // Clears the maps, updates the scroll range and paints the whole strip at once.
    void Redraw();
    void SetSnap(bool b);

    timeBarSurface* picMain = nullptr;

    QMenu* mnuPopup = nullptr;
    QAction* mnuZoomIn = nullptr;
    QAction* mnuZoomOut = nullptr;
    QAction* mnuRulers = nullptr;
    QAction* mnuSnap = nullptr;
    QAction* mnuGoto = nullptr;
    QAction* mnuGotoPlayTime = nullptr;
    QAction* mnuGotoEnd = nullptr;
    QAction* mnuGotoSMS = nullptr;
    QAction* mnuGotoSMS1 = nullptr;
    QAction* mnuGotoSMS2 = nullptr;
    QAction* mnuGotoSMT = nullptr;
    QAction* mnuGotoSMT1 = nullptr;
    QAction* mnuGotoSMT2 = nullptr;
    QAction* mnuStick = nullptr;
    QAction* mnuFollow2 = nullptr;
    QAction* mnuShMark = nullptr;
    QAction* mnuSMark1 = nullptr;
    QAction* mnuSMark2 = nullptr;
    QAction* mnuLegend = nullptr;

signals:
    void AskRulerSpace(bool b);
    void ReqLegend();
    void EnableZoomIn(bool b);
    void EnableZoomOut(bool b);
    void SnapValue(bool b);
    void ReqTimeChange(qint32 l);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Milliseconds since the last press; a release sooner than 200 ms is a click.
    virtual qint64 msSincePress() const { return pressTimer.elapsed(); }

private slots:
    void bound_Change();
    void cSel_Change();
    void cSubs_Change(int iSub);
    void cSubs_CountChange();
    void cSubs_MajorChange();
    void mnuRulers_Click();
    void mnuSnap_Click();
    void mnuGoto_Click();
    void mnuGotoPlayTime_Click();
    void mnuGotoEnd_Click();
    void mnuGotoSMS_Click();
    void mnuGotoSMS1_Click();
    void mnuGotoSMS2_Click();
    void mnuGotoSMT_Click();
    void mnuGotoSMT1_Click();
    void mnuGotoSMT2_Click();
    void mnuShMark_Click();
    void mnuSMark1_Click();
    void mnuSMark2_Click();

private:
    struct Cell {
        int index = -1;
        qint32 kind = None;
    };

    void buildMenu();
    void bind(QPointer<clsTime>& slot, clsTime* c, void (timeBar::*handler)());
    void picMain_MouseDown(QMouseEvent* e);
    void picMain_MouseMove(QMouseEvent* e);
    void picMain_MouseUp(QMouseEvent* e);
    void picMain_KeyPress(const QString& text);
    void endDrag();
    void dragStep(int xi);
    void dragEntryTimes(qint64 tIn, qint64 tOut);
    qint64 snap(qint64 t, qint64 column) const;
    void updateScrollRange();
    void recomputeTotal();
    void resizeSurface();

    void drawRulers(StripPainter& p);
    void drawTimeMarker(StripPainter& p, const QColor& colour, qint64 time, const QString& label, qint32 hitKind,
                        qint32 snapKind);
    void drawSub(StripPainter& p, int i, qint64 x1, qint64 x2, bool boxCovered);
    void writeSubMaps(int i, qint64 x1, qint64 x2);
    void clearMaps();
    Cell* hitCell(int lane, qint64 column);
    const Cell* hitCell(int lane, qint64 column) const;
    Cell* snapCell(qint64 column);
    const Cell* hitUnder(const QPointF& pos) const;

    int mapWidth() const { return static_cast<int>(snapMap.size()); }
    qint32 ruleStep() const; // CoEff as a whole number, at least 1
    qint64 timeAt(double x) const;
    bool entryDrag() const { return dragging && (dragKind == EdgeIn || dragKind == EdgeOut || dragKind == Body); }

    QPointer<clsSubs> cSubs;
    QPointer<clsTime> cSel, cMarkS, cMarkS1, cMarkS2, cSelA, cSelB, bTime, cMarkT, cMarkT1, cMarkT2;

    std::array<double, 21> zoomTable{};
    int zoomLevel = 16;
    qint64 viewStart = 0;
    qint64 viewEnd = 0;
    qint32 movieTime = 0;
    qint32 lastOut = 0;
    qint32 totalTime = 0;
    std::array<QImage, 3> markerIcons;
    std::unique_ptr<StripGlyphs> glyphs;
    std::vector<Cell> hitMap; // two lanes, lane 1 after lane 0
    std::vector<Cell> snapMap;
    struct Shown {
        int index;
        qint64 x1, x2;
        bool covered; // a later box of its lane hides its box entirely
    };
    std::vector<Shown> shown; // the entries of the current redraw, in drawing order

    bool dragging = false;
    // A step of this drag changed an entry's time: only then has the document changed.
    bool dragMoved = false;
    bool inDragStep = false;
    int dragIndex = -1;
    qint32 dragKind = None;
    int pressX = 0;
    qint32 dragOrigIn = 0;
    QElapsedTimer pressTimer;
    qint32 menuTime = 0;
};
