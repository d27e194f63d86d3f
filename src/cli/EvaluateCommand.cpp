#include "cli/EvaluateCommand.h"

#include "cli/ExitStatus.h"
#include "evaluation/EvaluationSettings.h"
#include "evaluation/PeriodEvaluation.h"
#include "folder/DataFolder.h"
#include "store/ArchiveFile.h"
#include "store/DataFiles.h"

int RunEvaluate(const EvaluateRequest& request, const CDataFolder& folder, std::ostream& out)
{
    // The types of the occasions as the 評価 page reads them, counted as the summary counts. Only
    // the type file and the evaluation's settings are read here: the records are read once below.
    const OccasionTypes types =
        ReadEvaluationSettings(TypeNamesInUse(folder.Path()), folder.FilePath(kEvaluationFileName)).types;
    out << FormatEvaluationTable(
        EvaluatePeriod(ClassifyOccasions(ReadAllRecordLines(folder.Path()), types, request.period)));
    out.flush();
    return out ? kExitOk : kExitFailed;
}
