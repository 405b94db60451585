// Peak memory of reading damaged and hostile table files of 6 and 16 MB, each read in a process
// of its own so that one shape's peak does not hide the next one's. The reader must stay within
// 20 times the file's size plus 50 MB, and refuse with a message what it cannot read.
#include "DamagedTableFiles.h"
#include "DataStore.h"
#include "FailureReporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

struct Silent final : FailureReporter
{
    int count = 0;
    void reportFailure(const QString&) override { ++count; }
};

// Reads the table in a child process; its exit code says whether the table was read (0), refused
// with a message (1) or refused silently (2). The child's peak resident size comes back in MiB.
std::pair<int, double> ReadInChild(const QString& folder)
{
    const pid_t child = fork();
    if (child == 0) {
        Silent silent;
        FailureReporter::install(&silent);
        DataStore store(folder);
        const bool read = store.readTable(QStringLiteral("Data\\Values.app")).has_value();
        _exit(read ? 0 : silent.count > 0 ? 1 : 2);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
        return {-1, 0};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss / 1024.0};
}

void ReadDamagedTable(benchmark::State& state)
{
    const qsizetype size = state.range(0) * 1024 * 1024;
    const DamagedTableFile damaged = DamagedTableFiles(size).at(state.range(1));
    state.SetLabel(damaged.shape.toStdString());
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("Data"));
    {
        QFile file(folder.path() + QStringLiteral("/Data/Values.app"));
        if (!file.open(QIODevice::WriteOnly) || file.write(damaged.bytes) != damaged.bytes.size())
            std::abort();
    }
    const double fileMiB = damaged.bytes.size() / kMiB;
    for (auto _ : state) {
        const auto [outcome, peak] = ReadInChild(folder.path());
        if (outcome != (damaged.readable ? 0 : 1))
            state.SkipWithError("the file was not read or refused with a message as expected");
        state.counters["file_MiB"] = fileMiB;
        state.counters["peak_MiB"] = peak;
        state.counters["bound_MiB"] = 20 * fileMiB + 50;
    }
}

void Shapes(benchmark::internal::Benchmark* benchmark)
{
    const qsizetype shapes = DamagedTableFiles(4096).size();
    for (const int mib : {6, 16})
        for (qsizetype shape = 0; shape < shapes; ++shape)
            benchmark->Args({mib, shape});
}

} // namespace

BENCHMARK(ReadDamagedTable)->Apply(Shapes)->Iterations(1)->Unit(benchmark::kMillisecond);
