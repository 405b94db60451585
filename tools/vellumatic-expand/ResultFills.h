#pragma once

#include "ExpandOptions.h"
#include "FieldModifiers.h"
#include "TableRows.h"

#include <QString>
#include <QStringList>

#include <optional>

// What --fill, --rows and --type-map ask for, read before the expansion so that a table or
// a map that cannot be read fails the run before anything is written.
struct FillSources
{
    FieldModifiers modifiers;
    std::optional<TableRows> table;
};

// `dataFolderTypeMap` is the Data folder's map file, empty when no catalogue is used.
// Null and `*error` set when --rows or --type-map cannot be read; a Data folder's map that
// cannot be used goes to `notes`, and the shipped map serves, as in the window.
std::optional<FillSources> ReadFillSources(const ExpandOptions& options, const QString& dataFolderTypeMap,
                                           QString* error, QStringList* notes);

// The answer --rows gives the template's one bound name, when it has exactly one and no
// --set or --answer gives it: the number of data rows.
std::optional<QString> RowCountAnswer(const ExpandOptions& options, const FillSources& sources,
                                      const QStringList& boundNames);

// Fills the expanded `result` of `templateText`: the --fill fields first, then the rows.
// Returns the notes for standard error (repetitions left as fields, rows left over, types
// the map lacks).
QStringList FillResult(QString& result, const QString& templateText, const ExpandOptions& options,
                       const FillSources& sources);
