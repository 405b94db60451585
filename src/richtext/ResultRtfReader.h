#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The text of a stored result pane and whether any of it shows a colour.
struct ResultRtfText
{
    QString text; // line breaks as '\n'
    bool coloured = false;
};

// Reads, in one pass, RTF of exactly the shape ResultToRtf writes (header, colour table,
// \cf, \par, escapes). Anything else gives nullopt and is left to ReadRichTextRuns, which
// reads the same text and colours from this shape, only far more slowly.
std::optional<ResultRtfText> ReadResultRtf(QStringView rtf);
