#pragma once
// Why a row of an imported file is refused, and the message that says so, in Japanese
// ("3 行目: …") or in English ("line 3: …").

#include "csv/CsvColumns.h"

#include <string>

enum class CsvRefusalReason
{
    NoDate,         // the date cell is empty
    UnreadableDate, // the date cell is in no form that is understood
    NoSuchDate,     // a date in a known form that no calendar has (2023/2/29, 2024/13/1)
    AmbiguousDate,  // 3/4/2024: day and month could be either way round
    UnreadableTime, // a time cell that is not a time of day
    EmptyNumber,    // the systolic or diastolic cell is empty
    NotANumber,     // a number cell that does not hold a whole number
    UnknownZone,    // the time-zone cell is neither an offset nor a zone name that is known
};

struct CsvRefusal
{
    int line = 0; // the file line the row starts on
    CsvRefusalReason reason = CsvRefusalReason::NoDate;
    CsvField field = CsvField::Date; // the field whose cell is refused
    std::string cell;                // that cell's text, UTF-8
    friend bool operator==(const CsvRefusal&, const CsvRefusal&) = default;
};

// The whole message line, UTF-8: "3 行目: 日付「2023/2/29」は存在しません" or
// "line 3: the date "2023/2/29" does not exist". A long cell is shortened.
std::string CsvRefusalText(const CsvRefusal& refusal, Language language);
