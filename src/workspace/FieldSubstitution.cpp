#include "FieldSubstitution.h"

#include "FieldsList.h"
#include "FieldsListRules.h"
#include "ResultDocument.h"

namespace {

// The row of `marker` in the list (letter case ignored, as the list holds each once), or -1.
int RowOf(const TextPieces& entries, const QStringList& markers)
{
    if (markers.isEmpty())
        return -1;
    const QStringView text(entries.text);
    for (qsizetype row = 0; row < entries.spans.size(); ++row) {
        const TextSpan& span = entries.spans[row];
        if (text.mid(span.start, span.length).compare(markers.first(), Qt::CaseInsensitive) == 0)
            return int(row);
    }
    return -1;
}

} // namespace

void FillSelectedField(ResultDocument& result, FieldsList& fields, const QString& value)
{
    const QString marker = fields.selectedField();
    if (!marker.isEmpty())
        result.substitute(marker, value);
    fields.dropSelected();
}

void FillSelectedFieldWithName(ResultDocument& result, FieldsList& fields)
{
    const QString marker = fields.selectedField();
    if (marker.isEmpty())
        return;
    result.substitute(marker, FieldName(marker));
    fields.dropSelected();
}

void FillFollowingFields(ResultDocument& result, FieldsList& fields, const QStringList& values)
{
    if (fields.selectedField().isEmpty() || values.isEmpty())
        return;
    const int first = fields.currentRow();
    TextPieces entries = fields.fields();
    const int filled = int(std::min<qsizetype>(values.size(), entries.spans.size() - first));
    QList<std::pair<QString, QString>> fills;
    fills.reserve(filled);
    for (int i = 0; i < filled; ++i)
        fills.append({entries.at(first + i), values[i]});
    result.fillFields(fills);
    entries.spans.remove(first, filled);
    fields.setFields(std::move(entries));
    fields.setCurrentRow(SelectionAfterRemoval(first, int(fields.count())));
}

void ListFieldsAfterUndo(FieldsList& fields, const QString& resultText, const QStringList& filled,
                         const FieldModifiers& modifiers)
{
    fields.setFields(ListFields(resultText, modifiers));
    const int row = RowOf(fields.fields(), filled);
    if (row >= 0)
        fields.setCurrentRow(row);
}

void ListFieldsAfterRedo(FieldsList& fields, const QString& resultText, const QStringList& filled,
                         const FieldModifiers& modifiers)
{
    const int row = RowOf(fields.fields(), filled);
    const int place = row >= 0 ? row : std::max(fields.currentRow(), 0);
    fields.setFields(ListFields(resultText, modifiers));
    fields.setCurrentRow(SelectionAfterRemoval(place, fields.count()));
}
