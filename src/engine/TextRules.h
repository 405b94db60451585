#pragma once

#include "FieldModifiers.h"

#include <QList>
#include <QString>
#include <QStringList>

// The text rules the panes share: which spans get coloured, which field markers
// get listed, and how a field is replaced. All positions here are 0-based.

struct TextSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

// Every span from an opening delimiter to the first closing delimiter after it,
// delimiters included. Each opening delimiter starts its own span, so spans may
// overlap ("[a[b]" gives "[a[b]" and "[b]"). Searches ignore letter case.
QList<TextSpan> ColourSpans(const QString& text, const QString& opening, const QString& closing);

// The first field marker of the text (opening delimiter up to the first closing
// delimiter after it, inclusive), or the empty text when there is none.
QString FindField(const QString& text, const QString& opening, const QString& closing);

// Short pieces of one text, in order. A million of them cost one text and their places
// rather than a million strings.
struct TextPieces
{
    QString text;
    QList<TextSpan> spans;

    static TextPieces fromList(const QStringList& list);
    QString at(qsizetype i) const { return text.mid(spans[i].start, spans[i].length); }
    QStringList toList() const;
};

// The fields list Run fills from a result text: every distinct "$...!" marker, each
// listed once (letter case ignored), in the order Run adds them. A mirror stands for its
// field ("$Col:pascal0001!" lists as "$Col0001!"), also when the field itself never occurs.
TextPieces ListFields(const QString& text, const FieldModifiers& modifiers = FieldModifiers::standard());

// Start positions of every occurrence of `find` in `text`, left to right, not
// overlapping, letter case ignored. An empty `find` has no occurrences.
QList<qsizetype> FindOccurrences(const QString& text, const QString& find);

// `text` with every occurrence of `find` replaced by `replacement`: one left-to-right
// pass, letter case ignored, inserted text never searched again.
QString ReplaceAll(const QString& text, const QString& find, const QString& replacement);
