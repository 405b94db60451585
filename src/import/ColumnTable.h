#pragma once

#include "TableRows.h"

#include <QSqlDatabase>
#include <QString>

#include <variant>

// A database table's columns as a table of text for filling rows: one row per column, in
// the table's own order, with the columns "name", "type" (as the database names it),
// "nullable" ("yes", "no", or empty when the driver cannot tell), "length" (a text type's
// length, a decimal's "precision,scale", else empty) and "key" ("primary", "unique" or
// "foreign" when the column alone is one, else empty). `lines` stays empty.
//
// PostgreSQL is read from information_schema, SQLite from its table pragmas, any other
// database from what its Qt driver says of each field.
std::variant<TableRows, QString> ReadColumnTable(const QSqlDatabase& db, const QString& schema, const QString& table);

// The column names of the table above, in order.
const QStringList& ColumnTableHeader();
