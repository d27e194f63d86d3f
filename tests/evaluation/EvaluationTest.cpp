// Morning and evening occasions, the period evaluation, its categories and the settings file.
#include "evaluation/EvaluationSettings.h"
#include "evaluation/PeriodEvaluation.h"
#include "platform/LocalTime.h"
#include "store/DataFiles.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

using namespace std::chrono;

CalendarDay Day(int y, unsigned m, unsigned d)
{
    return CalendarDay{year{y}, month{m}, day{d}};
}

std::string Rec(const char* when, int max, int min, int pulse, int type)
{
    return std::string(when) + ',' + std::to_string(max) + ',' + std::to_string(min) + ',' +
           std::to_string(pulse) + ",0," + std::to_string(type) + ",";
}

const OccasionTypes kDefaultTypes{1, 3}; // 朝 and 晩 of the default type file

} // namespace

TEST(Occasions, PlacesByTypeAndByTimeOfDay)
{
    // The stored fields decide, not a point in time: the same under a zone nine hours east.
    const char* zone = std::getenv("TZ");
    const std::string previous = zone ? zone : "";
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    ASSERT_EQ(CTime(1970, 1, 1, 9, 0, 0).GetTime(), 0) << "the zone is UTC+9";
    struct Case
    {
        int type;
        const char* when;
        OccasionTypes types;
        std::optional<Occasion> occasion;
        CalendarDay day;
    };
    const auto M = Occasion::Morning;
    const auto E = Occasion::Evening;
    const Case cases[] = {
        {1, "2026/5/3 14:00:00", kDefaultTypes, M, Day(2026, 5, 3)}, // the 朝 type, whatever its time
        {3, "2026/5/3 09:00:00", kDefaultTypes, E, Day(2026, 5, 3)}, // the 晩 type in the morning
        {3, "2026/5/3 03:59:59", kDefaultTypes, E, Day(2026, 5, 2)}, // the 晩 type after midnight
        {3, "2026/5/3 04:00:00", kDefaultTypes, E, Day(2026, 5, 3)},
        {0, "2026/5/3 03:59:59", kDefaultTypes, E, Day(2026, 5, 2)},
        {0, "2026/5/3 00:00:00", kDefaultTypes, E, Day(2026, 5, 2)},
        {0, "2026/1/1 00:30:00", kDefaultTypes, E, Day(2025, 12, 31)},
        {0, "2026/5/3 04:00:00", kDefaultTypes, M, Day(2026, 5, 3)},
        {0, "2026/5/3 11:59:59", kDefaultTypes, M, Day(2026, 5, 3)},
        {0, "2026/5/3 12:00:00", kDefaultTypes, std::nullopt, {}},
        {0, "2026/5/3 17:59:59", kDefaultTypes, std::nullopt, {}},
        {0, "2026/5/3 18:00:00", kDefaultTypes, E, Day(2026, 5, 3)},
        {0, "2026/5/3 23:59:59", kDefaultTypes, E, Day(2026, 5, 3)},
        {2, "2026/5/3 08:00:00", kDefaultTypes, std::nullopt, {}}, // 昼
        {4, "2026/5/3 20:00:00", kDefaultTypes, std::nullopt, {}}, // その他
        {1, "2026/5/3 08:00:00", {-1, -1}, std::nullopt, {}},      // no 朝 type chosen
        {0, "2026/5/3 08:00:00", {-1, -1}, M, Day(2026, 5, 3)},
        {4, "2026/5/3 20:00:00", {4, 2}, M, Day(2026, 5, 3)}, // types chosen otherwise
        {2, "2026/5/3 07:00:00", {4, 2}, E, Day(2026, 5, 3)},
        {1, "2026/5/3 07:00:00", {4, 2}, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        const std::optional<PlacedReading> placed = PlaceReading(c.type, *ReadMoment(c.when), c.types);
        ASSERT_EQ(placed.has_value(), c.occasion.has_value()) << c.type << ' ' << c.when;
        if (placed) {
            EXPECT_EQ(placed->occasion, *c.occasion) << c.type << ' ' << c.when;
            EXPECT_EQ(placed->day, c.day) << c.type << ' ' << c.when;
        }
    }
    if (zone)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(Occasions, TakeTheFirstTwoUsableReadingsByDateTimeAndTellTheRestUnused)
{
    // Newest first, as stored: line 1 is index 0.
    const std::vector<std::string> lines{
        Rec("2026/5/3 07:10:00", 150, 90, 0, 1),  // 0: third by time: unused
        Rec("2026/5/3 07:00:00", 120, 70, 60, 1), // 1: same time as 2, entered later: second
        Rec("2026/5/3 07:00:00", 130, 81, 0, 1),  // 2: entered first: first; no pulse
        Rec("2026/5/3 06:00:00", 0, 80, 70, 1),   // 3: no maximum
        Rec("2026/5/3 13:00:00", 140, 90, 70, 0), // 4: type 0 at midday
        Rec("2026/5/3 07:00:00", 140, 90, 70, 2), // 5: 昼
        Rec("2026/5/4 01:00:00", 128, 77, 65, 3), // 6: 晩 after midnight: evening of 5/3
        Rec("bad date", 128, 77, 65, 1),          // 7
        Rec("2026/4/1 07:00:00", 128, 77, 65, 1), // 8: out of the period
    };
    const OccasionTable table =
        ClassifyOccasions(lines, kDefaultTypes, BetweenDays(Day(2026, 5, 3), Day(2026, 5, 3)));
    ASSERT_EQ(table.days.size(), 1u);
    const DayOccasions& day = table.days[0];
    EXPECT_EQ(day.day, Day(2026, 5, 3));
    ASSERT_TRUE(day.morning);
    EXPECT_EQ(*day.morning, (OccasionValue{125.0, 75.5, 60.0, {2, 1}, 2}));
    ASSERT_TRUE(day.evening);
    EXPECT_EQ(*day.evening, (OccasionValue{128.0, 77.0, 65.0, {6, 0}, 1}));
    const std::vector<UnusedRecord> unused{{0, UnusedReason::BeyondTwo},
                                           {3, UnusedReason::NoPressure},
                                           {4, UnusedReason::NoOccasion},
                                           {5, UnusedReason::NoOccasion},
                                           {7, UnusedReason::UnreadableDate}};
    EXPECT_EQ(table.unused, unused);
}

TEST(Occasions, AnEveningAfterMidnightCountsInThePeriodOfTheDayBefore)
{
    const std::vector<std::string> lines{Rec("2026/5/10 00:30:00", 130, 80, 70, 0)};
    EXPECT_EQ(ClassifyOccasions(lines, kDefaultTypes, LastDays(Day(2026, 5, 10), 1)).days.size(), 0u);
    EXPECT_EQ(ClassifyOccasions(lines, kDefaultTypes, LastDays(Day(2026, 5, 10), 2)).days.size(), 1u);
    // The first stored day's small hours belong to the day before it.
    const OccasionTable first =
        ClassifyOccasions({Rec("1900/1/1 00:30:00", 130, 80, 70, 0)}, kDefaultTypes, AllDays());
    ASSERT_EQ(first.days.size(), 1u);
    EXPECT_EQ(first.days[0].day, Day(1899, 12, 31));
}

TEST(PeriodEvaluation, TablesOfPeriods)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> lines;
        const char* table; // the rows after the header
    };
    // Five mornings of 138/86/70 and evenings on days 1-4 of 126/78, the last without pulse.
    std::vector<std::string> week;
    for (int d = 1; d <= 5; ++d) {
        const std::string date = "2026/5/" + std::to_string(d);
        week.push_back(Rec((date + " 07:00:00").c_str(), 138, 86, 70, 0));
        if (d < 5)
            week.push_back(Rec((date + " 22:00:00").c_str(), 126, 78, d == 4 ? 0 : 66, 0));
    }
    std::vector<std::string> roundUp; // mornings of 127.5 on two days: 128
    roundUp.push_back(Rec("2026/5/1 07:00:00", 127, 80, 61, 1));
    roundUp.push_back(Rec("2026/5/1 07:01:00", 128, 81, 62, 1));
    roundUp.push_back(Rec("2026/5/2 07:00:00", 127, 80, 61, 1));
    roundUp.push_back(Rec("2026/5/2 07:01:00", 128, 80, 62, 1));
    roundUp.push_back(Rec("2026/5/1 21:00:00", 120, 70, 0, 3));
    const Case cases[] = {
        {"empty period",
         {},
         "朝\t0\t-\t-\t-\t-\n晩\t0\t-\t-\t-\t-\n朝晩平均\t-\t-\t-\t-\t-\n朝晩差\t-\t-\t-\t-\t-\n"},
        {"five mornings, four evenings", week,
         "朝\t5\t138\t86\t70\tI度高血圧\n晩\t4\t126\t78\t66\t判定には5日以上必要\n"
         "朝晩平均\t-\t132\t82\t68\t-\n朝晩差\t-\t12\t8\t4\t-\n"},
        // Morning 127.5 (half up 128), 80.25 -> 80; evening 120/70 without pulse.
        // 朝晩平均 (127.5 + 120) / 2 = 123.75 -> 124; (80.25 + 70) / 2 = 75.125 -> 75.
        // 朝晩差 7.5 -> 8 (half away from zero), 10.25 -> 10.
        {"half-up rounding", roundUp,
         "朝\t2\t128\t80\t62\t判定には5日以上必要\n晩\t1\t120\t70\t-\t判定には5日以上必要\n"
         "朝晩平均\t-\t124\t75\t-\t-\n朝晩差\t-\t8\t10\t-\t-\n"},
    };
    for (const Case& c : cases) {
        const std::string table =
            FormatEvaluationTable(EvaluatePeriod(ClassifyOccasions(c.lines, kDefaultTypes, AllDays())));
        EXPECT_EQ(table, std::string("区分\t日数\t最高血圧\t最低血圧\t脈拍\t分類\n") + c.table) << c.name;
    }
}

TEST(PeriodEvaluation, DifferenceRoundsHalfAwayFromZeroBelowZero)
{
    // Morning 120.5, evening 121: -0.5 -> -1.
    const std::vector<std::string> lines{Rec("2026/5/1 07:00:00", 120, 70, 60, 0),
                                         Rec("2026/5/1 07:05:00", 121, 70, 60, 0),
                                         Rec("2026/5/1 20:00:00", 121, 70, 60, 0)};
    const PeriodEvaluation e = EvaluatePeriod(ClassifyOccasions(lines, kDefaultTypes, AllDays()));
    EXPECT_EQ(e.difference.max, -1);
    EXPECT_EQ(e.difference.min, 0);
    EXPECT_EQ(RoundHalfUp(-5, 2), -2);
    EXPECT_EQ(RoundHalfAway(-5, 2), -3);
    EXPECT_EQ(RoundHalfUp(7, 4), 2);
}

TEST(PeriodEvaluation, CategoryBoundaries)
{
    using P = PressureCategory;
    const struct
    {
        long max, min;
        P category;
    } cases[] = {
        {114, 74, P::Normal},        {115, 74, P::HighNormal},     {124, 74, P::HighNormal},
        {125, 60, P::Elevated},      {110, 75, P::Elevated},       {134, 84, P::Elevated},
        {135, 60, P::Hypertension1}, {110, 85, P::Hypertension1},  {144, 89, P::Hypertension1},
        {145, 60, P::Hypertension2}, {110, 90, P::Hypertension2},  {159, 99, P::Hypertension2},
        {160, 60, P::Hypertension3}, {110, 100, P::Hypertension3}, {120, 95, P::Hypertension2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CategoryOf(c.max, c.min), c.category) << c.max << '/' << c.min;
    EXPECT_EQ(CategoryName(P::Hypertension1), "I度高血圧");
}

TEST(EvaluationSettings, LenientReadingAgainstTheTypeNames)
{
    const std::vector<std::string> names = DefaultItemLines();
    std::vector<std::string> renamed = names;
    renamed[1] = "\x82\xA0"; // あ: no type is named 朝 any more
    const EvaluationSettings defaults{125, 75, {1, 3}};
    const struct
    {
        std::vector<std::string> lines;
        const std::vector<std::string>& names;
        EvaluationSettings expected;
    } cases[] = {
        {{}, names, defaults},
        {{}, renamed, {125, 75, {-1, 3}}},
        {{"130", "80", "4", "-1"}, names, {130, 80, {4, -1}}},
        {{" 130 ", "x", "9", "2"}, names, {130, 75, {1, 2}}}, // a bad line takes its default
        {{"0", "301", "0", "3"}, names, defaults},            // out of range; type 0 is no choice
        {{"120", "70", "2", "2"}, names, {120, 70, {1, 3}}},  // one type for both
        {{"120\r", "70", "3", "1"}, names, {120, 70, {3, 1}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseEvaluationSettings(c.lines, c.names), c.expected) << ::testing::PrintToString(c.lines);
}

TEST(EvaluationSettings, WrittenAsFourCrLfLinesAndReadBack)
{
    ScopedDataDir dir;
    const std::vector<std::string> names = DefaultItemLines();
    EXPECT_EQ(ReadEvaluationSettings(names), DefaultEvaluationSettings(names));
    const EvaluationSettings settings{130, 80, {4, -1}};
    ASSERT_EQ(WriteEvaluationSettings(settings), 0);
    EXPECT_EQ(ReadBytes(kEvaluationFileName), "130\r\n80\r\n4\r\n-1\r\n");
    EXPECT_EQ(ReadEvaluationSettings(names), settings);
}
