#pragma once
// --summary: the count, the averages and the highest and lowest values of each type over the
// period, as a tab-separated table on standard output. Reads the data folder and creates
// nothing.

#include "cli/Request.h"

#include <ostream>

class CDataFolder;

int RunSummary(const SummaryRequest& request, CDataFolder& folder, std::ostream& out);
