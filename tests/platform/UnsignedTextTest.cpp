#include "platform/UnsignedText.h"

#include <gtest/gtest.h>

namespace {

TEST(UnsignedTextTest, AcceptsOnlyAnUnsignedNumberWithBlanksAround)
{
    EXPECT_EQ(ParseUnsignedField("120"), 120u);
    EXPECT_EQ(ParseUnsignedField(" \t120 "), 120u);
    EXPECT_EQ(ParseUnsignedField("0"), 0u);
    EXPECT_EQ(ParseUnsignedField("007"), 7u);
    EXPECT_EQ(ParseUnsignedField("4294967295"), 4294967295u);
    for (const char* text :
         {"", "   ", "12a", "1 2", "-5", "+5", "4294967296", "99999999999999999999999", "１２"})
        EXPECT_FALSE(ParseUnsignedField(text).has_value()) << '"' << text << '"';
}

} // namespace
