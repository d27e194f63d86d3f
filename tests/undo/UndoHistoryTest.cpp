#include "undo/UndoHistory.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(LineDiffTest, HunksGiveBackEitherContentByteForByte)
{
    const struct
    {
        const char* before;
        const char* after;
        size_t hunks;
    } cases[] = {
        {"r1\r\nr2\r\nr3\r\n", "n\r\nr1\r\nr2\r\n", 2},  // an addition that the limit made drop the oldest
        {"r1\r\nr2\r\nr3\r\n", "r1\r\nR2\r\nr3\r\n", 1}, // a correction
        {"r1\r\nr2\r\nr3\r\nr4\r\n", "r2\r\nr4\r\n", 2}, // rows deleted here and there
        {"", "a\r\n", 1},
        {"a\r\nb", "a\r\nb\r\n", 1}, // a last line without its line end
        {"x\r\nx\r\ny\r\n", "y\r\nx\r\nx\r\n", 2},
        {"same\r\n", "same\r\n", 0},
    };
    for (const auto& c : cases) {
        const std::vector<LineHunk> hunks = DiffLines(c.before, c.after);
        EXPECT_EQ(hunks.size(), c.hunks) << c.before;
        EXPECT_EQ(ApplyHunks(c.after, hunks, true), c.before);
        EXPECT_EQ(ApplyHunks(c.before, hunks, false), c.after);
    }
}

// One change of the file through the history, as a page makes it.
void Change(CUndoHistory& history, const char* label, const std::string& file, const std::string& bytes)
{
    const PendingUndoStep step = history.Begin(label, {file});
    std::filesystem::remove(file);
    WriteBytes(file, bytes); // a new file, as every edit replaces it
    history.Commit(step);
}

TEST(UndoHistoryTest, StepsAreUndoneAndRedoneInOrderAndANewStepClearsTheRedos)
{
    ScopedDataDir dir;
    WriteBytes("data.txt", "a\r\n");
    CUndoHistory history;
    Change(history, "登録", "data.txt", "b\r\na\r\n");
    Change(history, "削除（1 件）", "data.txt", "b\r\n");
    Change(history, "nothing", "data.txt", "b\r\n"); // no change, no step
    EXPECT_EQ(history.UndoLabel(), "削除（1 件）");

    EXPECT_TRUE(history.Undo().done);
    EXPECT_EQ(ReadBytes("data.txt"), "b\r\na\r\n");
    EXPECT_TRUE(history.Undo().done);
    EXPECT_EQ(ReadBytes("data.txt"), "a\r\n");
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.RedoLabel(), "登録");
    EXPECT_TRUE(history.Redo().done);
    EXPECT_EQ(ReadBytes("data.txt"), "b\r\na\r\n");
    EXPECT_TRUE(history.Undo().done);
    EXPECT_TRUE(history.Redo().done);
    EXPECT_TRUE(history.Redo().done);
    EXPECT_EQ(ReadBytes("data.txt"), "b\r\n");

    EXPECT_TRUE(history.Undo().done);
    Change(history, "修正", "data.txt", "c\r\na\r\n");
    EXPECT_FALSE(history.CanRedo());
}

TEST(UndoHistoryTest, AFileChangedOutsideRefusesTheStepAndNothingIsWritten)
{
    ScopedDataDir dir;
    WriteBytes("data.txt", "a\r\n");
    WriteBytes("setting.txt", "5\r\n");
    CUndoHistory history;
    const PendingUndoStep step = history.Begin("two files", {"setting.txt", "data.txt"});
    WriteBytes("setting.txt", "6\r\n");
    WriteBytes("data.txt", "b\r\n");
    history.Commit(step);
    std::filesystem::remove("data.txt");
    WriteBytes("data.txt", "outside\r\n");
    const CUndoHistory::Outcome outcome = history.Undo();
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.refusal, "data.txt");
    EXPECT_EQ(ReadBytes("setting.txt"), "6\r\n");
    EXPECT_TRUE(history.CanUndo());
}

TEST(UndoHistoryTest, TheHistoryKeepsTheNewestHundredSteps)
{
    ScopedDataDir dir;
    WriteBytes("data.txt", "");
    CUndoHistory history;
    for (int i = 0; i < 105; ++i)
        Change(history, "step", "data.txt", std::to_string(i) + "\r\n");
    int undone = 0;
    while (history.Undo().done)
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(ReadBytes("data.txt"), "4\r\n");
}

} // namespace
