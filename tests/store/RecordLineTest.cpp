#include "store/RecordLine.h"

#include <gtest/gtest.h>

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
    const std::string line = FormatRecordLine("2004/5/3 07:05:09", 135, 85, 72, 1, 4, "memo");
    EXPECT_EQ(line, "2004/5/3 07:05:09,135,85,72,1,4,memo");
    EXPECT_EQ(FormatRecordLine("d", 0, 0, 0, 0, 0, ""), "d,0,0,0,0,0,");
    // Unsigned values are written with the signed conversion, as the files always held them.
    EXPECT_EQ(FormatRecordLine("d", 4294967295u, 2147483648u, 1, 0, -1, "c"), "d,-1,-2147483648,1,0,-1,c");
}

} // namespace
