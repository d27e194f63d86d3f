#include "store/DataFiles.h"

#include "platform/Cp932.h"
#include "store/TextFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// The file's expected bytes: each UTF-8 line in code page 932, ended by CR LF.
std::string Cp932Lines(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* line : lines)
        out += Cp932FromUtf8(line) + "\r\n";
    return out;
}

TEST(DataFilesTest, AFirstStartCreatesTheThreeFilesWithTheirDefaults)
{
    ScopedDataDir dir;
    CreateMissingDataFiles();
    EXPECT_EQ(ReadBytes("item.txt"), Cp932Lines({"[指定なし]", "朝", "昼", "晩", "その他"}));
    EXPECT_EQ(ReadBytes("setting.txt"), Cp932Lines({"1000", "1", "30", "0", "0", "未設定"}));
    EXPECT_TRUE(std::filesystem::exists("data.txt"));
    EXPECT_EQ(ReadBytes("data.txt"), "");
    EXPECT_FALSE(std::filesystem::exists(CTextFile::kTempFileName));

    CTextFile settings;
    settings.SetPath(kSettingFileName);
    settings.Reload();
    EXPECT_EQ(settings.GetLineCount(), 6u);
    EXPECT_EQ(Utf8FromCp932(settings.GetLine(kSettingName)), "未設定");
}

TEST(DataFilesTest, ExistingFilesAreLeftExactlyAsTheyAre)
{
    ScopedDataDir dir;
    WriteBytes("item.txt", "");                              // empty: not completed
    WriteBytes("setting.txt", "500\n");                      // short, bare line feed: kept
    WriteBytes("data.txt", "2004/5/3 07:05:09,1,2,3,0,0,x"); // no line end: kept
    const auto before = std::filesystem::last_write_time("setting.txt");
    CreateMissingDataFiles();
    EXPECT_EQ(ReadBytes("item.txt"), "");
    EXPECT_EQ(ReadBytes("setting.txt"), "500\n");
    EXPECT_EQ(ReadBytes("data.txt"), "2004/5/3 07:05:09,1,2,3,0,0,x");
    EXPECT_EQ(std::filesystem::last_write_time("setting.txt"), before);
}

TEST(DataFilesTest, OnlyTheMissingFileIsCreated)
{
    ScopedDataDir dir;
    WriteBytes("item.txt", "A\r\n");
    CreateMissingDataFiles();
    EXPECT_EQ(ReadBytes("item.txt"), "A\r\n");
    EXPECT_EQ(ReadBytes("setting.txt"), Cp932Lines({"1000", "1", "30", "0", "0", "未設定"}));
}

TEST(DataFilesTest, ReadersTakeEveryLineInFileOrder)
{
    ScopedDataDir dir;
    EXPECT_TRUE(ReadTypeNames(".").empty()); // a missing file has no lines
    CreateMissingDataFiles();
    EXPECT_EQ(ReadTypeNames("."), DefaultItemLines());
    EXPECT_EQ(ReadDataFileLines(kSettingFileName), DefaultSettingLines());
    WriteBytes("data.txt", "a,1\r\n\r\nc,3"); // an empty line counts; the last needs no line end
    CTextFile data;
    EXPECT_TRUE(BindDataFile(data, kDataFileName));
    EXPECT_EQ(FileLines(data), (std::vector<std::string>{"a,1", "", "c,3"}));
}

} // namespace
