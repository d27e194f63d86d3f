// The report's positioned lines: which records become rows, their exact texts, the averages
// and ranges, and the per-type lines.
#include "print/ReportLayout.h"
#include "platform/Cp932.h"
#include "record/RecordLine.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::string J(const char* utf8)
{
    return Cp932FromUtf8(utf8);
}

std::string Rec(int max, int min, int pulse, int type = 0, std::string date = "d", int ihb = 0,
                const std::string& comment = "")
{
    return FormatRecordLine({date, static_cast<std::uint32_t>(max), static_cast<std::uint32_t>(min),
                             static_cast<std::uint32_t>(pulse), ihb, type, comment});
}

// Position n holds the record of day n.
std::vector<std::string> Days(int count)
{
    std::vector<std::string> records;
    for (int n = 1; n <= count; ++n)
        records.push_back(Rec(120, 80, 70, 0, "2024/1/" + std::to_string(n) + " 08:00:00"));
    return records;
}

std::vector<std::string> Texts(int h, long from, long to, const std::vector<std::string>& records)
{
    std::vector<std::string> texts;
    for (const ReportLine& line :
         LayoutReport(h, "x", from, to, records, {J("[指定なし]"), J("朝"), J("昼")}))
        texts.push_back(line.text);
    return texts;
}

std::string Average(const std::string& label, const char* max, const char* min, const char* pulse)
{
    return label + J("の平均   最大血圧：") + max + J(" mmHg   最低血圧：") + min + J(" mmHg   脈拍数：") +
           pulse + J(" 拍/分");
}

std::string Sp(size_t n)
{
    return std::string(n, ' ');
}

} // namespace

TEST(LayoutReport, HeadersAndTheRowsOfThePrintRange)
{
    const auto headers = LayoutReport(50, J("未設定"), 4, 2, Days(5), {}); // from above to
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0].text, "\x96\xa2\x90\xdd\x92\xe8 \x97\x6c \x91\xaa\x92\xe8\x8c\x8b\x89\xca");
    EXPECT_EQ(headers[1].text,
              Sp(8) + J("時刻") + Sp(11) + J("最大血圧") + Sp(3) + J("最低血圧") + Sp(7) + J("脈拍"));
    EXPECT_EQ(LayoutReport(50, "", 1, 30, {}, {})[0].text, J(" 様 測定結果"));

    const auto thirty = Texts(40, 1, 30, Days(45)); // headers, 30 rows, averages, ranges
    ASSERT_EQ(thirty.size(), 34u);
    EXPECT_NE(thirty[2].find(" 2024/1/1 08"), std::string::npos);
    EXPECT_NE(thirty[31].find(" 2024/1/30 08"), std::string::npos);
    EXPECT_EQ(Texts(40, 1, 5, Days(3)).size(), 7u);
    const auto fromZero = Texts(40, 0, 3, Days(9));
    ASSERT_EQ(fromZero.size(), 7u);
    EXPECT_NE(fromZero[2].find(" 2024/1/1 08"), std::string::npos);
    // A far negative start gives the same report without walking the empty positions.
    EXPECT_EQ(Texts(40, LONG_MIN, 3, Days(9)), fromZero);
}

TEST(LayoutReport, RowsAreFormattedInFixedByteWidths)
{
    const auto texts = Texts(40, 1, 3,
                             {Rec(135, 85, 72, 1, "2004/5/3 07:05:09", 1, J("散歩") + ",rest"),
                              Rec(120, 80, 65, 1, "2004/5/3 07:05:09", 0, "plain"),
                              Rec(1, 2, 3, 1, "12345678901234567890123", 0, std::string(900, 'c'))});
    // The mark follows the pulse directly; the comment ends at its comma.
    EXPECT_EQ(texts[2], "   2004/5/3 07:05:09        135         85         72(*)   " + J("散歩"));
    EXPECT_EQ(texts[3], "   2004/5/3 07:05:09        120         80         65      plain");
    // The date-time is cut after 20 bytes; a long comment is kept whole.
    EXPECT_EQ(texts[4],
              "12345678901234567890          1          2          3      " + std::string(900, 'c'));
}

TEST(LayoutReport, AveragesRangesAndTheLinesOfTypesOneToNine)
{
    const std::vector<std::string> records = {Rec(120, 80, 71, 2), Rec(135, 85, 60, 0), Rec(128, 79, 90, 2)};
    std::vector<int> ys;
    for (const ReportLine& line : LayoutReport(50, "x", 1, 30, records, {}))
        ys.push_back(line.x == 10 ? line.y : -1);
    EXPECT_EQ(ys, (std::vector<int>{51, 211, 261, 311, 361, 461, 511, 611}));

    const auto texts = Texts(40, 1, 3, records);
    ASSERT_EQ(texts.size(), 8u); // type 0 gets no line of its own
    EXPECT_EQ(texts[5], Average(J("全測定結果"), " 127", "  81", "  73"));
    EXPECT_EQ(texts[6], Sp(22) + "( 135 - 120 )" + Sp(9) + "(  85 -  79 )" + Sp(9) + "(  90 -  60 )");
    EXPECT_EQ(texts[7], Average(J("昼"), " 124", "  79", "  80"));

    // Values above 999 and below 0 report their own extremes; types outside 0-9 count overall
    // only, and a type without a name line is named with the empty text.
    const auto odd =
        Texts(40, 1, 3, {Rec(1500, 1200, -3, -1), Rec(1200, 1100, -5, 10), Rec(1000, 1000, -1, 7)});
    ASSERT_EQ(odd.size(), 8u);
    EXPECT_EQ(odd[6], Sp(22) + "( 1500 - 1000 )" + Sp(9) + "( 1200 - 1000 )" + Sp(9) + "(  -1 -  -5 )");
    EXPECT_EQ(odd[7], Average("", "1000", "1000", "  -1"));
}

namespace {

// Each page of a layout in short: H header, C column header, r row, A overall averages,
// R ranges, T a type's averages. Checks on the way that every line lies on its page, that the
// headers stand at the top of each page and that the rows keep their order across pages.
std::vector<std::string> PageSummary(const std::vector<ReportLine>& lines, int h, int pageHeight)
{
    std::vector<std::string> pages;
    int nextDay = 1;
    int rowOnPage = 0;
    for (const ReportLine& line : lines) {
        if (line.page == static_cast<int>(pages.size())) {
            pages.emplace_back();
            rowOnPage = 0;
        }
        EXPECT_EQ(line.page + 1, static_cast<int>(pages.size())) << line.text;
        EXPECT_LE(line.y + h, pageHeight) << line.text;
        char kind = 'T';
        if (line.text == J("x 様 測定結果"))
            kind = 'H';
        else if (line.text.find(J("時刻")) != std::string::npos)
            kind = 'C';
        else if (line.text.find("2024/1/") != std::string::npos)
            kind = 'r';
        else if (line.text.rfind(J("全測定結果"), 0) == 0)
            kind = 'A';
        else if (line.text.rfind(Sp(22) + "(", 0) == 0)
            kind = 'R';
        if (kind == 'H' || kind == 'C') {
            EXPECT_EQ(line.y, kind == 'H' ? h + 1 : 4 * h + 11);
        }
        if (kind == 'r') { // rows go on in order, each page's from right below its column header
            EXPECT_NE(line.text.find(" 2024/1/" + std::to_string(nextDay++) + " 08"), std::string::npos);
            EXPECT_EQ(line.y, 5 * h + 11 + h * rowOnPage++) << line.text;
        }
        pages.back() += kind;
    }
    return pages;
}

// Position n holds day n, of type 1 or 2 when withTypes, else of type 0.
std::vector<std::string> TypedDays(int count, bool withTypes)
{
    std::vector<std::string> records = Days(count);
    for (int n = 0; withTypes && n < count; ++n)
        records[static_cast<size_t>(n)] =
            Rec(120, 80, 70, 1 + n % 2, "2024/1/" + std::to_string(n + 1) + " 08:00:00");
    return records;
}

} // namespace

TEST(LayoutReport, ALongRangeGoesOnOverPagesWithTheAveragesBlockKeptWhole)
{
    // h = 10: the rows start at 61, so a page 161 high holds 10 rows.
    constexpr int h = 10;
    EXPECT_EQ(ReportRowsPerPage(h, 161), 10);
    EXPECT_EQ(ReportRowsPerPage(h, 170), 10);
    EXPECT_EQ(ReportRowsPerPage(h, 60), 1); // a page too short still takes a row
    const struct
    {
        int rows;
        bool withTypes; // the block is 6 lines high with two type lines, else 3
        int pageHeight;
        std::vector<std::string> pages;
    } cases[] = {
        {7, false, 161, {"HCrrrrrrrAR"}},
        {7, true, 161, {"HCrrrrrrr", "HCARTT"}}, // 7 rows + 6 lines of block > 10
        {4, true, 161, {"HCrrrrARTT"}},          // exactly full: bottom edge at 161
        {10, false, 161, {"HCrrrrrrrrrr", "HCAR"}},
        {25, false, 161, {"HCrrrrrrrrrr", "HCrrrrrrrrrr", "HCrrrrrAR"}},
        {23, true, 161, {"HCrrrrrrrrrr", "HCrrrrrrrrrr", "HCrrrARTT"}},
        {25, true, 161, {"HCrrrrrrrrrr", "HCrrrrrrrrrr", "HCrrrrr", "HCARTT"}},
        {3, false, 60, {"HCr", "HCr", "HCr", "HCAR"}}, // taller than a page: one group a page
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, page " << c.pageHeight);
        const auto records = TypedDays(c.rows, c.withTypes);
        const auto lines =
            LayoutReport(h, "x", 1, 120, records, {J("[指定なし]"), J("朝"), J("昼")}, c.pageHeight);
        // A page too short for any group is overrun by the one group it holds.
        EXPECT_EQ(PageSummary(lines, h, c.pageHeight < 100 ? kUnboundedPage : c.pageHeight), c.pages);
        // What fits one page is laid out exactly as on a page without a bottom edge.
        if (c.pages.size() == 1) {
            EXPECT_EQ(lines, LayoutReport(h, "x", 1, 120, records, {J("[指定なし]"), J("朝"), J("昼")}));
        }
    }
}
