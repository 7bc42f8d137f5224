// Reading a 20,000-row workbook of each format, as the import reads its sheet: opening the
// file's bytes, listing the sheets and laying out every cell of the sheet.
#include "SampleWorkbooks.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 20000;

void ReadSample(benchmark::State& state, std::unique_ptr<Workbook> (*open)(std::string), const std::string& bytes)
{
    size_t cells = 0;
    for (auto _ : state) {
        const std::unique_ptr<Workbook> workbook = open(bytes);
        const Sheet sheet = workbook->ReadSheet(workbook->SheetNames().front());
        cells = sheet.rows.size() * sheet.columnCount;
        benchmark::DoNotOptimize(sheet.rows.data());
    }
    state.counters["rows"] = static_cast<double>(kRows);
    state.counters["cells/s"] =
        benchmark::Counter(static_cast<double>(cells), benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_ReadXls20000Rows(benchmark::State& state)
{
    static const std::string bytes = SampleXls(kRows);
    ReadSample(state, OpenXlsWorkbook, bytes);
}
BENCHMARK(BM_ReadXls20000Rows)->Unit(benchmark::kMillisecond);

void BM_ReadXlsx20000Rows(benchmark::State& state)
{
    static const std::string bytes = SampleXlsx(kRows);
    ReadSample(state, OpenXlsxWorkbook, bytes);
}
BENCHMARK(BM_ReadXlsx20000Rows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
