#pragma once
// The CSV export and import of the command line. Each runs in the data folder (the current
// folder), holds the folder's lock as the window does, tells what it did on standard error and
// returns the exit status; a failure changes nothing.

#include "csv/CsvDates.h"

#include <QString>

#include <optional>
#include <ostream>

struct CsvExportRequest
{
    QString file; // "-" is standard output
    std::optional<CsvDateTime> from;
    std::optional<CsvDateTime> to;
};

struct CsvImportRequest
{
    QString file;
    bool raiseLimit = false;
    CsvDateOrder dateOrder = CsvDateOrder::Auto; // Auto: the file's dates decide, or the import is refused
};

int RunCsvExport(const CsvExportRequest& request, std::ostream& out, std::ostream& err);
int RunCsvImport(const CsvImportRequest& request, std::ostream& err);
