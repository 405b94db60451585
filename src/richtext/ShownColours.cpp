#include "ShownColours.h"

#include <QPalette>
#include <QTextBlock>

#include <cmath>

namespace {

constexpr double kStandsOut = 3.0;
constexpr double kReadsWell = 4.5;

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

QColor Mixed(const QColor& from, const QColor& to, double share)
{
    auto channel = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& colour, const QColor& base)
{
    const QColor rgb = colour.toRgb();
    if (ContrastRatio(rgb, base) >= kStandsOut)
        return rgb;
    // Toward whichever of white and black stands out more: that end always reaches 4.58:1.
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    const QColor end = ContrastRatio(white, base) >= ContrastRatio(black, base) ? white : black;
    constexpr int kSteps = 64;
    for (int step = 1; step < kSteps; ++step) {
        const QColor mixed = Mixed(rgb, end, double(step) / kSteps);
        if (ContrastRatio(mixed, base) >= kReadsWell)
            return mixed;
    }
    return end;
}

QColor ShownColour(const QColor& stored, const QPalette& palette)
{
    if (stored.rgb() == qRgb(0, 0, 0))
        return palette.color(QPalette::Text);
    return ReadableOn(stored, palette.color(QPalette::Base));
}

std::optional<QPalette> WithReadablePlaceholders(const QPalette& palette)
{
    QPalette readable = palette;
    bool changed = false;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor placeholder = palette.color(group, QPalette::PlaceholderText);
        const QColor base = palette.color(group, QPalette::Base);
        if (ContrastRatio(placeholder, base) >= 3.0)
            continue;
        readable.setColor(group, QPalette::PlaceholderText, ReadableOn(placeholder, base));
        changed = true;
    }
    if (!changed)
        return std::nullopt;
    return readable;
}

QList<QTextLayout::FormatRange> ShownColourFormats(const QTextBlock& block, const QPalette& palette)
{
    QList<QTextLayout::FormatRange> formats;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat stored = fragment.charFormat();
        if (!stored.hasProperty(QTextFormat::ForegroundBrush))
            continue; // painted in the palette's text already
        const QColor storedColour = stored.foreground().color();
        const QColor shown = ShownColour(storedColour, palette);
        if (shown.rgba() == storedColour.rgba())
            continue;
        QTextCharFormat format;
        format.setForeground(shown);
        formats.append({fragment.position() - block.position(), fragment.length(), format});
    }
    return formats;
}
