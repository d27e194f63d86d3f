#include "store/TextFile.h"

#include "store/AtomicReplace.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One piece of a file as the line readers see it: translated text (CR LF read as LF) of at most
// CTextFile::kPieceSize bytes, and whether it ended with a line feed.
struct Piece
{
    std::string_view raw; // the bytes on disk
    bool hasLineFeed = false;
};

// Visits the pieces of a file's bytes in order, reading as text mode does: CR LF is one line
// end, a lone LF also ends a line, and a lone CR stays in the text.
template <typename Visit> void ForEachPiece(std::string_view bytes, Visit&& visit)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t rest = bytes.size() - pos;
        const size_t window = std::min(rest, size_t{CTextFile::kPieceSize} + 1);
        const void* lf = std::memchr(bytes.data() + pos, '\n', window);
        if (lf) {
            const size_t rawLen = static_cast<const char*>(lf) - (bytes.data() + pos) + 1;
            const bool crlf = rawLen >= 2 && bytes[pos + rawLen - 2] == '\r';
            const size_t translatedLen = rawLen - (crlf ? 1 : 0);
            if (translatedLen <= CTextFile::kPieceSize) {
                visit(Piece{bytes.substr(pos, rawLen), true});
                pos += rawLen;
                continue;
            }
        }
        // No line end within reach: a piece of the line's bytes (none of them a line end).
        const size_t take = std::min(rest, size_t{CTextFile::kPieceSize});
        visit(Piece{bytes.substr(pos, take), false});
        pos += take;
    }
}

std::vector<Piece> SplitPieces(std::string_view bytes)
{
    std::vector<Piece> pieces;
    ForEachPiece(bytes, [&](const Piece& piece) { pieces.push_back(piece); });
    return pieces;
}

// The piece's text without its line end.
std::string_view PieceText(const Piece& piece)
{
    std::string_view text = piece.raw;
    if (!piece.hasLineFeed)
        return text;
    text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

// Appends a text as text mode writes it: each line feed becomes CR LF.
void AppendTextMode(std::string& out, std::string_view text)
{
    size_t start = 0;
    for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        out.append(text.substr(start, lf - start));
        out.append("\r\n");
        start = lf + 1;
    }
    out.append(text.substr(start));
}

void AppendPiece(std::string& out, const Piece& piece)
{
    out.append(PieceText(piece));
    if (piece.hasLineFeed)
        out.append("\r\n");
}

enum class ReadResult
{
    Ok,
    Missing,
    Failed
};

ReadResult ReadWholeFile(const std::string& path, std::string& out, struct stat* st)
{
    out.clear();
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
    out.resize(info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0);
    size_t got = 0;
    for (;;) {
        if (got == out.size())
            out.resize(got + 65536); // the file may have grown since fstat
        const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return ReadResult::Failed;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    out.resize(got);
    // An error from close counts as well: an edit reports every error the system gives it.
    return ::close(fd) == 0 ? ReadResult::Ok : ReadResult::Failed;
}

// A file the user made read-only stays as it is, as a rewrite in place would fail on it.
// 0 when the file may be rewritten, or the reason why not.
int RewriteRefusal(const std::string& path, const struct stat& st)
{
    if ((st.st_mode & S_IWUSR) == 0)
        return EACCES;
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Reads the next piece from a stream, as SplitPieces does for a buffer.
bool ReadPiece(std::FILE* fp, std::string& out)
{
    out.clear();
    int c = 0;
    while (out.size() < CTextFile::kPieceSize && (c = std::getc(fp)) != EOF) {
        if (c == '\r') {
            const int next = std::getc(fp);
            if (next == '\n') {
                out += '\n';
                break;
            }
            if (next != EOF)
                std::ungetc(next, fp);
        }
        out += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    return !out.empty();
}

} // namespace

CTextFile::CTextFile(const char* path, bool cached) : m_bUseCache(cached)
{
    m_pBuf.reserve(kPieceSize + 1);
    if (!path)
        return;
    SetPath(path);
    if (cached)
        LoadCache();
}

CTextFile::~CTextFile()
{
    FreeCache();
    Close();
}

void CTextFile::SetPath(std::string_view path)
{
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(path), ec);
    m_szPath = ec ? std::string(path) : absolute.lexically_normal().string();
}

bool CTextFile::Open(const char* mode)
{
    if (m_fp)
        return false;
    m_fp = std::fopen(m_szPath.c_str(), mode);
    if (!m_fp)
        return false;
    m_nReadLine = 0;
    return true;
}

bool CTextFile::Close()
{
    if (m_fp && std::fclose(m_fp) != 0) {
        m_fp = nullptr; // fclose releases the stream even when it reports an error
        m_nReadLine = 0;
        return false;
    }
    m_fp = nullptr;
    m_nReadLine = 0;
    return true;
}

bool CTextFile::Rewind()
{
    m_nReadLine = 0; // ReadLine must not count on from a position it did not reach itself
    return m_fp && std::fseek(m_fp, 0, SEEK_SET) == 0;
}

bool CTextFile::Exists()
{
    if (m_fp)
        return true;
    std::FILE* fp = std::fopen(m_szPath.c_str(), "r");
    if (!fp)
        return false;
    std::fclose(fp);
    return true;
}

const char* CTextFile::ReadLine(unsigned n)
{
    if (!m_fp && !Open("r"))
        return nullptr;
    if (n < m_nReadLine || m_nReadLine == 0) {
        if (!RestartStream())
            return nullptr;
    }
    if (n == 0)
        return nullptr; // there is no line 0
    while (m_nReadLine < n) {
        if (!ReadPiece(m_fp, m_pBuf)) {
            m_nReadLine = 0; // the buffer no longer holds the line last read
            return nullptr;
        }
        if (!m_pBuf.empty() && m_pBuf.back() == '\n')
            m_pBuf.pop_back();
        ++m_nReadLine;
    }
    return m_pBuf.c_str();
}

bool CTextFile::RestartStream()
{
    m_nReadLine = 0;
    // An edit replaces the file by a new one: read that one, not the old one the stream holds.
    struct stat held = {};
    struct stat onDisk = {};
    if (::fstat(::fileno(m_fp), &held) == 0 && ::stat(m_szPath.c_str(), &onDisk) == 0 &&
        !SameFile(held, onDisk)) {
        Close();
        return Open("r");
    }
    return Rewind();
}

const char* CTextFile::ReadNext()
{
    m_nReadLine = 0; // the stream has moved on and the buffer no longer holds the line last read
    if (!m_fp || !ReadPiece(m_fp, m_pBuf))
        return nullptr;
    return m_pBuf.c_str();
}

bool CTextFile::PutString(std::string_view s)
{
    if (!m_fp)
        return false;
    std::string out;
    AppendTextMode(out, s);
    if (std::fwrite(out.data(), 1, out.size(), m_fp) != out.size() || std::fflush(m_fp) != 0)
        return false;
    m_nReadLine = 0;
    return true;
}

bool CTextFile::Stat()
{
    struct stat st = {};
    if (::stat(m_szPath.c_str(), &st) != 0) {
        m_mtime = -1;
        return false;
    }
    m_mtime = st.st_mtime;
    return true;
}

std::time_t CTextFile::GetModifiedTime()
{
    return Stat() ? m_mtime : -1;
}

FileStamp CTextFile::GetFileStamp() const
{
    struct stat st = {};
    if (::stat(m_szPath.c_str(), &st) != 0)
        return {};
    return {true, static_cast<long long>(st.st_dev), static_cast<long long>(st.st_ino),
            static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

bool CTextFile::LoadCache()
{
    FreeCache();
    std::string bytes;
    if (ReadWholeFile(m_szPath, bytes, nullptr) != ReadResult::Ok)
        return false;
    return BuildCache(std::move(bytes));
}

bool CTextFile::BuildCache(std::string bytes)
{
    FreeCache();
    m_cacheBytes = std::move(bytes);
    m_cacheBytes.push_back('\0'); // ends a last line that has no line end
    const std::string_view content(m_cacheBytes.data(), m_cacheBytes.size() - 1);
    m_lines.reserve(content.size() / 48 + 1); // about a record line's length; grows if need be
    ForEachPiece(content, [&](const Piece& piece) {
        const std::string_view text = PieceText(piece);
        char* start = m_cacheBytes.data() + (text.data() - m_cacheBytes.data());
        const size_t end = static_cast<size_t>(start - m_cacheBytes.data()) + text.size();
        if (piece.hasLineFeed || end == content.size()) {
            m_cacheBytes[end] = '\0'; // over the CR or LF that ends the line, or the final terminator
        } else {
            m_cutPieces.emplace_back(text); // its next byte belongs to the next piece
            start = m_cutPieces.back().data();
        }
        CTextLine& line = m_lines.emplace_back();
        line.m_nLineNo = static_cast<unsigned>(m_lines.size());
        line.m_pszText = start;
    });
    const size_t count = m_lines.size();
    if (count == 0) {
        FreeCache();
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        m_lines[i].m_pPrev = i > 0 ? &m_lines[i - 1] : nullptr;
        m_lines[i].m_pNext = i + 1 < count ? &m_lines[i + 1] : nullptr;
    }
    m_nCount = static_cast<unsigned>(count);
    m_pFirst = &m_lines.front();
    m_pLast = &m_lines.back();
    m_bLoaded = true;
    return true;
}

bool CTextFile::FreeCache()
{
    m_lines.clear();
    m_cacheBytes.clear();
    m_cutPieces.clear();
    m_pFirst = nullptr;
    m_pLast = nullptr;
    m_nCount = 0;
    m_bLoaded = false;
    return true;
}

bool CTextFile::Reload()
{
    return LoadCache();
}

const char* CTextFile::GetLine(unsigned n)
{
    if (!m_bUseCache)
        return ReadLine(n);
    if (!m_bLoaded && !LoadCache())
        return nullptr;
    if (n == 0 || n > m_nCount)
        return nullptr;
    return m_lines[n - 1].m_pszText;
}

namespace {

enum class EditKind
{
    Insert,
    InsertLimited,
    Replace,
    Delete
};

// The new content of a file after one edit, in the order of the copy: lines before n, the
// text, the rest.
std::string ComposeEdit(const std::vector<Piece>& pieces, EditKind kind, unsigned n, std::string_view text,
                        long long max)
{
    std::string out;
    size_t total = 0;
    for (const Piece& p : pieces)
        total += p.raw.size() + 1;
    out.reserve(total + text.size() * 2 + 2);

    const long long keepOld =
        kind == EditKind::InsertLimited ? max - 1 : static_cast<long long>(pieces.size());
    size_t next = 0;
    long long copied = 0;
    auto copyPiece = [&] {
        AppendPiece(out, pieces[next++]);
        ++copied;
    };
    // A last line without a line end is ended before anything is written after it, so that
    // two lines never merge.
    auto endOpenLastLine = [&] {
        if (next == pieces.size() && next > 0 && !pieces[next - 1].hasLineFeed)
            out.append("\r\n");
    };

    while (next < pieces.size() && next + 1 < n && copied < keepOld)
        copyPiece();
    if (kind != EditKind::Delete) {
        endOpenLastLine();
        AppendTextMode(out, text);
    }
    if ((kind == EditKind::Replace || kind == EditKind::Delete) && next < pieces.size())
        ++next; // the line replaced or deleted
    while (next < pieces.size() && copied < keepOld)
        copyPiece();
    return out;
}

} // namespace

bool CTextFile::InsertLine(unsigned n, std::string_view text)
{
    return n != 0 && Edit(static_cast<int>(EditKind::Insert), n, std::string(text) + '\n', 0);
}

bool CTextFile::InsertLineLimited(unsigned n, std::string_view text, int max)
{
    return n != 0 && Edit(static_cast<int>(EditKind::InsertLimited), n, std::string(text) + '\n', max);
}

bool CTextFile::ReplaceLine(unsigned n, std::string_view text)
{
    return n != 0 && Edit(static_cast<int>(EditKind::Replace), n, text, 0);
}

bool CTextFile::DeleteLine(unsigned n)
{
    return n != 0 && Edit(static_cast<int>(EditKind::Delete), n, {}, 0);
}

bool CTextFile::Edit(int kind, unsigned n, std::string_view text, int max)
{
    Close(); // the stream would read the replaced file; later reads reopen by the path
    auto fail = [this](int error) {
        m_nLastError = error;
        return false;
    };
    const ReplaceTarget resolved = FindReplaceTarget(m_szPath);
    if (resolved.path.empty())
        return fail(resolved.error);
    const std::string& target = resolved.path;
    std::string bytes;
    struct stat st = {};
    errno = 0;
    const ReadResult read = ReadWholeFile(target, bytes, &st);
    if (read == ReadResult::Failed)
        return fail(errno);
    if (const int refusal = read == ReadResult::Ok ? RewriteRefusal(target, st) : 0)
        return fail(refusal);
    const struct stat* original = read == ReadResult::Ok ? &st : nullptr;
    const std::vector<Piece> pieces = SplitPieces(bytes);
    std::string content = ComposeEdit(pieces, static_cast<EditKind>(kind), n, text, max);
    const ReplaceOutcome outcome = ReplaceFileAtomically(target, content, original);
    m_nLastError = outcome.error;
    switch (outcome.result) {
    case ReplaceResult::Done:
        if (m_bLoaded)
            BuildCache(std::move(content)); // what was just written, without reading it back
        return true;
    case ReplaceResult::Unchanged:
        return false; // the file and the cache keep the old lines
    case ReplaceResult::NotDurable:
        break;
    }
    // Success cannot be promised for content that may not survive a crash: put the old back.
    if (!RestoreFile(target, bytes, original) && m_bLoaded)
        BuildCache(std::move(content)); // the new lines stay in the file, so the cache must show them
    return false;
}
