#pragma once
// The days of the blood-pressure notebook, the report a user takes to the doctor: for each
// calendar day the morning and evening readings, the other readings of the day, its comments,
// and for each week the morning and evening averages.

#include "record/DateTimeText.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// One reading as the notebook shows it; a pulse of 0 is none recorded.
struct NotebookReading
{
    int hour = 0;
    int minute = 0;
    long max = 0;
    long min = 0;
    long pulse = 0;
    friend bool operator==(const NotebookReading&, const NotebookReading&) = default;
};

// The four reading cells of a day, in column order.
enum NotebookCell : size_t
{
    kMorning1,
    kMorning2,
    kEvening1,
    kEvening2,
    kNotebookCells
};

struct NotebookDay
{
    CalendarDay day;
    std::array<std::optional<NotebookReading>, kNotebookCells> cells;
    bool ihb = false;                    // any reading of the day has the irregular-pulse mark
    std::vector<NotebookReading> extras; // readings not in the four cells, by date-time
    std::vector<std::string> comments;   // the day's non-empty comments, UTF-8, by date-time
};

// A rounded average of one occasion over a week; no pulse when no reading had one.
struct NotebookAverage
{
    long max = 0;
    long min = 0;
    std::optional<long> pulse;
    friend bool operator==(const NotebookAverage&, const NotebookAverage&) = default;
};

// One week of the notebook (7 days from the range's first day, the last one maybe shorter).
struct NotebookWeek
{
    std::optional<NotebookAverage> morning;
    std::optional<NotebookAverage> evening;
};
