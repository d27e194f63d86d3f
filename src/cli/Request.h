#pragma once
// What the command line asks for, as one value: read and checked once (ParseCommandLine), then
// run by the command of its kind (RunRequest). Adding a command: a request type here, its
// options and its reading in ParseCommandLine, a file of its own that runs it, and its line in
// RunRequest.

#include "csv/CsvDates.h"
#include "record/RecordPeriod.h"
#include "report/NotebookBuilder.h"

#include <QString>

#include <optional>
#include <variant>

// No action: the window starts.
struct WindowRequest
{
};

// --help: the text to print, in the language of the messages.
struct HelpRequest
{
    QString text;
};

struct VersionRequest
{
};

// --export-csv: the records of the period as a CSV file.
struct ExportRequest
{
    QString file; // absolute, or "-" for standard output
    RecordPeriod period;
    bool includeArchive = false; // --include-archive: also the readings the limit moved to archive.txt
};

// --import-csv: the measurements of a CSV file into the data folder.
struct ImportRequest
{
    QString file; // absolute
    bool raiseLimit = false;
    CsvDateOrder dateOrder = CsvDateOrder::Auto; // Auto: the file's dates decide, or the import is refused
};

// --summary: the table of the period's figures per type.
struct SummaryRequest
{
    RecordPeriod period;
};

// --evaluate: the morning and evening averages of the period and their categories.
struct EvaluateRequest
{
    RecordPeriod period; // the last 7 days unless a period is given
};

// --report-pdf: the report for the doctor of a range of days, as a PDF file.
struct ReportPdfRequest
{
    QString file; // absolute
    NotebookRequest notebook;
};

// --list-backups: the backups, oldest first, as a tab-separated table.
struct ListBackupsRequest
{
};

// --restore-backup NAME: the files of that backup back in the data folder.
struct RestoreBackupRequest
{
    QString name;
};

// A line that cannot be run: why, in the language of the messages.
struct UsageError
{
    QString message;
};

using RequestAction =
    std::variant<WindowRequest, HelpRequest, VersionRequest, ExportRequest, ImportRequest, SummaryRequest,
                 EvaluateRequest, ReportPdfRequest, ListBackupsRequest, RestoreBackupRequest, UsageError>;

struct CommandLineRequest
{
    std::optional<QString> dataDir; // --data-dir: the folder every action works in
    RequestAction action;
};
