#include "csv/CsvService.h"

#include "folder/FolderSettings.h"
#include "record/RecordLine.h"
#include "store/ArchiveFile.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

#include <cerrno>

long long ReadCsvRecordLimit(const std::string& folder)
{
    return ReadFolderSettings(SettingLinesInUse(folder)).recordLimit;
}

CsvFolderFiles ReadCsvFolderFiles(const std::string& folder, long long recordLimit)
{
    CsvFolderFiles files;
    files.dataLines = ReadDataFileLines(DataFilePath(folder, kDataFileName).c_str());
    files.typeLines = TypeNamesInUse(folder);
    files.recordLimit = recordLimit;
    return files;
}

CsvExportResult ExportFolderCsv(const std::string& folder, bool includeArchive, const RecordPeriod& period)
{
    return ExportCsv(includeArchive ? ReadAllRecordLines(folder)
                                    : ReadDataFileLines(DataFilePath(folder, kDataFileName).c_str()),
                     TypeNamesInUse(folder), period);
}

CsvImportPlan PlanFolderImport(const CsvTable& table, const CsvColumnMap& map, const CsvFolderFiles& files,
                               CsvImportOptions options)
{
    options.recordLimit = files.recordLimit;
    return PlanCsvImport(table, map, files.dataLines, files.typeLines, options);
}

std::string CsvLimitText(const CsvImportPlan& plan, long long recordLimit, Language language)
{
    const std::string records = std::to_string(plan.limitToFit);
    const std::string limit = std::to_string(recordLimit);
    if (language == Language::Japanese)
        return "読み込むと記録が " + records + " 件になり、記録数の上限 " + limit + " 件を超えます。";
    return "the import would make " + records + " records, more than the record limit of " + limit + ".";
}

namespace {

CsvCommitResult Outcome(CsvCommitOutcome outcome)
{
    CsvCommitResult result;
    result.outcome = outcome;
    return result;
}

CsvCommitResult Failed(CsvCommitResult result, const char* fileName, int error)
{
    result.outcome = CsvCommitOutcome::Failed;
    result.failedFile = fileName;
    result.error = error;
    return result;
}

} // namespace

CsvCommitResult CommitCsvImport(const std::string& folder, CTextFile& records, const CsvImportPlan& plan,
                                bool raiseLimit, const CsvCommitHooks& hooks)
{
    if (plan.exceedsLimit && !raiseLimit)
        return Outcome(CsvCommitOutcome::OverLimit);
    if (plan.newCount == 0)
        return Outcome(CsvCommitOutcome::NothingNew);
    if (hooks.beforeWrite)
        hooks.beforeWrite();
    CreateMissingDataFiles(folder);
    CsvCommitResult result = Outcome(CsvCommitOutcome::Written);
    if (plan.exceedsLimit) {
        const int error =
            hooks.raiseLimit ? hooks.raiseLimit(static_cast<std::int32_t>(plan.limitToFit)) : EINVAL;
        if (error != 0)
            return Failed(result, kSettingFileName, error);
        result.raisedLimit = plan.limitToFit;
    }
    if (!records.ReplaceAllLines(plan.lines))
        return Failed(result, kDataFileName, records.GetLastError());
    return result;
}
