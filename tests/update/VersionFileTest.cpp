// Reading values from the version file, comparing versions, and the updater's arguments.
#include "update/VersionFile.h"

#include <gtest/gtest.h>

namespace {

std::string Find(std::string_view key, std::string_view text, std::size_t size = 256)
{
    std::string field = "<untouched>";
    FindValue(key, text, field, size, kValueSeparators, kValueTerminators);
    return field;
}

} // namespace

TEST(FindValueTest, AnyMixOfSeparatorsLeadsToTheSameValue)
{
    EXPECT_EQ(Find("Version", "Version=001000001\r\n"), "001000001");
    EXPECT_EQ(Find("Version", "Version 001000001\n"), "001000001");
    EXPECT_EQ(Find("Version", "Version  = =\t==001000001"), "001000001");
    EXPECT_EQ(Find("Version", "Version001000001 trailing"), "001000001");
}

TEST(FindValueTest, ValueEndsAtBlankTabLineEndOrEndOfText)
{
    EXPECT_EQ(Find("Name", "Name=Velliqa Pro\r\n"), "Velliqa");
    EXPECT_EQ(Find("Name", "Name=Velliqa\tPro"), "Velliqa");
    EXPECT_EQ(Find("Name", "Name=Velliqa\rX"), "Velliqa");
    EXPECT_EQ(Find("Name", "Name=Velliqa\nX"), "Velliqa");
    EXPECT_EQ(Find("Name", "Name=Velliqa"), "Velliqa");
    EXPECT_EQ(Find("Name", "Name=\r\nNext=1"), "");
    EXPECT_EQ(Find("Name", "Name"), "");
}

TEST(FindValueTest, ValueKeepsAtMostFieldSizeMinusTwoBytes)
{
    EXPECT_EQ(Find("Version", "Version=1234567890123456", 14), "123456789012");
    EXPECT_EQ(Find("Flag", "Flag=123", 4), "12");
    EXPECT_EQ(Find("Flag", "Flag=1", 4), "1");
}

TEST(FindValueTest, KeyIsCaseSensitiveAndMissingKeyLeavesTheField)
{
    std::string field = "kept";
    EXPECT_FALSE(FindValue("Version", "version=2\r\nVERSION=3", field, 14, kValueSeparators, kValueTerminators));
    EXPECT_EQ(field, "kept");
    EXPECT_FALSE(FindValue("Version", "Ver", field, 14, kValueSeparators, kValueTerminators));
    EXPECT_FALSE(FindValue("Version", "", field, 14, kValueSeparators, kValueTerminators));
    EXPECT_EQ(field, "kept");
}

TEST(FindValueTest, FirstOccurrenceWinsEvenInsideAnotherValue)
{
    const std::string file = "Location=http://example.org/Size=big/setup.exe\r\nSize=4096\r\n";
    EXPECT_EQ(Find("Size", file), "big/setup.exe");
    EXPECT_EQ(Find("Location", file), "http://example.org/Size=big/setup.exe");
}

TEST(FindValueTest, ShiftJisValueIsCopiedByteForByte)
{
    // "Name=血圧" in code page 932, followed by a line end.
    EXPECT_EQ(Find("Name", "Name=\x8C\x8C\x88\xB3\r\n"), "\x8C\x8C\x88\xB3");
}

TEST(CompareMbcsTest, NewerVersionsCompareGreater)
{
    EXPECT_GT(CompareMbcs("001000001", "001000000"), 0);
    EXPECT_GT(CompareMbcs("1", "001000000"), 0);
    EXPECT_GT(CompareMbcs("0010000000", "001000000"), 0);
    EXPECT_GT(CompareMbcs("002", "001000000"), 0);
}

TEST(CompareMbcsTest, SameOlderOrMissingVersionIsNotNewer)
{
    EXPECT_EQ(CompareMbcs("001000000", "001000000"), 0);
    EXPECT_LT(CompareMbcs("", "001000000"), 0);
    EXPECT_LT(CompareMbcs("000999999", "001000000"), 0);
    EXPECT_LT(CompareMbcs("00100000", "001000000"), 0);
}

TEST(CompareMbcsTest, DoubleByteCharacterIsOneUnitWithItsTwoByteValue)
{
    // 0x81 0x40 (an ideographic space) outranks every single byte, 0xFF included.
    EXPECT_GT(CompareMbcs("\x81\x40", "\xFF"), 0);
    EXPECT_LT(CompareMbcs("\xFF", "\x81\x40"), 0);
    // Compared by the pair: 0x82 0xA0 is above 0x82 0x9F.
    EXPECT_GT(CompareMbcs("\x82\xA0", "\x82\x9F"), 0);
    // A lead byte at the end of the text counts as a single byte.
    EXPECT_LT(CompareMbcs("\x82", "\x82\x40"), 0);
    // Bytes above 0x7F compare unsigned.
    EXPECT_GT(CompareMbcs("\xA0", "1"), 0);
}

TEST(CompareMbcsTest, TextEndsAtItsFirstZeroByte)
{
    EXPECT_EQ(CompareMbcs(std::string_view("001000000\0" "9", 11), "001000000"), 0);
}

TEST(UpdaterArgumentsTest, SevenArgumentsInOrderEachKeptWhole)
{
    const UpdateDetails details{"http://example.org/a b\"; rm -rf ~", "4096", "1", "30", "--all \"x\""};
    const std::vector<std::string> args = UpdaterArguments("/opt/velliqa/velliqa", details);
    ASSERT_EQ(args.size(), 7u);
    EXPECT_EQ(args[0], "/opt/velliqa/velliqa");
    EXPECT_EQ(args[1], "/opt/velliqa/velliqa");
    EXPECT_EQ(args[2], "http://example.org/a b\"; rm -rf ~");
    EXPECT_EQ(args[3], "4096");
    EXPECT_EQ(args[4], "1");
    EXPECT_EQ(args[5], "30");
    EXPECT_EQ(args[6], "--all \"x\"");
}

TEST(UpdaterArgumentsTest, ShiftJisValuesBecomeUtf8AndEndAtAZeroByte)
{
    const UpdateDetails details{"\x8C\x8C\x88\xB3", "", std::string("1\0" "2", 3), "", ""};
    const std::vector<std::string> args = UpdaterArguments("/p", details);
    EXPECT_EQ(args[2], "血圧");
    EXPECT_EQ(args[3], "");
    EXPECT_EQ(args[4], "1");
}
