#pragma once

#include <QChar>

// Every paragraph costs a text document far more to build than a line break inside one, so
// long texts are put in the panes as paragraphs of this many lines joined by U+2028. The
// plain text reads the same either way, and the RTF we write has a \par for each.
inline constexpr int kLinesPerParagraph = 100;

// The character that ends line number `line` (counted from 1) of a text being put in a pane.
inline QChar LineBreakAfter(qsizetype line)
{
    return line % kLinesPerParagraph == 0 ? QChar(QChar::ParagraphSeparator) : QChar(QChar::LineSeparator);
}
