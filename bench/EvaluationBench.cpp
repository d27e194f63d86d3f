// The evaluation of a long log against one pass that parses every record: the page and the
// command line classify every record of the period into occasions and average them.
#include "SampleData.h"

#include "evaluation/EvaluationChart.h"
#include "evaluation/PeriodEvaluation.h"
#include "platform/LocalMoment.h"

#include <benchmark/benchmark.h>

namespace {

const std::vector<std::string>& Records(size_t count)
{
    static std::vector<std::string> lines;
    if (lines.size() != count)
        lines = SampleRecordLines(count);
    return lines;
}

CalendarDay Today()
{
    return LocalDay(CTime::GetCurrentTime());
}

// The baseline: every record parsed into its fields, numbers and date-time once.
void BM_ParseEveryRecord(benchmark::State& state)
{
    const std::vector<std::string>& lines = Records(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        for (const std::string& line : lines) {
            MEASUREMENT m = ParseRecordLine(line);
            benchmark::DoNotOptimize(m);
            benchmark::DoNotOptimize(ReadMoment(m.dateTime));
        }
}

// From the oldest record to today, as 期間を指定 or --from --to over the whole log.
void BM_EvaluateWholeLog(benchmark::State& state)
{
    const std::vector<std::string>& lines = Records(static_cast<size_t>(state.range(0)));
    const RecordPeriod period = BetweenDays(kEarliestStoredDay, Today());
    for (auto _ : state) {
        const OccasionTable occasions = ClassifyOccasions(lines, {1, 3}, period);
        benchmark::DoNotOptimize(EvaluatePeriod(occasions));
    }
}

// The chart of the last 28 days of a long log: the page draws it at every paint.
void BM_EvaluationChart(benchmark::State& state)
{
    const std::vector<std::string>& lines = Records(100000);
    const RecordPeriod period = LastDays(Today(), 28);
    const OccasionTable occasions = ClassifyOccasions(lines, {1, 3}, period);
    const ChartDays days = ChartDaysOf(period, Today(), occasions);
    const EvaluationChartInput input{days.first, days.last, occasions.days, 125, 75};
    for (auto _ : state)
        benchmark::DoNotOptimize(PlotEvaluationChart(700, 300, input));
}

} // namespace

BENCHMARK(BM_ParseEveryRecord)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateWholeLog)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluationChart)->Unit(benchmark::kMicrosecond);
