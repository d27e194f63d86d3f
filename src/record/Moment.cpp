#include "record/Moment.h"

#include <array>
#include <cstdio>

CalendarDay Moment::Day() const
{
    return CalendarDay{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                       std::chrono::day{static_cast<unsigned>(day)}};
}

long long Moment::Key() const
{
    return ((((static_cast<long long>(year) * 13 + month) * 32 + day) * 24 + hour) * 60 + minute) * 60 +
           second;
}

std::string Moment::Text() const
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%d/%d/%d %02d:%02d:%02d", year, month, day, hour, minute,
                  second);
    return text.data();
}
