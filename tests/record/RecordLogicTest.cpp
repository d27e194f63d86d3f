// The record domain's rules: averages, date-time text, the questions about implausible values
// and the record limit.
#include "platform/LocalMoment.h"
#include "record/Averages.h"
#include "record/DateTimeText.h"
#include "record/Plausibility.h"
#include "record/RecordLimit.h"
#include "record/RecordLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Average(const std::vector<std::string>& lines, int field, int filter)
{
    const RecordLineAt at = [&](unsigned n) { return std::string_view(lines[n - 1]); };
    return ComputeAverageText(static_cast<unsigned>(lines.size()), at, static_cast<RecordField>(field),
                              filter);
}

std::string Line(int max, int min = 80, int ihb = 0, int type = 0)
{
    return FormatRecordLine({"2024/5/3 07:05:09", static_cast<std::uint32_t>(max),
                             static_cast<std::uint32_t>(min), 70, ihb, type, ""});
}

} // namespace

TEST(Averages, TruncatedMeansOverAllRecordsOrOneType)
{
    EXPECT_EQ(Average({Line(120), Line(121, 80, 0, 1), Line(125, 80, 0, 2)}, 2, 0), "122");
    EXPECT_EQ(Average({Line(121), Line(122)}, 2, -1), "121");
    EXPECT_EQ(Average({Line(-7), Line(0)}, 2, 0), "-3"); // toward zero
    const std::vector<std::string> typed{Line(100, 60, 0, 1), Line(140, 90, 0, 1), Line(200, 120),
                                         Line(160, 100, 0, 2)};
    EXPECT_EQ(Average(typed, 2, 1), "120");
    EXPECT_EQ(Average(typed, 3, 2), "100");
    EXPECT_EQ(Average(typed, 2, 3), "0"); // records exist, none of the type
    EXPECT_EQ(Average({}, 2, 0), "");     // no records at all
    // Hand-edited values beyond 32 bits saturate, and their sum wraps like a signed 32-bit sum.
    EXPECT_EQ(Average({"d,99999999999,0,0,0,0,", "d,99999999999,0,0,0,0,"}, 2, 0), "-1");
    // Any field is averaged as GetRecordField splits it, also one past the comment's comma.
    EXPECT_EQ(Average({"d,1,2,3,0,1,a,40", "d,1,2,3,0,1,b,50"}, 8, 0), "45");
}

TEST(Averages, TheThreeAtOnceEqualEachOnItsOwn)
{
    const std::vector<std::string> lines{Line(120, 70, 0, 1), Line(141, 93, 1, 2), "d,9,x", "",
                                         Line(133, 85, 0, 1)};
    const RecordLineAt at = [&](unsigned n) { return std::string_view(lines[n - 1]); };
    for (int filter : {-1, 0, 1, 2, 3}) {
        const auto three = ComputePressureAverageTexts(static_cast<unsigned>(lines.size()), at, filter);
        for (int field : {2, 3, 4})
            EXPECT_EQ(three[static_cast<size_t>(field - 2)], Average(lines, field, filter))
                << filter << " " << field;
    }
}

TEST(Averages, AnyFieldOfAHandEditedLineCanBeAveraged)
{
    // Fields beyond the seventh exist when a comment holds commas; they average like the others.
    const std::vector<std::string> lines{"d,120,80,70,0,1,c,7,x", "d,130,90,60,0,1,c,10"};
    EXPECT_EQ(Average(lines, 8, 0), "8");
    EXPECT_EQ(Average(lines, 9, 0), "0");
    EXPECT_EQ(Average(lines, 0, 0), "0");
    const RecordLineAt at = [&](unsigned n) { return std::string_view(lines[n - 1]); };
    EXPECT_EQ(ComputePressureAverageTexts(2, at, 1), (std::array<std::string, 3>{"125", "85", "65"}));
}

TEST(DateTimeText, FormatsAndParsesTheStoredText)
{
    EXPECT_EQ(FormatDateTime(CTime(2004, 12, 31, 3, 4, 5), CTime(1999, 1, 1, 21, 30, 15)),
              "2004/12/31 21:30:15");
    const CTime fallback(2001, 1, 1, 0, 0, 0);
    for (const char* text : {"2004/5/3 07:05:09", "2038/12/31 23:59:59", "2024/2/29 12:00:00"}) {
        const CTime t = ParseDateTime(text, fallback);
        EXPECT_EQ(FormatDateTime(t, t), text);
    }
    EXPECT_EQ(ParseDateTime("2004/5/3", fallback), CTime(2004, 5, 3, 0, 0, 0)); // no time: midnight
}

TEST(DateTimeText, ATextThatNamesNoRealTimeGivesTheFallback)
{
    const CTime fallback(2001, 1, 1, 0, 0, 0);
    for (const char* text : {"abc", "", "2024/13/40 25:61:61", "2023/2/29 10:00:00", "2024/5/3 24:00:00",
                             "-2024/5/3 07:05:09", "99999999999/1/1 00:00:00", "2024/5/3 07:60:00"})
        EXPECT_EQ(ParseDateTime(text, fallback), fallback) << text;
}

TEST(Plausibility, AsksAboutEachImplausibleValueAndNeverAboutAPlausibleOne)
{
    using F = MeasuredField;
    const std::string anyway = "\nこのまま登録しますか？";
    const struct
    {
        std::uint32_t max, min, pulse;
        std::vector<std::pair<F, std::string>> asked;
    } cases[] = {
        {120, 80, 70, {}},
        {60, 30, 0, {}}, // the lower limits; a pulse of 0 was not measured
        {300, 200, 250, {}},
        {0, 0, 0, {{F::Max, "最高血圧が 0 です。" + anyway}, {F::Min, "最低血圧が 0 です。" + anyway}}},
        {80, 80, 70, {{F::Max, "最高血圧が最低血圧以下です。" + anyway}}},
        {400, 80, 70, {{F::Max, "最高血圧が 400 mmHg です（ふつうは 60～300）。" + anyway}}},
        {59, 58, 20, {{F::Max, "最高血圧が 59 mmHg です（ふつうは 60～300）。" + anyway}}},
        {120, 29, 70, {{F::Min, "最低血圧が 29 mmHg です（ふつうは 30～200）。" + anyway}}},
        {250, 201, 70, {{F::Min, "最低血圧が 201 mmHg です（ふつうは 30～200）。" + anyway}}},
        {120, 80, 19, {{F::Pulse, "脈拍数が 19 拍/分 です（ふつうは 20～250）。" + anyway}}},
        {120, 80, 251, {{F::Pulse, "脈拍数が 251 拍/分 です（ふつうは 20～250）。" + anyway}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<F, std::string>> asked;
        for (const PlausibilityQuestion& q : ImplausibleValueQuestions(c.max, c.min, c.pulse))
            asked.emplace_back(q.field, q.text);
        EXPECT_EQ(asked, c.asked) << c.max << "/" << c.min << "/" << c.pulse;
    }
}

TEST(RecordLimit, AnAdditionDropsWhatExceedsThePositiveLimit)
{
    const struct
    {
        unsigned stored;
        int limit;
        unsigned dropped;
        bool fullAfterAddition;
    } cases[] = {
        {20000, 1000, 19001, true}, {1000, 1000, 1, true}, {999, 1000, 0, true},
        {998, 1000, 0, false},      {5, 2, 4, true},       {0, 1, 0, true},
        {7, 0, 0, false},           {7, -3, 0, false},
    };
    for (const auto& c : cases) {
        const unsigned dropped = RecordsDroppedByAddition(c.stored, c.limit);
        EXPECT_EQ(dropped, c.dropped) << c.stored << " " << c.limit;
        EXPECT_EQ(LogIsFull(c.stored + 1 - dropped, c.limit), c.fullAfterAddition)
            << c.stored << " " << c.limit;
    }
    EXPECT_EQ(GroupedNumber(19001), "19,001");
    EXPECT_EQ(GroupedNumber(1000000), "1,000,000");
    EXPECT_EQ(GroupedNumber(999), "999");
    EXPECT_NE(DropQuestionText(19001, 1000).find("古い血圧情報 19,001 件が削除されます"), std::string::npos);
    EXPECT_NE(LimitBelowStoredText(5, 2).find("古い血圧情報 4 件が削除されます"), std::string::npos);
}
