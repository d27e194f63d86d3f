#include "store/ArchiveFile.h"

#include "store/TextFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

std::string Disk(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

TEST(ArchiveFileTest, AppendsGrowTheFileAndATornLastLineIsIgnoredAndCutByTheNextAppend)
{
    ScopedDataDir dir;
    EXPECT_TRUE(ReadArchiveLines(kArchiveFileName).empty());
    ASSERT_EQ(AppendArchiveLines(kArchiveFileName, {"a", "b"}), 0);
    ASSERT_EQ(AppendArchiveLines(kArchiveFileName, {"c"}), 0);
    EXPECT_EQ(ReadBytes(kArchiveFileName), Disk({"a", "b", "c"}));

    WriteBytes(kArchiveFileName, Disk({"a", "b"}) + "2004/5/3 07:0"); // an append cut short
    EXPECT_EQ(ReadArchiveLines(kArchiveFileName), (Lines{"a", "b"}));
    ASSERT_EQ(AppendArchiveLines(kArchiveFileName, {"d"}), 0);
    EXPECT_EQ(ReadBytes(kArchiveFileName), Disk({"a", "b", "d"}));

    EXPECT_EQ(AppendArchiveLines(kArchiveFileName, {}), 0);
    EXPECT_NE(AppendArchiveLines("missing/archive.txt", {"x"}), 0);
}

TEST(ArchiveFileTest, ALineInBothFilesCountsOnceAndTheResultIsNewestFirst)
{
    EXPECT_EQ(MergeArchivedLines({"new", "mid"}, {"old", "older-than-mid", "mid"}),
              (Lines{"new", "mid", "older-than-mid", "old"}));
    EXPECT_EQ(MergeArchivedLines({"x", "x"}, {}), (Lines{"x", "x"})); // data.txt is taken as it is
    EXPECT_EQ(MergeArchivedLines({}, {"a", "b"}), (Lines{"b", "a"}));
}

TEST(ArchiveFileTest, TheLimitMovesExactlyTheRemovedLinesToTheArchiveOldestFirst)
{
    const struct
    {
        int limit;
        Lines archived;
        Lines kept;
    } cases[] = {
        {5, {"r5"}, {"n", "r1", "r2", "r3", "r4"}},
        {3, {"r5", "r4", "r3"}, {"n", "r1", "r2"}},
        {6, {}, {"n", "r1", "r2", "r3", "r4", "r5"}},
        {0, {}, {"n", "r1", "r2", "r3", "r4", "r5"}},
    };
    for (const auto& c : cases) {
        ScopedDataDir dir;
        WriteBytes("data.txt", Disk({"r1", "r2", "r3", "r4", "r5"}));
        CTextFile data;
        data.SetPath("data.txt");
        data.Reload();
        const LimitedInsertResult result = InsertLineArchiving(data, kArchiveFileName, "n", c.limit);
        EXPECT_TRUE(result.done) << c.limit;
        EXPECT_EQ(result.archived, c.archived) << c.limit;
        EXPECT_EQ(ReadArchiveLines(kArchiveFileName), c.archived) << c.limit;
        EXPECT_EQ(ReadBytes("data.txt"), Disk(c.kept)) << c.limit;
    }
}

TEST(ArchiveFileTest, AnArchiveThatCannotBeWrittenLeavesTheDataFileAlone)
{
    ScopedDataDir dir;
    WriteBytes("data.txt", Disk({"r1", "r2"}));
    CTextFile data;
    data.SetPath("data.txt");
    data.Reload();
    WriteBytes("outside", Disk({"r0"})); // a change the cache has not seen is archived too
    std::filesystem::rename("outside", "data.txt");
    const LimitedInsertResult result = InsertLineArchiving(data, "missing/archive.txt", "n", 1);
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.failedFile, kArchiveFileName);
    EXPECT_NE(result.error, 0);
    EXPECT_EQ(result.archived, (Lines{"r0"}));
    EXPECT_EQ(ReadBytes("data.txt"), Disk({"r0"}));
}

} // namespace
