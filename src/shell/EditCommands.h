#pragma once

#include "TextPane.h"

// The Edit menu's commands on the focused pane. No pane means no effect; a read-only
// pane can be copied from but not changed.

// Moves the selection to the clipboard, as rich and as plain text.
void EditCut(TextPane pane);
// Puts the selection on the clipboard, as rich and as plain text.
void EditCopy(TextPane pane);
// Inserts the clipboard at the caret, replacing the selection.
void EditPaste(TextPane pane);
void EditUndo(TextPane pane);
void EditRedo(TextPane pane);
// Deletes the selection.
void EditClear(TextPane pane);
