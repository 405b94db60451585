#pragma once

#include <QString>

class QTextDocument;

// The text of a pane as the template language reads it: every character as typed, no-break
// spaces included (QTextDocument::toPlainText turns them into plain spaces), with a line feed
// between paragraphs and for each line break inside one.
QString TemplatePaneText(const QTextDocument& document);

// The text a template pane shows once loaded with the stored `richText` (RTF, or plain text),
// as TemplatePaneText reads it: what Run expands for a stored template.
QString TemplatePaneTextOf(const QString& richText);
