#pragma once
// Where the entry dialog's date and time pickers and the clock meet the records: a CTime and a
// record's moment hold the same local fields, and move between each other field by field.

#include "platform/LocalTime.h"
#include "record/Moment.h"

#include <optional>
#include <string>
#include <string_view>

// The moment of the date of `date` and the time of day of `time`.
Moment MomentOf(CTime date, CTime time);

// The date-time text of the date of `date` and the time of day of `time`.
std::string FormatDateTime(CTime date, CTime time);

// A record's date-time text as a CTime, read as ReadMoment reads it; nullopt when it names no
// real date and time.
std::optional<CTime> TryParseDateTime(std::string_view text);

// As TryParseDateTime, with `fallback` for a text that names no real date and time.
CTime ParseDateTime(std::string_view text, CTime fallback);

// The local calendar day of a point in time.
CalendarDay LocalDay(CTime time);
