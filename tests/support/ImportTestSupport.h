#pragma once

#include "SchemaImporter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

// What one import handed on, as the workspace would receive it.
struct ImportRun
{
    std::optional<QString> openFailure;
    SchemaImportResult result;
    QList<ImportedTable> tables;

    QStringList names() const;
    const ImportedTable* table(const QString& name) const;
};

// Opens connectionString and imports every table.
ImportRun importSchema(const QString& connectionString, const QStringList& existingNames = {});

// Opens connectionString and reads one listed table's columns as a table.
std::variant<TableRows, QString> columnTableOf(const QString& connectionString, const QString& tableName);

// Runs each statement on a connection of its own; fails the test on the first that fails.
void executeAll(const QString& driver, const QString& databaseName, const QStringList& statements,
                const QString& connectionString = {});

// A SQLite database file in a temporary folder, filled by the test.
class SqliteFile
{
public:
    explicit SqliteFile(const QStringList& statements = {});
    QString path() const { return dir_.filePath(QStringLiteral("schema.db")); }
    QString connectionString() const { return QStringLiteral("Provider=SQLite;Data Source=") + path(); }

private:
    QTemporaryDir dir_;
};

// Captures everything Qt logs while it lives.
class CapturedLog
{
public:
    CapturedLog()
    {
        lines.clear();
        previous_ = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { lines << text; });
    }
    ~CapturedLog() { qInstallMessageHandler(previous_); }
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;
    static inline QStringList lines;

private:
    static inline QtMessageHandler previous_ = nullptr;
};
