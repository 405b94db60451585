// Find and Replace on a large result pane: the whole pane is rewritten in one edit.
#include "PaneSearch.h"

#include <QApplication>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

QString resultText(int lines)
{
    QString text;
    for (int i = 1; i <= lines; ++i)
        text += QStringLiteral("$Field%1!, $Table!.$Column%1!\n").arg(i, 4, 10, QChar('0'));
    return text;
}

void ReplaceEveryTableMarker(benchmark::State& state)
{
    QTextEdit pane;
    const QString text = resultText(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        pane.setPlainText(text);
        state.ResumeTiming();
        ReplaceInPane(&pane, QStringLiteral("$table!"), QStringLiteral("CUSTOMERS"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReplaceEveryTableMarker)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void FindTheLastMarker(benchmark::State& state)
{
    QTextEdit pane;
    pane.setPlainText(resultText(int(state.range(0))));
    const QString last = QStringLiteral("$Column%1!").arg(state.range(0), 4, 10, QChar('0'));
    for (auto _ : state)
        benchmark::DoNotOptimize(FindInPane(&pane, last, 0));
}
BENCHMARK(FindTheLastMarker)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
