// The notebook's pages through their positioned operations: a row per day, week rows, page
// breaks with the header and column header repeated, page numbers, the メモ cell.
#include "report/NotebookLayout.h"
#include "report/NotebookText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

using namespace std::chrono;

// 100 columns of 10 units, lines of 20 units: the メモ cell has 29 columns.
constexpr NotebookGeometry kGeometry{1000, 1000, 10, 20};

CalendarDay Day(int y, unsigned m, unsigned d)
{
    return CalendarDay{year{y}, month{m}, day{d}};
}

NotebookContent Content(CalendarDay first, int days)
{
    NotebookContent content;
    content.name = "山田太郎";
    content.first = first;
    content.last = CalendarDay{sys_days{first} + std::chrono::days{days - 1}};
    content.made = Day(2026, 12, 9);
    content.evaluation = {{"区分", "日数", "最高血圧", "最低血圧", "脈拍", "分類"},
                          {"朝", "0", "-", "-", "-", "-"}};
    for (int d = 0; d < days; ++d)
        content.days.push_back(
            NotebookDay{CalendarDay{sys_days{first} + std::chrono::days{d}}, {}, false, {}, {}});
    content.weeks.resize(static_cast<size_t>((days + 6) / 7));
    return content;
}

std::vector<NotebookText> Texts(const NotebookPage& page)
{
    std::vector<NotebookText> texts;
    for (const NotebookOp& op : page)
        if (const auto* text = std::get_if<NotebookText>(&op))
            texts.push_back(*text);
    return texts;
}

int Count(const NotebookPage& page, const std::string& text)
{
    const std::vector<NotebookText> texts = Texts(page);
    return static_cast<int>(
        std::count_if(texts.begin(), texts.end(), [&](const NotebookText& t) { return t.text == text; }));
}

std::optional<NotebookText> Find(const NotebookPage& page, const std::string& prefix)
{
    for (const NotebookText& text : Texts(page))
        if (text.text.starts_with(prefix))
            return text;
    return std::nullopt;
}

} // namespace

TEST(NotebookText, ColumnsCutsAndDates)
{
    EXPECT_EQ(TextColumns("128/80 70"), 9);
    EXPECT_EQ(TextColumns("血圧ｱ"), 5);
    EXPECT_EQ(CutToColumns("散歩した", 8), "散歩した");
    EXPECT_EQ(CutToColumns("散歩した", 7), "散歩…");
    EXPECT_EQ(CutToColumns("ab散歩", 5), "ab…");
    EXPECT_EQ(NotebookDateText(Day(2026, 3, 9)), "2026/3/9");
    EXPECT_EQ(NotebookRowDateText(Day(2026, 12, 9)), "12/9（水）");
    EXPECT_EQ(NotebookRowDateText(Day(2026, 12, 13)), "12/13（日）");
    EXPECT_EQ(NotebookTimedText({7, 5, 128, 80, 0}), "07:05 128/80 -");
    EXPECT_EQ(NotebookAverageText({128, 80, 70}), "128/80 70");
}

TEST(NotebookLayout, EveryDayAndWeekHasARowAndPagesRepeatTheirHeaders)
{
    // 17 days from a Wednesday: weeks of 7, 7 and 3 days.
    NotebookContent content = Content(Day(2026, 11, 18), 17);
    content.weeks[0].morning = NotebookAverage{128, 80, 70};
    content.weeks[2].evening = NotebookAverage{131, 85, {}};
    const std::vector<NotebookPage> pages = LayoutNotebook(kGeometry, content);
    ASSERT_GE(pages.size(), 2U);

    int days = 0, weeks = 0;
    std::vector<std::string> rowTexts;
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(Count(pages[p], "家庭血圧の記録"), 1);
        EXPECT_EQ(Count(pages[p], "山田太郎 様"), 1);
        EXPECT_EQ(Count(pages[p], "2026/11/18 〜 2026/12/4"), 1);
        EXPECT_EQ(Count(pages[p], "作成 2026/12/9"), 1);
        EXPECT_EQ(Count(pages[p], std::to_string(p + 1) + " / " + std::to_string(pages.size())), 1);
        EXPECT_EQ(Count(pages[p], "メモ"), 1) << "column header on every page";
        EXPECT_EQ(Count(pages[p], "区分"), p == 0 ? 1 : 0);
        for (const NotebookText& text : Texts(pages[p])) {
            if (text.text.find('/') != std::string::npos && text.text.find("（") != std::string::npos)
                rowTexts.push_back(text.text), ++days;
            weeks += text.text == "週平均";
            EXPECT_LE(text.y + kGeometry.line, kGeometry.height) << text.text;
        }
    }
    EXPECT_EQ(days, 17);
    EXPECT_EQ(weeks, 3);
    EXPECT_EQ(rowTexts.front(), "11/18（水）");
    EXPECT_EQ(rowTexts.back(), "12/4（金）");
    int averages = 0;
    for (const NotebookPage& page : pages)
        averages += Count(page, "朝 128/80 70") + Count(page, "晩 131/85 -");
    EXPECT_EQ(averages, 2);
}

TEST(NotebookLayout, MemoKeepsEveryExtraReadingAndCutsTheComments)
{
    NotebookContent content = Content(Day(2026, 12, 1), 2);
    NotebookDay& busy = content.days[0];
    busy.cells[kMorning1] = NotebookReading{6, 30, 188, 112, 101};
    busy.cells[kEvening2] = NotebookReading{22, 0, 100, 60, 0};
    busy.ihb = true;
    for (int h = 12; h < 17; ++h)
        busy.extras.push_back(NotebookReading{h, 15, 145, 105, 101});
    busy.comments = {"頭痛がした", "薬を飲み忘れたので夕方に飲んだ", "よく眠れなかった"};
    const NotebookPage page = LayoutNotebook(kGeometry, content).at(0);

    EXPECT_EQ(Count(page, "188/112 101"), 1);
    EXPECT_EQ(Count(page, "100/60 -"), 1);
    EXPECT_EQ(Count(page, "＊"), 1);
    // 29 columns hold one 17-column reading; five readings take five lines.
    int extras = 0;
    for (const NotebookText& text : Texts(page))
        extras += text.text.starts_with("1") && text.text.find(":15 145/105 101") != std::string::npos;
    EXPECT_EQ(extras, 5);
    const std::optional<NotebookText> comments = Find(page, "頭痛がした、薬を");
    ASSERT_TRUE(comments);
    EXPECT_TRUE(comments->text.ends_with("…"));
    EXPECT_LE(TextColumns(comments->text), 29);
    // The comments come below the five readings, and the next day's row below them.
    const std::optional<NotebookText> last = Find(page, "16:15");
    const std::optional<NotebookText> next = Find(page, "12/2（水）");
    ASSERT_TRUE(last);
    ASSERT_TRUE(next);
    EXPECT_EQ(comments->y, last->y + kGeometry.line);
    EXPECT_GT(next->y, comments->y);
}

TEST(NotebookLayout, EmptyRangesKeepTheirHeaders)
{
    // Days without readings show their dates alone; no days at all show no day table.
    const NotebookContent quiet = Content(Day(2026, 12, 1), 3);
    const std::vector<NotebookPage> pages = LayoutNotebook(kGeometry, quiet);
    ASSERT_EQ(pages.size(), 1U);
    EXPECT_EQ(Count(pages[0], "12/3（木）"), 1);
    EXPECT_EQ(Count(pages[0], "＊"), 0);
    EXPECT_EQ(Count(pages[0], "週平均"), 1);

    const std::vector<NotebookPage> none = LayoutNotebook(kGeometry, Content(Day(2026, 12, 1), 0));
    ASSERT_EQ(none.size(), 1U);
    EXPECT_EQ(Count(none[0], "メモ"), 0);
    EXPECT_EQ(Count(none[0], "1 / 1"), 1);
    EXPECT_EQ(
        std::count_if(none[0].begin(), none[0].end(),
                      [](const NotebookOp& op) { return std::holds_alternative<NotebookChartArea>(op); }),
        1);
}

TEST(NotebookLayout, ALongNameIsCutBeforeThePeriod)
{
    NotebookContent content = Content(Day(2026, 12, 1), 1);
    content.name = std::string(60, 'A') + "山田太郎左衛門";
    const NotebookPage page = LayoutNotebook(kGeometry, content).at(0);
    const std::optional<NotebookText> name = Find(page, "AAAA");
    const std::optional<NotebookText> period = Find(page, "2026/12/1 〜");
    ASSERT_TRUE(name);
    ASSERT_TRUE(period);
    EXPECT_TRUE(name->text.ends_with("…"));
    EXPECT_LT(name->x + TextColumns(name->text) * kGeometry.column, period->x);
}
