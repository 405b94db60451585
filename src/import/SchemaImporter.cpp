#include "SchemaImporter.h"

#include "ColumnTable.h"
#include "ConnectionString.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <atomic>

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("vellumatic-import-%1").arg(++counter);
}

void sortByName(auto& tables)
{
    std::stable_sort(tables.begin(), tables.end(), [](const auto& a, const auto& b) {
        return a.nodeText.compare(b.nodeText, Qt::CaseInsensitive) < 0;
    });
}

} // namespace

QString quotedIdentifier(const QString& name)
{
    QString escaped = name;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

SchemaImporter::SchemaImporter() = default;

SchemaImporter::~SchemaImporter()
{
    if (connectionName_.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

std::optional<QString> SchemaImporter::open(const QString& connectionString)
{
    QString error;
    std::optional<ConnectionSettings> settings = toConnectionSettings(connectionString, &error);
    if (!settings)
        return error;
    settings_ = *settings;
    dictionaryPath_ = readsOracleDictionary(connectionString);

    if (connectionName_.isEmpty())
        connectionName_ = nextConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(settings_.driver, connectionName_);
    db.setDatabaseName(settings_.databaseName);
    db.setHostName(settings_.hostName);
    db.setPort(settings_.port);
    db.setUserName(settings_.userName);
    db.setPassword(settings_.password);
    db.setConnectOptions(settings_.connectOptions);
    if (db.open())
        return std::nullopt;
    const QString reason = db.lastError().text().trimmed();
    return withoutSecrets(reason.isEmpty() ? QStringLiteral("The database could not be opened.") : reason,
                          settings_.secrets);
}

SchemaImportResult SchemaImporter::run(const QStringList& existingNames, const TableConsumer& consumer)
{
    SchemaImportResult result;
    QString failure;
    const std::optional<QList<ListedTable>> tables = listTables(&failure);
    if (!tables) {
        result.listingFailure = withoutSecrets(failure, settings_.secrets);
        return result;
    }
    result.tablesListed = int(tables->size());

    QSet<QString> known;
    for (const QString& name : existingNames)
        known.insert(name.toCaseFolded());

    for (int i = 0; i < result.tablesListed; ++i) {
        const ListedTable& table = tables->at(i);
        const QString folded = table.nodeText.toCaseFolded();
        if (!dictionaryPath_) {
            result.lastSkipped = known.contains(folded);
            if (result.lastSkipped)
                continue;
            known.insert(folded);
        }
        const std::optional<QStringList> columns = readColumns(table);
        ++result.tablesHandedOn;
        if (!consumer({table.nodeText, columns.value_or(QStringList{}), columns.has_value(), i, result.tablesListed})) {
            result.cancelled = true;
            break;
        }
    }
    return result;
}

std::optional<QStringList> SchemaImporter::tableNames(QString* failure) const
{
    const std::optional<QList<ListedTable>> tables = listTables(failure);
    if (!tables) {
        *failure = withoutSecrets(*failure, settings_.secrets);
        return std::nullopt;
    }
    QStringList names;
    for (const ListedTable& table : *tables)
        names.append(table.nodeText);
    return names;
}

std::variant<TableRows, QString> SchemaImporter::columnTable(const QString& tableName) const
{
    QString failure;
    const std::optional<QList<ListedTable>> tables = listTables(&failure);
    if (!tables)
        return withoutSecrets(failure, settings_.secrets);
    const auto table = std::find_if(tables->cbegin(), tables->cend(),
                                    [&](const ListedTable& listed) { return listed.nodeText == tableName; });
    if (table == tables->cend())
        return QStringLiteral("no table \"%1\"").arg(tableName);
    auto read = ReadColumnTable(QSqlDatabase::database(connectionName_, false), table->schema, table->name);
    if (QString* reason = std::get_if<QString>(&read))
        *reason = withoutSecrets(*reason, settings_.secrets);
    return read;
}

std::optional<QList<SchemaImporter::ListedTable>> SchemaImporter::listTables(QString* failure) const
{
    return dictionaryPath_ ? listDictionaryTables(failure) : listUserTables(failure);
}

std::optional<QList<SchemaImporter::ListedTable>> SchemaImporter::listDictionaryTables(QString* failure) const
{
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT TABLE_NAME FROM USER_TABLES ORDER BY TABLE_NAME"))) {
        *failure = query.lastError().text();
        return std::nullopt;
    }
    QList<ListedTable> tables;
    while (query.next()) {
        const QString name = query.value(0).toString();
        tables.append({name.trimmed(), quotedIdentifier(name), QString(), name});
    }
    return tables;
}

std::optional<QList<SchemaImporter::ListedTable>> SchemaImporter::listUserTables(QString* failure) const
{
    if (!QSqlDatabase::database(connectionName_, false).isOpen()) {
        *failure = QStringLiteral("The database is not open.");
        return std::nullopt;
    }
    if (settings_.driver == u"QPSQL")
        return listPostgresTables(failure);

    const QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    QList<ListedTable> tables;
    for (const QString& name : db.tables(QSql::Tables)) {
        // SQLite keeps its own bookkeeping tables (sqlite_sequence, sqlite_stat1) among the user's.
        if (settings_.driver == u"QSQLITE" && name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
            continue;
        tables.append({name.trimmed(), quotedIdentifier(name), QString(), name});
    }
    sortByName(tables);
    return tables;
}

// Qt's own PostgreSQL table list joins schema and name with a dot, which cannot be split back
// safely when a name holds a dot, so the catalogue is asked directly.
std::optional<QList<SchemaImporter::ListedTable>> SchemaImporter::listPostgresTables(QString* failure) const
{
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    const bool ok = query.exec(QStringLiteral(
        "SELECT n.nspname, c.relname, pg_catalog.pg_table_is_visible(c.oid) "
        "FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
        "WHERE c.relkind IN ('r', 'p') AND NOT c.relispartition "
        "AND n.nspname NOT IN ('pg_catalog', 'information_schema') "
        "AND n.nspname NOT LIKE 'pg\\_toast%' AND n.nspname NOT LIKE 'pg\\_temp\\_%'"));
    if (!ok) {
        *failure = query.lastError().text();
        return std::nullopt;
    }
    QList<ListedTable> tables;
    while (query.next()) {
        const QString schema = query.value(0).toString();
        const QString name = query.value(1).toString();
        if (query.value(2).toBool())
            tables.append({name.trimmed(), quotedIdentifier(name), schema, name});
        else
            tables.append({(schema + u'.' + name).trimmed(), quotedIdentifier(schema) + u'.' + quotedIdentifier(name),
                           schema, name});
    }
    sortByName(tables);
    return tables;
}

std::optional<QStringList> SchemaImporter::readColumns(const ListedTable& table) const
{
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM ") + table.queryTarget + QStringLiteral(" WHERE 1=2")))
        return std::nullopt;
    const QSqlRecord record = query.record();
    QStringList columns;
    columns.reserve(record.count());
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i).trimmed();
    return columns;
}
