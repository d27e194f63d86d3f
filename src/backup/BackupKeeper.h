#pragma once
// The backups of one run of the window: taken on the run's clock, and a folder that cannot be
// written reported only once, since the edit goes on all the same.

#include "backup/Backups.h"

#include <functional>
#include <optional>
#include <string>

class CBackupKeeper
{
public:
    using Clock = std::function<LocalStamp()>;
    // The backups of the data folder at dataFolder ("." is the current directory).
    explicit CBackupKeeper(Clock clock, std::string dataFolder = ".")
        : m_clock(std::move(clock)), m_strFolder(std::move(dataFolder))
    {
    }

    // Takes a backup. Returns the system's reason when it failed and the user has not been told
    // of a failure in this run yet; nothing when it was taken or the failure was told before.
    std::optional<int> Take(BackupReason reason);
    // The backup of the first start of a day, when it is due (StartBackupDue).
    std::optional<int> TakeAtStart();
    // Restores a backup (RestoreBackup) on the run's clock.
    RestoreResult Restore(const std::string& name) const;

private:
    Clock m_clock;
    std::string m_strFolder;
    bool m_bFailureTold = false;
};
