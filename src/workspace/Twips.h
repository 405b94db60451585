#pragma once

#include <QRect>
#include <QWidget>

// Geometry is kept in twips (1/1440 inch) and drawn at the widget's logical DPI
// (15 twips to the pixel at 96 dpi).
inline int TwipsToPixels(float twips, qreal dpi)
{
    return qRound(twips * float(dpi) / 1440.0f);
}

inline float PixelsToTwips(int pixels, qreal dpi)
{
    return float(pixels) * 1440.0f / float(dpi);
}

// A rectangle given in twips, in pixels at the widget's logical DPI.
inline QRect TwipsToPixels(const QWidget& widget, float left, float top, float width, float height)
{
    const qreal dpiX = widget.logicalDpiX();
    const qreal dpiY = widget.logicalDpiY();
    return {TwipsToPixels(left, dpiX), TwipsToPixels(top, dpiY), TwipsToPixels(width, dpiX), TwipsToPixels(height, dpiY)};
}
