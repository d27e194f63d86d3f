// The data folder: creating its files, one line per setting change, and the signals that tell
// the pages what changed.
#include "folder/DataFolder.h"
#include "store/TextFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Hand-edited lines whose bytes a change of another line must keep: a leading zero, blanks,
// trailing text and a name in code page 932.
const std::string kSettings = "0100\r\n 2\r\n30x\r\n0\r\n1\r\n\x8E\x52\x93\x63\r\n";

class DataFolderTest : public ::testing::Test
{
protected:
    ScopedDataDir dir;
};

TEST_F(DataFolderTest, OpeningCreatesTheMissingFilesWithTheirDefaultsInItsOwnFolder)
{
    fs::create_directory("sub");
    WriteBytes("sub/setting.txt", kSettings);
    CDataFolder folder("sub");
    EXPECT_TRUE(folder.Open().empty());
    EXPECT_EQ(ReadBytes("sub/setting.txt"), kSettings) << "an existing file stays as it is";
    EXPECT_EQ(ReadBytes("sub/item.txt").substr(0, 12), "[\x8E\x77\x92\xE8\x82\xC8\x82\xB5]\r\n");
    EXPECT_TRUE(fs::exists("sub/data.txt"));
    EXPECT_FALSE(fs::exists("item.txt") || fs::exists("setting.txt") || fs::exists("data.txt"));
    EXPECT_EQ(folder.FilePath("archive.txt"), "sub/archive.txt");
    EXPECT_EQ(folder.Settings(), (FolderSettings{100, 2, 30, false, true, "\x8E\x52\x93\x63"}));
    EXPECT_EQ(folder.TypeNames().size(), 5u);
}

TEST_F(DataFolderTest, AFolderThatCannotBeWrittenReadsAsTheDefaults)
{
    fs::create_directory(CTextFile::kTempFileName); // no file can be created through it
    CDataFolder folder;
    EXPECT_EQ(folder.Open().size(), 2u); // item.txt and setting.txt; data.txt starts empty, without one
    EXPECT_EQ(folder.RecordLimit(), 1000);
    EXPECT_EQ(folder.TypeNames(), DefaultItemLines());
}

TEST_F(DataFolderTest, ASettingChangeRewritesOnlyItsLineAndIsAnnounced)
{
    const struct
    {
        std::string before;
        SettingLine line;
        const char* text;
        std::string after;
    } cases[] = {
        {kSettings, kSettingRecordLimit, "3", "3\r\n 2\r\n30x\r\n0\r\n1\r\n\x8E\x52\x93\x63\r\n"},
        {kSettings, kSettingPrintTo, "040", "0100\r\n 2\r\n040\r\n0\r\n1\r\n\x8E\x52\x93\x63\r\n"},
        {kSettings, kSettingUseFuse, "0", "0100\r\n 2\r\n30x\r\n0\r\n0\r\n\x8E\x52\x93\x63\r\n"},
        {kSettings, kSettingName, "", "0100\r\n 2\r\n30x\r\n0\r\n1\r\n\r\n"},
        // A short file gets empty lines up to the setting's own.
        {"7\r\n", kSettingName, "x", "7\r\n\r\n\r\n\r\n\r\nx\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes("setting.txt", c.before);
        CDataFolder folder;
        folder.Open();
        QSignalSpy changed(&folder, &CDataFolder::SettingsChanged);
        EXPECT_EQ(folder.WriteSetting(c.line, c.text), 0);
        EXPECT_EQ(ReadBytes("setting.txt"), c.after) << c.line;
        EXPECT_EQ(changed.count(), 1);
        EXPECT_EQ(folder.Settings(), ReadFolderSettings(ReadDataFileLines("setting.txt"))) << c.line;
    }
}

TEST_F(DataFolderTest, AFailedChangeKeepsFileAndValueAndIsNotAnnounced)
{
    WriteBytes("setting.txt", kSettings);
    CDataFolder folder;
    folder.Open();
    const std::string items = ReadBytes("item.txt");
    fs::create_directory(CTextFile::kTempFileName);
    QSignalSpy settings(&folder, &CDataFolder::SettingsChanged);
    QSignalSpy types(&folder, &CDataFolder::TypesChanged);
    EXPECT_NE(folder.WriteSetting(kSettingRecordLimit, "3"), 0);
    EXPECT_NE(folder.RenameType(1, "x"), 0);
    EXPECT_EQ(ReadBytes("setting.txt") + ReadBytes("item.txt"), kSettings + items);
    EXPECT_EQ(folder.RecordLimit(), 100);
    EXPECT_EQ(folder.TypeNames(), DefaultItemLines());
    EXPECT_EQ(settings.count() + types.count(), 0);
}

TEST_F(DataFolderTest, ARenameAndAReloadAnnounceWhatChanged)
{
    CDataFolder folder;
    folder.Open();
    QSignalSpy records(&folder, &CDataFolder::RecordsChanged);
    QSignalSpy settings(&folder, &CDataFolder::SettingsChanged);
    QSignalSpy types(&folder, &CDataFolder::TypesChanged);
    ASSERT_EQ(folder.RenameType(1, "x"), 0);
    EXPECT_EQ(folder.TypeNames()[1], "x");
    EXPECT_EQ(ReadDataFileLines("item.txt")[1], "x");
    EXPECT_EQ(types.count(), 1);
    EXPECT_EQ(records.count() + settings.count(), 0);

    // Another part of the program rewrote the files, as an import or a restore does.
    WriteBytes("setting.txt", "2\r\n");
    WriteBytes("item.txt", "a\r\nb\r\n");
    WriteBytes("data.txt", "r\r\n");
    folder.Reload();
    EXPECT_EQ(records.count(), 1);
    EXPECT_EQ(settings.count(), 1);
    EXPECT_EQ(types.count(), 2);
    EXPECT_EQ(folder.RecordLimit(), 2);
    EXPECT_EQ(folder.TypeNames(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(folder.Records().GetLineCount(), 1u);
}

} // namespace
