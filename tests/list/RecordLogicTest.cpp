// The pure record logic of the list: averages, category colours, date-time text and the form
// a record is stored in.
#include "list/Averages.h"
#include "list/CellColours.h"
#include "list/DateTimeText.h"
#include "list/RecordRules.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Average(const std::vector<std::string>& lines, int field, int filter)
{
    const RecordLineAt at = [&](unsigned n) { return std::string_view(lines[n - 1]); };
    return ComputeAverageText(static_cast<unsigned>(lines.size()), at, field, filter);
}

std::string Line(int max, int min, int pulse, int ihb, int type)
{
    return FormatRecordLine("2024/5/3 07:05:09", static_cast<std::uint32_t>(max),
                            static_cast<std::uint32_t>(min), static_cast<std::uint32_t>(pulse), ihb, type,
                            "");
}

} // namespace

TEST(Averages, TruncateTheIntegerMeanOfTheField)
{
    EXPECT_EQ(Average({Line(120, 80, 60, 0, 0), Line(121, 81, 61, 0, 1), Line(125, 85, 65, 0, 2)}, 2, 0),
              "122");
    EXPECT_EQ(Average({Line(121, 80, 60, 0, 0), Line(122, 80, 60, 0, 0)}, 2, -1), "121");
    EXPECT_EQ(Average({Line(-7, 0, 0, 0, 0), Line(0, 0, 0, 0, 0)}, 2, 0), "-3"); // toward zero
}

TEST(Averages, ATypeFilterCountsOnlyThatTypeAndEntryZeroCountsAll)
{
    const std::vector<std::string> lines{Line(100, 60, 50, 0, 1), Line(140, 90, 70, 0, 1),
                                         Line(200, 120, 90, 0, 0), Line(160, 100, 80, 0, 2)};
    EXPECT_EQ(Average(lines, 2, 1), "120");
    EXPECT_EQ(Average(lines, 3, 2), "100");
    EXPECT_EQ(Average(lines, 4, 0), "72");
    EXPECT_EQ(Average(lines, 2, 3), "0"); // records exist, none of the type
    EXPECT_EQ(Average({}, 2, 0), "");     // no records at all
}

TEST(Averages, HandEditedValuesBeyond32BitsWrapLikeTheSignedSum)
{
    // Each value saturates at 2147483647; the sum of two wraps to -2.
    EXPECT_EQ(Average({"d,99999999999,0,0,0,0,", "d,99999999999,0,0,0,0,"}, 2, 0), "-1");
}

TEST(CellColours, PressureCellsFollowTheCategoryLimits)
{
    const CellColour system{};
    const CellColour white_blue{false, {255, 255, 255}, {178, 178, 255}};
    const CellColour black_yellow{false, {0, 0, 0}, {255, 255, 178}};
    const CellColour white_pink{false, {255, 255, 255}, {255, 128, 128}};
    const CellColour white_rose{false, {255, 255, 255}, {255, 64, 128}};
    const CellColour white_red{false, {255, 255, 255}, {255, 0, 0}};
    const std::vector<std::pair<int, CellColour>> maxima{
        {119, white_blue}, {120, system},     {129, system},     {130, black_yellow}, {139, black_yellow},
        {140, white_pink}, {160, white_rose}, {179, white_rose}, {180, white_red}};
    for (const auto& [value, colour] : maxima)
        EXPECT_EQ(CellColours(1, Line(value, 0, 0, 0, 0)), colour) << value;
    const std::vector<std::pair<int, CellColour>> minima{
        {79, white_blue}, {80, system},      {84, system},      {85, black_yellow},
        {90, white_pink}, {100, white_rose}, {109, white_rose}, {110, white_red}};
    for (const auto& [value, colour] : minima)
        EXPECT_EQ(CellColours(2, Line(200, value, 0, 0, 0)), colour) << value;
    EXPECT_EQ(CellColours(0, Line(200, 200, 0, 1, 0)), system);
    EXPECT_EQ(CellColours(6, Line(200, 200, 0, 1, 0)), system);
}

TEST(CellColours, ThePulseCellMarksAnIrregularPulseWhateverThePulse)
{
    EXPECT_EQ(CellColours(3, Line(120, 80, 200, 1, 0)), (CellColour{false, {0, 0, 0}, {255, 255, 178}}));
    EXPECT_TRUE(CellColours(3, Line(120, 80, 200, 0, 0)).system);
    EXPECT_TRUE(CellColours(3, "2024/5/3 07:05:09,120,80").system); // a short line reads as 0
}

TEST(DateTimeText, FormatsDateAndTimeOfDayFromTheirOwnValues)
{
    const CTime date(2004, 12, 31, 3, 4, 5);
    const CTime time(1999, 1, 1, 21, 30, 15);
    EXPECT_EQ(FormatDateTime(date, time), "2004/12/31 21:30:15");
    EXPECT_EQ(FormatDateTime(CTime(2004, 5, 3, 7, 5, 9), CTime(2004, 5, 3, 7, 5, 9)), "2004/5/3 07:05:09");
}

TEST(DateTimeText, ParsesStoredTextsBackToTheSameTime)
{
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

TEST(RecordRules, CommasAndLineBreaksNeverReachTheStoredComment)
{
    const std::string fullWidthComma = Cp932FromUtf8("，");
    EXPECT_EQ(StorableComment(Cp932FromUtf8("朝食後,散歩")), Cp932FromUtf8("朝食後，散歩"));
    EXPECT_EQ(StorableComment("a\r\nb"), "a  b");
    // A full-width character whose second byte is a backslash or a letter stays as it is.
    EXPECT_EQ(StorableComment(Cp932FromUtf8("表示ソ")), Cp932FromUtf8("表示ソ"));

    const std::string line = FormatRecordLine("2004/5/3 07:05:09", 1, 2, 3, 0, 1, StorableComment("x,y,z"));
    EXPECT_EQ(GetRecordField(line, 7), "x" + fullWidthComma + "y" + fullWidthComma + "z");
}

TEST(RecordRules, TheLongestRecordLineStillFitsOneLine)
{
    const std::string comment(kCommentMaxBytes, 'x');
    const std::string line = FormatRecordLine("9999/12/31 23:59:59", 0x80000000u, 0x80000000u, 0x80000000u,
                                              -2147483647 - 1, -2147483647 - 1, comment);
    EXPECT_LE(static_cast<int>(line.size()), kRecordLineMaxBytes);
}

TEST(RecordRules, ACorrectionStartsFromTheWholeStoredRecord)
{
    const std::string comment = "first part,after a comma " + std::string(300, 'x');
    const MEASUREMENT m = RecordFromLine("2004/5/3 07:05:09,-1,99999999999,72,1,7," + comment);
    EXPECT_EQ(m.dateTime, "2004/5/3 07:05:09");
    EXPECT_EQ(m.max, 4294967295u); // written as -1 from an unsigned 4294967295
    EXPECT_EQ(m.min, 2147483647u); // hand-edited beyond 32 bits: saturates
    EXPECT_EQ(m.pulse, 72u);
    EXPECT_EQ(m.ihb, 1);
    EXPECT_EQ(m.type, 7);
    EXPECT_EQ(m.comment, comment);
    EXPECT_EQ(RecordFromLine("2004/5/3 07:05:09,120").comment, "");
}
