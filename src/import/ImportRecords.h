#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The value catalogue records for one imported table: the table first, then each column under
// it, in column order. Each record is (ID, Name, ParentID, 0, 3), ready for one
// Stream::InsertRecords call; a node's key is "key" + its ID.
struct TableRecords
{
    QList<QVariantList> records;
    qint32 countAdvance = 0; // how far the added-values count moves on
};

// IDs are drawn as maxValueId + addedCount, the count rising by one per record.
TableRecords importRecordsForTable(qint32 maxValueId, qint32 addedCount, qint32 parentId, const QString& tableName,
                                   const QStringList& columns);
