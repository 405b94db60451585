#include "FillRows.h"

#include "FieldNumbering.h"
#include "TextRules.h"

#include <QSet>

namespace {

// The counter numbering wrote after `name` in the field marker `marker` ("$Col0003!" gives
// 3 for "Col"), or 0 when the marker is not `name` numbered from 1.
qint64 CounterAfter(QStringView marker, const QString& name)
{
    if (marker.size() < name.size() + 6 || !marker.sliced(1).startsWith(name, Qt::CaseInsensitive))
        return 0;
    const QStringView counter = marker.sliced(1 + name.size()).chopped(1);
    bool ok = false;
    const qint64 value = counter.toLongLong(&ok);
    // Only the text numbering writes counts: "+001" or "01" after "Col" are other fields.
    return ok && value > 0 && CounterText(value) == counter ? value : 0;
}

// The name a template marker gives its field: a mirror's base, else what stands between
// "$" and "!".
QString FieldNameOf(const QString& marker, const FieldModifiers& modifiers)
{
    if (const std::optional<FieldModifiers::Mirror> mirror = modifiers.mirrorOf(marker))
        return mirror->base.toString() + mirror->counter.toString();
    return marker.sliced(1, marker.size() - 2);
}

// The counters of the repetitions `names` have in the result.
QSet<qint64> RepetitionsOf(const QString& resultText, const QStringList& names, const FieldModifiers& modifiers)
{
    QSet<qint64> counters;
    const TextPieces fields = ListFields(resultText, modifiers);
    for (const TextSpan& span : fields.spans) {
        const QStringView marker = QStringView(fields.text).sliced(span.start, span.length);
        for (const QString& name : names) {
            if (const qint64 counter = CounterAfter(marker, name))
                counters.insert(counter);
        }
    }
    return counters;
}

} // namespace

QStringList RowFieldNames(const QString& templateText, const QString& resultText, const FieldModifiers& modifiers)
{
    QStringList names;
    for (const QString& marker : CollectFields(templateText)) {
        const QString name = FieldNameOf(marker, modifiers);
        if (!name.isEmpty() && !name.contains(u'$') && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    const TextPieces fields = ListFields(resultText, modifiers);
    QStringList numbered;
    for (const QString& name : std::as_const(names)) {
        for (const TextSpan& span : fields.spans) {
            if (CounterAfter(QStringView(fields.text).sliced(span.start, span.length), name)) {
                numbered.append(name);
                break;
            }
        }
    }
    return numbered;
}

QList<qsizetype> MatchColumns(const QStringList& fieldNames, const QStringList& columns)
{
    QList<qsizetype> matched(fieldNames.size(), -1);
    QList<bool> taken(columns.size(), false);
    for (qsizetype field = 0; field < fieldNames.size(); ++field) {
        for (qsizetype column = 0; column < columns.size(); ++column) {
            if (!taken[column] && fieldNames[field].compare(columns[column], Qt::CaseInsensitive) == 0) {
                matched[field] = column;
                taken[column] = true;
                break;
            }
        }
    }
    qsizetype next = 0;
    for (qsizetype& column : matched) {
        if (column >= 0)
            continue;
        while (next < taken.size() && taken[next])
            ++next;
        if (next == taken.size())
            break;
        column = next++;
    }
    return matched;
}

RowFill FillRows(const QString& resultText, const QStringList& fieldNames, const QList<qsizetype>& columns,
                 const TableRows& table, const FieldModifiers& modifiers)
{
    RowFill fill;
    const QSet<qint64> repetitions = RepetitionsOf(resultText, fieldNames, modifiers);
    fill.repetitions = repetitions.size();
    for (qsizetype k = 1; k <= table.rows.size(); ++k) {
        if (!repetitions.contains(k))
            continue;
        ++fill.filled;
        const QString counter = CounterText(k);
        const QStringList& row = table.rows[k - 1];
        for (qsizetype field = 0; field < fieldNames.size() && field < columns.size(); ++field) {
            const qsizetype column = columns[field];
            if (column >= 0 && column < row.size())
                fill.fills.append({u'$' + fieldNames[field] + counter + u'!', row[column]});
        }
    }
    fill.unusedRows = table.rows.size() - fill.filled;
    fill.edits = FillEdits(resultText, fill.fills, modifiers);
    return fill;
}
