#pragma once

#include <QByteArray>
#include <QList>

// A catalogue table file as the program stores it: Windows-1252 text, records split by 0xB1.
inline QByteArray CatalogueFile(const QList<QByteArray>& records)
{
    QByteArray text = "ID|Name|ParentID|Spare|Image";
    for (const QByteArray& r : records)
        text += '\xB1' + r;
    return '"' + text + "\"\r\n";
}
