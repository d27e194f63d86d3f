#include "csv/CsvService.h"

#include "folder/FolderSettings.h"
#include "record/RecordLine.h"
#include "store/ArchiveFile.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

long long ReadCsvRecordLimit()
{
    return ReadFolderSettings(SettingLinesInUse()).recordLimit;
}

CsvFolderFiles ReadCsvFolderFiles(long long recordLimit)
{
    CsvFolderFiles files;
    files.dataLines = ReadDataFileLines(kDataFileName);
    files.typeLines = TypeNamesInUse();
    files.recordLimit = recordLimit;
    return files;
}

CsvExportResult ExportFolderCsv(bool includeArchive, const RecordPeriod& period)
{
    return ExportCsv(includeArchive ? ReadAllRecordLines() : ReadDataFileLines(kDataFileName),
                     TypeNamesInUse(), period);
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

CsvCommitResult CommitCsvImport(const CsvImportPlan& plan, bool raiseLimit,
                                const std::function<void()>& beforeWrite)
{
    if (plan.exceedsLimit && !raiseLimit)
        return Outcome(CsvCommitOutcome::OverLimit);
    if (plan.newCount == 0)
        return Outcome(CsvCommitOutcome::NothingNew);
    if (beforeWrite)
        beforeWrite();
    CreateMissingDataFiles();
    CsvCommitResult result = Outcome(CsvCommitOutcome::Written);
    if (plan.exceedsLimit) {
        CTextFile settings;
        BindDataFile(settings, kSettingFileName);
        if (!settings.ReplaceLine(kSettingRecordLimit, std::to_string(plan.limitToFit)))
            return Failed(result, kSettingFileName, settings.GetLastError());
        result.raisedLimit = plan.limitToFit;
    }
    CTextFile data;
    BindDataFile(data, kDataFileName);
    if (!data.ReplaceAllLines(plan.lines))
        return Failed(result, kDataFileName, data.GetLastError());
    return result;
}
