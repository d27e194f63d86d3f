#include "backup/Backups.h"

#include "platform/Cp932.h"
#include "platform/LocalTime.h"
#include "record/RecordLine.h"
#include "store/AtomicReplace.h"
#include "store/DataFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr size_t kKeepNewest = 20;
constexpr long kKeepDays = 30;
constexpr size_t kBaseNameLength = 15; // YYYYMMDD-HHMMSS

// The files a backup copies, data.txt last: a restore writes them in this order.
const std::vector<const char*>& CopiedFiles()
{
    static const std::vector<const char*> files{kItemFileName, kSettingFileName, kEvaluationFileName,
                                                kDataFileName};
    return files;
}

std::optional<std::string> ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int WriteFileDurably(const fs::path& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// The day and time of a backup's name, and its number on a clash (1 for none).
struct ParsedName
{
    std::string base;
    int serial = 1;
    long day = 0; // days since 1970-01-01 of the local calendar date
};

long DayNumber(int y, int m, int d)
{
    // Days of the proleptic Gregorian calendar (a date count, no time zone involved).
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::optional<ParsedName> ParseName(const std::string& name)
{
    if (name.size() < kBaseNameLength || name[8] != '-')
        return std::nullopt;
    for (size_t i = 0; i < kBaseNameLength; ++i)
        if (i != 8 && (name[i] < '0' || name[i] > '9'))
            return std::nullopt;
    ParsedName parsed{name.substr(0, kBaseNameLength), 1, 0};
    if (name.size() > kBaseNameLength) {
        const std::string rest = name.substr(kBaseNameLength);
        if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-' ||
            !std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        parsed.serial = std::stoi(rest.substr(1));
        if (parsed.serial < 2)
            return std::nullopt;
    }
    parsed.day =
        DayNumber(std::stoi(name.substr(0, 4)), std::stoi(name.substr(4, 2)), std::stoi(name.substr(6, 2)));
    return parsed;
}

bool NewerFirst(const std::string& a, const std::string& b)
{
    const ParsedName pa = *ParseName(a), pb = *ParseName(b);
    return pa.base != pb.base ? pa.base > pb.base : pa.serial > pb.serial;
}

std::string BaseName(const LocalStamp& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year % 10000, t.month % 100, t.day % 100,
                  t.hour % 100, t.minute % 100, t.second % 100);
    return text;
}

std::vector<std::string> WholeBackupNames()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(kBackupFolderName, ec)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory(ec) && ParseName(name) && fs::exists(entry.path() / kReasonFileName, ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NewerFirst(b, a); });
    return names;
}

std::string FirstLine(const std::string& bytes)
{
    std::string line = bytes.substr(0, bytes.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

BackupInfo ReadInfo(const std::string& name)
{
    const fs::path folder = fs::path(kBackupFolderName) / name;
    BackupInfo info{
        name, 0, {}, Utf8FromCp932(FirstLine(ReadFileBytes(folder / kReasonFileName).value_or("")))};
    const std::string data = ReadFileBytes(folder / kDataFileName).value_or("");
    info.records = static_cast<unsigned>(std::count(data.begin(), data.end(), '\n'));
    if (!data.empty() && data.back() != '\n')
        ++info.records;
    const std::string dateTime = ParseRecordLine(FirstLine(data)).dateTime;
    info.newestDate = dateTime.substr(0, dateTime.find(' '));
    return info;
}

// A free name for a backup taken at t: the time's name, or with -2, -3... on a clash.
std::string FreeName(const LocalStamp& t)
{
    const std::string base = BaseName(t);
    std::error_code ec;
    std::string name = base;
    for (int serial = 2; fs::exists(fs::path(kBackupFolderName) / name, ec); ++serial)
        name = base + "-" + std::to_string(serial);
    return name;
}

void RemoveLeftovers()
{
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(kBackupFolderName, ec))
        if (entry.path().filename().string().starts_with('~'))
            fs::remove_all(entry.path(), ec);
}

} // namespace

std::string BackupReasonText(BackupReason reason)
{
    switch (reason) {
    case BackupReason::Start:
        return "起動時";
    case BackupReason::BeforeImport:
        return "読み込み前";
    case BackupReason::BeforeDelete:
        return "削除前";
    case BackupReason::BeforeLimit:
        return "上限で削除する前";
    case BackupReason::BeforeRestore:
        return "復元前";
    }
    return {};
}

std::vector<BackupInfo> ListBackups()
{
    std::vector<BackupInfo> list;
    for (const std::string& name : WholeBackupNames())
        list.push_back(ReadInfo(name));
    return list;
}

std::vector<std::string> BackupsToRemove(const std::vector<std::string>& namesOldestFirst,
                                         const LocalStamp& now)
{
    const long today = DayNumber(now.year, now.month, now.day);
    std::set<long> daysSeen;
    std::vector<std::string> remove;
    size_t rank = 0; // 0 for the newest
    for (auto it = namesOldestFirst.rbegin(); it != namesOldestFirst.rend(); ++it, ++rank) {
        const std::optional<ParsedName> parsed = ParseName(*it);
        if (!parsed)
            continue;
        const bool newestOfItsDay = daysSeen.insert(parsed->day).second;
        const bool recentDay = today - parsed->day >= 0 && today - parsed->day < kKeepDays;
        if (rank >= kKeepNewest && !(newestOfItsDay && recentDay))
            remove.push_back(*it);
    }
    std::reverse(remove.begin(), remove.end());
    return remove;
}

BackupResult TakeBackup(BackupReason reason, const LocalStamp& now)
{
    BackupResult result;
    std::error_code ec;
    fs::create_directory(kBackupFolderName, ec);
    if (ec) {
        result.error = ec.value();
        return result;
    }
    RemoveLeftovers();
    const std::string name = FreeName(now);
    const fs::path temp = fs::path(kBackupFolderName) / ("~" + name);
    auto fail = [&](int error) {
        fs::remove_all(temp, ec);
        result.error = error != 0 ? error : EIO;
        return result;
    };
    if (!fs::create_directory(temp, ec))
        return fail(ec.value());
    for (const char* file : CopiedFiles()) {
        const std::optional<std::string> bytes = ReadFileBytes(file);
        if (!bytes)
            continue; // a file that does not exist is not copied
        if (const int error = WriteFileDurably(temp / file, *bytes))
            return fail(error);
    }
    if (const int error =
            WriteFileDurably(temp / kReasonFileName, Cp932FromUtf8(BackupReasonText(reason)) + "\r\n"))
        return fail(error);
    if (const int error = SyncDirectory(temp.string()))
        return fail(error);
    fs::rename(temp, fs::path(kBackupFolderName) / name, ec);
    if (ec)
        return fail(ec.value());
    if (const int error = SyncDirectory(kBackupFolderName))
        return fail(error);
    result.done = true;
    result.name = name;
    for (const std::string& old : BackupsToRemove(WholeBackupNames(), now))
        fs::remove_all(fs::path(kBackupFolderName) / old, ec);
    return result;
}

bool StartBackupDue(const LocalStamp& now)
{
    const std::vector<std::string> names = WholeBackupNames();
    if (names.empty())
        return true;
    const std::string today = BaseName(now).substr(0, 8);
    for (const std::string& name : names)
        if (name.starts_with(today) && ReadInfo(name).reason == BackupReasonText(BackupReason::Start))
            return false;
    const fs::path newest = fs::path(kBackupFolderName) / names.back();
    for (const char* file : CopiedFiles())
        if (ReadFileBytes(file) != ReadFileBytes(newest / file))
            return true;
    return false;
}

RestoreResult RestoreBackup(const std::string& name, const LocalStamp& now)
{
    RestoreResult result;
    const std::vector<std::string> names = WholeBackupNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        result.failedFile = kBackupFolderName;
        result.error = ENOENT;
        return result;
    }
    // Read first: the backup taken next may remove old ones.
    std::vector<std::pair<const char*, std::string>> contents;
    for (const char* file : CopiedFiles())
        if (std::optional<std::string> bytes = ReadFileBytes(fs::path(kBackupFolderName) / name / file))
            contents.emplace_back(file, std::move(*bytes));
    const BackupResult before = TakeBackup(BackupReason::BeforeRestore, now);
    if (!before.done) {
        result.failedFile = kBackupFolderName;
        result.error = before.error;
        return result;
    }
    result.backupTaken = before.name;
    for (const auto& [file, bytes] : contents) {
        const ReplaceTarget target = FindReplaceTarget(file);
        struct stat st = {};
        const bool exists = !target.path.empty() && ::stat(target.path.c_str(), &st) == 0;
        const ReplaceOutcome outcome =
            target.path.empty() ? ReplaceOutcome{ReplaceResult::Unchanged, target.error}
                                : ReplaceFileAtomically(target.path, bytes, exists ? &st : nullptr);
        if (outcome.result != ReplaceResult::Done) {
            result.failedFile = file;
            result.error = outcome.error;
            return result;
        }
    }
    result.done = true;
    return result;
}

LocalStamp LocalStampOf(const CTime& t)
{
    return {t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond()};
}

std::string BackupTimeText(const std::string& name)
{
    const std::optional<ParsedName> parsed = ParseName(name);
    if (!parsed)
        return name;
    std::string text = name.substr(0, 4) + "/" + name.substr(4, 2) + "/" + name.substr(6, 2) + " " +
                       name.substr(9, 2) + ":" + name.substr(11, 2) + ":" + name.substr(13, 2);
    if (parsed->serial > 1)
        text += " (" + std::to_string(parsed->serial) + ")";
    return text;
}

std::string RestoreChangeText(unsigned recordsNow, const std::string& newestNow, const BackupInfo& then)
{
    auto newest = [](const std::string& date) {
        return date.empty() ? std::string("なし") : Utf8FromCp932(date);
    };
    return "記録数: 現在 " + std::to_string(recordsNow) + " 件 → 戻した後 " + std::to_string(then.records) +
           " 件　最新の記録: 現在 " + newest(newestNow) + " → 戻した後 " + newest(then.newestDate);
}
