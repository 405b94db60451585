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
    const QTextDocument& old = *pane.document();
    // Filling a document that no layout watches yet is several times faster than filling
    // the pane's own, which would lay out every line as it arrives. Same parent as the old
    // one, so the pane deletes each replaced document.
    auto* document = new QTextDocument(old.parent());
    document->setDefaultFont(old.defaultFont());
    document->setDefaultTextOption(old.defaultTextOption());
    document->setDocumentMargin(old.documentMargin());
    document->setIndentWidth(old.indentWidth());
    document->setUseDesignMetrics(old.useDesignMetrics());
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    InsertRichTextRuns(cursor, ReadRichTextRuns(richText, old.defaultFont().pointSizeF()));
    cursor.endEditBlock();
    document->setUndoRedoEnabled(old.isUndoRedoEnabled());
    pane.setDocument(document);
}
