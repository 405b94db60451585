#pragma once

#include <QColor>
#include <QList>
#include <QPalette>
#include <QTextLayout>

#include <optional>

class QTextBlock;

// The colours the panes show. A body stores black text, blue tokens and red markers, which
// read well on a light base only; on screen each stored colour is shown in one that reads on
// the pane's own base, while the document, and so every body written, keeps the stored ones.

// Contrast between two colours as WCAG 2 measures it: 1 for the same colour, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// A colour for text of `colour` on `base`: the colour itself when it stands out from the
// base at 3:1 or more, otherwise the colour mixed with white (on a dark base) or black (on a
// light one) just far enough to stand out at 4.5:1.
QColor ReadableOn(const QColor& colour, const QColor& base);

// What a character stored in `stored` shows in on a pane painted with `palette`: stored
// black follows the palette's text, any other colour is made readable on its base. Under a
// white base with black text every stored colour of the panes shows as it is.
QColor ShownColour(const QColor& stored, const QPalette& palette);

// `palette` with every group's placeholder text (the hint in an empty box) made readable on
// its base: a dark colour scheme that names no placeholder colour leaves Qt's dark grey.
// nullopt when every group reads already, so a palette that needs nothing is left alone.
std::optional<QPalette> WithReadablePlaceholders(const QPalette& palette);

// The layout formats that paint `block`'s stored colours in their shown colours: none for
// characters that show as they are stored.
QList<QTextLayout::FormatRange> ShownColourFormats(const QTextBlock& block, const QPalette& palette);
