#include "FieldSubstitution.h"

#include "FieldsListRules.h"
#include "ResultPane.h"

#include <QListWidget>
#include <QTextEdit>

namespace {

QString selectedField(const QListWidget& fields)
{
    const QListWidgetItem* item = fields.currentRow() >= 0 ? fields.item(fields.currentRow()) : nullptr;
    return item && item->isSelected() ? item->text() : QString();
}

} // namespace

void DropSelectedField(QListWidget& fields)
{
    const int removed = fields.currentRow();
    if (removed < 0 || !fields.item(removed)->isSelected())
        return;
    delete fields.takeItem(removed);
    const int next = SelectionAfterRemoval(removed, fields.count());
    fields.setCurrentRow(next);
    if (next < 0)
        fields.clearSelection();
}

void FillSelectedField(QTextEdit& result, QListWidget& fields, const QString& value)
{
    const QString marker = selectedField(fields);
    if (!marker.isEmpty())
        SubstituteField(*result.document(), marker, value);
    DropSelectedField(fields);
}

void FillSelectedFieldWithName(QTextEdit& result, QListWidget& fields)
{
    const QString marker = selectedField(fields);
    if (marker.isEmpty())
        return;
    SubstituteField(*result.document(), marker, FieldName(marker));
    DropSelectedField(fields);
}
