#include "ConnectionFields.h"
#include "ConnectionSettings.h"
#include "ConnectionString.h"

#include <gtest/gtest.h>

namespace {

ConnectionSettings settingsFor(const QString& connectionString)
{
    QString error;
    const auto settings = toConnectionSettings(connectionString, &error);
    EXPECT_TRUE(settings) << error.toStdString();
    return settings.value_or(ConnectionSettings{});
}

} // namespace

TEST(ConnectionString, SegmentsProvidersAndComposedStringsReadBackAndUnusableOnesAreRefusedWithoutThePassword)
{
    const auto segments = parseConnectionString(
        QStringLiteral(" Provider = PostgreSQL ;junk; Password=\" a;b\"\"c \";User ID='x''y';Host=h"));
    QStringList read;
    for (const ConnectionSegment& segment : segments)
        read << segment.name + '=' + segment.value;
    EXPECT_EQ(read, QStringList({"Provider=PostgreSQL", "Password= a;b\"c ", "User ID=x'y", "Host=h"}));
    EXPECT_EQ(segmentValue(segments, {"host"}) + '|' + segmentValue(segments, {"Port"}), "h|");

    // Only a first segment spelt exactly so reads the dictionary.
    for (const auto& [text, reads] : {std::pair{"Provider=MSDAORA.1", true}, {"Provider=MSDAORA.1 ;Data Source=orcl", false},
                                      {"Data Source=orcl;Provider=MSDAORA.1", false}, {"Provider=MSDAORA;Data Source=orcl", false}})
        EXPECT_EQ(readsOracleDictionary(QString::fromLatin1(text)), reads) << text;

    const auto sqlite = settingsFor(QStringLiteral("Provider=SQLite;Data Source=/tmp/a b.db"));
    EXPECT_EQ(QStringList({sqlite.driver, sqlite.databaseName, sqlite.connectOptions}),
              QStringList({"QSQLITE", "/tmp/a b.db", "QSQLITE_OPEN_READONLY"}));

    const auto pg = settingsFor(QStringLiteral("Provider=PostgreSQL;Host=db;Port=6543;Database=crm;User ID=me;Password=pw"));
    EXPECT_EQ(QStringList({pg.driver, pg.hostName, QString::number(pg.port), pg.databaseName, pg.userName, pg.password})
                  + pg.secrets,
              QStringList({"QPSQL", "db", "6543", "crm", "me", "pw", "pw"}));

    EXPECT_EQ(settingsFor(QStringLiteral("Provider=MSDASQL;DSN=sales")).databaseName, u"DSN=sales");
    const auto full = settingsFor(QStringLiteral("Provider=MSDASQL;Extended Properties=\"Driver=X;PWD=inner\""));
    EXPECT_EQ(QStringList{full.databaseName} + full.secrets, QStringList({"Driver=X;PWD=inner", "inner"}));

    // Without Oracle's client library, Oracle goes through ODBC with the net service name as DSN.
    const auto oracle = settingsFor(QStringLiteral("Provider=MSDAORA.1;Data Source=orcl;User ID=scott"));
    EXPECT_EQ(oracle.databaseName, QStringView(oracle.driver == u"QODBC" ? u"DSN=orcl" : u"orcl"));

    for (const auto& [text, message] :
         {std::pair{"Data Source=x", "The connection names no provider."},
          {"Provider=Jet;Password=Jet", "The provider \"********\" is not supported."},
          {"Provider=SQLite;Driver=QNOPE", "The database driver QNOPE is not installed."},
          {"Provider=PostgreSQL;Port=70000", "The port \"70000\" is not a port number."}}) {
        QString error;
        EXPECT_FALSE(toConnectionSettings(QString::fromLatin1(text), &error)) << text;
        EXPECT_EQ(error, QString::fromLatin1(message));
    }

    ConnectionFields fields;
    fields.file = QStringLiteral("/data/a;b.db");
    EXPECT_EQ(settingsFor(composeConnectionString(fields)).databaseName, fields.file);
    fields.kind = DatabaseKind::Oracle; // the file is left for Oracle to ignore
    fields.dataSource = QStringLiteral("orcl");
    EXPECT_TRUE(readsOracleDictionary(composeConnectionString(fields)));
}

