#pragma once
// --import-csv: the measurements of a CSV file into the data folder. Holds the folder's lock as
// the window does, creates the folder's missing files only when it writes records, tells what it
// did and what it refused on standard error and returns the exit status; a refused or failed
// import changes nothing.

#include "cli/Request.h"

#include <ostream>

class CDataFolder;

int RunImport(const ImportRequest& request, CDataFolder& folder, std::ostream& err);
