#pragma once

#include <QString>

class QTextDocument;
class QTextEdit;

// Writing the result pane and filling fields in on it. Both keep the markers that remain
// red on black text, and both scale to results of a million lines.

// Replaces the pane's content by `text`: black, every field marker red, the caret at the
// end with nothing selected and black as the typing colour. Undo history starts afresh.
void WriteResultPane(QTextEdit& pane, const QString& text);

// Replaces every occurrence of `marker` (letter case ignored, left to right, inserted
// text never searched again) by `value`. Only the occurrences are edited, in one undo
// step, and only the text around them is recoloured, so markers that remain stay red
// and a marker the value makes or breaks gets its right colour. Returns how many
// occurrences were replaced.
qsizetype SubstituteField(QTextDocument& document, const QString& marker, const QString& value);
