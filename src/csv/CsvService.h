#pragma once
// The CSV export and import of a data folder, for the window and the command line alike: the
// export as the bytes of a file, the plan of an import against the folder as it is now, and the
// commit of an agreed plan. Every file is read at the folder's path (its CDataFolder's; "." is
// the current directory). Those who call it only present its results. The caller holds the
// folder's lock.

#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "platform/Language.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CTextFile;

struct CsvFolderFiles
{
    std::vector<std::string> dataLines; // the measurement file's lines
    std::vector<std::string> typeLines; // the type file's lines; the default types when it is missing
    long long recordLimit = 0;          // the folder's record limit, as given
};

// The record limit as the folder's settings file holds it now: line 1, the default when the file
// is missing.
long long ReadCsvRecordLimit(const std::string& folder);

// Reads the folder's measurement and type files as they are now, with the record limit given
// (the folder's settings hold it). Missing files read as the defaults they would be created
// with, and nothing is created.
CsvFolderFiles ReadCsvFolderFiles(const std::string& folder, long long recordLimit);

// The CSV file of the folder's records in the period: those of the measurement file, or with
// includeArchive those of the archive as well. Nothing is written.
CsvExportResult ExportFolderCsv(const std::string& folder, bool includeArchive,
                                const RecordPeriod& period = AllDays());

// The plan of importing the table through map into the files read, at their record limit.
CsvImportPlan PlanFolderImport(const CsvTable& table, const CsvColumnMap& map, const CsvFolderFiles& files,
                               CsvImportOptions options);

// "読み込むと記録が 1200 件になり、記録数の上限 1000 件を超えます。": the one message of a plan
// above the record limit, to which the window adds its question and the command line its advice.
std::string CsvLimitText(const CsvImportPlan& plan, long long recordLimit, Language language);

enum class CsvCommitOutcome
{
    Written,    // the new records are in the measurement file
    NothingNew, // the plan adds no record: nothing was written
    OverLimit,  // the plan exceeds the record limit and raising it was not agreed: nothing was written
    Failed,     // a data file could not be written (failedFile, error); the measurement file is unchanged
};

struct CsvCommitResult
{
    CsvCommitOutcome outcome = CsvCommitOutcome::NothingNew;
    long long raisedLimit = 0; // the record limit written to the settings file, 0 when it stayed
    std::string failedFile;    // the data file that could not be written
    int error = 0;             // the system's reason (an errno value), 0 when unknown
};

// What a commit has others do: the backup before an import, and the writing of a raised record
// limit, which the folder's owner of the settings does (0, or the system's reason as an errno
// value).
struct CsvCommitHooks
{
    std::function<void()> beforeWrite;
    std::function<int(std::int32_t recordLimit)> raiseLimit;
};

// Commits an agreed plan into the folder, whose records file (the one its CDataFolder shares)
// is records. The limit comes first: a plan above it is refused unless raiseLimit is set, and a
// plan without new records writes nothing. Otherwise beforeWrite runs, missing data files are
// created with their defaults, the hook raises the record limit to the plan's number of records
// when it must, and the measurement file becomes the plan's lines in one durable rewrite. The
// settings come first so that a crash between the two leaves a higher limit and the old records,
// never records beyond the limit.
CsvCommitResult CommitCsvImport(const std::string& folder, CTextFile& records, const CsvImportPlan& plan,
                                bool raiseLimit, const CsvCommitHooks& hooks);
