// Reading a DBC file of 1,000 frames and 10,000 signals from memory; bench/compare-dbc.sh sets
// whole runs of read_dbc against canmatrix loading the same file.
#include "SampleDbc.h"
#include "canbus/DbcReader.h"

#include <benchmark/benchmark.h>

namespace {

void ReadSampleDbc(benchmark::State& state)
{
    const std::string text = SampleDbc(1000, 10);
    for (auto _ : state) {
        DbcDatabase database = ReadDbc(text, "sample.dbc");
        benchmark::DoNotOptimize(database);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadSampleDbc)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
