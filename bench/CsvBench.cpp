// CSV export and import of 100,000 records, the import against reading the file alone.
#include "SampleData.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "store/DataFiles.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr size_t kRecords = 100'000;

const std::vector<std::string>& Records()
{
    static const std::vector<std::string> records = SampleRecordLines(kRecords);
    return records;
}

const std::string& ExportedFile()
{
    static const std::string text = ExportCsv(Records(), DefaultItemLines()).text;
    return text;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_CsvExport(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportCsv(Records(), DefaultItemLines()));
    state.counters["records"] = static_cast<double>(kRecords);
}

// Reading the file alone: encoding, delimiter and rows.
void BM_CsvParse(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadCsvTable(ExportedFile()));
    state.counters["rows"] = static_cast<double>(kRecords);
}

// The whole import plan: reading the file, the rows, duplicates, merging, the new lines.
// Argument 0 imports into an empty folder; 1 into the folder the file came from, where every
// row is a duplicate. The counter x_parse is the time against reading the file alone.
void BM_CsvImport(benchmark::State& state)
{
    const std::vector<std::string> stored = state.range(0) == 0 ? std::vector<std::string>() : Records();
    double parse = 0, import = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        const CsvTable table = ReadCsvTable(ExportedFile());
        parse += Seconds(start);
        start = std::chrono::steady_clock::now();
        const CsvImportPlan plan =
            PlanCsvImport(table, MatchCsvColumns(table.header), stored, DefaultItemLines(), {});
        import += Seconds(start);
        benchmark::DoNotOptimize(plan.lines.data());
    }
    state.counters["x_parse"] = (parse + import) / parse;
    state.counters["rows"] = static_cast<double>(kRecords);
}

} // namespace

BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
