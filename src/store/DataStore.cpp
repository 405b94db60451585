#include "DataStore.h"

#include "BodyQuotes.h"
#include "DataFile.h"
#include "FailureReporter.h"
#include "FileItems.h"
#include "StoreFailure.h"
#include "TableText.h"
#include "Windows1252.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

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
                             WriteTableText(tableName, withoutRecord(ReadTableText(tableName, TableUse::Change), recordId));
                             return true;
                         }).has_value();
    return written ? readTable(tableName) : std::nullopt;
}

std::optional<Recordset> DataStore::updateRecord(const QString& tableName, qint32 recordId, const QVariantList& record)
{
    const bool written = trapped(QStringLiteral("UpdateRecord"), [&] {
                             const QString text = ReadTableText(tableName, TableUse::Change);
                             requireFieldCount(text, record);
                             WriteTableText(tableName, withRecordReplaced(text, recordId, BuildRecordLine(record)));
                             return true;
                         }).has_value();
    return written ? readTable(tableName) : std::nullopt;
}

QString DataStore::readBody(const QString& bodyName)
{
    return trapped(QStringLiteral("ReadStream"), [&] { return BodyQuotes::read(DataFile::read(bodyPath(bodyName))); })
        .value_or(QString());
}

bool DataStore::writeBody(const QString& bodyName, const QString& text)
{
    return writeBody(bodyName, QList<QStringView>{text});
}

bool DataStore::writeBody(const QString& bodyName, const QList<QStringView>& pieces)
{
    return trapped(QStringLiteral("WriteStream"), [&] {
               DataFile::writeQuoted(bodyPath(bodyName), BodyQuotes::store(pieces).pieces);
               return true;
           })
        .has_value();
}

QString DataStore::ReadTableText(const QString& fileName, TableUse use) const
{
    const QString path = tablePath(fileName);
    const QByteArray bytes = DataFile::readBytes(path);
    if (!Windows1252::looksLikeUtf8(bytes))
        return tableText(Windows1252::decode(bytes));

    // Written as UTF-8 by another program: neither read nor rewritten as Windows-1252 unless the
    // user says so, or the next change would store a file of two encodings.
    const QString shown = QDir::toNativeSeparators(path);
    if (!FailureReporter::current().ask(
            QStringLiteral("The table file \"%1\" is saved as UTF-8, not as Windows-1252 like the other data "
                           "files.\n\nRead it as UTF-8 and store it as Windows-1252 from now on? No leaves the "
                           "file as it is, and changes to it are not stored.")
                .arg(shown))) {
        if (use == TableUse::Change)
            throw StoreFailure{QStringLiteral("%1 is saved as UTF-8 and was left as it is").arg(shown)};
        return tableText(Windows1252::decode(bytes));
    }
    QString content = QString::fromUtf8(bytes);
    if (content.startsWith(QChar(0xFEFF))) // the byte order mark some editors put first
        content.remove(0, 1);
    const QString text = tableText(content);
    char32_t offending = 0;
    if (!Windows1252::encode(text, &offending))
        throw StoreFailure{QStringLiteral("%1 cannot be stored as Windows-1252, so it was left as it is: %2")
                               .arg(shown, Windows1252::unencodableMessage(offending))};
    WriteTableText(fileName, text);
    return text;
}

QString DataStore::tableText(const QString& content)
{
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
    TableText::Parsed parsed = TableText::parse(ReadTableText(tableName, TableUse::Read));
    const QString problem = QDir::toNativeSeparators(tablePath(tableName)) + QStringLiteral(": ") + parsed.shapeProblem;
    if (parsed.unreadable)
        throw StoreFailure{problem};
    if (!parsed.shapeProblem.isEmpty())
        reportFailure(QStringLiteral("GetRecordset"), problem);
    return std::move(parsed.table);
}

QString DataStore::appendRecords(const QString& tableName, const QList<QVariantList>& records) const
{
    QString text = ReadTableText(tableName, TableUse::Change);
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

void DataStore::removeInterruptedWrites(const QStringList& tableNames, const QString& bodyPrefix) const
{
    // The atomic writer names its temporary file after the file it replaces, a dot and six letters
    // or digits; one that is a minute old belongs to no write still under way.
    const QString suffix = QStringLiteral("\\.[A-Za-z0-9]{6}");
    QList<std::pair<QString, QRegularExpression>> places{
        {dataFolder_, QRegularExpression(u'^' + QRegularExpression::escape(bodyPrefix) + QStringLiteral("[^./]+") + suffix + u'$')}};
    for (const QString& table : tableNames) {
        const QFileInfo info(tablePath(table));
        places.append({info.absolutePath(), QRegularExpression(u'^' + QRegularExpression::escape(info.fileName()) + suffix + u'$')});
    }
    const QDateTime settled = QDateTime::currentDateTime().addSecs(-60);
    for (const auto& [folder, name] : places) {
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
            if (name.match(file.fileName()).hasMatch() && file.lastModified() < settled)
                QFile::remove(file.absoluteFilePath());
        }
    }
}
