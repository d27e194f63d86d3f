#pragma once
// What keeps a stored record one readable line: the comment's limit and the form a comment is
// stored in, and the values a correction starts from.

#include "store/RecordLine.h"

#include <string>
#include <string_view>

// The longest line the measurement file reads back as one line.
inline constexpr int kRecordLineMaxBytes = 1022;
// The longest the other fields can be: a 19-byte date-time text, five numbers of at most 11
// characters ("-2147483648") and six commas.
inline constexpr int kRecordFieldsMaxBytes = 19 + 5 * 11 + 6;
// The comment limit in code page 932 bytes (a double-byte character counts as two), so that
// every record line fits.
inline constexpr int kCommentMaxBytes = 940;
static_assert(kRecordFieldsMaxBytes + kCommentMaxBytes <= kRecordLineMaxBytes);

// The comment as it is stored: a comma would end the comment for every reader, so it becomes
// the full-width comma "，"; a line break would split the record, so it becomes a blank.
std::string StorableComment(std::string_view cp932);

// The comment stored in a record line: everything after the sixth comma, commas included.
std::string_view StoredComment(std::string_view line);

// The values a correction of the line starts from. Numbers are read by the atoi rule (values
// beyond 32 bits saturate); the maximum, minimum and pulse come back as the unsigned values
// that were written as signed decimal.
MEASUREMENT RecordFromLine(std::string_view line);
