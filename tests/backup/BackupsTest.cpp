#include "backup/Backups.h"

#include "store/ArchiveFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const LocalStamp kNoon{2024, 3, 5, 12, 0, 0};

void WriteFolder(const std::string& data)
{
    WriteBytes("data.txt", data);
    WriteBytes("item.txt", "i\r\n");
    WriteBytes("setting.txt", "1000\r\n");
}

TEST(BackupsTest, ABackupCopiesTheFilesUnderItsTimeAndIsListedWithItsRecordsAndReason)
{
    ScopedDataDir dir;
    WriteFolder("2024/3/4 07:00:00,120,80,60,0,0,a\r\n2024/3/1 07:00:00,121,81,61,0,0,b\r\n");
    WriteBytes("archive.txt", "old\r\n");
    fs::create_directories("backup/~20240305-115900/data.txt"); // an interrupted backup
    ASSERT_EQ(TakeBackup(BackupReason::BeforeDelete, kNoon).name, "20240305-120000");
    WriteBytes("evaluation.txt", "e\r\n");
    ASSERT_EQ(TakeBackup(BackupReason::BeforeImport, kNoon).name, "20240305-120000-2");
    EXPECT_EQ(TakeBackup(BackupReason::Start, kNoon).name, "20240305-120000-3");

    EXPECT_FALSE(fs::exists("backup/~20240305-115900"));
    for (const char* file : {"data.txt", "item.txt", "setting.txt", "evaluation.txt"})
        EXPECT_EQ(ReadBytes(std::string("backup/20240305-120000-2/") + file), ReadBytes(file)) << file;
    EXPECT_FALSE(fs::exists("backup/20240305-120000/evaluation.txt"));
    EXPECT_FALSE(fs::exists("backup/20240305-120000/archive.txt"));
    EXPECT_EQ(ReadBytes("backup/20240305-120000/reason.txt"),
              "\x8d\xed\x8f\x9c\x91\x4f\r\n"); // 削除前, cp932

    const std::vector<BackupInfo> list = ListBackups();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].name, "20240305-120000-2");
    EXPECT_EQ(list[1].records, 2u);
    EXPECT_EQ(list[1].newestDate, "2024/3/4");
    EXPECT_EQ(list[1].reason, "読み込み前");
    EXPECT_EQ(list[2].reason, "起動時");
}

TEST(BackupsTest, TheTwentyNewestAndTheNewestOfEachOfTheLastThirtyDaysAreKept)
{
    Names names;
    for (int day = 1; day <= 31; ++day) // March: two a day
        for (const char* time : {"-080000", "-200000"})
            names.push_back("202403" + std::string(day < 10 ? "0" : "") + std::to_string(day) + time);
    const Names removed = BackupsToRemove(names, {2024, 3, 31, 21, 0, 0});
    // Kept: the 20 newest (22 to 31 March) and the evenings of 2 to 21 March.
    EXPECT_EQ(removed.size(), names.size() - 20 - 20);
    EXPECT_EQ(removed.front(), "20240301-080000");
    EXPECT_EQ(removed[1], "20240301-200000"); // 1 March is 30 days before the 31st
    EXPECT_EQ(removed.back(), "20240321-080000");
    EXPECT_TRUE(BackupsToRemove(Names(names.end() - 20, names.end()), {2025, 1, 1, 0, 0, 0}).empty());
}

TEST(BackupsTest, AStartBackupIsDueOncePerDayWhenTheFilesDifferFromTheNewest)
{
    ScopedDataDir dir;
    WriteFolder("a\r\n");
    EXPECT_TRUE(StartBackupDue(kNoon));
    ASSERT_TRUE(TakeBackup(BackupReason::Start, kNoon).done);
    WriteFolder("b\r\n");
    EXPECT_FALSE(StartBackupDue({2024, 3, 5, 23, 0, 0})); // taken today already
    EXPECT_TRUE(StartBackupDue({2024, 3, 6, 8, 0, 0}));
    WriteFolder("a\r\n");
    EXPECT_FALSE(StartBackupDue({2024, 3, 6, 8, 0, 0})); // the same as the newest
}

TEST(BackupsTest, ARestoreBacksUpTheFilesFirstAndLeavesTheArchiveAlone)
{
    ScopedDataDir dir;
    WriteFolder("then\r\n");
    const std::string name = TakeBackup(BackupReason::Start, kNoon).name;
    WriteFolder("now\r\n");
    WriteBytes("archive.txt", "gone\r\n");
    const RestoreResult result = RestoreBackup(name, {2024, 3, 5, 13, 0, 0});
    ASSERT_TRUE(result.done);
    EXPECT_EQ(ReadBytes("data.txt"), "then\r\n");
    EXPECT_EQ(ReadBytes("archive.txt"), "gone\r\n");
    EXPECT_EQ(result.backupTaken, "20240305-130000");
    EXPECT_EQ(ReadBytes("backup/20240305-130000/data.txt"), "now\r\n");
    EXPECT_EQ(ListBackups().back().reason, "復元前");
    EXPECT_FALSE(RestoreBackup("20990101-000000", kNoon).done);
}

TEST(BackupsTest, ABackupFolderThatCannotBeWrittenFailsWithItsReasonAndChangesNothing)
{
    ScopedDataDir dir;
    WriteFolder("a\r\n");
    WriteBytes("backup", "a file in the way");
    const BackupResult result = TakeBackup(BackupReason::BeforeDelete, kNoon);
    EXPECT_FALSE(result.done);
    EXPECT_NE(result.error, 0);
    EXPECT_TRUE(ListBackups().empty());
    EXPECT_FALSE(RestoreBackup("20240305-120000", kNoon).done);
    EXPECT_EQ(ReadBytes("data.txt"), "a\r\n");
}

} // namespace
