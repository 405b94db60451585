#include "LargeBuffers.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// Every benchmark program runs inside a QApplication, offscreen unless the caller chose a platform,
// with the program's own memory settings.
int main(int argc, char** argv)
{
    KeepLargeBuffersInHeap();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
