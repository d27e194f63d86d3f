#pragma once
// --export-csv: the records of the data folder in the period as a CSV file or on standard
// output. Holds the folder's lock as the window does, creates nothing in the folder, tells what
// it did on standard error and returns the exit status; a failure leaves any old file as it
// was.

#include "cli/Request.h"

#include <ostream>

class CDataFolder;

int RunExport(const ExportRequest& request, const CDataFolder& folder, std::ostream& out, std::ostream& err);
