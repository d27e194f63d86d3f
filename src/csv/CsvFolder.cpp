#include "csv/CsvFolder.h"

#include "folder/FolderSettings.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

CsvFolderFiles ReadCsvFolderFiles()
{
    CsvFolderFiles files;
    files.dataLines = ReadDataFileLines(kDataFileName);
    files.typeLines = TypeNamesInUse();
    files.recordLimit = ReadFolderSettings(SettingLinesInUse()).recordLimit;
    return files;
}

std::optional<CsvWriteFailure> WriteCsvImport(const CsvImportPlan& plan, bool raiseLimit)
{
    if (plan.newCount == 0)
        return std::nullopt;
    CreateMissingDataFiles();
    if (raiseLimit && plan.exceedsLimit) {
        CTextFile settings;
        BindDataFile(settings, kSettingFileName);
        if (!settings.ReplaceLine(kSettingRecordLimit, std::to_string(plan.limitToFit)))
            return CsvWriteFailure{kSettingFileName, settings.GetLastError()};
    }
    CTextFile data;
    BindDataFile(data, kDataFileName);
    if (!data.ReplaceAllLines(plan.lines))
        return CsvWriteFailure{kDataFileName, data.GetLastError()};
    return std::nullopt;
}
