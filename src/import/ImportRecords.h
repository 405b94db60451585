#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The value catalogue records for one imported table: the table first, then each column under
// it, in column order. Each record is (ID, Name, ParentID, 0, 3), ready for one
// DataStore::insertRecords call; a node's key is "key" + its ID.
// ids holds one ID per record, the table's first; missing IDs leave the remaining columns out.
QList<QVariantList> importRecordsForTable(const QList<qint32>& ids, qint32 parentId, const QString& tableName,
                                          const QStringList& columns);
