// Makes every file call of every kind of edit fail in turn, with ENOSPC and with EIO, and checks
// that the edit reports the failure and leaves the file as it was: same bytes, same permission
// bits, no "~tempfile" behind, no descriptor leaked, the cache still showing the old lines; and
// that the next edit then works. Short reads and writes, which are no failure, must give the
// complete new content. All of it again for a data file that is a link into another file system.
// A folder that cannot be synced (EINVAL, ENOTSUP) does not fail an edit; EIO still does. Prints
// the number of faults injected; exits 1 on the first broken rule.
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
#include <stdlib.h>
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
        {"replace", base, [](CTextFile& f) { return f.ReplaceLine(2, "y"); },
         "a\r\ny\r\n" + kLong + "\r\nc\r\nd"},
        {"delete in the middle", base, [](CTextFile& f) { return f.DeleteLine(5); },
         "a\r\nb\r\n" + kLong + "\r\nd"},
        {"append after a line without end", base, [](CTextFile& f) { return f.InsertLine(9, "z"); },
         base + "\r\nz\r\n"},
        {"create a missing file", std::nullopt, [](CTextFile& f) { return f.InsertLine(1, "new"); },
         "new\r\n"},
    };
}

// Where an edit of kFile lands: kFile itself, or the target of kFile as a link into another
// folder, and the temporary file beside it.
struct Place
{
    std::string target;
    std::string temp;
    bool linked = false;
};

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

void Prepare(const Place& place, const std::optional<std::string>& content)
{
    fs::remove(place.target);
    fs::remove(place.temp);
    fs::remove(CTextFile::kTempFileName);
    if (content) {
        WriteBytes(place.target, *content);
        fs::permissions(place.target, fs::perms(0640));
    }
}

// No temporary file beside the target, nor in the current folder; a link still a link.
void CheckLeftovers(const Place& place, const std::string& where)
{
    Check(!fs::exists(place.temp) && !fs::exists(CTextFile::kTempFileName), where + ": no ~tempfile left");
    Check(!place.linked || fs::is_symlink(kFile), where + ": the link stays a link");
}

struct Counts
{
    long errors = 0;
    long shorts = 0;
    std::set<std::string> calls; // the kinds of call made to fail
    long folders = 0;            // edits run with every folder fsync failing
};

// Runs the scenario once per (k, fault); returns the faults injected.
void RunScenario(const Scenario& s, const Place& place, Counts& counts)
{
    Prepare(place, s.before);
    CTextFile probe;
    probe.SetPath(kFile);
    probe.Reload();
    VelliqaFaultArm(0, kFaultNone);
    const bool clean = s.edit(probe);
    const long calls = VelliqaFaultCalls();
    VelliqaFaultDisarm();
    Check(clean && ReadBytes(kFile) == s.after, std::string(s.name) + ": edit without faults");

    for (long k = 1; k <= calls; ++k) {
        for (int fault : {ENOSPC, EIO, static_cast<int>(kFaultShort)}) {
            Prepare(place, s.before);
            CTextFile f;
            f.SetPath(kFile);
            f.Reload();
            const std::vector<std::string> oldLines = CachedLines(f);
            const int fds = OpenDescriptors();
            VelliqaFaultArm(k, fault);
            const bool ok = s.edit(f);
            VelliqaFaultDisarm();
            const char* hit = VelliqaFaultHit();
            const std::string where = std::string(s.name) + (place.linked ? " through a link" : "") +
                                      ", call " + std::to_string(k) + " (" + (hit ? hit : "-") + "), " +
                                      (fault ? std::strerror(fault) : "short");
            Check(OpenDescriptors() == fds, where + ": no descriptor leaked");
            CheckLeftovers(place, where);
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
            Check(f.GetLastError() == fault, where + ": the system's reason is kept");
            Check(FileContent(kFile) == s.before, where + ": the file is unchanged");
            if (s.before)
                Check((fs::status(kFile).permissions() & fs::perms::all) == fs::perms(0640),
                      where + ": permission bits kept");
            Check(CachedLines(f) == oldLines, where + ": the cache shows the old lines");
            Check(s.edit(f) && ReadBytes(kFile) == s.after, where + ": the next edit works");
            CheckLeftovers(place, where + ", after the next edit");
        }
    }
}

// Loading never takes part of a file for the whole of it.
void RunReload(Counts& counts)
{
    const std::string content = "a\r\nb\r\n" + kLong + "\r\n";
    Prepare(Place{kFile, CTextFile::kTempFileName}, content);
    CTextFile f;
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

// A folder whose fsync is refused as unsupported (EINVAL, ENOTSUP) counts as synced: every edit
// succeeds and a first start creates the files. An I/O error (EIO) still fails and rolls back.
void RunUnsyncableFolder(const Place& place, Counts& counts)
{
    for (int fault : {EINVAL, ENOTSUP, EIO}) {
        const bool refused = fault != EIO;
        for (const Scenario& s : Scenarios()) {
            Prepare(place, s.before);
            CTextFile f;
            f.SetPath(kFile);
            f.Reload();
            VelliqaFaultArmEvery("fsync on a folder", fault);
            const bool ok = s.edit(f);
            VelliqaFaultDisarm();
            counts.folders += VelliqaFaultHit() ? 1 : 0;
            const std::string where = std::string(s.name) + (place.linked ? " through a link" : "") +
                                      ", folder fsync " + std::strerror(fault);
            Check(VelliqaFaultHit() != nullptr, where + ": the folder was synced");
            Check(ok == refused, where + (refused ? ": the edit succeeds" : ": the edit fails"));
            Check(FileContent(kFile) == (refused ? std::optional(s.after) : s.before),
                  where + ": the content");
            Check(ok || f.GetLastError() == fault, where + ": the system's reason is kept");
            CheckLeftovers(place, where);
        }
    }
    if (place.linked)
        return;
    for (const char* name : {kItemFileName, kSettingFileName, kDataFileName})
        fs::remove(name);
    VelliqaFaultArmEvery("fsync on a folder", EINVAL);
    CreateMissingDataFiles();
    VelliqaFaultDisarm();
    Check(ReadBytes(kItemFileName).size() > 0 && ReadBytes(kSettingFileName).size() > 0,
          "a first start in a folder that cannot be synced creates item.txt and setting.txt");
}

} // namespace

int main()
{
    ScopedDataDir dir;
    Counts counts;
    const Place here{(fs::current_path() / kFile).string(),
                     (fs::current_path() / CTextFile::kTempFileName).string()};
    for (const Scenario& s : Scenarios())
        RunScenario(s, here, counts);
    RunReload(counts);
    RunCreation(counts);
    RunUnsyncableFolder(here, counts);

    // The data file as a link into another file system (memory), when there is one.
    std::string elsewhere = fs::is_directory("/dev/shm") ? "/dev/shm/velliqa-fault-XXXXXX" : "";
    if (elsewhere.empty() || !::mkdtemp(elsewhere.data())) {
        elsewhere = fs::absolute("elsewhere").string();
        fs::create_directory(elsewhere);
    }
    const Place linked{elsewhere + "/" + kFile, elsewhere + "/" + CTextFile::kTempFileName, true};
    fs::remove(kFile);
    fs::create_symlink(linked.target, kFile);
    for (const Scenario& s : Scenarios())
        RunScenario(s, linked, counts);
    RunUnsyncableFolder(linked, counts);
    fs::remove_all(elsewhere);

    std::string kinds;
    for (const std::string& call : counts.calls)
        kinds += (kinds.empty() ? "" : ", ") + call;
    std::printf("fault injection: %ld failing calls injected (ENOSPC and EIO; %s) and %ld short transfers, "
                "in the folder and through a link into %s; %ld edits with every folder fsync failing "
                "(EINVAL, ENOTSUP, EIO); %d broken rules\n",
                counts.errors, kinds.c_str(), counts.shorts, elsewhere.c_str(), counts.folders, g_failures);
    return g_failures == 0 ? 0 : 1;
}
