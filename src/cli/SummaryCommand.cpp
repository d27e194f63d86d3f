#include "cli/SummaryCommand.h"

#include "cli/ExitStatus.h"
#include "folder/DataFolder.h"
#include "record/Summary.h"
#include "store/DataFiles.h"

int RunSummary(const SummaryRequest& request, CDataFolder& folder, std::ostream& out)
{
    folder.Load();
    // The type file as it is: a type it does not name shows by its number.
    out << FormatSummaryTable(FileLines(folder.Records()), ReadTypeNames(folder.Path()), request.period);
    out.flush();
    return out ? kExitOk : kExitFailed;
}
