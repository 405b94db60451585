#include "SourcePaneColourer.h"

#include "PaneColouring.h"

#include <QTextEdit>

SourcePaneColourer::SourcePaneColourer(QTextEdit& pane, const bool& resultBusy)
    : pane_(pane), resultBusy_(resultBusy)
{
}

void SourcePaneColourer::templateTextChanged()
{
    // Our own recolouring is not an edit.
    if (recolouring_)
        return;
    if (resultBusy_)
        return;
    // Undo and redo bring back earlier colours; recolouring then would cut the redo history.
    if (pane_.document()->isRedoAvailable())
        return;

    const QTextCursor caret = pane_.textCursor();
    const int position = caret.selectionStart();
    if (position == 0)
        return;
    const QChar typed = pane_.document()->characterAt(position - 1);
    if (typed != u']' && typed != u'!')
        return;

    recolouring_ = true;
    RecolourTemplate(*pane_.document());
    QTextCursor restored(pane_.document());
    restored.setPosition(position);
    pane_.setTextCursor(restored);
    pane_.setTextColor(kPlainColour);
    recolouring_ = false;
}
