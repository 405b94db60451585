#include "PaneRichText.h"

#include "RtfReader.h"
#include "RtfWriter.h"

#include <QTextEdit>

QString PaneRichText(const QTextEdit& pane)
{
    return DocumentToRtf(*pane.document());
}

void SetPaneRichText(QTextEdit& pane, const QString& richText)
{
    QTextDocument& document = *pane.document();
    const QList<RichTextRun> runs = ReadRichTextRuns(richText, document.defaultFont().pointSizeF());
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    InsertRichTextRuns(cursor, runs);
    // The caret moves to the start before the change is announced, as after loading rich text.
    QTextCursor caret(&document);
    pane.setTextCursor(caret);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}
