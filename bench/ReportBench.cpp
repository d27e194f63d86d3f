// The report for the doctor: 366 days of a file of 100,000 records, from reading the data
// folder to the finished PDF.
#include "SampleData.h"
#include "report/NotebookJob.h"
#include "store/DataFiles.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>

namespace {

using namespace std::chrono;

void BM_ReportPdf366Days(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    CreateMissingDataFiles();
    const std::string bytes = SampleFileBytes(SampleRecordLines(static_cast<size_t>(state.range(0))));
    std::ofstream(kDataFileName, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<long>(bytes.size()));
    // A leap year of the sample's dates: 366 rows, every day with readings.
    const CalendarDay first{year{2012}, January, day{1}};
    const CalendarDay last{year{2012}, December, day{31}};
    const NotebookRequest request = NotebookRequestOf(first, last, last);
    for (auto _ : state) {
        const bool written = SaveNotebookPdf(QStringLiteral("report.pdf"), ReadNotebookSource(".", request));
        benchmark::DoNotOptimize(written);
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_ReportPdf366Days)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
