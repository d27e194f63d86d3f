#pragma once
// A local date and time of day, as the data files and the entry dialog hold them: year, month,
// day, hour, minute and second, with no time zone. Showing or storing one never goes through
// a count of seconds, so what a file holds is what a window shows, in any zone and across a
// daylight-saving change. Only the current time and GetTime meet the system's clock and zone.

#include <ctime>

class CTime
{
public:
    CTime() = default; // 1970/1/1 00:00:00
    // The local date and time of a point in time.
    explicit CTime(std::time_t t);
    // Local date and time; fields out of range are carried into the next larger field, as on a
    // calendar (13th month: January of the next year; 70th second: 10 s into the next minute).
    CTime(int year, int month, int day, int hour, int minute, int second);

    static CTime GetCurrentTime();

    // The point in time of these fields in the system's zone (mktime); a time the zone skips
    // is moved on by the skipped span.
    std::time_t GetTime() const;
    int GetYear() const { return m_nYear; }
    int GetMonth() const { return m_nMonth; }
    int GetDay() const { return m_nDay; }
    int GetHour() const { return m_nHour; }
    int GetMinute() const { return m_nMinute; }
    int GetSecond() const { return m_nSecond; }

    friend bool operator==(const CTime& a, const CTime& b)
    {
        return a.m_nYear == b.m_nYear && a.m_nMonth == b.m_nMonth && a.m_nDay == b.m_nDay &&
               a.m_nHour == b.m_nHour && a.m_nMinute == b.m_nMinute && a.m_nSecond == b.m_nSecond;
    }

private:
    int m_nYear = 1970;
    int m_nMonth = 1;
    int m_nDay = 1;
    int m_nHour = 0;
    int m_nMinute = 0;
    int m_nSecond = 0;
    // Whether daylight saving was in force, when known (from a point in time): it tells the two
    // instances of a repeated hour apart in GetTime. -1 when unknown.
    int m_nIsDst = -1;
};
