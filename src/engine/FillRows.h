#pragma once

#include "FieldFill.h"
#include "FieldModifiers.h"
#include "TableRows.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// Filling the repetitions of a result from the rows of a table: repetition k (the fields
// numbered k, "$Col0003!" and its mirrors for k = 3) takes row k, counted from 1. Fields
// outside the repetitions ("$Class!") are left to the other fills.

// The names of the fields a table can fill ("Col", "Type"): each field the template names
// (a mirror as the field it mirrors) that occurs numbered in the result, once (letter case
// ignored), in the order the template first names it.
QStringList RowFieldNames(const QString& templateText, const QString& resultText,
                          const FieldModifiers& modifiers = FieldModifiers::standard());

// The column that fills each field name, -1 for none: first every field whose name is a
// column's (letter case ignored), then the remaining fields in order take the remaining
// columns in order.
QList<qsizetype> MatchColumns(const QStringList& fieldNames, const QStringList& columns);

struct RowFill
{
    // Each field marker of a filled repetition and its value, in row order: what
    // FillEdits and ResultDocument::fillFields take. Empty unless asked for.
    QList<std::pair<QString, QString>> fills;
    // The same as edits of the result text, with the types a type-map mirror wrote as given.
    FieldFill edits;
    qsizetype repetitions = 0; // repetitions of the result numbered from 1 (distinct counters)
    qsizetype filled = 0;      // of them, those a row filled; the rest stay fields
    qsizetype unusedRows = 0;  // rows no repetition took
};

// Whether FillRows lists `fills` too: a caller that applies `edits` alone spares the time and
// memory of a marker for every field.
enum class FillsListed { Yes, No };

// Fills every repetition k <= the row count from row k: field `fieldNames[i]` gets the row's
// value in column `columns[i]` (a field with column -1 stays a field). The edits are those
// FillEdits makes of `fills`.
RowFill FillRows(const QString& resultText, const QStringList& fieldNames, const QList<qsizetype>& columns,
                 const TableRows& table, const FieldModifiers& modifiers = FieldModifiers::standard(),
                 FillsListed listed = FillsListed::Yes);
