#include "controls/timeBar.h"
#include "model/Common.h"
#include "model/Num.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Colors.h"
#include "platform/Desktop.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace {
constexpr qint64 kLongMax = std::numeric_limits<qint32>::max();
constexpr qint32 kPushGap = 10; // an edge pushed by the other one keeps this distance
constexpr qint64 kClickMs = 200;

// Nearest whole number of a pixel or time computation, halves to even, kept far from the
// 64-bit limits so that later sums cannot overflow.
qint64 roundL(double v) {
    if (std::isnan(v)) return 0;
    constexpr double lim = 4.0e18;
    return static_cast<qint64>(RoundHalfEven(std::clamp(v, -lim, lim)));
}

qint32 clampTime(qint64 t) { return static_cast<qint32>(std::clamp<qint64>(t, 0, kLongMax)); }

QImage markerIcon(QColor colour) {
    QImage img(9, 12, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.fillRect(0, 0, 1, 12, Qt::black);
    p.setPen(Qt::black);
    p.setBrush(colour);
    p.drawPolygon(QPolygon({QPoint(1, 0), QPoint(8, 3), QPoint(1, 6)}));
    return img;
}
} // namespace

// Coverage of one character of the surface's font, taken once: drawing thousands of entry
// numbers through the general text path would not fit in a frame.
struct StripGlyphs {
    struct Dot {
        qint16 dx, dy;
        quint8 a;
    };
    struct Glyph {
        int advance = 0;
        std::vector<Dot> dots;
    };
    explicit StripGlyphs(const QFont& f) : font(f), margin(QFontMetrics(f).height() + 2) {}

    QFont font;
    int margin; // no dot lies further than this from its pen box
    std::unordered_map<char16_t, Glyph> cache;
    std::array<const Glyph*, 128> ascii{};

    const Glyph& glyph(QChar ch) {
        const char16_t u = ch.unicode();
        if (u < ascii.size() && ascii[u]) return *ascii[u];
        const Glyph& g = make(ch);
        if (u < ascii.size()) ascii[u] = &g;
        return g;
    }

    const Glyph& make(QChar ch) {
        auto it = cache.find(ch.unicode());
        if (it != cache.end()) return it->second;
        const QFontMetrics fm(font);
        Glyph g;
        g.advance = fm.horizontalAdvance(ch);
        const int pad = margin; // room for overhangs on both sides
        QImage img(g.advance + 2 * pad, pad, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            // Plain black and white pixels: crisp at this size, and cheap to put down.
            QFont plain = font;
            plain.setStyleStrategy(QFont::NoAntialias);
            QPainter p(&img);
            p.setFont(plain);
            p.setPen(Qt::white);
            DrawTextTopLeft(p, pad, 0, QString(ch));
        }
        for (int y = 0; y < img.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if (const int a = qAlpha(row[x]))
                    g.dots.push_back(Dot{static_cast<qint16>(x - pad), static_cast<qint16>(y), static_cast<quint8>(a)});
        }
        return cache.emplace(ch.unicode(), std::move(g)).first->second;
    }
};

// Paints solid rectangles, short texts and small icons straight into the strip's image,
// clipped to it.
class StripPainter {
public:
    StripPainter(QImage& img, StripGlyphs& glyphs)
        : bits_(reinterpret_cast<QRgb*>(img.bits())), stride_(img.bytesPerLine() / 4), w_(img.width()),
          h_(img.height()), glyphs_(glyphs) {}

    QRgb face = 0, hilite = 0, shadow = 0; // the system's button colours

    int width() const { return w_; }
    int height() const { return h_; }

    // The rectangle between two corners, both included, in whichever order they come.
    void fill(qint64 xa, int ya, qint64 xb, int yb, QRgb c) {
        const qint64 l = std::max<qint64>(std::min(xa, xb), 0), r = std::min<qint64>(std::max(xa, xb), w_ - 1);
        const int t = std::max(std::min(ya, yb), 0), b = std::min(std::max(ya, yb), h_ - 1);
        if (l > r) return;
        for (int y = t; y <= b; ++y) std::fill_n(bits_ + qsizetype(y) * stride_ + l, r - l + 1, c);
    }

    template <typename Text> int textWidth(const Text& s) {
        int w = 0;
        for (auto ch : s) w += glyphs_.glyph(QChar(ch)).advance;
        return w;
    }

    // Text with its top-left corner at (x, top).
    template <typename Text> void text(qint64 x, int top, const Text& s, QRgb c) {
        if (x >= w_ || x + textWidth(s) + 2 * glyphs_.margin < 0) return;
        int pen = static_cast<int>(x);
        for (auto ch : s) {
            const StripGlyphs::Glyph& g = glyphs_.glyph(QChar(ch));
            const bool inside = pen - glyphs_.margin >= 0 && pen + g.advance + glyphs_.margin < w_ && top >= 0 &&
                                top + glyphs_.margin < h_;
            if (inside) {
                QRgb* origin = bits_ + qsizetype(top) * stride_ + pen;
                for (const StripGlyphs::Dot& d : g.dots) {
                    QRgb& dst = origin[qsizetype(d.dy) * stride_ + d.dx];
                    dst = blend(dst, c, d.a);
                }
            } else {
                for (const StripGlyphs::Dot& d : g.dots) {
                    const int px = pen + d.dx, py = top + d.dy;
                    if (px < 0 || px >= w_ || py < 0 || py >= h_) continue;
                    QRgb& dst = bits_[qsizetype(py) * stride_ + px];
                    dst = blend(dst, c, d.a);
                }
            }
            pen += g.advance;
        }
    }

    // A premultiplied icon with its top-left at (x, y).
    void image(int x, int y, const QImage& icon) {
        for (int iy = 0; iy < icon.height(); ++iy) {
            const int py = y + iy;
            if (py < 0 || py >= h_) continue;
            const QRgb* src = reinterpret_cast<const QRgb*>(icon.constScanLine(iy));
            for (int ix = 0; ix < icon.width(); ++ix) {
                const int px = x + ix;
                if (px < 0 || px >= w_) continue;
                const QRgb s = src[ix];
                const int na = 255 - qAlpha(s);
                QRgb& dst = bits_[qsizetype(py) * stride_ + px];
                dst = qRgb(qRed(s) + qRed(dst) * na / 255, qGreen(s) + qGreen(dst) * na / 255,
                           qBlue(s) + qBlue(dst) * na / 255);
            }
        }
    }

private:
    // c over d with coverage a (0 to 255), two channels at a time.
    static QRgb blend(QRgb d, QRgb c, quint32 a) {
        if (a == 255) return c;
        const quint32 na = 255 - a;
        quint32 rb = (c & 0xff00ffu) * a + (d & 0xff00ffu) * na;
        quint32 g = (c & 0x00ff00u) * a + (d & 0x00ff00u) * na;
        rb = ((rb + 0x800080u + ((rb >> 8) & 0xff00ffu)) >> 8) & 0xff00ffu;
        g = ((g + 0x8000u + ((g >> 8) & 0xff00u)) >> 8) & 0xff00u;
        return 0xff000000u | rb | g;
    }

    QRgb* bits_;
    qsizetype stride_;
    int w_, h_;
    StripGlyphs& glyphs_;
};

timeBarSurface::timeBarSurface(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picMain"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void timeBarSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image);
}

timeBar::timeBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("timeBar"));
    picMain = new timeBarSurface(this);
    picMain->installEventFilter(this);
    buildMenu();

    markerIcons = {markerIcon(VBColor(RGBColor(255, 255, 0))), markerIcon(VBColor(RGBColor(0, 255, 255))),
                   markerIcon(VBColor(RGBColor(255, 0, 255)))};
    zoomTable = {0,    180000, 120000, 60000, 30000, 20000, 10000, 7500, 5000, 4000, 3000,
                 2000, 1000,   500,    200,   100,   50,    30,    20,   10,   5};
    snapMap.resize(MapColumns);
    hitMap.resize(2 * MapColumns);
    glyphs = std::make_unique<StripGlyphs>(picMain->font());
    SetCoeff(50);
    zoomLevel = 16;
    Redraw();
}

timeBar::~timeBar() = default;

void timeBar::buildMenu() {
    mnuPopup = new QMenu(QStringLiteral("Popper"), this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption, void (timeBar::*slot)()) {
        auto* a = new QAction(caption, menu);
        a->setObjectName(QLatin1String(name));
        menu->addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto sub = [](QMenu* parent, const char* name, const QString& caption) {
        auto* m = new QMenu(caption, parent);
        m->setObjectName(QLatin1String(name));
        parent->addMenu(m);
        return m;
    };
    auto check = [](QAction* a, bool on) {
        a->setCheckable(true);
        a->setChecked(on);
    };

    QMenu* top = mnuPopup;
    mnuZoomIn = item(top, "mnuZoomIn", QStringLiteral("Zoom &In"), &timeBar::ZoomIn);
    mnuZoomOut = item(top, "mnuZoomOut", QStringLiteral("Zoom &Out"), &timeBar::ZoomOut);
    top->addSeparator();
    mnuRulers = item(top, "mnuRulers", QStringLiteral("&Rulers"), &timeBar::mnuRulers_Click);
    check(mnuRulers, false);
    mnuSnap = item(top, "mnuSnap", QStringLiteral("&Snap"), &timeBar::mnuSnap_Click);
    check(mnuSnap, true);
    top->addSeparator();
    QMenu* locate = sub(top, "mnuLocate", QStringLiteral("&Locate"));
    mnuGoto = item(locate, "mnuGoto", QStringLiteral("&Currently selected subtitle"), &timeBar::mnuGoto_Click);
    mnuGotoPlayTime =
        item(locate, "mnuGotoPlayTime", QStringLiteral("Current movie &position"), &timeBar::mnuGotoPlayTime_Click);
    mnuGotoEnd = item(locate, "mnuGotoEnd", QStringLiteral("Movie &end time"), &timeBar::mnuGotoEnd_Click);
    QMenu* markSub = sub(locate, "mnuMarkerSub", QStringLiteral("Marker &Sub "));
    mnuGotoSMS = item(markSub, "mnuGotoSMS", QStringLiteral("&Shift Marker"), &timeBar::mnuGotoSMS_Click);
    mnuGotoSMS1 = item(markSub, "mnuGotoSMS1", QStringLiteral("Stretch Marker &1"), &timeBar::mnuGotoSMS1_Click);
    mnuGotoSMS2 = item(markSub, "mnuGotoSMS2", QStringLiteral("Stretch Marker &2"), &timeBar::mnuGotoSMS2_Click);
    QMenu* markTime = sub(locate, "mnuMarkerTime", QStringLiteral("Marker &Time"));
    mnuGotoSMT = item(markTime, "mnuGotoSMT", QStringLiteral("&Shift Marker"), &timeBar::mnuGotoSMT_Click);
    mnuGotoSMT1 = item(markTime, "mnuGotoSMT1", QStringLiteral("Stretch Marker &1"), &timeBar::mnuGotoSMT1_Click);
    mnuGotoSMT2 = item(markTime, "mnuGotoSMT2", QStringLiteral("Stretch Marker &2"), &timeBar::mnuGotoSMT2_Click);
    mnuStick = new QAction(QStringLiteral("&Follow current movie position"), top);
    mnuStick->setObjectName(QStringLiteral("mnuStick"));
    check(mnuStick, true);
    top->addAction(mnuStick);
    mnuFollow2 = new QAction(QStringLiteral("Follo&w selected subtitle"), top);
    mnuFollow2->setObjectName(QStringLiteral("mnuFollow2"));
    check(mnuFollow2, true);
    top->addAction(mnuFollow2);
    QMenu* setMark = sub(top, "mnuSetMarker", QStringLiteral("Set Time Marker"));
    mnuShMark = item(setMark, "mnuShMark", QStringLiteral("Shift Marker"), &timeBar::mnuShMark_Click);
    mnuSMark1 = item(setMark, "mnuSMark1", QStringLiteral("Stretch Marker 1"), &timeBar::mnuSMark1_Click);
    mnuSMark2 = item(setMark, "mnuSMark2", QStringLiteral("Stretch Marker 2"), &timeBar::mnuSMark2_Click);
    top->addSeparator();
    mnuLegend = item(top, "mnuLegend", QStringLiteral("&Color Legend"), &timeBar::ReqLegend);
}

// ---- Bindings -------------------------------------------------------------------------------

void timeBar::bind(QPointer<clsTime>& slot, clsTime* c, void (timeBar::*handler)()) {
    if (slot) disconnect(slot, nullptr, this, nullptr);
    slot = c;
    if (c) connect(c, &clsTime::Change, this, handler);
}

void timeBar::SetSubs(clsSubs* c) {
    if (cSubs) disconnect(cSubs, nullptr, this, nullptr);
    cSubs = c;
    if (!c) return;
    connect(c, &clsSubs::Change, this, &timeBar::cSubs_Change);
    connect(c, &clsSubs::CountChange, this, &timeBar::cSubs_CountChange);
    connect(c, &clsSubs::MajorChange, this, &timeBar::cSubs_MajorChange);
}

void timeBar::SetSel(clsTime* c, clsTime* s, clsTime* s1, clsTime* s2, clsTime* ca, clsTime* cb) {
    bind(cSel, c, &timeBar::cSel_Change);
    bind(cMarkS, s, &timeBar::bound_Change);
    bind(cMarkS1, s1, &timeBar::bound_Change);
    bind(cMarkS2, s2, &timeBar::bound_Change);
    bind(cSelA, ca, &timeBar::bound_Change);
    bind(cSelB, cb, &timeBar::bound_Change);
}

void timeBar::SetTime(clsTime* c, clsTime* s, clsTime* s1, clsTime* s2) {
    bind(bTime, c, &timeBar::bound_Change);
    bind(cMarkT, s, &timeBar::bound_Change);
    bind(cMarkT1, s1, &timeBar::bound_Change);
    bind(cMarkT2, s2, &timeBar::bound_Change);
}

void timeBar::bound_Change() {
    if (!inDragStep) Redraw(); // a drag step redraws once it is done
}

void timeBar::cSel_Change() {
    if (mnuFollow2->isChecked() && cSel) GoToSel(cSel->value());
    Redraw();
}

void timeBar::cSubs_Change(int) {
    if (!cSubs || cSubs->count() == 0) return;
    recomputeTotal();
    if (!inDragStep) Redraw(); // the step redraws once it is done
}

void timeBar::cSubs_CountChange() {
    recomputeTotal();
    Redraw();
}

void timeBar::cSubs_MajorChange() {
    recomputeTotal();
    Redraw();
}

// ---- Scale and view -------------------------------------------------------------------------

// An empty list keeps the previous end; otherwise the end is the latest time-out of any entry,
// so that an unsorted list stays reachable by scrolling.
void timeBar::recomputeTotal() {
    if (cSubs && cSubs->count() > 0) {
        qint32 m = cSubs->SubTimeOut(0);
        for (int i = 1; i < cSubs->count(); ++i) m = std::max(m, cSubs->SubTimeOut(i));
        lastOut = m;
    }
    totalTime = std::max(movieTime, lastOut);
}

void timeBar::updateScrollRange() {
    if (!bTime) return;
    if (bTime->Min() != 0) bTime->setMin(0);
    const qint32 m = SatLong(std::max<qint64>(qint64(totalTime) - TimeScale, bTime->Min()));
    if (bTime->Max() != m) bTime->setMax(m);
}

void timeBar::SetCoeff(double s) {
    if (!(s > 0) || !std::isfinite(s)) return; // a scale of zero or less has no meaning
    CoEff = s;
    TimeScale = SatLong(roundL(picMain->width() * s));
    updateScrollRange();
}

qint32 timeBar::ruleStep() const { return static_cast<qint32>(std::max<qint64>(1, roundL(CoEff))); }

qint64 timeBar::timeAt(double x) const { return roundL(static_cast<double>(viewStart) + x * CoEff); }

void timeBar::ZoomIn() {
    if (zoomLevel >= 20) return;
    ++zoomLevel;
    SetCoeff(zoomTable[zoomLevel]);
    Redraw();
    mnuZoomOut->setEnabled(true);
    if (zoomLevel == 20) mnuZoomIn->setEnabled(false);
    emit EnableZoomIn(mnuZoomIn->isEnabled());
    emit EnableZoomOut(true);
}

void timeBar::ZoomOut() {
    if (zoomLevel <= 1) return;
    --zoomLevel;
    SetCoeff(zoomTable[zoomLevel]);
    Redraw();
    mnuZoomIn->setEnabled(true);
    if (zoomLevel == 1) mnuZoomOut->setEnabled(false);
    emit EnableZoomOut(mnuZoomOut->isEnabled());
    emit EnableZoomIn(true);
}

void timeBar::GotoTime(qint32 l) {
    if (!bTime) return;
    qint64 start = qint64(l) - TimeScale / 2;
    if (start > qint64(totalTime) - TimeScale) start = qint64(totalTime) - TimeScale;
    if (start < 0) start = 0;
    bTime->setValue(SatLong(start));
}

void timeBar::GoToSel(int iSub) {
    if (!cSubs || !bTime || iSub < 0 || iSub >= cSubs->count()) return;
    const qint64 tOut = cSubs->SubTimeOut(iSub);
    if (tOut > viewEnd)
        bTime->setValue(SatLong(std::max<qint64>(0, roundL(static_cast<double>(tOut - TimeScale) + 2 * CoEff))));
    const qint32 tIn = cSubs->SubTimeIn(iSub);
    if (tIn < viewStart) bTime->setValue(tIn);
}

void timeBar::FollowPlaytime(qint32 lPlayTime) {
    if (lPlayTime < 0) return;
    lCurrentPosition = lPlayTime;
    if (mnuStick->isChecked() && bTime) {
        qint64 start = qint64(lPlayTime) - TimeScale / 2;
        if (start > qint64(totalTime) - TimeScale) start = qint64(totalTime) - TimeScale;
        if (start < 0) start = 0;
        bTime->setValueNR(SatLong(start));
    }
    Redraw();
}

void timeBar::setMovieTime(qint32 v) {
    movieTime = v;
    totalTime = std::max(movieTime, lastOut);
    Redraw();
}

void timeBar::SetSnap(bool b) { mnuSnap->setChecked(b); }

void timeBar::resizeEvent(QResizeEvent*) {
    picMain->setGeometry(rect());
    resizeSurface();
}

void timeBar::resizeSurface() {
    const QSize s = picMain->size();
    if (picMain->image.size() != s) picMain->image = s.isEmpty() ? QImage() : QImage(s, QImage::Format_RGB32);
    const int columns = std::max(MapColumns, s.width());
    if (mapWidth() != columns) {
        snapMap.assign(columns, Cell{});
        hitMap.assign(2 * size_t(columns), Cell{});
    }
    TimeScale = SatLong(roundL(s.width() * CoEff));
    updateScrollRange();
    Redraw();
}

// ---- Maps -----------------------------------------------------------------------------------

void timeBar::clearMaps() {
    for (Cell& c : snapMap) c = Cell{};
    for (Cell& c : hitMap) c.kind = None;
}

timeBar::Cell* timeBar::hitCell(int lane, qint64 column) {
    if (column < 0 || column >= mapWidth()) return nullptr;
    return &hitMap[size_t(lane) * mapWidth() + size_t(column)];
}

const timeBar::Cell* timeBar::hitCell(int lane, qint64 column) const {
    if (column < 0 || column >= mapWidth()) return nullptr;
    return &hitMap[size_t(lane) * mapWidth() + size_t(column)];
}

timeBar::Cell* timeBar::snapCell(qint64 column) {
    if (column < 0 || column >= mapWidth()) return nullptr;
    return &snapMap[size_t(column)];
}

const timeBar::Cell* timeBar::hitUnder(const QPointF& pos) const {
    return hitCell(pos.y() > 15 ? 1 : 0, roundL(pos.x()));
}

void timeBar::writeSubMaps(int i, qint64 x1, qint64 x2) {
    const qint64 w = mapWidth();
    Cell* hit = hitMap.data() + size_t(i % 2) * size_t(w);
    Cell* snaps = snapMap.data();
    // Cells outside the map are skipped; the rest are written.
    auto put = [w](Cell* row, qint64 a, qint64 b, Cell c) {
        for (a = std::max<qint64>(a, 0), b = std::min(b, w - 1); a <= b; ++a) row[a] = c;
    };
    put(hit, x1, x2, Cell{i, Body});
    put(snaps, x1 - 5, x1 + 5, Cell{i, EdgeIn});
    put(snaps, x2 - 5, x2 + 5, Cell{i, EdgeOut});
    put(hit, x1 - 1, x1 + 1, Cell{i, EdgeIn});
    put(hit, x2 - 1, x2 + 1, Cell{i, EdgeOut});
}

// ---- Drawing --------------------------------------------------------------------------------

void timeBar::Redraw() {
    clearMaps();
    updateScrollRange();
    if (bTime) {
        viewStart = bTime->value();
        viewEnd = viewStart + TimeScale;
    }
    QImage& img = picMain->image;
    if (img.isNull()) return;
    img.fill(SystemColor(SysColor::AppWorkspace));
    if (!bTime) {
        picMain->update();
        return;
    }
    if (glyphs->font != picMain->font()) glyphs = std::make_unique<StripGlyphs>(picMain->font());
    StripPainter p(img, *glyphs);
    p.face = SystemColor(SysColor::ButtonFace).rgb();
    p.hilite = SystemColor(SysColor::ButtonHighlight).rgb();
    p.shadow = SystemColor(SysColor::ButtonShadow).rgb();
    if (mnuRulers->isChecked()) drawRulers(p);
    if (movieTime != 0)
        drawTimeMarker(p, VBColor(RGBColor(255, 128, 0)), movieTime, QStringLiteral("M"), None, MovieEnd);
    const QColor green = VBColor(RGBColor(0, 192, 0));
    if (cMarkT && cMarkT->value() != 0)
        drawTimeMarker(p, green, cMarkT->value(), QStringLiteral("Sh"), ShiftMark, ShiftMark);
    if (cMarkT1 && cMarkT1->value() != 0)
        drawTimeMarker(p, green, cMarkT1->value(), QStringLiteral("S1"), Stretch1, Stretch1);
    if (cMarkT2 && cMarkT2->value() != 0)
        drawTimeMarker(p, green, cMarkT2->value(), QStringLiteral("S2"), Stretch2, Stretch2);
    drawTimeMarker(p, VBColor(RGBColor(128, 0, 0)), lCurrentPosition, QString(), None, PlayPos);
    if (cSubs) {
        // The list may be unsorted, so every entry is tested against the window.
        shown.clear();
        const int n = cSubs->count();
        for (int i = 0; i < n; ++i) {
            const qint64 tIn = cSubs->SubTimeIn(i), tOut = cSubs->SubTimeOut(i);
            if (tIn < viewEnd && tOut > viewStart)
                shown.push_back(Shown{i, roundL(static_cast<double>(std::max<qint64>(tIn - viewStart, 0)) / CoEff),
                                      roundL(static_cast<double>(tOut - viewStart) / CoEff), false});
        }
        // When zoomed far out, boxes pile up: a box that the next box of its lane covers
        // whole need not be painted (its number and marks still are).
        const qint64 w = p.width();
        auto span = [w](const Shown& s) {
            const qint64 a = std::clamp<qint64>(s.x1, -4, w + 4), b = std::clamp<qint64>(s.x2, -4, w + 4);
            return std::make_pair(std::min(a, b), std::max(a, b));
        };
        const Shown* next[2] = {nullptr, nullptr};
        for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
            const int lane = it->index % 2;
            if (next[lane]) {
                const auto [lo, hi] = span(*it);
                const auto [nlo, nhi] = span(*next[lane]);
                it->covered = nlo <= lo && nhi >= hi;
            }
            next[lane] = &*it;
        }
        for (const Shown& s : shown) drawSub(p, s.index, s.x1, s.x2, s.covered);
    }
    picMain->update();
}

void timeBar::drawRulers(StripPainter& p) {
    const qint64 k = ruleStep();
    const int bottom = 52;
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    auto tick = [&](qint64 x, qint64 t, bool label) {
        const int top = t % 10000 == 0 ? 37 : t % 5000 == 0 ? 42 : 47;
        p.fill(x, bottom, x, top, black);
        if (label) p.text(x + 2, 33, FormatTime(SatLong(t)).left(8), white);
    };
    const qint64 first = viewStart - viewStart % 1000;
    if (k <= 1000) {
        // Every second lands on its own column.
        for (qint64 t = first; t <= viewEnd; t += 1000) tick((t - viewStart) / k, t, t % 10000 == 0);
        return;
    }
    // Several seconds share a column: draw each column once, with its longest tick and the
    // label that would have been drawn last there.
    const qint64 lastX = (viewEnd - viewStart) / k;
    for (qint64 x = 0; x <= lastX; ++x) {
        const qint64 lo = x == 0 ? first : viewStart + x * k;
        const qint64 hi = std::min(viewStart + x * k + k - 1, viewEnd);
        auto firstMultiple = [lo](qint64 m) { return lo <= 0 ? 0 : (lo + m - 1) / m * m; };
        if (firstMultiple(1000) > hi) continue;
        if (firstMultiple(10000) <= hi) tick(x, hi / 10000 * 10000, true);
        else if (firstMultiple(5000) <= hi) tick(x, firstMultiple(5000), false);
        else tick(x, firstMultiple(1000), false);
    }
}

void timeBar::drawTimeMarker(StripPainter& p, const QColor& colour, qint64 time, const QString& label, qint32 hitKind,
                             qint32 snapKind) {
    if (time < viewStart || time > viewEnd) return;
    const qint64 x = (time - viewStart) / ruleStep();
    if (x <= p.width()) {
        p.fill(x, 0, x, p.height() - 1, colour.rgb());
        p.text(x + 2, 3, label, qRgb(255, 255, 255));
    }
    for (qint64 c = x - 5; c <= x + 5; ++c)
        if (Cell* s = snapCell(c)) *s = Cell{-2, snapKind};
    for (int lane = 0; lane < 2; ++lane)
        for (qint64 c = x - 1; c <= x + 1; ++c)
            if (Cell* hc = hitCell(lane, c)) hc->kind = hitKind;
}

void timeBar::drawSub(StripPainter& p, int i, qint64 x1, qint64 x2, bool boxCovered) {
    const int y = i % 2 ? 16 : 0;

    QRgb fill = p.face, light = p.hilite, dark = p.shadow;
    if (!boxCovered && cSubs->Invalid(i)) fill = qRgb(255, 0, 0);
    const int selA = cSelA ? cSelA->value() : -2, selB = cSelB ? cSelB->value() : -2;
    if (selA != selB && selA >= 0 && selA <= i && i <= selB) {
        fill = qRgb(192, 192, 255);
        light = qRgb(240, 240, 255);
        dark = qRgb(111, 111, 193);
    }
    const bool current = cSel && cSel->value() == i;
    if (current) {
        fill = qRgb(128, 128, 255);
        light = qRgb(190, 190, 255);
        dark = qRgb(75, 75, 150);
    }
    const bool marks[3] = {cMarkS && cMarkS->value() == i, cMarkS1 && cMarkS1->value() == i,
                           cMarkS2 && cMarkS2->value() == i};
    if (marks[0] || marks[1] || marks[2]) {
        fill = qRgb(140, 200, 130);
        light = qRgb(190, 240, 180);
        dark = qRgb(90, 135, 80);
    }
    if (current) fill = qRgb(128, 128, 255);

    // Coordinates far outside the surface are pulled in before painting.
    const qint64 w = p.width();
    const qint64 px1 = std::clamp<qint64>(x1, -4, w + 4), px2 = std::clamp<qint64>(x2, -4, w + 4);
    if (!boxCovered) {
        const qint64 lo = std::min(px1, px2), hi = std::max(px1, px2);
        p.fill(lo - 1, y - 1, hi + 1, y + 16, qRgb(0, 0, 0));
        p.fill(lo, y, hi, y + 15, dark);
        if (hi - lo >= 2) p.fill(lo + 1, y + 1, hi - 1, y + 14, fill);
        p.fill(px1, y, px1, y + 14, qRgb(255, 255, 255));
        if (px2 != px1) p.fill(px1, y, px2 > px1 ? px2 - 1 : px2 + 1, y, light);
    }

    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, i).ptr;
    const std::string_view number(digits, static_cast<size_t>(end - digits));
    const double tw = p.textWidth(number);
    p.text(CIntSat(static_cast<double>(x2 - x1) / 2 + static_cast<double>(x1) - tw / 2), y + 1, number, qRgb(0, 0, 0));
    for (int m = 0; m < 3; ++m)
        if (marks[m]) p.image(static_cast<int>(px1), y, markerIcons[m]);

    if (!(entryDrag() && dragIndex == i)) writeSubMaps(i, x1, x2);
}

// ---- Mouse and keys -------------------------------------------------------------------------

bool timeBar::eventFilter(QObject* watched, QEvent* e) {
    if (watched != picMain) return QWidget::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: picMain_MouseDown(static_cast<QMouseEvent*>(e)); return true;
    case QEvent::MouseMove: picMain_MouseMove(static_cast<QMouseEvent*>(e)); return true;
    case QEvent::MouseButtonRelease: picMain_MouseUp(static_cast<QMouseEvent*>(e)); return true;
    case QEvent::KeyPress: picMain_KeyPress(static_cast<QKeyEvent*>(e)->text()); return true;
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
    case QEvent::UngrabMouse:
        // The release will never come (a modal window or another grab took the mouse).
        if (dragging) endDrag();
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, e);
}

void timeBar::picMain_MouseDown(QMouseEvent* e) {
    pressTimer.start();
    const QPointF pos = e->position();
    if (e->button() == Qt::RightButton) {
        menuTime = clampTime(timeAt(pos.x()));
        PopupMenu(mnuPopup, e->globalPosition().toPoint());
        return;
    }
    if (pos.y() > StripBottom) return;
    const Cell* c = hitUnder(pos);
    if (!c) return;
    dragIndex = c->index;
    dragKind = c->kind;
    pressX = CIntSat(pos.x());
    if (dragKind == Body && cSubs) dragOrigIn = cSubs->SubTimeIn(dragIndex);
    if (dragKind != None) dragging = true;
    dragMoved = false;
}

void timeBar::picMain_MouseMove(QMouseEvent* e) {
    if (dragging && !(e->buttons() & ~Qt::RightButton)) endDrag();
    const QPointF pos = e->position();
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (pos.y() <= StripBottom) {
        if (dragging) {
            dragStep(CIntSat(pos.x()));
            return;
        }
        if (const Cell* c = hitUnder(pos)) {
            if (c->kind == Body) shape = Qt::SizeAllCursor;
            else if (c->kind == EdgeIn || c->kind == EdgeOut || c->kind == Stretch1 || c->kind == Stretch2 ||
                     c->kind == ShiftMark)
                shape = Qt::SizeHorCursor;
        }
    }
    if (picMain->cursor().shape() != shape) picMain->setCursor(shape);
}

void timeBar::picMain_MouseUp(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) return; // the popup menu has had this one
    if (dragging) endDrag();
    const QPointF pos = e->position();
    const qint64 held = pressTimer.isValid() ? msSincePress() : kClickMs;
    if (held >= kClickMs || pos.y() > StripBottom) return;
    const Cell* c = hitUnder(pos);
    if (!c) return;
    dragIndex = c->index;
    dragKind = c->kind;
    pressX = CIntSat(pos.x());
    if (dragKind == Body) {
        if (cSel) cSel->setValue(dragIndex);
    } else if (dragKind == None) {
        emit ReqTimeChange(clampTime(timeAt(pos.x())));
    }
}

void timeBar::endDrag() {
    dragging = false;
    if (cSubs) {
        cSubs->EnableEvents(true);
        // A click or a drag that came back to its pixel leaves the document as it was.
        if (dragMoved) cSubs->RaiseMajor();
    }
    dragMoved = false;
    Redraw();
}

void timeBar::picMain_KeyPress(const QString& text) {
    if (text == QLatin1String("+")) ZoomIn();
    else if (text == QLatin1String("-")) ZoomOut();
}

// Snapping only pulls towards entry edges, the movie end and the play position; an entry
// being dragged never pulls itself.
qint64 timeBar::snap(qint64 t, qint64 column) const {
    if (column < 0 || column >= mapWidth() || !mnuSnap->isChecked()) return t;
    const Cell& c = snapMap[size_t(column)];
    if (c.kind == None || (entryDrag() && c.index == dragIndex)) return t;
    switch (c.kind) {
    case PlayPos: return lCurrentPosition;
    case MovieEnd: return movieTime;
    case EdgeIn: return cSubs ? cSubs->SubTimeIn(c.index) : t;
    case EdgeOut: return cSubs ? cSubs->SubTimeOut(c.index) : t;
    default: return t;
    }
}

// Writes both times of the dragged entry, kept at or after 0 and within range with their
// distance unchanged.
void timeBar::dragEntryTimes(qint64 tIn, qint64 tOut) {
    const qint64 low = std::min(tIn, tOut), high = std::max(tIn, tOut);
    qint64 shift = 0;
    if (low < 0) shift = -low;
    else if (high > kLongMax) shift = kLongMax - high;
    cSubs->EnableEvents(false);
    cSubs->setSubTimeIn(dragIndex, SatLong(tIn + shift));
    cSubs->setSubTimeOut(dragIndex, SatLong(tOut + shift));
    cSubs->EnableEvents(true);
}

void timeBar::dragStep(int xi) {
    inDragStep = true;
    const bool entry = entryDrag() && cSubs && dragIndex >= 0 && dragIndex < cSubs->count();
    const qint32 oldIn = entry ? cSubs->SubTimeIn(dragIndex) : 0;
    const qint32 oldOut = entry ? cSubs->SubTimeOut(dragIndex) : 0;
    qint64 t = timeAt(xi);
    const qint64 k = ruleStep();
    switch (dragKind) {
    case EdgeIn:
        if (!cSubs) break;
        cSubs->EnableEvents(false);
        cSubs->setSubTimeIn(dragIndex, clampTime(snap(t, xi)));
        cSubs->EnableEvents(true);
        if (cSubs->SubTimeOut(dragIndex) <= cSubs->SubTimeIn(dragIndex))
            cSubs->setSubTimeOut(dragIndex, SatLong(qint64(cSubs->SubTimeIn(dragIndex)) + kPushGap));
        break;
    case EdgeOut:
        if (!cSubs) break;
        cSubs->EnableEvents(false);
        cSubs->setSubTimeOut(dragIndex, clampTime(snap(t, xi)));
        cSubs->EnableEvents(true);
        if (cSubs->SubTimeIn(dragIndex) >= cSubs->SubTimeOut(dragIndex))
            cSubs->setSubTimeIn(dragIndex, clampTime(qint64(cSubs->SubTimeOut(dragIndex)) - kPushGap));
        break;
    case Body: {
        if (!cSubs) break;
        const qint64 duration = qint64(cSubs->SubTimeOut(dragIndex)) - cSubs->SubTimeIn(dragIndex);
        t = roundL(static_cast<double>(dragOrigIn) + static_cast<double>(xi - pressX) * CoEff);
        t = snap(t, (t - viewStart) / k);
        dragEntryTimes(t, t + duration);
        t = cSubs->SubTimeOut(dragIndex);
        t = snap(t, (t - viewStart) / k);
        dragEntryTimes(t - duration, t);
        break;
    }
    case ShiftMark:
    case Stretch1:
    case Stretch2: {
        clsTime* marker = dragKind == ShiftMark  ? cMarkT.data()
                          : dragKind == Stretch1 ? cMarkT1.data()
                                                 : cMarkT2.data();
        if (marker) marker->setValue(clampTime(snap(t, xi)));
        break;
    }
    default: break;
    }
    if (entry && (cSubs->SubTimeIn(dragIndex) != oldIn || cSubs->SubTimeOut(dragIndex) != oldOut)) dragMoved = true;
    inDragStep = false;
    recomputeTotal();
    Redraw();
}

// ---- Menu -----------------------------------------------------------------------------------

void timeBar::mnuRulers_Click() { emit AskRulerSpace(mnuRulers->isChecked()); }
void timeBar::mnuSnap_Click() { emit SnapValue(mnuSnap->isChecked()); }
void timeBar::mnuGoto_Click() { GoToSel(cSel ? cSel->value() : -2); }
void timeBar::mnuGotoPlayTime_Click() { GotoTime(lCurrentPosition); }
void timeBar::mnuGotoEnd_Click() { GotoTime(movieTime); }
void timeBar::mnuGotoSMS_Click() { GoToSel(cMarkS ? cMarkS->value() : -2); }
void timeBar::mnuGotoSMS1_Click() { GoToSel(cMarkS1 ? cMarkS1->value() : -2); }
void timeBar::mnuGotoSMS2_Click() { GoToSel(cMarkS2 ? cMarkS2->value() : -2); }
void timeBar::mnuGotoSMT_Click() {
    if (cMarkT) GotoTime(cMarkT->value());
}
void timeBar::mnuGotoSMT1_Click() {
    if (cMarkT1) GotoTime(cMarkT1->value());
}
void timeBar::mnuGotoSMT2_Click() {
    if (cMarkT2) GotoTime(cMarkT2->value());
}
void timeBar::mnuShMark_Click() {
    if (cMarkT) cMarkT->setValue(menuTime);
}
void timeBar::mnuSMark1_Click() {
    if (cMarkT1) cMarkT1->setValue(menuTime);
}
void timeBar::mnuSMark2_Click() {
    if (cMarkT2) cMarkT2->setValue(menuTime);
}
