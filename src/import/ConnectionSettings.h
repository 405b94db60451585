#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What Qt SQL needs to open the database a connection string describes.
struct ConnectionSettings
{
    QString driver; // Qt SQL driver name, such as "QPSQL"
    QString databaseName;
    QString hostName;
    int port = -1;
    QString userName;
    QString password;
    QString connectOptions;
    // Texts that must never be shown or logged: the password and any password inside an
    // ODBC connection string.
    QStringList secrets;
};

// Maps "Provider=..." (SQLite, PostgreSQL, MSDASQL or ODBC, MSDAORA.1 or Oracle) to a Qt SQL
// driver; a "Driver=" segment names the Qt driver outright. On failure returns nullopt and
// sets *error to a description free of secrets.
std::optional<ConnectionSettings> toConnectionSettings(const QString& connectionString, QString* error);

// text with every secret replaced by asterisks.
QString withoutSecrets(QString text, const QStringList& secrets);
