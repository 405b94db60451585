#include "EditCommands.h"

#include <QTextCursor>
#include <QTextEdit>

namespace {

bool editable(const QTextEdit* pane)
{
    return pane && !pane->isReadOnly();
}

} // namespace

void EditCut(QTextEdit* pane)
{
    if (editable(pane))
        pane->cut();
}

void EditCopy(QTextEdit* pane)
{
    if (pane)
        pane->copy();
}

void EditPaste(QTextEdit* pane)
{
    if (editable(pane))
        pane->paste();
}

void EditUndo(QTextEdit* pane)
{
    if (editable(pane))
        pane->undo();
}

void EditRedo(QTextEdit* pane)
{
    if (editable(pane))
        pane->redo();
}

void EditClear(QTextEdit* pane)
{
    if (!editable(pane))
        return;
    QTextCursor cursor = pane->textCursor();
    cursor.removeSelectedText();
    pane->setTextCursor(cursor);
}
