#pragma once
// The CSV export and import on the data folder (the current directory): what a plan reads from
// the data files, and the writing of a plan once it is agreed. The caller holds the folder's lock.

#include "csv/CsvImport.h"

#include <optional>
#include <string>
#include <vector>

struct CsvFolderFiles
{
    std::vector<std::string> dataLines; // the measurement file's lines
    std::vector<std::string> typeLines; // the type file's lines; the default types when it is missing
    long long recordLimit = 0;          // line 1 of the settings file; the default when it is missing
};

// Reads the three files as they are now. Missing files read as the defaults they would be
// created with, and nothing is created.
CsvFolderFiles ReadCsvFolderFiles();

struct CsvWriteFailure
{
    std::string fileName; // the data file that could not be written
    int error = 0;        // the system's reason (an errno value), 0 when unknown
};

// Writes the plan: missing data files are created with their defaults; then, when raiseLimit is
// set and the plan exceeds the record limit, line 1 of the settings file becomes the plan's
// number of records; then the measurement file becomes the plan's lines in one durable rewrite.
// The settings come first so that a crash between the two leaves a higher limit and the old
// records, never records beyond the limit. A plan without new records writes nothing. Returns
// the failure, or nothing when all was written.
std::optional<CsvWriteFailure> WriteCsvImport(const CsvImportPlan& plan, bool raiseLimit);
