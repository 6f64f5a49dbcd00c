// Colours and text placement as the drawing code states them: colours as &HBBGGRR numbers,
// the system's named colours, and text placed by its top-left corner.
#pragma once

#include <QColor>
#include <QtGlobal>

class QFontMetrics;
class QPainter;
class QString;

// &HBBGGRR: blue in the high byte, red in the low one.
QColor VBColor(quint32 bgr);
constexpr quint32 RGBColor(int r, int g, int b) { return quint32(r) | (quint32(g) << 8) | (quint32(b) << 16); }

enum class SysColor {
    ButtonFace,
    ButtonShadow,
    ButtonHighlight,
    ButtonText,
    Window,
    WindowText,
    Highlight,
    HighlightText,
    AppWorkspace,
    GrayText,
    InfoBackground,
};
QColor SystemColor(SysColor c);

// Draws text whose top-left corner is at (x, top).
void DrawTextTopLeft(QPainter& p, int x, int top, const QString& text);
