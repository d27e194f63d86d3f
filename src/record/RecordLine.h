#pragma once
// The record line of the measurement file: "%s,%d,%d,%d,%d,%d,%s", seven comma-separated
// fields, nothing quoted or escaped. This unit is the one place that knows the format: every
// reader goes through ParseRecordLine or the field accessors below, every writer through
// FormatRecordLine.

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

// The fields of a record line, numbered from 1 as the readers count them. A comment that holds
// commas reads, field by field, as the comment up to its first comma and further fields after
// it; a value past Comment names one of those (Comment + 1 is the eighth field).
enum class RecordField : int
{
    DateTime = 1,
    Max,
    Min,
    Pulse,
    Ihb,
    Type,
    Comment,
};

// The longest line the measurement file reads back as one line.
inline constexpr int kRecordLineMaxBytes = 1022;
// The longest the other fields can be: a 19-byte date-time text, five numbers of at most 11
// characters ("-2147483648") and six commas.
inline constexpr int kRecordFieldsMaxBytes = 19 + 5 * 11 + 6;
// The comment limit in code page 932 bytes (a double-byte character counts as two), so that
// every record line fits.
inline constexpr int kCommentMaxBytes = 940;
static_assert(kRecordFieldsMaxBytes + kCommentMaxBytes <= kRecordLineMaxBytes);

// Field n (from 1): the bytes after the (n - 1)-th comma up to the n-th comma or the end.
// A field the line does not reach is empty.
std::string_view GetRecordField(std::string_view line, int n);

// One field's text, as GetRecordField gives it.
std::string_view RecordFieldText(std::string_view line, RecordField field);
// One field's number, read by the atoi rule (ReadInt).
std::int32_t ReadRecordNumber(std::string_view line, RecordField field);

// All seven fields of a line at once, as GetRecordField gives them: fields[n - 1] is field n.
std::array<std::string_view, 7> SplitRecordFields(std::string_view line);

// The atoi/atol rule: optional blanks, an optional sign, the leading digits; no digit gives 0.
// Values beyond the 32-bit range saturate instead of overflowing.
std::int32_t ReadInt(std::string_view text);
long ReadLong(std::string_view text);

// The whole record a line holds, as a correction starts from it. Numbers are read by the atoi
// rule (values beyond 32 bits saturate); the maximum, minimum and pulse come back as the
// unsigned values that were written as signed decimal; the comment is everything after the
// sixth comma, commas included (StoredComment).
MEASUREMENT ParseRecordLine(std::string_view line);

// The record line without its line feed, for adding and for correcting alike; the unsigned
// numbers are written as signed decimal.
std::string FormatRecordLine(const MEASUREMENT& m);

// The comment as it is stored: a comma would end the comment for every reader, so it becomes
// the full-width comma "，"; a line break would split the record, so it becomes a blank.
std::string StorableComment(std::string_view cp932);

// The comment stored in a record line: everything after the sixth comma, commas included.
std::string_view StoredComment(std::string_view line);
