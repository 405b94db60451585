#pragma once

#include <QList>
#include <QString>

// A piece of a text to be replaced: `length` characters from `start` become `value`.
struct TextEdit
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString value;
};

// Rewrites `text` with the sorted, disjoint `edits`. Where every edit grows the text or
// every edit shrinks it, and the text is not shared, it is rewritten in place: filling one
// field of a million-line result then moves the text after it, instead of copying it all
// into a new buffer. Whenever the text has to move to a new buffer, `room` characters are
// left spare after it.
void ApplyTextEdits(QString& text, const QList<TextEdit>& edits, qsizetype room = 0);
