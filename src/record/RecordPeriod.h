#pragma once
// The days whose records a figure covers: every record, the last N calendar days, or the days
// between two dates. A record belongs to a day by the date pieces of its date-time text.

#include "record/DateTimeText.h"

#include <array>
#include <optional>
#include <string_view>

struct RecordPeriod
{
    std::optional<CalendarDay> first; // records dated before it are out
    std::optional<CalendarDay> last;  // records dated after it are out

    // Every record, a readable date or not.
    bool CoversAll() const { return !first && !last; }
    // Whether the record with this date-time text is in the period. A bounded period holds
    // only records whose date can be read back.
    bool Contains(std::string_view dateTimeText) const;
    // Whether the day is in the period.
    bool ContainsDay(CalendarDay day) const { return (!first || day >= *first) && (!last || day <= *last); }
};

// Every record.
RecordPeriod AllDays();

// The list page's choices of period, in entry order: 0 for every record, else the number of
// last days.
inline constexpr std::array<int, 4> kPeriodChoiceDays{0, 7, 14, 28};

// The period of one of those choices, counted back from `today`; every record for an entry
// that is not one of them.
RecordPeriod PeriodOfChoice(int entry, CalendarDay today);

// The last `days` calendar days up to `today`, today included; records dated after today count
// as today's. Fewer than one day is one day; a first day before the earliest readable date is
// that date.
RecordPeriod LastDays(CalendarDay today, int days);

// The days from `from` to `to`, both included; a missing end leaves that side open.
RecordPeriod BetweenDays(std::optional<CalendarDay> from, std::optional<CalendarDay> to);
