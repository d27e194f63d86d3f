#include "backup/BackupKeeper.h"

std::optional<int> CBackupKeeper::Take(BackupReason reason)
{
    const BackupResult result = TakeBackup(reason, m_clock(), m_strFolder);
    if (result.done || m_bFailureTold)
        return std::nullopt;
    m_bFailureTold = true;
    return result.error;
}

std::optional<int> CBackupKeeper::TakeAtStart()
{
    if (!StartBackupDue(m_clock(), m_strFolder))
        return std::nullopt;
    return Take(BackupReason::Start);
}

RestoreResult CBackupKeeper::Restore(const std::string& name) const
{
    return RestoreBackup(name, m_clock(), m_strFolder);
}
