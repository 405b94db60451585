// Figures for the main loop on the real workspace window: Run of a long field list end to
// end, filling one field in on its result, and dropping a long list on a large catalogue.
#include "LargeCatalogue.h"
#include "PeakMemory.h"
#include "ScriptedDialogs.h"
#include "TempAppFolder.h"
#include "frmDocument.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

const QString kFieldList = QStringLiteral("[($Field!|1|n)(,|1|n-1)]");

// A shown workspace with one template selected and typed in, ready to run.
struct Workspace
{
    explicit Workspace(const QByteArray& values = CatalogueFile({"2|CustomerId|-1|0|3"}))
    {
        app.writeDataFile("Tempalates.app", CatalogueFile({"2|Columns|-1|0|3"}));
        app.writeDataFile("TMP_key2", "\"_$$$_001_$$$_\"\r\n");
        app.writeDataFile("Values.app", values);
        doc = std::make_unique<frmDocument>(app.dataPath());
        doc->resize(1280, 900);
        doc->show();
        doc->tvTempalates()->selectNode("key2");
        QCoreApplication::processEvents();
    }
    // Typing the template again marks it edited, so every run also saves the body.
    void run(int n)
    {
        doc->txtSource()->setPlainText(kFieldList);
        dialogs.inputAnswers = {QString::number(n)};
        doc->cmdRun()->click();
        // The pane laid out and painted: the window is usable again.
        QCoreApplication::processEvents();
    }

    TempAppFolder app;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmDocument> doc;
};

void BM_Run(benchmark::State& state)
{
    const int n = int(state.range(0));
    Workspace workspace;
    for (auto _ : state)
        workspace.run(n);
    state.counters["fields"] = workspace.doc->cboFields()->count();
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_Run)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->ReportAggregatesOnly();

// A field that occurs once, a different one each time, filled by Space on a value.
void BM_FillField(benchmark::State& state)
{
    const int n = int(state.range(0));
    Workspace workspace;
    workspace.run(n);
    QListWidget& fields = *workspace.doc->cboFields();
    workspace.doc->tvValues()->selectNode("key2");
    int next = 0;
    for (auto _ : state) {
        fields.setCurrentRow(next);
        next += int(fields.count() / 16);
        workspace.doc->tvValues_KeyPress(Qt::Key_Space);
        QCoreApplication::processEvents();
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_FillField)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(9)->ReportAggregatesOnly();

void BM_DropList(benchmark::State& state)
{
    QStringList pieces;
    for (int i = 0; i < state.range(0); ++i)
        pieces << QStringLiteral("COLUMN_%1").arg(i);
    const QString dropped = pieces.join(u',');
    for (auto _ : state) {
        state.PauseTiming();
        Workspace workspace(LargeCatalogue(20'000));
        workspace.doc->tvValues()->selectNode("key50");
        workspace.dialogs.inputAnswers = {QStringLiteral(",")};
        state.ResumeTiming();
        workspace.doc->tvValues_OLEDragDrop(dropped);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (workspace.doc->tvValues()->node("key50")->childCount() < pieces.size())
            state.SkipWithError("not every piece was added");
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_DropList)->Arg(10'000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
