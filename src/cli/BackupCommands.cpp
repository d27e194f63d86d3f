#include "cli/BackupCommands.h"

#include "backup/Backups.h"
#include "cli/CommandFolder.h"
#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "folder/DataFolder.h"
#include "platform/Cp932.h"
#include "platform/InstanceLock.h"
#include "platform/LocalTime.h"
#include "store/WriteFailure.h"

#include <cstring>

int RunListBackups(const CDataFolder& folder, std::ostream& out)
{
    out << "名前\t記録数\t最新の記録\t理由\n";
    for (const BackupInfo& info : ListBackups(folder.Path()))
        out << info.name << '\t' << info.records << '\t' << Utf8FromCp932(info.newestDate) << '\t'
            << info.reason << '\n';
    return kExitOk;
}

int RunRestoreBackup(const QString& name, const CDataFolder& folder, std::ostream& err)
{
    const CInstanceLock lock(folder.Path());
    if (!TakeFolder(lock, err))
        return kExitFailed;
    const RestoreResult result =
        RestoreBackup(name.toStdString(), LocalStampOf(CTime::GetCurrentTime()), folder.Path());
    if (result.done) {
        err << Localised(QStringLiteral(
                             "バックアップ %1 から戻しました。戻す前のデータはバックアップ %2 にあります。"),
                         QStringLiteral("restored backup %1; the data as it was is in backup %2."))
                   .arg(name, QString::fromStdString(result.backupTaken))
                   .toStdString()
            << '\n';
        return kExitOk;
    }
    if (result.backupTaken.empty() && result.error == ENOENT)
        err << Localised(
                   QStringLiteral("バックアップ「%1」はありません。--list-backups で一覧を表示できます。"),
                   QStringLiteral("there is no backup \"%1\"; --list-backups lists them."))
                   .arg(name)
                   .toStdString()
            << '\n';
    else
        err << Localised(QString::fromStdString(WriteFailureText(result.failedFile, result.error)),
                         QStringLiteral("cannot write %1 (%2).")
                             .arg(QString::fromStdString(result.failedFile),
                                  QString::fromLocal8Bit(std::strerror(result.error))))
                   .toStdString()
            << '\n';
    return kExitFailed;
}
