#include "cli/EvaluateCommand.h"

#include "cli/ExitStatus.h"
#include "evaluation/EvaluationSettings.h"
#include "evaluation/PeriodEvaluation.h"
#include "folder/DataFolder.h"
#include "store/ArchiveFile.h"
#include "store/DataFiles.h"

int RunEvaluate(const EvaluateRequest& request, CDataFolder& folder, std::ostream& out)
{
    folder.Load();
    // The types of the occasions as the 評価 page reads them, counted as the summary counts.
    const OccasionTypes types =
        ReadEvaluationSettings(folder.TypeNames(), folder.FilePath(kEvaluationFileName)).types;
    out << FormatEvaluationTable(
        EvaluatePeriod(ClassifyOccasions(ReadAllRecordLines(folder.Path()), types, request.period)));
    out.flush();
    return out ? kExitOk : kExitFailed;
}
