#include "store/TextFile.h"

#include "store/AtomicReplace.h"
#include "store/LinePieces.h"
#include "store/LineSplice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class ReadResult
{
    Ok,
    Missing,
    Failed
};

// A file's bytes, read into memory that is not cleared first; one byte more is allocated than
// read, for a terminator.
struct FileBytes
{
    std::unique_ptr<char[]> data;
    size_t size = 0;
};

ReadResult ReadWholeFile(const std::string& path, FileBytes& out, struct stat* st)
{
    out = {};
    // Without blocking on a pipe; only a regular file is read, never a folder or a device.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadResult::Failed;
    }
    if (st)
        *st = info;
    // Room for one byte beyond the size, so that the read that finds the end needs no growth.
    size_t capacity = (info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0) + 1;
    out.data = std::make_unique_for_overwrite<char[]>(capacity + 1);
    for (;;) {
        if (out.size == capacity) { // the file has grown since fstat
            capacity += capacity / 2 + 65536;
            auto larger = std::make_unique_for_overwrite<char[]>(capacity + 1);
            std::memcpy(larger.get(), out.data.get(), out.size);
            out.data = std::move(larger);
        }
        const ssize_t n = ::read(fd, out.data.get() + out.size, capacity - out.size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            out = {};
            return ReadResult::Failed;
        }
        if (n == 0)
            break;
        out.size += static_cast<size_t>(n);
    }
    // An error from close counts as well: an edit reports every error the system gives it.
    if (::close(fd) == 0)
        return ReadResult::Ok;
    out = {};
    return ReadResult::Failed;
}

// A file the user made read-only stays as it is, as a rewrite in place would fail on it.
// 0 when the file may be rewritten, or the reason why not.
int RewriteRefusal(const std::string& path, const struct stat& st)
{
    if ((st.st_mode & S_IWUSR) == 0)
        return EACCES;
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

} // namespace

void CTextFile::SetPath(std::string_view path)
{
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(path), ec);
    m_strPath = ec ? std::string(path) : absolute.lexically_normal().string();
}

bool CTextFile::Exists() const
{
    // Without blocking on a pipe, which a plain open for reading would wait on for a writer.
    const int fd = ::open(m_strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool CTextFile::CreateIfMissing()
{
    const int fd = ::open(m_strPath.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        return Fail(errno != 0 ? errno : EIO);
    if (::close(fd) != 0)
        return Fail(errno);
    m_nLastError = 0;
    return true;
}

FileStamp CTextFile::GetFileStamp() const
{
    struct stat st = {};
    if (::stat(m_strPath.c_str(), &st) != 0)
        return {};
    return {true, static_cast<long long>(st.st_dev), static_cast<long long>(st.st_ino),
            static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

CTextFile::CacheStamp CTextFile::StampOf(const struct stat& st)
{
    struct timespec now = {};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    auto ns = [](const struct timespec& t) {
        return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
    };
    CacheStamp stamp{static_cast<long long>(st.st_dev), static_cast<long long>(st.st_ino),
                     static_cast<long long>(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
    stamp.takenNs = ns(now);
    return stamp;
}

bool CTextFile::LoadCache()
{
    FreeCache();
    FileBytes bytes;
    struct stat st = {};
    if (ReadWholeFile(m_strPath, bytes, &st) != ReadResult::Ok)
        return false;
    if (!m_cache.Build(std::move(bytes.data), bytes.size))
        return false;
    // Taken before the bytes were read: a change meanwhile shows as a different stamp.
    m_stamp = StampOf(st);
    return true;
}

bool CTextFile::FreeCache()
{
    m_cache.Clear();
    m_stamp = {};
    return true;
}

bool CTextFile::Reload()
{
    return LoadCache();
}

bool CTextFile::IsCacheCurrent() const
{
    struct stat st = {};
    return IsLoaded() && ::stat(m_strPath.c_str(), &st) == 0 && m_stamp.Proves(StampOf(st));
}

const char* CTextFile::GetLine(unsigned n)
{
    // The loaded case first and on its own: it is the one every reader of every line takes.
    if (IsLoaded())
        return m_cache.GetLine(n);
    return LoadCache() ? m_cache.GetLine(n) : nullptr;
}

bool CTextFile::InsertLine(unsigned n, std::string_view text)
{
    return n != 0 && Edit(LineEdit::Insert, n, text, 0);
}

bool CTextFile::InsertLineLimited(unsigned n, std::string_view text, int max)
{
    return n != 0 && Edit(LineEdit::InsertLimited, n, text, max);
}

bool CTextFile::ReplaceLine(unsigned n, std::string_view text)
{
    return n != 0 && Edit(LineEdit::Replace, n, text, 0);
}

bool CTextFile::DeleteLine(unsigned n)
{
    return n != 0 && Edit(LineEdit::Delete, n, {}, 0);
}

bool CTextFile::Edit(LineEdit kind, unsigned n, std::string_view text, int max)
{
    const std::string bytes = kind == LineEdit::Delete ? std::string() : DiskLine(text);
    return Rewrite([&](size_t count) { return SingleEditPlan(kind, n, max, bytes, count); });
}

bool CTextFile::DeleteLines(std::vector<unsigned> lineNumbers)
{
    if (lineNumbers.empty())
        return true;
    std::sort(lineNumbers.begin(), lineNumbers.end());
    if (lineNumbers.front() == 0)
        return false;
    return Rewrite([&](size_t count) { return DeleteLinesPlan(lineNumbers, count); });
}

bool CTextFile::ReplaceAllLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    bytes.reserve(total);
    for (const std::string& line : lines) {
        if (line.find('\n') != std::string::npos)
            return false;
        bytes.append(line);
        bytes.append("\r\n");
    }
    return Rewrite([&](size_t) { return std::vector<EditSegment>{EditSegment::Text(bytes)}; });
}

bool CTextFile::Fail(int error)
{
    m_nLastError = error;
    return false;
}

bool CTextFile::Rewrite(const EditPlan& planFor)
{
    const ReplaceTarget resolved = FindReplaceTarget(m_strPath);
    if (resolved.path.empty())
        return Fail(resolved.error);
    const std::string& target = resolved.path;

    // A cache that still holds what the file holds is the old content: no need to read it.
    struct stat st = {};
    bool fromCache = false;
    if (IsLoaded() && m_cache.IsPlain()) {
        if (::stat(target.c_str(), &st) == 0)
            fromCache = m_stamp.Proves(StampOf(st));
        else if (errno != ENOENT)
            return Fail(errno);
    }
    FileBytes read;
    bool exists = true;
    if (!fromCache) {
        errno = 0;
        const ReadResult result = ReadWholeFile(target, read, &st);
        if (result == ReadResult::Failed)
            return Fail(errno);
        exists = result == ReadResult::Ok;
    }
    if (const int refusal = exists ? RewriteRefusal(target, st) : 0)
        return Fail(refusal);
    const struct stat* original = exists ? &st : nullptr;

    LineOffsets readStarts;
    const bool plain = fromCache || IndexPlainLines({read.data.get(), read.size}, readStarts);
    const PlainSource source = fromCache ? m_cache.Source() : PlainSource{read.data.get(), &readStarts};
    // The old content as it is on disk, for a rewrite of any other kind and to put it back.
    std::string cachedBytes;
    auto oldBytes = [&]() -> std::string_view {
        if (!fromCache)
            return {read.data.get(), read.size};
        if (cachedBytes.empty())
            cachedBytes = m_cache.PlainBytes();
        return cachedBytes;
    };

    SplicedContent spliced;
    std::string composed;
    std::string_view content;
    std::vector<EditSegment> plan;
    if (plain) {
        plan = planFor(source.Count());
        if (CanSplice(source, plan)) {
            spliced = Splice(source, plan);
            content = {spliced.bytes.get(), spliced.size};
        }
    }
    if (!spliced.bytes) {
        const std::vector<Piece> pieces = SplitPieces(oldBytes());
        if (!plain)
            plan = planFor(pieces.size());
        composed = ComposePieces(pieces, plan);
        content = composed;
    }

    // The cache shows what the file holds: the new content once it is in place.
    auto adoptNewContent = [&](const struct stat* now) {
        m_stamp = {};
        if (spliced.bytes) {
            TerminateLines(spliced);
            m_cache.Adopt(std::move(spliced));
        } else {
            auto bytes = std::make_unique_for_overwrite<char[]>(composed.size() + 1);
            std::memcpy(bytes.get(), composed.data(), composed.size());
            m_cache.Build(std::move(bytes), composed.size());
        }
        if (now && IsLoaded())
            m_stamp = StampOf(*now);
    };

    const ReplaceOutcome outcome = ReplaceFileAtomically(target, content, original);
    m_nLastError = outcome.error;
    ReplaceResult result = outcome.result;
    struct stat now = {};
    if (result == ReplaceResult::Done) {
        if (!IsLoaded())
            return true; // the cache stays empty until the next read, as the file was
        if (::stat(target.c_str(), &now) == 0) {
            adoptNewContent(&now);
            return true;
        }
        m_nLastError = errno;
        result = ReplaceResult::NotDurable; // the file cannot even be examined: take nothing for done
    }
    if (result == ReplaceResult::Unchanged)
        return false; // the file and the cache keep the old lines
    // Success cannot be promised for content that may not survive a crash: put the old back.
    if (!RestoreFile(target, oldBytes(), original) && IsLoaded())
        adoptNewContent(nullptr); // the new lines stay in the file, so the cache must show them
    return false;
}
