#pragma once

#include <QList>
#include <QString>

// The kinds of database the connection dialog offers.
enum class DatabaseKind { SqliteFile, PostgreSql, OdbcDataSource, Oracle };

// What the user fills in for one kind; fields a kind does not use are ignored.
struct ConnectionFields
{
    DatabaseKind kind = DatabaseKind::SqliteFile;
    QString file;
    QString host;
    int port = 0; // 0: the driver's default
    QString database;
    QString dataSource; // ODBC data source name, or Oracle net service name
    QString user;
    QString password;
};

// The kinds whose Qt SQL driver is installed (Oracle through QOCI, else through ODBC).
QList<DatabaseKind> availableDatabaseKinds();

// "Provider=...;..." for the fields, values quoted where needed; empty fields are left out.
QString composeConnectionString(const ConnectionFields& fields);
