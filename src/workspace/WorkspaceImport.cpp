// The workspace's side of the schema import: handing out value IDs in bulk and storing a
// table's values with one write.
#include "WorkspaceWindow.h"

#include "CatalogueKeys.h"
#include "SchemaImportCommand.h"

#include <QSet>

void WorkspaceWindow::importSchema()
{
    SchemaImportCommand(*this);
}

QList<qint32> WorkspaceWindow::takeValueIds(int count)
{
    refreshTakenIds(values_);
    QList<qint32> ids;
    ids.reserve(count);
    for (int i = 0; i < count; ++i) {
        const qint32 id = NextFreeId(values_.maxId, values_.addedCount, values_.takenIds);
        // Taken at once, so the next ID of the batch cannot land on it before it is stored.
        values_.takenIds.insert(id);
        ++values_.addedCount;
        ids << id;
    }
    return ids;
}

bool WorkspaceWindow::addValueRecords(const QList<QVariantList>& records)
{
    if (records.isEmpty())
        return true;
    if (refuseChange(values_))
        return false;
    if (!RecordsFitCatalogue(records, [this](const QString& key) { return valueTree_->node(key) != nullptr; }))
        return false;

    std::optional<Recordset> table = dataStore().insertRecords(kValueCatalogueFile, records);
    if (!table)
        return false;
    values_.table = std::move(table);
    values_.lastStamp = fileStamp(values_);

    QSet<QString> batchKeys;
    for (const QVariantList& record : records) {
        const QString key = NodeKey(record[0].toInt());
        const QString parentKey = NodeKey(record[2].toInt());
        batchKeys.insert(key);
        QTreeWidgetItem* parent = valueTree_->node(parentKey);
        if (!IsRootKey(parentKey))
            CatalogueTree::setImage(parent, 2);
        // A node that was there before opens to show what was added; the new ones stay folded.
        if (!batchKeys.contains(parentKey))
            parent->setExpanded(true);
        followFilter(values_, valueTree_->addNode(parentKey, key, record[1].toString(), 3));
        values_.takenIds.insert(record[0].toInt());
    }
    return true;
}
