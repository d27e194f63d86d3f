// The evaluation chart through its operations: the day slots and their labels, the gaps, the
// guideline and target lines.
#include "evaluation/EvaluationChart.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace std::chrono;

CalendarDay Day(int y, unsigned m, unsigned d)
{
    return CalendarDay{year{y}, month{m}, day{d}};
}

OccasionValue Value(double max, double min)
{
    return {max, min, std::nullopt, {}, 1};
}

std::vector<LineOp> LinesOf(const std::vector<GraphOp>& ops, const PenOp& pen)
{
    std::vector<LineOp> lines;
    bool inside = false;
    for (const GraphOp& op : ops) {
        if (const auto* p = std::get_if<PenOp>(&op))
            inside = *p == pen;
        else if (const auto* line = std::get_if<LineOp>(&op); line && inside)
            lines.push_back(*line);
    }
    return lines;
}

std::vector<TextOp> Texts(const std::vector<GraphOp>& ops)
{
    std::vector<TextOp> texts;
    for (const GraphOp& op : ops)
        if (const auto* t = std::get_if<TextOp>(&op))
            texts.push_back(*t);
    return texts;
}

bool HasText(const std::vector<GraphOp>& ops, const std::string& utf8)
{
    const std::vector<TextOp> texts = Texts(ops);
    const std::string cp932 = Cp932FromUtf8(utf8);
    return std::any_of(texts.begin(), texts.end(), [&](const TextOp& t) { return t.text == cp932; });
}

const PenOp kMorningMax{PenStyle::Solid, 2, kMorningColour};
const PenOp kEveningMin{PenStyle::Dotted, 2, kEveningColour};

// A week from 5/1 to 5/7: mornings on 5/1, 5/2 and 5/4 (5/3 is a gap), an evening on 5/7 only.
EvaluationChartInput Week()
{
    EvaluationChartInput in;
    in.first = Day(2026, 5, 1);
    in.last = Day(2026, 5, 7);
    in.days = {{Day(2026, 4, 30), Value(200, 150), std::nullopt}, // before the first day: not drawn
               {Day(2026, 5, 1), Value(140, 90), std::nullopt},
               {Day(2026, 5, 2), Value(130, 80), std::nullopt},
               {Day(2026, 5, 4), Value(120, 70), std::nullopt},
               {Day(2026, 5, 7), std::nullopt, Value(125, 75)}};
    return in;
}

} // namespace

TEST(EvaluationChart, JoinsOnlyConsecutiveDaysAndLeavesGaps)
{
    const std::vector<GraphOp> ops = PlotEvaluationChart(700, 300, Week());
    // One maximum segment, 5/1 to 5/2; none across the missing 5/3; the lone evening has no line.
    // (The legend's sample is the one level line in each pen.)
    std::vector<LineOp> morning = LinesOf(ops, kMorningMax);
    std::erase_if(morning, [](const LineOp& l) { return l.y1 == l.y2; });
    ASSERT_EQ(morning.size(), 1u);
    EXPECT_LT(morning[0].x1, morning[0].x2);
    EXPECT_LT(morning[0].y1, morning[0].y2); // 140 above 130
    EXPECT_TRUE(LinesOf(ops, kEveningMin).empty());
    // The day not in the slots stretches nothing: the range stays below 200.
    EXPECT_FALSE(HasText(ops, "200"));
}

TEST(EvaluationChart, DrawsTheGuidelineAndTheTarget)
{
    EvaluationChartInput in = Week();
    in.targetMax = 130;
    in.targetMin = 80;
    const std::vector<GraphOp> ops = PlotEvaluationChart(700, 300, in);
    for (const char* label : {"基準 135", "基準 85", "目標 130", "目標 80"})
        EXPECT_TRUE(HasText(ops, label)) << label;
    const std::vector<LineOp> guide = LinesOf(ops, PenOp{PenStyle::Solid, 1, kGuidelineColour});
    ASSERT_EQ(guide.size(), 2u);
    EXPECT_EQ(guide[0].y1, guide[0].y2);
    EXPECT_LT(guide[0].y1, guide[1].y1); // 135 above 85
    EXPECT_EQ(LinesOf(ops, PenOp{PenStyle::Dotted, 1, kTargetColour}).size(), 2u);
}

TEST(EvaluationChart, LabelsEveryDayWhenThereIsRoomAndThinsThemOtherwise)
{
    const std::vector<GraphOp> wide = PlotEvaluationChart(700, 300, Week());
    for (const char* label : {"5/1", "5/2", "5/3", "5/4", "5/5", "5/6", "5/7"})
        EXPECT_TRUE(HasText(wide, label)) << label;

    EvaluationChartInput month = Week();
    month.first = Day(2026, 4, 10);
    const ChartTextMetrics metrics{7, 16};
    const std::vector<GraphOp> narrow = PlotEvaluationChart(400, 300, month, metrics);
    std::vector<TextOp> dates;
    for (const TextOp& t : Texts(narrow))
        if (t.text.find('/') != std::string::npos)
            dates.push_back(t);
    ASSERT_GT(dates.size(), 2u);
    EXPECT_LT(dates.size(), 28u);
    EXPECT_EQ(dates.front().text, "5/7"); // the last day always has its label
    std::sort(dates.begin(), dates.end(), [](const TextOp& a, const TextOp& b) { return a.x < b.x; });
    for (size_t i = 1; i < dates.size(); ++i)
        EXPECT_GE(dates[i].x,
                  dates[i - 1].x + static_cast<int>(dates[i - 1].text.size()) * metrics.digitWidth)
            << dates[i - 1].text << " meets " << dates[i].text;
}

TEST(EvaluationChart, DaysOfAPeriod)
{
    const CalendarDay today = Day(2026, 5, 7);
    OccasionTable occasions;
    occasions.days = {{Day(2026, 3, 2), std::nullopt, std::nullopt}};
    const ChartDays last7 = ChartDaysOf(LastDays(today, 7), today, occasions);
    EXPECT_EQ(last7.first, Day(2026, 5, 1));
    EXPECT_EQ(last7.last, today);
    EXPECT_EQ(ChartDaysOf(AllDays(), today, occasions).first, Day(2026, 3, 2));
    EXPECT_EQ(ChartDaysOf(AllDays(), today, {}).first, today);
    EXPECT_EQ(DayLabel(Day(2026, 12, 31)), "12/31");
}
