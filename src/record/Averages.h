#pragma once
// The averages the list page shows: one field of the record lines, over all records or over
// the records of one measurement type.

#include "record/RecordLine.h"
#include "record/RecordPeriod.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

// The text of line n (from 1) of the records; an empty text for a line that is missing.
using RecordLineAt = std::function<std::string_view(unsigned n)>;

// The average of one field over lines 1 .. lineCount as signed decimal text. A type filter
// above 0 counts only the lines whose type field equals it; 0 or -1 counts every line.
// The sum is a signed 32-bit value that wraps around, the division truncates toward zero.
// No lines at all give "", lines of which none matches give "0".
std::string ComputeAverageText(unsigned lineCount, const RecordLineAt& lineAt, RecordField field,
                               int typeFilter);

// The three averages the list page shows, maximum, minimum and pulse, in one pass over the lines; each is
// what ComputeAverageText gives for its field.
std::array<std::string, 3> ComputePressureAverageTexts(unsigned lineCount, const RecordLineAt& lineAt,
                                                       int typeFilter);

// The three averages over the lines of one type (as above) in one period, and how many lines
// they cover. No lines at all give empty texts throughout; lines of which none is in the type
// and the period give "0" throughout.
struct PressureAverages
{
    std::array<std::string, 3> averages; // maximum, minimum, pulse
    std::string count;
};
PressureAverages ComputePressureAverages(unsigned lineCount, const RecordLineAt& lineAt, int typeFilter,
                                         const RecordPeriod& period);
