#pragma once
// The date-time text of a record: "%d/%d/%d %02d:%02d:%02d" in local time, for example
// 2004/5/3 07:05:09.

#include "record/Moment.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// The days a stored date-time text can name and still be read back.
inline constexpr CalendarDay kEarliestStoredDay{std::chrono::year{1900}, std::chrono::January,
                                                std::chrono::day{1}};
inline constexpr CalendarDay kLatestStoredDay{std::chrono::year{9999}, std::chrono::December,
                                              std::chrono::day{31}};

// Reads year '/' month '/' day ' ' hour ':' minute ':' second (each piece by the atoi rule,
// the second ending at a blank, a comma or the end). nullopt when the pieces name no real
// local date and time: a month outside 1-12, a day its month does not have, an hour above 23,
// a minute or second above 59, or a year outside 1900-9999. Nothing is turned into a point in
// time: every reader of every record uses this.
std::optional<Moment> ReadMoment(std::string_view text);

// The day of a date-time text: its year, month and day read as ReadMoment reads them,
// nullopt when they name no day from kEarliestStoredDay to kLatestStoredDay. The time of day
// is not read.
std::optional<CalendarDay> TryParseDate(std::string_view text);

// The year piece of a date-time text alone, read as TryParseDate reads it.
int ReadDateYear(std::string_view text);

// Whether year, month and day name a day from kEarliestStoredDay to kLatestStoredDay.
bool IsStoredDay(int year, int month, int day);

// Whether hour, minute and second name a time of day (no leap second).
bool IsTimeOfDay(int hour, int minute, int second);
