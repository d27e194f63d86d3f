#include "record/RecordLine.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(RecordLineTest, FieldsAreSplitAtEveryCommaAndMissingOnesAreEmpty)
{
    const std::string line = "2004/5/3 07:05:09,135,85,72,1,1,after a walk, then tea";
    EXPECT_EQ(GetRecordField(line, 1), "2004/5/3 07:05:09");
    EXPECT_EQ(GetRecordField(line, 6), "1");
    EXPECT_EQ(GetRecordField(line, 7), "after a walk"); // a comment ends at its first comma
    EXPECT_EQ(GetRecordField(line, 8), " then tea");
    EXPECT_EQ(GetRecordField(line, 9), "");
    EXPECT_EQ(GetRecordField(line, 0), "");
    EXPECT_EQ(GetRecordField("2004/5/3 07:05:09,135", 3), "");
    EXPECT_EQ(GetRecordField("a,,c", 2), "");
    EXPECT_EQ(GetRecordField("", 1), "");
}

TEST(RecordLineTest, SplittingAllFieldsAtOnceAgreesWithFieldByField)
{
    for (const std::string line : {"2004/5/3 07:05:09,135,85,72,1,1,after a walk, then tea", "a,,c", "",
                                   "no commas", "1,2,3,4,5,6,7,8,9", ",,,,,,"}) {
        const auto fields = SplitRecordFields(line);
        for (int n = 1; n <= 7; ++n)
            EXPECT_EQ(fields[static_cast<size_t>(n - 1)], GetRecordField(line, n)) << line << " field " << n;
    }
}

TEST(RecordLineTest, NumbersReadByTheAtoiRule)
{
    EXPECT_EQ(ReadInt("135"), 135);
    EXPECT_EQ(ReadInt("12a"), 12);
    EXPECT_EQ(ReadInt("abc"), 0);
    EXPECT_EQ(ReadInt(""), 0);
    EXPECT_EQ(ReadInt(" \t-42x"), -42);
    EXPECT_EQ(ReadInt("+7"), 7);
    EXPECT_EQ(ReadInt("01"), 1);
    EXPECT_EQ(ReadInt("- 5"), 0);
    EXPECT_EQ(ReadInt("1 2"), 1);
    EXPECT_EQ(ReadLong("-1"), -1);
}

TEST(RecordLineTest, NumbersBeyondThirtyTwoBitsSaturate)
{
    EXPECT_EQ(ReadInt("2147483647"), 2147483647);
    EXPECT_EQ(ReadInt("2147483648"), 2147483647);
    EXPECT_EQ(ReadInt("4294967296"), 2147483647);
    EXPECT_EQ(ReadInt("99999999999999999999999999999"), 2147483647);
    EXPECT_EQ(ReadInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ReadInt("-99999999999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ReadLong("99999999999999999999"), 2147483647L);
}

TEST(RecordLineTest, FormattedLineKeepsFieldOrderAndSignedNumbers)
{
    const std::string line = FormatRecordLine({"2004/5/3 07:05:09", 135, 85, 72, 1, 4, "memo"});
    EXPECT_EQ(line, "2004/5/3 07:05:09,135,85,72,1,4,memo");
    EXPECT_EQ(FormatRecordLine({"d", 0, 0, 0, 0, 0, ""}), "d,0,0,0,0,0,");
    // Unsigned values are written with the signed conversion, as the files always held them.
    EXPECT_EQ(FormatRecordLine({"d", 4294967295u, 2147483648u, 1, 0, -1, "c"}), "d,-1,-2147483648,1,0,-1,c");
}

TEST(RecordLineTest, NamedFieldsReadAsTheirNumberedFields)
{
    const std::string line = "2004/5/3 07:05:09,135,85,72,1,4,after a walk, then tea";
    EXPECT_EQ(RecordFieldText(line, RecordField::DateTime), "2004/5/3 07:05:09");
    EXPECT_EQ(RecordFieldText(line, RecordField::Comment), "after a walk");
    const std::vector<std::pair<RecordField, int>> numbers{
        {RecordField::Max, 135}, {RecordField::Min, 85}, {RecordField::Pulse, 72},
        {RecordField::Ihb, 1},   {RecordField::Type, 4}, {RecordField::DateTime, 2004}};
    for (const auto& [field, value] : numbers)
        EXPECT_EQ(ReadRecordNumber(line, field), value) << static_cast<int>(field);
    EXPECT_EQ(ReadRecordNumber("d,99999999999", RecordField::Max), 2147483647); // saturates
    EXPECT_EQ(ReadRecordNumber("d,120", RecordField::Type), 0);                 // missing
}

TEST(RecordLineTest, CommasAndLineBreaksNeverReachTheStoredComment)
{
    EXPECT_EQ(StorableComment(Cp932FromUtf8("朝食後,散歩")), Cp932FromUtf8("朝食後，散歩"));
    EXPECT_EQ(StorableComment("a\r\nb"), "a  b");
    // Double-byte characters whose second byte is a backslash stay as they are.
    EXPECT_EQ(StorableComment(Cp932FromUtf8("表示ソ")), Cp932FromUtf8("表示ソ"));
    // The longest record the dialog lets through is still one line of the file.
    const std::string longest =
        FormatRecordLine({"9999/12/31 23:59:59", 0x80000000u, 0x80000000u, 0x80000000u, -2147483647 - 1,
                          -2147483647 - 1, std::string(kCommentMaxBytes, 'x')});
    EXPECT_LE(static_cast<int>(longest.size()), kRecordLineMaxBytes);
}

TEST(RecordLineTest, ACorrectionStartsFromTheWholeStoredRecord)
{
    const std::string comment = "first part,after a comma " + std::string(300, 'x');
    const MEASUREMENT m = ParseRecordLine("2004/5/3 07:05:09,-1,99999999999,72,1,7," + comment);
    EXPECT_EQ(m.dateTime, "2004/5/3 07:05:09");
    EXPECT_EQ(m.max, 4294967295u); // written as -1 from an unsigned 4294967295
    EXPECT_EQ(m.min, 2147483647u); // hand-edited beyond 32 bits: saturates
    EXPECT_EQ(m.pulse, 72u);
    EXPECT_EQ(m.ihb, 1);
    EXPECT_EQ(m.type, 7);
    EXPECT_EQ(m.comment, comment);
    EXPECT_EQ(ParseRecordLine("2004/5/3 07:05:09,120").comment, "");
}

} // namespace
