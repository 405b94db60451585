#pragma once

#include <QtGlobal>

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
