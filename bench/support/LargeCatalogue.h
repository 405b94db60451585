#pragma once

#include "CatalogueFiles.h"

#include <QByteArray>
#include <QList>

// A catalogue file of `count` items: a hundred top-level groups with the rest spread under them.
inline QByteArray LargeCatalogue(int count)
{
    QList<QByteArray> records;
    records.reserve(count);
    for (int id = 2; id < count + 2; ++id) {
        const int parent = id < 102 ? -1 : 2 + (id % 100);
        records << QByteArray::number(id) + "|Item number " + QByteArray::number(id) + "|" +
                       QByteArray::number(parent) + "|0|3";
    }
    return CatalogueFile(records);
}
