// The tables the import reads device files by: the column names, the flag words, the dates with
// month names and the zone offsets.
#include "csv/ColumnMatch.h"
#include "csv/CsvDates.h"
#include "csv/CsvImport.h"
#include "csv/FlagWords.h"
#include "store/DataFiles.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Fields = std::map<CsvField, int>;

Fields MapOf(const std::vector<std::string>& header)
{
    const CsvColumnMap map = MatchCsvColumns(header);
    Fields fields;
    for (int f = 0; f < kCsvFieldCount; ++f) {
        if (map.columns[static_cast<size_t>(f)] != CsvColumnMap::kNone)
            fields[static_cast<CsvField>(f)] = map.columns[static_cast<size_t>(f)];
    }
    return fields;
}

TEST(ColumnMatchTest, EachFileShapeFindsItsColumns)
{
    using F = CsvField;
    const struct
    {
        std::vector<std::string> header;
        Fields expected;
    } cases[] = {
        // A Japanese monitor app: the flag column, not the count column, is the IHB.
        {{"測定日", "タイムゾーン", "最高血圧(mmHg)", "最低血圧(mmHg)", "脈拍(bpm)", "不規則脈波検出",
          "不規則脈波検出回数(回)", "体動検出"},
         {{F::Date, 0}, {F::Zone, 1}, {F::Systolic, 2}, {F::Diastolic, 3}, {F::Pulse, 4}, {F::Ihb, 5}}},
        {{"不規則脈波検出回数(回)", "不規則脈波検出", "測定日", "最高血圧", "最低血圧"},
         {{F::Ihb, 1}, {F::Date, 2}, {F::Systolic, 3}, {F::Diastolic, 4}}},
        // The English report of the same maker.
        {{"Date", "Time", "Systolic (mmHg)", "Diastolic (mmHg)", "Pulse (bpm)", "Symptoms", "Consumed",
          "TruRead", "Notes"},
         {{F::Date, 0}, {F::Time, 1}, {F::Systolic, 2}, {F::Diastolic, 3}, {F::Pulse, 4}, {F::Comment, 8}}},
        // A smart monitor's bp.csv.
        {{"Date", "Heart rate", "Systolic", "Diastolic", "Comments"},
         {{F::Date, 0}, {F::Pulse, 1}, {F::Systolic, 2}, {F::Diastolic, 3}, {F::Comment, 4}}},
        // The table an Apple Health export is read into.
        {{"startDate", "最高血圧", "最低血圧", "脈拍"},
         {{F::DateTime, 0}, {F::Systolic, 1}, {F::Diastolic, 2}, {F::Pulse, 3}}},
        // The zone is found first; an exact name beats an earlier prefix; a prefix never takes a
        // column another field names exactly; the longest prefix wins.
        {{"Time Zone", "Time", "Date/Time", "Systolic BP", "Sys", "Diastolic BP",
          "Irregular heartbeat detected"},
         {{F::Zone, 0}, {F::Time, 1}, {F::DateTime, 2}, {F::Systolic, 4}, {F::Diastolic, 5}, {F::Ihb, 6}}},
        {{"timestampUnixMs", "measurement date", "memo", "IHB count", "dates"},
         {{F::DateTime, 0}, {F::Date, 1}, {F::Comment, 2}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapOf(c.header), c.expected) << c.header.front() << " … " << c.header.back();
}

TEST(FlagWordsTest, WholeWordsAreSetOrClearAndOthersUnknown)
{
    const std::pair<const char*, CsvFlag> cases[] = {
        {"検出", CsvFlag::Set},
        {" あり ", CsvFlag::Set},
        {"有", CsvFlag::Set},
        {"Detected", CsvFlag::Set},
        {"YES", CsvFlag::Set},
        {"1", CsvFlag::Set},
        {"true", CsvFlag::Set},
        {"●", CsvFlag::Set},
        {"x", CsvFlag::Set},
        {"未検出", CsvFlag::Clear},
        {"なし", CsvFlag::Clear},
        {"無", CsvFlag::Clear},
        {"Not  Detected", CsvFlag::Clear},
        {"no", CsvFlag::Clear},
        {"0", CsvFlag::Clear},
        {"FALSE", CsvFlag::Clear},
        {"-", CsvFlag::Clear},
        {" ", CsvFlag::Clear},
        {"検出あり", CsvFlag::Unknown},
        {"2", CsvFlag::Unknown},
        {"?", CsvFlag::Unknown},
    };
    for (const auto& [cell, flag] : cases)
        EXPECT_EQ(ReadCsvFlag(cell), flag) << cell;
}

TEST(MonthDatesTest, EnglishMonthNamesWithTwelveAndTwentyFourHourTimes)
{
    const struct
    {
        const char* date;
        const char* time;
        const char* expected;
    } cases[] = {
        {"Jan 12 2025", "", "2025/1/12 00:00:00"},
        {"jan 12, 2025", "08:12", "2025/1/12 08:12:00"},
        {"12 JAN 2025", "8:40 PM", "2025/1/12 20:40:00"},
        {"12-Jan-2025", "12:05 am", "2025/1/12 00:05:00"},
        {"January 12, 2025 8:40 PM", "", "2025/1/12 20:40:00"},
        {"Sun, Jan 12 2025", "", "2025/1/12 00:00:00"},
        {"Sunday 12 January 2025 21:15:30", "", "2025/1/12 21:15:30"},
        {"Sept. 3, 2024", "", "2024/9/3 00:00:00"},
        {"Feb 29 2023", "", "refused"},
        {"Jan 32 2025", "", "refused"},
        {"Janu 12 2025", "", "refused"},
        {"Jan 12 25", "", "refused"},
        {"Jan 12 2025", "13:00 PM", "refused"},
    };
    for (const auto& c : cases) {
        const CsvDateRead read = ReadCsvDateTime(c.date, c.time, CsvDateOrder::Auto);
        EXPECT_EQ(read.value ? read.value->Text() : "refused", c.expected) << c.date << " | " << c.time;
    }
}

TEST(ZonesTest, OffsetsAreReadAndNamesAskedOfTheConverter)
{
    const std::pair<const char*, std::optional<int>> offsets[] = {
        {"+09:00", 32400}, {"+0900", 32400}, {"+9", 32400},         {"-05:30", -19800}, {"Z", 0},
        {"UTC", 0},        {"GMT+9", 32400}, {"UTC-03:00", -10800}, {"Asia/Tokyo", {}}, {"+25:00", {}},
    };
    for (const auto& [text, seconds] : offsets)
        EXPECT_EQ(ParseZoneOffset(text), seconds) << text;

    // A zone cell places the wall time; the converter answers for names, an unknown one refuses
    // the row; a date cell with its own offset is not moved again.
    CsvImportOptions options;
    options.zoneNames = [](std::string_view zone, const Moment& wall) -> std::optional<Moment> {
        if (zone != "Test/Plus9")
            return std::nullopt;
        return LocalFromOffset(wall, 9 * 3600);
    };
    const CsvTable table = ReadCsvTable("date,zone,sys,dia\n"
                                        "2024/1/5 07:30,+09:00,120,80\n"
                                        "2024/1/5 07:31,Test/Plus9,120,80\n"
                                        "2024-01-05T07:32:00+09:00,Test/Minus5,120,80\n"
                                        "2024/1/5 07:33,Nowhere/Else,120,80\n");
    const CsvImportPlan plan =
        PlanCsvImport(table, MatchCsvColumns(table.header), {}, DefaultItemLines(), options);
    ASSERT_EQ(plan.newCount, 3);
    const auto local = [](int minute) {
        return LocalFromOffset({2024, 1, 5, 7, minute, 0}, 9 * 3600)->Text();
    };
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(plan.rows[static_cast<size_t>(r)].record.dateTime, local(30 + r));
    ASSERT_EQ(plan.refusals.size(), 1U);
    EXPECT_EQ(CsvRefusalText(plan.refusals[0], Language::Japanese),
              "5 行目: タイムゾーン「Nowhere/Else」は知られていないタイムゾーンです");
}

} // namespace
