#include "record/RecordPeriod.h"

#include <algorithm>

bool RecordPeriod::Contains(std::string_view dateTimeText) const
{
    if (CoversAll())
        return true;
    // Compared as year, month and day, so that a hundred thousand records cost no time
    // conversion each; most records of a long log are out by their year alone.
    const int year = ReadDateYear(dateTimeText);
    if ((first && year < static_cast<int>(first->year())) || (last && year > static_cast<int>(last->year())))
        return false;
    const std::optional<CalendarDay> day = TryParseDate(dateTimeText);
    return day && ContainsDay(*day);
}

RecordPeriod AllDays()
{
    return {};
}

RecordPeriod LastDays(CalendarDay today, int days)
{
    using namespace std::chrono;
    const sys_days earliest{kEarliestStoredDay};
    const sys_days end{today};
    // The day count is checked before the subtraction, so that a huge count cannot overflow.
    const long span = end >= earliest ? (end - earliest).count() : 0;
    const long back = days < 1 ? 0 : std::min<long>(days - 1, span);
    return {CalendarDay{end - std::chrono::days{back}}, std::nullopt};
}

RecordPeriod PeriodOfChoice(int entry, CalendarDay today)
{
    if (entry < 1 || static_cast<size_t>(entry) >= kPeriodChoiceDays.size())
        return AllDays();
    return LastDays(today, kPeriodChoiceDays[static_cast<size_t>(entry)]);
}

RecordPeriod BetweenDays(std::optional<CalendarDay> from, std::optional<CalendarDay> to)
{
    return {from, to};
}
