#include "cli/EvaluateCommand.h"

#include "cli/ExitStatus.h"
#include "evaluation/EvaluationSettings.h"
#include "evaluation/PeriodEvaluation.h"
#include "store/ArchiveFile.h"
#include "store/DataFiles.h"

int RunEvaluate(const EvaluateRequest& request, std::ostream& out)
{
    // The types of the occasions as the 評価 page reads them, counted as the summary counts.
    const OccasionTypes types = ReadEvaluationSettings(TypeNamesInUse()).types;
    out << FormatEvaluationTable(
        EvaluatePeriod(ClassifyOccasions(ReadAllRecordLines(), types, request.period)));
    out.flush();
    return out ? kExitOk : kExitFailed;
}
