// The result pane on the real workspace window: loading and saving a body with a long result,
// and how long the window stays busy with one event while the user moves about in it.
#include "FieldsList.h"
#include "PeakMemory.h"
#include "ResultDocument.h"
#include "ResultView.h"
#include "RunWorkspace.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// A workspace whose template has just been run with n lines, its body saved.
struct RanWorkspace : RunWorkspace
{
    explicit RanWorkspace(int n) { run(n); }
};

void BM_LoadBody(benchmark::State& state)
{
    RanWorkspace workspace(int(state.range(0)));
    WorkspaceWindow& doc = *workspace.doc;
    for (auto _ : state) {
        doc.openTemplate(doc.templateTree()->node("key2"));
        doc.selectBodyTab(1);
        QCoreApplication::processEvents(); // painted
    }
    state.counters["lines"] = double(doc.resultPane()->resultDocument()->text().count(u'\n'));
}
BENCHMARK(BM_LoadBody)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// Saving both panes after the template was edited; the result is written from its text.
void BM_SaveBody(benchmark::State& state)
{
    RanWorkspace workspace(int(state.range(0)));
    WorkspaceWindow& doc = *workspace.doc;
    for (auto _ : state) {
        state.PauseTiming();
        doc.templatePane()->setPlainText(kFieldList + QStringLiteral(" "));
        state.ResumeTiming();
        doc.saveTemplate();
    }
    state.counters["body_MiB"] = double(workspace.app.readDataFile("TMP_key2").size()) / (1 << 20);
}
BENCHMARK(BM_SaveBody)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// What a hurried user does after a Run: to the end and back, a page down, select all, type.
// The figure is the longest single step, each step one input event and the paint it causes.
void BM_LongestEvent(benchmark::State& state)
{
    RanWorkspace workspace(int(state.range(0)));
    ResultView& view = *workspace.doc->resultPane();
    view.setFocus();
    using Step = std::function<void()>;
    const QList<Step> steps{
        [&] { QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier); },
        [&] { QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier); },
        [&] { view.verticalScrollBar()->setValue(0); },
        [&] { view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum()); },
        [&] { view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2); },
        [&] { QTest::keyClick(&view, Qt::Key_PageDown); },
        [&] { QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier); },
        [&] { QTest::keyClick(&view, Qt::Key_Right); },
        [&] { QTest::keyClicks(&view, QStringLiteral("x$")); },
        [&] { QTest::keyClick(&view, Qt::Key_Exclam); },
        [&] { QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier); },
    };
    double longest = 0;
    for (auto _ : state) {
        for (const Step& step : steps) {
            QElapsedTimer timer;
            timer.start();
            step();
            QCoreApplication::processEvents();
            longest = std::max(longest, timer.nsecsElapsed() / 1e6);
        }
    }
    state.counters["longest_ms"] = longest;
}
BENCHMARK(BM_LongestEvent)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(5)->ReportAggregatesOnly();

// Fill following from the first field: a thousand columns of one table into a long result.
void BM_FillFollowing(benchmark::State& state)
{
    QList<QByteArray> records{"2|Table|-1|0|3"};
    for (int k = 3; k < 1003; ++k)
        records << QByteArray::number(k) + "|Column" + QByteArray::number(k) + "|2|0|3";
    for (auto _ : state) {
        state.PauseTiming();
        RunWorkspace workspace(CatalogueFile(records));
        workspace.run(int(state.range(0)));
        workspace.doc->fieldsList()->setCurrentRow(0);
        workspace.doc->valueTree()->selectNode("key3");
        state.ResumeTiming();
        workspace.doc->fillFollowing();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (workspace.doc->fieldsList()->count() != state.range(0) - 1000)
            state.SkipWithError("not every field was filled");
        workspace.doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillFollowing)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(5)->ReportAggregatesOnly();

// Fill Rows: a table of n rows pasted into the dialog fills n repetitions of three fields with
// mirrors, the fields listed again after.
void BM_FillRowsThroughTheWindow(benchmark::State& state)
{
    const int n = int(state.range(0));
    QString table = QStringLiteral("name\ttype\tnote\n");
    for (int row = 1; row <= n; ++row)
        table += QStringLiteral("column number %1\tcharacter varying(50)\tnote %1\n").arg(row);
    for (auto _ : state) {
        state.PauseTiming();
        RunWorkspace workspace;
        workspace.run(n, QStringLiteral("[(    public $Type:csharp! $Col:pascal! { get; set; } // $Note! "
                                        "($Col:snake!, $col!)|1|n)]"));
        workspace.dialogs.onDialog = [&table](QDialog& dialog) {
            dialog.findChild<QPlainTextEdit*>()->setPlainText(table);
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        };
        state.ResumeTiming();
        workspace.doc->fillRows();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (workspace.doc->fieldsList()->count() != 0)
            state.SkipWithError("not every repetition was filled");
        workspace.doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillRowsThroughTheWindow)->Arg(10'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(5)->ReportAggregatesOnly();

// Undoing that fill: the text back in place and the fields listed again from it.
void BM_UndoFillFollowing(benchmark::State& state)
{
    QList<QByteArray> records{"2|Table|-1|0|3"};
    for (int k = 3; k < 1003; ++k)
        records << QByteArray::number(k) + "|Column" + QByteArray::number(k) + "|2|0|3";
    for (auto _ : state) {
        state.PauseTiming();
        RunWorkspace workspace(CatalogueFile(records));
        workspace.run(int(state.range(0)));
        workspace.doc->fieldsList()->setCurrentRow(0);
        workspace.doc->valueTree()->selectNode("key3");
        workspace.doc->fillFollowing();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        workspace.doc->resultPane()->undo();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (workspace.doc->fieldsList()->count() != state.range(0))
            state.SkipWithError("the fields did not come back");
        workspace.doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoFillFollowing)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->Repetitions(3)->ReportAggregatesOnly();

} // namespace
