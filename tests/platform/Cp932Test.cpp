#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932Test, JapaneseTextRoundTripsThroughItsShiftJisBytes)
{
    EXPECT_EQ(Cp932FromUtf8("[指定なし]"), "[\x8E\x77\x92\xE8\x82\xC8\x82\xB5]");
    EXPECT_EQ(Cp932FromUtf8("未設定"), "\x96\xA2\x90\xDD\x92\xE8");
    // Characters that exist only in code page 932's extensions: NEC special, IBM extension, "～".
    for (const char* text : {"IHB（不規則脈波）", "①ｱｲｳ髙～", "半角ｶﾅ and ASCII, 123", ""}) {
        const std::optional<std::string> bytes = TryCp932FromUtf8(text);
        ASSERT_TRUE(bytes.has_value()) << text;
        EXPECT_EQ(Utf8FromCp932(*bytes), text);
    }
}

TEST(Cp932Test, CharactersWithoutAShiftJisFormAreRefused)
{
    EXPECT_FALSE(TryCp932FromUtf8("朝😀").has_value());
    EXPECT_FALSE(TryCp932FromUtf8("한국어").has_value());
    EXPECT_FALSE(TryCp932FromUtf8("\xFF\xFE").has_value()); // not UTF-8 at all
}

TEST(Cp932Test, InvalidBytesShowAsReplacementCharactersWithoutLosingTheRest)
{
    EXPECT_EQ(Utf8FromCp932("a\x82"), "a\uFFFD");         // a lead byte cut off at the end
    EXPECT_EQ(Utf8FromCp932("\xA0\x92\xA9"), "\uFFFD朝"); // an unassigned byte before a valid pair
    EXPECT_EQ(Utf8FromCp932(std::string("x\0y", 3)), std::string("x\0y", 3));
}

} // namespace
