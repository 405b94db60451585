#include "ImportTestSupport.h"

#include "ConnectionSettings.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

QStringList ImportRun::names() const
{
    QStringList result;
    for (const ImportedTable& t : tables)
        result << t.name;
    return result;
}

const ImportedTable* ImportRun::table(const QString& name) const
{
    for (const ImportedTable& t : tables) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

ImportRun importSchema(const QString& connectionString, const QStringList& existingNames, int cancelAfter)
{
    ImportRun run;
    SchemaImporter importer;
    run.openFailure = importer.open(connectionString);
    if (run.openFailure)
        return run;
    run.result = importer.run(existingNames, [&](const ImportedTable& table) {
        run.tables.append(table);
        return cancelAfter < 0 || run.tables.size() < cancelAfter;
    });
    return run;
}

void executeAll(const QString& driver, const QString& databaseName, const QStringList& statements,
                const QString& connectionString)
{
    const QString name = QStringLiteral("test-setup");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        if (connectionString.isEmpty()) {
            db.setDatabaseName(databaseName);
        } else {
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
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString() << ": "
                                               << query.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

SqliteFile::SqliteFile(const QStringList& statements)
{
    // Creating the file here: the import itself opens databases read-only.
    execute(QStringList{QStringLiteral("PRAGMA user_version = 1")} + statements);
}

void SqliteFile::execute(const QStringList& statements) const
{
    executeAll(QStringLiteral("QSQLITE"), path(), statements);
}

QStringList CapturedLog::lines;

namespace {
QtMessageHandler previousHandler = nullptr;
void capture(QtMsgType, const QMessageLogContext&, const QString& text)
{
    CapturedLog::lines << text;
}
} // namespace

CapturedLog::CapturedLog()
{
    lines.clear();
    previousHandler = qInstallMessageHandler(capture);
}

CapturedLog::~CapturedLog()
{
    qInstallMessageHandler(previousHandler);
}
