// Reading a SQLite schema of 1,000 tables with 10 columns each and turning it into value
// catalogue records, as the import does before it stores them.
#include "ImportRecords.h"
#include "SchemaImporter.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString makeSchema(const QTemporaryDir& dir, int tables, int columns)
{
    const QString path = dir.filePath(QStringLiteral("schema.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-setup"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        query.exec(QStringLiteral("BEGIN"));
        for (int t = 0; t < tables; ++t) {
            QStringList definitions;
            for (int c = 0; c < columns; ++c)
                definitions << QStringLiteral("Column%1 INTEGER").arg(c);
            query.exec(QStringLiteral("CREATE TABLE Table%1 (%2)").arg(t).arg(definitions.join(u',')));
        }
        query.exec(QStringLiteral("COMMIT"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-setup"));
    return path;
}

void BM_ImportSchemaIntoRecords(benchmark::State& state)
{
    const int tables = int(state.range(0));
    QTemporaryDir dir;
    const QString connection = QStringLiteral("Provider=SQLite;Data Source=") + makeSchema(dir, tables, 10);
    for (auto _ : state) {
        SchemaImporter importer;
        if (importer.open(connection)) {
            state.SkipWithError("cannot open the schema");
            return;
        }
        qint32 next = 10002;
        qsizetype records = 0;
        importer.run({}, [&](const ImportedTable& table) {
            QList<qint32> ids;
            for (qsizetype i = 0; i <= table.columns.size(); ++i)
                ids << next++;
            records += importRecordsForTable(ids, -1, table.name, table.columns).size();
            return true;
        });
        if (records != tables * 11)
            state.SkipWithError("wrong number of records");
        benchmark::DoNotOptimize(records);
    }
    state.SetItemsProcessed(state.iterations() * tables);
}
BENCHMARK(BM_ImportSchemaIntoRecords)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
