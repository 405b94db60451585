#include "CatalogueModel.h"

#include "CatalogueKeys.h"
#include "DataStore.h"
#include "StorableName.h"
#include "TableText.h"

#include <QFileInfo>

#include <utility>

namespace {
const QStringList kNoChildren;

// The table file drops the spaces around a field when it is read: a name is shown, and
// stored, as it will read back.
QString asStored(const QString& name)
{
    return TableText::trimSpaces(name).toString();
}

} // namespace

CatalogueModel::CatalogueModel(DataStore& store, QString file, QString bodyPrefix, QObject* parent)
    : QObject(parent), store_(store), file_(std::move(file)), bodyPrefix_(std::move(bodyPrefix))
{
}

CatalogueContents CatalogueModel::load()
{
    table_ = store_.readTable(file_);
    CatalogueContents contents;
    if (table_)
        contents = ReadCatalogue(*table_);
    else
        contents.usable = false; // the store has already reported why
    readable_ = contents.usable;
    lastStamp_ = fileStamp();
    maxId_ = contents.maxId;
    takenIds_ = contents.takenIds;
    addedCount_ = 2;
    nodes_.clear();
    nodes_.reserve(contents.entries.size() + 1);
    nodes_.insert(kRootKey, {{kRootKey, QString(), QStringLiteral("Main"), 1}, {}});
    for (const CatalogueEntry& entry : contents.entries)
        insertItem({entry.key, entry.parentKey, entry.text, entry.image});
    emit reset();
    return contents;
}

QList<CatalogueItem> CatalogueModel::items() const
{
    QList<CatalogueItem> ordered;
    ordered.reserve(nodes_.size());
    // Depth first, so every item follows its parent and its elder siblings' children.
    QList<QString> pending;
    const QStringList& top = childKeys(kRootKey);
    for (auto k = top.crbegin(); k != top.crend(); ++k)
        pending << *k;
    while (!pending.isEmpty()) {
        const Node& node = *nodes_.constFind(pending.takeLast());
        ordered << node.item;
        const QStringList& below = node.children;
        for (auto k = below.crbegin(); k != below.crend(); ++k)
            pending << *k;
    }
    return ordered;
}

const CatalogueItem* CatalogueModel::item(const QString& key) const
{
    const auto found = nodes_.constFind(key);
    return found == nodes_.cend() ? nullptr : &found->item;
}

const QStringList& CatalogueModel::childKeys(const QString& key) const
{
    const auto found = nodes_.constFind(key);
    return found == nodes_.cend() ? kNoChildren : found->children;
}

void CatalogueModel::insertItem(const CatalogueItem& item)
{
    nodes_.insert(item.key, {item, {}});
    nodes_[item.parentKey].children << item.key;
}

void CatalogueModel::markParent(const QString& parentKey)
{
    // A parent shows the folder image; the file keeps what it holds.
    if (IsRootKey(parentKey))
        return;
    CatalogueItem& parent = nodes_[parentKey].item;
    if (parent.image != 2) {
        parent.image = 2;
        emit itemChanged(parent);
    }
}

// ---- keys ----

QString CatalogueModel::fileStamp() const
{
    const QFileInfo info(store_.tablePath(file_));
    return QString::number(info.size()) + u'@' + QString::number(info.lastModified().toMSecsSinceEpoch()) + u'/' +
           QString::number(info.metadataChangeTime().toMSecsSinceEpoch());
}

void CatalogueModel::refreshTakenIds()
{
    // Another program may have added items since our last write: read the file afresh when it
    // is no longer the one we last wrote or read.
    if (readable_ && fileStamp() != lastStamp_) {
        if (std::optional<Recordset> fresh = store_.readTable(file_)) {
            takenIds_ = TakenIds(*fresh);
            lastStamp_ = fileStamp();
        }
    }
}

QString CatalogueModel::nextKey()
{
    refreshTakenIds();
    return NodeKey(NextFreeId(maxId_, addedCount_, takenIds_));
}

QList<qint32> CatalogueModel::takeIds(int count)
{
    refreshTakenIds();
    QList<qint32> ids;
    ids.reserve(count);
    for (int i = 0; i < count; ++i) {
        const qint32 id = NextFreeId(maxId_, addedCount_, takenIds_);
        // Taken at once, so the next ID of the batch cannot land on it before it is stored.
        takenIds_.insert(id);
        ++addedCount_;
        ids << id;
    }
    return ids;
}

void CatalogueModel::storedTable(std::optional<Recordset> table)
{
    table_ = std::move(table);
    takenIds_ = TakenIds(*table_);
    lastStamp_ = fileStamp();
}

// ---- changes ----

CatalogueModel::Added CatalogueModel::add(const QString& parentKey, const QString& typed,
                                          const QList<QStringView>& body)
{
    const QString name = asStored(typed);
    const QString parent = parentKey.isEmpty() ? kRootKey : parentKey;
    if (!readable_)
        return {QString(), Refusal::Unreadable};
    if (!item(parent))
        return {QString(), Refusal::NoSuchItem};
    if (name.isEmpty())
        return {QString(), Refusal::EmptyName};
    const QString key = nextKey();
    if (item(key))
        return {QString(), Refusal::NameTaken};

    std::optional<Recordset> table = store_.insertRecord(file_, BuildCatalogueRecord(key, name, parent));
    if (!table)
        return {QString(), Refusal::StoreFailed};
    storedTable(std::move(table));
    const qint32 id = NodeId(key);
    if (hasBodies() && !store_.writeBody(bodyPrefix_ + key, body)) {
        // A template without its body would fail on every later load; take the record back.
        if (std::optional<Recordset> back = store_.deleteRecord(file_, id))
            storedTable(std::move(back));
        return {QString(), Refusal::StoreFailed};
    }
    ++addedCount_;
    insertItem({key, parent, name, 3});
    markParent(parent);
    emit itemAdded(nodes_.value(key).item);
    return {key, Refusal::None};
}

qsizetype CatalogueModel::addMany(const QString& parentKey, const QStringList& typed)
{
    QStringList names;
    names.reserve(typed.size());
    for (const QString& name : typed)
        names << asStored(name);
    const QString parent = parentKey.isEmpty() ? kRootKey : parentKey;
    if (names.isEmpty() || !readable_ || !item(parent))
        return 0;
    // Rewriting the file once per name would make a long drop take minutes.
    qsizetype storable = 0;
    while (storable < names.size() && !nameRefusal(names[storable]))
        ++storable;
    const qint32 addedBefore = addedCount_;
    const QSet<qint32> takenBefore = takenIds_;
    const QList<qint32> ids = takeIds(int(storable));
    QList<QVariantList> records;
    records.reserve(storable);
    for (qsizetype i = 0; i < storable; ++i)
        records << BuildCatalogueRecord(NodeKey(ids[i]), names[i], parent);
    if (!addRecords(records)) {
        addedCount_ = addedBefore;
        takenIds_ = takenBefore;
        return 0;
    }
    qsizetype added = storable;
    while (added < names.size() && add(parent, names[added]).refusal == Refusal::None)
        ++added;
    return added;
}

bool CatalogueModel::addRecords(const QList<QVariantList>& given)
{
    if (given.isEmpty())
        return true;
    if (!readable_)
        return false;
    if (!RecordsFitCatalogue(given, [this](const QString& key) { return item(key) != nullptr; }))
        return false;
    QList<QVariantList> records = given;
    for (QVariantList& record : records)
        record[1] = asStored(record[1].toString());
    std::optional<Recordset> table = store_.insertRecords(file_, records);
    if (!table)
        return false;
    storedTable(std::move(table));
    for (const QVariantList& record : records) {
        const CatalogueItem added{NodeKey(record[0].toInt()), NodeKey(record[2].toInt()), record[1].toString(), 3};
        insertItem(added);
        markParent(added.parentKey);
        emit itemAdded(added);
    }
    return true;
}

CatalogueModel::Refusal CatalogueModel::changeRefusal(const QString& key) const
{
    if (!readable_)
        return Refusal::Unreadable;
    if (!item(key) || IsRootKey(key))
        return Refusal::NoSuchItem;
    if (table_ && RecordsWithId(*table_, NodeId(key)) >= 2)
        return Refusal::SharedId;
    return Refusal::None;
}

CatalogueModel::Refusal CatalogueModel::removalRefusal(const QString& key) const
{
    if (item(key) && !IsRootKey(key) && !childKeys(key).isEmpty())
        return Refusal::HasChildren;
    return changeRefusal(key);
}

CatalogueModel::Refusal CatalogueModel::remove(const QString& key)
{
    if (const Refusal refusal = removalRefusal(key); refusal != Refusal::None)
        return refusal;
    std::optional<Recordset> table = store_.deleteRecord(file_, NodeId(key));
    if (!table)
        return Refusal::StoreFailed;
    storedTable(std::move(table));
    if (hasBodies())
        store_.removeBody(bodyPrefix_ + key);
    const QString parent = nodes_.take(key).item.parentKey;
    nodes_[parent].children.removeOne(key);
    emit itemRemoved(key);
    return Refusal::None;
}

CatalogueModel::Refusal CatalogueModel::rename(const QString& key, const QString& typed)
{
    const QString name = asStored(typed);
    if (const CatalogueItem* named = item(key); named && named->name == name)
        return Refusal::None;
    if (name.isEmpty())
        return Refusal::EmptyName;
    if (const Refusal refusal = changeRefusal(key); refusal != Refusal::None)
        return refusal;
    const qint32 id = NodeId(key);
    const std::optional<QVariantList> record = RenamedRecord(*table_, id, name);
    if (!record)
        return Refusal::NoRecord;
    std::optional<Recordset> table = store_.updateRecord(file_, id, *record);
    if (!table)
        return Refusal::StoreFailed;
    storedTable(std::move(table));
    CatalogueItem& renamed = nodes_[key].item;
    renamed.name = name;
    emit itemChanged(renamed);
    return Refusal::None;
}

// ---- bodies ----

TemplateBody CatalogueModel::readBody(const QString& key)
{
    return SplitBody(StoredBodyText(store_.readBody(bodyPrefix_ + key)));
}

bool CatalogueModel::saveBody(BodyChanges& changes, const BodyChanges::Texts& now)
{
    const QString key = changes.key();
    if (!changes.differs(now)) {
        // Touched but back as stored: nothing to build again until the next edit.
        changes.setStored(key, now, changes.fileVersion());
        return true;
    }
    if (key.isEmpty() || !hasBodies())
        return false;
    // After a failed write (already reported) the change stays unsaved, so the next save
    // tries again instead of dropping it.
    if (!store_.writeBody(bodyPrefix_ + key, BodyPieces(now.templateRichText, now.resultRichText)))
        return false;
    changes.setStored(key, now, bodyVersion(key));
    return true;
}

QByteArray CatalogueModel::bodyVersion(const QString& key) const
{
    return store_.bodyVersion(bodyPrefix_ + key);
}
