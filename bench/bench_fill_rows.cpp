// Figures for filling a result from a table: every repetition from its row, and one field with
// its mirrors in a long result; each in the engine alone and into the result pane's document.
#include "Expansion.h"
#include "FieldNumbering.h"
#include "FillRows.h"
#include "ResultDocument.h"
#include "TextEdits.h"

#include <benchmark/benchmark.h>

namespace {

// Three fields, each with mirrors, in every repetition.
const QString kClassTemplate =
    QStringLiteral("[(    public $Type:csharp! $Col:pascal! { get; set; } // $Note! ($Col:snake!, $col!)|1|n)]");
const QString kMirrorsTemplate = QStringLiteral("[($Col! = $Col:pascal!, $Col:snake!, $Col:upper!;|1|n)]");

QString Expanded(const QString& templateText, qint64 n)
{
    return GenerateResult(templateText, false, [n](const QString&) { return std::optional(QString::number(n)); }).text;
}

TableRows Columns(qsizetype rows)
{
    static const QStringList types{"integer", "character varying(50)", "timestamp", "numeric(10,2)", "jsonb"};
    TableRows table{{"name", "type", "note"}, {}, {}};
    for (qsizetype row = 1; row <= rows; ++row)
        table.rows.append({QStringLiteral("column number %1").arg(row), types[row % types.size()],
                           QStringLiteral("note %1").arg(row)});
    return table;
}

RowFill Fill(const QString& text, const TableRows& table)
{
    const QStringList names = RowFieldNames(kClassTemplate, text);
    return FillRows(text, names, MatchColumns(names, table.columns), table);
}

void BM_FillRows(benchmark::State& state)
{
    const QString expanded = Expanded(kClassTemplate, state.range(0));
    const TableRows table = Columns(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QString text = expanded;
        text.detach();
        state.ResumeTiming();
        const RowFill fill = Fill(text, table);
        ApplyTextEdits(text, fill.edits.edits);
        if (fill.filled != state.range(0) || text.contains(u'$'))
            state.SkipWithError("not every repetition was filled");
    }
}
BENCHMARK(BM_FillRows)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The same into the result pane's document, as one undo step.
void BM_FillRowsIntoResultDocument(benchmark::State& state)
{
    const QString expanded = Expanded(kClassTemplate, state.range(0));
    const TableRows table = Columns(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        ResultDocument document;
        document.setResult(expanded);
        state.ResumeTiming();
        const QStringList names = RowFieldNames(kClassTemplate, document.text());
        document.fillRows(names, MatchColumns(names, table.columns), table);
        state.PauseTiming();
        if (document.text().contains(u'$'))
            state.SkipWithError("not every repetition was filled");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillRowsIntoResultDocument)->Arg(10'000)->Unit(benchmark::kMillisecond);

// One field in the middle of a long result, with its three mirrors.
void BM_FillOneFieldWithMirrors(benchmark::State& state)
{
    const QString expanded = Expanded(kMirrorsTemplate, state.range(0));
    const QString marker = u'$' + QStringLiteral("Col") + CounterText(state.range(0) / 2) + u'!';
    for (auto _ : state) {
        state.PauseTiming();
        QString text = expanded;
        text.detach();
        state.ResumeTiming();
        const FieldFill fill = FillEdits(text, marker, QStringLiteral("unit price"));
        ApplyTextEdits(text, fill.edits);
        if (fill.edits.size() != 4)
            state.SkipWithError("the field and its mirrors were not all filled");
    }
}
BENCHMARK(BM_FillOneFieldWithMirrors)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_FillOneFieldWithMirrorsIntoResultDocument(benchmark::State& state)
{
    const QString expanded = Expanded(kMirrorsTemplate, state.range(0));
    const QString marker = u'$' + QStringLiteral("Col") + CounterText(state.range(0) / 2) + u'!';
    for (auto _ : state) {
        state.PauseTiming();
        ResultDocument document;
        document.setResult(expanded);
        state.ResumeTiming();
        if (document.substitute(marker, QStringLiteral("unit price")) != 4)
            state.SkipWithError("the field and its mirrors were not all filled");
        state.PauseTiming();
        document.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillOneFieldWithMirrorsIntoResultDocument)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
