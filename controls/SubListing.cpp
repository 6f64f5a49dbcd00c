#include "controls/SubListing.h"
#include "controls/TimeText.h"
#include "model/Common.h"
#include "model/clsSubs.h"
#include "model/clsTime.h"
#include "platform/Colors.h"
#include "platform/MsgBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string_view>

namespace {
constexpr int kHeaderHeight = 16;
constexpr int kTimeInX = 70;
constexpr int kTimeOutX = 145;
constexpr int kTextX = 225;
constexpr int kMarkerW = 30;
constexpr quint32 kEditColor = 0xF38885;
const QString kCrLf = QStringLiteral("\r\n");

constexpr int kTimeInPieces[7] = {74, 87, 90, 102, 106, 119, 122};
constexpr int kTimeOutPieces[7] = {149, 162, 165, 177, 181, 194, 197};

QColor rangeTint() { return QColor(190, 190, 220); }
QColor rowLine() { return QColor(240, 240, 240); }
QColor gridLine() { return QColor(200, 200, 200); }
QColor badText() { return VBColor(255); }

bool isVerticalKey(int key) { return key == Qt::Key_Up || key == Qt::Key_Down; }
bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

void putText(QLineEdit* e, const QString& s) {
    if (e->text() != s) e->setText(s);
}

// The three marker icons, drawn here so that they need no image files: 1 and 2 the stretch
// markers, 3 the shift marker.
QImage markerIcon(const QColor& fill, const QString& caption) {
    QImage img(kMarkerW, SubListing::RowHeight - 1, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(fill.darker(140));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(2.5, 1.5, 25, 11), 3, 3);
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(2, 1, 26, 12), Qt::AlignCenter, caption);
    return img;
}

// Hands every event of the program to the listing before its receiver sees it.
class EventTap : public QObject {
public:
    explicit EventTap(std::function<void(QObject*, QEvent*)> seen) : seen_(std::move(seen)) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        seen_(watched, event);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> seen_;
};

// Switches the document's events off for a bulk edit and back on whatever happens; events a
// host had already switched off stay off.
struct EventsPaused {
    explicit EventsPaused(clsSubs* s) : subs(s), wasOn(s->eventsEnabled()) {
        if (wasOn) subs->EnableEvents(false);
    }
    ~EventsPaused() {
        if (wasOn) subs->EnableEvents(true);
    }
    EventsPaused(const EventsPaused&) = delete;
    EventsPaused& operator=(const EventsPaused&) = delete;
    clsSubs* subs;
    bool wasOn;
};
} // namespace

// --- drawing surface ---------------------------------------------------------------------------

ListSurface::ListSurface(SubListing* owner) : QWidget(owner), owner_(owner) {
    setObjectName(QStringLiteral("picMain"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Taking the focus on a click lets a time field being edited commit to its own row first.
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
}

void ListSurface::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(event->rect(), image_, event->rect());
}

void ListSurface::resizeEvent(QResizeEvent*) {
    if (image_.size() == size()) return;
    QImage img(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(SystemColor(SysColor::AppWorkspace));
    image_ = img;
    owner_->Redraw();
}

void ListSurface::mousePressEvent(QMouseEvent* event) { owner_->mousePress(event); }
void ListSurface::mouseMoveEvent(QMouseEvent* event) { owner_->mouseMove(event); }
void ListSurface::mouseReleaseEvent(QMouseEvent* event) { owner_->mouseRelease(event); }
void ListSurface::wheelEvent(QWheelEvent* event) { QApplication::sendEvent(owner_->scrList, event); }

MarkerBox::MarkerBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picMarker"));
    image_ = QImage(kMarkerW, SubListing::RowHeight, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
}

void MarkerBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void MarkerBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Click();
}

// --- construction and layout -------------------------------------------------------------------

SubListing::SubListing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SubListing"));
    rowFont_ = TimeText::FieldFont(font());
    rowAscent_ = QFontMetrics(rowFont_).ascent();
    makeGlyphs();

    QFont headerFont(QStringLiteral("Arial"));
    headerFont.setPixelSize(11);
    const struct {
        const char* caption;
        int x;
    } headers[] = {{"M", 10}, {"#", 50}, {"Time In", 74}, {"Time Out", 149}, {"Text", kTextX}};
    for (const auto& h : headers) {
        auto* l = new QLabel(QString::fromLatin1(h.caption), this);
        l->setFont(headerFont);
        l->move(h.x, 1);
        l->adjustSize();
        headers_.append(l);
    }

    picMain = new ListSurface(this);
    picMain->setFont(rowFont_);
    scrList = new QScrollBar(Qt::Vertical, picMain);
    scrList->setObjectName(QStringLiteral("scrList"));
    scrList->setRange(0, 0);
    scrList->setSingleStep(1);
    connect(scrList, &QScrollBar::valueChanged, this, &SubListing::scrList_Change);

    picSelBar = new QWidget(picMain);
    picSelBar->setObjectName(QStringLiteral("picSelBar"));
    picSelBar->setAutoFillBackground(true);
    QPalette barPal = picSelBar->palette();
    barPal.setColor(QPalette::Window, VBColor(kEditColor));
    barPal.setColor(QPalette::Base, VBColor(kEditColor));
    picSelBar->setPalette(barPal);
    picSelBar->setFont(rowFont_);
    picSelBar->installEventFilter(this);

    picMarker = new MarkerBox(picSelBar);
    picMarker->setGeometry(0, 0, kMarkerW, RowHeight);
    connect(picMarker, &MarkerBox::Click, this, &SubListing::picMarker_Click);

    lbNr = new QLabel(picSelBar);
    lbNr->setObjectName(QStringLiteral("lbNr"));
    lbNr->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbNr->setGeometry(kMarkerW, 1, 65 - kMarkerW, RowHeight - 1);

    txtSubTimeIn = new TimeText(picSelBar);
    txtSubTimeIn->setObjectName(QStringLiteral("txtSubTimeIn"));
    txtSubTimeOut = new TimeText(picSelBar);
    txtSubTimeOut->setObjectName(QStringLiteral("txtSubTimeOut"));
    txtSubTimeIn->setGeometry(kTimeInX, 0, kTimeOutX - kTimeInX, RowHeight);
    txtSubTimeOut->setGeometry(kTimeOutX, 0, 220 - kTimeOutX, RowHeight);
    for (TimeText* t : {txtSubTimeIn, txtSubTimeOut}) {
        t->setBorderStyle(0);
        t->setBackColor(VBColor(kEditColor));
    }

    txtSubText = new QLineEdit(picSelBar);
    txtSubText->setObjectName(QStringLiteral("txtSubText"));
    txtSubText->setFrame(false);
    txtSubText->setTextMargins(-2, 0, 0, 0);
    txtSubText->setFont(rowFont_);
    txtSubText->setContextMenuPolicy(Qt::PreventContextMenu);
    txtSubText->setToolTip(QStringLiteral("The subtitle text. Press shift+enter to insert a newline character."));
    txtSubText->setGeometry(kTextX, 0, 100, RowHeight);
    // The box holds any text the document holds: at its default limit the next key would store
    // a long text cut short.
    txtSubText->setMaxLength(std::numeric_limits<int>::max());
    txtSubText->installEventFilter(this);
    // Typed text is stored when its key is released; text that arrives without a key (a paste
    // with the middle button, a drop, an input method) is stored at once, or the next row
    // shown in the box would take it away.
    connect(txtSubText, &QLineEdit::textEdited, this, [this] {
        if (textKeys_.isEmpty() && !noEdit_ && bound_) commitText();
    });

    picSelBar->setGeometry(0, EditBarParked, 300, RowHeight);

    connect(txtSubTimeIn, &TimeText::Change, this, &SubListing::txtSubTimeIn_Change);
    connect(txtSubTimeOut, &TimeText::Change, this, &SubListing::txtSubTimeOut_Change);
    connect(txtSubTimeIn, &TimeText::KeyDown, this, &SubListing::txtSubTimeIn_KeyDown);
    connect(txtSubTimeOut, &TimeText::KeyDown, this, &SubListing::txtSubTimeOut_KeyDown);
    connect(txtSubTimeIn, &TimeText::KeyUp, this, &SubListing::txtSubTimeIn_KeyUp);
    connect(txtSubTimeOut, &TimeText::KeyUp, this, &SubListing::txtSubTimeOut_KeyUp);
    connect(txtSubTimeIn, &TimeText::PressEnter, this, &SubListing::txtSubTimeIn_PressEnter);
    connect(txtSubTimeIn, &TimeText::PressRight, this, &SubListing::txtSubTimeIn_PressRight);
    connect(txtSubTimeOut, &TimeText::PressLeft, this, &SubListing::txtSubTimeOut_PressLeft);
    connect(txtSubTimeOut, &TimeText::PressEnter, this, &SubListing::txtSubTimeOut_PressEnter);
    connect(txtSubTimeOut, &TimeText::PressRight, this, &SubListing::txtSubTimeOut_PressRight);
    connect(txtSubTimeIn, &TimeText::RightClick, this, &SubListing::txtSubTime_RightClick);
    connect(txtSubTimeOut, &TimeText::RightClick, this, &SubListing::txtSubTime_RightClick);

    Scroller = new QTimer(this);
    Scroller->setObjectName(QStringLiteral("Scroller"));
    Scroller->setInterval(50);
    connect(Scroller, &QTimer::timeout, this, &SubListing::Scroller_Timer);
    Selector = new QTimer(this);
    Selector->setObjectName(QStringLiteral("Selector"));
    Selector->setInterval(50);
    connect(Selector, &QTimer::timeout, this, &SubListing::Selector_Timer);

    Markers[1] = markerIcon(QColor(220, 120, 20), QStringLiteral("St1"));
    Markers[2] = markerIcon(QColor(200, 60, 160), QStringLiteral("St2"));
    Markers[3] = markerIcon(QColor(30, 150, 60), QStringLiteral("Sh"));
    tap_ = std::make_unique<EventTap>([this](QObject* watched, QEvent* event) { outsideEvent(watched, event); });

    resize(400, 200);
}

QSize SubListing::minimumSizeHint() const {
    const int sbw = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return QSize(kTextX + sbw, kHeaderHeight + 3 * RowHeight);
}

void SubListing::resizeEvent(QResizeEvent*) {
    const int sbw = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    picMain->setGeometry(0, kHeaderHeight, width(), std::max(0, height() - kHeaderHeight));
    const QRect inner = picMain->contentsRect();
    scrList->setGeometry(inner.right() + 1 - sbw, inner.top(), sbw, inner.height());
    Rows = picMain->height() / RowHeight;
    margin_ = 1;
    const int barW = std::max(0, inner.width() - sbw);
    picSelBar->resize(barW, RowHeight);
    txtSubText->resize(std::max(0, barW - kTextX), RowHeight);
    CalcBars();
    Redraw();
}

// --- binding -----------------------------------------------------------------------------------

void SubListing::SetStruct(clsSubs* lst, clsTime* c, clsTime* ca, clsTime* cb) {
    if (cSubs) disconnect(cSubs, nullptr, this, nullptr);
    for (clsTime* t : {cSel.data(), cSelA.data(), cSelB.data()})
        if (t) disconnect(t, nullptr, this, nullptr);
    cSubs = lst;
    cSel = c;
    cSelA = ca;
    cSelB = cb;
    connect(cSubs, &clsSubs::Change, this, &SubListing::cSubs_Change);
    connect(cSubs, &clsSubs::CountChange, this, &SubListing::cSubs_CountChange);
    connect(cSubs, &clsSubs::MajorChange, this, &SubListing::cSubs_MajorChange);
    connect(cSel, &clsTime::Change, this, &SubListing::cSel_Change);
    connect(cSelA, &clsTime::Change, this, &SubListing::cSelA_Change);
    connect(cSelB, &clsTime::Change, this, &SubListing::cSelB_Change);
    bound_ = true;
}

void SubListing::SetMarkers(clsTime* s, clsTime* s1, clsTime* s2) {
    markPics_ = {Markers[3], Markers[1], Markers[2]};
    for (auto& m : marks_)
        if (m) disconnect(m, nullptr, this, nullptr);
    marks_ = {s, s1, s2};
    if (s) connect(s, &clsTime::Change, this, &SubListing::cMarkS_Change);
    if (s1) connect(s1, &clsTime::Change, this, &SubListing::cMarkS1_Change);
    if (s2) connect(s2, &clsTime::Change, this, &SubListing::cMarkS2_Change);
    for (int k = 0; k < 3; ++k) markRow_[k] = marks_[k] ? marks_[k]->value() : -2;
}

void SubListing::setNewLineChar(const QString& c) {
    newLineChar_ = c;
    GiveSelValues();
    Redraw();
}

void SubListing::setNoEdit(bool b) {
    // Typing not yet stored when the listing stops taking edits is kept, not lost to the next row.
    if (b && !noEdit_) commitText();
    noEdit_ = b;
    // Refused visibly: a text box that showed typing it never stores would lose it silently.
    txtSubText->setReadOnly(b);
}

void SubListing::SetSimpleMode(bool b, int drawMode) {
    simple_ = b;
    drawMode_ = drawMode;
    picSelBar->setVisible(!b);
    Redraw();
}

QString SubListing::shown(const QString& stored) const {
    QString s = stored;
    return s.replace(kCrLf, newLineChar_);
}

QString SubListing::stored(const QString& shown) const {
    if (newLineChar_.isEmpty()) return shown;
    QString s = shown;
    return s.replace(newLineChar_, kCrLf);
}

bool SubListing::inList(int i) const { return cSubs && i >= 0 && i < cSubs->count(); }

int SubListing::rowAt(int y) const { return y / RowHeight + TopIdx; }

int SubListing::markerAt(int i) const {
    for (int k = 0; k < 3; ++k)
        if (marks_[k] && marks_[k]->value() == i) return k;
    return -1;
}

// --- drawing -----------------------------------------------------------------------------------

void SubListing::CalcBars() {
    if (!bound_) return;
    if (Rows - 1 < scrList->maximum()) scrList->setPageStep(std::max(1, Rows - 1));
    scrList->setMaximum(std::max(0, cSubs->count() - Rows));
    TopIdx = scrList->value();
    BottomIdx = TopIdx + Rows;
}

void SubListing::placeEditBar() {
    const int v = cSel ? cSel->value() : -2;
    const int y = (v >= 0 && TopIdx <= v && v <= BottomIdx) ? (v - TopIdx) * RowHeight : EditBarParked;
    if (picSelBar->y() != y) picSelBar->move(0, y);
    // Keys typed into a bar out of sight would edit a subtitle nobody sees.
    if (y == EditBarParked && picSelBar->isAncestorOf(QApplication::focusWidget()))
        picMain->setFocus(Qt::OtherFocusReason);
}

void SubListing::makeGlyphs() {
    const QFontMetrics fm(rowFont_);
    for (char c : std::string_view("0123456789:.-")) {
        Glyph& g = glyphs_[static_cast<uchar>(c)];
        g.advance = fm.horizontalAdvance(QLatin1Char(c));
        g.width = g.advance + 2;
        QImage img(g.width, RowHeight, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setFont(rowFont_);
        p.setPen(Qt::black);
        p.drawText(0, 1 + rowAscent_, QString(QLatin1Char(c)));
        p.end();
        g.alpha.resize(static_cast<size_t>(g.width) * RowHeight);
        g.y0 = RowHeight;
        g.y1 = 0;
        for (int y = 0; y < RowHeight; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < g.width; ++x) {
                g.alpha[static_cast<size_t>(y) * g.width + x] = qAlpha(line[x]);
                if (qAlpha(line[x])) {
                    g.y0 = std::min(g.y0, y);
                    g.y1 = std::max(g.y1, y + 1);
                }
            }
        }
    }
}

int SubListing::digitsWidth(const char* s) const {
    int w = 0;
    for (; *s; ++s) w += glyphs_[static_cast<uchar>(*s) & 0x7F].advance;
    return w;
}

// Blends the digit glyphs straight into the image: a row holds two dozen of them, too many
// for a painter call each.
int SubListing::drawDigits(QImage& img, int x, int top, const char* s, QRgb color, int right) const {
    const int cr = qRed(color), cg = qGreen(color), cb = qBlue(color);
    for (; *s; ++s) {
        const Glyph& g = glyphs_[static_cast<uchar>(*s) & 0x7F];
        for (int y = g.y0; y < g.y1; ++y) {
            const int iy = top + y;
            if (iy < 0 || iy >= img.height()) continue;
            QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(iy));
            const uchar* a = g.alpha.data() + static_cast<size_t>(y) * g.width;
            const int x1 = std::min({x + g.width, right, img.width()});
            for (int ix = std::max(x, 0); ix < x1; ++ix) {
                const int al = a[ix - x];
                if (!al) continue;
                const QRgb d = line[ix];
                const int na = 255 - al;
                line[ix] = qRgb((cr * al + qRed(d) * na) / 255, (cg * al + qGreen(d) * na) / 255,
                                (cb * al + qBlue(d) * na) / 255);
            }
        }
        x += g.advance;
    }
    return x;
}

void SubListing::Redraw() {
    if (BlockRedraw) {
        imageValid_ = false;
        return;
    }
    QImage& img = picMain->image();
    if (img.size() != picMain->size()) {
        img = QImage(picMain->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    }
    img.fill(SystemColor(SysColor::AppWorkspace));
    if (bound_) {
        placeEditBar();
        const int n = cSubs->count();
        QPainter p(&img);
        for (int i = TopIdx; i <= BottomIdx && i < n; ++i) DrawRow(p, i);
    }
    imageValid_ = bound_;
    picMain->update();
}

void SubListing::DrawRow(int i) {
    QPainter p(&picMain->image());
    DrawRow(p, i);
}

namespace {
void fillRect(QImage& img, int x0, int y0, int x1, int y1, QRgb c) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, img.width());
    y0 = std::max(y0, 0);
    y1 = std::min(y1, img.height());
    for (int y = y0; y < y1; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        std::fill(line + x0, line + std::max(x0, x1), c);
    }
}

// Time text of a row: the last two digits of the hours, then minutes, seconds, milliseconds.
void timePieces(qint64 t, char out[4][4]) {
    auto put = [](char* p, qint64 v, int n) {
        // The last n characters of the number's text, padded with zeros, as PadZeros gives.
        char buf[24];
        const int len = std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v));
        for (int k = 0; k < n; ++k) {
            const int src = len - n + k;
            p[k] = src >= 0 ? buf[src] : '0';
        }
        p[n] = 0;
    };
    put(out[0], t / 1000 / 60 / 60, 2);
    put(out[1], (t / 60000) % 60, 2);
    put(out[2], (t / 1000) % 60, 2);
    put(out[3], t % 1000, 3);
}
} // namespace

void SubListing::DrawRow(QPainter& p, int i) {
    QImage& img = picMain->image();
    const int top = (i - TopIdx) * RowHeight;
    if (top >= img.height() || top + RowHeight <= 0) return;
    const int w = picMain->width() - scrList->width();

    QColor bg(255, 255, 255);
    if (!simple_) {
        const int a = cSelA ? cSelA->value() : -2, b = cSelB ? cSelB->value() : -2;
        if (a >= 0 && b >= 0 && a != b && a <= i && i <= b) bg = rangeTint();
    } else {
        int lit = -2;
        switch (drawMode_) {
        case 0: lit = curRow_; break;
        case 1:
        case 2:
        case 3: lit = marks_[drawMode_ - 1] ? marks_[drawMode_ - 1]->value() : -2; break;
        default: break;
        }
        if (lit >= 0 && lit == i) bg = VBColor(kEditColor);
    }
    fillRect(img, 0, top, w, top + RowHeight, bg.rgb());
    fillRect(img, 0, top + 14, w, top + 15, rowLine().rgb());
    for (int x : {30, 70, 145, 220}) fillRect(img, x, top, x + 1, top + 15, gridLine().rgb());

    const bool bad = cSubs->Invalid(i);
    const QRgb ink = bad ? badText().rgb() : qRgb(0, 0, 0);
    char nr[16];
    std::snprintf(nr, sizeof nr, "%d", i);
    drawDigits(img, 65 - digitsWidth(nr), top, nr, ink, w);

    char pieces[4][4];
    auto drawTime = [&](qint64 t, const int* xs) {
        timePieces(t, pieces);
        const char* all[7] = {pieces[0], ":", pieces[1], ":", pieces[2], ".", pieces[3]};
        for (int k = 0; k < 7; ++k) drawDigits(img, xs[k], top, all[k], ink, w);
    };
    drawTime(cSubs->SubTimeIn(i), kTimeInPieces);
    drawTime(cSubs->SubTimeOut(i), kTimeOutPieces);

    // Nothing narrower than two pixels is drawn, so a longer text would only be clipped.
    const int room = std::max(0, (w - kTextX) / 2 + 2);
    QString text = shown(cSubs->SubText(i));
    if (text.size() > room) text.truncate(room);
    if (!text.isEmpty()) {
        auto it = textCache_.find(text);
        if (it == textCache_.end()) {
            if (textCache_.size() > 4096) textCache_.clear();
            QString line = text;
            line.replace(u'\r', u' ').replace(u'\n', u' ');
            QStaticText st(line);
            st.setTextFormat(Qt::PlainText);
            st.setPerformanceHint(QStaticText::AggressiveCaching);
            st.prepare(QTransform(), rowFont_);
            it = textCache_.insert(text, st);
        }
        if (p.font() != rowFont_) p.setFont(rowFont_);
        p.setPen(QColor(ink));
        const bool clip = kTextX + it->size().width() > w || top + RowHeight > img.height();
        if (clip) p.setClipRect(0, top, w, RowHeight);
        p.drawStaticText(kTextX, top + 1, *it);
        if (clip) p.setClipping(false);
    }

    for (int k = 0; k < 3; ++k)
        if (marks_[k] && marks_[k]->value() == i) p.drawImage(0, top, markPics_[k]);
}

void SubListing::ClearRow(int i) {
    QImage& img = picMain->image();
    const int top = (i - TopIdx) * RowHeight;
    QPainter p(&img);
    p.fillRect(0, top, picMain->width() - scrList->width(), RowHeight, SystemColor(SysColor::AppWorkspace));
}

void SubListing::redrawRow(int i) {
    if (!bound_ || i < 0 || i < TopIdx || i > BottomIdx) return;
    if (i >= cSubs->count()) ClearRow(i);
    else DrawRow(i);
    picMain->update(0, (i - TopIdx) * RowHeight, picMain->width(), RowHeight);
}

// --- edit bar ----------------------------------------------------------------------------------

void SubListing::rowColors() {
    const QColor c = inList(editRow_) && cSubs->Invalid(editRow_) ? badText() : SystemColor(SysColor::WindowText);
    QPalette p = lbNr->palette();
    if (p.color(QPalette::WindowText) != c) {
        p.setColor(QPalette::WindowText, c);
        lbNr->setPalette(p);
        QPalette t = txtSubText->palette();
        t.setColor(QPalette::Text, c);
        txtSubText->setPalette(t);
    }
    txtSubTimeIn->setForeColor(c);
    txtSubTimeOut->setForeColor(c);
}

void SubListing::GiveSelValues() {
    if (!bound_) return;
    if (!inList(curRow_)) {
        if (curRow_ < 0) editRow_ = -2;
        return;
    }
    editRow_ = curRow_;
    putText(txtSubText, shown(cSubs->SubText(editRow_)));
    txtSubTimeOut->setlTime(cSubs->SubTimeOut(editRow_));
    txtSubTimeIn->setlTime(cSubs->SubTimeIn(editRow_));
    const QString nr = QString::number(editRow_);
    if (lbNr->text() != nr) lbNr->setText(nr);
    rowColors();
    QImage& icon = picMarker->image();
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    for (int k = 0; k < 3; ++k)
        if (marks_[k] && marks_[k]->value() == editRow_) p.drawImage(0, 0, markPics_[k]);
    p.end();
    picMarker->update();
}

void SubListing::SetTextFocus() { txtSubText->setFocus(Qt::OtherFocusReason); }

void SubListing::commitText() {
    if (!inList(editRow_)) return;
    const QString current = shown(cSubs->SubText(editRow_));
    // A key that changed nothing stores nothing: a stored text that already holds the new-line
    // character would otherwise have it turned into a line break.
    if (txtSubText->text() == current) return;
    if (simple_) putText(txtSubText, current);
    else cSubs->setSubText(editRow_, stored(txtSubText->text()));
}

// What is typed belongs to the row it was typed in, stored before anything outside the row
// editor moves on: a time field keeps a half-typed value until it is left.
void SubListing::storeTyping() {
    txtSubTimeIn->Commit();
    txtSubTimeOut->Commit();
    commitText();
}

void SubListing::outsideEvent(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // The window's own copy of a press comes first; the widget's is the one to judge.
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return;
        // A held arrow whose release may land elsewhere stops as its release would.
        Scroller->stop();
        // A tool bar button takes no focus, so a time field being typed in would never be left
        // before the button's command moves the selection.
        if (w != picSelBar && !picSelBar->isAncestorOf(w)) storeTyping();
        break;
    }
    case QEvent::Shortcut: storeTyping(); break;
    case QEvent::FocusOut: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && picSelBar->isAncestorOf(w)) Scroller->stop();
        break;
    }
    default: break;
    }
}

void SubListing::txtSubTimeIn_Change(qint32 lTime) {
    if (!inList(editRow_)) return;
    if (simple_) txtSubTimeIn->setlTime(cSubs->SubTimeIn(editRow_));
    else cSubs->setSubTimeIn(editRow_, lTime);
}

void SubListing::txtSubTimeOut_Change(qint32 lTime) {
    if (!inList(editRow_)) return;
    if (simple_) txtSubTimeOut->setlTime(cSubs->SubTimeOut(editRow_));
    else cSubs->setSubTimeOut(editRow_, lTime);
}

// --- keys --------------------------------------------------------------------------------------

bool SubListing::textKeyDown(QKeyEvent* k) {
    const int key = k->key();
    // A held arrow moves at the Scroller's pace, not the keyboard's.
    if (isVerticalKey(key) && k->isAutoRepeat()) return true;
    if (!noEdit_ && bound_) {
        const int v = cSel->value();
        const int last = cSubs->count() - 1;
        switch (key) {
        case Qt::Key_Home: SelectSub(0); break;
        case Qt::Key_End: SelectSub(last); break;
        case Qt::Key_Up:
            if (v != 0) SelectSub(v - 1);
            scrollerTag_ = -7;
            Scroller->start();
            break;
        case Qt::Key_Down:
            if (v != last) SelectSub(v + 1);
            scrollerTag_ = 7;
            Scroller->start();
            break;
        default: break;
        }
        // With text selected the caret stands at the selection's start (a row entered by a
        // click, Enter or a move has all its text selected, and Left then leaves the box).
        const int caret = txtSubText->hasSelectedText() ? txtSubText->selectionStart() : txtSubText->cursorPosition();
        leftAtStart_ = key == Qt::Key_Left && caret == 0;
        if (isEnterKey(key) && !k->isAutoRepeat())
            enterBreaks_ = k->modifiers().testAnyFlags(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    }
    // Enter never reaches the text, nor a default button of the host's window.
    return isEnterKey(key) || isVerticalKey(key);
}

void SubListing::textKeyUp(QKeyEvent* k) {
    if (noEdit_ || !bound_) return;
    const int key = k->key();
    Scroller->stop();
    commitText();
    if (key == Qt::Key_End) SelectSub(cSubs->count() - 1);
    if (key == Qt::Key_Left && leftAtStart_) txtSubTimeOut->EnterRight();
    if (key == Qt::Key_Home || key == Qt::Key_End || isVerticalKey(key))
        txtSubText->setSelection(0, static_cast<int>(txtSubText->text().size()));
    if (key == Qt::Key_F3) SearchNext();
    if (isEnterKey(key)) {
        // The modifiers held when Enter went down count, whichever key is released first.
        if (enterBreaks_) {
            txtSubText->insert(newLineChar_);
            commitText();
        } else {
            const int v = cSel->value();
            if (v != cSubs->count() - 1) {
                SelectSub(v + 1);
                txtSubText->setSelection(0, static_cast<int>(txtSubText->text().size()));
            } else {
                emit PushDown();
            }
        }
    }
}

bool SubListing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picSelBar) {
        // A button on the bar's number or marker icon stays with the bar: passed on to the rows
        // beneath, it would hide the bar (and drop the range) behind the marker menu.
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: return true;
        default: return QWidget::eventFilter(watched, event);
        }
    }
    if (watched == txtSubText) {
        switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // F3 in the text box searches on its release; a window shortcut on the same key
            // must not search a second time.
            auto* k = static_cast<QKeyEvent*>(event);
            if (!noEdit_ && k->key() == Qt::Key_F3 && k->modifiers() == Qt::NoModifier) {
                k->accept();
                return true;
            }
            break;
        }
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(event);
            textKeys_.insert(k->key());
            return textKeyDown(k);
        }
        case QEvent::KeyRelease: {
            auto* k = static_cast<QKeyEvent*>(event);
            if (k->isAutoRepeat() || !textKeys_.contains(k->key())) return true;
            textKeyUp(k);
            textKeys_.remove(k->key());
            return false;
        }
        case QEvent::FocusOut:
            // A key still down when the focus leaves (a click on another row) never comes up
            // here: what it typed is stored now, before the row changes.
            if (!textKeys_.isEmpty() && !noEdit_) commitText();
            [[fallthrough]];
        case QEvent::FocusIn:
            textKeys_.clear();
            enterBreaks_ = false;
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                emit RightClick();
                return true;
            }
            break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SubListing::timeKeyDown(TimeText*, int key) {
    if (noEdit_ || !bound_) return;
    const int v = cSel->value();
    switch (key) {
    case Qt::Key_Home: SelectSub(0); break;
    case Qt::Key_End: SelectSub(cSubs->count() - 1); break;
    case Qt::Key_Up:
        if (v != 0) SelectSub(v - 1);
        scrollerTag_ = -7;
        Scroller->start();
        break;
    case Qt::Key_Down:
        SelectSub(v + 1);
        scrollerTag_ = 7;
        Scroller->start();
        break;
    default: break;
    }
}

void SubListing::timeKeyUp(TimeText* t, int key) {
    if (noEdit_) return;
    Scroller->stop();
    if (key == Qt::Key_Home || key == Qt::Key_End || isVerticalKey(key)) t->EnterField(t->cField());
}

void SubListing::txtSubTimeIn_KeyDown(int KeyCode) { timeKeyDown(txtSubTimeIn, KeyCode); }
void SubListing::txtSubTimeOut_KeyDown(int KeyCode) { timeKeyDown(txtSubTimeOut, KeyCode); }
void SubListing::txtSubTimeIn_KeyUp(int KeyCode) { timeKeyUp(txtSubTimeIn, KeyCode); }
void SubListing::txtSubTimeOut_KeyUp(int KeyCode) { timeKeyUp(txtSubTimeOut, KeyCode); }

void SubListing::txtSubTimeIn_PressEnter() {
    if (!noEdit_) txtSubTimeOut->EnterLeft();
}
void SubListing::txtSubTimeIn_PressRight() {
    if (!noEdit_) txtSubTimeOut->EnterLeft();
}
void SubListing::txtSubTimeOut_PressLeft() {
    if (!noEdit_) txtSubTimeIn->EnterRight();
}
void SubListing::txtSubTimeOut_PressEnter() {
    if (!noEdit_) SetTextFocus();
}
void SubListing::txtSubTimeOut_PressRight() {
    if (noEdit_) return;
    SetTextFocus();
    txtSubText->deselect();
    txtSubText->setCursorPosition(0);
}
void SubListing::txtSubTime_RightClick() {
    // A time field with its own copy and paste menu keeps the click: passing it on as well would
    // open the host's menu and then this one, two menus for one click.
    auto* field = qobject_cast<TimeText*>(sender());
    if (!noEdit_ && !(field && field->Enabled())) emit RightClick();
}
void SubListing::picMarker_Click() { emit MarkerSelect(); }

void SubListing::Scroller_Timer() {
    if (scrollerTag_ == 1 || scrollerTag_ == -1) {
        const int v = cSel ? cSel->value() : -2;
        const int next = v + scrollerTag_;
        // Stop at either end of the list rather than running off it into "none".
        if (!bound_ || v < 0 || next < 0 || next >= cSubs->count()) {
            Scroller->stop();
            return;
        }
        SelectSub(next);
    } else {
        scrollerTag_ += scrollerTag_ > 0 ? -1 : 1;
    }
}

// --- selection ---------------------------------------------------------------------------------

void SubListing::SelectSub(int i) {
    if (!cSel) return;
    if (!cSubs || i >= cSubs->count() || i < 0) i = -2;
    cSel->setValue(i);
}

void SubListing::Deselect() {
    if (cSelA) cSelA->setValue(-2);
    if (cSelB) cSelB->setValue(-2);
}

int SubListing::SelA() const { return cSelA ? cSelA->value() : -2; }
int SubListing::SelB() const { return cSelB ? cSelB->value() : -2; }
bool SubListing::SelectionExist() const { return SelA() >= 0 && SelB() >= 0 && SelB() > SelA(); }

QString SubListing::GetSelString() const {
    if (SelA() < 0 || SelB() < 0 || SelA() == SelB()) return QString();
    return QString::number(SelA()) + QStringLiteral(" - ") + QString::number(SelB());
}

void SubListing::Delete() {
    if (!bound_) return;
    if (SelectionExist()) {
        const int a = SelA();
        const int b = std::min(SelB(), cSubs->count() - 1);
        if (a <= b) {
            // One wholesale change instead of a recount and a redraw per row.
            clsTime sink;
            sink.setMin(-2);
            sink.setMax(clsSubs::Capacity);
            {
                EventsPaused paused(cSubs);
                for (int k = a; k <= b; ++k) cSubs->Delete(a, sink);
            }
            const int n = cSubs->count();
            cSel->setValue(a < n ? a : (n > 0 ? n - 1 : -2));
            Deselect();
            cSubs->RaiseMajor();
            return;
        }
        Deselect();
        return;
    }
    const int v = cSel->value();
    if (v >= 0) cSubs->Delete(v, *cSel);
}

void SubListing::GotoSub(int x) {
    if (!bound_ || x < 0) return;
    if (x > BottomIdx - margin_) scrList->setValue(std::max(0, x - Rows + margin_));
    if (x < TopIdx) scrList->setValue(x);
}

void SubListing::GoToSel() {
    if (cSel) GotoSub(cSel->value());
}

void SubListing::DetermineInvalids() {
    if (!bound_) return;
    prevBad_ = -2;
    nextBad_ = -2;
    const int v = cSel->value();
    const int n = cSubs->count();
    if (v != n - 1) {
        for (int i = std::max(v + 1, 0); i < n; ++i)
            if (cSubs->Invalid(i)) {
                nextBad_ = i;
                break;
            }
    }
    if (v != 0) {
        for (int i = std::min(v - 1, n - 1); i >= 0; --i)
            if (cSubs->Invalid(i)) {
                prevBad_ = i;
                break;
            }
    }
    emit DeterminedInvalids();
}

void SubListing::setRange(int row) {
    const int n = cSubs->count();
    if (n <= 0) return;
    // Ends beyond the list (a drag above the top, a press below the last row) stop at its edge.
    row = std::clamp(row, 0, n - 1);
    const int anchor = std::clamp(anchor_, 0, n - 1);
    if (row <= anchor) {
        cSelB->setValue(anchor);
        cSelA->setValue(row);
    } else {
        cSelA->setValue(anchor);
        cSelB->setValue(row);
    }
}

// --- scrolling and mouse -----------------------------------------------------------------------

void SubListing::scrList_Change(int value) {
    const int delta = value - TopIdx;
    TopIdx = value;
    BottomIdx = TopIdx + Rows;
    if (!scrollImage(delta)) Redraw();
    emit Scroll();
}

// A scroll by a few rows moves the drawn rows and draws only those that come into view: the
// result is the same image as a full Redraw, at a fraction of the cost while a key is held.
bool SubListing::scrollImage(int delta) {
    QImage& img = picMain->image();
    if (BlockRedraw || !bound_ || !imageValid_ || img.size() != picMain->size()) return false;
    const int d = std::abs(delta);
    if (d == 0 || d >= Rows) return false;
    const int h = img.height();
    const qsizetype bpl = img.bytesPerLine();
    const int shift = d * RowHeight;
    uchar* bits = img.bits();
    int first = 0, last = 0; // rows to draw, relative to the top
    if (delta > 0) {
        std::memmove(bits, bits + shift * bpl, static_cast<size_t>((h - shift) * bpl));
        first = Rows - d;
        last = Rows;
    } else {
        std::memmove(bits + shift * bpl, bits, static_cast<size_t>((h - shift) * bpl));
        first = 0;
        last = d - 1;
    }
    QPainter p(&img);
    const int w = picMain->width() - scrList->width();
    p.fillRect(0, first * RowHeight, w, (last - first + 1) * RowHeight, SystemColor(SysColor::AppWorkspace));
    const int n = cSubs->count();
    for (int r = first; r <= last; ++r)
        if (TopIdx + r < n) DrawRow(p, TopIdx + r);
    p.end();
    placeEditBar();
    picMain->update();
    return true;
}

void SubListing::mousePress(QMouseEvent* e) {
    if (!bound_ || simple_) return;
    const QPoint pos = e->position().toPoint();
    const int row = rowAt(pos.y());
    // A time field being edited commits to its own row before the selection moves.
    picMain->setFocus(Qt::MouseFocusReason);
    if (e->button() == Qt::LeftButton) {
        if (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
            rangePress_ = true;
            setRange(row);
        } else {
            rangePress_ = false;
            anchor_ = row;
            cSelA->setValueNR(anchor_);
            cSelB->setValue(anchor_);
        }
        picSelBar->hide();
    } else if (e->button() == Qt::RightButton) {
        emit ReqPause();
        SelectSub(row);
        emit RightClick();
    }
}

void SubListing::mouseMove(QMouseEvent* e) {
    if (!bound_ || simple_) return;
    const QPoint pos = e->position().toPoint();
    const int row = rowAt(pos.y());
    picMain->setCursor(pos.x() > 70 && inList(row) ? Qt::IBeamCursor : Qt::ArrowCursor);
    lastY_ = pos.y();
    if (e->buttons() & Qt::LeftButton) {
        dragging_ = true;
        setRange(row);
        Selector->stop();
        const double r = lastY_ / double(RowHeight);
        if (r < 1 || r > Rows - 1) {
            selectorTag_ = 1;
            Selector->start();
        }
    }
}

void SubListing::Selector_Timer() {
    if (selectorTag_ != 0) {
        --selectorTag_;
        return;
    }
    if (!bound_) return;
    setRange(rowAt(lastY_));
    const double r = lastY_ / double(RowHeight);
    if (r < 1) scrList->setValue(std::max(0, scrList->value() - 1));
    else if (r > Rows - 1) scrList->setValue(std::min(scrList->maximum(), scrList->value() + 1));
}

void SubListing::mouseRelease(QMouseEvent* e) {
    if (!bound_) return;
    const QPoint pos = e->position().toPoint();
    const int row = rowAt(pos.y());
    if (simple_) {
        switch (drawMode_) {
        case 0: SelectSub(row); break;
        case 1:
        case 2:
        case 3:
            if (marks_[drawMode_ - 1]) marks_[drawMode_ - 1]->setValue(row);
            break;
        default: break;
        }
        return;
    }
    if (dragging_ || rangePress_) {
        dragging_ = false;
        Selector->stop();
        setRange(row);
    } else {
        cSelA->setValue(-2);
        cSelB->setValue(-2);
    }
    rangePress_ = false;
    emit ReqSave();
    SelectSub(row);
    picSelBar->show();
    const int x = pos.x();
    // Below the last row there is no edit bar to go into.
    const bool onRow = inList(editRow_) && editRow_ == curRow_;
    if (x < 30) {
        emit MarkerSelect();
    } else if (onRow && x >= 70 && x < 145) {
        txtSubTimeIn->ClickIt(x - 72);
    } else if (onRow && x >= 145 && x < 220) {
        txtSubTimeOut->ClickIt(x - 147);
    } else if (onRow && x >= 220) {
        SetTextFocus();
        txtSubText->selectAll();
    }
    emit Click();
    emit ReqRestore();
}

// --- notifications -----------------------------------------------------------------------------

void SubListing::cSel_Change() {
    const int v = cSel->value();
    if (simple_) {
        curRow_ = v < 0 ? -2 : v;
        Redraw();
        return;
    }
    GoToSel();
    placeEditBar();
    curRow_ = v;
    if (badRow_ || (nextBad_ >= 0 && v >= nextBad_) || (prevBad_ >= 0 && v <= prevBad_)) DetermineInvalids();
    if (curRow_ >= cSubs->count() || curRow_ < 0) curRow_ = -2;
    if (curRow_ != -2 && (curRow_ < SelA() || curRow_ > SelB())) Deselect();
    GiveSelValues();
    badRow_ = inList(curRow_) && cSubs->Invalid(curRow_);
}

void SubListing::cSelA_Change() { Redraw(); }
void SubListing::cSelB_Change() { Redraw(); }

void SubListing::markerChanged(int which) {
    clsTime* m = marks_[which];
    if (!m) return;
    const int v = m->value();
    // One marker per row: the newcomer pushes out whichever marker stood there.
    if (v >= 0) {
        for (int k = 0; k < 3; ++k)
            if (k != which && marks_[k] && marks_[k]->value() == v) marks_[k]->setValue(-2);
    }
    const int sel = cSel ? cSel->value() : -2;
    const int old = markRow_[which];
    redrawRow(old);
    if (old >= 0 && old == sel) GiveSelValues();
    markRow_[which] = v;
    redrawRow(v);
    if (v >= 0 && v == sel) GiveSelValues();
}

void SubListing::cMarkS_Change() { markerChanged(0); }
void SubListing::cMarkS1_Change() { markerChanged(1); }
void SubListing::cMarkS2_Change() { markerChanged(2); }

void SubListing::cSubs_Change(int iSub) {
    if (BlockRedraw) imageValid_ = false;
    if (BlockRedraw || !bound_) return;
    if (prevBad_ <= iSub && iSub <= nextBad_) DetermineInvalids();
    const int sel = cSel->value();
    if (iSub == sel) badRow_ = cSubs->Invalid(iSub);
    redrawRow(iSub);
    if (iSub == sel) GiveSelValues();
    // A changed time can make its neighbours overlap or stop overlapping: their red must follow.
    for (int j : {iSub - 1, iSub + 1}) {
        if (!inList(j)) continue;
        redrawRow(j);
        if (j == sel) {
            badRow_ = cSubs->Invalid(j);
            rowColors();
        }
    }
}

void SubListing::cSubs_CountChange() {
    const int n = cSubs->count();
    if (n <= curRow_) SelectSub(n - 1);
    DetermineInvalids();
    CalcBars();
    Redraw();
}

void SubListing::cSubs_MajorChange() {
    GiveSelValues();
    DetermineInvalids();
    CalcBars();
    Redraw();
}

// --- search and replace ------------------------------------------------------------------------

int SubListing::find(const QString& txt, bool bBackWards, bool bMatchCase, bool bWholeWord, bool bSelection) {
    lastSearch_.text = txt;
    lastSearch_.backwards = bBackWards;
    lastSearch_.matchCase = bMatchCase;
    lastSearch_.wholeWord = bWholeWord;
    lastSearch_.selection = bSelection;
    if (!bound_ || txt.isEmpty()) return -1;

    const int count = cSubs->count();
    int low = 0, high = count - 1;
    if (bSelection) {
        if (SelA() < 0 || SelB() < 0) return -1;
        low = SelA();
        high = std::min(SelB(), count - 1);
    }
    const int n = high - low + 1;
    if (n <= 0) return -1;

    const int cur = cSel->value();
    const bool inRange = low <= cur && cur <= high;
    const int start = bBackWards ? (inRange ? cur - 1 : high) : (inRange ? cur + 1 : low);
    const Qt::CaseSensitivity cs = bMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int k = 0; k < n; ++k) {
        const int off = bBackWards ? start - low - k : start - low + k;
        const int row = low + ((off % n) + n) % n;
        const int p = InStrWord(1, shown(cSubs->SubText(row)), txt, cs, bWholeWord);
        if (p > 0) {
            SelectSub(row);
            txtSubText->setSelection(p - 1, static_cast<int>(txt.size()));
            return k + 1;
        }
    }
    return -1;
}

int SubListing::FindNext() {
    return find(lastSearch_.text, lastSearch_.backwards, lastSearch_.matchCase, lastSearch_.wholeWord,
                lastSearch_.selection);
}

void SubListing::SearchNext() {
    if (lastSearch_.text.isEmpty()) {
        emit SearchWindowRequested();
        return;
    }
    if (FindNext() == -1)
        MsgBox(QStringLiteral("Search String not found"), vb::OKOnly, QStringLiteral("Search Result"));
}

bool SubListing::isSelected(const QString& Query, bool bMatch, bool bWhole) const {
    // Without a current row the text box holds a stale text that nothing would replace.
    if (!inList(curRow_)) return false;
    const Qt::CaseSensitivity cs = bMatch ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return InStrWord(1, txtSubText->text(), Query, cs, bWhole) >= 1;
}

bool SubListing::ReplaceSelection(const QString& st, const QString& st2, bool bMatch, bool bWhole) {
    if (!inList(curRow_) || st.isEmpty()) return false;
    // The texts are typed as the text box shows line breaks; the document holds CR LF.
    const QString from = stored(st);
    const QString text = cSubs->SubText(curRow_);
    const int p = InStrWord(1, text, from, bMatch ? Qt::CaseSensitive : Qt::CaseInsensitive, bWhole);
    if (p < 1) return false;
    cSubs->setSubText(curRow_, text.left(p - 1) + stored(st2) + text.mid(p - 1 + from.size()));
    return true;
}

int SubListing::ReplaceAll(const QString& st1, const QString& st2, bool bMatch, bool bWhole, bool bSelection) {
    if (!bound_ || st1.isEmpty()) return 0;
    int first = 0, last = cSubs->count() - 1;
    if (bSelection && SelA() >= 0 && SelB() >= 0 && SelA() != SelB()) {
        first = std::min(SelA(), SelB());
        last = std::min(std::max(SelA(), SelB()), last);
    }
    if (last < first) return 0;
    // The old texts are shared copies, so keeping them to see what changed costs next to nothing.
    std::vector<QString> before;
    before.reserve(static_cast<size_t>(last - first + 1));
    for (int i = first; i <= last; ++i) before.push_back(cSubs->SubText(i));
    int n = 0;
    {
        // One wholesale change for the views instead of a redraw per entry.
        EventsPaused paused(cSubs);
        n = cSubs->ReplaceAll(stored(st1), stored(st2), bMatch, bWhole, first, last);
    }
    for (int i = first; i <= last; ++i) {
        if (cSubs->SubText(i) != before[static_cast<size_t>(i - first)]) {
            cSubs->RaiseMajor();
            break;
        }
    }
    return n;
}
