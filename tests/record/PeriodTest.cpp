// Averages and the summary over a period of days: its boundaries, future dates, the type
// combined with it, and the count.
#include "platform/Cp932.h"
#include "record/Averages.h"
#include "record/RecordPeriod.h"
#include "record/Summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::chrono;
using Lines = std::vector<std::string>;

constexpr CalendarDay kToday{year{2024}, March, day{1}}; // the day after a leap day

std::string Record(const std::string& date, int max, int min, int pulse, int type = 0)
{
    return date + " 07:05:09," + std::to_string(max) + "," + std::to_string(min) + "," +
           std::to_string(pulse) + ",0," + std::to_string(type) + ",";
}

PressureAverages Averages(const Lines& lines, int type, const RecordPeriod& period)
{
    const RecordLineAt at = [&](unsigned n) { return std::string_view(lines[n - 1]); };
    return ComputePressureAverages(static_cast<unsigned>(lines.size()), at, type, period);
}

} // namespace

TEST(RecordPeriod, TheLastDaysHoldTodayBackToTheFirstDayAndTheFutureBetweenDaysBothEnds)
{
    const RecordPeriod jan10To20 =
        BetweenDays(CalendarDay{year{2024}, January, day{10}}, CalendarDay{year{2024}, January, day{20}});
    const struct
    {
        RecordPeriod period;
        const char* date;
        bool in;
    } cases[] = {
        {LastDays(kToday, 1), "2024/3/1", true},
        {LastDays(kToday, 1), "2024/2/29", false},
        {LastDays(kToday, 7), "2024/2/24", true},
        {LastDays(kToday, 7), "2024/2/23", false},
        {LastDays(kToday, 28), "2024/2/3", true},
        {LastDays(kToday, 28), "2024/2/2", false},
        {LastDays(kToday, 1), "2031/1/1 0:0:0", true},
        {LastDays(kToday, 7), "2024/02/29", true},
        {LastDays(kToday, 100000000), "1900/1/1", true},
        {LastDays(kToday, 28), "2024/2/30", false},
        {LastDays(kToday, 28), "garbage", false},
        {AllDays(), "garbage", true},
        {jan10To20, "2024/1/9", false},
        {jan10To20, "2024/1/10 23:59:59", true},
        {jan10To20, "2024/1/20", true},
        {jan10To20, "2024/1/21", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.period.Contains(c.date), c.in) << c.date;
}

TEST(Averages, PeriodAndTypeCombineAndTheCountFollows)
{
    const Lines lines{Record("2024/3/1", 120, 80, 60, 1), Record("2024/2/25", 131, 91, 71, 1),
                      Record("2024/2/25", 150, 100, 90, 2), Record("2024/1/1", 200, 120, 100, 1)};
    const struct
    {
        int type;
        RecordPeriod period;
        PressureAverages expected;
    } cases[] = {
        {0, AllDays(), {{"150", "97", "80"}, "4"}},
        {1, AllDays(), {{"150", "97", "77"}, "3"}},
        {0, LastDays(kToday, 7), {{"133", "90", "73"}, "3"}},
        {1, LastDays(kToday, 7), {{"125", "85", "65"}, "2"}}, // remainders discarded
        {1, LastDays(kToday, 1), {{"120", "80", "60"}, "1"}},
        {2, LastDays(kToday, 1), {{"0", "0", "0"}, "0"}},
        {0, LastDays(CalendarDay{year{2030}, January, day{1}}, 28), {{"0", "0", "0"}, "0"}},
    };
    for (const auto& c : cases) {
        const PressureAverages got = Averages(lines, c.type, c.period);
        EXPECT_EQ(got.averages, c.expected.averages) << c.type;
        EXPECT_EQ(got.count, c.expected.count) << c.type;
    }
    const PressureAverages none = Averages({}, 1, LastDays(kToday, 7));
    EXPECT_EQ(none.averages, (std::array<std::string, 3>{}));
    EXPECT_EQ(none.count, "");
}

TEST(Summary, OneRowPerTypeInThePeriodAndOneForAll)
{
    const Lines types{Cp932FromUtf8("[指定なし]"), Cp932FromUtf8("朝"), Cp932FromUtf8("晩\t夜")};
    const Lines lines{Record("2024/3/1", 120, 80, 60, 2),   Record("2024/2/25", 131, 91, 71, 2),
                      Record("2024/2/25", 150, 70, 90, 7),  Record("2024/2/24", 110, 85, 65, 0),
                      Record("2024/1/1", 200, 120, 100, 1), "garbage"};
    const std::string header = "種類\t件数\t最高血圧の平均\t最低血圧の平均\t脈拍数の平均\t"
                               "最高血圧の最高値\t最高血圧の最低値\t最低血圧の最高値\t最低血圧の最低値\n";
    EXPECT_EQ(FormatSummaryTable(lines, types, LastDays(kToday, 7)),
              header + "[指定なし]\t1\t110\t85\t65\t110\t110\t85\t85\n"
                       "晩 夜\t2\t125\t85\t65\t131\t120\t91\t80\n"
                       "(種類 7)\t1\t150\t70\t90\t150\t150\t70\t70\n"
                       "全測定結果\t4\t127\t81\t71\t150\t110\t91\t70\n");
    EXPECT_EQ(
        FormatSummaryTable(lines, types, BetweenDays(std::nullopt, CalendarDay{year{2024}, January, day{1}})),
        header +
            "朝\t1\t200\t120\t100\t200\t200\t120\t120\n全測定結果\t1\t200\t120\t100\t200\t200\t120\t120\n");
    EXPECT_EQ(FormatSummaryTable(
                  lines, types,
                  BetweenDays(CalendarDay{year{2023}, June, day{1}}, CalendarDay{year{2023}, June, day{1}})),
              header + "全測定結果\t0\t0\t0\t0\t\t\t\t\n");
    EXPECT_EQ(FormatSummaryTable({}, types, AllDays()), header);
    // Every record counts over all days, an unreadable date too.
    EXPECT_NE(FormatSummaryTable(lines, types, AllDays()).find("全測定結果\t6\t"), std::string::npos);
}
