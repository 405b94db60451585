#pragma once

#include <QString>

#include "TextPane.h"

// The panes' own find: from a 0-based start index to the end of the text, letter case
// ignored, matching inside words. A hit is selected and its index returned; a miss
// returns -1 and leaves the selection alone. No pane or an empty text is a miss.
int FindInPane(TextPane pane, const QString& text, int start);

// Replaces every occurrence of `find` in the pane (left to right, letter case ignored,
// inserted text not searched again) as one undoable edit that keeps the formatting of
// the untouched text. An empty `find`, no pane or a read-only pane changes nothing.
void ReplaceInPane(TextPane pane, const QString& find, const QString& replacement);
