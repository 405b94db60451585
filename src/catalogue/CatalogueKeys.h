#pragma once

#include <QSet>
#include <QString>
#include <QVariantList>

#include <functional>

// Node keys are "key" + the item's decimal ID; the root of each tree is "key-1".
inline const QString kRootKey = QStringLiteral("key-1");
inline constexpr qint32 kRootId = -1;

QString NodeKey(qint32 id);
// The ID a key stands for: the number at the start of the key's text after "key".
qint32 NodeId(const QString& key);
bool IsRootKey(const QString& key);

// The number at the start of a text (optional sign, then digits), 0 when there is none.
// This is how the table store matches IDs on delete, so it decides which IDs are taken.
qint32 LeadingNumber(const QString& text);

// The ID for the next new item: highest ID at start-up plus the added count, moved on
// past any ID the table already holds (another window may have added it).
qint32 NextFreeId(qint32 maxId, qint32 addedCount, const QSet<qint32>& takenIds);

// The stored record of a catalogue item: ID, Name, ParentID, a spare 0, Image 3.
QVariantList BuildCatalogueRecord(const QString& key, const QString& text, const QString& parentKey);

// Whether a batch of records can be stored as it stands: each has ID, name and parent, a key
// that neither `holds` nor an earlier record of the batch has, and a parent that one of them
// has. Otherwise the tree and the file would differ once the batch is written.
bool RecordsFitCatalogue(const QList<QVariantList>& records, const std::function<bool(const QString&)>& holds);
