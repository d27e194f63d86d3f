// The notebook's days from records: the occasions' readings in their cells, everything else of
// the day in the メモ cell by date-time, the IHB mark and the week averages.
#include "report/NotebookBuilder.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono;

CalendarDay Day(unsigned d)
{
    return CalendarDay{year{2026}, December, day{d}};
}

NotebookContent Build(const std::vector<std::string>& utf8Lines, CalendarDay first, CalendarDay last)
{
    std::vector<std::string> lines;
    for (const std::string& line : utf8Lines)
        lines.push_back(Cp932FromUtf8(line));
    EvaluationSettings settings;
    settings.types = OccasionTypes{1, 3}; // 朝 and 晩 of the default type names
    const NotebookRequest request{BetweenDays(first, last), ChartDays{first, last}, Day(9),
                                  Cp932FromUtf8("山田")};
    return BuildNotebook(lines, settings, request, NotebookOccasions(lines, settings, request));
}

} // namespace

TEST(NotebookBuilder, PlacesEveryReadingOfTheDayOnce)
{
    // Newest first, as stored. Dec 2: three type-0 mornings (the third goes to メモ), a 昼, an
    // evening after midnight (on Dec 2's row), a reading outside the days.
    const NotebookContent content = Build(
        {
            "2026/12/5 07:00:00,150,90,70,0,1,外",
            "2026/12/3 01:30:00,130,85,66,1,0,夜中",
            "2026/12/2 13:00:00,140,90,80,0,2,昼食後",
            "2026/12/2 09:00:00,125,82,0,0,0,",
            "2026/12/2 07:10:00,122,81,71,0,0,二回目",
            "2026/12/2 07:00:00,120,80,70,0,0,起床",
            "2026/12/1 08:00:00,0,0,0,0,1,測れず",
        },
        Day(1), Day(3));
    EXPECT_EQ(content.name, "山田");
    ASSERT_EQ(content.days.size(), 3U);
    const NotebookDay& first = content.days[0];
    EXPECT_FALSE(first.cells[kMorning1]);
    ASSERT_EQ(first.extras.size(), 1U) << "a reading without pressures is shown, not used";
    EXPECT_EQ(first.comments, std::vector<std::string>{"測れず"});

    const NotebookDay& second = content.days[1];
    EXPECT_EQ(second.cells[kMorning1], (NotebookReading{7, 0, 120, 80, 70}));
    EXPECT_EQ(second.cells[kMorning2], (NotebookReading{7, 10, 122, 81, 71}));
    EXPECT_EQ(second.cells[kEvening1], (NotebookReading{1, 30, 130, 85, 66}));
    EXPECT_FALSE(second.cells[kEvening2]);
    EXPECT_EQ(second.extras, (std::vector<NotebookReading>{{9, 0, 125, 82, 0}, {13, 0, 140, 90, 80}}));
    EXPECT_TRUE(second.ihb);
    EXPECT_EQ(second.comments, (std::vector<std::string>{"起床", "二回目", "昼食後", "夜中"}));
    EXPECT_TRUE(content.days[2].extras.empty());
    EXPECT_FALSE(content.days[2].ihb);

    ASSERT_EQ(content.weeks.size(), 1U);
    EXPECT_EQ(content.weeks[0].morning, (NotebookAverage{121, 81, 71})); // 120.5 -> 121, 80.5 -> 81
    EXPECT_EQ(content.weeks[0].evening, (NotebookAverage{130, 85, 66}));
    ASSERT_EQ(content.evaluation.size(), 5U);
    EXPECT_EQ(content.evaluation[1][1], "1");
    EXPECT_EQ(content.target, "降圧目標 125/75 mmHg");
}

TEST(NotebookBuilder, WeeksRunFromTheFirstDayAndTheLastMayBeShort)
{
    const NotebookContent content =
        Build({"2026/12/10 07:00:00,130,80,60,0,1,", "2026/12/5 07:00:00,110,70,60,0,1,"},
              CalendarDay{year{2026}, November, day{26}}, Day(10));
    ASSERT_EQ(content.days.size(), 15U);
    ASSERT_EQ(content.weeks.size(), 3U);
    EXPECT_FALSE(content.weeks[0].morning);
    EXPECT_EQ(content.weeks[1].morning, (NotebookAverage{110, 70, 60}));
    EXPECT_EQ(content.weeks[2].morning, (NotebookAverage{130, 80, 60}));
    EXPECT_FALSE(content.weeks[2].evening);
}
