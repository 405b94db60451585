#pragma once

#include <QString>

class QTextDocument;

// The document's plain text with every red run between "<" and ">", so a test reads the
// colouring at a glance. Any colour other than red or black shows as "?". Paragraph breaks
// show no colour and read as plain line breaks.
QString PaintedText(const QTextDocument& document);
