#include "CatalogueContents.h"

#include "CatalogueKeys.h"
#include "Recordset.h"

#include <QHash>
#include <algorithm>
#include <optional>

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
    const QStringList names = table.FieldNames().split(u',');
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
    return table.FieldCount() > 0 ? qint32(table.valueCount() / table.FieldCount()) : 0;
}

std::optional<qint32> strictInteger(const QString& text)
{
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

} // namespace

QSet<qint32> TakenIds(Recordset& table)
{
    QSet<qint32> ids;
    const qint32 count = completeRecords(table);
    ids.reserve(count);
    table.moveFirst();
    for (qint32 r = 0; r < count; ++r, table.moveNext())
        ids.insert(LeadingNumber(table.Item(0).toString()));
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
    QList<CatalogueEntry> records;
    QList<qint32> parentIds;
    QSet<qint32> seen;
    auto recordName = [](qint32 r) { return QStringLiteral("record %1").arg(r + 1); };

    table.moveFirst();
    for (qint32 r = 0; r < count; ++r, table.moveNext()) {
        const QString idText = table.Item(col.id).toString();
        const std::optional<qint32> id = strictInteger(idText);
        if (!id || *id == kRootId) {
            contents.problems << QStringLiteral("%1: the ID \"%2\" is not a usable number").arg(recordName(r), idText);
            continue;
        }
        if (seen.contains(*id)) {
            contents.problems << QStringLiteral("%1: the ID %2 is used by an earlier record").arg(recordName(r)).arg(*id);
            continue;
        }
        const QString parentText = table.Item(col.parentId).toString();
        const std::optional<qint32> parentId = strictInteger(parentText);
        if (!parentId) {
            contents.problems << QStringLiteral("%1 (ID %2): the parent \"%3\" is not a number")
                                     .arg(recordName(r)).arg(*id).arg(parentText);
            continue;
        }
        seen.insert(*id);
        records.append({NodeKey(*id), NodeKey(*parentId), table.Item(col.name).toString(),
                        LeadingNumber(table.Item(col.image).toString())});
        parentIds.append(*parentId);
    }
    table.moveFirst();
    if (table.valueCount() % std::max(1, int(table.FieldCount())) != 0)
        contents.problems << QStringLiteral("%1: the record is incomplete").arg(recordName(count));

    // Place each record once its parent is placed; children that come before their parent wait.
    QSet<qint32> placed{kRootId};
    QHash<qint32, QList<qsizetype>> waiting;
    contents.entries.reserve(records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!placed.contains(parentIds[i])) {
            waiting[parentIds[i]].append(i);
            continue;
        }
        QList<qsizetype> ready{i};
        while (!ready.isEmpty()) {
            const qsizetype k = ready.takeLast();
            contents.entries.append(records[k]);
            const qint32 id = NodeId(records[k].key);
            placed.insert(id);
            if (auto it = waiting.find(id); it != waiting.end()) {
                for (auto c = it->rbegin(); c != it->rend(); ++c)
                    ready.append(*c);
                waiting.erase(it);
            }
        }
    }
    for (auto it = waiting.cbegin(); it != waiting.cend(); ++it)
        for (qsizetype i : it.value())
            contents.problems << QStringLiteral("ID %1 (\"%2\"): its parent %3 is not in the catalogue")
                                     .arg(NodeId(records[i].key)).arg(records[i].text).arg(it.key());
    return contents;
}

qsizetype RecordsWithId(Recordset& table, qint32 id)
{
    qsizetype n = 0;
    const qint32 count = completeRecords(table);
    table.moveFirst();
    for (qint32 r = 0; r < count; ++r, table.moveNext())
        n += LeadingNumber(table.Item(0).toString()) == id;
    table.moveFirst();
    return n;
}
