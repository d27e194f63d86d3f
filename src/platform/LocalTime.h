#pragma once
// A point in time, shown in local time: the value type the entry dialog and the list page use
// for measurement dates. Daylight saving is left to the system (tm_isdst = -1).

#include <ctime>

class CTime
{
public:
    CTime() = default;
    explicit CTime(std::time_t t) : m_time(t) {}
    // Local date and time; fields out of range are normalised as mktime does.
    CTime(int year, int month, int day, int hour, int minute, int second);

    static CTime GetCurrentTime();

    std::time_t GetTime() const { return m_time; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }

    friend bool operator==(CTime a, CTime b) { return a.m_time == b.m_time; }

private:
    std::tm Local() const;
    std::time_t m_time = 0;
};
