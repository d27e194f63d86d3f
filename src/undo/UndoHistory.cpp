#include "undo/UndoHistory.h"

#include "store/AtomicReplace.h"
#include "store/DataFiles.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReadAll(const std::string& name, bool& exists)
{
    std::ifstream in(name, std::ios::binary);
    exists = static_cast<bool>(in);
    return exists ? std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())
                  : std::string();
}

// Puts content in place of the file (or removes it when it is not to exist); 0 or the reason.
int WriteFile(const std::string& name, bool exists, const std::string& content)
{
    if (!exists)
        return ::unlink(name.c_str()) == 0 || errno == ENOENT ? 0 : errno;
    const ReplaceTarget target = FindReplaceTarget(name);
    if (target.path.empty())
        return target.error;
    struct stat st = {};
    const bool existed = ::stat(target.path.c_str(), &st) == 0;
    const ReplaceOutcome outcome = ReplaceFileAtomically(target.path, content, existed ? &st : nullptr);
    return outcome.result == ReplaceResult::Done ? 0 : (outcome.error != 0 ? outcome.error : EIO);
}

} // namespace

template <typename Steps>
void CUndoHistory::Restamp(Steps& steps, bool after, const std::string& name, const UndoStamp& from,
                           const UndoStamp& to)
{
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        for (FileChange& change : step->files) {
            if (change.name != name)
                continue;
            UndoStamp& expected = after ? change.stampAfter : change.stampBefore;
            if (expected == from)
                expected = to;
            return;
        }
}

UndoStamp StampOfFile(const std::string& path)
{
    struct stat st = {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return {true,
            static_cast<long long>(st.st_dev),
            static_cast<long long>(st.st_ino),
            static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
            static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec};
}

std::string CUndoHistory::PathOf(const std::string& name) const
{
    return DataFilePath(m_strFolder, name);
}

PendingUndoStep CUndoHistory::Begin(std::string label, std::vector<std::string> files) const
{
    PendingUndoStep pending{std::move(label), std::move(files), {}, {}, {}};
    for (const std::string& name : pending.files) {
        bool exists = false;
        pending.stamps.push_back(StampOfFile(PathOf(name)));
        pending.before.push_back(ReadAll(PathOf(name), exists));
        pending.existed.push_back(exists);
    }
    return pending;
}

void CUndoHistory::Commit(const PendingUndoStep& pending)
{
    Step step{pending.label, {}};
    for (size_t f = 0; f < pending.files.size(); ++f) {
        bool exists = false;
        const std::string path = PathOf(pending.files[f]);
        const std::string after = ReadAll(path, exists);
        if (exists == pending.existed[f] && after == pending.before[f]) {
            // Rewritten with the same content: the steps that expect the file as it was expect
            // it as it is now.
            const UndoStamp now = StampOfFile(path);
            Restamp(m_undo, true, pending.files[f], pending.stamps[f], now);
            Restamp(m_redo, false, pending.files[f], pending.stamps[f], now);
            continue;
        }
        step.files.push_back({pending.files[f], pending.existed[f], exists,
                              DiffLines(pending.before[f], after), pending.stamps[f], StampOfFile(path)});
    }
    if (step.files.empty())
        return;
    m_undo.push_back(std::move(step));
    if (m_undo.size() > kMaxSteps)
        m_undo.pop_front();
    m_redo.clear();
}

std::string CUndoHistory::UndoLabel() const
{
    return m_undo.empty() ? std::string() : m_undo.back().label;
}

std::string CUndoHistory::RedoLabel() const
{
    return m_redo.empty() ? std::string() : m_redo.back().label;
}

CUndoHistory::Outcome CUndoHistory::Apply(Step& step, bool toBefore) const
{
    Outcome outcome;
    for (const FileChange& change : step.files)
        if (StampOfFile(PathOf(change.name)) != (toBefore ? change.stampAfter : change.stampBefore)) {
            outcome.refusal = change.name;
            return outcome;
        }
    // The step's files in their order, data.txt last as the step listed it.
    for (FileChange& change : step.files) {
        bool exists = false;
        const std::string path = PathOf(change.name);
        const std::string now = ReadAll(path, exists);
        const std::string content = ApplyHunks(now, change.hunks, toBefore);
        if (const int error =
                WriteFile(path, toBefore ? change.existedBefore : change.existsAfter, content)) {
            outcome.failedFile = change.name;
            outcome.error = error;
            return outcome;
        }
        (toBefore ? change.stampBefore : change.stampAfter) = StampOfFile(path);
    }
    outcome.done = true;
    return outcome;
}

template <typename From, typename To>
CUndoHistory::Outcome CUndoHistory::Move(From& from, To& to, bool toBefore) const
{
    if (from.empty())
        return {};
    Step& step = from.back();
    std::vector<UndoStamp> old;
    for (const FileChange& change : step.files)
        old.push_back(toBefore ? change.stampBefore : change.stampAfter);
    Outcome outcome = Apply(step, toBefore);
    if (!outcome.done)
        return outcome;
    Step moved = std::move(step);
    from.pop_back();
    for (size_t f = 0; f < moved.files.size(); ++f)
        Restamp(from, toBefore, moved.files[f].name, old[f],
                toBefore ? moved.files[f].stampBefore : moved.files[f].stampAfter);
    to.push_back(std::move(moved));
    return outcome;
}

CUndoHistory::Outcome CUndoHistory::Undo()
{
    return Move(m_undo, m_redo, true);
}

CUndoHistory::Outcome CUndoHistory::Redo()
{
    return Move(m_redo, m_undo, false);
}
