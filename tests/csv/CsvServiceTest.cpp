// The CSV service on a data folder: an import planned at the record limit it is given, and
// committed with the limit first and one write of the records.
#include "csv/CsvService.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kStored = "2024/3/2 07:05:09,135,85,72,0,1,\r\n2024/3/1 07:00:00,130,80,70,0,1,\r\n";
const std::string kSettingsAfterLimit = "\r\n1\r\n30\r\n0\r\n0\r\nuser\r\n"; // lines 2 to 6
const std::string kTwoNewRows = "2024/3/3,7:00,120,80,60\n2024/3/4,7:00,121,81,61\n";

// The folder is reached by its path while the current directory is another one.
class CsvServiceTest : public ::testing::Test
{
protected:
    std::string Path(const char* name) const { return DataFilePath(folder, name); }
    CsvImportPlan PlanOf(const std::string& rows, long long recordLimit) const
    {
        const CsvTable table = ReadCsvTable("date,time,sys,dia,pulse\n" + rows);
        return PlanFolderImport(table, MatchCsvColumns(table.header), ReadCsvFolderFiles(folder, recordLimit),
                                {});
    }
    // The limit written as the folder's owner of the settings writes it: line 1 alone.
    CsvCommitResult Commit(const CsvImportPlan& plan, bool raise,
                           std::function<void()> beforeWrite = {}) const
    {
        CsvCommitHooks hooks;
        hooks.beforeWrite = std::move(beforeWrite);
        hooks.raiseLimit = [this](std::int32_t limit) {
            CTextFile settings;
            BindDataFile(settings, Path(kSettingFileName).c_str());
            return settings.ReplaceLine(kSettingRecordLimit, std::to_string(limit)) ? 0
                                                                                    : settings.GetLastError();
        };
        CTextFile records;
        BindDataFile(records, Path(kDataFileName).c_str());
        return CommitCsvImport(folder, records, plan, raise, hooks);
    }

    const ScopedDataDir dir;
    const ScopedDataDir elsewhere; // the current directory
    const std::string folder = dir.Path().string();
};

struct CommitCase
{
    const char* name;
    const char* limit; // line 1 of setting.txt beside the two stored records
    std::string rows;  // the rows imported
    bool raise;
    CsvCommitOutcome outcome;
    long long raisedLimit;
    const char* limitAfter;
    size_t recordsAfter;
};

TEST_F(CsvServiceTest, ACommitChecksTheLimitFirstAndWritesTheRecordsOnlyWhenItMay)
{
    const CommitCase cases[] = {
        {"within the limit", "4", kTwoNewRows, false, CsvCommitOutcome::Written, 0, "4", 4},
        {"above the limit, not raised", "3", kTwoNewRows, false, CsvCommitOutcome::OverLimit, 0, "3", 2},
        {"above the limit, raised", "3", kTwoNewRows, true, CsvCommitOutcome::Written, 4, "4", 4},
        {"no limit", "0", kTwoNewRows, false, CsvCommitOutcome::Written, 0, "0", 4},
        {"only duplicates", "1", "2024/3/2,7:05:09,135,85,72\n", true, CsvCommitOutcome::NothingNew, 0, "1",
         2},
    };
    for (const CommitCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(Path(kDataFileName), kStored);
        WriteBytes(Path(kSettingFileName), c.limit + kSettingsAfterLimit);
        const CsvImportPlan plan = PlanOf(c.rows, ReadCsvRecordLimit(folder));
        int backups = 0;
        const CsvCommitResult result = Commit(plan, c.raise, [&backups] { ++backups; });
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.raisedLimit, c.raisedLimit);
        EXPECT_EQ(backups, c.outcome == CsvCommitOutcome::Written ? 1 : 0);
        EXPECT_EQ(ReadBytes(Path(kSettingFileName)), c.limitAfter + kSettingsAfterLimit); // other lines kept
        EXPECT_EQ(ReadDataFileLines(Path(kDataFileName).c_str()).size(), c.recordsAfter);
        if (c.outcome != CsvCommitOutcome::Written)
            EXPECT_EQ(ReadBytes(Path(kDataFileName)), kStored);
        else
            EXPECT_EQ(ReadDataFileLines(Path(kDataFileName).c_str()), plan.lines);
    }
}

TEST_F(CsvServiceTest, TheLimitGivenDecidesThePlanNotTheSettingsFile)
{
    WriteBytes(Path(kDataFileName), kStored);
    WriteBytes(Path(kSettingFileName), "3" + kSettingsAfterLimit);
    EXPECT_TRUE(PlanOf(kTwoNewRows, 3).exceedsLimit);
    EXPECT_FALSE(PlanOf(kTwoNewRows, 10).exceedsLimit);
    EXPECT_EQ(ReadCsvRecordLimit(folder), 3);
}

TEST_F(CsvServiceTest, AnEmptyFolderGetsItsFilesOnlyWhenRecordsAreWritten)
{
    EXPECT_EQ(ReadCsvRecordLimit(folder), kDefaultRecordLimit);
    EXPECT_EQ(Commit(PlanOf("", kDefaultRecordLimit), false).outcome, CsvCommitOutcome::NothingNew);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_EQ(Commit(PlanOf(kTwoNewRows, kDefaultRecordLimit), false).outcome, CsvCommitOutcome::Written);
    EXPECT_EQ(ReadDataFileLines(Path(kSettingFileName).c_str()), DefaultSettingLines());
    EXPECT_EQ(ReadDataFileLines(Path(kItemFileName).c_str()), DefaultItemLines());
    EXPECT_EQ(ReadDataFileLines(Path(kDataFileName).c_str()).size(), 2U);
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.Path()));
}

TEST_F(CsvServiceTest, ASettingsFileThatCannotBeWrittenLeavesTheRecordsAsTheyWere)
{
    WriteBytes(Path(kDataFileName), kStored);
    WriteBytes(Path(kItemFileName), "朝\r\n");
    std::filesystem::create_symlink("missing/setting.txt",
                                    Path(kSettingFileName)); // a folder that is not there
    const CsvCommitResult result = Commit(PlanOf(kTwoNewRows, 3), true);
    EXPECT_EQ(result.outcome, CsvCommitOutcome::Failed);
    EXPECT_EQ(result.failedFile, kSettingFileName);
    EXPECT_NE(result.error, 0);
    EXPECT_EQ(ReadBytes(Path(kDataFileName)), kStored);
}

} // namespace
