#pragma once
// The texts of the blood-pressure notebook, UTF-8, and their width. The notebook is set in a
// fixed-pitch Japanese face, so a text's width is its count of columns: one for an ASCII or
// half-width katakana character, two for any other.

#include "report/NotebookDay.h"

#include <string>
#include <string_view>

// The columns the text takes.
int TextColumns(std::string_view utf8);

// The text when it fits `columns`; else its longest head that fits with "…" after it.
std::string CutToColumns(std::string_view utf8, int columns);

// 2026/3/9
std::string NotebookDateText(CalendarDay day);

// 3/9（月）: the weekday in Japanese.
std::string NotebookRowDateText(CalendarDay day);

// 128/80 70; the pulse as "-" when there is none.
std::string NotebookReadingText(long max, long min, std::optional<long> pulse);
std::string NotebookReadingText(const NotebookReading& reading);
std::string NotebookAverageText(const NotebookAverage& average);

// 07:05 128/80 70: a reading of the メモ cell, with its time.
std::string NotebookTimedText(const NotebookReading& reading);
