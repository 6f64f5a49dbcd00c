#include "mainwin/ToolIcons.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace {
using Painter = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 245);
const QColor kBlue(40, 90, 180);
const QColor kGreen(30, 140, 50);
const QColor kRed(200, 40, 40);
const QColor kYellow(235, 190, 60);

void page(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 5, y);
    path.lineTo(x + w, y + 5);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(x + w - 5, y), QPointF(x + w - 5, y + 5));
    p.drawLine(QPointF(x + w - 5, y + 5), QPointF(x + w, y + 5));
}

void textLines(QPainter& p, qreal x, qreal y, qreal w, int n) {
    p.setPen(QPen(QColor(120, 120, 120), 1.2));
    for (int i = 0; i < n; ++i) p.drawLine(QPointF(x, y + i * 3), QPointF(x + w, y + i * 3));
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c, qreal width = 2.2) {
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QLineF l(to, from);
    QLineF a = l;
    a.setLength(5);
    a.setAngle(l.angle() + 35);
    QLineF b = l;
    b.setLength(5);
    b.setAngle(l.angle() - 35);
    p.drawLine(a);
    p.drawLine(b);
}

void flag(QPainter& p, const QColor& c, const QString& label) {
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(5, 3), QPointF(5, 21));
    QPainterPath path;
    path.moveTo(5.5, 3.5);
    path.lineTo(20, 3.5);
    path.lineTo(16, 8.5);
    path.lineTo(20, 13.5);
    path.lineTo(5.5, 13.5);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
    QFont f = p.font();
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(5.5, 3.5, 11, 10), Qt::AlignCenter, label);
}

const std::map<QString, Painter>& painters() {
    static const std::map<QString, Painter> m{
        {QStringLiteral("new"), [](QPainter& p) { page(p, 5, 2, 14, 20); }},
        {QStringLiteral("open"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(kYellow.darker(115));
             p.drawRect(QRectF(2, 6, 16, 14));
             p.setBrush(kYellow);
             QPolygonF front{QPointF(5, 10), QPointF(22, 10), QPointF(18, 20), QPointF(2, 20)};
             p.drawPolygon(front);
         }},
        {QStringLiteral("save"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(kBlue);
             p.drawRoundedRect(QRectF(3, 3, 18, 18), 1.5, 1.5);
             p.setBrush(kPaper);
             p.drawRect(QRectF(7, 3, 10, 7));
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(6, 14, 12, 7));
         }},
        {QStringLiteral("print"),
         [](QPainter& p) {
             page(p, 7, 2, 10, 8);
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(QColor(170, 170, 175));
             p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
             p.setBrush(kPaper);
             p.drawRect(QRectF(6, 15, 12, 7));
             textLines(p, 8, 18, 8, 2);
         }},
        {QStringLiteral("visual"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(QColor(60, 60, 70));
             p.drawRoundedRect(QRectF(2, 4, 20, 14), 1.5, 1.5);
             p.setPen(Qt::NoPen);
             p.setBrush(kGreen.lighter(140));
             p.drawPolygon(QPolygonF{QPointF(9, 7), QPointF(16, 11), QPointF(9, 15)});
             p.setPen(QPen(kInk, 1.5));
             p.drawLine(QPointF(8, 21), QPointF(16, 21));
         }},
        {QStringLiteral("shift"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(kBlue.lighter(150));
             p.drawRect(QRectF(2, 4, 8, 6));
             p.drawRect(QRectF(14, 14, 8, 6));
             arrow(p, QPointF(6, 12), QPointF(18, 12), kRed);
         }},
        {QStringLiteral("stretch"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(kBlue.lighter(150));
             p.drawRect(QRectF(8, 4, 8, 6));
             arrow(p, QPointF(11, 16), QPointF(2, 16), kRed);
             arrow(p, QPointF(13, 16), QPointF(22, 16), kRed);
         }},
        {QStringLiteral("split"),
         [](QPainter& p) {
             page(p, 1, 3, 10, 18);
             page(p, 13, 3, 10, 18);
             p.setPen(QPen(kRed, 1.5, Qt::DashLine));
             p.drawLine(QPointF(12, 1), QPointF(12, 23));
         }},
        {QStringLiteral("merge"),
         [](QPainter& p) {
             page(p, 7, 9, 10, 13);
             arrow(p, QPointF(2, 2), QPointF(9, 9), kGreen);
             arrow(p, QPointF(22, 2), QPointF(15, 9), kGreen);
         }},
        {QStringLiteral("goto"),
         [](QPainter& p) {
             textLines(p, 10, 6, 12, 1);
             textLines(p, 10, 18, 12, 1);
             p.setPen(QPen(kBlue, 1.2));
             p.setBrush(kBlue.lighter(170));
             p.drawRect(QRectF(9, 9.5, 13, 5));
             arrow(p, QPointF(1, 12), QPointF(8, 12), kBlue);
         }},
        {QStringLiteral("prevbad"), [](QPainter& p) { arrow(p, QPointF(12, 21), QPointF(12, 4), kRed, 3); }},
        {QStringLiteral("nextbad"), [](QPainter& p) { arrow(p, QPointF(12, 3), QPointF(12, 20), kRed, 3); }},
        {QStringLiteral("find"),
         [](QPainter& p) {
             p.setPen(QPen(kInk, 2));
             p.setBrush(QColor(200, 225, 250));
             p.drawEllipse(QRectF(3, 3, 12, 12));
             p.setPen(QPen(kInk, 3.5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(14, 14), QPointF(21, 21));
         }},
        {QStringLiteral("add"),
         [](QPainter& p) {
             textLines(p, 2, 4, 20, 2);
             p.setPen(QPen(kGreen, 3.5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(12, 11), QPointF(12, 22));
             p.drawLine(QPointF(6.5, 16.5), QPointF(17.5, 16.5));
         }},
        {QStringLiteral("insert"),
         [](QPainter& p) {
             textLines(p, 8, 4, 14, 1);
             textLines(p, 8, 20, 14, 1);
             p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(15, 8), QPointF(15, 16));
             p.drawLine(QPointF(11, 12), QPointF(19, 12));
             arrow(p, QPointF(1, 12), QPointF(8, 12), kGreen, 1.8);
         }},
        {QStringLiteral("delete"),
         [](QPainter& p) {
             p.setPen(QPen(kRed, 3.5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(5, 5), QPointF(19, 19));
             p.drawLine(QPointF(19, 5), QPointF(5, 19));
         }},
        {QStringLiteral("markshift"), [](QPainter& p) { flag(p, kRed, QStringLiteral("Sh")); }},
        {QStringLiteral("markstretch1"), [](QPainter& p) { flag(p, kGreen, QStringLiteral("1")); }},
        {QStringLiteral("markstretch2"), [](QPainter& p) { flag(p, kBlue, QStringLiteral("2")); }},
    };
    return m;
}

QPixmap render(const Painter& paint, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    paint(p);
    return pm;
}

// Paints the icon at the size asked for, when it is first asked for: nothing is painted for
// sizes that are never shown, which keeps start-up quick.
class PaintedIconEngine : public QIconEngine {
public:
    explicit PaintedIconEngine(Painter paint) : paint_(std::move(paint)) {}
    void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        p->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        const quint64 key = (quint64(side) << 8) | quint64(mode);
        auto it = cache_.find(key);
        if (it == cache_.end()) {
            QPixmap pm = render(paint_, side);
            if (mode == QIcon::Disabled) {
                QImage gray = pm.toImage().convertToFormat(QImage::Format_ARGB32);
                for (int y = 0; y < gray.height(); ++y) {
                    auto* line = reinterpret_cast<QRgb*>(gray.scanLine(y));
                    for (int x = 0; x < gray.width(); ++x) {
                        const int g = 128 + qGray(line[x]) / 3;
                        line[x] = qRgba(g, g, g, qAlpha(line[x]) / 2);
                    }
                }
                pm = QPixmap::fromImage(gray);
            }
            it = cache_.emplace(key, pm).first;
        }
        return it->second;
    }
    QIconEngine* clone() const override { return new PaintedIconEngine(paint_); }

private:
    Painter paint_;
    std::map<quint64, QPixmap> cache_;
};
} // namespace

QIcon ToolIcon(const QString& name) {
    const auto it = painters().find(name);
    if (it == painters().end()) return QIcon();
    return QIcon(new PaintedIconEngine(it->second));
}
