// Kills a child process with SIGKILL while it adds a reading to a full measurement file, at a
// random moment of the addition, over and over; each addition makes the record limit remove
// one to three of the oldest readings. After every kill each reading ever stored must stand in
// data.txt, in the whole lines of archive.txt, or in both, and the next addition must work.
//
//   archive_crash_safety [--trials N] [--seed S] [--dir D]
#include "record/RecordLine.h"
#include "store/ArchiveFile.h"
#include "store/TextFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <unordered_set>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRecords = 2000;

std::string Record(unsigned serial)
{
    return FormatRecordLine({"2004/5/3 07:05:09", 100 + serial % 80, 60 + serial % 40, 50 + serial % 50, 0,
                             static_cast<int>(serial % 5), "reading " + std::to_string(serial)});
}

// Runs the addition in a child killed `delay` after it has loaded the file (never without one);
// true when the child finished the addition successfully.
bool RunChild(const std::string& line, int limit, std::optional<Clock::duration> delay, bool& killed)
{
    int ready[2];
    if (::pipe(ready) != 0)
        std::exit(2);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ready[0]);
        CTextFile data;
        data.SetPath("data.txt");
        data.Reload();
        const char byte = 1;
        if (::write(ready[1], &byte, 1) != 1)
            ::_exit(3);
        ::_exit(InsertLineArchiving(data, kArchiveFileName, line, limit).done ? 0 : 1);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    if (started && delay) {
        std::this_thread::sleep_for(*delay);
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    killed = WIFSIGNALED(status);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::unordered_set<std::string> StoredReadings()
{
    CTextFile data;
    data.SetPath("data.txt");
    data.Reload();
    std::unordered_set<std::string> readings;
    for (unsigned n = 1; n <= data.GetLineCount(); ++n)
        readings.insert(data.GetLine(n));
    for (std::string& line : ReadArchiveLines(kArchiveFileName))
        readings.insert(std::move(line));
    return readings;
}

} // namespace

int main(int argc, char** argv)
{
    int trials = 500;
    unsigned seed = std::random_device{}();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--trials") == 0)
            trials = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seed") == 0)
            seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--dir") == 0)
            ::setenv("TMPDIR", argv[i + 1], 1);
    }
    std::mt19937 rng(seed);
    ScopedDataDir dir;
    std::string bytes;
    std::vector<std::string> taken; // every reading the file has held
    unsigned serial = 0;
    for (; serial < kRecords; ++serial) {
        taken.push_back(Record(serial));
        bytes += taken.back() + "\r\n";
    }
    WriteBytes("data.txt", bytes);

    int limit = kRecords;
    int killed = 0, finished = 0;
    double windowUs = 2000; // adapts so that about one addition in five ends before its kill
    for (int i = 0; i < trials; ++i) {
        limit -= static_cast<int>(rng() % 3); // the limit sometimes removes more than one reading
        const std::string line = Record(serial++);
        const auto delay = std::chrono::microseconds(
            static_cast<long long>(std::uniform_real_distribution<double>(0, windowUs)(rng)));
        bool wasKilled = false;
        RunChild(line, limit, delay, wasKilled);
        windowUs *= wasKilled ? 1.0125 : 0.95;
        (wasKilled ? killed : finished)++;
        std::unordered_set<std::string> stored = StoredReadings();
        for (const std::string& reading : taken)
            if (!stored.contains(reading)) {
                std::fprintf(stderr, "FAILED: trial %d (seed %u): a reading is in neither file: %s\n", i,
                             seed, reading.c_str());
                return 1;
            }
        if (stored.contains(line))
            taken.push_back(line);
        // The next addition works, whatever the kill left behind.
        const std::string next = Record(serial++);
        bool unused = false;
        if (!RunChild(next, limit, std::nullopt, unused) || !StoredReadings().contains(next)) {
            std::fprintf(stderr, "FAILED: trial %d (seed %u): the addition after the kill failed\n", i, seed);
            return 1;
        }
        taken.push_back(next);
    }
    std::printf(
        "archive crash safety: %d trials (seed %u), %d kills during an addition, %d additions finished "
        "first; %zu readings, each in data.txt or archive.txt; every following addition worked\n",
        trials, seed, killed, finished, taken.size());
    return 0;
}
