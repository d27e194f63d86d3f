#include "store/AtomicReplace.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

// As many links as the system itself follows in one path.
constexpr int kMaxLinkHops = 40;

// The file system cannot flush a folder at all: some network and shared file systems refuse
// fsync on a folder. Their own tools treat this as done, as the renamed file is already durable.
bool FolderCannotBeSynced(int error)
{
    for (int refused : {EINVAL, ENOTSUP, EOPNOTSUPP})
        if (error == refused)
            return true;
    return false;
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

// Writes the temporary file completely and durably; 0, or the system's reason for the failure.
int WriteTempFile(const std::string& temp, std::string_view content, const struct stat* original)
{
    ::unlink(temp.c_str()); // a leftover of an interrupted edit is never data
    const mode_t mode = original ? (original->st_mode & 0777) : 0666;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return errno;
    int error = WriteAll(fd, content);
    // The umask may have cut permission bits.
    if (error == 0 && original && (::fchmod(fd, mode) != 0 || !StampLaterThan(fd, *original)))
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace

int SyncDirectory(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    if (FolderCannotBeSynced(error))
        error = 0;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

int WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

ReplaceTarget FindReplaceTarget(const std::string& path)
{
    // Each link is followed by hand, as the final target may not exist yet: a link whose target is
    // missing creates the target, and never turns into a file itself.
    std::filesystem::path current = path;
    for (int hops = 0; hops <= kMaxLinkHops; ++hops) {
        struct stat st = {};
        if (::lstat(current.c_str(), &st) != 0)
            return errno == ENOENT ? ReplaceTarget{current.string(), 0} : ReplaceTarget{{}, errno};
        if (!S_ISLNK(st.st_mode))
            return {current.string(), 0};
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(current, ec);
        if (ec)
            return {{}, ec.value()};
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return {{}, ELOOP};
}

std::string TempPathFor(const std::string& path)
{
    return (std::filesystem::path(DirectoryOf(path)) / kTempFileName).string();
}

ReplaceOutcome ReplaceFileAtomically(const std::string& path, std::string_view content,
                                     const struct stat* original)
{
    const std::string temp = TempPathFor(path);
    int error = WriteTempFile(temp, content, original);
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return {ReplaceResult::Unchanged, error};
    }
    error = SyncDirectory(DirectoryOf(path));
    return {error == 0 ? ReplaceResult::Done : ReplaceResult::NotDurable, error};
}

bool RestoreFile(const std::string& path, std::string_view old, const struct stat* original)
{
    if (original)
        return ReplaceFileAtomically(path, old, original).result != ReplaceResult::Unchanged;
    if (::unlink(path.c_str()) != 0) // the replace created the file
        return false;
    SyncDirectory(DirectoryOf(path));
    return true;
}
