#include "CatalogueContents.h"

#include "CatalogueKeys.h"
#include "Recordset.h"

#include <QHash>
#include <algorithm>

namespace {

struct Columns
{
    int id = -1;
    int name = -1;
    int parentId = -1;
    int image = -1;
};

Columns findColumns(const Recordset& table)
{
    Columns c;
    const QStringList names = table.fieldNames().split(u',');
    for (int i = 0; i < names.size(); ++i) {
        const QString& n = names[i];
        auto is = [&](const char* wanted) { return n.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0; };
        if (is("ID") && c.id < 0) c.id = i;
        else if (is("Name") && c.name < 0) c.name = i;
        else if (is("ParentID") && c.parentId < 0) c.parentId = i;
        else if (is("Image") && c.image < 0) c.image = i;
    }
    return c;
}

qint32 completeRecords(const Recordset& table)
{
    return table.fieldCount() > 0 ? qint32(table.valueCount() / table.fieldCount()) : 0;
}

} // namespace

QSet<qint32> TakenIds(Recordset& table)
{
    QSet<qint32> ids;
    const qint32 count = completeRecords(table);
    ids.reserve(count);
    table.moveFirst();
    for (qint32 r = 0; r < count; ++r, table.moveNext())
        ids.insert(LeadingNumber(table.valueOf(0).toString()));
    table.moveFirst();
    return ids;
}

CatalogueContents ReadCatalogue(Recordset& table)
{
    CatalogueContents contents;
    const Columns col = findColumns(table);
    if (col.id < 0 || col.name < 0 || col.parentId < 0 || col.image < 0) {
        contents.usable = false;
        contents.problems << QStringLiteral("the first record does not name the fields ID, Name, ParentID and Image");
        return contents;
    }

    contents.takenIds = TakenIds(table);
    for (qint32 id : std::as_const(contents.takenIds))
        contents.maxId = std::max(contents.maxId, id);

    const qint32 count = completeRecords(table);
    // The store's own check of the IDs: one that is not a number is reported as "getMax: ...".
    // The node still shows under the key its ID spells, as for every other record.
    if (count > 0)
        table.getMax(col.id);

    // A node's key is "key" + its ID as written, so "07" opens the body TMP_key07 that its
    // key names, and a child finds its parent by the same spelling.
    QList<CatalogueEntry> records;
    // Every record's key, and whether it is placed yet: one table for both questions.
    QHash<QString, bool> placed;
    placed.reserve(count + 1);
    placed.insert(kRootKey, true);
    auto recordName = [](qint32 r) { return QStringLiteral("record %1").arg(r + 1); };

    table.moveFirst();
    for (qint32 r = 0; r < count; ++r, table.moveNext()) {
        const QString idText = table.valueOf(col.id).toString();
        const QString key = QStringLiteral("key") + idText;
        if (idText.trimmed().isEmpty() || IsRootKey(key) || NodeId(key) == kRootId) {
            contents.problems << QStringLiteral("%1: the ID \"%2\" is not usable").arg(recordName(r), idText);
            continue;
        }
        if (placed.contains(key)) {
            contents.problems << QStringLiteral("%1: the ID %2 is used by an earlier record").arg(recordName(r), idText);
            continue;
        }
        placed.insert(key, false);
        records.append({key, QStringLiteral("key") + table.valueOf(col.parentId).toString(),
                        table.valueOf(col.name).toString(), LeadingNumber(table.valueOf(col.image).toString())});
    }
    table.moveFirst();
    if (table.valueCount() % std::max(1, int(table.fieldCount())) != 0)
        contents.problems << QStringLiteral("%1: the record is incomplete").arg(recordName(count));

    // Place each record once its parent is placed; children that come before their parent wait.
    QHash<QString, QList<qsizetype>> waiting;
    contents.entries.reserve(records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!placed.value(records[i].parentKey)) {
            waiting[records[i].parentKey].append(i);
            continue;
        }
        QList<qsizetype> ready{i};
        while (!ready.isEmpty()) {
            const qsizetype k = ready.takeLast();
            contents.entries.append(records[k]);
            placed[records[k].key] = true;
            if (auto it = waiting.find(records[k].key); it != waiting.end()) {
                for (auto c = it->rbegin(); c != it->rend(); ++c)
                    ready.append(*c);
                waiting.erase(it);
            }
        }
    }
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it)
        for (qsizetype i : it.value())
            contents.problems << QStringLiteral("ID %1 (\"%2\"): its parent %3 is not in the catalogue")
                                     .arg(records[i].key.mid(3), records[i].text, it.key().mid(3));
    return contents;
}

qsizetype RecordsWithId(Recordset& table, qint32 id)
{
    qsizetype n = 0;
    const qint32 count = completeRecords(table);
    table.moveFirst();
    for (qint32 r = 0; r < count; ++r, table.moveNext())
        n += LeadingNumber(table.valueOf(0).toString()) == id;
    table.moveFirst();
    return n;
}

std::optional<QVariantList> RenamedRecord(Recordset& table, qint32 id, const QString& name)
{
    const int nameColumn = findColumns(table).name;
    const qint32 count = completeRecords(table);
    std::optional<QVariantList> record;
    table.moveFirst();
    for (qint32 r = 0; r < count && !record; ++r, table.moveNext()) {
        if (LeadingNumber(table.valueOf(0).toString()) != id)
            continue;
        record.emplace();
        for (int field = 0; field < table.fieldCount(); ++field)
            record->append(field == nameColumn ? QVariant(name) : table.valueOf(field));
    }
    table.moveFirst();
    return nameColumn < 0 ? std::nullopt : record;
}
