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

TEST(FindValueTest, SeparatorsAreSkippedAndTheValueEndsAtABlankOrLineEnd)
{
    for (const char* text : {"Version=0010\r\n", "Version 0010\n", "Version  = =\t==0010", "Version0010 x",
                             "Version=0010\tx", "Version=0010\rx"})
        EXPECT_EQ(Find("Version", text), "0010") << text;
    EXPECT_EQ(Find("Name", "Name=\r\nNext=1"), "");
    EXPECT_EQ(Find("Name", "Name=\x8C\x8C\x88\xB3\r\n"),
              "\x8C\x8C\x88\xB3"); // code page 932 bytes as they are
}

TEST(FindValueTest, ValueKeepsAtMostFieldSizeMinusTwoBytes)
{
    EXPECT_EQ(Find("Version", "Version=1234567890123456", 14), "123456789012");
    EXPECT_EQ(Find("Flag", "Flag=123", 4), "12");
}

TEST(FindValueTest, KeyInAnotherCaseIsNotFoundAndLeavesTheField)
{
    EXPECT_EQ(Find("Version", "version=2\r\nVERSION=3"), "<untouched>");
    EXPECT_EQ(Find("Version", "Ver"), "<untouched>");
}

TEST(FindValueTest, FirstOccurrenceWinsEvenInsideAnotherValue)
{
    EXPECT_EQ(Find("Size", "Location=http://h/Size=big/setup\r\nSize=4096\r\n"), "big/setup");
}

TEST(CompareMbcsTest, NewerVersionsCompareGreaterOthersNot)
{
    for (const char* newer : {"001001001", "1", "0010010000", "002"})
        EXPECT_GT(CompareMbcs(newer, kCurrentVersion), 0) << newer;
    EXPECT_EQ(CompareMbcs("001001000", kCurrentVersion), 0);
    for (const char* older : {"", "001000999", "00100100"})
        EXPECT_LT(CompareMbcs(older, kCurrentVersion), 0) << older;
    EXPECT_EQ(CompareMbcs(std::string_view("001001000\0"
                                           "9",
                                           11),
                          kCurrentVersion),
              0); // ends at a zero byte
}

TEST(CompareMbcsTest, DoubleByteCharacterIsOneUnitWithItsTwoByteValue)
{
    EXPECT_GT(CompareMbcs("\x81\x40", "\xFF"), 0);     // a pair outranks every single byte
    EXPECT_GT(CompareMbcs("\x82\xA0", "\x82\x9F"), 0); // pairs compare by their trail bytes too
    EXPECT_LT(CompareMbcs("\x82", "\x82\x40"), 0);     // a lead byte at the end is a single byte
    EXPECT_GT(CompareMbcs("\xA0", "1"), 0);            // bytes compare unsigned
}

TEST(UpdaterArgumentsTest, SevenArgumentsInOrderEachKeptWholeAsUtf8)
{
    const UpdateDetails details{"http://h/a\"; rm -rf ~", "\x8C\x8C\x88\xB3",
                                std::string("1\0"
                                            "2",
                                            3),
                                "30", "--all \"x\""};
    EXPECT_EQ(UpdaterArguments("/opt/v/velliqa", details),
              (std::vector<std::string>{"/opt/v/velliqa", "/opt/v/velliqa", "http://h/a\"; rm -rf ~", "血圧",
                                        "1", "30", "--all \"x\""}));
}
