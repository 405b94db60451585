#include "ImportTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QStringList kThreeTables{
    "CREATE TABLE Customers (Id INTEGER, Name TEXT, City TEXT, Zip TEXT)", "CREATE TABLE Notes (Id INTEGER, Body TEXT)",
    "CREATE TABLE Orders (Id INTEGER PRIMARY KEY AUTOINCREMENT, CustomerId INTEGER, Placed TEXT, Total REAL, Status TEXT)",
    "CREATE VIEW OpenOrders AS SELECT * FROM Orders WHERE Status = 'open'",
    "INSERT INTO Orders (CustomerId) VALUES (1)", // brings sqlite_sequence to life
};

QString oracleString(const SqliteFile& file, const QString& provider = QStringLiteral("Provider=MSDAORA.1"))
{
    return provider + QStringLiteral(";Driver=qsqlite;Data Source=") + file.path();
}

} // namespace

TEST(SqliteImport, ListsUserTablesSkipsExistingNamesQueriesHostileNamesExactlyAndFollowsTheDictionaryPath)
{
    SqliteFile file(kThreeTables);
    const ImportRun run = importSchema(file.connectionString());
    ASSERT_FALSE(run.openFailure) << run.openFailure->toStdString();
    // Views and SQLite's own tables are not the user's tables.
    ASSERT_EQ(run.names(), (QStringList{"Customers", "Notes", "Orders"}));
    EXPECT_EQ(run.tables[2].columns, (QStringList{"Id", "CustomerId", "Placed", "Total", "Status"}));
    EXPECT_EQ(std::tuple(run.tables[2].position, run.tables[2].total, run.tables[2].columnsRead), std::tuple(2, 3, true));

    const ImportRun again = importSchema(file.connectionString(), {"NOTES", "Other"});
    EXPECT_EQ(again.names(), (QStringList{"Customers", "Orders"}));
    EXPECT_EQ(std::make_pair(again.result.tablesListed, again.result.tablesHandedOn), std::make_pair(3, 2));

    // Names are trimmed for the tree but queried exactly; hostile names stay identifiers.
    SqliteFile odd({"CREATE TABLE \"Orders  \" (\" Id \" INTEGER, Total REAL)", "CREATE TABLE \"a\"\"b\" (x INTEGER)",
                    "CREATE TABLE \"x; DROP TABLE victim; --\" (y INTEGER)", "CREATE TABLE victim (v INTEGER)"});
    const ImportRun oddRun = importSchema(odd.connectionString());
    ASSERT_EQ(oddRun.names(), (QStringList{"a\"b", "Orders", "victim", "x; DROP TABLE victim; --"}));
    EXPECT_EQ(oddRun.table("Orders")->columns, (QStringList{"Id", "Total"}));
    EXPECT_EQ(oddRun.table("a\"b")->columns, QStringList{"x"});
    EXPECT_EQ(importSchema(odd.connectionString()).names().size(), 4);

    // An empty schema hands on nothing; the dictionary path over it has no USER_TABLES to follow.
    SqliteFile empty;
    const ImportRun none = importSchema(empty.connectionString());
    EXPECT_TRUE(!none.openFailure && !none.result.listingFailure && none.result.tablesListed == 0 && none.tables.isEmpty());
    const ImportRun dictionary = importSchema(oracleString(empty));
    EXPECT_TRUE(!dictionary.openFailure && dictionary.result.listingFailure && dictionary.tables.isEmpty());

    const QString missing = empty.path() + QStringLiteral(".missing");
    EXPECT_TRUE(importSchema(QStringLiteral("Provider=SQLite;Data Source=") + missing).openFailure);
    EXPECT_FALSE(QFile::exists(missing));

    // The dictionary path follows USER_TABLES in name order without a duplicate check.
    SqliteFile listed({"CREATE TABLE Zeta (z INTEGER, a INTEGER, m INTEGER)", "CREATE TABLE Alpha (k INTEGER)",
                       "CREATE TABLE Hidden (h INTEGER)", "CREATE TABLE Mid (b INTEGER, a INTEGER)",
                       "CREATE VIEW USER_TABLES AS SELECT name AS TABLE_NAME FROM sqlite_master "
                       "WHERE type = 'table' AND name <> 'Hidden'"});
    for (const char* provider : {"Provider=MSDAORA.1", "provider=msdaora.1"}) {
        const ImportRun followed = importSchema(oracleString(listed, provider), {"alpha"});
        ASSERT_EQ(followed.names(), (QStringList{"Alpha", "Mid", "Zeta"}));
        EXPECT_EQ(followed.table("Zeta")->columns, (QStringList{"z", "a", "m"}));
        EXPECT_EQ(followed.table("Mid")->columns, (QStringList{"b", "a"}));
    }
    // Blanks around "=" mean the generic listing: all tables, duplicates skipped.
    EXPECT_EQ(importSchema(oracleString(listed, "Provider = MSDAORA.1"), {"alpha"}).names(),
              (QStringList{"Hidden", "Mid", "Zeta"}));
}

TEST(SqliteImport, ReadsColumnsWithDeclaredTypesNullsLengthsAndKeysOfOneColumn)
{
    SqliteFile file({"CREATE TABLE Countries (Code CHAR(2) PRIMARY KEY)",
                     "CREATE TABLE \"x; DROP TABLE victim; --\" (Id INTEGER PRIMARY KEY, Email VARCHAR(80) NOT NULL UNIQUE, "
                     "Country CHAR(2) REFERENCES Countries (Code), Balance DECIMAL(10, 2), A INT, B INT, Untyped, "
                     "UNIQUE (A, B))",
                     "CREATE TABLE Lines (OrderId INTEGER, No INTEGER, PRIMARY KEY (OrderId, No))",
                     "CREATE TABLE victim (v INTEGER)"});
    const struct { const char* table; QList<QStringList> rows; } cases[] = {
        {"x; DROP TABLE victim; --",
         {{"Id", "INTEGER", "no", "", "primary"}, {"Email", "VARCHAR(80)", "no", "80", "unique"},
          {"Country", "CHAR(2)", "yes", "2", "foreign"}, {"Balance", "DECIMAL(10, 2)", "yes", "10,2", ""},
          {"A", "INT", "yes", "", ""}, {"B", "INT", "yes", "", ""}, {"Untyped", "", "yes", "", ""}}},
        // A key over two columns is neither's; a CHAR primary key may hold a null.
        {"Lines", {{"OrderId", "INTEGER", "yes", "", ""}, {"No", "INTEGER", "yes", "", ""}}},
        {"Countries", {{"Code", "CHAR(2)", "yes", "2", "primary"}}},
    };
    for (const auto& c : cases) {
        const auto read = columnTableOf(file.connectionString(), c.table);
        ASSERT_TRUE(std::holds_alternative<TableRows>(read)) << std::get<QString>(read).toStdString();
        EXPECT_EQ(std::get<TableRows>(read).columns, QStringList({"name", "type", "nullable", "length", "key"}));
        EXPECT_EQ(std::get<TableRows>(read).rows, c.rows) << c.table;
    }
    SchemaImporter importer;
    ASSERT_FALSE(importer.open(file.connectionString()));
    QString failure;
    EXPECT_EQ(importer.tableNames(&failure), (QStringList{"Countries", "Lines", "victim", "x; DROP TABLE victim; --"}))
        << "the tables to choose from, the hostile name dropping nothing";
    const auto missing = columnTableOf(file.connectionString(), "Nowhere");
    ASSERT_TRUE(std::holds_alternative<QString>(missing));
    EXPECT_TRUE(std::get<QString>(missing).contains("Nowhere"));
}
