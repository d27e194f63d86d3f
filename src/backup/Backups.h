#pragma once
// Automatic backups in the data folder (dataFolder below; "." is the current directory, and the
// window gives its CDataFolder's path): a "backup" folder beside the
// data files, holding one folder per backup named after its local date and time
// (YYYYMMDD-HHMMSS, then -2, -3 on a clash). A backup holds byte-for-byte copies of data.txt,
// item.txt, setting.txt and the evaluation's settings (when present) and reason.txt, one line
// telling why it was taken. archive.txt is never copied: it only grows.
//
// A backup is written under a temporary name starting with "~", each file synced, and renamed
// into place in one step once whole: a folder without a backup's name is never listed, and an
// interrupted one is removed by the next backup.
//
// The time is passed in as the caller's local date and time, so that tests run on a fake clock.

#include "evaluation/EvaluationSettings.h" // kEvaluationFileName

#include <string>
#include <vector>

inline constexpr const char* kBackupFolderName = "backup";
inline constexpr const char* kReasonFileName = "reason.txt";

enum class BackupReason
{
    Start,         // 起動時: the first start of a day
    BeforeImport,  // 読み込み前
    BeforeDelete,  // 削除前: a deletion of more than one record
    BeforeLimit,   // 上限で削除する前: an addition the limit makes remove more than one record
    BeforeRestore, // 復元前
};

// The reason's text as reason.txt holds it, in UTF-8.
std::string BackupReasonText(BackupReason reason);

// A local date and time, as the clock shows it.
struct LocalStamp
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// What the list of backups shows of one.
struct BackupInfo
{
    std::string name;       // the folder's name, YYYYMMDD-HHMMSS[-N]
    unsigned records = 0;   // lines in its data.txt
    std::string newestDate; // the date of its newest record (line 1), code page 932; empty without one
    std::string reason;     // UTF-8, as reason.txt holds it
};

// The whole backups, oldest first.
std::vector<BackupInfo> ListBackups(const std::string& dataFolder = ".");

struct BackupResult
{
    bool done = false;
    std::string name; // the new backup, when done
    int error = 0;    // the system's reason when not done
};

// Takes a backup now; once it is whole, removes those that the keeping rule no longer keeps.
BackupResult TakeBackup(BackupReason reason, const LocalStamp& now, const std::string& dataFolder = ".");

// The backups to remove, of those named (oldest first), at the time now: a backup is kept
// while it is among the 20 newest, or is the newest of one of the last 30 days, today included.
std::vector<std::string> BackupsToRemove(const std::vector<std::string>& namesOldestFirst,
                                         const LocalStamp& now);

// At a start: true unless a start backup was taken today already, or the files are the same
// as in the newest backup.
bool StartBackupDue(const LocalStamp& now, const std::string& dataFolder = ".");

struct RestoreResult
{
    bool done = false;
    std::string failedFile; // the file, or the backup folder, that could not be written
    int error = 0;
    std::string backupTaken; // the backup of the files as they were before the restore
};

// Puts the files of the named backup in place of the data files, after a backup of the files
// as they are (refused when that cannot be taken), each one atomically and durably, data.txt
// last. archive.txt is left as it is.
RestoreResult RestoreBackup(const std::string& name, const LocalStamp& now,
                            const std::string& dataFolder = ".");

class CTime;
// The local date and time of t, as the clock shows it.
LocalStamp LocalStampOf(const CTime& t);

// The date and time of a backup's name as the list shows it: "2024/03/05 12:00:00" (with " (2)"
// for a second backup of the same second); the name itself when it is not a backup's name.
std::string BackupTimeText(const std::string& name);

// What a restore would change, for the restore dialog (UTF-8): the records now and then, and
// the date of the newest record now and then (dates in code page 932).
std::string RestoreChangeText(unsigned recordsNow, const std::string& newestNow, const BackupInfo& then);
