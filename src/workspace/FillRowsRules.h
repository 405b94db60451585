#pragma once

#include "TableRows.h"

#include <QString>
#include <QStringView>

// Tab-separated when the first non-blank line holds a tab outside quotes, comma-separated
// otherwise: text pasted from a spreadsheet has tabs, a CSV file's header has none.
TableFormat GuessTableFormat(QStringView text);

// Whether text (the clipboard's, say) reads as a table worth offering: a header of two or
// more columns and at least one row.
bool LooksLikeTable(QStringView text);

// The table as comma-separated text that reads back the same: a value holding a comma, a
// quote, a tab or a line break, empty, or with blanks at either end is quoted.
QString TableAsText(const TableRows& table);

// What filling `rows` rows into `repetitions` repetitions does, in a sentence.
QString RowsNote(qsizetype rows, qsizetype repetitions);
