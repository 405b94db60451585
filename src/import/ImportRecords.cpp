#include "ImportRecords.h"

QList<QVariantList> importRecordsForTable(const QList<qint32>& ids, qint32 parentId, const QString& tableName,
                                          const QStringList& columns)
{
    QList<QVariantList> records;
    if (ids.isEmpty())
        return records;
    records.reserve(ids.size());
    records.append(QVariantList{ids[0], tableName, parentId, 0, 3});
    for (qsizetype i = 0; i < columns.size() && i + 1 < ids.size(); ++i)
        records.append(QVariantList{ids[i + 1], columns[i], ids[0], 0, 3});
    return records;
}
