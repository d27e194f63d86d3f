#pragma once
// Runs part of a test in another time zone: TZ is set for the process and tzset called, which
// the C library and Qt both follow at their next conversion; the previous zone comes back at
// the end of the scope. A misspelt or missing zone falls back to UTC without a word, so each
// zone test asserts the zone's offset first (UtcOffsetAt).

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* previous = std::getenv("TZ"))
            m_previous = previous;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_previous)
            ::setenv("TZ", m_previous->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> m_previous;
};

// The point in time of a UTC date and time.
inline std::time_t UtcTime(int year, int month, int day, int hour = 0, int minute = 0)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    return ::timegm(&tm);
}

// The local zone's offset from UTC at a point in time, in seconds.
inline long UtcOffsetAt(std::time_t t)
{
    std::tm tm{};
    ::localtime_r(&t, &tm);
    return tm.tm_gmtoff;
}

// A zone whose calendar day differs from UTC's at this moment (UTC-12 before noon UTC, UTC+14
// after), with its offset: in it, a "today" taken in UTC is always the wrong day.
struct ZoneOffset
{
    const char* zone;
    long offset;
};
inline ZoneOffset ZoneOffTheUtcDay()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    if (utc.tm_hour < 12)
        return {"Etc/GMT+12", -12 * 3600L};
    return {"Pacific/Kiritimati", 14 * 3600L};
}

// The local clock as a record's date-time text ("2026/12/8 07:05:09").
inline std::string LocalClockText(std::time_t t = std::time(nullptr))
{
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char text[80];
    std::snprintf(text, sizeof text, "%d/%d/%d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}
