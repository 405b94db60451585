#include "TableRows.h"

#include <csv.h>

#include <memory>
#include <optional>
#include <utility>

namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;

QStringView WithoutByteOrderMark(QStringView text)
{
    return !text.isEmpty() && text.front() == kByteOrderMark ? text.sliced(1) : text;
}

// Length of the line break at `at` (LF, CR LF or CR), 0 when there is none.
template <typename Text>
qsizetype LineBreakAt(const Text& text, qsizetype at)
{
    if (at >= qsizetype(text.size()))
        return 0;
    if (text[at] == u'\n')
        return 1;
    if (text[at] != u'\r')
        return 0;
    return at + 1 < qsizetype(text.size()) && text[at + 1] == u'\n' ? 2 : 1;
}

QString ValuesDiffer(qsizetype values, qsizetype columns)
{
    return QStringLiteral("the row has %1 values, the header %2 columns").arg(values).arg(columns);
}

std::variant<TableRows, TableFailure> ReadTabSeparated(QStringView text)
{
    const QList<TabSeparatedLine> lines = SplitTabSeparated(text);
    if (lines.isEmpty())
        return TableFailure{1, QStringLiteral("there is no header row")};
    TableRows table;
    for (const QStringView cell : lines.first().cells)
        table.columns.append(cell.toString());
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].cells.size() != table.columns.size())
            return TableFailure{lines[i].line, ValuesDiffer(lines[i].cells.size(), table.columns.size())};
        QStringList row;
        row.reserve(lines[i].cells.size());
        for (const QStringView cell : lines[i].cells)
            row.append(cell.toString());
        table.rows.append(std::move(row));
        table.lines.append(lines[i].line);
    }
    return table;
}

// libcsv is fed one line at a time, so a row's first line and a failure's line are known.
struct CsvReading
{
    TableRows table;
    QStringList row;
    bool headerRead = false;
    bool inRow = false;
    qsizetype rowLine = 0;
    std::optional<TableFailure> failure;

    static void EndValue(void* data, size_t size, void* reading)
    {
        auto& self = *static_cast<CsvReading*>(reading);
        if (self.failure)
            return;
        if (self.row.isEmpty())
            self.row.reserve(self.table.columns.size());
        self.row.append(QString::fromUtf8(static_cast<const char*>(data), qsizetype(size)));
    }

    static void EndRow(int, void* reading)
    {
        auto& self = *static_cast<CsvReading*>(reading);
        self.inRow = false;
        if (self.failure)
            return;
        QStringList row = std::exchange(self.row, QStringList());
        if (!self.headerRead) {
            self.table.columns = std::move(row);
            self.headerRead = true;
        } else if (row.size() != self.table.columns.size()) {
            self.failure = TableFailure{self.rowLine, ValuesDiffer(row.size(), self.table.columns.size())};
        } else {
            self.table.rows.append(std::move(row));
            self.table.lines.append(self.rowLine);
        }
    }
};

// Spaces around an unquoted value are part of it, as RFC 4180 has it.
int NoSpaces(unsigned char)
{
    return 0;
}

std::variant<TableRows, TableFailure> ReadCommaSeparated(QStringView text)
{
    const QByteArray bytes = text.toUtf8();
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        return TableFailure{1, QStringLiteral("out of memory")};
    const std::unique_ptr<csv_parser, void (*)(csv_parser*)> freed(&parser, csv_free);
    csv_set_space_func(&parser, NoSpaces);

    CsvReading reading;
    qsizetype line = 1;
    for (qsizetype start = 0; start < bytes.size() && !reading.failure; ++line) {
        qsizetype end = start;
        while (end < bytes.size() && LineBreakAt(bytes, end) == 0)
            ++end;
        end += LineBreakAt(bytes, end);
        if (!reading.inRow && LineBreakAt(bytes, start) == 0) {
            reading.inRow = true;
            reading.rowLine = line;
        }
        const size_t length = size_t(end - start);
        if (csv_parse(&parser, bytes.constData() + start, length, CsvReading::EndValue, CsvReading::EndRow, &reading)
            != length)
            reading.failure = TableFailure{line, csv_error(&parser) == CSV_EPARSE
                                                     ? QStringLiteral("a quote stands inside a value: quote the whole "
                                                                      "value and double the quotes in it")
                                                     : QString::fromUtf8(csv_strerror(csv_error(&parser)))};
        start = end;
    }
    if (!reading.failure && csv_fini(&parser, CsvReading::EndValue, CsvReading::EndRow, &reading) != 0)
        reading.failure = TableFailure{reading.rowLine, QStringLiteral("a quoted value is not closed")};
    if (reading.failure)
        return *reading.failure;
    if (!reading.headerRead)
        return TableFailure{1, QStringLiteral("there is no header row")};
    return std::move(reading.table);
}

} // namespace

QString TableFailure::message() const
{
    return QStringLiteral("line %1: %2").arg(line).arg(reason);
}

TableFormat TableFormatForFile(const QString& fileName)
{
    return fileName.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? TableFormat::CommaSeparated
                                                                         : TableFormat::TabSeparated;
}

QList<TabSeparatedLine> SplitTabSeparated(QStringView text)
{
    text = WithoutByteOrderMark(text);
    QList<TabSeparatedLine> lines;
    qsizetype line = 1;
    for (qsizetype start = 0; start < text.size(); ++line) {
        qsizetype end = start;
        while (end < text.size() && LineBreakAt(text, end) == 0)
            ++end;
        if (end > start) {
            TabSeparatedLine split{line, {}};
            for (qsizetype cell = start, tab; cell <= end; cell = tab + 1) {
                tab = text.first(end).indexOf(u'\t', cell);
                if (tab < 0)
                    tab = end;
                split.cells.append(text.sliced(cell, tab - cell));
            }
            lines.append(std::move(split));
        }
        start = end + LineBreakAt(text, end);
    }
    return lines;
}

std::variant<TableRows, TableFailure> ReadTable(QStringView text, TableFormat format)
{
    if (format == TableFormat::TabSeparated)
        return ReadTabSeparated(text);
    return ReadCommaSeparated(WithoutByteOrderMark(text));
}
