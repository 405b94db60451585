#include "FillRowsRules.h"

#include <QStringList>

TableFormat GuessTableFormat(QStringView text)
{
    for (QStringView line : text.tokenize(u'\n')) {
        if (line.trimmed().isEmpty())
            continue;
        // A tab inside quotes is a comma-separated value's own.
        bool quoted = false;
        for (const QChar c : line) {
            if (c == u'"')
                quoted = !quoted;
            else if (c == u'\t' && !quoted)
                return TableFormat::TabSeparated;
        }
        break;
    }
    return TableFormat::CommaSeparated;
}

bool LooksLikeTable(QStringView text)
{
    const auto read = ReadTable(text, GuessTableFormat(text));
    const auto* table = std::get_if<TableRows>(&read);
    return table && table->columns.size() >= 2 && !table->rows.isEmpty();
}

namespace {

bool NeedsQuotes(const QString& value)
{
    for (const QChar c : value) {
        if (c == u',' || c == u'"' || c == u'\t' || c == u'\n' || c == u'\r')
            return true;
    }
    // Blanks at either end would be trimmed, and a lone empty value would make a blank line.
    return value.isEmpty() || value.front().isSpace() || value.back().isSpace();
}

QString Quoted(const QString& value)
{
    if (!NeedsQuotes(value))
        return value;
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString Line(const QStringList& values)
{
    QStringList cells;
    cells.reserve(values.size());
    for (const QString& value : values)
        cells << Quoted(value);
    return cells.join(u',') + u'\n';
}

} // namespace

QString TableAsText(const TableRows& table)
{
    QString text = Line(table.columns);
    for (const QStringList& row : table.rows)
        text += Line(row);
    return text;
}

QString RowsNote(qsizetype rows, qsizetype repetitions)
{
    auto count = [](qsizetype n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    const QString counts = count(rows, "row", "rows") + QStringLiteral(" for ") +
                           count(repetitions, "repetition", "repetitions");
    if (rows < repetitions && rows + 1 == repetitions)
        return counts + QStringLiteral(": repetition %1 keeps its fields.").arg(repetitions);
    if (rows < repetitions)
        return counts + QStringLiteral(": repetitions %1 to %2 keep their fields.").arg(rows + 1).arg(repetitions);
    if (rows == repetitions + 1)
        return counts + QStringLiteral(": row %1 is left over.").arg(rows);
    if (rows > repetitions)
        return counts + QStringLiteral(": rows %1 to %2 are left over.").arg(repetitions + 1).arg(rows);
    return counts + u'.';
}
