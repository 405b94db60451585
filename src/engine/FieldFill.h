#pragma once

#include "FieldModifiers.h"
#include "TextEdits.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The edits that fill fields in a result: each occurrence of a field's marker gets the
// value, each mirror of it the value in the mirror's spelling.
struct FieldFill
{
    QList<TextEdit> edits;  // sorted, disjoint, ready for ApplyTextEdits
    QStringList unmapped;   // types a type-map mirror wrote as given, each once
};

// Every occurrence of `marker` in `text` (letter case ignored, left to right, not
// overlapping), and when it is a field marker ("$Col0001!") every mirror of it.
FieldFill FillEdits(const QString& text, const QString& marker, const QString& value,
                    const FieldModifiers& modifiers = FieldModifiers::standard());

// Several field markers at once, each with its own value. Every occurrence is found in the
// text as it stands: values are never searched again.
FieldFill FillEdits(const QString& text, const QList<std::pair<QString, QString>>& fills,
                    const FieldModifiers& modifiers = FieldModifiers::standard());
