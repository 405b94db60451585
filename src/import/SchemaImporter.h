#pragma once

#include "ConnectionSettings.h"
#include "TableRows.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

// One table as the import hands it on.
struct ImportedTable
{
    QString name;       // node text: the name without surrounding blanks, schema-qualified when
                        // the table is not reachable without its schema
    QStringList columns; // in the table's own order, trimmed
    bool columnsRead = false; // false when the table's columns could not be read
    int position = 0;   // 0-based place among the listed tables, for progress
    int total = 0;      // number of listed tables
};

// Returns false to cancel the import; what was handed on before stays handed on.
using TableConsumer = std::function<bool(const ImportedTable&)>;

struct SchemaImportResult
{
    int tablesListed = 0;
    int tablesHandedOn = 0;
    bool cancelled = false;
    // True when the last table listed was skipped because the parent holds it already.
    bool lastSkipped = false;
    // Set when the tables could not be listed at all (passwords removed).
    std::optional<QString> listingFailure;
};

// Reads table and column names through Qt SQL. Two paths: a connection string whose first
// segment is "Provider=MSDAORA.1" reads USER_TABLES in the database's name order and hands on
// every table; any other lists the driver's user tables (no views, no system tables) and
// skips tables whose names, letter case ignored, the parent already holds.
class SchemaImporter
{
public:
    SchemaImporter();
    ~SchemaImporter();
    SchemaImporter(const SchemaImporter&) = delete;
    SchemaImporter& operator=(const SchemaImporter&) = delete;

    // Opens the database; returns the reason when it cannot, never containing the password.
    std::optional<QString> open(const QString& connectionString);

    // existingNames: the texts of the parent's children before the import.
    SchemaImportResult run(const QStringList& existingNames, const TableConsumer& consumer);

    // The tables run() lists, by the names it gives them; null and `*failure` set when they
    // cannot be listed.
    std::optional<QStringList> tableNames(QString* failure) const;
    // The columns of the table listed as `tableName`, one row each (ColumnTable.h), or why not.
    std::variant<TableRows, QString> columnTable(const QString& tableName) const;

private:
    struct ListedTable
    {
        QString nodeText;
        QString queryTarget; // quoted identifier(s) for the column query
        QString schema;      // as the database spells it, empty where the listing has none
        QString name;
    };

    std::optional<QList<ListedTable>> listTables(QString* failure) const;
    std::optional<QList<ListedTable>> listDictionaryTables(QString* failure) const;
    std::optional<QList<ListedTable>> listUserTables(QString* failure) const;
    std::optional<QList<ListedTable>> listPostgresTables(QString* failure) const;
    std::optional<QStringList> readColumns(const ListedTable& table) const;

    QString connectionName_;
    ConnectionSettings settings_;
    bool dictionaryPath_ = false;
};

// A name as an SQL identifier in double quotes, embedded double quotes doubled, so that no
// name can end the identifier early.
QString quotedIdentifier(const QString& name);
