#include "evaluation/PeriodEvaluation.h"

#include <cmath>

namespace {

// Sums of occasion values can reach 2^31 * 2 * days; their cross products need more than 64 bits.
using Wide = __int128;

Wide FloorDiv(Wide num, Wide den)
{
    const Wide q = num / den;
    return (num % den != 0 && (num < 0) != (den < 0)) ? q - 1 : q;
}

long long HalfUp(Wide num, Wide den)
{
    return static_cast<long long>(FloorDiv(2 * num + den, 2 * den));
}

long long HalfAway(Wide num, Wide den)
{
    const Wide magnitude = FloorDiv(2 * (num < 0 ? -num : num) + den, 2 * den);
    return static_cast<long long>(num < 0 ? -magnitude : magnitude);
}

// An exact mean of occasion values: every occasion value is a whole or a half, so twice it is a
// whole number, and the mean is twiceSum / (2 * count).
struct HalfSum
{
    long long twiceSum = 0;
    long long count = 0;

    void Add(double value)
    {
        twiceSum += std::llround(value * 2);
        ++count;
    }
    std::optional<long> Rounded() const
    {
        if (count == 0)
            return std::nullopt;
        return static_cast<long>(HalfUp(twiceSum, 2 * static_cast<Wide>(count)));
    }
    std::optional<double> Exact() const
    {
        if (count == 0)
            return std::nullopt;
        return static_cast<double>(twiceSum) / static_cast<double>(2 * count);
    }
};

struct OccasionSums
{
    HalfSum max, min, pulse;
};

OccasionSummary Summarise(const OccasionSums& sums)
{
    OccasionSummary s;
    s.days = static_cast<int>(sums.max.count);
    s.average = {sums.max.Rounded(), sums.min.Rounded(), sums.pulse.Rounded()};
    s.exactMax = sums.max.Exact();
    s.exactMin = sums.min.Exact();
    s.exactPulse = sums.pulse.Exact();
    if (s.days >= kMinimumEvaluationDays)
        s.category = CategoryOf(*s.average.max, *s.average.min);
    return s;
}

// Morning a / (2 da) and evening b / (2 db): their mean is (a db + b da) / (4 da db), their
// difference (a db - b da) / (2 da db).
std::optional<long> MeanOf(const HalfSum& m, const HalfSum& e)
{
    if (m.count == 0 || e.count == 0)
        return std::nullopt;
    const Wide num = static_cast<Wide>(m.twiceSum) * e.count + static_cast<Wide>(e.twiceSum) * m.count;
    return static_cast<long>(HalfAway(num, 4 * static_cast<Wide>(m.count) * e.count));
}

std::optional<long> DifferenceOf(const HalfSum& m, const HalfSum& e)
{
    if (m.count == 0 || e.count == 0)
        return std::nullopt;
    const Wide num = static_cast<Wide>(m.twiceSum) * e.count - static_cast<Wide>(e.twiceSum) * m.count;
    return static_cast<long>(HalfAway(num, 2 * static_cast<Wide>(m.count) * e.count));
}

std::string Cell(const std::optional<long>& value)
{
    return value ? std::to_string(*value) : std::string("-");
}

EvaluationRow OccasionRow(std::string name, const OccasionSummary& s)
{
    std::string category = "-";
    if (s.category)
        category = CategoryName(*s.category);
    else if (s.days > 0)
        category = kTooFewDaysText;
    return {std::move(name),     std::to_string(s.days), Cell(s.average.max),
            Cell(s.average.min), Cell(s.average.pulse),  std::move(category)};
}

EvaluationRow FiguresRow(std::string name, const PressureFigures& f)
{
    return {std::move(name), "-", Cell(f.max), Cell(f.min), Cell(f.pulse), "-"};
}

} // namespace

long long RoundHalfUp(long long num, long long den)
{
    return HalfUp(num, den);
}

long long RoundHalfAway(long long num, long long den)
{
    return HalfAway(num, den);
}

PressureCategory CategoryOf(long max, long min)
{
    if (max >= 160 || min >= 100)
        return PressureCategory::Hypertension3;
    if (max >= 145 || min >= 90)
        return PressureCategory::Hypertension2;
    if (max >= 135 || min >= 85)
        return PressureCategory::Hypertension1;
    if (max >= 125 || min >= 75)
        return PressureCategory::Elevated;
    if (max >= 115)
        return PressureCategory::HighNormal;
    return PressureCategory::Normal;
}

std::string_view CategoryName(PressureCategory category)
{
    switch (category) {
    case PressureCategory::Normal:
        return "正常血圧";
    case PressureCategory::HighNormal:
        return "正常高値血圧";
    case PressureCategory::Elevated:
        return "高値血圧";
    case PressureCategory::Hypertension1:
        return "I度高血圧";
    case PressureCategory::Hypertension2:
        return "II度高血圧";
    case PressureCategory::Hypertension3:
        return "III度高血圧";
    }
    return {};
}

PeriodEvaluation EvaluatePeriod(const OccasionTable& occasions)
{
    OccasionSums sums[2];
    for (const DayOccasions& day : occasions.days) {
        for (const Occasion occasion : {Occasion::Morning, Occasion::Evening}) {
            const std::optional<OccasionValue>& value = day.Of(occasion);
            if (!value)
                continue;
            OccasionSums& s = sums[static_cast<int>(occasion)];
            s.max.Add(value->max);
            s.min.Add(value->min);
            if (value->pulse)
                s.pulse.Add(*value->pulse);
        }
    }
    const OccasionSums& m = sums[0];
    const OccasionSums& e = sums[1];
    PeriodEvaluation evaluation;
    evaluation.morning = Summarise(m);
    evaluation.evening = Summarise(e);
    evaluation.meanOfBoth = {MeanOf(m.max, e.max), MeanOf(m.min, e.min), MeanOf(m.pulse, e.pulse)};
    evaluation.difference = {DifferenceOf(m.max, e.max), DifferenceOf(m.min, e.min),
                             DifferenceOf(m.pulse, e.pulse)};
    return evaluation;
}

std::array<EvaluationRow, 5> EvaluationRows(const PeriodEvaluation& evaluation)
{
    return {EvaluationRow{"区分", "日数", "最高血圧", "最低血圧", "脈拍", "分類"},
            OccasionRow("朝", evaluation.morning), OccasionRow("晩", evaluation.evening),
            FiguresRow("朝晩平均", evaluation.meanOfBoth), FiguresRow("朝晩差", evaluation.difference)};
}

std::string FormatEvaluationTable(const PeriodEvaluation& evaluation)
{
    std::string text;
    for (const EvaluationRow& row : EvaluationRows(evaluation)) {
        for (std::size_t i = 0; i < row.size(); ++i)
            text += (i == 0 ? "" : "\t") + row[i];
        text += '\n';
    }
    return text;
}
