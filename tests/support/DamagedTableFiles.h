#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Table files of about `size` bytes in the shapes a damaged or hostile file takes, for the memory
// the reader needs. Each says whether the reader is to read it or refuse it.
struct DamagedTableFile
{
    QString shape;
    QByteArray bytes;
    bool readable;
};

inline QByteArray QuotedTable(const QByteArray& text)
{
    return '"' + text + "\"\r\n";
}

// Catalogue records such as "12|Item number 12|3|0|3" up to `size` bytes.
inline QByteArray CatalogueText(qsizetype size)
{
    QByteArray text = "ID|Name|ParentID|Spare|Image";
    for (int id = 1; text.size() < size; ++id)
        text += "\xB1" + QByteArray::number(id) + "|Item number " + QByteArray::number(id) + '|'
                + QByteArray::number(id / 10) + "|0|3";
    return text;
}

inline QList<DamagedTableFile> DamagedTableFiles(qsizetype size)
{
    QByteArray lost = CatalogueText(size);
    for (int removed = 0; removed < 1000; ++removed)
        lost.remove(lost.indexOf('\xB1'), 1);
    const qsizetype headerFields = size / 16;
    const QByteArray wide = "ID" + QByteArray(headerFields, '|');
    return {
        {"an intact catalogue", QuotedTable(CatalogueText(size)), true},
        {"a catalogue that lost its first 1,000 record separators", QuotedTable(lost), false},
        {QStringLiteral("a header of %1 fields, then one-field records").arg(headerFields + 1),
         QuotedTable(wide + QByteArray("\xB1x").repeated((size - wide.size()) / 2)), false},
        {"five one-character values a record", QuotedTable("ID|Name|ParentID|Spare|Image"
                                                           + QByteArray("\xB1" "1|2|3|4|5").repeated(size / 10)),
         true},
        {"a header of one-character names only", QuotedTable("a" + QByteArray("|a").repeated(size / 2)), true},
        {"one-value records under a catalogue header", QuotedTable("ID|Name|ParentID|Spare|Image"
                                                                   + QByteArray("\xB1" "1").repeated(size / 2)), true},
        {"a wide header and empty records only", QuotedTable(wide + QByteArray(size - wide.size(), '\xB1')), true},
        {"one value as long as the file", QuotedTable("ID\xB1" + QByteArray(size, 'v')), true},
    };
}
