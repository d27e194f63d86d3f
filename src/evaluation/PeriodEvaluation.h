#pragma once
// The evaluation of a period as home blood pressure is judged: per occasion the number of days
// that have it and the average of those days' values, the morning-evening mean and difference,
// and the blood-pressure category of each occasion's average. Texts are UTF-8.

#include "evaluation/Occasions.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// A category is judged only on averages of at least this many days.
inline constexpr int kMinimumEvaluationDays = 5;

// Home blood-pressure categories, mildest first.
enum class PressureCategory
{
    Normal,        // 正常血圧
    HighNormal,    // 正常高値血圧
    Elevated,      // 高値血圧
    Hypertension1, // I度高血圧
    Hypertension2, // II度高血圧
    Hypertension3, // III度高血圧
};

// The most severe category whose row matches the (rounded) maximum and minimum.
PressureCategory CategoryOf(long max, long min);
std::string_view CategoryName(PressureCategory category);
// The category cell when an occasion has fewer than kMinimumEvaluationDays days (but some).
inline constexpr std::string_view kTooFewDaysText = "判定には5日以上必要";

// Maximum, minimum and pulse, each absent when it cannot be computed.
struct PressureFigures
{
    std::optional<long> max;
    std::optional<long> min;
    std::optional<long> pulse;
    friend bool operator==(const PressureFigures&, const PressureFigures&) = default;
};

struct OccasionSummary
{
    int days = 0;            // days of the period that have this occasion
    PressureFigures average; // the mean of those days' values, rounded half up
    // The same means unrounded (absent with no day, the pulse also when no day has one).
    std::optional<double> exactMax, exactMin, exactPulse;
    // Judged on the rounded averages when days >= kMinimumEvaluationDays.
    std::optional<PressureCategory> category;
};

struct PeriodEvaluation
{
    OccasionSummary morning;
    OccasionSummary evening;
    // 朝晩平均 and 朝晩差 (morning minus evening), from the unrounded averages, rounded half away
    // from zero; absent unless both occasions have a day (the pulse: both have a pulse).
    PressureFigures meanOfBoth;
    PressureFigures difference;
};

// The evaluation of the occasions of a period (ClassifyOccasions with that period).
PeriodEvaluation EvaluatePeriod(const OccasionTable& occasions);

// The table as the page, the command line and the report show it: a header row, then the rows
// 朝, 晩, 朝晩平均, 朝晩差; columns 区分, 日数, 最高血圧, 最低血圧, 脈拍, 分類. A value that cannot be
// computed is "-"; an occasion without a day has days "0" and category "-"; with 1 to 4 days the
// category reads kTooFewDaysText.
using EvaluationRow = std::array<std::string, 6>;
std::array<EvaluationRow, 5> EvaluationRows(const PeriodEvaluation& evaluation);

// The rows joined by tabs, each line ended by "\n": what `velliqa --evaluate` prints.
std::string FormatEvaluationTable(const PeriodEvaluation& evaluation);

// Rounding of a fraction num / den (den > 0) to a whole number: half up, and half away from
// zero. Exact for any 64-bit numerator and denominator.
long long RoundHalfUp(long long num, long long den);
long long RoundHalfAway(long long num, long long den);
