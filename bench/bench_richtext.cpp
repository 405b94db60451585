// Rich text panes: loading and saving a large result pane, colouring many field markers,
// and the recolour a "]" typed in a long template causes.
#include "PaneColouring.h"
#include "PaneRichText.h"
#include "SourcePaneColourer.h"
#include "TextRules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

QFont PaneFont()
{
    return QFont("DejaVu Sans Mono", 10);
}

// A result pane as Run leaves it, markers red: "$Field0001!," lines (one marker each, as
// "[($Field!|1|n)(,|1|n-1)]" gives) or "m_$Field0001! = other.$Field0001!;" lines (two).
QString ResultText(int lines, int markersPerLine)
{
    QString text;
    for (int i = 1; i <= lines; ++i) {
        const QString number = QString::number(i).rightJustified(4, u'0');
        text += markersPerLine == 1 ? "$Field" + number + "!,\n"
                                    : "    m_$Field" + number + "! = other.$Field" + number + "!; // copy\n";
    }
    return text;
}

std::unique_ptr<QTextEdit> Pane(const QString& text)
{
    auto pane = std::make_unique<QTextEdit>();
    pane->document()->setDefaultFont(PaneFont());
    pane->resize(900, 700);
    pane->show();
    pane->setPlainText(text);
    return pane;
}

QString ResultRichText(int markersPerLine)
{
    auto pane = Pane(ResultText(100000, markersPerLine));
    RecolourTemplate(*pane->document()); // markers red, as the panes show them
    return PaneRichText(*pane);
}

void BM_LoadResultPane100kLines(benchmark::State& state)
{
    const QString rtf = ResultRichText(int(state.range(0)));
    auto pane = Pane({});
    for (auto _ : state) {
        SetPaneRichText(*pane, rtf);
        QCoreApplication::processEvents(); // first paint included
    }
    state.counters["rtf_bytes"] = double(rtf.size());
}

void BM_SaveResultPane100kLines(benchmark::State& state)
{
    auto pane = Pane({});
    SetPaneRichText(*pane, ResultRichText(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(PaneRichText(*pane));
}

void BM_ColourFieldMarkers(benchmark::State& state)
{
    const int lines = int(state.range(0));
    const QString text = ResultText(lines / 2, 2);
    auto pane = Pane(text);
    for (auto _ : state) {
        state.PauseTiming();
        pane->setPlainText(text);
        state.ResumeTiming();
        RecolourTemplate(*pane->document());
    }
    state.counters["spans"] = double(ColourSpans(text, "$", "!").size());
}

void BM_TypeClosingBracket2000Lines(benchmark::State& state)
{
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("INSERT INTO $Table! ([($Col!|1|n)(,|1|n-1)]) VALUES ([(:$Col!|1|n)(,|1|n-1)]);\n");
    text += "[($Last!|1|n)";
    auto pane = Pane({});
    bool resultBusy = false;
    SetPaneRichText(*pane, text);
    SourcePaneColourer colourer(*pane, resultBusy);
    QObject::connect(pane.get(), &QTextEdit::textChanged, [&] { colourer.templateTextChanged(); });
    RecolourTemplate(*pane->document());
    pane->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_BracketRight, Qt::NoModifier, "]");
        QApplication::sendEvent(pane.get(), &press);
        state.PauseTiming();
        pane->undo(); // the colouring
        pane->undo(); // the bracket
        pane->moveCursor(QTextCursor::End);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_LoadResultPane100kLines)->ArgName("markers_per_line")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SaveResultPane100kLines)->ArgName("markers_per_line")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ColourFieldMarkers)->ArgName("spans")->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ColourFieldMarkers)->ArgName("spans")->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_TypeClosingBracket2000Lines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
