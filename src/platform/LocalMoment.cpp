#include "platform/LocalMoment.h"

#include "record/DateTimeText.h"

Moment MomentOf(CTime date, CTime time)
{
    return {date.GetYear(), date.GetMonth(),  date.GetDay(),
            time.GetHour(), time.GetMinute(), time.GetSecond()};
}

std::string FormatDateTime(CTime date, CTime time)
{
    return MomentOf(date, time).Text();
}

std::optional<CTime> TryParseDateTime(std::string_view text)
{
    const std::optional<Moment> m = ReadMoment(text);
    if (!m)
        return std::nullopt;
    return CTime(m->year, m->month, m->day, m->hour, m->minute, m->second);
}

CTime ParseDateTime(std::string_view text, CTime fallback)
{
    return TryParseDateTime(text).value_or(fallback);
}

CalendarDay LocalDay(CTime time)
{
    return MomentOf(time, time).Day();
}
