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

// A body file as the store writes it: the text in double quotes, quotes as the quote token.
inline QByteArray BodyFile(QByteArray text)
{
    return '"' + text.replace('"', "_$$$_002_$$$_") + "\"\r\n";
}

// The body of a template just added: two empty panes.
inline const QByteArray kNewBody = BodyFile("_$$$_001_$$$_");
