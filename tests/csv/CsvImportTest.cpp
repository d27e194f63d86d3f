#include "csv/CsvImport.h"
#include "platform/Cp932.h"
#include "record/RecordLine.h"
#include "store/DataFiles.h"

#include <gtest/gtest.h>

namespace {

CsvImportPlan Plan(const std::string& bytes, const std::vector<std::string>& dataLines = {},
                   CsvImportOptions options = {})
{
    const CsvTable table = ReadCsvTable(bytes);
    return PlanCsvImport(table, MatchCsvColumns(table.header), dataLines, DefaultItemLines(), options);
}

std::vector<std::string> Utf8Lines(const std::vector<std::string>& lines)
{
    std::vector<std::string> utf8;
    for (const std::string& line : lines)
        utf8.push_back(Utf8FromCp932(line));
    return utf8;
}

TEST(CsvImportTest, EachInputShapeGivesTheSameRecord)
{
    const std::string expected = "2024/1/5 07:30:00,128,82,66,1,1,食後";
    const std::string cp932 = Cp932FromUtf8(
        "日付,時刻,最高血圧,最低血圧,脈拍,IHB,種類,コメント\r\n2024/1/5,7:30,128,82,66,1,朝,食後\r\n");
    const std::string cases[] = {
        "date,time,sys,dia,pulse,ihb,type,note\n2024-01-05,07:30,128,82,66,yes,朝,食後\n",
        "\xEF\xBB\xBF"
        "Datum;Uhrzeit;Systole;Diastole;Puls;IHB;Type;Notiz\r\n5.1.2024;7:30:00;128;82;66;x;朝;食後\r\n",
        "datetime\tSYS (mmHg)\tDIA (mmHg)\tHeart "
        "Rate\tirregular\ttype\tmemo\n2024-01-05T07:30:00\t128\t82\t66\t●\t朝\t食後\n",
        "測定日,測定時刻,上,下,脈拍数,不整脈,タイミング,メモ\n1/5/2024,7:30 "
        "AM,128,82,66,あり,朝,食後\n1/25/2024,,0,0,,,,\n",
        "測定日時,収縮期血圧,拡張期血圧,脈拍(拍/分),不規則脈波,種類,備考\n2024/01/05 "
        "07:30,\"128\",82,66,TRUE,朝,食後\n",
        cp932,
    };
    for (const std::string& bytes : cases) {
        const CsvImportPlan plan = Plan(bytes);
        ASSERT_TRUE(plan.missingFields.empty()) << bytes;
        ASSERT_FALSE(plan.rows.empty()) << bytes;
        EXPECT_EQ(Utf8FromCp932(plan.lines.back()), expected) << bytes;
        EXPECT_EQ(plan.refusedCount, 0) << bytes;
    }
    std::string utf16 = "\xFF\xFE"; // ASCII text as UTF-16 LE
    for (const char c : std::string("date,sys,dia\n2024/1/5,128,82"))
        utf16 += {c, '\0'};
    EXPECT_EQ(Plan(utf16).lines, (std::vector<std::string>{"2024/1/5 00:00:00,128,82,0,0,0,"}));
}

TEST(CsvImportTest, UnreadableRowsAreRefusedWithTheirLineAndTheRestImported)
{
    const std::string bytes = "date,time,sys,dia,pulse\n"
                              "2024/1/5,7:30,120,80,60\n"
                              ",7:30,120,80,60\n"
                              "2023/2/29,7:30,120,80,60\n"
                              "\"2024/1/6\",\"7:30\",,80,60\n"
                              "2024/1/7,7:30,12O,80,60\n"
                              "2024/1/8,7:30,120,80,\"six\nty\"\n"
                              "2024/1/9,noon,120,80,60\n"
                              ",,,,\n"
                              "2024/1/10,7:30,120.0,80,\n";
    const CsvImportPlan plan = Plan(bytes);
    EXPECT_EQ(plan.newCount, 2);
    EXPECT_EQ(plan.refusedCount, 6);
    std::vector<std::string> ja, en;
    for (const CsvRefusal& r : plan.refusals) {
        ja.push_back(CsvRefusalText(r, Language::Japanese));
        en.push_back(CsvRefusalText(r, Language::English));
    }
    EXPECT_EQ(
        ja, (std::vector<std::string>{
                "3 行目: 日付がありません", "4 行目: 日付「2023/2/29」は存在しない日付です",
                "5 行目: 最高血圧がありません", "6 行目: 最高血圧「12O」は整数ではありません",
                "7 行目: 脈拍「six ty」は整数ではありません", "9 行目: 時刻「noon」を時刻として読めません"}));
    EXPECT_EQ(en[1], "line 4: the date \"2023/2/29\" is a date that does not exist");
    EXPECT_EQ(en[4], "line 7: the pulse \"six ty\" is not a whole number");
    EXPECT_EQ(plan.lines, (std::vector<std::string>{"2024/1/10 07:30:00,120,80,0,0,0,",
                                                    "2024/1/5 07:30:00,120,80,60,0,0,"}));
}

TEST(CsvImportTest, AmbiguousDatesAskForAnOrderAndAreReadByIt)
{
    const std::string bytes = "date,sys,dia\n3/4/2024,120,80\n5/4/2024,121,80\n";
    const CsvImportPlan undecided = Plan(bytes);
    EXPECT_TRUE(undecided.dateOrderNeeded);
    EXPECT_EQ(undecided.refusedCount, 2);
    const CsvImportPlan mdy = Plan(bytes, {}, {CsvDateOrder::Mdy, 0, {}, {}});
    EXPECT_FALSE(mdy.dateOrderNeeded);
    EXPECT_EQ(mdy.lines, (std::vector<std::string>{"2024/5/4 00:00:00,121,80,0,0,0,",
                                                   "2024/3/4 00:00:00,120,80,0,0,0,"}));
}

TEST(CsvImportTest, DuplicatesOfStoredOrEarlierRowsAreSkippedSoASecondImportChangesNothing)
{
    const std::vector<std::string> stored = {"2024/1/5 07:30:00,120,80,60,0,0,old"};
    const std::string bytes = "date,time,sys,dia,pulse,comment\n"
                              "2024-01-05,07:30:00,120,80,60,other comment\n" // stored already
                              "2024-01-06,7:30,120,80,60,\n"
                              "2024/1/6,07:30:00,120,80,60,again\n" // same as the row before
                              "2024/1/6,07:30:00,120,80,61,\n";     // pulse differs
    const CsvImportPlan first = Plan(bytes, stored);
    EXPECT_EQ(first.newCount, 2);
    EXPECT_EQ(first.duplicateCount, 2);
    EXPECT_EQ(first.rows[0].outcome, CsvRowOutcome::Duplicate);
    EXPECT_EQ(first.rows[2].outcome, CsvRowOutcome::Duplicate);
    const CsvImportPlan second = Plan(bytes, first.lines);
    EXPECT_EQ(second.newCount, 0);
    EXPECT_EQ(second.lines, first.lines);
}

TEST(CsvImportTest, NewRecordsGoBeforeTheFirstOlderRecordAndStoredOnesKeepTheirOrder)
{
    // Stored out of date order, as a record entered late leaves the file; one date unreadable.
    const std::vector<std::string> stored = {"2024/3/1 00:00:00,1,1,0,0,0,", "2024/1/1 00:00:00,2,2,0,0,0,",
                                             "bad,3,3,0,0,0,", "2024/2/1 00:00:00,4,4,0,0,0,"};
    const std::string bytes =
        "date,sys,dia\n2023/12/1,5,5\n2024/1/15,6,6\n2024/4/1,7,7\n2024/1/20,8,8\n2024/1/1,9,9\n";
    std::vector<int> order;
    for (const std::string& line : Plan(bytes, stored).lines)
        order.push_back(ReadInt(GetRecordField(line, 2)));
    EXPECT_EQ(order, (std::vector<int>{7, 1, 8, 6, 2, 3, 4, 9, 5}));
}

TEST(CsvImportTest, TheLimitIsReportedWithTheNumberThatFits)
{
    const std::vector<std::string> stored = {"2024/1/1 00:00:00,1,1,0,0,0,", "2024/1/2 00:00:00,1,1,0,0,0,"};
    const std::string bytes = "date,sys,dia\n2024/2/1,5,5\n";
    const struct
    {
        long long limit;
        bool exceeds;
    } cases[] = {{3, false}, {2, true}, {0, false}, {-5, false}};
    for (const auto& c : cases) {
        const CsvImportPlan plan = Plan(bytes, stored, {CsvDateOrder::Auto, c.limit, {}, {}});
        EXPECT_EQ(plan.exceedsLimit, c.exceeds) << c.limit;
        EXPECT_EQ(plan.limitToFit, 3) << c.limit;
    }
    EXPECT_FALSE(
        Plan("date,sys,dia\n2024/1/1 00:00,1,1\n", stored, {CsvDateOrder::Auto, 1, {}, {}}).exceedsLimit);
}

TEST(CsvImportTest, AFileWithoutTheRequiredColumnsPlansNothing)
{
    for (const std::string bytes : {"", "weight,height\n70,170\n", "date,sys\n2024/1/1,120\n", "\xFF\xFE"}) {
        const CsvImportPlan plan = Plan(bytes, {"2024/1/1 00:00:00,1,1,0,0,0,"});
        EXPECT_FALSE(plan.missingFields.empty()) << bytes;
        EXPECT_TRUE(plan.lines.empty()) << bytes;
        EXPECT_EQ(plan.newCount, 0);
    }
}

TEST(CsvImportTest, ValuesAndCommentsAreStoredAsTheEntryDialogStoresThem)
{
    const std::string longComment(1000, 'a');
    const std::string bytes = "date,sys,dia,ihb,type,comment\n"
                              "2024/1/1,-1,4294967295,no,晩,\"a,b\nc\"\n"
                              "2024/1/2,1,1,Y,unknown,絵😀文字\n"
                              "2024/1/3,1,1,○,,あ" +
                              longComment +
                              "\n"
                              "2024/1/4,4294967296,1,,,\n"
                              "2024/1/5,1,1,,,nul\x01here\n";
    const CsvImportPlan plan = Plan(bytes);
    ASSERT_EQ(plan.newCount, 4);
    EXPECT_EQ(plan.changedCount, 3);
    const std::vector<std::string> lines = Utf8Lines(plan.lines);
    EXPECT_EQ(lines[0], "2024/1/5 00:00:00,1,1,0,0,0,nul here");
    EXPECT_EQ(lines[3], "2024/1/1 00:00:00,-1,-1,0,0,3,a，b c");
    EXPECT_EQ(lines[2], "2024/1/2 00:00:00,1,1,0,1,0,絵?文字");
    EXPECT_EQ(plan.lines[1].size(), std::string("2024/1/3 00:00:00,1,1,0,1,0,").size() + kCommentMaxBytes);
    EXPECT_EQ(plan.refusals.at(0).line, 6);
    bool progressed = false;
    const CsvImportPlan cancelled = Plan(bytes, {},
                                         {CsvDateOrder::Auto,
                                          0,
                                          [&](size_t, size_t) {
                                              progressed = true;
                                              return false;
                                          },
                                          {}});
    EXPECT_TRUE(progressed);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.lines.empty());
}

} // namespace
