#include "ImportTestSupport.h"

#include <QFile>
#include <QSqlDatabase>
#include <gtest/gtest.h>

namespace {

const QStringList kThreeTables{
    QStringLiteral("CREATE TABLE Customers (Id INTEGER, Name TEXT, City TEXT, Zip TEXT)"),
    QStringLiteral("CREATE TABLE Notes (Id INTEGER, Body TEXT)"),
    QStringLiteral("CREATE TABLE Orders (Id INTEGER PRIMARY KEY AUTOINCREMENT, CustomerId INTEGER, Placed TEXT, "
                   "Total REAL, Status TEXT)"),
    QStringLiteral("CREATE VIEW OpenOrders AS SELECT * FROM Orders WHERE Status = 'open'"),
    QStringLiteral("INSERT INTO Orders (CustomerId) VALUES (1)"), // brings sqlite_sequence to life
};

QString oracleString(const SqliteFile& file, const QString& provider = QStringLiteral("Provider=MSDAORA.1"))
{
    return provider + QStringLiteral(";Driver=QSQLITE;Data Source=") + file.path();
}

} // namespace

TEST(SqliteImport, ListsUserTablesInOrderAndSkipsExistingNamesInAnotherLetterCase)
{
    SqliteFile file(kThreeTables);
    const ImportRun run = importSchema(file.connectionString());
    ASSERT_FALSE(run.openFailure) << run.openFailure->toStdString();
    // Views and SQLite's own tables are not the user's tables.
    ASSERT_EQ(run.names(), (QStringList{"Customers", "Notes", "Orders"}));
    EXPECT_EQ(run.tables[2].columns, (QStringList{"Id", "CustomerId", "Placed", "Total", "Status"}));
    EXPECT_EQ(std::make_pair(run.tables[2].position, run.tables[2].total), std::make_pair(2, 3));
    EXPECT_TRUE(run.tables[2].columnsRead);

    const ImportRun again = importSchema(file.connectionString(), {QStringLiteral("NOTES"), QStringLiteral("Other")});
    EXPECT_EQ(again.names(), (QStringList{"Customers", "Orders"}));
    EXPECT_EQ(again.result.tablesListed, 3);
    EXPECT_EQ(again.result.tablesHandedOn, 2);
}

TEST(SqliteImport, NamesAreTrimmedForTheTreeButQueriedExactlyAndHostileNamesStayIdentifiers)
{
    SqliteFile file({
        QStringLiteral("CREATE TABLE \"Orders  \" (\" Id \" INTEGER, Total REAL)"),
        QStringLiteral("CREATE TABLE \"a\"\"b\" (x INTEGER)"),
        QStringLiteral("CREATE TABLE \"x; DROP TABLE victim; --\" (y INTEGER)"),
        QStringLiteral("CREATE TABLE victim (v INTEGER)"),
    });
    const ImportRun run = importSchema(file.connectionString());
    ASSERT_EQ(run.names(), (QStringList{"a\"b", "Orders", "victim", "x; DROP TABLE victim; --"}));
    EXPECT_EQ(run.table("Orders")->columns, (QStringList{"Id", "Total"}));
    EXPECT_EQ(run.table("a\"b")->columns, QStringList{"x"});
    EXPECT_EQ(run.table("x; DROP TABLE victim; --")->columns, QStringList{"y"});
    EXPECT_EQ(importSchema(file.connectionString()).names().size(), 4);
}

TEST(SqliteImport, AnEmptySchemaHandsOnNothingAndAMissingFileIsNotCreated)
{
    SqliteFile file;
    const ImportRun run = importSchema(file.connectionString());
    EXPECT_FALSE(run.openFailure);
    EXPECT_FALSE(run.result.listingFailure);
    EXPECT_EQ(run.result.tablesListed, 0);
    EXPECT_TRUE(run.tables.isEmpty());
    // The dictionary path over a database without USER_TABLES has no listing to follow.
    const ImportRun dictionary = importSchema(oracleString(file));
    EXPECT_FALSE(dictionary.openFailure);
    EXPECT_TRUE(dictionary.result.listingFailure);
    EXPECT_TRUE(dictionary.tables.isEmpty());

    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.db"));
    EXPECT_TRUE(importSchema(QStringLiteral("Provider=SQLite;Data Source=") + missing).openFailure);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(SqliteImport, TheDictionaryPathFollowsUserTablesInNameOrderWithoutDuplicateCheck)
{
    SqliteFile file({
        QStringLiteral("CREATE TABLE Zeta (z INTEGER, a INTEGER, m INTEGER)"),
        QStringLiteral("CREATE TABLE Alpha (k INTEGER)"),
        QStringLiteral("CREATE TABLE Hidden (h INTEGER)"),
        QStringLiteral("CREATE TABLE Mid (b INTEGER, a INTEGER)"),
        QStringLiteral("CREATE VIEW USER_TABLES AS SELECT name AS TABLE_NAME FROM sqlite_master "
                       "WHERE type = 'table' AND name <> 'Hidden'"),
    });
    for (const QString& provider : {QStringLiteral("Provider=MSDAORA.1"), QStringLiteral("provider=msdaora.1")}) {
        const ImportRun run = importSchema(oracleString(file, provider), {QStringLiteral("alpha")});
        ASSERT_EQ(run.names(), (QStringList{"Alpha", "Mid", "Zeta"}));
        EXPECT_EQ(run.table("Zeta")->columns, (QStringList{"z", "a", "m"}));
        EXPECT_EQ(run.table("Mid")->columns, (QStringList{"b", "a"}));
    }
    // Blanks around "=" mean the generic listing: all tables, duplicates skipped.
    const ImportRun generic = importSchema(oracleString(file, QStringLiteral("Provider = MSDAORA.1")),
                                           {QStringLiteral("alpha")});
    EXPECT_EQ(generic.names(), (QStringList{"Hidden", "Mid", "Zeta"}));
}

TEST(SqliteImport, ReadsThroughAnOdbcDriver)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        GTEST_SKIP() << "Qt's ODBC driver is not installed";
    SqliteFile file(kThreeTables);
    const ImportRun run = importSchema(QStringLiteral("Provider=MSDASQL;Extended Properties=\"Driver=SQLite3;Database=")
                                       + file.path() + u'"');
    ASSERT_FALSE(run.openFailure) << run.openFailure->toStdString();
    ASSERT_TRUE(run.names().contains("Notes"));
    EXPECT_EQ(run.table("Notes")->columns, (QStringList{"Id", "Body"}));
}
