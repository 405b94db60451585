#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// The whole result, out of the program: to the clipboard or to a text file.

enum class LineEnd { LF, CRLF };

// The text as UTF-8 with every line break ('\n') written as `lineEnd`.
QByteArray ResultFileBytes(const QString& text, LineEnd lineEnd);

// Edit > Copy Result: the text on the clipboard as plain text.
void CopyResult(const QString& text);

// File > Save Result As: asks for a file and the line ends, then writes the text. A failed
// write is reported; Cancel writes nothing. Returns the file written, or the empty text.
QString SaveResultAs(QWidget* owner, const QString& text);
