#include "store/ArchiveFile.h"

#include "store/AtomicReplace.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace {

class CFd
{
public:
    explicit CFd(int fd) : m_fd(fd) {}
    ~CFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }
    // 0, or the reason the close failed (a late write error shows here).
    int Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// The size of the file's whole lines: up to and including its last line feed.
off_t WholeLinesSize(int fd, off_t size, int& error)
{
    constexpr off_t kChunk = 4096;
    char buffer[kChunk];
    for (off_t end = size; end > 0;) {
        const off_t start = end > kChunk ? end - kChunk : 0;
        const ssize_t n = ::pread(fd, buffer, static_cast<size_t>(end - start), start);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return -1;
        }
        if (n != end - start) {
            error = EIO;
            return -1;
        }
        for (ssize_t i = n; i > 0; --i)
            if (buffer[i - 1] == '\n')
                return start + i;
        end = start;
    }
    return 0;
}

int SyncFolderOf(const std::string& path)
{
    const auto dir = std::filesystem::path(path).parent_path();
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    if (error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP)
        error = 0; // a folder this file system cannot flush
    ::close(fd);
    return error;
}

std::string DiskBytes(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

int AppendArchiveLines(const std::string& path, const std::vector<std::string>& lines)
{
    if (lines.empty())
        return 0;
    struct stat before = {};
    const bool created = ::stat(path.c_str(), &before) != 0;
    CFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (fd.Get() < 0)
        return errno;
    struct stat st = {};
    if (::fstat(fd.Get(), &st) != 0)
        return errno;
    int error = 0;
    const off_t whole = WholeLinesSize(fd.Get(), st.st_size, error);
    if (whole < 0)
        return error;
    // A torn last line is cut off; the new lines are written after the whole ones.
    if (whole != st.st_size && ::ftruncate(fd.Get(), whole) != 0)
        return errno;
    if (::lseek(fd.Get(), whole, SEEK_SET) < 0)
        return errno;
    error = WriteAll(fd.Get(), DiskBytes(lines));
    if (error == 0 && ::fsync(fd.Get()) != 0)
        error = errno;
    if (error != 0) {
        // Nothing half-written is left behind; should this fail too, the next append cuts it.
        if (::ftruncate(fd.Get(), whole) == 0)
            ::fsync(fd.Get());
        return error;
    }
    if (const int closed = fd.Close())
        return closed;
    return created ? SyncFolderOf(path) : 0;
}

std::vector<std::string> ReadArchiveLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = bytes.find('\n'); end != std::string::npos; end = bytes.find('\n', start)) {
        size_t textEnd = end;
        if (textEnd > start && bytes[textEnd - 1] == '\r')
            --textEnd;
        lines.emplace_back(bytes, start, textEnd - start);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> MergeArchivedLines(const std::vector<std::string>& dataLines,
                                            const std::vector<std::string>& archiveLines)
{
    std::vector<std::string> merged = dataLines;
    std::unordered_set<std::string_view> seen(dataLines.begin(), dataLines.end());
    for (size_t i = archiveLines.size(); i-- > 0;)
        if (seen.insert(archiveLines[i]).second)
            merged.push_back(archiveLines[i]);
    return merged;
}

std::vector<std::string> ReadAllRecordLines(std::string_view folder)
{
    return MergeArchivedLines(ReadDataFileLines(DataFilePath(folder, kDataFileName).c_str()),
                              ReadArchiveLines(DataFilePath(folder, kArchiveFileName)));
}

LimitedInsertResult InsertLineArchiving(CTextFile& data, const std::string& archivePath,
                                        std::string_view text, int max)
{
    LimitedInsertResult result;
    if (max <= 0) {
        result.done = data.InsertLine(1, text);
        result.error = data.GetLastError();
        if (!result.done)
            result.failedFile = kDataFileName;
        return result;
    }
    // The lines beyond the limit after the insertion are the file's lines max and later, as the
    // file holds them now.
    if (!data.IsCacheCurrent())
        data.Reload();
    for (unsigned n = data.GetLineCount(); n >= static_cast<unsigned>(max) && n > 0; --n) {
        const char* line = data.GetLine(n);
        result.archived.emplace_back(line ? line : "");
    }
    if (const int error = AppendArchiveLines(archivePath, result.archived)) {
        result.failedFile = kArchiveFileName;
        result.error = error;
        return result;
    }
    result.done = data.InsertLineLimited(1, text, max);
    if (!result.done) {
        result.failedFile = kDataFileName;
        result.error = data.GetLastError();
    }
    return result;
}
