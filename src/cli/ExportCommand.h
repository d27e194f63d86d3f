#pragma once
// --export-csv: the records of the period as a CSV file or on standard output. Runs in the data
// folder (the current folder), holds the folder's lock as the window does, tells what it did on
// standard error and returns the exit status; a failure leaves any old file as it was.

#include "cli/Request.h"

#include <ostream>

int RunExport(const ExportRequest& request, std::ostream& out, std::ostream& err);
