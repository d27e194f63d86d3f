#pragma once
// What the record limit (最大保存件数) does to the stored records, told to the user before it
// happens: how many records an addition deletes, and when the log is full.

#include <string>

// The oldest records an addition deletes when `stored` records are kept and the limit is
// `limit`; a limit of 0 or less keeps every record.
unsigned RecordsDroppedByAddition(unsigned stored, int limit);

// After an addition, the log holds as many records as the limit allows: from now on each
// addition deletes the oldest record.
bool LogIsFull(unsigned stored, int limit);

// The texts (UTF-8). Numbers are written with thousands separators: "19,001".
std::string GroupedNumber(long long n);
// Before an addition that deletes more than one record.
std::string DropQuestionText(unsigned dropped, int limit);
// Once, when the log has reached its limit.
std::string LogFullNoticeText(int limit);
// On leaving the settings page with a limit below the stored records.
std::string LimitBelowStoredText(unsigned stored, int limit);
