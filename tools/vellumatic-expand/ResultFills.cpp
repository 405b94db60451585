#include "ResultFills.h"

#include "FileBytes.h"
#include "FillRows.h"
#include "TextEdits.h"
#include "Utf8Text.h"

namespace {

std::optional<QString> ReadUtf8File(const QByteArray& path, QString* error)
{
    const QByteArray bytes = ReadAllBytes(path, error);
    if (!error->isEmpty())
        return std::nullopt;
    std::optional<QString> text = DecodeUtf8(bytes);
    if (!text)
        *error = QStringLiteral("%1 is not valid UTF-8").arg(DisplayName(path));
    return text;
}

void NoteUnmapped(const QStringList& types, QStringList& notes)
{
    if (!types.isEmpty())
        notes.append(QStringLiteral("the type map has no row for %1; written as given").arg(types.join(QStringLiteral(", "))));
}

} // namespace

std::optional<FillSources> ReadFillSources(const ExpandOptions& options, const QString& dataFolderTypeMap,
                                           QString* error, QStringList* notes)
{
    FillSources sources;
    if (!options.typeMap.isEmpty()) {
        const QByteArray bytes = ReadAllBytes(options.typeMap, error);
        if (!error->isEmpty())
            return std::nullopt;
        auto read = TypeMap::read(bytes);
        if (const TypeMap::Failure* failure = std::get_if<TypeMap::Failure>(&read)) {
            *error = QStringLiteral("%1:%2: %3").arg(DisplayName(options.typeMap)).arg(failure->line).arg(failure->reason);
            return std::nullopt;
        }
        sources.modifiers = FieldModifiers(std::make_shared<const TypeMap>(std::get<TypeMap>(std::move(read))));
    } else if (!dataFolderTypeMap.isEmpty()) {
        const TypeMapInUse inUse = LoadTypeMap(dataFolderTypeMap);
        if (!inUse.problem.isEmpty())
            notes->append(inUse.problem);
        sources.modifiers = FieldModifiers(inUse.map);
    } else {
        sources.modifiers = FieldModifiers::standard();
    }
    if (!options.rows.isEmpty()) {
        const std::optional<QString> text = ReadUtf8File(options.rows, error);
        if (!text)
            return std::nullopt;
        auto read = ReadTable(*text, TableFormatForFile(QString::fromLocal8Bit(options.rows)));
        if (const TableFailure* failure = std::get_if<TableFailure>(&read)) {
            *error = DisplayName(options.rows) + QStringLiteral(": ") + failure->message();
            return std::nullopt;
        }
        sources.table = std::get<TableRows>(std::move(read));
    }
    return sources;
}

std::optional<QString> RowCountAnswer(const ExpandOptions& options, const FillSources& sources,
                                      const QStringList& boundNames)
{
    if (!sources.table || boundNames.size() != 1 || !options.answers.isEmpty())
        return std::nullopt;
    for (const auto& [name, value] : options.fixed)
        if (QString(name).compare(boundNames.first(), Qt::CaseInsensitive) == 0)
            return std::nullopt;
    return QString::number(sources.table->rows.size());
}

QStringList FillResult(QString& result, const QString& templateText, const ExpandOptions& options,
                       const FillSources& sources)
{
    QStringList notes;
    if (!options.fills.isEmpty()) {
        const FieldFill fill = FillEdits(result, options.fills, sources.modifiers);
        ApplyTextEdits(result, fill.edits);
        NoteUnmapped(fill.unmapped, notes);
    }
    if (!sources.table)
        return notes;
    const TableRows& table = *sources.table;
    const QStringList names = RowFieldNames(templateText, result, sources.modifiers);
    const RowFill fill =
        FillRows(result, names, MatchColumns(names, table.columns), table, sources.modifiers, FillsListed::No);
    ApplyTextEdits(result, fill.edits.edits);
    const QString file = DisplayName(options.rows);
    if (fill.filled < fill.repetitions)
        notes.append(QStringLiteral("%1 fills %2 of %3 repetitions; the rest stay fields")
                         .arg(file).arg(fill.filled).arg(fill.repetitions));
    if (fill.unusedRows > 0)
        notes.append(QStringLiteral("%1: %2 of %3 rows left unused (no repetition has their number)")
                         .arg(file).arg(fill.unusedRows).arg(table.rows.size()));
    NoteUnmapped(fill.edits.unmapped, notes);
    return notes;
}
