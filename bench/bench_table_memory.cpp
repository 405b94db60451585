// Peak memory of reading damaged and hostile table files of 6 and 16 MB, each read in a process
// of its own so that one shape's peak does not hide the next one's: read_peak_MiB is what the read
// added to the process. The reader must stay within 20 times the file's size plus 50 MB
// (bound_MiB), and refuse with a message what it cannot read.
#include "DamagedTableFiles.h"
#include "DataStore.h"
#include "FailureReporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

struct Silent final : FailureReporter
{
    int count = 0;
    void reportFailure(const QString&) override { ++count; }
};

double StatusMiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Reads the table in a child process; its exit code says whether the table was read (0), refused
// with a message (1) or refused silently (2). The child's peak resident memory above what it had
// when the read began comes back in MiB: the parent's own pages do not count.
std::pair<int, double> ReadInChild(const QString& folder)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {-1, 0};
    const pid_t child = fork();
    if (child == 0) {
        Silent silent;
        FailureReporter::install(&silent);
        DataStore store(folder);
        // Heap pages the parent freed would otherwise be reused without counting.
        malloc_trim(0);
        QFile peakReset(QStringLiteral("/proc/self/clear_refs"));
        if (!peakReset.open(QIODevice::WriteOnly) || peakReset.write("5") != 1)
            _exit(3);
        peakReset.close();
        const double before = StatusMiB("VmRSS:");
        const bool read = store.readTable(QStringLiteral("Data\\Values.app")).has_value();
        const double grown = StatusMiB("VmHWM:") - before;
        if (write(channel[1], &grown, sizeof grown) != sizeof grown)
            _exit(3);
        _exit(read ? 0 : silent.count > 0 ? 1 : 2);
    }
    close(channel[1]);
    double grown = 0;
    const bool reported = read(channel[0], &grown, sizeof grown) == sizeof grown;
    close(channel[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !reported)
        return {-1, 0};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, grown};
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
        state.counters["read_peak_MiB"] = peak;
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
