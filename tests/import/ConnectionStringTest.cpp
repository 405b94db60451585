#include "ConnectionFields.h"
#include "ConnectionSettings.h"
#include "ConnectionString.h"
#include "ImportTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

ConnectionSettings settingsFor(const QString& connectionString)
{
    QString error;
    const auto settings = toConnectionSettings(connectionString, &error);
    EXPECT_TRUE(settings) << error.toStdString();
    return settings.value_or(ConnectionSettings{});
}

QString failureFor(const QString& connectionString)
{
    QString error;
    EXPECT_FALSE(toConnectionSettings(connectionString, &error));
    return error;
}

} // namespace

TEST(ConnectionString, SplitsSegmentsTrimsNamesAndKeepsQuotedValuesWhole)
{
    const auto segments = parseConnectionString(
        QStringLiteral(" Provider = PostgreSQL ;junk; Password=\" a;b\"\"c \";User ID='x''y';Host=h"));
    ASSERT_EQ(segments.size(), 4);
    EXPECT_EQ(segments[0].name, u"Provider");
    EXPECT_EQ(segments[0].value, u"PostgreSQL");
    EXPECT_EQ(segments[1].value, u" a;b\"c ");
    EXPECT_EQ(segments[2].value, u"x'y");
    EXPECT_EQ(segmentValue(segments, {QStringLiteral("host")}), u"h");
    EXPECT_EQ(segmentValue(segments, {QStringLiteral("Port")}), QString());
}

TEST(ConnectionString, OnlyAnExactFirstProviderSegmentReadsTheOracleDictionary)
{
    EXPECT_TRUE(readsOracleDictionary(QStringLiteral("provider=msdaora.1;Data Source=orcl")));
    EXPECT_TRUE(readsOracleDictionary(QStringLiteral("Provider=MSDAORA.1")));
    EXPECT_FALSE(readsOracleDictionary(QStringLiteral("Provider = MSDAORA.1;Data Source=orcl")));
    EXPECT_FALSE(readsOracleDictionary(QStringLiteral("Provider=MSDAORA.1 ;Data Source=orcl")));
    EXPECT_FALSE(readsOracleDictionary(QStringLiteral("Data Source=orcl;Provider=MSDAORA.1")));
    EXPECT_FALSE(readsOracleDictionary(QStringLiteral("Provider=MSDAORA;Data Source=orcl")));
}

TEST(ConnectionString, ProvidersMapToQtDrivers)
{
    const auto sqlite = settingsFor(QStringLiteral("Provider=SQLite;Data Source=/tmp/a b.db"));
    EXPECT_EQ(sqlite.driver, u"QSQLITE");
    EXPECT_EQ(sqlite.databaseName, u"/tmp/a b.db");
    EXPECT_EQ(sqlite.connectOptions, u"QSQLITE_OPEN_READONLY");

    const auto pg = settingsFor(QStringLiteral("Provider=PostgreSQL;Host=db;Port=6543;Database=crm;User ID=me;Password=pw"));
    EXPECT_EQ(pg.driver, u"QPSQL");
    EXPECT_EQ(pg.hostName, u"db");
    EXPECT_EQ(pg.port, 6543);
    EXPECT_EQ(pg.databaseName, u"crm");
    EXPECT_EQ(pg.userName, u"me");
    EXPECT_EQ(pg.password, u"pw");
    EXPECT_EQ(pg.secrets, QStringList{QStringLiteral("pw")});

    EXPECT_EQ(settingsFor(QStringLiteral("Provider=MSDASQL;DSN=sales")).databaseName, u"DSN=sales");
    const auto full = settingsFor(QStringLiteral("Provider=MSDASQL;Extended Properties=\"Driver=X;PWD=inner\""));
    EXPECT_EQ(full.databaseName, u"Driver=X;PWD=inner");
    EXPECT_EQ(full.secrets, QStringList{QStringLiteral("inner")});

    // Without Oracle's client library, Oracle goes through ODBC with the net service name as DSN.
    const auto oracle = settingsFor(QStringLiteral("Provider=MSDAORA.1;Data Source=orcl;User ID=scott"));
    if (oracle.driver == u"QODBC")
        EXPECT_EQ(oracle.databaseName, u"DSN=orcl");
    else
        EXPECT_EQ(oracle.databaseName, u"orcl");

    const auto named = settingsFor(QStringLiteral("Provider=MSDAORA.1;Driver=qsqlite;Data Source=/tmp/x.db"));
    EXPECT_EQ(named.driver, u"QSQLITE");
    EXPECT_EQ(named.databaseName, u"/tmp/x.db");
}

TEST(ConnectionString, UnusableStringsAreRefusedWithoutShowingThePassword)
{
    EXPECT_EQ(failureFor(QStringLiteral("Data Source=x")), u"The connection names no provider.");
    EXPECT_EQ(failureFor(QStringLiteral("Provider=Jet;Password=Jet")), u"The provider \"********\" is not supported.");
    EXPECT_EQ(failureFor(QStringLiteral("Provider=SQLite;Driver=QNOPE")), u"The database driver QNOPE is not installed.");
    EXPECT_EQ(failureFor(QStringLiteral("Provider=PostgreSQL;Port=70000")), u"The port \"70000\" is not a port number.");
}

TEST(ConnectionString, ComposedStringsReadBackToTheFieldsTyped)
{
    ConnectionFields fields;
    fields.kind = DatabaseKind::SqliteFile;
    fields.file = QStringLiteral("/data/a;b.db");
    EXPECT_EQ(settingsFor(composeConnectionString(fields)).databaseName, fields.file);

    fields = {};
    fields.kind = DatabaseKind::Oracle;
    fields.dataSource = QStringLiteral("orcl");
    EXPECT_TRUE(readsOracleDictionary(composeConnectionString(fields)));
}

TEST(ConnectionString, AMissingSqliteFileFailsToOpenAndIsNotCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.db"));
    const ImportRun run = importSchema(QStringLiteral("Provider=SQLite;Data Source=") + path);
    EXPECT_TRUE(run.openFailure);
    EXPECT_FALSE(QFile::exists(path));
}
