// Writing a large result into the result pane and filling one field in on it.
#include "PeakMemory.h"
#include "ResultPane.h"

#include <QApplication>
#include <QFile>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

// What Run produces for [($Field!|1|n)(,|1|n-1)]: one numbered marker per line.
QString fieldLines(int lines)
{
    QString text;
    text.reserve(qsizetype(lines) * 14);
    for (int k = 1; k <= lines; ++k) {
        text += QStringLiteral("$Field%1!").arg(k, 4, 10, QLatin1Char('0'));
        text += k < lines ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    return text;
}

QTextEdit& shownPane()
{
    static QTextEdit* pane = [] {
        auto* edit = new QTextEdit;
        edit->resize(900, 700);
        edit->show();
        return edit;
    }();
    return *pane;
}

// Writing, then the layout the pane must finish before the caret at the end can be shown.
void BM_WriteResultPane(benchmark::State& state)
{
    const QString text = fieldLines(int(state.range(0)));
    QTextEdit& pane = shownPane();
    for (auto _ : state) {
        WriteResultPane(pane, text);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(pane.document()->size());
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_WriteResultPane)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(3)->ReportAggregatesOnly();

// A field that occurs once, a different one each time, on a pane already laid out.
void BM_SubstituteField(benchmark::State& state)
{
    const int lines = int(state.range(0));
    static int written = 0;
    static int next = 1;
    QTextEdit& pane = shownPane();
    if (written != lines) {
        WriteResultPane(pane, fieldLines(lines));
        pane.document()->size();
        written = lines;
        next = 1;
    }
    for (auto _ : state) {
        const QString marker = QStringLiteral("$FIELD%1!").arg(next, 4, 10, QLatin1Char('0'));
        next += lines / 16;
        benchmark::DoNotOptimize(SubstituteField(*pane.document(), marker, QStringLiteral("CustomerId")));
        QCoreApplication::processEvents();
    }
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(BM_SubstituteField)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(9)->ReportAggregatesOnly();

} // namespace
