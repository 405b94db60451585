#pragma once

class QTextEdit;

// The Edit menu's commands on the focused pane. No pane means no effect; a read-only
// pane can be copied from but not changed.

// Moves the selection to the clipboard, as rich and as plain text.
void EditCut(QTextEdit* pane);
// Puts the selection on the clipboard, as rich and as plain text.
void EditCopy(QTextEdit* pane);
// Inserts the clipboard at the caret, replacing the selection.
void EditPaste(QTextEdit* pane);
void EditUndo(QTextEdit* pane);
void EditRedo(QTextEdit* pane);
// Deletes the selection.
void EditClear(QTextEdit* pane);
