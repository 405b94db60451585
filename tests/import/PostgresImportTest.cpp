#include "ConnectionSettings.h"
#include "ConnectionString.h"
#include "ImportTestSupport.h"
#include "TypeMap.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <gtest/gtest.h>

namespace {

// The connection string with one segment set: the first segment of a name is the one read.
QString withSegment(const QString& connectionString, const QString& name, const QString& value)
{
    return formatSegment(name, value) + u';' + connectionString;
}

// Each test gets a database of its own on the server scripts/postgres-test-server.sh starts,
// owned by the test role; the superuser sets up what the test role may not touch.
class PostgresImport : public testing::Test
{
protected:
    void SetUp() override
    {
        user_ = qEnvironmentVariable("VELLUMATIC_TEST_PG");
        admin_ = qEnvironmentVariable("VELLUMATIC_TEST_PG_ADMIN");
        if (user_.isEmpty() || admin_.isEmpty()) {
            if (qEnvironmentVariable("CI") == u"true")
                FAIL() << "VELLUMATIC_TEST_PG is not set: run scripts/test.sh";
            GTEST_SKIP() << "no PostgreSQL test server (scripts/test.sh starts one)";
        }
        static int counter = 0;
        database_ = QStringLiteral("vt_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        const QString role = segmentValue(parseConnectionString(user_), {QStringLiteral("User ID")});
        asAdmin({QStringLiteral("CREATE DATABASE %1 OWNER %2").arg(database_, role)});
        user_ = withSegment(user_, QStringLiteral("Database"), database_);
        admin_ = withSegment(admin_, QStringLiteral("Database"), database_);
    }

    void TearDown() override
    {
        if (!database_.isEmpty())
            executeAll(QStringLiteral("QPSQL"), {}, {"DROP DATABASE IF EXISTS " + database_ + " WITH (FORCE)"},
                       withSegment(admin_, QStringLiteral("Database"), QStringLiteral("postgres")));
    }

    void asUser(const QStringList& statements) const { executeAll(QStringLiteral("QPSQL"), {}, statements, user_); }
    void asAdmin(const QStringList& statements) const { executeAll(QStringLiteral("QPSQL"), {}, statements, admin_); }

    QString user_, admin_, database_;
};

} // namespace

TEST_F(PostgresImport, ListsTablesOfEverySchemaHostileNamesCannotChangeTheColumnQueryAndFailedLoginsHideThePassword)
{
    asAdmin({"CREATE TABLE accounts (iban text, balance numeric)", "CREATE SCHEMA vault", "CREATE TABLE vault.keys (k text)"});
    asUser({"CREATE TABLE orders (id int, customer_id int, placed date, total numeric, status text)",
            "CREATE VIEW open_orders AS SELECT * FROM orders", "CREATE SCHEMA sales",
            "CREATE TABLE sales.invoices (number int, amount numeric)", "CREATE TABLE \"odd.name\" (x int)",
            "CREATE TABLE victim (v int)", "CREATE TABLE v (w int)",
            "CREATE TABLE \"v\"\" WHERE 1=2; DROP TABLE victim; --\" (a int)",
            "CREATE TABLE \"totals  \" (id int, total numeric)"});
    const ImportRun run = importSchema(user_);
    ASSERT_FALSE(run.openFailure) << run.openFailure->toStdString();
    const QString hostile = QStringLiteral("v\" WHERE 1=2; DROP TABLE victim; --");
    ASSERT_EQ(run.names(), (QStringList{"accounts", "odd.name", "orders", "sales.invoices", "totals", "v", hostile,
                                        "vault.keys", "victim"}));
    // Tables the user may not read keep their node, without columns.
    for (const char* unreadable : {"accounts", "vault.keys"})
        EXPECT_TRUE(!run.table(unreadable)->columnsRead && run.table(unreadable)->columns.isEmpty()) << unreadable;
    EXPECT_TRUE(run.table("orders")->columnsRead && run.table("orders")->columns.size() == 5);
    for (const auto& [name, columns] : {std::pair<QString, QStringList>{"sales.invoices", {"number", "amount"}},
                                        {"odd.name", {"x"}}, {hostile, {"a"}}, {"totals", {"id", "total"}}})
        EXPECT_EQ(run.table(name)->columns, columns) << name.toStdString();
    EXPECT_TRUE(importSchema(user_).names().contains("victim"));

    const QString secret = QStringLiteral("Wr0ngSecret");
    CapturedLog log;
    const ImportRun refused = importSchema(withSegment(withSegment(user_, "User ID", secret), "Password", secret));
    ASSERT_TRUE(refused.openFailure);
    EXPECT_FALSE(refused.openFailure->contains(secret)) << refused.openFailure->toStdString();
    EXPECT_TRUE(refused.openFailure->contains(u"********")) << refused.openFailure->toStdString();
    for (const QString& line : CapturedLog::lines)
        EXPECT_FALSE(line.contains(secret)) << line.toStdString();
}

TEST_F(PostgresImport, ReadsThroughThePostgresOdbcDriver)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        GTEST_SKIP() << "Qt's ODBC driver is not installed";
    asUser({"CREATE TABLE notes (id int, body text)"});
    QString error;
    const auto settings = toConnectionSettings(user_, &error);
    ASSERT_TRUE(settings) << error.toStdString();
    const ImportRun run = importSchema(QStringLiteral("Provider=MSDASQL;Extended Properties=\"Driver={PostgreSQL Unicode};"
                                                     "Server=%1;Port=%2;Database=%3\";User ID=%4;Password=%5")
                                          .arg(settings->hostName).arg(settings->port)
                                          .arg(database_, settings->userName, settings->password));
    ASSERT_FALSE(run.openFailure) << run.openFailure->toStdString();
    ASSERT_EQ(run.names(), QStringList{"notes"});
    EXPECT_EQ(run.tables[0].columns, (QStringList{"id", "body"}));
}

TEST_F(PostgresImport, ReadsEachColumnsTypeAsInformationSchemaNamesItAndEveryOneMapsToALanguage)
{
    const struct { const char* declared; const char* type; const char* length; const char* csharp; } columns[] = {
        {"integer", "integer", "", "int"}, {"int4", "integer", "", "int"}, {"serial", "integer", "", "int"},
        {"bigint", "bigint", "", "long"}, {"int8", "bigint", "", "long"}, {"bigserial", "bigint", "", "long"},
        {"smallint", "smallint", "", "short"}, {"int2", "smallint", "", "short"},
        {"varchar(50)", "character varying", "50", "string"}, {"char(3)", "character", "3", "string"},
        {"text", "text", "", "string"}, {"bool", "boolean", "", "bool"}, {"bit", "bit", "1", "bool"},
        {"timestamp", "timestamp without time zone", "", "DateTime"},
        {"timestamptz", "timestamp with time zone", "", "DateTime"}, {"date", "date", "", "DateOnly"},
        {"numeric(10,2)", "numeric", "10,2", "decimal"}, {"decimal", "numeric", "", "decimal"},
        {"money", "money", "", "decimal"}, {"real", "real", "", "float"}, {"float4", "real", "", "float"},
        {"double precision", "double precision", "", "double"}, {"float8", "double precision", "", "double"},
        {"float", "double precision", "", "double"}, {"uuid", "uuid", "", "Guid"}, {"bytea", "bytea", "", "byte[]"},
        {"int[]", "int4[]", "", "int4[]"},
    };
    QStringList definitions{"id serial PRIMARY KEY", "email varchar(80) NOT NULL UNIQUE", "parent int REFERENCES hr.wide (id)"};
    for (qsizetype i = 0; i < std::ssize(columns); ++i)
        definitions.append(QStringLiteral("c%1 %2").arg(i).arg(columns[i].declared));
    asUser({"CREATE SCHEMA hr", "CREATE TABLE hr.wide (" + definitions.join(", ") + ")"});

    const auto read = columnTableOf(user_, "hr.wide");
    ASSERT_TRUE(std::holds_alternative<TableRows>(read)) << std::get<QString>(read).toStdString();
    const TableRows& table = std::get<TableRows>(read);
    EXPECT_EQ(table.columns, QStringList({"name", "type", "nullable", "length", "key"}));
    ASSERT_EQ(table.rows.size(), 3 + std::ssize(columns));
    EXPECT_EQ(table.rows.mid(0, 3), (QList<QStringList>{{"id", "integer", "no", "", "primary"},
                                                        {"email", "character varying", "no", "80", "unique"},
                                                        {"parent", "integer", "yes", "", "foreign"}}));
    const std::shared_ptr<const TypeMap> map = TypeMap::shipped();
    for (qsizetype i = 0; i < std::ssize(columns); ++i) {
        const QStringList& row = table.rows[3 + i];
        const char* nullable = QByteArray(columns[i].declared).contains("serial") ? "no" : "yes";
        EXPECT_EQ(row, QStringList({QStringLiteral("c%1").arg(i), columns[i].type, nullable, columns[i].length, ""}))
            << columns[i].declared;
        EXPECT_EQ(map->map(row[1], map->language(u"csharp")).type, columns[i].csharp) << columns[i].declared;
    }
}
