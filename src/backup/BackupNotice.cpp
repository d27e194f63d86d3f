#include "backup/BackupNotice.h"

#include "backup/BackupKeeper.h"
#include "platform/DataExchange.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "store/WriteFailure.h"

#include <QString>

void BackUpBefore(CBackupKeeper* keeper, BackupReason reason, IModalSeam& seam, QWidget* parent)
{
    if (!keeper)
        return;
    if (const std::optional<int> error = keeper->Take(reason))
        TellBackupFailure(*error, seam, parent);
}

void TellBackupFailure(int error, IModalSeam& seam, QWidget* parent)
{
    seam.MessageBox(parent,
                    QStringLiteral("バックアップを作れませんでした。変更はこのまま保存します。\n"
                                   "この実行中は、これ以上お知らせしません。\n") +
                        QString::fromStdString(WriteFailureText(kBackupFolderName, error)),
                    AppTitle(), MB_OK | MB_ICONEXCLAMATION);
}
