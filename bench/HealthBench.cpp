// A synthetic Apple Health export.xml of 200 MiB, written once at the start of the run (never
// committed), streamed into an import plan: the time, and the peak memory above what the
// program held before, which must stay flat (under 100 MiB) however large the file is.
#include "csv/CsvImport.h"
#include "csv/ImportFile.h"
#include "store/DataFiles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr long long kFileBytes = 200LL << 20;

std::string Stamp(int minute)
{
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:00 +0900", 2020 + minute / 525600,
                  minute / 43200 % 12 + 1, minute / 1440 % 28 + 1, minute / 60 % 24, minute % 60);
    return text;
}

std::string Record(const char* type, const char* unit, const std::string& start, int value)
{
    return "  <Record type=\"" + std::string(type) +
           "\" sourceName=\"Watch\" sourceVersion=\"10.1\" unit=\"" + unit + "\" creationDate=\"" + start +
           "\" startDate=\"" + start + "\" endDate=\"" + start + "\" value=\"" + std::to_string(value) +
           "\"/>\n";
}

// The generated file, removed when the run ends.
struct CTempFile
{
    std::string path;
    ~CTempFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

// Heart rates and step counts, with a blood-pressure correlation every 40 records: as an
// export's share of readings is small.
const std::string& ExportPath()
{
    static const CTempFile file{[] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "velliqa-bench-export.xml").string();
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE HealthData [\n"
               "<!ELEMENT HealthData (ExportDate,Me,(Record|Correlation)*)>\n]>\n<HealthData "
               "locale=\"ja_JP\">\n";
        long long written = 0;
        for (int minute = 0; written < kFileBytes; ++minute) {
            const std::string start = Stamp(minute);
            std::string chunk =
                Record("HKQuantityTypeIdentifierHeartRate", "count/min", start, 60 + minute % 40) +
                Record("HKQuantityTypeIdentifierStepCount", "count", start, minute % 900);
            if (minute % 20 == 0) {
                const std::string type = "HKCorrelationTypeIdentifierBloodPressure";
                chunk += " <Correlation type=\"" + type + "\" sourceName=\"Watch\" startDate=\"" + start +
                         "\">\n" +
                         Record("HKQuantityTypeIdentifierBloodPressureSystolic", "mmHg", start,
                                110 + minute % 50) +
                         Record("HKQuantityTypeIdentifierBloodPressureDiastolic", "mmHg", start,
                                70 + minute % 30) +
                         " </Correlation>\n";
            }
            out << chunk;
            written += static_cast<long long>(chunk.size());
        }
        out << "</HealthData>\n";
        return file;
    }()};
    return file.path;
}

// A field of /proc/self/status in KiB ("VmHWM", "VmRSS").
long long StatusKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field + ":"))
            return std::stoll(line.substr(field.size() + 1));
    }
    return 0;
}

void BM_HealthExport200MiB(benchmark::State& state)
{
    const std::string& path = ExportPath();
    double peakAboveMiB = 0;
    size_t rows = 0;
    for (auto _ : state) {
        std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from what is held now
        const long long before = StatusKiB("VmRSS");
        const ImportFileRead read = ReadImportFile(path);
        const CsvImportPlan plan =
            PlanCsvImport(read.table, MatchCsvColumns(read.table.header), {}, DefaultItemLines(), {});
        rows = plan.rows.size();
        peakAboveMiB = std::max(peakAboveMiB, static_cast<double>(StatusKiB("VmHWM") - before) / 1024);
        benchmark::DoNotOptimize(plan);
    }
    state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    state.counters["readings"] = static_cast<double>(rows);
    state.counters["peak_above_MiB"] = peakAboveMiB;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

} // namespace

BENCHMARK(BM_HealthExport200MiB)->Iterations(1)->Unit(benchmark::kMillisecond);
