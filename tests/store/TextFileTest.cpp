#include "store/TextFile.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/TextStream.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <vector>

namespace {

const char* kFile = "lines.txt";

// The lines a fresh cached object reads from the file.
std::vector<std::string> Lines(const char* name = kFile)
{
    CTextFile f;
    f.SetPath(name);
    f.Reload();
    std::vector<std::string> lines;
    for (unsigned i = 1; i <= f.GetLineCount(); ++i)
        lines.emplace_back(f.GetLine(i));
    return lines;
}

using V = std::vector<std::string>;

class TextFileTest : public ::testing::Test
{
protected:
    // A cached object bound to a file holding the given bytes, loaded as the pages load it.
    CTextFile& Bound(const std::string& bytes)
    {
        WriteBytes(kFile, bytes);
        m_file.SetPath(kFile);
        m_file.Reload();
        return m_file;
    }
    bool TempFileLeft() const { return std::filesystem::exists(CTextFile::kTempFileName); }

    ScopedDataDir m_dir;
    CTextFile m_file;
};

TEST_F(TextFileTest, SingleLineEditsRewriteTheFileWithCrLf)
{
    CTextFile& f = Bound("a\r\nb\r\nc\r\n");
    EXPECT_TRUE(f.ReplaceLine(2, "x"));
    EXPECT_EQ(ReadBytes(kFile), "a\r\nx\r\nc\r\n");
    EXPECT_STREQ(f.GetLine(2), "x"); // the cache follows without an explicit reload
    EXPECT_TRUE(f.DeleteLine(2));
    EXPECT_EQ(Lines(), (V{"a", "c"}));
    EXPECT_TRUE(f.InsertLine(2, "x"));
    EXPECT_EQ(Lines(), (V{"a", "x", "c"}));
    EXPECT_TRUE(f.InsertLine(4, "y"));
    EXPECT_EQ(ReadBytes(kFile), "a\r\nx\r\nc\r\ny\r\n");
    EXPECT_EQ(f.GetLineCount(), 4u);
    EXPECT_FALSE(TempFileLeft());
}

TEST_F(TextFileTest, EditsBeyondTheEndAppendOrChangeNothing)
{
    CTextFile& f = Bound("a\nb\nc\n");
    EXPECT_TRUE(f.DeleteLine(7));
    EXPECT_EQ(Lines(), (V{"a", "b", "c"}));
    EXPECT_TRUE(f.ReplaceLine(9, "z"));
    EXPECT_EQ(Lines(), (V{"a", "b", "c", "z"}));
}

TEST_F(TextFileTest, LineZeroChangesNothingAndReadsNothing)
{
    CTextFile& f = Bound("a\r\nb\r\n");
    EXPECT_FALSE(f.InsertLine(0, "x"));
    EXPECT_FALSE(f.InsertLineLimited(0, "x", 3));
    EXPECT_FALSE(f.ReplaceLine(0, "x"));
    EXPECT_FALSE(f.DeleteLine(0));
    EXPECT_EQ(ReadBytes(kFile), "a\r\nb\r\n");
    EXPECT_EQ(f.GetLine(0), nullptr);
    CTextStream plain(kFile);
    EXPECT_STREQ(plain.ReadLine(2), "b");
    EXPECT_EQ(plain.ReadLine(0), nullptr);
    EXPECT_STREQ(plain.ReadLine(1), "a");
}

TEST_F(TextFileTest, InsertLineLimitedKeepsTheNewLineAndTheFirstOldOnes)
{
    struct Case
    {
        unsigned line;
        int max;
        V expected;
    };
    for (const Case& c :
         {Case{1, 3, {"x", "a", "b"}}, Case{1, 0, {"x"}}, Case{1, 1, {"x"}}, Case{1, -5, {"x"}},
          Case{5, 3, {"a", "b", "x"}}, Case{2, 10, {"a", "x", "b", "c", "d"}}}) {
        CTextFile& f = Bound("a\r\nb\r\nc\r\nd\r\n");
        EXPECT_TRUE(f.InsertLineLimited(c.line, "x", c.max));
        EXPECT_EQ(Lines(), c.expected) << "line " << c.line << " max " << c.max;
    }
}

TEST_F(TextFileTest, EditOfAMissingFileCreatesIt)
{
    CTextFile f;
    f.SetPath("new.txt");
    EXPECT_FALSE(f.Reload());
    EXPECT_TRUE(f.InsertLine(3, "x"));
    EXPECT_EQ(ReadBytes("new.txt"), "x\r\n");
    EXPECT_FALSE(f.IsLoaded()); // an empty cache stays unloaded until the next read
    EXPECT_STREQ(f.GetLine(1), "x");

    CTextFile g;
    g.SetPath("other.txt");
    EXPECT_TRUE(g.DeleteLine(1));
    EXPECT_TRUE(std::filesystem::exists("other.txt"));
    EXPECT_EQ(ReadBytes("other.txt"), "");
    EXPECT_FALSE(TempFileLeft());
}

TEST_F(TextFileTest, CreateIfMissingMakesAnEmptyFileAndLeavesAnExistingOne)
{
    CTextFile f;
    f.SetPath("new.txt");
    EXPECT_FALSE(f.Exists());
    EXPECT_TRUE(f.CreateIfMissing());
    EXPECT_TRUE(f.Exists());
    EXPECT_EQ(ReadBytes("new.txt"), "");
    Bound("a\r\n");
    EXPECT_TRUE(m_file.CreateIfMissing());
    EXPECT_EQ(ReadBytes(kFile), "a\r\n");
    f.SetPath("no-such-folder/new.txt");
    EXPECT_FALSE(f.CreateIfMissing());
    EXPECT_EQ(f.GetLastError(), ENOENT);
}

TEST_F(TextFileTest, ALineFeedInAnEditedLineEndsALineThere)
{
    CTextFile& f = Bound("a\r\nb\r\n");
    EXPECT_TRUE(f.ReplaceLine(2, "\n\nc"));
    EXPECT_EQ(ReadBytes(kFile), "a\r\n\r\n\r\nc\r\n");
    EXPECT_EQ(f.GetLineCount(), 4u);
}

TEST_F(TextFileTest, AnEditOfAFileNotYetReadKeepsItsContent)
{
    WriteBytes(kFile, "a\r\nb\r\n");
    CTextFile f;
    f.SetPath(kFile);
    EXPECT_TRUE(f.ReplaceLine(1, "x"));
    EXPECT_EQ(ReadBytes(kFile), "x\r\nb\r\n");
}

TEST_F(TextFileTest, ALongLineReadsAsPiecesAndSurvivesEditsElsewhere)
{
    const std::string longText(1023, 'L');
    const std::string tail(477, 'T');
    CTextFile& f = Bound("a\r\n" + longText + tail + "\r\nz\r\n");
    ASSERT_EQ(f.GetLineCount(), 4u);
    EXPECT_EQ(std::string(f.GetLine(2)), longText);
    EXPECT_EQ(std::string(f.GetLine(3)), tail);
    EXPECT_TRUE(f.ReplaceLine(4, "y"));
    EXPECT_TRUE(f.DeleteLine(1));
    EXPECT_EQ(ReadBytes(kFile), longText + tail + "\r\ny\r\n");

    // Pieces count 1023 bytes after CR LF is read as one line feed.
    CTextFile& g = Bound(std::string(1022, 'a') + "\r\n" + std::string(1023, 'b') + "\r\nc");
    EXPECT_EQ(g.GetLineCount(), 4u); // 1022 + LF fits one piece; 1023 leaves the line end alone
    EXPECT_STREQ(g.GetLine(3), "");
    EXPECT_STREQ(g.GetLine(4), "c");
    CTextStream plain(kFile);
    EXPECT_EQ(std::string(plain.ReadLine(2)), std::string(1023, 'b'));
    EXPECT_STREQ(plain.ReadLine(3), "");
    EXPECT_STREQ(plain.ReadLine(4), "c");
    EXPECT_EQ(plain.ReadLine(5), nullptr);
    EXPECT_STREQ(plain.ReadLine(4), "c"); // a read past the end does not spoil the line last read
}

TEST_F(TextFileTest, LineEndsReadAsTextModeReadsThem)
{
    // CR LF and a lone LF end lines; a lone CR is text; the last line may lack its end.
    CTextFile& f = Bound("a\r\nb\nc\rd\r\r\ne");
    EXPECT_EQ(Lines(), (V{"a", "b", "c\rd\r", "e"}));
    CTextStream plain(kFile);
    EXPECT_STREQ(plain.ReadNext(), nullptr); // nothing open yet
    EXPECT_STREQ(plain.ReadLine(1), "a");
    EXPECT_STREQ(plain.ReadNext(), "b\n");
    EXPECT_STREQ(plain.ReadNext(), "c\rd\r\n");
    EXPECT_STREQ(plain.ReadLine(2), "b"); // after reading on, ReadLine still finds line 2
    EXPECT_STREQ(plain.ReadLine(4), "e");

    EXPECT_TRUE(f.ReplaceLine(1, "x"));
    EXPECT_EQ(ReadBytes(kFile), "x\r\nb\r\nc\rd\r\r\ne");
}

TEST_F(TextFileTest, AppendingAfterALastLineWithoutLineEndEndsItFirst)
{
    CTextFile& f = Bound("a\r\nb");
    EXPECT_TRUE(f.InsertLine(3, "c"));
    EXPECT_EQ(ReadBytes(kFile), "a\r\nb\r\nc\r\n");
    Bound("a\r\nb");
    EXPECT_TRUE(f.InsertLineLimited(9, "c", 5));
    EXPECT_EQ(Lines(), (V{"a", "b", "c"}));
}

TEST_F(TextFileTest, EmptyFileIsNeverLoaded)
{
    CTextFile& f = Bound("");
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(f.GetLineCount(), 0u);
    EXPECT_EQ(f.GetLine(1), nullptr);
    EXPECT_TRUE(f.Exists());
    EXPECT_TRUE(f.InsertLine(1, "a"));
    EXPECT_STREQ(f.GetLine(1), "a");
}

TEST_F(TextFileTest, OtherObjectsSeeAnEditAtTheirNextReload)
{
    CTextFile& writer = Bound("a\r\nb\r\n");
    CTextFile reader;
    reader.SetPath(kFile);
    reader.Reload();
    CTextStream plain(kFile);
    EXPECT_STREQ(plain.ReadLine(2), "b"); // holds a stream open on the old file
    const FileStamp before = reader.GetFileStamp();

    EXPECT_TRUE(writer.ReplaceLine(1, "x"));
    EXPECT_STREQ(reader.GetLine(1), "a"); // a cache changes only when reloaded
    EXPECT_NE(reader.GetFileStamp(), before);
    EXPECT_NE(plain.GetModifiedTime(), -1);
    EXPECT_TRUE(reader.Reload());
    EXPECT_STREQ(reader.GetLine(1), "x");
    EXPECT_STREQ(plain.ReadLine(1), "x"); // going back to line 1 rereads the file by its path
}

TEST_F(TextFileTest, EveryEditChangesTheFileStamp)
{
    CTextFile& f = Bound("a\r\n");
    FileStamp last = f.GetFileStamp();
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(f.ReplaceLine(1, "b")); // same size, within the clock's resolution
        const FileStamp now = f.GetFileStamp();
        EXPECT_NE(now, last);
        last = now;
    }
}

TEST_F(TextFileTest, EditsKeepPermissionBitsAndSymbolicLinks)
{
    WriteBytes("real.txt", "a\r\n");
    ::chmod("real.txt", 0640);
    std::filesystem::create_symlink("real.txt", kFile);
    CTextFile& f = Bound(ReadBytes(kFile));
    EXPECT_TRUE(f.InsertLine(1, "x"));
    EXPECT_TRUE(std::filesystem::is_symlink(kFile));
    EXPECT_EQ(ReadBytes("real.txt"), "x\r\na\r\n");
    struct stat st
    {
    };
    ASSERT_EQ(::stat("real.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(TextFileTest, AReadOnlyFileIsNotRewritten)
{
    CTextFile& f = Bound("a\r\n");
    ::chmod(kFile, 0444);
    EXPECT_FALSE(f.ReplaceLine(1, "x"));
    EXPECT_EQ(f.GetLastError(), EACCES);
    EXPECT_EQ(ReadBytes(kFile), "a\r\n");
    EXPECT_STREQ(f.GetLine(1), "a");
    EXPECT_FALSE(TempFileLeft());
}

TEST_F(TextFileTest, ALeftoverTempFileIsNeverTakenForData)
{
    WriteBytes(CTextFile::kTempFileName, "half-written\r\n");
    CTextFile& f = Bound("a\r\n");
    EXPECT_TRUE(f.InsertLine(2, "b"));
    EXPECT_EQ(ReadBytes(kFile), "a\r\nb\r\n");
    EXPECT_FALSE(TempFileLeft());
}

TEST_F(TextFileTest, AFailedEditLeavesFileAndCacheAsTheyWere)
{
    CTextFile& f = Bound("a\r\nb\r\n");
    std::filesystem::create_directory(CTextFile::kTempFileName); // the temporary file cannot be made
    EXPECT_FALSE(f.InsertLineLimited(1, "x", 10));
    EXPECT_FALSE(f.DeleteLine(1));
    EXPECT_EQ(f.GetLastError(), EEXIST); // the system's reason, for the message the user sees
    EXPECT_EQ(ReadBytes(kFile), "a\r\nb\r\n");
    EXPECT_EQ(f.GetLineCount(), 2u);
    EXPECT_STREQ(f.GetLine(1), "a");
}

TEST_F(TextFileTest, OnlyARegularFileIsReadOrReplaced)
{
    ASSERT_EQ(::mkfifo("pipe.txt", 0600), 0);
    std::filesystem::create_directory("folder.txt");
    for (const char* name : {"pipe.txt", "folder.txt"}) {
        CTextFile f;
        f.SetPath(name);
        EXPECT_FALSE(f.Reload()) << name; // returns at once instead of waiting for a writer
        EXPECT_FALSE(f.InsertLine(1, "x")) << name;
    }
    EXPECT_TRUE(std::filesystem::is_directory("folder.txt"));
}

TEST_F(TextFileTest, TheBoundPathStaysWhenTheCurrentDirectoryChanges)
{
    CTextFile& f = Bound("a\r\n");
    const auto home = std::filesystem::current_path();
    std::filesystem::create_directory("sub");
    std::filesystem::current_path("sub");
    EXPECT_TRUE(f.InsertLine(2, "b"));
    EXPECT_FALSE(std::filesystem::exists(CTextFile::kTempFileName));
    std::filesystem::current_path(home);
    EXPECT_EQ(Lines(), (V{"a", "b"}));
}

// A data file kept as a link into another file system (/dev/shm is memory): every kind of edit of
// each of the three files is made beside the link's target and renamed there, the link stays a
// link, and a temporary file left there by an interrupted edit is cleaned up.
TEST_F(TextFileTest, ALinkIntoAnotherFileSystemIsEditedBesideItsTarget)
{
    std::string tmpl = "/dev/shm/velliqa-link-XXXXXX";
    if (!std::filesystem::is_directory("/dev/shm") || !::mkdtemp(tmpl.data()))
        GTEST_SKIP() << "no /dev/shm";
    const std::filesystem::path elsewhere = tmpl;
    struct Case
    {
        std::function<bool(CTextFile&)> edit;
        const char* after; // nullptr: the target did not exist before
    };
    const Case cases[] = {
        {[](CTextFile& f) { return f.InsertLine(2, "x"); }, "a\r\nx\r\nb\r\n"},
        {[](CTextFile& f) { return f.InsertLineLimited(1, "x", 2); }, "x\r\na\r\n"},
        {[](CTextFile& f) { return f.ReplaceLine(2, "x"); }, "a\r\nx\r\n"},
        {[](CTextFile& f) { return f.DeleteLine(1); }, "b\r\n"},
        {[](CTextFile& f) { return f.InsertLine(1, "x"); }, nullptr},
    };
    for (const char* name : {"data.txt", "item.txt", "setting.txt"}) {
        for (const Case& c : cases) {
            const std::filesystem::path target = elsewhere / name;
            std::filesystem::remove(target);
            std::filesystem::remove(name);
            std::filesystem::create_symlink(target, name);
            if (c.after)
                WriteBytes(target, "a\r\nb\r\n");
            WriteBytes(elsewhere / CTextFile::kTempFileName, "left by a crash\r\n");
            CTextFile f;
            f.SetPath(name);
            f.Reload();
            const std::string where = std::string(name) + " -> " + (c.after ? c.after : "created");
            EXPECT_TRUE(c.edit(f)) << where << ": " << f.GetLastError();
            EXPECT_TRUE(std::filesystem::is_symlink(name)) << where;
            EXPECT_EQ(ReadBytes(target), c.after ? c.after : "x\r\n") << where;
            EXPECT_FALSE(std::filesystem::exists(elsewhere / CTextFile::kTempFileName)) << where;
            EXPECT_FALSE(TempFileLeft()) << where;
        }
    }
    std::filesystem::remove_all(elsewhere);
}

} // namespace

namespace {

TEST_F(TextFileTest, DeleteLinesRemovesAllGivenLinesInOneRewrite)
{
    struct Case
    {
        std::vector<unsigned> numbers;
        bool ok;
        V expected;
    };
    for (const Case& c : {
             Case{{2, 4}, true, {"a", "c", "e"}},
             Case{{5, 1, 5, 9}, true, {"b", "c", "d"}}, // any order; repeats and lines beyond the end
             Case{{1, 2, 3, 4, 5}, true, {}}, Case{{}, true, {"a", "b", "c", "d", "e"}},
             Case{{3, 0}, false, {"a", "b", "c", "d", "e"}}, // line 0 makes the whole call fail
         }) {
        CTextFile& f = Bound("a\r\nb\r\nc\r\nd\r\ne");
        const FileStamp before = f.GetFileStamp();
        EXPECT_EQ(f.DeleteLines(c.numbers), c.ok);
        EXPECT_EQ(Lines(), c.expected);
        std::vector<std::string> cached;
        for (unsigned i = 1; i <= f.GetLineCount(); ++i)
            cached.emplace_back(f.GetLine(i));
        EXPECT_EQ(cached, c.expected);
        EXPECT_EQ(f.GetFileStamp() == before, c.numbers.empty() || !c.ok);
    }
    EXPECT_EQ(ReadBytes(kFile), "a\r\nb\r\nc\r\nd\r\ne");
}

TEST_F(TextFileTest, ReplaceAllLinesWritesTheWholeContentOrNothing)
{
    CTextFile& f = Bound("old\nlines\n");
    EXPECT_TRUE(f.ReplaceAllLines({"x", "", "y\r"}));
    EXPECT_EQ(ReadBytes(kFile), "x\r\n\r\ny\r\r\n");
    EXPECT_EQ(f.GetLineCount(), 3u);
    EXPECT_STREQ(f.GetLine(3), "y\r");
    EXPECT_FALSE(f.ReplaceAllLines({"ok", "two\nlines"}));
    EXPECT_EQ(ReadBytes(kFile), "x\r\n\r\ny\r\r\n");
    EXPECT_TRUE(f.ReplaceAllLines({}));
    EXPECT_EQ(ReadBytes(kFile), "");
    EXPECT_EQ(f.GetLineCount(), 0u);
}

TEST_F(TextFileTest, AnEditAfterAnotherWritersChangeKeepsThatChange)
{
    // Same size and within one tick of the clock: the cache must still count as out of date.
    CTextFile& f = Bound("a\r\nb\r\n");
    CTextFile other;
    other.SetPath(kFile);
    other.Reload();
    EXPECT_TRUE(other.ReplaceLine(2, "c"));
    EXPECT_TRUE(f.InsertLine(1, "x"));
    EXPECT_EQ(Lines(), (V{"x", "a", "c"}));
    WriteBytes(kFile, "a\r\nd\r\nc\r\n"); // by hand, same size again
    EXPECT_TRUE(f.DeleteLine(1));
    EXPECT_EQ(Lines(), (V{"d", "c"}));
}

TEST_F(TextFileTest, TheCacheAfterEditsEqualsAFreshRead)
{
    // Edits splice the cached lines; what they leave must be what reading the file gives, for
    // files of every kind of line end and length.
    const std::string longLine(1500, 'L');
    for (const std::string& bytes : {std::string("a\r\nb\r\nc"), std::string("a\nb\r\nc\r\n"),
                                     "a\r\n" + longLine + "\r\nc\r\n", std::string(1023, 'z')}) {
        CTextFile& f = Bound(bytes);
        EXPECT_TRUE(f.InsertLineLimited(1, "new", 4));
        EXPECT_TRUE(f.ReplaceLine(3, "r"));
        EXPECT_TRUE(f.InsertLine(9, "end"));
        EXPECT_TRUE(f.DeleteLines({2}));
        std::vector<std::string> cached;
        for (unsigned i = 1; i <= f.GetLineCount(); ++i)
            cached.emplace_back(f.GetLine(i));
        EXPECT_EQ(cached, Lines()) << bytes.substr(0, 20);
    }
}

} // namespace
