// Figures for the workspace: opening on large catalogues, and adding one value to one.
#include "CatalogueFiles.h"
#include "TempAppFolder.h"
#include "frmDocument.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

// A catalogue of `count` items: a hundred top-level groups with the rest spread under them.
QByteArray LargeCatalogue(int count)
{
    QList<QByteArray> records;
    records.reserve(count);
    for (int id = 2; id < count + 2; ++id) {
        const int parent = id < 102 ? -1 : 2 + (id % 100);
        records << QByteArray::number(id) + "|Item number " + QByteArray::number(id) + "|" +
                       QByteArray::number(parent) + "|0|3";
    }
    return CatalogueFile(records);
}

void WorkspaceStartUp(benchmark::State& state)
{
    TempAppFolder app;
    app.writeDataFile("Tempalates.app", LargeCatalogue(2000));
    app.writeDataFile("Values.app", LargeCatalogue(20000));
    for (auto _ : state) {
        frmDocument doc(app.path());
        benchmark::DoNotOptimize(doc.tvValues()->topLevelItemCount());
    }
}
BENCHMARK(WorkspaceStartUp)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5)->ReportAggregatesOnly();

void AddOneValue(benchmark::State& state)
{
    TempAppFolder app;
    app.writeDataFile("Tempalates.app", CatalogueFile({}));
    app.writeDataFile("Values.app", LargeCatalogue(20000));
    frmDocument doc(app.path());
    auto* box = doc.findChild<QLineEdit*>("txtValue");
    auto* add = doc.findChild<QPushButton*>("cmdAddValue");
    for (auto _ : state) {
        box->setText("New value");
        add->click();
    }
}
BENCHMARK(AddOneValue)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
