// Importing a SQLite schema of 1,000 tables with 10 columns each through the workspace's "..."
// button into a value catalogue of 10,000 values: reading, storing and showing every value.
#include "ImportTestSupport.h"
#include "LargeCatalogue.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"
#include "WorkspaceWindow.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QStringList schema(int tables, int columns)
{
    QStringList statements{QStringLiteral("BEGIN")};
    for (int t = 0; t < tables; ++t) {
        QStringList definitions;
        for (int c = 0; c < columns; ++c)
            definitions << QStringLiteral("Column%1 INTEGER").arg(c);
        statements << QStringLiteral("CREATE TABLE Table%1 (%2)").arg(t).arg(definitions.join(u','));
    }
    return statements << QStringLiteral("COMMIT");
}

void ImportSchemaThroughTheWorkspace(benchmark::State& state)
{
    const int tables = int(state.range(0));
    const SqliteFile database(schema(tables, 10));
    const QByteArray values = LargeCatalogue(10000);
    TempAppFolder app;
    app.writeDataFile("Tempalates.app", CatalogueFile({}));
    ScriptedDialogs dialogs;
    for (auto _ : state) {
        state.PauseTiming();
        app.writeDataFile("Values.app", values);
        auto doc = std::make_unique<WorkspaceWindow>(app.dataPath());
        doc->valueTree()->selectNode(QStringLiteral("key5000")); // a value without children
        dialogs.connectionAnswers << database.connectionString();
        state.ResumeTiming();

        doc->importButton()->click();

        state.PauseTiming();
        if (doc->valueTree()->node(QStringLiteral("key5000"))->childCount() != tables || !dialogs.messages.isEmpty()) {
            state.SkipWithError("the import did not add every table");
            break;
        }
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * tables);
}
BENCHMARK(ImportSchemaThroughTheWorkspace)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
