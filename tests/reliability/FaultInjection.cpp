// Makes every file call of every kind of edit fail in turn, with ENOSPC and with EIO, and checks
// that the edit reports the failure and leaves the file as it was: same bytes, same permission
// bits, no "~tempfile" behind, no descriptor leaked, the cache still showing the old lines; and
// that the next edit then works. Short reads and writes, which are no failure, must give the
// complete new content. Prints the number of faults injected; exits 1 on the first broken rule.
#include "FaultShim.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* kFile = "data.txt";
const std::string kLong = std::string(1023, 'L') + std::string(477, 'T'); // reads as two lines

struct Scenario
{
    const char* name;
    std::optional<std::string> before; // nullopt: the file does not exist
    std::function<bool(CTextFile&)> edit;
    std::string after;
};

std::vector<Scenario> Scenarios()
{
    const std::string base = "a\r\nb\r\n" + kLong + "\r\nc\r\nd"; // the last line without its end
    return {
        {"insert with limit", base, [](CTextFile& f) { return f.InsertLineLimited(1, "x", 5); },
         "x\r\na\r\nb\r\n" + kLong + "\r\n"},
        {"replace", base, [](CTextFile& f) { return f.ReplaceLine(2, "y\n"); },
         "a\r\ny\r\n" + kLong + "\r\nc\r\nd"},
        {"delete in the middle", base, [](CTextFile& f) { return f.DeleteLine(5); },
         "a\r\nb\r\n" + kLong + "\r\nd"},
        {"append after a line without end", base, [](CTextFile& f) { return f.InsertLine(9, "z"); },
         base + "\r\nz\r\n"},
        {"create a missing file", std::nullopt, [](CTextFile& f) { return f.InsertLine(1, "new"); },
         "new\r\n"},
    };
}

int g_failures = 0;

void Check(bool ok, const std::string& what)
{
    if (ok)
        return;
    ++g_failures;
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
}

int OpenDescriptors()
{
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

std::optional<std::string> FileContent(const char* name)
{
    if (!fs::exists(name))
        return std::nullopt;
    return ReadBytes(name);
}

std::vector<std::string> CachedLines(CTextFile& f)
{
    std::vector<std::string> lines;
    for (unsigned i = 1; i <= f.GetLineCount(); ++i)
        lines.emplace_back(f.GetLine(i));
    return lines;
}

void Prepare(const std::optional<std::string>& content)
{
    fs::remove(kFile);
    fs::remove(CTextFile::kTempFileName);
    if (content) {
        WriteBytes(kFile, *content);
        fs::permissions(kFile, fs::perms(0640));
    }
}

struct Counts
{
    long errors = 0;
    long shorts = 0;
    std::set<std::string> calls; // the kinds of call made to fail
};

// Runs the scenario once per (k, fault); returns the faults injected.
void RunScenario(const Scenario& s, Counts& counts)
{
    Prepare(s.before);
    CTextFile probe(nullptr, true);
    probe.SetPath(kFile);
    probe.Reload();
    VelliqaFaultArm(0, kFaultNone);
    const bool clean = s.edit(probe);
    const long calls = VelliqaFaultCalls();
    VelliqaFaultDisarm();
    Check(clean && ReadBytes(kFile) == s.after, std::string(s.name) + ": edit without faults");

    for (long k = 1; k <= calls; ++k) {
        for (int fault : {ENOSPC, EIO, static_cast<int>(kFaultShort)}) {
            Prepare(s.before);
            CTextFile f(nullptr, true);
            f.SetPath(kFile);
            f.Reload();
            const std::vector<std::string> oldLines = CachedLines(f);
            const int fds = OpenDescriptors();
            VelliqaFaultArm(k, fault);
            const bool ok = s.edit(f);
            VelliqaFaultDisarm();
            const char* hit = VelliqaFaultHit();
            const std::string where = std::string(s.name) + ", call " + std::to_string(k) + " (" +
                                      (hit ? hit : "-") + "), " + (fault ? std::strerror(fault) : "short");
            Check(OpenDescriptors() == fds, where + ": no descriptor leaked");
            Check(!fs::exists(CTextFile::kTempFileName), where + ": no ~tempfile left");
            if (fault == kFaultShort || !hit) {
                // A short transfer is no error; and an edit may make one call fewer than counted
                // (the clock decides whether the new file's time needs setting).
                counts.shorts += hit ? 1 : 0;
                Check(ok && ReadBytes(kFile) == s.after,
                      where + ": without a failing call the edit succeeds");
                continue;
            }
            ++counts.errors;
            counts.calls.insert(hit);
            Check(!ok, where + ": the edit reports failure");
            Check(FileContent(kFile) == s.before, where + ": the file is unchanged");
            if (s.before)
                Check((fs::status(kFile).permissions() & fs::perms::all) == fs::perms(0640),
                      where + ": permission bits kept");
            Check(CachedLines(f) == oldLines, where + ": the cache shows the old lines");
            Check(s.edit(f) && ReadBytes(kFile) == s.after, where + ": the next edit works");
            Check(!fs::exists(CTextFile::kTempFileName), where + ": no ~tempfile after the next edit");
        }
    }
}

// Loading never takes part of a file for the whole of it.
void RunReload(Counts& counts)
{
    const std::string content = "a\r\nb\r\n" + kLong + "\r\n";
    Prepare(content);
    CTextFile f(nullptr, true);
    f.SetPath(kFile);
    VelliqaFaultArm(0, kFaultNone);
    f.Reload();
    const long calls = VelliqaFaultCalls();
    VelliqaFaultDisarm();
    const std::vector<std::string> full = CachedLines(f);
    for (long k = 1; k <= calls; ++k) {
        for (int fault : {ENOSPC, EIO, static_cast<int>(kFaultShort)}) {
            VelliqaFaultArm(k, fault);
            const bool ok = f.Reload();
            VelliqaFaultDisarm();
            const std::string where = "reload, call " + std::to_string(k);
            (fault == kFaultShort ? counts.shorts : counts.errors) += VelliqaFaultHit() ? 1 : 0;
            Check(ok ? CachedLines(f) == full : (!f.IsLoaded() && f.GetLineCount() == 0),
                  where + ": all lines or none");
            Check(fault != kFaultShort || ok, where + ": a short read still loads");
        }
    }
}

// Creating the data files leaves each of them missing or complete, never half written.
void RunCreation(Counts& counts)
{
    auto clear = [] {
        for (const char* name : {kItemFileName, kSettingFileName, kDataFileName})
            fs::remove(name);
    };
    clear();
    VelliqaFaultArm(0, kFaultNone);
    CreateMissingDataFiles();
    const long calls = VelliqaFaultCalls();
    VelliqaFaultDisarm();
    const std::string item = ReadBytes(kItemFileName);
    const std::string setting = ReadBytes(kSettingFileName);
    for (long k = 1; k <= calls; ++k) {
        for (int fault : {ENOSPC, EIO}) {
            clear();
            VelliqaFaultArm(k, fault);
            CreateMissingDataFiles();
            VelliqaFaultDisarm();
            counts.errors += VelliqaFaultHit() ? 1 : 0;
            const std::string where = "creating the data files, call " + std::to_string(k);
            for (auto [name, full] : {std::pair{kItemFileName, item}, std::pair{kSettingFileName, setting}}) {
                const std::optional<std::string> now = FileContent(name);
                Check(!now || *now == full, where + ": " + name + " missing or complete");
            }
            Check(!fs::exists(CTextFile::kTempFileName), where + ": no ~tempfile left");
            CreateMissingDataFiles();
            Check(ReadBytes(kItemFileName) == item && ReadBytes(kSettingFileName) == setting,
                  where + ": the next start creates what is missing");
        }
    }
}

} // namespace

int main()
{
    ScopedDataDir dir;
    Counts counts;
    for (const Scenario& s : Scenarios())
        RunScenario(s, counts);
    RunReload(counts);
    RunCreation(counts);
    std::string kinds;
    for (const std::string& call : counts.calls)
        kinds += (kinds.empty() ? "" : ", ") + call;
    std::printf("fault injection: %ld failing calls injected (ENOSPC and EIO; %s) and %ld short transfers, "
                "%d broken rules\n",
                counts.errors, kinds.c_str(), counts.shorts, g_failures);
    return g_failures == 0 ? 0 : 1;
}
