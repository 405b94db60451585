#include "ConnectionSettings.h"

#include "ConnectionString.h"

#include <QSqlDatabase>

namespace {

const QStringList kUserNames{QStringLiteral("User ID"), QStringLiteral("User"), QStringLiteral("UID")};
const QStringList kPasswordNames{QStringLiteral("Password"), QStringLiteral("PWD")};

// The Qt driver a provider stands for; empty for an unknown provider.
QString driverForProvider(const QString& provider)
{
    const auto is = [&](const char* name) { return provider.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("SQLite"))
        return QStringLiteral("QSQLITE");
    if (is("PostgreSQL"))
        return QStringLiteral("QPSQL");
    if (is("MSDASQL") || is("ODBC"))
        return QStringLiteral("QODBC");
    if (is("MSDAORA.1") || is("MSDAORA") || is("Oracle")) {
        // Without Oracle's own client library, Oracle is reached through an ODBC data source.
        return QSqlDatabase::isDriverAvailable(QStringLiteral("QOCI")) ? QStringLiteral("QOCI")
                                                                       : QStringLiteral("QODBC");
    }
    return {};
}

// An ODBC attribute value in braces when it could otherwise end the attribute early.
QString odbcValue(const QString& value)
{
    if (!value.contains(u';') && !value.contains(u'{') && !value.contains(u'}'))
        return value;
    QString braced = value;
    braced.replace(u'}', QStringLiteral("}}"));
    return u'{' + braced + u'}';
}

void fillOdbc(ConnectionSettings& settings, const QList<ConnectionSegment>& segments)
{
    const QString full = segmentValue(segments, {QStringLiteral("Extended Properties")});
    if (!full.isEmpty()) {
        settings.databaseName = full;
        const QString innerPassword = segmentValue(parseConnectionString(full), kPasswordNames);
        if (!innerPassword.isEmpty())
            settings.secrets << innerPassword;
        return;
    }
    QString dsn = segmentValue(segments, {QStringLiteral("DSN")});
    if (dsn.isEmpty())
        dsn = segmentValue(segments, {QStringLiteral("Data Source")});
    settings.databaseName = QStringLiteral("DSN=") + odbcValue(dsn);
}

} // namespace

std::optional<ConnectionSettings> toConnectionSettings(const QString& connectionString, QString* error)
{
    const QList<ConnectionSegment> segments = parseConnectionString(connectionString);
    ConnectionSettings settings;
    settings.userName = segmentValue(segments, kUserNames);
    settings.password = segmentValue(segments, kPasswordNames);
    if (!settings.password.isEmpty())
        settings.secrets << settings.password;

    const auto fail = [&](const QString& text) {
        *error = withoutSecrets(text, settings.secrets);
        return std::nullopt;
    };

    const QString provider = segmentValue(segments, {QStringLiteral("Provider")});
    settings.driver = segmentValue(segments, {QStringLiteral("Driver")}).toUpper();
    if (settings.driver.isEmpty())
        settings.driver = driverForProvider(provider);
    if (settings.driver.isEmpty()) {
        return fail(provider.isEmpty() ? QStringLiteral("The connection names no provider.")
                                       : QStringLiteral("The provider \"%1\" is not supported.").arg(provider));
    }
    if (!QSqlDatabase::isDriverAvailable(settings.driver)) {
        return fail(QStringLiteral("The database driver %1 is not installed.").arg(settings.driver));
    }

    const QString dataSource = segmentValue(segments, {QStringLiteral("Data Source")});
    const QString database =
        segmentValue(segments, {QStringLiteral("Database"), QStringLiteral("Initial Catalog")});
    if (settings.driver == u"QSQLITE") {
        settings.databaseName = dataSource.isEmpty() ? database : dataSource;
        // Reading a schema must not leave an empty database behind a mistyped file name.
        settings.connectOptions = QStringLiteral("QSQLITE_OPEN_READONLY");
    } else if (settings.driver == u"QODBC") {
        fillOdbc(settings, segments);
    } else if (settings.driver == u"QOCI") {
        settings.databaseName = dataSource.isEmpty() ? database : dataSource;
    } else {
        settings.databaseName = database.isEmpty() ? dataSource : database;
    }
    settings.hostName = segmentValue(segments, {QStringLiteral("Host"), QStringLiteral("Server")});
    const QString port = segmentValue(segments, {QStringLiteral("Port")});
    if (!port.isEmpty()) {
        bool ok = false;
        settings.port = port.toInt(&ok);
        if (!ok || settings.port <= 0 || settings.port > 65535) {
            return fail(QStringLiteral("The port \"%1\" is not a port number.").arg(port));
        }
    }
    return settings;
}

QString withoutSecrets(QString text, const QStringList& secrets)
{
    for (const QString& secret : secrets) {
        if (!secret.isEmpty())
            text.replace(secret, QStringLiteral("********"));
    }
    return text;
}
