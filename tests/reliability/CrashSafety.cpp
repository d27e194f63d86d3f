// Kills a child process with SIGKILL while it edits a measurement file of 10,000 records, at a
// random moment of the edit, over and over. After every kill the file must hold exactly its old
// or exactly its new content, and the next edit must work (a leftover "~tempfile" included).
//
//   crash_safety [--trials N] [--seed S] [--dir D]
//
// 1000 trials by default, in a fresh folder under D (default: $TMPDIR or /tmp). On a folder in
// memory (/dev/shm) the edits skip the disk's flush time, so many more trials fit in a minute.
#include "record/RecordLine.h"
#include "store/TextFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char* kFile = "data.txt";
constexpr int kRecords = 10000;

std::string Record(unsigned serial)
{
    return FormatRecordLine({"2004/5/3 07:05:09", 100 + serial % 80, 60 + serial % 40, 50 + serial % 50,
                             static_cast<int>(serial % 2), static_cast<int>(serial % 5),
                             "record " + std::to_string(serial)});
}

std::string Bytes(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

enum class Op
{
    InsertLimited,
    Replace,
    Delete
};

struct Edit
{
    Op op;
    unsigned line;
    std::string text;
};

bool Apply(CTextFile& f, const Edit& e)
{
    switch (e.op) {
    case Op::InsertLimited:
        return f.InsertLineLimited(e.line, e.text, kRecords);
    case Op::Replace:
        return f.ReplaceLine(e.line, e.text);
    case Op::Delete:
        return f.DeleteLine(e.line);
    }
    return false;
}

// The lines after the edit, computed without the text file.
std::vector<std::string> Expected(std::vector<std::string> lines, const Edit& e)
{
    switch (e.op) {
    case Op::InsertLimited:
        lines.insert(lines.begin(), e.text);
        if (lines.size() > kRecords)
            lines.resize(kRecords);
        break;
    case Op::Replace:
        lines[e.line - 1] = e.text;
        break;
    case Op::Delete:
        lines.erase(lines.begin() + (e.line - 1));
        break;
    }
    return lines;
}

enum class Outcome
{
    Finished, // the child completed the edit before the kill
    Killed
};

// Forks a child that loads the file as a page does, tells the parent it is ready, runs the edit
// and exits with its result. The parent kills it `delay` after the ready signal, or without a
// delay waits for it and measures the edit in `took`.
Outcome RunChild(const Edit& e, std::optional<Clock::duration> delay, bool& childResult,
                 Clock::duration* took = nullptr)
{
    int ready[2];
    if (::pipe(ready) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ready[0]);
        CTextFile f;
        f.SetPath(kFile);
        f.Reload();
        const char byte = 1;
        if (::write(ready[1], &byte, 1) != 1)
            ::_exit(3);
        ::_exit(Apply(f, e) ? 0 : 1);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = ::read(ready[0], &byte, 1) == 1;
    const auto start = Clock::now();
    ::close(ready[0]);
    if (started && delay && *delay > Clock::duration::zero())
        std::this_thread::sleep_for(*delay);
    if (delay)
        ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (took)
        *took = Clock::now() - start;
    childResult = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return WIFSIGNALED(status) ? Outcome::Killed : Outcome::Finished;
}

struct Options
{
    int trials = 1000;
    unsigned seed = std::random_device{}();
};

Options ParseArguments(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--trials") == 0)
            o.trials = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--dir") == 0)
            ::setenv("TMPDIR", argv[i + 1], 1); // where the scoped data folder is made
        else if (std::strcmp(argv[i], "--seed") == 0)
            o.seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseArguments(argc, argv);
    std::mt19937 rng(options.seed);
    ScopedDataDir dir;

    std::vector<std::string> lines;
    unsigned serial = 0;
    for (; serial < kRecords; ++serial)
        lines.push_back(Record(serial));
    WriteBytes(kFile, Bytes(lines));

    auto nextEdit = [&](int i) {
        const unsigned count = static_cast<unsigned>(lines.size());
        const unsigned middle = count / 4 + rng() % (count / 2);
        switch (i % 3) {
        case 0:
            return Edit{Op::InsertLimited, 1, Record(serial++)};
        case 1:
            return Edit{Op::Replace, middle, Record(serial++)};
        default:
            return Edit{Op::Delete, middle, {}};
        }
    };

    // How long an edit takes here, so that the kills spread over the whole of it.
    Clock::duration editTime{};
    for (int i = 0; i < 6; ++i) {
        const Edit e = nextEdit(i);
        bool result = false;
        Clock::duration took{};
        RunChild(e, std::nullopt, result, &took);
        editTime += took;
        lines = Expected(lines, e);
        if (!result || ReadBytes(kFile) != Bytes(lines)) {
            std::fprintf(stderr, "FAILED: an edit without a kill gave wrong content\n");
            return 1;
        }
    }
    editTime /= 6;

    int oldContent = 0, newContent = 0, tempLeft = 0, finished = 0;
    // Kills fall evenly over a window that adapts so that about one edit in five ends before its
    // kill: the window then covers the whole edit, however busy the machine is.
    double window = static_cast<double>(editTime.count());
    for (int i = 0; i < options.trials; ++i) {
        const std::string before = Bytes(lines);
        const Edit e = nextEdit(i);
        const std::vector<std::string> after = Expected(lines, e);
        bool result = false;
        const auto delay = static_cast<long long>(std::uniform_real_distribution<double>(0, window)(rng));
        const Outcome outcome = RunChild(e, Clock::duration(delay), result);
        window *= outcome == Outcome::Finished ? 0.95 : 1.0125;
        const std::string now = ReadBytes(kFile);
        if (now == before && (outcome == Outcome::Killed || !result)) {
            ++oldContent;
        } else if (now == Bytes(after) && (outcome == Outcome::Killed || result)) {
            ++newContent;
            lines = after;
        } else {
            std::fprintf(stderr,
                         "FAILED: trial %d (seed %u): the file holds neither the old nor the new content\n",
                         i, options.seed);
            return 1;
        }
        finished += outcome == Outcome::Finished ? 1 : 0;
        tempLeft += std::filesystem::exists(CTextFile::kTempFileName) ? 1 : 0;

        // The next edit works, whatever the kill left behind.
        CTextFile f;
        f.SetPath(kFile);
        f.Reload();
        const Edit check{Op::Replace, 1 + static_cast<unsigned>(rng() % lines.size()), Record(serial++)};
        const bool loaded = f.GetLineCount() == lines.size();
        lines = Expected(lines, check);
        if (!loaded || !Apply(f, check) || ReadBytes(kFile) != Bytes(lines) ||
            std::filesystem::exists(CTextFile::kTempFileName)) {
            std::fprintf(stderr, "FAILED: trial %d (seed %u): the edit after the kill did not work\n", i,
                         options.seed);
            return 1;
        }
    }
    std::printf("crash safety: %d trials on %d records in %s (seed %u), edit time %.1f ms; after the kill "
                "the file held "
                "the old content %d times and the new content %d times (%d edits finished before the kill, "
                "%d kills left a ~tempfile behind); every following edit worked\n",
                options.trials, kRecords, dir.Path().parent_path().c_str(), options.seed,
                std::chrono::duration<double, std::milli>(editTime).count(), oldContent, newContent, finished,
                tempLeft);
    return 0;
}
