#pragma once
// The record line of the measurement file: "%s,%d,%d,%d,%d,%d,%s", seven comma-separated
// fields, nothing quoted or escaped. Every reader splits lines with GetRecordField and reads
// numbers with ReadInt / ReadLong.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// One measurement, its members in field order.
struct MEASUREMENT
{
    std::string dateTime; // "%d/%d/%d %02d:%02d:%02d"
    std::uint32_t max = 0;
    std::uint32_t min = 0;
    std::uint32_t pulse = 0;
    int ihb = 0;  // irregular-pulse mark, 0 or 1
    int type = 0; // 0-based line of the type file; -1 for none
    std::string comment;
};

// Field n (from 1): the bytes after the (n - 1)-th comma up to the n-th comma or the end.
// A field the line does not reach is empty.
std::string_view GetRecordField(std::string_view line, int n);

// All seven fields of a line at once, as GetRecordField gives them: fields[n - 1] is field n.
std::array<std::string_view, 7> SplitRecordFields(std::string_view line);

// The atoi/atol rule: optional blanks, an optional sign, the leading digits; no digit gives 0.
// Values beyond the 32-bit range saturate instead of overflowing.
std::int32_t ReadInt(std::string_view text);
long ReadLong(std::string_view text);

// The record line without its line feed; the unsigned numbers are written as signed decimal.
std::string FormatRecordLine(std::string_view dateTime, std::uint32_t max, std::uint32_t min,
                             std::uint32_t pulse, int ihb, int type, std::string_view comment);
