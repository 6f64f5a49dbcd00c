#include "platform/Colors.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

QColor VBColor(quint32 bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QColor SystemColor(SysColor c) {
    const QPalette pal = QApplication::palette();
    switch (c) {
    case SysColor::ButtonFace: return pal.color(QPalette::Button);
    case SysColor::ButtonShadow: return pal.color(QPalette::Dark);
    case SysColor::ButtonHighlight: return pal.color(QPalette::Light);
    case SysColor::ButtonText: return pal.color(QPalette::ButtonText);
    case SysColor::Window: return pal.color(QPalette::Base);
    case SysColor::WindowText: return pal.color(QPalette::Text);
    case SysColor::Highlight: return pal.color(QPalette::Highlight);
    case SysColor::HighlightText: return pal.color(QPalette::HighlightedText);
    case SysColor::AppWorkspace: return pal.color(QPalette::Mid);
    case SysColor::GrayText: return pal.color(QPalette::Disabled, QPalette::Text);
    case SysColor::InfoBackground: return pal.color(QPalette::ToolTipBase);
    }
    return Qt::black;
}

void DrawTextTopLeft(QPainter& p, int x, int top, const QString& text) {
    p.drawText(x, top + p.fontMetrics().ascent(), text);
}
