#pragma once

#include <QString>

class QTextDocument;

// The text of a pane as the template language reads it: every character as typed, no-break
// spaces included (QTextDocument::toPlainText turns them into plain spaces), with a line feed
// between paragraphs and for each line break inside one.
QString TemplatePaneText(const QTextDocument& document);
