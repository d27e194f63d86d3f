#pragma once
// 元に戻す and やり直し: the steps of the current run, in memory. A step holds, for each file it
// changed, what changed (line hunks) and the file's stamp after the change. Undoing writes the
// older content of each file, redoing the newer, each file replaced atomically and durably
// (store/AtomicReplace), data.txt last. A file whose stamp differs from the one the step left
// has been changed outside Velliqa: the step is refused and nothing is written.

#include "undo/LineDiff.h"

#include <deque>
#include <string>
#include <vector>

// Identity and state of a file on disk: the same stamp means the file was not replaced or
// written since.
struct UndoStamp
{
    bool exists = false;
    long long device = 0, inode = 0, size = 0, mtimeNs = 0, ctimeNs = 0;
    friend bool operator==(const UndoStamp&, const UndoStamp&) = default;
};

// A step being made: the files' contents before the change.
struct PendingUndoStep
{
    std::string label; // what the step did, UTF-8: "削除（3 件）"
    std::vector<std::string> files;
    std::vector<std::string> before;
    std::vector<bool> existed;
    std::vector<UndoStamp> stamps;
};

class CUndoHistory
{
public:
    static constexpr size_t kMaxSteps = 100;

    // The history of the data folder at folder ("." is the current directory).
    explicit CUndoHistory(std::string folder = ".") : m_strFolder(std::move(folder)) {}

    // Before a change to the files (names in the data folder, data.txt last): their contents now.
    PendingUndoStep Begin(std::string label, std::vector<std::string> files) const;
    // After the change was written: the step goes on the undo list (the oldest beyond kMaxSteps
    // is forgotten) and the redo list is cleared. A change that left every file as it was is
    // no step.
    void Commit(const PendingUndoStep& pending);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // The label of the step an undo or a redo would take; empty when none.
    std::string UndoLabel() const;
    std::string RedoLabel() const;

    struct Outcome
    {
        bool done = false;
        std::string refusal; // UTF-8, when a file changed outside Velliqa
        std::string failedFile;
        int error = 0; // the system's reason when a write failed
    };
    Outcome Undo();
    Outcome Redo();

private:
    struct FileChange
    {
        std::string name;
        bool existedBefore = true;
        bool existsAfter = true;
        std::vector<LineHunk> hunks;
        UndoStamp stampBefore; // the file as the step found it, or as the last undo left it
        UndoStamp stampAfter;  // the file as the step left it, or as the last redo left it
    };
    struct Step
    {
        std::string label;
        std::vector<FileChange> files;
    };
    Outcome Apply(Step& step, bool toBefore) const;
    // Undoes (toBefore) or redoes the newest step of `from` and moves it to `to`.
    template <typename From, typename To> Outcome Move(From& from, To& to, bool toBefore) const;
    // The path of a file of the folder, by its name.
    std::string PathOf(const std::string& name) const;
    // After a file went from stamp `from` to `to` by an undo or redo: the neighbouring step that
    // expects the file at `from` expects it at `to` now (the same content, written anew).
    template <typename Steps>
    static void Restamp(Steps& steps, bool after, const std::string& name, const UndoStamp& from,
                        const UndoStamp& to);

    std::string m_strFolder;
    std::deque<Step> m_undo; // the newest last
    std::vector<Step> m_redo;
};

// The stamp of the file at path now.
UndoStamp StampOfFile(const std::string& path);
