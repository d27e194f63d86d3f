#pragma once
// --import-csv: the measurements of a CSV file into the data folder (the current folder). Holds
// the folder's lock as the window does, tells what it did and what it refused on standard error
// and returns the exit status; a refused or failed import changes nothing.

#include "cli/Request.h"

#include <ostream>

int RunImport(const ImportRequest& request, std::ostream& err);
