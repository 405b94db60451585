#include "Stream.h"

#include "DataFile.h"
#include "FailureReporter.h"
#include "FileItems.h"
#include "StoreFailure.h"
#include "TableText.h"

#include <QDir>
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

// The table's records with their ID fields; an empty record is no record and stays as it is.
template <typename OnRecord>
QString rewriteRecords(const QString& text, OnRecord&& onRecord)
{
    const QStringList records = text.split(TableText::recordSeparator);
    QStringList kept{records.first()};
    for (qsizetype i = 1; i < records.size(); ++i) {
        const QString& record = records[i];
        if (record.isEmpty()) {
            kept << record;
            continue;
        }
        const qsizetype idEnd = record.indexOf(TableText::fieldSeparator);
        const double id = TableText::leadingNumber(QStringView(record).first(idEnd < 0 ? record.size() : idEnd));
        onRecord(id, record, kept);
    }
    return kept.join(TableText::recordSeparator);
}

} // namespace

Stream::Stream(QString applicationFolder)
    : Stream(applicationFolder, applicationFolder + QStringLiteral("/Data"))
{
}

Stream::Stream(QString applicationFolder, QString dataFolder)
    : applicationFolder_(std::move(applicationFolder))
    , dataFolder_(std::move(dataFolder))
{
}

Stream Stream::forDataFolder(const QString& dataFolder)
{
    return Stream(QFileInfo(dataFolder).absolutePath(), dataFolder);
}

std::optional<Recordset> Stream::GetRecordset(const QString& psFileName)
{
    return trapped(QStringLiteral("GetRecordset"), [&] { return readRecordset(psFileName); });
}

std::optional<Recordset> Stream::InsertRecord(const QString& psFileName, const QVariantList& psRecord)
{
    return InsertRecords(psFileName, {psRecord});
}

std::optional<Recordset> Stream::InsertRecords(const QString& psFileName, const QList<QVariantList>& psRecords)
{
    const bool written = trapped(QStringLiteral("InsertRecord"), [&] {
                             WriteTableText(psFileName, appendRecords(psFileName, psRecords));
                             return true;
                         }).has_value();
    return written ? GetRecordset(psFileName) : std::nullopt;
}

std::optional<Recordset> Stream::UpdateRecord(const QString& psFileName, qint32 pID, const QVariantList& psRecord)
{
    const bool written = trapped(QStringLiteral("UpdateRecord"), [&] {
                             const QString text = ReadTableText(psFileName);
                             requireFieldCount(text, psRecord);
                             const QString line = BuildRecordLine(psRecord);
                             // Whole records are replaced: a text match could also hit inside another record.
                             WriteTableText(psFileName, rewriteRecords(text, [&](double id, const QString& record,
                                                                                 QStringList& kept) {
                                                kept << (id == pID ? line : record);
                                            }));
                             return true;
                         }).has_value();
    return written ? GetRecordset(psFileName) : std::nullopt;
}

std::optional<Recordset> Stream::DeleteRecord(const QString& psFileName, qint32 pID)
{
    const bool written = trapped(QStringLiteral("DeleteRecord"), [&] {
                             const QString text = ReadTableText(psFileName);
                             WriteTableText(psFileName, rewriteRecords(text, [&](double id, const QString& record,
                                                                                 QStringList& kept) {
                                                if (id != pID)
                                                    kept << record;
                                            }));
                             return true;
                         }).has_value();
    return written ? GetRecordset(psFileName) : std::nullopt;
}

QString Stream::ReadStream(const QString& p_sFileName)
{
    return trapped(QStringLiteral("ReadStream"), [&] {
               QString content = DataFile::read(bodyPath(p_sFileName));
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

bool Stream::WriteStream(const QString& p_sFileName, const QString& p_sText)
{
    return WriteStream(p_sFileName, QList<QStringView>{p_sText});
}

bool Stream::WriteStream(const QString& p_sFileName, const QList<QStringView>& pieces)
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
               DataFile::writeQuoted(bodyPath(p_sFileName), written);
               return true;
           })
        .has_value();
}

QString Stream::ReadTableText(const QString& fileName) const
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

void Stream::WriteTableText(const QString& fileName, const QString& text) const
{
    QString line = text;
    line.removeIf([](QChar c) { return c == u'"' || c == u'\r' || c == u'\n'; });
    DataFile::writeQuoted(tablePath(fileName), line);
}

QString Stream::BuildRecordLine(const QVariantList& values)
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

Recordset Stream::readRecordset(const QString& psFileName) const
{
    TableText::Parsed parsed = TableText::parse(ReadTableText(psFileName));
    const QString problem = QDir::toNativeSeparators(tablePath(psFileName)) + QStringLiteral(": ") + parsed.shapeProblem;
    if (parsed.unreadable)
        throw StoreFailure{problem};
    if (!parsed.shapeProblem.isEmpty())
        reportFailure(QStringLiteral("GetRecordset"), problem);
    return std::move(parsed.table);
}

QString Stream::appendRecords(const QString& psFileName, const QList<QVariantList>& psRecords) const
{
    QString text = ReadTableText(psFileName);
    for (const QVariantList& record : psRecords) {
        requireFieldCount(text, record);
        text.append(TableText::recordSeparator).append(BuildRecordLine(record));
    }
    return text;
}

QString Stream::tablePath(const QString& psFileName) const
{
    const QString name = QString(psFileName).replace(u'\\', u'/');
    // Table names keep the Windows edition's "Data\" in front; the data folder may be named otherwise.
    const QString dataPrefix = QStringLiteral("Data/");
    if (name.startsWith(dataPrefix, Qt::CaseInsensitive))
        return dataFolder_ + u'/' + name.mid(dataPrefix.size());
    return applicationFolder_ + u'/' + name;
}

QString Stream::bodyPath(const QString& p_sFileName) const
{
    return dataFolder_ + u'/' + p_sFileName;
}
