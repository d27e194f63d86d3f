#include "csv/MonthDates.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"january",   "february", "march",    "april",
                                                      "may",       "june",     "july",     "august",
                                                      "september", "october",  "november", "december"};
constexpr std::array<std::string_view, 7> kWeekdays = {"sunday",   "monday", "tuesday", "wednesday",
                                                       "thursday", "friday", "saturday"};

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLetter(char c)
{
    return Lower(c) >= 'a' && Lower(c) <= 'z';
}

// The ASCII word at the front of text, up to the first character that is not a letter.
std::string_view LeadingWord(std::string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && IsLetter(text[n]))
        ++n;
    return text.substr(0, n);
}

// The word is the name or its abbreviation of three letters or more ("Sep", "Sept", "Wed").
bool IsNameOrAbbreviation(std::string_view word, std::string_view name)
{
    if (word.size() < 3 || word.size() > name.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (Lower(word[i]) != name[i])
            return false;
    }
    return word.size() == 3 || word.size() == name.size() || (name == "september" && word.size() == 4);
}

// A name of the list at the front of text (with a full stop after it), its index returned.
int TakeName(std::string_view& text, const auto& names)
{
    const std::string_view word = LeadingWord(text);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (IsNameOrAbbreviation(word, names[i])) {
            text.remove_prefix(word.size());
            if (text.starts_with('.'))
                text.remove_prefix(1);
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool TakeBlanks(std::string_view& text)
{
    const std::size_t before = text.size();
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text.size() < before;
}

// A comma, blanks, or both, between the parts of a date.
bool TakeGap(std::string_view& text)
{
    const bool comma = text.starts_with(',');
    if (comma)
        text.remove_prefix(1);
    return TakeBlanks(text) || comma;
}

bool TakeDigits(std::string_view& text, int& value, std::size_t minDigits, std::size_t maxDigits)
{
    std::size_t n = 0;
    value = 0;
    while (n < text.size() && n < maxDigits && text[n] >= '0' && text[n] <= '9')
        value = value * 10 + (text[n++] - '0');
    if (n < minDigits || (n < text.size() && text[n] >= '0' && text[n] <= '9'))
        return false;
    text.remove_prefix(n);
    return true;
}

// "Jan 12 2025", "January 12, 2025"
bool TakeMonthFirst(std::string_view& text, CsvMonthDate& date)
{
    const int month = TakeName(text, kMonths);
    if (month < 0 || !TakeBlanks(text) || !TakeDigits(text, date.day, 1, 2) || !TakeGap(text))
        return false;
    date.month = month + 1;
    return TakeDigits(text, date.year, 4, 4);
}

// "12 Jan 2025", "12-Jan-2025"
bool TakeDayFirst(std::string_view& text, CsvMonthDate& date)
{
    if (!TakeDigits(text, date.day, 1, 2))
        return false;
    const bool dashed = text.starts_with('-');
    if (dashed)
        text.remove_prefix(1);
    else if (!TakeBlanks(text))
        return false;
    const int month = TakeName(text, kMonths);
    if (month < 0)
        return false;
    date.month = month + 1;
    if (dashed ? !text.starts_with('-') : !TakeGap(text))
        return false;
    if (dashed)
        text.remove_prefix(1);
    return TakeDigits(text, date.year, 4, 4);
}

} // namespace

bool TakeMonthNameDate(std::string_view& text, CsvMonthDate& date)
{
    std::string_view rest = text;
    if (TakeName(rest, kWeekdays) >= 0 && !TakeGap(rest))
        return false;
    for (const auto take : {TakeMonthFirst, TakeDayFirst}) {
        std::string_view attempt = rest;
        CsvMonthDate read;
        if (take(attempt, read)) {
            date = read;
            text = attempt;
            return true;
        }
    }
    return false;
}
