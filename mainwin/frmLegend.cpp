#include "mainwin/frmLegend.h"
#include "platform/Colors.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The time line's colours.
const QColor kPlayPos(128, 0, 0);
const QColor kMovieEnd(255, 128, 0);
const QColor kTimeMark(0, 192, 0);

struct BoxColours {
    QColor fill, light, dark;
};

QImage blank() {
    QImage img(frmLegend::KeyWidth, frmLegend::KeyHeight, QImage::Format_RGB32);
    img.fill(SystemColor(SysColor::AppWorkspace));
    return img;
}

// A time marker: a line down the strip with its short name beside it in white.
QPixmap lineKey(const QColor& colour, const QString& name) {
    QImage img = blank();
    QPainter p(&img);
    p.fillRect(frmLegend::LineX, 0, 1, img.height(), colour);
    QFont f = p.font();
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(frmLegend::LineX + 2, 1, img.width(), img.height()), Qt::AlignLeft | Qt::AlignTop, name);
    p.end();
    return QPixmap::fromImage(img);
}

// The flag that a subtitle marker puts at the start of its box.
void flag(QPainter& p, int x, int y, const QColor& colour) {
    p.fillRect(x, y, 1, 12, Qt::black);
    p.setPen(Qt::black);
    p.setBrush(colour);
    p.drawPolygon(QPolygon({QPoint(x + 1, y), QPoint(x + 8, y + 3), QPoint(x + 1, y + 6)}));
}

// A subtitle box as the time line draws it: black outline, dark frame, white start edge and a
// light top edge.
QPixmap boxKey(const BoxColours& c, const QColor& marker = QColor()) {
    QImage img = blank();
    QPainter p(&img);
    const int lo = 6, hi = frmLegend::KeyWidth - 7, y = 1;
    auto fill = [&p](int x0, int y0, int x1, int y1, const QColor& col) {
        p.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), col);
    };
    fill(lo - 1, y - 1, hi + 1, y + 16, Qt::black);
    fill(lo, y, hi, y + 15, c.dark);
    fill(lo + 1, y + 1, hi - 1, y + 14, c.fill);
    fill(lo, y, lo, y + 14, Qt::white);
    fill(lo, y, hi - 1, y, c.light);
    if (marker.isValid()) flag(p, lo, y, marker);
    p.end();
    return QPixmap::fromImage(img);
}

void addKey(QGroupBox* frame, int row, QLabel*& pic, QLabel*& text, const char* name, const QPixmap& image,
            const QString& caption) {
    auto* grid = static_cast<QGridLayout*>(frame->layout());
    pic = new QLabel(frame);
    pic->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(row));
    pic->setPixmap(image);
    pic->setFixedSize(image.size());
    text = new QLabel(caption, frame);
    grid->addWidget(pic, row, 0);
    grid->addWidget(text, row, 1);
}
} // namespace

frmLegend::frmLegend(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLegend"));
    setWindowTitle(QStringLiteral("Color Legend"));
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);

    fraMarkers = new QGroupBox(QStringLiteral("Time markers "), this);
    fraMarkers->setObjectName(QStringLiteral("fraMarkers"));
    new QGridLayout(fraMarkers);
    const std::array<std::pair<QPixmap, QString>, 5> markers{{
        {lineKey(kPlayPos, QString()), QStringLiteral("Current Time in movie")},
        {lineKey(kMovieEnd, QStringLiteral("M")), QStringLiteral("End of movie")},
        {lineKey(kTimeMark, QStringLiteral("S1")), QStringLiteral("Stretch Marker time 1")},
        {lineKey(kTimeMark, QStringLiteral("S2")), QStringLiteral("Stretch Marker time 2")},
        {lineKey(kTimeMark, QStringLiteral("Sh")), QStringLiteral("Shift Marker time")},
    }};
    for (int i = 0; i < 5; ++i)
        addKey(fraMarkers, i, picMarker[i], lblMarker[i], "picMarker", markers[i].first, markers[i].second);
    column->addWidget(fraMarkers);

    fraSubs = new QGroupBox(QStringLiteral("Subtitles "), this);
    fraSubs->setObjectName(QStringLiteral("fraSubs"));
    new QGridLayout(fraSubs);
    const BoxColours regular{SystemColor(SysColor::ButtonFace), SystemColor(SysColor::ButtonHighlight),
                             SystemColor(SysColor::ButtonShadow)};
    const BoxColours bad{QColor(255, 0, 0), regular.light, regular.dark};
    const BoxColours selected{QColor(192, 192, 255), QColor(240, 240, 255), QColor(111, 111, 193)};
    const BoxColours current{QColor(128, 128, 255), QColor(190, 190, 255), QColor(75, 75, 150)};
    const BoxColours marked{QColor(140, 200, 130), QColor(190, 240, 180), QColor(90, 135, 80)};
    const std::array<std::pair<QPixmap, QString>, 7> subs{{
        {boxKey(regular), QStringLiteral("Regular sub")},
        {boxKey(bad), QStringLiteral("Incorrectly timed sub")},
        {boxKey(selected), QStringLiteral("Selected sub")},
        {boxKey(current), QStringLiteral("Current sub")},
        {boxKey(marked, QColor(0, 255, 255)), QStringLiteral("Stretch Marker sub 1")},
        {boxKey(marked, QColor(255, 0, 255)), QStringLiteral("Stretch Marker sub 2")},
        {boxKey(marked, QColor(255, 255, 0)), QStringLiteral("Shift Marker sub")},
    }};
    for (int i = 0; i < 7; ++i) addKey(fraSubs, i, picSub[i], lblSub[i], "picSub", subs[i].first, subs[i].second);
    column->addWidget(fraSubs);

    btOk = new QPushButton(QStringLiteral("&OK"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btOk->setDefault(true);
    btOk->setMinimumWidth(90);
    column->addWidget(btOk, 0, Qt::AlignRight);

    connect(btOk, &QPushButton::clicked, this, &frmLegend::btOk_Click);
}

void frmLegend::btOk_Click() { accept(); }
