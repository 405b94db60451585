#pragma once

#include <QString>

class QTextEdit;

// A pane's rich text (TextRTF): its whole content as RTF.
QString PaneRichText(const QTextEdit& pane);

// Replaces the pane's content by `richText` (RTF, or plain text when it is not RTF) as one
// change: textChanged fires once, with the caret already at the start. The pane gets a new
// QTextDocument (same default font and options, fresh undo history), so connect to the
// pane's signals rather than to its document's.
void SetPaneRichText(QTextEdit& pane, const QString& richText);
