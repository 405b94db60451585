#include "ImportRecords.h"

TableRecords importRecordsForTable(qint32 maxValueId, qint32 addedCount, qint32 parentId, const QString& tableName,
                                   const QStringList& columns)
{
    TableRecords result;
    result.records.reserve(columns.size() + 1);
    const auto add = [&](const QString& name, qint32 parent) {
        const qint32 id = maxValueId + addedCount + result.countAdvance;
        result.records.append(QVariantList{id, name, parent, 0, 3});
        ++result.countAdvance;
        return id;
    };
    const qint32 tableId = add(tableName, parentId);
    for (const QString& column : columns)
        add(column, tableId);
    return result;
}
