#include "platform/LocalTime.h"

#include <chrono>

namespace {

// Floor division: the quotient rounded towards minus infinity, so that negative fields borrow
// from the next larger one.
long long FloorDiv(long long a, long long b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

CTime::CTime(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    m_nYear = tm.tm_year + 1900;
    m_nMonth = tm.tm_mon + 1;
    m_nDay = tm.tm_mday;
    m_nHour = tm.tm_hour;
    m_nMinute = tm.tm_min;
    m_nSecond = tm.tm_sec;
    m_nIsDst = tm.tm_isdst;
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
{
    using namespace std::chrono;
    // Calendar arithmetic alone: no zone takes part, so no local time is skipped or doubled.
    const long long months = static_cast<long long>(year) * 12 + (month - 1);
    const long long firstYear = FloorDiv(months, 12);
    const auto firstMonth = static_cast<unsigned>(months - firstYear * 12 + 1);
    const sys_days first{std::chrono::year{static_cast<int>(firstYear)} / std::chrono::month{firstMonth} / 1};
    const long long seconds = static_cast<long long>(day - 1) * 86400 + static_cast<long long>(hour) * 3600 +
                              static_cast<long long>(minute) * 60 + second;
    const long long dayShift = FloorDiv(seconds, 86400);
    const long long secondOfDay = seconds - dayShift * 86400;
    const year_month_day date{first + days{dayShift}};
    m_nYear = static_cast<int>(date.year());
    m_nMonth = static_cast<int>(static_cast<unsigned>(date.month()));
    m_nDay = static_cast<int>(static_cast<unsigned>(date.day()));
    m_nHour = static_cast<int>(secondOfDay / 3600);
    m_nMinute = static_cast<int>(secondOfDay / 60 % 60);
    m_nSecond = static_cast<int>(secondOfDay % 60);
}

CTime CTime::GetCurrentTime()
{
    return CTime(std::time(nullptr));
}

std::time_t CTime::GetTime() const
{
    std::tm tm{};
    tm.tm_year = m_nYear - 1900;
    tm.tm_mon = m_nMonth - 1;
    tm.tm_mday = m_nDay;
    tm.tm_hour = m_nHour;
    tm.tm_min = m_nMinute;
    tm.tm_sec = m_nSecond;
    tm.tm_isdst = m_nIsDst;
    return std::mktime(&tm);
}
