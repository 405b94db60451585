#include "FieldSubstitution.h"

#include "FieldsList.h"
#include "FieldsListRules.h"
#include "ResultDocument.h"

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
