#include "FillRows.h"

#include "CaseBlindCompare.h"
#include "CharacterFinder.h"
#include "FieldNumbering.h"
#include "WordCase.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

// The row number numbering wrote after `name` in the field `field` ("Col0003" gives 3 for
// "Col"), or 0 when the field is not `name` numbered from 1. Only what numbering writes
// counts: "+001" or "01" after "Col" belong to other fields.
qint64 CounterAfter(QStringView field, QStringView name)
{
    if (field.size() < name.size() + 4 || !EqualIgnoringCase(field.first(name.size()), name))
        return 0;
    const QStringView counter = field.sliced(name.size());
    if (counter.size() > 18 || (counter.size() > 4 && counter.front() == u'0'))
        return 0;
    qint64 value = 0;
    for (const QChar c : counter) {
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// The name a template marker gives its field: a mirror's base, else what stands between
// "$" and "!".
QString FieldNameOf(const QString& marker, const FieldModifiers& modifiers)
{
    if (const std::optional<FieldModifiers::Mirror> mirror = modifiers.mirrorOf(marker))
        return mirror->base.toString() + mirror->counter.toString();
    return marker.sliced(1, marker.size() - 2);
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
    // The first repetition names them all, unless a name is never numbered: the scan ends
    // as soon as every name was seen numbered.
    QList<bool> numbered(names.size(), false);
    qsizetype left = names.size();
    QString field;
    const QStringView all(resultText);
    CharacterFinder dollars(all, u'$');
    CharacterFinder bangs(all, u'!');
    qsizetype close = -1;
    for (qsizetype open = dollars.next(0); open >= 0 && left > 0; open = dollars.next(open + 1)) {
        if (close <= open && (close = bangs.next(open + 1)) < 0)
            break;
        const QStringView marker = all.sliced(open, close + 1 - open);
        QStringView name = marker.sliced(1, marker.size() - 2);
        // Up to a mirror's ":" its field is spelt as the marker is: most markers need no
        // closer look.
        const qsizetype colon = name.indexOf(u':');
        const auto mayBe = [&](qsizetype which) {
            const qsizetype same = colon < 0 ? names[which].size() : std::min(colon, names[which].size());
            return !numbered[which] && (colon >= 0 || name.size() > same) &&
                   EqualIgnoringCase(name.first(same), QStringView(names[which]).first(same));
        };
        bool candidate = false;
        for (qsizetype which = 0; which < names.size() && !candidate; ++which)
            candidate = mayBe(which);
        if (!candidate)
            continue;
        if (colon >= 0) {
            if (const std::optional<FieldModifiers::Mirror> mirror = modifiers.mirrorOf(marker)) {
                field.resize(0);
                field.append(mirror->base).append(mirror->counter);
                name = field;
            }
        }
        for (qsizetype which = 0; which < names.size(); ++which) {
            if (!numbered[which] && CounterAfter(name, names[which])) {
                numbered[which] = true;
                --left;
            }
        }
    }
    QStringList found;
    for (qsizetype which = 0; which < names.size(); ++which)
        if (numbered[which])
            found.append(names[which]);
    return found;
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
                 const TableRows& table, const FieldModifiers& modifiers, FillsListed listed)
{
    // One pass over the markers as FillEdits makes it: each from a "$" to the next "!",
    // filled when it is a numbered field of a name or a mirror of one, searched on after
    // its "$" otherwise. The row and column come straight from the marker, so no marker is
    // written out and looked up.
    RowFill fill;
    QList<bool> seen(table.rows.size() + 1, false); // the repetitions rows fill
    QSet<qint64> beyond;                             // and the others
    QSet<QString> unmapped;
    QHash<std::pair<QString, qsizetype>, QString> types; // type-map spellings made so far
    QString field;    // one buffer for every mirror's field name
    const QStringView all(resultText);
    fill.edits.edits.reserve(2 * table.rows.size() * fieldNames.size()); // a mirror or two each
    CharacterFinder dollars(all, u'$');
    CharacterFinder bangs(all, u'!');
    qsizetype close = -1;
    for (qsizetype open = dollars.next(0); open >= 0; open = dollars.next(open + 1)) {
        if (close <= open && (close = bangs.next(open + 1)) < 0)
            break;
        const QStringView marker = all.sliced(open, close + 1 - open);
        std::optional<FieldModifiers::Mirror> mirror;
        QStringView name = marker.sliced(1, marker.size() - 2);
        if (name.contains(u':') && (mirror = modifiers.mirrorOf(marker))) {
            field.resize(0);
            field.append(mirror->base).append(mirror->counter);
            name = field;
        }
        // A name that ends in digits can make a field another name's too ("Col50012" is
        // "Col5" in row 12 and "Col" in row 50012). Of the names whose row fills it, the one
        // FillEdits would take wins: the later row, then the later name.
        qint64 row = 0;
        qsizetype column = -1;
        bool fills = false;
        for (qsizetype which = 0; which < fieldNames.size(); ++which) {
            const qint64 counter = CounterAfter(name, fieldNames[which]);
            if (!counter)
                continue;
            const qsizetype of = which < columns.size() ? columns[which] : -1;
            const bool filling = counter < seen.size() && of >= 0 && of < table.rows[counter - 1].size();
            if (row && (fills ? !filling || counter < row : !filling))
                continue;
            row = counter;
            column = of;
            fills = filling;
        }
        if (!row)
            continue;
        if (row >= seen.size()) {
            beyond.insert(row);
            continue;
        }
        seen[row] = true;
        if (!fills)
            continue;
        const QString& value = table.rows[row - 1][column];
        if (!mirror) {
            fill.edits.edits.append({open, marker.size(), value});
        } else {
            // Types repeat from row to row; names and other words seldom do.
            const bool typed = mirror->modifier >= WordCaseNames().size();
            const auto known = typed ? types.constFind({value, mirror->modifier}) : types.cend();
            if (known != types.cend()) {
                fill.edits.edits.append({open, marker.size(), *known});
            } else {
                const FieldModifiers::Spelling spelling = modifiers.spell(value, mirror->modifier);
                if (spelling.unmapped && !unmapped.contains(value)) {
                    unmapped.insert(value);
                    fill.edits.unmapped.append(value);
                }
                if (typed)
                    types.insert({value, mirror->modifier}, spelling.text);
                fill.edits.edits.append({open, marker.size(), spelling.text});
            }
        }
        open = close; // occurrences do not overlap
    }
    fill.repetitions = beyond.size();
    if (listed == FillsListed::Yes)
        fill.fills.reserve(table.rows.size() * fieldNames.size());
    char16_t counter[21];
    for (qsizetype k = 1; k < seen.size(); ++k) {
        if (!seen[k])
            continue;
        ++fill.repetitions;
        ++fill.filled;
        if (listed == FillsListed::No)
            continue;
        const QStringView counterText(counter, WriteCounterText(k, counter));
        for (qsizetype which = 0; which < fieldNames.size() && which < columns.size(); ++which) {
            const qsizetype column = columns[which];
            if (column < 0 || column >= table.rows[k - 1].size())
                continue;
            QString marker;
            marker.reserve(fieldNames[which].size() + counterText.size() + 2);
            marker.append(u'$').append(fieldNames[which]).append(counterText).append(u'!');
            fill.fills.append({std::move(marker), table.rows[k - 1][column]});
        }
    }
    fill.unusedRows = table.rows.size() - fill.filled;
    return fill;
}
