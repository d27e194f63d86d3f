#pragma once
// The moment of a measurement: the local date and time of day a record stores, field by field,
// with no time zone. Moments compare as time runs; none is ever turned into a count of seconds
// to be shown, so what a file holds is what every window and command shows.

#include <chrono>
#include <string>

// A calendar day: year, month and day, without a time of day or a time zone.
using CalendarDay = std::chrono::year_month_day;

struct Moment
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // The calendar day; meaningful for a moment read from a record or checked as a real date.
    CalendarDay Day() const;
    // A number that orders moments as time does.
    long long Key() const;
    // The record's date-time text: 2004/5/3 07:05:09.
    std::string Text() const;

    friend bool operator==(const Moment&, const Moment&) = default;
    friend bool operator<(const Moment& a, const Moment& b) { return a.Key() < b.Key(); }
};
