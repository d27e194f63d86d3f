#pragma once
// Which column of an imported file feeds which field of a measurement, found from the header
// names. The result is a plain value: the preview lets the user change the column of each
// field, and the import reads the rows through whatever map it is given.

#include "platform/Language.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

enum class CsvField
{
    DateTime, // date and time in one cell (also Unix time or ISO 8601)
    Date,
    Time,
    Systolic,
    Diastolic,
    Pulse,
    Ihb,
    Type,
    Comment,
    Zone, // the time zone of the row's date and time: an IANA name or an offset
};
inline constexpr int kCsvFieldCount = 10;

// The field's name for messages and the preview: "最高血圧" / "systolic pressure".
std::string CsvFieldName(CsvField field, Language language);

struct CsvColumnMap
{
    static constexpr int kNone = -1;
    // The column (from 0) of each field, kNone when no column feeds it.
    std::array<int, kCsvFieldCount> columns{kNone, kNone, kNone, kNone, kNone,
                                            kNone, kNone, kNone, kNone, kNone};

    int& operator[](CsvField field) { return columns[static_cast<size_t>(field)]; }
    int operator[](CsvField field) const { return columns[static_cast<size_t>(field)]; }
    bool Has(CsvField field) const { return (*this)[field] != kNone; }
    friend bool operator==(const CsvColumnMap&, const CsvColumnMap&) = default;
};

// A header name as it is compared: without blanks (also the full-width one), without anything
// in brackets ("(mmHg)", "[bpm]", "（拍/分）", "【…】"), ASCII letters in lower case.
std::string NormalisedHeaderName(std::string_view name);

// The field a header name stands for, if any.
bool TryFieldOfHeader(std::string_view name, CsvField& field);

// The columns of the header, matched as ColumnMatch.h describes.
CsvColumnMap MatchCsvColumns(const std::vector<std::string>& header);

// The required fields the map lacks, in this order: the date (a date-time or a date column),
// the systolic and the diastolic pressure. Empty when the rows can be read.
std::vector<CsvField> MissingCsvFields(const CsvColumnMap& map);

// "必要な列がありません: 日付, 最高血圧" / "required columns are missing: date, systolic pressure".
std::string MissingCsvFieldsText(const std::vector<CsvField>& missing, Language language);
