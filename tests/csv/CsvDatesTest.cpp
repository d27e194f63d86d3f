#include "csv/CsvDates.h"
#include "csv/CsvExport.h"
#include "platform/LocalMoment.h"
#include "record/DateTimeText.h"
#include "store/DataFiles.h"
#include "support/TimeZone.h"

#include <gtest/gtest.h>

namespace {

// The record text of a point in time, in local time, as the program writes it.
std::string LocalText(std::time_t t)
{
    return FormatDateTime(CTime(t), CTime(t));
}

std::string Read(std::string_view date, std::string_view time = {}, CsvDateOrder order = CsvDateOrder::Auto)
{
    const CsvDateRead read = ReadCsvDateTime(date, time, order);
    return read.value ? read.value->Text() : "refused " + std::to_string(static_cast<int>(read.reason));
}

std::string Refused(CsvRefusalReason reason)
{
    return "refused " + std::to_string(static_cast<int>(reason));
}

TEST(CsvDatesTest, EachDateAndTimeFormReadsIntoTheRecordText)
{
    struct Case
    {
        const char* date;
        const char* time;
        CsvDateOrder order;
        std::string expected;
    };
    const Case cases[] = {
        {"2024/1/5", "", CsvDateOrder::Auto, "2024/1/5 00:00:00"},
        {"2024-01-05", "7:30", CsvDateOrder::Auto, "2024/1/5 07:30:00"},
        {"2024.1.5", "07:30:15", CsvDateOrder::Auto, "2024/1/5 07:30:15"},
        {"5.1.2024", "7:30 PM", CsvDateOrder::Auto, "2024/1/5 19:30:00"},
        {"1/5/2024", "12:05 am", CsvDateOrder::Mdy, "2024/1/5 00:05:00"},
        {"5/1/2024", "12:05:09PM", CsvDateOrder::Dmy, "2024/1/5 12:05:09"},
        {"25/1/2024", "", CsvDateOrder::Auto, "2024/1/25 00:00:00"},
        {"1/25/2024", "", CsvDateOrder::Auto, "2024/1/25 00:00:00"},
        {"3/3/2024", "", CsvDateOrder::Auto, "2024/3/3 00:00:00"},
        {"2024/01/05(金) 7:30", "", CsvDateOrder::Auto, "2024/1/5 07:30:00"},
        {"2024/01/05 07:30", "8:15", CsvDateOrder::Auto, "2024/1/5 08:15:00"},
        {"2024-01-05T07:30:00.250", "", CsvDateOrder::Auto, "2024/1/5 07:30:00"},
        {" 2024/2/29 ", "午後 1:00", CsvDateOrder::Auto, "2024/2/29 13:00:00"},
        {"", "7:30", CsvDateOrder::Auto, Refused(CsvRefusalReason::NoDate)},
        {"yesterday", "", CsvDateOrder::Auto, Refused(CsvRefusalReason::UnreadableDate)},
        {"2024/1/5x", "", CsvDateOrder::Auto, Refused(CsvRefusalReason::UnreadableDate)},
        {"1/5/2024", "", CsvDateOrder::Ymd, Refused(CsvRefusalReason::UnreadableDate)},
        {"2023/2/29", "", CsvDateOrder::Auto, Refused(CsvRefusalReason::NoSuchDate)},
        {"31.4.2024", "", CsvDateOrder::Auto, Refused(CsvRefusalReason::NoSuchDate)},
        {"13/13/2024", "", CsvDateOrder::Auto, Refused(CsvRefusalReason::NoSuchDate)},
        {"1/13/2024", "", CsvDateOrder::Dmy, Refused(CsvRefusalReason::NoSuchDate)},
        {"3/4/2024", "", CsvDateOrder::Auto, Refused(CsvRefusalReason::AmbiguousDate)},
        {"2024/1/5", "24:00", CsvDateOrder::Auto, Refused(CsvRefusalReason::UnreadableTime)},
        {"2024/1/5", "13:00 PM", CsvDateOrder::Auto, Refused(CsvRefusalReason::UnreadableTime)},
        {"2024/1/5", "7.30", CsvDateOrder::Auto, Refused(CsvRefusalReason::UnreadableTime)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(c.date, c.time, c.order), c.expected) << c.date << " | " << c.time;
}

TEST(CsvDatesTest, UnixTimeAndZonedIsoTimesAreConvertedToLocalTime)
{
    constexpr std::time_t kInstant = 1704407400; // 2024-01-04 22:30:00 UTC
    EXPECT_EQ(Read("1704407400"), LocalText(kInstant));
    EXPECT_EQ(Read("1704407400123"), LocalText(kInstant));  // milliseconds
    EXPECT_EQ(Read("99999999999"), LocalText(99999999999)); // just below the milliseconds
    EXPECT_EQ(Read("2024-01-05T07:30:00+09:00"), LocalText(kInstant));
    EXPECT_EQ(Read("2024-01-05T07:30:00+0900"), LocalText(kInstant));
    EXPECT_EQ(Read("2024-01-04T22:30:00Z"), LocalText(kInstant));
    EXPECT_EQ(Read("2024-01-04T17:30-05"), LocalText(kInstant));
    EXPECT_EQ(Read("2024-01-04T22:30:00+25:00"), Refused(CsvRefusalReason::UnreadableTime));
}

TEST(CsvDatesTest, InJapanAPointInTimeReadsAsJapansClockAndAClockTimeStaysAsItIs)
{
    const ScopedTimeZone zone("Asia/Tokyo");
    ASSERT_EQ(UtcOffsetAt(UtcTime(2026, 1, 15)), 9 * 3600);
    for (const char* instant : {"1704407400", "2024-01-04T22:30:00Z", "2024-01-05T07:30:00+09:00",
                                "2024-01-05T07:30:00", "2024/01/05 07:30"})
        EXPECT_EQ(Read(instant), "2024/1/5 07:30:00") << instant;
    // The export writes the stored clock time as it is.
    const CsvExportResult exported = ExportCsv({"2026/12/8 07:00:00,128,82,64,0,1,"}, DefaultItemLines());
    EXPECT_NE(exported.text.find("\r\n2026-12-08,07:00:00,128,"), std::string::npos) << exported.text;
}

TEST(CsvDatesTest, AColumnDecidesItsDayOrderOnlyWhenItSaysOneThing)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(DetectDateOrder(V{"3/4/2024", "25/4/2024"}), CsvDateOrder::Dmy);
    EXPECT_EQ(DetectDateOrder(V{"3/4/2024", "4/25/2024", "2024/12/31"}), CsvDateOrder::Mdy);
    EXPECT_EQ(DetectDateOrder(V{"3/4/2024", "4/3/2024"}), CsvDateOrder::Auto);
    EXPECT_EQ(DetectDateOrder(V{"25/4/2024", "4/25/2024"}), CsvDateOrder::Auto);
    EXPECT_EQ(DetectDateOrder(V{"31.12.2024", "2024/12/31"}), CsvDateOrder::Auto); // nothing to decide
    EXPECT_EQ(ParseDateOrder("DMY"), CsvDateOrder::Dmy);
    EXPECT_EQ(ParseDateOrder("ymd"), CsvDateOrder::Ymd);
    EXPECT_FALSE(ParseDateOrder("dm").has_value());
}

TEST(CsvDatesTest, StoredTextsReadAsTheListReadsThem)
{
    for (const char* text :
         {"2004/5/3 07:05:09", "2038/12/31 23:59:59", "2004/05/03 7:5:9", "2024/2/29 00:00:00,x",
          "2023/2/29 00:00:00", "2004/5/3 24:00:00", "1899/12/31 00:00:00", "", "garbage"}) {
        const std::optional<Moment> ours = ReadMoment(text);
        const std::optional<CTime> list = TryParseDateTime(text);
        ASSERT_EQ(ours.has_value(), list.has_value()) << text;
        if (ours) {
            EXPECT_EQ(ours->Text(), FormatDateTime(*list, *list)) << text;
        }
    }
    EXPECT_EQ(ParseIsoDate("2024-02-29")->Text(), "2024/2/29 00:00:00");
    for (const char* bad : {"2023-02-29", "2024-2-29", "2024/02/29", "2024-02-29x", ""})
        EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
}

} // namespace
