#include "platform/LocalTime.h"
#include "support/TimeZone.h"

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
    EXPECT_EQ(CTime(2004, 1, 1, -1, 0, 0), CTime(2003, 12, 31, 23, 0, 0));
}

TEST(LocalTimeTest, FieldsAreKeptAsGivenInAnyZoneAndAPointInTimeReadsAsLocal)
{
    const ScopedTimeZone zone("America/New_York");
    ASSERT_EQ(UtcOffsetAt(UtcTime(2026, 1, 15)), -5 * 3600);
    // The hour the clocks skip in March stays as given: no zone takes part in the fields.
    const CTime skipped(2026, 3, 8, 2, 30, 0);
    EXPECT_EQ(skipped.GetHour(), 2);
    EXPECT_EQ(skipped.GetDay(), 8);
    EXPECT_EQ(CTime(UtcTime(2026, 12, 8, 3)), CTime(2026, 12, 7, 22, 0, 0));
    EXPECT_EQ(CTime(UtcTime(2026, 11, 1, 6, 30)).GetTime(), UtcTime(2026, 11, 1, 6, 30))
        << "the repeated hour";
}

TEST(LocalTimeTest, CurrentTimeIsNow)
{
    const std::time_t before = std::time(nullptr);
    const CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), std::time(nullptr));
}

} // namespace
