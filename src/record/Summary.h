#pragma once
// The summary of the records in one period, by measurement type, as a table that scripts and
// spreadsheets read: UTF-8 text, one line per row, the columns separated by tabs.

#include "record/RecordPeriod.h"

#include <string>
#include <vector>

// The header line, then, for the records in the period, one row per type index that has any,
// in type order, and a last row for all of them. Each row: the type's name (converted from code
// page 932; "(種類 n)" for an index that names no type), the count, the averages of the maximum,
// the minimum and the pulse (as the list page computes them), the highest and lowest maximum,
// and the highest and lowest minimum. Without any record at all, the header alone; with records
// but none in the period, the last row alone, with the count and the averages 0 and no
// highest or lowest value. Every line ends with "\n".
std::string FormatSummaryTable(const std::vector<std::string>& recordLines,
                               const std::vector<std::string>& typeNames, const RecordPeriod& period);
