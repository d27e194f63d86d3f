#pragma once
// Dates and times as other programs write them, read into the program's own date-time text
// ("%d/%d/%d %02d:%02d:%02d", local time, for example 2004/5/3 07:05:09).

#include "csv/CsvRefusal.h"
#include "record/Moment.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A date given as YYYY-MM-DD (the export's range), at 00:00:00; nullopt for anything else or
// a date that does not exist.
std::optional<Moment> ParseIsoDate(std::string_view text);

// How dates with the year last and "/" or "-" between the parts (3/4/2024) are read.
enum class CsvDateOrder
{
    Auto, // each date as it alone can be read: 13/4/2024 is day first, 3/4/2024 is ambiguous
    Ymd,  // the file's dates are year first; a date with the year last is not understood
    Dmy,
    Mdy,
};

// "ymd", "dmy" or "mdy" (any case).
std::optional<CsvDateOrder> ParseDateOrder(std::string_view text);

// The order the column's cells decide: Dmy when a first part above 12 occurs and no second
// part above 12, Mdy the other way round, else Auto (nothing decides, or the column says both).
CsvDateOrder DetectDateOrder(const std::vector<std::string_view>& dateCells);

struct CsvDateRead
{
    std::optional<Moment> value;
    CsvRefusalReason reason = CsvRefusalReason::NoDate; // why there is no value
    bool zoned = false; // the cell gave the moment itself (a zone, or Unix time): already local
};

// One row's date and time. The date cell holds one of:
//   a date with an English month name (MonthDates.h);
//   yyyy/M/d, yyyy-M-d, yyyy.M.d, d.M.yyyy, M/d/yyyy or d/M/yyyy (by `order`), optionally
//   followed by a weekday in brackets and by a blank or "T" and a time;
//   Unix time in seconds, or in milliseconds when it is 100,000,000,000 or more.
// A time is H:mm or H:mm:ss (a fraction of a second is dropped), with or without AM/PM (or
// 午前/午後 before it), optionally with a zone (Z, +09:00, +0900, +09). A non-empty time cell
// takes the place of the date cell's time; with neither, the time is 00:00:00. A time with a
// zone and Unix time are converted to local time.
CsvDateRead ReadCsvDateTime(std::string_view dateCell, std::string_view timeCell, CsvDateOrder order);

// A zone given as an offset: "+09:00", "+0900", "+9", "-05:30", "Z", "UTC", "GMT+9", "UTC-03:00";
// the offset east of UTC in seconds. nullopt for anything else (a zone name, for example).
std::optional<int> ParseZoneOffset(std::string_view text);

// The date-time, a wall time at that offset from UTC, as the computer's local time; nullopt
// when that is no date the program stores.
std::optional<Moment> LocalFromOffset(const Moment& wallTime, int offsetSeconds);

// The moment of a wall time at an offset, in seconds since 1970 (for comparing moments only).
long long UtcSecondsOf(const Moment& wallTime, int offsetSeconds);
