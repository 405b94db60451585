#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

class Recordset;

struct CatalogueEntry
{
    QString key;
    QString parentKey;
    QString text;
    int image = 0;
};

// What a catalogue table holds, sorted out for building its tree.
struct CatalogueContents
{
    // False when the header record lacks ID, Name, ParentID or Image: nothing can be placed.
    bool usable = true;
    // Every record that can hang in the tree, each after its parent.
    QList<CatalogueEntry> entries;
    // One line per record left out (unknown parent, repeated or broken ID, missing fields).
    QStringList problems;
    // Highest ID in the table (0 without records) and every ID the table holds, read the way
    // the store matches IDs, so a new item never shares an ID with a stored record.
    qint32 maxId = 0;
    QSet<qint32> takenIds;
};

// Reads the whole table (its cursor ends up on the first record). Records whose parent comes
// later in the file are still placed; nothing is ever dropped silently. An ID that is not a
// number is reported through the table's getMax and its node shown all the same.
CatalogueContents ReadCatalogue(Recordset& table);

// The IDs a table holds, as ReadCatalogue counts them.
QSet<qint32> TakenIds(Recordset& table);

// How many records carry the ID, read the way the store matches IDs when it deletes.
qsizetype RecordsWithId(Recordset& table, qint32 id);

// The first record carrying the ID (matched as the store matches it) with its Name set to `name` and
// every other value as stored, so a rename changes nothing else; nullopt when there is none.
std::optional<QVariantList> RenamedRecord(Recordset& table, qint32 id, const QString& name);
