#include "record/DateTimeText.h"

#include "record/RecordLine.h"

namespace {

// The text up to the first of the delimiters; the rest starts after it.
std::string_view TakePiece(std::string_view& rest, std::string_view delimiters)
{
    const size_t end = rest.find_first_of(delimiters);
    const std::string_view piece = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return piece;
}

// As above, up to one delimiter: the date's pieces are read for every record a period looks
// at, and a search for one byte is the quickest.
std::string_view TakePiece(std::string_view& rest, char delimiter)
{
    const size_t end = rest.find(delimiter);
    const std::string_view piece = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return piece;
}

// The year, month and day pieces; the rest starts at the time of day.
std::optional<CalendarDay> TakeDate(std::string_view& rest)
{
    const int year = ReadInt(TakePiece(rest, '/'));
    const int month = ReadInt(TakePiece(rest, '/'));
    const int day = ReadInt(TakePiece(rest, ' '));
    if (!IsStoredDay(year, month, day))
        return std::nullopt;
    return CalendarDay{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                       std::chrono::day{static_cast<unsigned>(day)}};
}

} // namespace

bool IsStoredDay(int year, int month, int day)
{
    if (year < static_cast<int>(kEarliestStoredDay.year()) ||
        year > static_cast<int>(kLatestStoredDay.year()))
        return false;
    if (month < 1 || month > 12 || day < 1)
        return false;
    const std::chrono::year_month_day_last last{
        std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} / std::chrono::last};
    return static_cast<unsigned>(day) <= static_cast<unsigned>(last.day());
}

bool IsTimeOfDay(int hour, int minute, int second)
{
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

int ReadDateYear(std::string_view text)
{
    return ReadInt(TakePiece(text, '/'));
}

std::optional<CalendarDay> TryParseDate(std::string_view text)
{
    return TakeDate(text);
}

std::optional<Moment> ReadMoment(std::string_view text)
{
    std::string_view rest = text;
    const std::optional<CalendarDay> date = TakeDate(rest);
    const int hour = ReadInt(TakePiece(rest, ':'));
    const int minute = ReadInt(TakePiece(rest, ':'));
    const int second = ReadInt(TakePiece(rest, " ,"));
    if (!date || !IsTimeOfDay(hour, minute, second))
        return std::nullopt;
    return Moment{static_cast<int>(date->year()),
                  static_cast<int>(static_cast<unsigned>(date->month())),
                  static_cast<int>(static_cast<unsigned>(date->day())),
                  hour,
                  minute,
                  second};
}
