#pragma once
// --evaluate: the morning and evening home blood-pressure averages of the period and their
// categories, as a tab-separated table on standard output. Reads the data folder and creates
// nothing.

#include "cli/Request.h"

#include <ostream>

class CDataFolder;

int RunEvaluate(const EvaluateRequest& request, const CDataFolder& folder, std::ostream& out);
