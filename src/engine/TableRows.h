#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

// A table of text read for filling the result's repetitions row by row: a header row that
// names the columns, then the data rows.
struct TableRows
{
    QStringList columns;
    QList<QStringList> rows; // each as long as `columns`
    QList<qsizetype> lines;  // the line each row starts on, counted from 1
};

// Why a table could not be read, and where.
struct TableFailure
{
    qsizetype line = 0;
    QString reason;
    QString message() const;
};

enum class TableFormat { TabSeparated, CommaSeparated };

// Comma-separated for a file named "*.csv" (letter case ignored), tab-separated otherwise.
TableFormat TableFormatForFile(const QString& fileName);

// Reads a table. Comma-separated text follows RFC 4180: a quoted value may hold commas,
// doubled quotes and line breaks. Tab-separated text has no quoting: every line is a row,
// every tab separates values. Lines end in LF, CR LF or CR; blank lines are skipped; a
// leading byte order mark is dropped. Every row must have as many values as the header.
std::variant<TableRows, TableFailure> ReadTable(QStringView text, TableFormat format);

// The non-blank lines of tab-separated text, split at every tab, for readers with rules
// of their own.
struct TabSeparatedLine
{
    qsizetype line = 0;
    QList<QStringView> cells;
};
QList<TabSeparatedLine> SplitTabSeparated(QStringView text);
