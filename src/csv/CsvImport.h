#pragma once
// Importing a CSV file, planned before anything is written: each row read into a measurement
// or refused with its reason, duplicates found, the new records merged into the stored ones,
// and the complete new content of the measurement file returned with the counts. The caller
// shows the plan, and writes `lines` in one durable rewrite when the user agrees.

#include "csv/CsvColumns.h"
#include "csv/CsvDates.h"
#include "csv/CsvRefusal.h"
#include "csv/CsvText.h"
#include "record/RecordLine.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct CsvImportOptions
{
    // How dates like 3/4/2024 are read; Auto lets the date column decide (DetectDateOrder).
    CsvDateOrder dateOrder = CsvDateOrder::Auto;
    // The record limit, line 1 of the settings file; 0 or less is no limit.
    long long recordLimit = 0;
    // Called now and then with the rows read so far and all rows; returning false cancels.
    std::function<bool(std::size_t done, std::size_t total)> progress;
    // The wall time in a named time zone ("Asia/Tokyo") as local time, nullopt for an unknown
    // name (ZoneNames.h gives Qt's). Without it every zone name is unknown; offsets need none.
    std::function<std::optional<Moment>(std::string_view zone, const Moment& wallTime)> zoneNames;
};

enum class CsvRowOutcome
{
    New,              // stored by the import
    Duplicate,        // the same date-time, maximum, minimum and pulse are stored already or came earlier
    Refused,          // not readable: see the plan's refusals
    NotBloodPressure, // no maximum and no minimum, but other values (a heart rate): passed over
};

struct CsvPlannedRow
{
    int line = 0; // the file line the row starts on
    CsvRowOutcome outcome = CsvRowOutcome::Refused;
    bool changed = false; // a character became "?", or the comment was cut to its limit
    MEASUREMENT record;   // the record as it is stored (not for refused rows)
};

struct CsvImportPlan
{
    // The required fields that no column feeds; when any is missing nothing below is filled.
    std::vector<CsvField> missingFields;
    CsvDateOrder dateOrder = CsvDateOrder::Auto; // the order the dates were read in
    // Some dates could be read day first or month first: ask, and plan again with an order.
    bool dateOrderNeeded = false;
    bool cancelled = false;

    std::vector<CsvPlannedRow> rows; // one per data row, in file order
    std::vector<CsvRefusal> refusals;
    int newCount = 0;
    int duplicateCount = 0;
    int refusedCount = 0;
    int changedCount = 0;          // of the new records
    int notBloodPressureCount = 0; // rows passed over as "血圧以外の行"
    int unknownFlagCount = 0;      // read rows whose irregular-pulse cell held no known word
    // The columns no field reads that hold a value in some row, in file order.
    std::vector<int> unusedColumns;

    // The whole new measurement file, line 1 first, code page 932 without line feeds: the
    // stored lines unchanged and in their order, the new records placed among them. With no
    // new record it equals the stored lines, and there is nothing to write.
    std::vector<std::string> lines;
    bool exceedsLimit = false; // the new number of records is above the record limit
    long long limitToFit = 0;  // the number of records after the import
};

// The plan for importing the table's rows, read through `map`, into the measurement file
// holding `dataLines`, with the type names `typeLines` (the lines of the type file, code
// page 932). A new record goes before the first record (stored, or placed by this import) that
// is older than it, or last when none is; the stored records keep their order.
CsvImportPlan PlanCsvImport(const CsvTable& table, const CsvColumnMap& map,
                            const std::vector<std::string>& dataLines,
                            const std::vector<std::string>& typeLines, const CsvImportOptions& options);

// Cell values as the import reads them, for the preview to show the same.
// A whole number, blanks around it and a fraction of zeros allowed, from -2147483648 to
// 4294967295 (stored as the program stores it: as the unsigned value written in signed decimal).
bool ReadCsvNumber(std::string_view cell, std::uint32_t& value);
// 1 for the words FlagWords.h lists as set, else 0.
int ReadCsvIhb(std::string_view cell);

// "使われない列: 体動検出, Symptoms" / "columns not imported: 体動検出, Symptoms"; empty when
// every column with a value is read.
std::string UnusedColumnsText(const std::vector<std::string>& header, const std::vector<int>& columns,
                              Language language);
