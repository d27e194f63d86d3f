#pragma once
// The date-time text of a record: "%d/%d/%d %02d:%02d:%02d" in local time, for example
// 2004/5/3 07:05:09.

#include "platform/LocalTime.h"

#include <optional>
#include <string>
#include <string_view>

// The date of `date` and the time of day of `time`.
std::string FormatDateTime(CTime date, CTime time);

// Reads year '/' month '/' day ' ' hour ':' minute ':' second (each piece by the atoi rule,
// the second ending at a blank, a comma or the end). nullopt when the pieces name no real
// local date and time: a month outside 1-12, a day its month does not have, an hour above 23,
// a minute or second above 59, or a year outside 1900-9999.
std::optional<CTime> TryParseDateTime(std::string_view text);

// As TryParseDateTime, with `fallback` for a text that names no real date and time.
CTime ParseDateTime(std::string_view text, CTime fallback);
