// Figures for the main loop on the real workspace window: Run of a long field list end to
// end, filling one field in on its result, and dropping a long list on a large catalogue.
#include "FieldsList.h"
#include "LargeCatalogue.h"
#include "PeakMemory.h"
#include "RunWorkspace.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// Each Run replaces the result of the one before, as a user running again does.
void BM_Run(benchmark::State& state)
{
    const int n = int(state.range(0));
    RunWorkspace workspace;
    workspace.run(5);
    for (auto _ : state)
        workspace.run(n);
    state.counters["fields"] = workspace.doc->fieldsList()->count();
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_Run)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(5)->ReportAggregatesOnly();

// The first Run of a freshly opened window.
void BM_FirstRun(benchmark::State& state)
{
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        RunWorkspace workspace;
        state.ResumeTiming();
        workspace.run(n);
        state.PauseTiming();
        // Closing the window is not part of the figure.
        workspace.doc.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_FirstRun)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(5)->ReportAggregatesOnly();

// Two markers a line.
void BM_RunTwoMarkers(benchmark::State& state)
{
    const int n = int(state.range(0));
    RunWorkspace workspace;
    for (auto _ : state)
        workspace.run(n, kFieldCopies);
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_RunTwoMarkers)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(5)->ReportAggregatesOnly();

// A field that occurs once, a different one each time, filled by Space on a value.
void BM_FillField(benchmark::State& state)
{
    const int n = int(state.range(0));
    RunWorkspace workspace;
    workspace.run(n);
    FieldsList& fields = *workspace.doc->fieldsList();
    workspace.doc->valueTree()->selectNode("key2");
    int next = 0;
    for (auto _ : state) {
        fields.setCurrentRow(next);
        next += int(fields.count() / 16);
        workspace.doc->valueTreeKeyPressed(Qt::Key_Space);
        QCoreApplication::processEvents();
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_FillField)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(9)->ReportAggregatesOnly();

void BM_DropList(benchmark::State& state)
{
    QStringList pieces;
    for (int i = 0; i < state.range(0); ++i)
        pieces << QStringLiteral("COLUMN_%1").arg(i);
    const QString dropped = pieces.join(u',');
    for (auto _ : state) {
        state.PauseTiming();
        RunWorkspace workspace(LargeCatalogue(20'000));
        workspace.doc->valueTree()->selectNode("key50");
        workspace.dialogs.inputAnswers = {QStringLiteral(",")};
        state.ResumeTiming();
        workspace.doc->addDroppedValues(dropped);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (workspace.doc->valueTree()->node("key50")->childCount() < pieces.size())
            state.SkipWithError("not every piece was added");
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_DropList)->Arg(10'000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
