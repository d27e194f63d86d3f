#include "csv/CsvFolder.h"

#include "record/RecordLine.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

CsvFolderFiles ReadCsvFolderFiles()
{
    CsvFolderFiles files;
    files.dataLines = ReadDataFileLines(kDataFileName);
    files.typeLines = TypeNamesInUse();
    const std::vector<std::string> settings = SettingLinesInUse();
    files.recordLimit =
        settings.size() >= kSettingRecordLimit ? ReadInt(settings[kSettingRecordLimit - 1]) : 0;
    return files;
}

std::optional<CsvWriteFailure> WriteCsvImport(const CsvImportPlan& plan, bool raiseLimit)
{
    if (plan.newCount == 0)
        return std::nullopt;
    CreateMissingDataFiles();
    if (raiseLimit && plan.exceedsLimit) {
        CTextFile settings(nullptr, true);
        BindDataFile(settings, kSettingFileName);
        if (!settings.ReplaceLine(kSettingRecordLimit, std::to_string(plan.limitToFit) + "\n"))
            return CsvWriteFailure{kSettingFileName, settings.GetLastError()};
    }
    CTextFile data(nullptr, true);
    BindDataFile(data, kDataFileName);
    if (!data.ReplaceAllLines(plan.lines))
        return CsvWriteFailure{kDataFileName, data.GetLastError()};
    return std::nullopt;
}
