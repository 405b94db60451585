#include "FailureReporter.h"
#include "DataStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

// A catalogue file of 20,000 records (five fields, names of 10 to 30 characters) in a fresh folder.
class Catalogue
{
public:
    Catalogue()
    {
        QDir(folder_.path()).mkdir(QStringLiteral("Data"));
        std::mt19937 random(42);
        std::uniform_int_distribution<int> length(10, 30);
        std::uniform_int_distribution<int> letter('a', 'z');
        bytes_ = "\"ID|Name|ParentID|Spare|Image";
        for (int id = 1; id <= 20000; ++id) {
            QByteArray name;
            for (int n = length(random); n > 0; --n)
                name += static_cast<char>(letter(random));
            bytes_ += "\xB1" + QByteArray::number(id) + '|' + name + '|' + QByteArray::number(id / 10 - 1) + "|0|"
                      + QByteArray::number(id % 2 + 1);
        }
        bytes_ += "\"\r\n";
        reset();
    }

    void reset() const
    {
        QFile file(folder_.path() + QStringLiteral("/Data/Values.app"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes_) != bytes_.size())
            std::abort();
    }

    QString path() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
    QByteArray bytes_;
};

void readTable(benchmark::State& state)
{
    const Catalogue catalogue;
    DataStore store(catalogue.path());
    for (auto _ : state) {
        std::optional<Recordset> table = store.readTable(QStringLiteral("Data\\Values.app"));
        if (!table || table->recordCount() != 20000)
            state.SkipWithError("the catalogue did not read back whole");
        benchmark::DoNotOptimize(table);
    }
}

void insertRecord(benchmark::State& state)
{
    const Catalogue catalogue;
    DataStore store(catalogue.path());
    const QVariantList record{20001, QStringLiteral("AddedCustomerName"), 7, 0, 1};
    for (auto _ : state) {
        std::optional<Recordset> table = store.insertRecord(QStringLiteral("Data\\Values.app"), record);
        if (!table || table->recordCount() != 20001)
            state.SkipWithError("the record was not inserted");
        benchmark::DoNotOptimize(table);
        state.PauseTiming();
        catalogue.reset();
        state.ResumeTiming();
    }
}

// 40 KB table files shaped to make padding of short records grow with the square of the file:
// a 20,000-field header followed by 10,000 one-field records, and the same with empty records.
void HostileTableFile(benchmark::State& state)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("Data"));
    const QByteArray record = state.range(0) ? QByteArrayLiteral("\xB1x") : QByteArrayLiteral("\xB1");
    const QByteArray bytes = "\"ID" + QByteArray(20000, '|') + record.repeated(10000) + "\"\r\n";
    QFile file(folder.path() + QStringLiteral("/Data/Values.app"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    DataStore store(folder.path());
    struct Silent final : FailureReporter
    {
        void reportFailure(const QString&) override {}
    } silent;
    FailureReporter* const previous = FailureReporter::install(&silent);
    for (auto _ : state) {
        // The short records are refused as a damaged file; the empty ones read as no records.
        std::optional<Recordset> table = store.readTable(QStringLiteral("Data\\Values.app"));
        if (table.has_value() == bool(state.range(0)))
            state.SkipWithError("the hostile file was not read as expected");
        benchmark::DoNotOptimize(table);
    }
    FailureReporter::install(previous);
}

// A 16 MB body read, against the fingerprint every load and every write of a body now takes
// (Arg 0: readBody, Arg 1: bodyVersion).
void LargeBody(benchmark::State& state)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("Data"));
    DataStore store(folder.path());
    const QString line = QStringLiteral("\\cf1 [($Col!|1|n)]\\cf0  SELECT a, b, c FROM t WHERE x = 1\r\n\\par ");
    if (!store.writeBody(QStringLiteral("TMP_key2"), line.repeated(16 * 1024 * 1024 / line.size())))
        std::abort();
    for (auto _ : state) {
        if (state.range(0))
            benchmark::DoNotOptimize(store.bodyVersion(QStringLiteral("TMP_key2")));
        else
            benchmark::DoNotOptimize(store.readBody(QStringLiteral("TMP_key2")));
    }
}

} // namespace

BENCHMARK(LargeBody)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(HostileTableFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(readTable)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(insertRecord)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
