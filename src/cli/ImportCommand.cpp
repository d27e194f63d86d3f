#include "cli/ImportCommand.h"

#include "backup/Backups.h"
#include "cli/CommandFolder.h"
#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "csv/CsvImport.h"
#include "csv/CsvService.h"
#include "csv/ImportFile.h"
#include "csv/ZoneNames.h"
#include "folder/DataFolder.h"
#include "platform/LocalTime.h"
#include "store/DataFiles.h"
#include "store/WriteFailure.h"

#include <QFile>

#include <cstring>

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString FailedWriteText(const std::string& fileName, int error)
{
    if (MessageLanguage() == Language::Japanese)
        return QString::fromStdString(WriteFailureText(fileName, error));
    return QStringLiteral("cannot write %1 (%2). Check the free disk space and the write permission.")
        .arg(QString::fromStdString(fileName),
             error != 0 ? SystemReason(error) : QStringLiteral("unknown reason"));
}

QString AmbiguousDateText(const CsvImportPlan& plan)
{
    int line = 0;
    QString cell;
    for (const CsvRefusal& refusal : plan.refusals)
        if (refusal.reason == CsvRefusalReason::AmbiguousDate) {
            line = refusal.line;
            cell = QString::fromStdString(refusal.cell);
            break;
        }
    return Localised(
               QStringLiteral("日付の日と月のどちらが先か決まりません（%1 行目「%2」など）。"
                              "--date-order dmy（日/月/年）か --date-order mdy（月/日/年）を付けてください。"
                              "何も変更していません。"),
               QStringLiteral("the dates can be read day first or month first (line %1: \"%2\"); "
                              "give --date-order dmy (day/month/year) or --date-order mdy "
                              "(month/day/year). Nothing was changed."))
        .arg(line)
        .arg(cell);
}

QString LimitText(const CsvImportPlan& plan, long long limit)
{
    return QString::fromStdString(CsvLimitText(plan, limit, MessageLanguage())) +
           Localised(QStringLiteral("何も変更していません。上限を %1 件に引き上げて読み込むには "
                                    "--raise-limit を付けてください。"),
                     QStringLiteral(
                         " Nothing was changed. Give --raise-limit to raise the limit to %1 and import."))
               .arg(plan.limitToFit);
}

QString SummaryText(const CsvImportPlan& plan)
{
    return Localised(QStringLiteral(
                         "%1 件を読み込みました（重複して読み込まなかった記録 %2 件、読めなかった行 %3 件、"
                         "文字を置き換えた記録 %4 件）。"),
                     QStringLiteral("records imported: %1 (duplicates skipped: %2, rows refused: %3, records "
                                    "changed: %4)."))
        .arg(plan.newCount)
        .arg(plan.duplicateCount)
        .arg(plan.refusedCount)
        .arg(plan.changedCount);
}

// What the import leaves out without refusing a row: columns nothing reads, rows that are
// not blood-pressure readings, flag values that are not understood.
void TellPassedOver(const CsvImportPlan& plan, const std::vector<std::string>& header, std::ostream& err)
{
    if (const std::string unused = UnusedColumnsText(header, plan.unusedColumns, MessageLanguage());
        !unused.empty())
        Tell(err, QString::fromStdString(unused));
    if (plan.notBloodPressureCount > 0)
        Tell(err, Localised(QStringLiteral("血圧以外の行 %1 件は読み込みません。"),
                            QStringLiteral("rows that are not blood-pressure readings, passed over: %1."))
                      .arg(plan.notBloodPressureCount));
    if (plan.unknownFlagCount > 0)
        Tell(err,
             Localised(QStringLiteral("IHB の値を読めなかった行 %1 件は IHB なしとして読み込みます。"),
                       QStringLiteral("rows whose irregular-pulse value is not understood, read as 0: %1."))
                 .arg(plan.unknownFlagCount));
}

} // namespace

int RunImport(const ImportRequest& request, CDataFolder& folder, std::ostream& err)
{
    const CInstanceLock lock(folder.Path());
    if (!TakeFolder(lock, err))
        return kExitFailed;
    // A CSV file, an Apple Health export.xml or its zip, recognised by what it holds.
    const ImportFileRead read = ReadImportFile(QFile::encodeName(request.file).toStdString());
    if (!read.Ok()) {
        Tell(err,
             Localised(QStringLiteral("「%1」を読み込めません: %2 何も変更していません。"),
                       QStringLiteral("cannot import \"%1\": %2 Nothing was changed."))
                 .arg(request.file, QString::fromStdString(ImportFileErrorText(read, MessageLanguage()))));
        return kExitFailed;
    }
    const CsvTable& table = read.table;
    // The folder as Load read it: its records, type names and limit, each file read once.
    folder.Load();
    const CsvFolderFiles files{FileLines(folder.Records()), folder.TypeNames(), folder.RecordLimit()};
    CsvImportOptions options;
    options.dateOrder = request.dateOrder;
    options.zoneNames = LocalFromZoneName;
    const CsvImportPlan plan = PlanFolderImport(table, MatchCsvColumns(table.header), files, options);

    if (!plan.missingFields.empty()) {
        Tell(err, QString::fromStdString(MissingCsvFieldsText(plan.missingFields, MessageLanguage())));
        Tell(err,
             Localised(QStringLiteral("何も変更していません。"), QStringLiteral("Nothing was changed.")));
        return kExitFailed;
    }
    if (plan.dateOrderNeeded) {
        Tell(err, AmbiguousDateText(plan));
        return kExitFailed;
    }
    for (const CsvRefusal& refusal : plan.refusals)
        Tell(err, QString::fromStdString(CsvRefusalText(refusal, MessageLanguage())));
    TellPassedOver(plan, table.header, err);
    if (plan.refusedCount > 0 && plan.newCount == 0 && plan.duplicateCount == 0) {
        Tell(err, Localised(QStringLiteral("読める行がありませんでした。何も変更していません。"),
                            QStringLiteral("no row could be read. Nothing was changed.")));
        return kExitFailed;
    }
    CsvCommitHooks hooks;
    hooks.beforeWrite = [&err, &folder] {
        const BackupResult backup =
            TakeBackup(BackupReason::BeforeImport, LocalStampOf(CTime::GetCurrentTime()), folder.Path());
        if (!backup.done) // a backup that cannot be made does not stop the import
            Tell(err, Localised(QStringLiteral("バックアップを作れませんでした。"),
                                QStringLiteral("no backup could be made: ")) +
                          FailedWriteText(kBackupFolderName, backup.error));
    };
    hooks.raiseLimit = [&folder](std::int32_t limit) {
        return folder.WriteSetting(kSettingRecordLimit, std::to_string(limit));
    };
    const CsvCommitResult result =
        CommitCsvImport(folder.Path(), folder.Records(), plan, request.raiseLimit, hooks);
    if (result.outcome == CsvCommitOutcome::OverLimit) {
        Tell(err, LimitText(plan, files.recordLimit));
        return kExitFailed;
    }
    if (result.outcome == CsvCommitOutcome::Failed) {
        Tell(err, FailedWriteText(result.failedFile, result.error));
        return kExitFailed;
    }
    if (result.raisedLimit > 0)
        Tell(err, Localised(QStringLiteral("記録数の上限を %1 件に引き上げました。"),
                            QStringLiteral("raised the record limit to %1."))
                      .arg(result.raisedLimit));
    Tell(err, SummaryText(plan));
    return kExitOk;
}
