// Printing a long template pane to a PDF file, page by page.
#include "PrintTools.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

void PrintLongTemplate(benchmark::State& state)
{
    QTemporaryDir dir;
    QTextDocument pane;
    QStringList lines;
    for (int i = 1; i <= state.range(0); ++i)
        lines << QStringLiteral("[($Field%1!|1|n)(,|1|n-1)]").arg(i);
    pane.setPlainText(lines.join('\n'));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath("bench.pdf"));
    for (auto _ : state)
        PrintRichText(pane, printer, 0, 0, 0, 0);
}
BENCHMARK(PrintLongTemplate)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
