#pragma once
// The measurements as a CSV file for a doctor or a spreadsheet: UTF-8 with a byte order mark,
// CR LF line ends, RFC 4180 quoting, the header 日付,時刻,最高血圧,最低血圧,脈拍,IHB,種類,コメント,
// and one row per record, oldest first.

#include "record/RecordPeriod.h"

#include <optional>
#include <string>
#include <vector>

struct CsvExportResult
{
    std::string text;   // the whole file, UTF-8 with its byte order mark
    int exported = 0;   // rows written
    int unreadable = 0; // records left out because their date cannot be read
};

// The CSV file of the record lines (the measurement file's lines, code page 932) with the
// type names of the type file (its lines, code page 932). Records are sorted by date and time,
// records of the same date and time keep their order in the file. Each row holds the date as
// yyyy-MM-dd, the time as HH:mm:ss, the maximum, minimum and pulse in decimal as the program
// reads them, IHB as 1 or 0, the name of the type (empty for an index that names no type) and
// the comment as stored. Only the records of days in the period are written; a record whose date
// cannot be read is never written and is counted.
CsvExportResult ExportCsv(const std::vector<std::string>& recordLines,
                          const std::vector<std::string>& typeLines, const RecordPeriod& period = AllDays());
