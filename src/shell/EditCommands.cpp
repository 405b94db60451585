#include "EditCommands.h"

#include <QTextCursor>

namespace {

bool editable(const TextPane& pane)
{
    return pane && !pane.isReadOnly();
}

} // namespace

void EditCut(TextPane pane)
{
    if (editable(pane))
        pane.cut();
}

void EditCopy(TextPane pane)
{
    if (pane)
        pane.copy();
}

void EditPaste(TextPane pane)
{
    if (editable(pane))
        pane.paste();
}

void EditUndo(TextPane pane)
{
    if (editable(pane))
        pane.undo();
}

void EditRedo(TextPane pane)
{
    if (editable(pane))
        pane.redo();
}

void EditClear(TextPane pane)
{
    if (!editable(pane))
        return;
    QTextCursor cursor = pane.textCursor();
    cursor.removeSelectedText();
    pane.setTextCursor(cursor);
}
