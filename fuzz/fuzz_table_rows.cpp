// Feeds arbitrary text to the rows reader. A table read without complaint has a value for
// every column in every row, rows in line order, and reads back the same once written out.
#include "FuzzChecks.h"
#include "TableRows.h"

namespace {

QString CommaSeparated(const TableRows& table)
{
    const auto line = [](const QStringList& values) {
        QStringList quoted;
        for (QString value : values)
            quoted.append(u'"' + value.replace(u'"', QStringLiteral("\"\"")) + u'"');
        return quoted.join(u',') + u'\n';
    };
    QString text = line(table.columns);
    for (const QStringList& row : table.rows)
        text += line(row);
    return text;
}

QString TabSeparated(const TableRows& table)
{
    QString text = table.columns.join(u'\t') + u'\n';
    for (const QStringList& row : table.rows)
        text += row.join(u'\t') + u'\n';
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const TableFormat format = data[0] & 1 ? TableFormat::CommaSeparated : TableFormat::TabSeparated;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const auto read = ReadTable(text, format);
    if (const auto* failure = std::get_if<TableFailure>(&read)) {
        Check(failure->line >= 1 && failure->line <= text.size() + 1 && !failure->reason.isEmpty());
        return 0;
    }
    const TableRows& table = std::get<TableRows>(read);
    Check(table.lines.size() == table.rows.size());
    for (qsizetype i = 0; i < table.rows.size(); ++i) {
        Check(table.rows[i].size() == table.columns.size());
        Check(table.lines[i] >= 2 && (i == 0 || table.lines[i] > table.lines[i - 1]) && table.lines[i] <= text.size() + 1);
    }
    // A byte order mark is dropped once; one written in front keeps a value's own.
    const QString bom(QChar(0xFEFF));
    if (format == TableFormat::CommaSeparated) {
        const auto again = ReadTable(bom + CommaSeparated(table), format);
        Check(std::holds_alternative<TableRows>(again));
        Check(std::get<TableRows>(again).columns == table.columns && std::get<TableRows>(again).rows == table.rows);
        return 0;
    }
    // Tab-separated text has no quoting: a blank line is no row, so a one-column table
    // cannot hold an empty value.
    const bool blankRow = table.columns.size() == 1 && table.rows.contains(QStringList{QString()});
    const auto again = ReadTable(bom + TabSeparated(table), format);
    Check(std::holds_alternative<TableRows>(again));
    Check(std::get<TableRows>(again).columns == table.columns && (blankRow || std::get<TableRows>(again).rows == table.rows));
    return 0;
}
