#pragma once
// Dates written with an English month name, as reports and phone apps write them, in any case:
// "Jan 12 2025", "Jan 12, 2025", "January 12, 2025", "12 Jan 2025", "12-Jan-2025", each also
// after a weekday ("Sun, Jan 12 2025", "Sunday 12 Jan 2025"). A month may be abbreviated with
// a full stop ("Sept. 3, 2024").

#include <string_view>

struct CsvMonthDate
{
    int year = 0;
    int month = 0;
    int day = 0;
};

// Reads such a date at the front of text; the text moves past it (what follows, a time for
// example, is left). False, with text unchanged, when it does not start with one.
bool TakeMonthNameDate(std::string_view& text, CsvMonthDate& date);
