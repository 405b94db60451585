#include "DataStore.h"

#include "DataFile.h"
#include "FailureReporter.h"
#include "FileItems.h"
#include "StoreFailure.h"
#include "TableText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Stands for each double quote of a body text, since the file itself is one double-quoted string.
const QString quoteToken = QStringLiteral("_$$$_002_$$$_");

template <typename Step>
auto trapped(const QString& operation, Step&& step) -> decltype(std::optional(step()))
{
    try {
        return step();
    } catch (const StoreFailure& failure) {
        reportFailure(operation, failure.description);
        return std::nullopt;
    }
}

void requireFieldCount(const QString& text, const QVariantList& record)
{
    const qint32 fields = TableText::headerFieldCount(text);
    if (fields == 0)
        throw StoreFailure{QStringLiteral("The table has no header record")};
    if (record.size() != fields)
        throw StoreFailure{QStringLiteral("The record has %1 values but the table has %2 fields")
                               .arg(record.size())
                               .arg(fields)};
}

// Whether a stored record's ID field reads as `recordId`; an empty record is no record and has none.
bool hasId(QStringView record, qint32 recordId)
{
    if (record.isEmpty())
        return false;
    const qsizetype idEnd = record.indexOf(TableText::fieldSeparator);
    return TableText::leadingNumber(record.first(idEnd < 0 ? record.size() : idEnd)) == recordId;
}

// The table without the record of ID `recordId`.
QString withoutRecord(const QString& text, qint32 recordId)
{
    const QStringList records = text.split(TableText::recordSeparator);
    QStringList kept{records.first()};
    for (qsizetype i = 1; i < records.size(); ++i)
        if (!hasId(records[i], recordId))
            kept << records[i];
    return kept.join(TableText::recordSeparator);
}

// The table with each record of ID `recordId` replaced by `line`, record by record: a record whose
// text merely contains the old one (ID 12 beside ID 2) stays as it is.
QString withRecordReplaced(const QString& text, qint32 recordId, const QString& line)
{
    QStringList records = text.split(TableText::recordSeparator);
    bool found = false;
    for (qsizetype i = 1; i < records.size(); ++i) {
        if (hasId(records[i], recordId)) {
            records[i] = line;
            found = true;
        }
    }
    // Rewriting the file unchanged would tell the caller a change was stored that was not.
    if (!found)
        throw StoreFailure{QStringLiteral("The table holds no record with the ID %1").arg(recordId)};
    return records.join(TableText::recordSeparator);
}

} // namespace

DataStore::DataStore(QString applicationFolder)
    : DataStore(applicationFolder, applicationFolder + QStringLiteral("/Data"))
{
}

DataStore::DataStore(QString applicationFolder, QString dataFolder)
    : applicationFolder_(std::move(applicationFolder))
    , dataFolder_(std::move(dataFolder))
{
}

DataStore DataStore::forDataFolder(const QString& dataFolder)
{
    return DataStore(QFileInfo(dataFolder).absolutePath(), dataFolder);
}

std::optional<Recordset> DataStore::readTable(const QString& tableName)
{
    return trapped(QStringLiteral("GetRecordset"), [&] { return readRecordset(tableName); });
}

std::optional<Recordset> DataStore::insertRecord(const QString& tableName, const QVariantList& record)
{
    return insertRecords(tableName, {record});
}

std::optional<Recordset> DataStore::insertRecords(const QString& tableName, const QList<QVariantList>& records)
{
    const bool written = trapped(QStringLiteral("InsertRecord"), [&] {
                             WriteTableText(tableName, appendRecords(tableName, records));
                             return true;
                         }).has_value();
    return written ? readTable(tableName) : std::nullopt;
}

std::optional<Recordset> DataStore::deleteRecord(const QString& tableName, qint32 recordId)
{
    const bool written = trapped(QStringLiteral("DeleteRecord"), [&] {
                             WriteTableText(tableName, withoutRecord(ReadTableText(tableName), recordId));
                             return true;
                         }).has_value();
    return written ? readTable(tableName) : std::nullopt;
}

std::optional<Recordset> DataStore::updateRecord(const QString& tableName, qint32 recordId, const QVariantList& record)
{
    const bool written = trapped(QStringLiteral("UpdateRecord"), [&] {
                             const QString text = ReadTableText(tableName);
                             requireFieldCount(text, record);
                             WriteTableText(tableName, withRecordReplaced(text, recordId, BuildRecordLine(record)));
                             return true;
                         }).has_value();
    return written ? readTable(tableName) : std::nullopt;
}

QString DataStore::readBody(const QString& bodyName)
{
    return trapped(QStringLiteral("ReadStream"), [&] {
               QString content = DataFile::read(bodyPath(bodyName));
               QList<std::pair<qsizetype, qsizetype>> items; // start and length in `content`
               forEachFileItem(content, [&](QStringView item) {
                   items.append({item.data() - content.constData(), item.size()});
               });
               QString body;
               if (items.size() == 1) {
                   // A body file is one quoted item: trimmed in place, a long one is not copied.
                   body = std::move(content);
                   body.truncate(items[0].first + items[0].second);
                   body.remove(0, items[0].first);
                   body.append(u"\r\n");
               } else {
                   body.reserve(content.size() + 2);
                   for (const auto& [start, length] : items)
                       body.append(QStringView(content).sliced(start, length)).append(u"\r\n");
               }
               return body.replace(quoteToken, QStringLiteral("\""));
           })
        .value_or(QString());
}

bool DataStore::writeBody(const QString& bodyName, const QString& text)
{
    return writeBody(bodyName, QList<QStringView>{text});
}

bool DataStore::writeBody(const QString& bodyName, const QList<QStringView>& pieces)
{
    return trapped(QStringLiteral("WriteStream"), [&] {
               // Only a piece holding a quote is copied, to put the quote token in its place.
               QList<QString> quoted;
               QList<QStringView> written;
               for (const QStringView piece : pieces) {
                   if (piece.contains(u'"')) {
                       quoted.append(piece.toString().replace(u'"', quoteToken));
                       written.append(quoted.last());
                   } else {
                       written.append(piece);
                   }
               }
               DataFile::writeQuoted(bodyPath(bodyName), written);
               return true;
           })
        .has_value();
}

QString DataStore::ReadTableText(const QString& fileName) const
{
    const QString content = DataFile::read(tablePath(fileName));
    QString text;
    text.reserve(content.size());
    // Each item is followed by CR LF, and every quote, CR and LF is then dropped: the items' contents
    // simply join up.
    forEachFileItem(content, [&](QStringView item) { text.append(item); });
    text.removeIf([](QChar c) { return c == u'"' || c == u'\r' || c == u'\n'; });
    return text;
}

void DataStore::WriteTableText(const QString& fileName, const QString& text) const
{
    QString line = text;
    line.removeIf([](QChar c) { return c == u'"' || c == u'\r' || c == u'\n'; });
    DataFile::writeQuoted(tablePath(fileName), line);
}

QString DataStore::BuildRecordLine(const QVariantList& values)
{
    QStringList fields;
    fields.reserve(values.size());
    for (const QVariant& value : values) {
        if (!value.isNull() && !value.canConvert<QString>())
            throw StoreFailure{QStringLiteral("A value of type %1 cannot be stored as text").arg(value.typeName())};
        const QString field = value.toString();
        // Stripping the character would store a different name than the one the user sees.
        if (const std::optional<char16_t> separator = TableText::separatorIn(field))
            throw StoreFailure{TableText::separatorMessage(*separator)};
        fields << TableText::trimSpaces(field).toString();
    }
    QString line = fields.join(TableText::fieldSeparator);
    // An empty record text reads back as no record at all, so the value would vanish.
    if (line.isEmpty())
        throw StoreFailure{QStringLiteral("A record made of one empty value cannot be stored")};
    return line;
}

Recordset DataStore::readRecordset(const QString& tableName) const
{
    TableText::Parsed parsed = TableText::parse(ReadTableText(tableName));
    const QString problem = QDir::toNativeSeparators(tablePath(tableName)) + QStringLiteral(": ") + parsed.shapeProblem;
    if (parsed.unreadable)
        throw StoreFailure{problem};
    if (!parsed.shapeProblem.isEmpty())
        reportFailure(QStringLiteral("GetRecordset"), problem);
    return std::move(parsed.table);
}

QString DataStore::appendRecords(const QString& tableName, const QList<QVariantList>& records) const
{
    QString text = ReadTableText(tableName);
    for (const QVariantList& record : records) {
        requireFieldCount(text, record);
        text.append(TableText::recordSeparator).append(BuildRecordLine(record));
    }
    return text;
}

QString DataStore::tablePath(const QString& tableName) const
{
    const QString name = QString(tableName).replace(u'\\', u'/');
    // Table names keep the Windows edition's "Data\" in front; the data folder may be named otherwise.
    const QString dataPrefix = QStringLiteral("Data/");
    if (name.startsWith(dataPrefix, Qt::CaseInsensitive))
        return dataFolder_ + u'/' + name.mid(dataPrefix.size());
    return applicationFolder_ + u'/' + name;
}

void DataStore::removeBody(const QString& bodyName)
{
    QFile::remove(bodyPath(bodyName));
}

QByteArray DataStore::bodyVersion(const QString& bodyName) const
{
    QFile file(bodyPath(bodyName));
    if (!file.exists())
        return {};
    // The bytes themselves, not the file's times or size: a rewrite within the clock's
    // resolution, or one of the same length, is still seen. The fingerprint is only ever
    // compared within this process, so Qt's seeded hash (fast on long bodies) will do.
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("unreadable");
    const qint64 size = file.size();
    size_t hash = 0;
    if (const uchar* bytes = size > 0 ? file.map(0, size) : nullptr) {
        hash = qHashBits(bytes, size_t(size), hash);
    } else {
        QByteArray stretch(1 << 20, Qt::Uninitialized);
        for (qint64 got; (got = file.read(stretch.data(), stretch.size())) > 0;)
            hash = qHashBits(stretch.constData(), size_t(got), hash);
        if (file.error() != QFileDevice::NoError)
            return QByteArrayLiteral("unreadable");
    }
    return QByteArray::number(size) + '#' + QByteArray::number(quint64(hash), 16);
}

QString DataStore::bodyPath(const QString& bodyName) const
{
    return dataFolder_ + u'/' + bodyName;
}
