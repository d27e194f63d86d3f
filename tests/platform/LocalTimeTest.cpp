#include "platform/LocalTime.h"

#include <gtest/gtest.h>

namespace {

TEST(LocalTimeTest, LocalFieldsRoundTrip)
{
    const CTime t(2004, 5, 3, 7, 5, 9);
    EXPECT_EQ(t.GetYear(), 2004);
    EXPECT_EQ(t.GetMonth(), 5);
    EXPECT_EQ(t.GetDay(), 3);
    EXPECT_EQ(t.GetHour(), 7);
    EXPECT_EQ(t.GetMinute(), 5);
    EXPECT_EQ(t.GetSecond(), 9);
    EXPECT_EQ(CTime(t.GetTime()), t);
    EXPECT_EQ(CTime(2038, 12, 31, 23, 59, 59).GetYear(), 2038); // beyond 32-bit time_t
}

TEST(LocalTimeTest, FieldsOutOfRangeAreNormalised)
{
    EXPECT_EQ(CTime(2004, 13, 1, 0, 0, 0), CTime(2005, 1, 1, 0, 0, 0));
    EXPECT_EQ(CTime(2004, 2, 30, 0, 0, 0), CTime(2004, 3, 1, 0, 0, 0)); // a leap year
    EXPECT_EQ(CTime(2004, 5, 3, 24, 0, 0).GetDay(), 4);
    EXPECT_EQ(CTime(2004, 5, 3, 7, 5, 70).GetTime() - CTime(2004, 5, 3, 7, 5, 9).GetTime(), 61);
}

TEST(LocalTimeTest, CurrentTimeIsNow)
{
    const std::time_t before = std::time(nullptr);
    const CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), std::time(nullptr));
}

} // namespace
