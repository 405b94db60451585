#include "CatalogueKeys.h"

#include <QSet>

#include <limits>

QString NodeKey(qint32 id)
{
    return QStringLiteral("key") + QString::number(id);
}

qint32 NodeId(const QString& key)
{
    return LeadingNumber(key.mid(3));
}

bool IsRootKey(const QString& key)
{
    return key.compare(kRootKey, Qt::CaseInsensitive) == 0;
}

qint32 LeadingNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        negative = t[i++] == u'-';
    qint64 value = 0;
    for (; i < t.size() && t[i].isDigit(); ++i) {
        value = value * 10 + t[i].digitValue();
        if (value > std::numeric_limits<qint32>::max())
            return 0; // not a 32-bit ID: matches nothing a key could name
    }
    return qint32(negative ? -value : value);
}

qint32 NextFreeId(qint32 maxId, qint32 addedCount, const QSet<qint32>& takenIds)
{
    qint32 id = maxId + addedCount;
    while (takenIds.contains(id) || id == kRootId)
        ++id;
    return id;
}

QVariantList BuildCatalogueRecord(const QString& key, const QString& text, const QString& parentKey)
{
    return {key.mid(3), text, parentKey.mid(3), 0, 3};
}

bool RecordsFitCatalogue(const QList<QVariantList>& records, const std::function<bool(const QString&)>& holds)
{
    QSet<QString> batchKeys;
    for (const QVariantList& record : records) {
        if (record.size() < 3)
            return false;
        const QString key = NodeKey(record[0].toInt());
        const QString parentKey = NodeKey(record[2].toInt());
        if (holds(key) || batchKeys.contains(key) || !(holds(parentKey) || batchKeys.contains(parentKey)))
            return false;
        batchKeys.insert(key);
    }
    return true;
}
