#include "csv/CsvExport.h"
#include "csv/CsvDates.h"
#include "csv/CsvImport.h"
#include "platform/Cp932.h"
#include "record/RecordLine.h"
#include "store/DataFiles.h"

#include <gtest/gtest.h>

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader = "日付,時刻,最高血圧,最低血圧,脈拍,IHB,種類,コメント\r\n";

// A record line as the entry dialog has the list page store it.
std::string Entered(const char* dateTime, std::uint32_t max, int ihb, int type, const std::string& comment,
                    std::uint32_t pulse = 70)
{
    return FormatRecordLine({dateTime, max, 80, pulse, ihb, type, StorableComment(Cp932FromUtf8(comment))});
}

TEST(CsvExportTest, RowsAreSortedOldestFirstQuotedAndNamedByType)
{
    std::vector<std::string> types = DefaultItemLines();
    types[2] = Cp932FromUtf8("昼,\"外\"");
    const std::vector<std::string> lines = {
        Entered("2024/3/1 21:05:00", 140, 1, 2, "頭痛"),
        "2024/3/1 7:5:9,120,80,70,0,4,a,b", // written by hand: a comma in the comment
        "not a date,1,1,1,0,0,",
        Entered("2023/12/31 23:59:59", 4294967295u, 0, 9, "x\"y"),
        Entered("2024/3/1 07:05:09", 121, 0, 0, ""),
    };
    const CsvExportResult all = ExportCsv(lines, types);
    EXPECT_EQ(all.exported, 4);
    EXPECT_EQ(all.unreadable, 1);
    EXPECT_EQ(all.text, kBom + kHeader +
                            "2023-12-31,23:59:59,-1,80,70,0,,\"x\"\"y\"\r\n"
                            "2024-03-01,07:05:09,120,80,70,0,その他,\"a,b\"\r\n"
                            "2024-03-01,07:05:09,121,80,70,0,[指定なし],\r\n"
                            "2024-03-01,21:05:00,140,80,70,1,\"昼,\"\"外\"\"\",頭痛\r\n");

    const CsvExportResult march = ExportCsv(
        lines, types, BetweenDays(ParseIsoDate("2024-03-01")->Day(), ParseIsoDate("2024-03-01")->Day()));
    EXPECT_EQ(march.exported, 3);
    const CsvExportResult none =
        ExportCsv(lines, types, BetweenDays(ParseIsoDate("2024-03-02")->Day(), std::nullopt));
    EXPECT_EQ(none.text, kBom + kHeader);
    EXPECT_EQ(none.unreadable, 1);
}

TEST(CsvExportTest, ExportThenImportIntoAnEmptyFolderGivesTheSameLinesByteForByte)
{
    std::vector<std::string> types = DefaultItemLines();
    types[4] = Cp932FromUtf8("寝る前, 薬\"後\"");
    types[3] = Cp932FromUtf8(" 晩 ");
    // Newest first, as measurements entered when they are taken; equal times keep their order.
    const std::vector<std::string> lines = {
        Entered("2024/12/31 23:59:59", 135, 1, 4, "散歩のあと, 少し\"速足\""),
        Entered("2024/5/3 07:05:09", 4294967295u, 0, 1, "①髙～"),
        Entered("2024/5/3 07:05:09", 120, 0, 2, " leading and trailing blanks "),
        Entered("2024/5/3 07:05:09", 120, 1, 3, "line\nbreak", 71), // a duplicate if the pulse were 70
        Entered("2004/1/1 00:00:00", 0, 0, 0, ""),
        Entered("1999/2/28 12:00:00", 200, 0, 0, std::string(400, 'x') + "あ" + std::string(537, 'y')),
    };
    const CsvTable table = ReadCsvTable(ExportCsv(lines, types).text);
    const CsvImportPlan plan = PlanCsvImport(table, MatchCsvColumns(table.header), {}, types, {});
    EXPECT_EQ(plan.refusedCount, 0);
    EXPECT_EQ(plan.changedCount, 0);
    EXPECT_EQ(plan.lines, lines);
}

TEST(CsvExportTest, RecordsStoredOutOfDateOrderComeBackWholeInDateOrder)
{
    const std::vector<std::string> lines = {Entered("2024/1/1 07:00:00", 120, 0, 0, "entered late"),
                                            Entered("2024/1/2 07:00:00", 121, 0, 0, "")};
    const CsvTable table = ReadCsvTable(ExportCsv(lines, DefaultItemLines()).text);
    const CsvImportPlan plan =
        PlanCsvImport(table, MatchCsvColumns(table.header), {}, DefaultItemLines(), {});
    EXPECT_EQ(plan.lines, (std::vector<std::string>{lines[1], lines[0]}));
}

} // namespace
