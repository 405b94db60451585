#include "ConnectionFields.h"

#include "ConnectionString.h"

#include <QSqlDatabase>
#include <QStringList>

QList<DatabaseKind> availableDatabaseKinds()
{
    const auto has = [](const char* driver) { return QSqlDatabase::isDriverAvailable(QLatin1String(driver)); };
    QList<DatabaseKind> kinds;
    if (has("QSQLITE"))
        kinds << DatabaseKind::SqliteFile;
    if (has("QPSQL"))
        kinds << DatabaseKind::PostgreSql;
    if (has("QODBC"))
        kinds << DatabaseKind::OdbcDataSource;
    if (has("QOCI") || has("QODBC"))
        kinds << DatabaseKind::Oracle;
    return kinds;
}

QString composeConnectionString(const ConnectionFields& fields)
{
    QStringList segments;
    const auto add = [&](const char* name, const QString& value) {
        if (!value.isEmpty())
            segments << formatSegment(QLatin1String(name), value);
    };
    switch (fields.kind) {
    case DatabaseKind::SqliteFile:
        add("Provider", QStringLiteral("SQLite"));
        add("Data Source", fields.file);
        return segments.join(u';');
    case DatabaseKind::PostgreSql:
        add("Provider", QStringLiteral("PostgreSQL"));
        add("Host", fields.host);
        add("Port", fields.port > 0 ? QString::number(fields.port) : QString());
        add("Database", fields.database);
        break;
    case DatabaseKind::OdbcDataSource:
        add("Provider", QStringLiteral("MSDASQL"));
        add("DSN", fields.dataSource);
        break;
    case DatabaseKind::Oracle:
        add("Provider", QStringLiteral("MSDAORA.1"));
        add("Data Source", fields.dataSource);
        break;
    }
    add("User ID", fields.user);
    add("Password", fields.password);
    return segments.join(u';');
}
