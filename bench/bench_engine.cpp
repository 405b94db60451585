// Figures for the template engine: expansion and field listing over growing ranges.
#include "Expansion.h"
#include "FieldFill.h"
#include "TextRules.h"

#include <benchmark/benchmark.h>

namespace {

const QString kFieldList = QStringLiteral("[($Field!|1|n)(,|1|n-1)]");

AskValue Answer(qint64 n)
{
    return [n](const QString&) { return std::optional<QString>(QString::number(n)); };
}

void BM_GenerateResult(benchmark::State& state)
{
    const AskValue ask = Answer(state.range(0));
    for (auto _ : state) {
        ExpansionResult result = GenerateResult(kFieldList, false, ask);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GenerateResult)->Arg(250'000)->Arg(500'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The same with a progress callback that never cancels: what a window pays for its
// progress dialog.
void BM_GenerateResultWithProgress(benchmark::State& state)
{
    ExpansionRequest request;
    request.answers.Set(QStringLiteral("n"), QString::number(state.range(0)));
    qint64 seen = 0;
    request.progress = [&seen](qint64 done, qint64) {
        seen = done;
        return true;
    };
    for (auto _ : state) {
        ExpansionResult result = GenerateResult(kFieldList, request);
        benchmark::DoNotOptimize(result.text.data());
    }
    benchmark::DoNotOptimize(seen);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GenerateResultWithProgress)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The same expansion with markers that force the literal numbering on every step.
void BM_GenerateResultLiteralNumbering(benchmark::State& state)
{
    const QString templateText = QStringLiteral("[($a $Field!|1|n)]");
    const AskValue ask = Answer(state.range(0));
    for (auto _ : state) {
        ExpansionResult result = GenerateResult(templateText, false, ask);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GenerateResultLiteralNumbering)->Arg(100'000)->Arg(200'000)->Unit(benchmark::kMillisecond);

// Many small distinct tokens, each named bound answered once per pass: the lookups of
// each token's groups must not grow with the number of tokens.
void BM_ManyTokens(benchmark::State& state)
{
    QString templateText;
    for (qint64 i = 0; i < state.range(0); ++i)
        templateText += QStringLiteral("[($c%1!|1|n)]\n").arg(i);
    const AskValue ask = Answer(2);
    for (auto _ : state) {
        ExpansionResult result = GenerateResult(templateText, false, ask);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ManyTokens)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// One group holding many distinct field markers; with the second argument 1 they are
// named so that a numbered marker equals another marker ("$f1!" numbered 1 is "$f10001!"),
// which makes the numbering follow the replace-all sequence marker by marker.
void BM_ManyDistinctMarkers(benchmark::State& state)
{
    const QString marker = state.range(1) ? QStringLiteral("$f%1! ") : QStringLiteral("$f%1x! ");
    QString group;
    for (qint64 i = 0; i < state.range(0); ++i)
        group += marker.arg(i);
    const QString templateText = QStringLiteral("[(") + group + QStringLiteral("|1|2)]");
    const AskValue ask = Answer(2);
    for (auto _ : state) {
        ExpansionResult result = GenerateResult(templateText, false, ask);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ManyDistinctMarkers)->Args({40'000, 0})->Args({40'000, 1})->Unit(benchmark::kMillisecond);

void BM_ListFields(benchmark::State& state)
{
    const QString result = GenerateResult(kFieldList, false, Answer(state.range(0))).text;
    for (auto _ : state) {
        TextPieces fields = ListFields(result);
        benchmark::DoNotOptimize(fields.spans.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListFields)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The same list for a class template whose lines each hold a field and three mirrors of it.
const QString kMirrorList = QStringLiteral("[(  public $Type:csharp! $Col:pascal! { get; } // $Col! $Col:snake!\n|1|n)]");

void BM_ListFieldsWithMirrors(benchmark::State& state)
{
    const QString result = GenerateResult(kMirrorList, false, Answer(state.range(0))).text;
    for (auto _ : state) {
        TextPieces fields = ListFields(result);
        benchmark::DoNotOptimize(fields.spans.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListFieldsWithMirrors)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The edits one fill makes in a million-line result, for a field in the middle: 0, a result
// without mirrors searched as fills were before mirrors (FindOccurrences alone); 1, the same
// result through FillEdits; 2, the mirror template, a field with three mirrors; 3, the
// mirror template's result searched for the field alone, as before mirrors.
void BM_FillEdits(benchmark::State& state)
{
    const qint64 lines = 1'000'000;
    const bool mirrors = state.range(0) >= 2;
    const QString result = GenerateResult(mirrors ? kMirrorList : kFieldList, false, Answer(lines)).text;
    const QString field = (mirrors ? QStringLiteral("$Col%1!") : QStringLiteral("$Field%1!")).arg(lines / 2);
    for (auto _ : state) {
        if (state.range(0) % 3 == 0) {
            QList<qsizetype> found = FindOccurrences(result, field);
            benchmark::DoNotOptimize(found.data());
        } else {
            FieldFill fill = FillEdits(result, field, QStringLiteral("customer id"));
            benchmark::DoNotOptimize(fill.edits.data());
        }
    }
}
BENCHMARK(BM_FillEdits)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_ColourSpans(benchmark::State& state)
{
    const QString result = GenerateResult(kFieldList, false, Answer(state.range(0))).text;
    for (auto _ : state) {
        QList<TextSpan> spans = ColourSpans(result, QStringLiteral("$"), QStringLiteral("!"));
        benchmark::DoNotOptimize(spans.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ColourSpans)->Arg(100'000)->Arg(200'000)->Unit(benchmark::kMillisecond);

} // namespace
