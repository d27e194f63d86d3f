#include "cli/SummaryCommand.h"

#include "cli/ExitStatus.h"
#include "record/Summary.h"
#include "store/DataFiles.h"

int RunSummary(const SummaryRequest& request, std::ostream& out)
{
    out << FormatSummaryTable(ReadDataFileLines(kDataFileName), ReadTypeNames(), request.period);
    out.flush();
    return out ? kExitOk : kExitFailed;
}
