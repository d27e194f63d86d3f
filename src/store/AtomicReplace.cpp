#include "store/AtomicReplace.h"

#include "store/TextFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Makes the rename of a file in dir durable.
bool SyncDirectory(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

std::string DirectoryOf(const std::string& path)
{
    const auto dir = std::filesystem::path(path).parent_path();
    return dir.empty() ? std::string(".") : dir.string();
}

long long MtimeNs(const struct stat& st)
{
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

// Gives the new file a modification time later than the old one's even when the clock has not
// moved on since the last write, so that readers comparing file stamps notice every edit.
bool StampLaterThan(int fd, const struct stat& original)
{
    struct stat now = {};
    if (::fstat(fd, &now) != 0)
        return false;
    if (MtimeNs(now) > MtimeNs(original))
        return true;
    const long long ns = MtimeNs(original) + 1;
    const struct timespec times[2] = {
        {0, UTIME_OMIT}, {static_cast<time_t>(ns / 1000000000LL), static_cast<long>(ns % 1000000000LL)}};
    return ::futimens(fd, times) == 0;
}

} // namespace

std::optional<std::string> ReplaceTarget(const std::string& path)
{
    struct stat st = {};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT ? std::optional(path) : std::nullopt;
    if (!S_ISLNK(st.st_mode))
        return path;
    std::error_code ec;
    const auto target = std::filesystem::weakly_canonical(path, ec);
    return ec ? std::nullopt : std::optional(target.string());
}

ReplaceResult ReplaceFileAtomically(const std::string& path, std::string_view content,
                                    const struct stat* original)
{
    const char* temp = CTextFile::kTempFileName;
    ::unlink(temp); // a leftover of an interrupted edit is never data
    const mode_t mode = original ? (original->st_mode & 0777) : 0666;
    const int fd = ::open(temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return ReplaceResult::Unchanged;
    bool ok = WriteAll(fd, content);
    if (ok && original)
        ok = ::fchmod(fd, mode) == 0 && StampLaterThan(fd, *original); // the umask may have cut bits
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp, path.c_str()) != 0) {
        ::unlink(temp);
        return ReplaceResult::Unchanged;
    }
    return SyncDirectory(DirectoryOf(path)) ? ReplaceResult::Done : ReplaceResult::NotDurable;
}

bool RestoreFile(const std::string& path, std::string_view old, const struct stat* original)
{
    if (original)
        return ReplaceFileAtomically(path, old, original) != ReplaceResult::Unchanged;
    if (::unlink(path.c_str()) != 0) // the replace created the file
        return false;
    SyncDirectory(DirectoryOf(path));
    return true;
}
