#include "ImportTestSupport.h"

#include "ConnectionSettings.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <algorithm>

QStringList ImportRun::names() const
{
    QStringList result;
    for (const ImportedTable& t : tables)
        result << t.name;
    return result;
}

const ImportedTable* ImportRun::table(const QString& name) const
{
    const auto found = std::find_if(tables.begin(), tables.end(), [&](const ImportedTable& t) { return t.name == name; });
    return found == tables.end() ? nullptr : &*found;
}

ImportRun importSchema(const QString& connectionString, const QStringList& existingNames)
{
    ImportRun run;
    SchemaImporter importer;
    run.openFailure = importer.open(connectionString);
    if (!run.openFailure)
        run.result = importer.run(existingNames, [&](const ImportedTable& table) { run.tables.append(table); return true; });
    return run;
}

std::variant<TableRows, QString> columnTableOf(const QString& connectionString, const QString& tableName)
{
    SchemaImporter importer;
    if (const std::optional<QString> failure = importer.open(connectionString))
        return *failure;
    return importer.columnTable(tableName);
}

void executeAll(const QString& driver, const QString& databaseName, const QStringList& statements,
                const QString& connectionString)
{
    const QString name = QStringLiteral("test-setup");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        db.setDatabaseName(databaseName);
        if (!connectionString.isEmpty()) {
            QString error;
            const auto settings = toConnectionSettings(connectionString, &error);
            ASSERT_TRUE(settings) << error.toStdString();
            db.setDatabaseName(settings->databaseName);
            db.setHostName(settings->hostName);
            db.setPort(settings->port);
            db.setUserName(settings->userName);
            db.setPassword(settings->password);
        }
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString() << ": " << query.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Creating the file here: the import itself opens databases read-only.
SqliteFile::SqliteFile(const QStringList& statements)
{
    executeAll(QStringLiteral("QSQLITE"), path(), QStringList{QStringLiteral("PRAGMA user_version = 1")} + statements);
}
