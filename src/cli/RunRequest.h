#pragma once
// Running a request of the command line that is not the window: help and version print, an
// action runs its command on the data folder (--data-dir, or the current folder), a line that
// cannot be run says why.
// Needs a QCoreApplication; no display.

#include "cli/Request.h"

#include <ostream>

// The exit status (cli/ExitStatus.h). Output (help, version, an export to "-", the summary)
// goes to out, messages to err.
int RunRequest(const CommandLineRequest& request, std::ostream& out, std::ostream& err);
