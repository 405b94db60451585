#pragma once

#include <QString>

class QTextEdit;

// A pane's rich text (TextRTF): its whole content as RTF.
QString PaneRichText(const QTextEdit& pane);

// Replaces the pane's content by `richText` (RTF, or plain text when it is not RTF) as one
// change: the pane's change notification fires once, with the caret already at the start.
// The undo history starts afresh.
void SetPaneRichText(QTextEdit& pane, const QString& richText);
