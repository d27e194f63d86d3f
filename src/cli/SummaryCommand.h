#pragma once
// --summary: the count, the averages and the highest and lowest values of each type over the
// period, as a tab-separated table on standard output. Reads the data folder (the current
// folder) and creates nothing.

#include "cli/Request.h"

#include <ostream>

int RunSummary(const SummaryRequest& request, std::ostream& out);
