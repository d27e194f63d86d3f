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
    bool includeArchive = false; // also the readings the record limit moved to archive.txt
};

struct CsvImportRequest
{
    QString file;
    bool raiseLimit = false;
    CsvDateOrder dateOrder = CsvDateOrder::Auto; // Auto: the file's dates decide, or the import is refused
};

int RunCsvExport(const CsvExportRequest& request, std::ostream& out, std::ostream& err);
int RunCsvImport(const CsvImportRequest& request, std::ostream& err);

class CInstanceLock;
// False, with the message told, while a window (or another command) works on the folder.
bool TakeFolder(CInstanceLock& lock, std::ostream& err);
