#pragma once

#include "BodyChanges.h"
#include "CatalogueContents.h"
#include "CatalogueKeys.h"
#include "Recordset.h"
#include "TemplateBody.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class DataStore;

// One item of a catalogue as its tree shows it.
struct CatalogueItem
{
    QString key;
    QString parentKey;
    QString name;
    int image = 0;
};

// One catalogue (templates or values): its table file, its items in tree order, the keys new
// items get and, for templates, their bodies. Every change is stored first and only then
// made to the items, so views that follow the signals never show what the file lacks.
// Failures of the store are reported through FailureReporter; a refused change says why, so
// the window can word it.
class CatalogueModel : public QObject
{
    Q_OBJECT

public:
    enum class Refusal
    {
        None,
        Unreadable,   // the table could not be read when it was loaded
        NoSuchItem,   // the key names no item (or the root, which cannot change)
        HasChildren,  // only a leaf can be removed
        SharedId,     // another record holds the same ID and would change with it
        NoRecord,     // the table holds no record for the item
        EmptyName,
        NameTaken,    // an item with that key is already there
        StoreFailed,  // the store refused and has reported why
    };

    // bodyPrefix: "TMP_" for the templates, empty for a catalogue without bodies.
    CatalogueModel(DataStore& store, QString file, QString bodyPrefix, QObject* parent = nullptr);

    // Reads the table afresh: every item, the highest ID, the taken IDs. The contents' problems
    // are returned for the window to show; `reset` is signalled.
    CatalogueContents load();

    const QString& file() const { return file_; }
    bool hasBodies() const { return !bodyPrefix_.isEmpty(); }
    bool readable() const { return readable_; }

    // The items below the root (Main), each after its parent, children in the order shown.
    QList<CatalogueItem> items() const;
    // Calls `visit(item, token)` for every item below the root, each after its parent, children
    // in the order shown; `token` is what the visit returned for the item's parent (`rootToken`
    // for the root's children). A view builds itself with it without copying the items.
    template <typename Token, typename Visit>
    void walk(Token rootToken, Visit visit) const;
    const CatalogueItem* item(const QString& key) const;
    const QStringList& childKeys(const QString& key) const;
    qsizetype size() const { return nodes_.size(); }

    // The key the next new item gets; nothing is taken yet.
    QString nextKey();
    // IDs for the next `count` new items, counted as added.
    QList<qint32> takeIds(int count);

    struct Added
    {
        QString key; // empty when refused
        Refusal refusal = Refusal::None;
    };
    // Adds one item under `parentKey` (the root when empty); a template gets `body`, an empty
    // one unless told.
    Added add(const QString& parentKey, const QString& name, const QList<QStringView>& body = {kPaneSeparator});
    // Adds the names under `parentKey` (an empty one too: a drop may hold empty pieces) with one write of the table for every name up to the
    // first the file cannot hold; the rest one at a time, so the first that fails stops the
    // run with the store's own report. Returns how many were added.
    qsizetype addMany(const QString& parentKey, const QStringList& names);
    // Stores records (ID, Name, ParentID, 0, 3) with IDs from takeIds() in one write; false,
    // items and file unchanged, when a record lacks its parent or a free key or the store
    // refused.
    bool addRecords(const QList<QVariantList>& records);
    // Removes a leaf, with its body.
    Refusal remove(const QString& key);
    // A name the item already has is left as it is, nothing written.
    Refusal rename(const QString& key, const QString& name);

    // Whether the change would be refused before anything is stored (a confirmation need not
    // be asked for a change that cannot be made).
    Refusal removalRefusal(const QString& key) const;

    // A template's body as stored, split into its panes.
    TemplateBody readBody(const QString& key);
    // The body file's fingerprint (empty when there is none), to tell whether another window
    // wrote it since it was read.
    QByteArray bodyVersion(const QString& key) const;
    // Writes the panes' rich text as the body of `changes.key()` when they differ from what was
    // stored (BodyChanges' rule), and records them as stored with the written file's
    // fingerprint. False when the store refused.
    bool saveBody(BodyChanges& changes, const BodyChanges::Texts& now);

signals:
    void reset();
    void itemAdded(const CatalogueItem& item);
    void itemRemoved(const QString& key);
    void itemChanged(const CatalogueItem& item); // its name or image

private:
    void refreshTakenIds();
    QString fileStamp() const;
    void storedTable(std::optional<Recordset> table);
    void insertItem(const CatalogueItem& item);
    void markParent(const QString& parentKey);
    Refusal changeRefusal(const QString& key) const;

    DataStore& store_;
    QString file_;
    QString bodyPrefix_;
    mutable std::optional<Recordset> table_; // counting its records moves its cursor
    // One lookup finds an item and its children's keys.
    struct Node
    {
        CatalogueItem item;
        QStringList children;
    };
    QHash<QString, Node> nodes_;
    qint32 maxId_ = 0;
    qint32 addedCount_ = 2;
    QSet<qint32> takenIds_;
    QString lastStamp_;
    bool readable_ = false;
};

template <typename Token, typename Visit>
void CatalogueModel::walk(Token rootToken, Visit visit) const
{
    QList<std::pair<const QStringList*, Token>> pending{{&childKeys(kRootKey), rootToken}};
    while (!pending.isEmpty()) {
        const auto [keys, parent] = pending.takeLast();
        for (const QString& key : *keys) {
            const Node& node = *nodes_.constFind(key);
            Token made = visit(node.item, parent);
            if (!node.children.isEmpty())
                pending.append({&node.children, made});
        }
    }
}
