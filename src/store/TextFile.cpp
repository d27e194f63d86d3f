#include "store/TextFile.h"

#include "store/AtomicReplace.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__x86_64__) || defined(__SSE2__)
#include <immintrin.h>
#endif

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

// Bit j of lineFeeds (returns) is set where byte j of the 64 bytes at p is a LF (a CR).
[[gnu::always_inline]] inline void LineEndMasks(const char* p, uint64_t& lineFeeds, uint64_t& returns)
{
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const auto* blocks = reinterpret_cast<const __m128i*>(p);
    const __m128i b0 = _mm_loadu_si128(blocks);
    const __m128i b1 = _mm_loadu_si128(blocks + 1);
    const __m128i b2 = _mm_loadu_si128(blocks + 2);
    const __m128i b3 = _mm_loadu_si128(blocks + 3);
    auto bits = [](__m128i equal) {
        return static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(equal)));
    };
    lineFeeds = bits(_mm_cmpeq_epi8(b0, lf)) | bits(_mm_cmpeq_epi8(b1, lf)) << 16 |
                bits(_mm_cmpeq_epi8(b2, lf)) << 32 | bits(_mm_cmpeq_epi8(b3, lf)) << 48;
    returns = bits(_mm_cmpeq_epi8(b0, cr)) | bits(_mm_cmpeq_epi8(b1, cr)) << 16 |
              bits(_mm_cmpeq_epi8(b2, cr)) << 32 | bits(_mm_cmpeq_epi8(b3, cr)) << 48;
#else
    lineFeeds = 0;
    returns = 0;
    for (int j = 0; j < 64; ++j) {
        lineFeeds |= static_cast<uint64_t>(p[j] == '\n') << j;
        returns |= static_cast<uint64_t>(p[j] == '\r') << j;
    }
#endif
}

// The number of bits set, in a few instructions on every processor (the portable builds have
// no instruction for it, and the library call costs more than the count).
inline size_t CountBits(uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555ULL;
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<size_t>((x * 0x0101010101010101ULL) >> 56);
}

// Puts back the CRs that IndexPlainLines wrote terminators over, before it found bytes of
// another kind.
template <bool Terminate> bool Unterminated(char* data, const size_t* starts, size_t n)
{
    if constexpr (Terminate)
        for (size_t k = 1; k < n; ++k)
            data[starts[k] - 2] = '\r';
    return false;
}

// Finds the lines of bytes that this program writes: every line ends with CR LF and holds at
// most 1022 bytes of text, and only the last may lack its line end (then it holds at most 1023).
// starts receives the offset of each line and then the end of the bytes. With Terminate, a
// terminator is written over the CR of each line end. Bytes of any other kind give false and
// are left as they were. The line ends are found 64 bytes at a time, and the work per line
// has no branch: a line costs a few instructions.
template <bool Terminate, void (*Masks)(const char*, uint64_t&, uint64_t&)>
inline bool IndexPlainLinesWith(char* data, size_t size, CTextFile::Offsets& starts)
{
    constexpr size_t kMaxRawLine = CTextFile::kPieceSize + 1; // 1022 bytes of text and CR LF
    size_t capacity = size / 40 + 130; // a record line is about 50 bytes; grows if need be
    starts.resize(capacity);
    size_t* out = starts.data();
    size_t n = 0;
    out[n++] = 0;
    size_t lineStart = 0;
    uint64_t crBefore = 0; // bit 0: the byte before the block is a CR
    char sink = 0;         // takes the terminators of the line ends that a block does not have
    size_t i = 0;
    for (; i + 64 <= size; i += 64) {
        uint64_t lineFeeds = 0;
        uint64_t returns = 0;
        Masks(data + i, lineFeeds, returns);
        const size_t firstEnd = i + static_cast<size_t>(std::countr_zero(lineFeeds)) + 1;
        const bool bareLineFeed = (lineFeeds & ~((returns << 1) | crBefore)) != 0;
        if (bareLineFeed || (lineFeeds != 0 && firstEnd - lineStart > kMaxRawLine))
            return Unterminated<Terminate>(data, out, n);
        crBefore = returns >> 63;
        lineStart = lineFeeds != 0 ? i + 64 - static_cast<size_t>(std::countl_zero(lineFeeds)) : lineStart;
        if (capacity - n < 64) {
            capacity *= 2;
            starts.resize(capacity);
            out = starts.data();
        }
        // The next line starts after each line feed: write two, keep as many as there are.
        uint64_t bits = lineFeeds;
        size_t* next = out + n;
        auto endAt = [&](size_t k, uint64_t& remaining) {
            const size_t at = i + static_cast<size_t>(std::countr_zero(remaining));
            next[k] = at + 1;
            if constexpr (Terminate)
                *(remaining != 0 ? data + at - 1 : &sink) = '\0';
            remaining &= remaining - 1;
        };
        endAt(0, bits);
        endAt(1, bits); // record lines are longer than 32 bytes: a block holds at most two line ends
        for (size_t k = 2; bits != 0; ++k)
            endAt(k, bits);
        n += CountBits(lineFeeds);
    }
    starts.resize(n + (size - i) + 2);
    out = starts.data();
    for (; i < size; ++i) {
        if (data[i] != '\n')
            continue;
        if (i == 0 || data[i - 1] != '\r' || i + 1 - lineStart > kMaxRawLine)
            return Unterminated<Terminate>(data, out, n);
        if constexpr (Terminate)
            data[i - 1] = '\0';
        lineStart = i + 1;
        out[n++] = lineStart;
    }
    if (lineStart < size) { // a last line without its line end
        if (size - lineStart > CTextFile::kPieceSize)
            return Unterminated<Terminate>(data, out, n);
        out[n++] = size;
    }
    starts.resize(n);
    return true;
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same masks from two 32-byte compares, on processors that have them (nearly all since 2013).
[[gnu::target("avx2")]] inline void LineEndMasksAvx2(const char* p, uint64_t& lineFeeds, uint64_t& returns)
{
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i cr = _mm256_set1_epi8('\r');
    lineFeeds =
        static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, lf))) |
        static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, lf)))) << 32;
    returns = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, cr))) |
              static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, cr))))
                  << 32;
}

template <bool Terminate>
[[gnu::flatten, gnu::target("avx2,bmi,bmi2,popcnt,lzcnt")]] bool
IndexPlainLinesAvx2(char* data, size_t size, CTextFile::Offsets& starts)
{
    return IndexPlainLinesWith<Terminate, LineEndMasksAvx2>(data, size, starts);
}
#endif

template <bool Terminate> bool IndexPlainLines(char* data, size_t size, CTextFile::Offsets& starts)
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx2 =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
    if (avx2)
        return IndexPlainLinesAvx2<Terminate>(data, size, starts);
#endif
    return IndexPlainLinesWith<Terminate, LineEndMasks>(data, size, starts);
}

bool IsPlainText(std::string_view bytes, CTextFile::Offsets& starts)
{
    return IndexPlainLines<false>(const_cast<char*>(bytes.data()), bytes.size(), starts);
}

} // namespace

CTextFile::CTextFile(const char* path, bool cached) : m_bUseCache(cached)
{
    m_strLine.reserve(kPieceSize + 1);
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
    m_strPath = ec ? std::string(path) : absolute.lexically_normal().string();
}

bool CTextFile::Open(const char* mode)
{
    if (m_fp)
        return false;
    m_fp = std::fopen(m_strPath.c_str(), mode);
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
    std::FILE* fp = std::fopen(m_strPath.c_str(), "r");
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
        if (!ReadPiece(m_fp, m_strLine)) {
            m_nReadLine = 0; // the buffer no longer holds the line last read
            return nullptr;
        }
        if (!m_strLine.empty() && m_strLine.back() == '\n')
            m_strLine.pop_back();
        ++m_nReadLine;
    }
    return m_strLine.c_str();
}

bool CTextFile::RestartStream()
{
    m_nReadLine = 0;
    // An edit replaces the file by a new one: read that one, not the old one the stream holds.
    struct stat held = {};
    struct stat onDisk = {};
    if (::fstat(::fileno(m_fp), &held) == 0 && ::stat(m_strPath.c_str(), &onDisk) == 0 &&
        !SameFile(held, onDisk)) {
        Close();
        return Open("r");
    }
    return Rewind();
}

const char* CTextFile::ReadNext()
{
    m_nReadLine = 0; // the stream has moved on and the buffer no longer holds the line last read
    if (!m_fp || !ReadPiece(m_fp, m_strLine))
        return nullptr;
    return m_strLine.c_str();
}

bool CTextFile::Stat()
{
    struct stat st = {};
    if (::stat(m_strPath.c_str(), &st) != 0) {
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
    if (!BuildCache(std::move(bytes.data), bytes.size))
        return false;
    // Taken before the bytes were read: a change meanwhile shows as a different stamp.
    m_stamp = StampOf(st);
    return true;
}

bool CTextFile::BuildCache(std::unique_ptr<char[]> bytes, size_t size)
{
    FreeCache();
    CTextFile::Offsets starts;
    if (IndexPlainLines<true>(bytes.get(), size, starts)) {
        if (starts.size() == 1)
            return false;   // no line
        bytes[size] = '\0'; // ends a last line that has no line end
        AdoptPlainCache(std::move(bytes), size, std::move(starts));
        return true;
    }
    // Line ends of other kinds, or over-long lines: read piece by piece. A piece cut from an
    // over-long line has no line end to write a terminator over; its copy follows the bytes.
    const std::string_view content(bytes.get(), size);
    std::string cutPieces;
    starts.clear();
    ForEachPiece(content, [&](const Piece& piece) {
        const std::string_view text = PieceText(piece);
        const auto start = static_cast<size_t>(text.data() - bytes.get());
        const size_t end = start + text.size();
        if (piece.hasLineFeed || end == size) {
            bytes[end] = '\0'; // over the CR or LF that ends the line, or the final terminator
            starts.push_back(start);
        } else {
            starts.push_back(size + 1 + cutPieces.size());
            cutPieces.append(text);
            cutPieces.push_back('\0');
        }
    });
    if (starts.empty())
        return false;
    if (!cutPieces.empty()) {
        auto joined = std::make_unique_for_overwrite<char[]>(size + 1 + cutPieces.size());
        std::memcpy(joined.get(), bytes.get(), size + 1);
        std::memcpy(joined.get() + size + 1, cutPieces.data(), cutPieces.size());
        bytes = std::move(joined);
    }
    starts.push_back(size);
    AdoptPlainCache(std::move(bytes), size, std::move(starts));
    m_bPlain = false;
    return true;
}

void CTextFile::AdoptPlainCache(std::unique_ptr<char[]> bytes, size_t size, CTextFile::Offsets starts)
{
    m_pCache = std::move(bytes);
    m_nCacheSize = size;
    m_lineStarts = std::move(starts);
    m_nCount = static_cast<unsigned>(m_lineStarts.size() - 1);
    m_bLoaded = m_nCount > 0;
    m_bPlain = true;
    m_stamp = {};
}

std::string CTextFile::PlainCacheBytes() const
{
    std::string bytes(m_pCache.get(), m_nCacheSize);
    for (size_t k = 1; k < m_lineStarts.size(); ++k) {
        const size_t end = m_lineStarts[k];
        if (bytes[end - 1] == '\n')
            bytes[end - 2] = '\r';
    }
    return bytes;
}

bool CTextFile::FreeCache()
{
    m_pCache.reset();
    m_nCacheSize = 0;
    m_lineStarts = {};
    m_nCount = 0;
    m_bLoaded = false;
    m_bPlain = false;
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
    return m_bLoaded && ::stat(m_strPath.c_str(), &st) == 0 && m_stamp.Proves(StampOf(st));
}

const char* CTextFile::GetLine(unsigned n)
{
    if (!m_bUseCache)
        return ReadLine(n);
    if (!m_bLoaded && !LoadCache())
        return nullptr;
    if (n == 0 || n > m_nCount)
        return nullptr;
    return m_pCache.get() + m_lineStarts[n - 1];
}

struct CTextFile::Segment
{
    bool isText = false;
    size_t from = 0; // old lines from..to - 1, counted from 0
    size_t to = 0;
    std::string_view bytes;    // new bytes as written on disk
    CTextFile::Offsets starts; // where the lines of bytes start, when they are plain lines

    static Segment OldLines(size_t from, size_t to) { return {false, from, std::max(from, to), {}, {}}; }
    static Segment Text(std::string_view bytes) { return {true, 0, 0, bytes, {}}; }
};

namespace {

using Segment = CTextFile::Segment;
using EditKind = CTextFile::EditKind;

// A text as text mode writes it: each line feed becomes CR LF.
std::string DiskForm(std::string_view text)
{
    std::string out;
    AppendTextMode(out, text);
    return out;
}

// The new content of a file of count lines after one single-line edit: the lines before n (at
// most max - 1 of them for a limited insert), the text, the rest.
std::vector<Segment> SingleEditPlan(EditKind kind, unsigned n, long long max, std::string_view text,
                                    size_t count)
{
    const long long keepOld = kind == EditKind::InsertLimited ? max - 1 : static_cast<long long>(count);
    const auto kept = static_cast<size_t>(std::clamp<long long>(keepOld, 0, static_cast<long long>(count)));
    const size_t at = std::min<size_t>(n - 1, kept);
    std::vector<Segment> plan;
    plan.push_back(Segment::OldLines(0, at));
    if (kind != EditKind::Delete)
        plan.push_back(Segment::Text(text));
    const bool dropsOne = (kind == EditKind::Replace || kind == EditKind::Delete) && at < count;
    plan.push_back(
        Segment::OldLines(at + (dropsOne ? 1 : 0), kind == EditKind::InsertLimited ? kept : count));
    return plan;
}

// A last line without a line end is ended before anything is written after it, so that two
// lines never merge.
bool EndsOpenLastLine(size_t consumed, size_t count, bool lastLineOpen)
{
    return lastLineOpen && count > 0 && consumed == count;
}

// The new content from the pieces of a file of any kind.
std::string ComposePieces(const std::vector<Piece>& pieces, const std::vector<Segment>& plan)
{
    std::string out;
    size_t total = 2;
    for (const Piece& p : pieces)
        total += p.raw.size() + 1;
    for (const Segment& segment : plan)
        total += segment.bytes.size();
    out.reserve(total);
    const bool lastOpen = !pieces.empty() && !pieces.back().hasLineFeed;
    size_t consumed = 0;
    for (const Segment& segment : plan) {
        if (segment.isText) {
            if (EndsOpenLastLine(consumed, pieces.size(), lastOpen))
                out.append("\r\n");
            out.append(segment.bytes);
            continue;
        }
        for (size_t i = segment.from; i < segment.to && i < pieces.size(); ++i)
            AppendPiece(out, pieces[i]);
        consumed = std::max(consumed, std::min(segment.to, pieces.size()));
    }
    return out;
}

// The bytes and lines of a file of plain lines (see IndexPlainLines), and where they start.
struct PlainSource
{
    const char* bytes = nullptr; // terminators may stand in place of the CRs of line ends
    const CTextFile::Offsets* starts = nullptr;
    size_t Count() const { return starts->size() - 1; }
    bool LastLineOpen() const { return Count() > 0 && bytes[starts->back() - 1] != '\n'; }
};

// Whether the new content is plain lines again when spliced from a plain source, so that its
// line starts follow from the source's without reading it again. Fills the starts of the
// text segments.
bool CanSplice(const PlainSource& source, std::vector<Segment>& plan)
{
    const CTextFile::Offsets& starts = *source.starts;
    const size_t count = source.Count();
    size_t consumed = 0;
    for (Segment& segment : plan) {
        if (!segment.isText) {
            consumed = std::max(consumed, std::min(segment.to, count));
            continue;
        }
        if (!IsPlainText(segment.bytes, segment.starts))
            return false;
        if (!segment.bytes.empty() && segment.bytes.back() != '\n')
            return false; // it would run into the line after it
        // An open last line ended here must stay one piece with its new line end.
        if (EndsOpenLastLine(consumed, count, source.LastLineOpen()) &&
            starts[count] - starts[count - 1] > CTextFile::kPieceSize - 1)
            return false;
    }
    return true;
}

// The new content spliced from a plain source with one copy per run of old lines: its bytes
// with CR LF line ends (room for a terminator after them), and its line starts.
struct Spliced
{
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    CTextFile::Offsets starts;
};

Spliced Splice(const PlainSource& source, const std::vector<Segment>& plan)
{
    const CTextFile::Offsets& from = *source.starts;
    const size_t count = source.Count();
    const bool lastOpen = source.LastLineOpen();
    Spliced out;
    size_t lines = 0;
    size_t consumed = 0;
    for (const Segment& segment : plan) {
        if (segment.isText) {
            out.size += segment.bytes.size() + (EndsOpenLastLine(consumed, count, lastOpen) ? 2 : 0);
            lines += segment.starts.size() - 1;
        } else if (segment.to > segment.from) {
            out.size += from[segment.to] - from[segment.from];
            lines += segment.to - segment.from;
            consumed = segment.to;
        }
    }
    out.bytes = std::make_unique_for_overwrite<char[]>(out.size + 1);
    out.starts.resize(lines + 1);
    char* bytes = out.bytes.get();
    size_t* starts = out.starts.data();
    size_t pos = 0;
    size_t line = 0;
    consumed = 0;
    for (const Segment& segment : plan) {
        if (segment.isText) {
            if (EndsOpenLastLine(consumed, count, lastOpen)) {
                bytes[pos++] = '\r';
                bytes[pos++] = '\n';
            }
            for (size_t k = 0; k + 1 < segment.starts.size(); ++k)
                starts[line++] = pos + segment.starts[k];
            if (!segment.bytes.empty())
                std::memcpy(bytes + pos, segment.bytes.data(), segment.bytes.size());
            pos += segment.bytes.size();
            continue;
        }
        if (segment.to <= segment.from)
            continue;
        const size_t begin = from[segment.from];
        const size_t length = from[segment.to] - begin;
        std::memcpy(bytes + pos, source.bytes + begin, length);
        const size_t shift = pos - begin; // modulo arithmetic: adding it moves each start to pos
        const size_t* old = from.data();
        for (size_t k = segment.from; k < segment.to; ++k)
            starts[line++] = old[k] + shift;
        // The CR of each line end, where the source may hold a terminator instead.
        const size_t ended = segment.to == count && lastOpen ? segment.to - 1 : segment.to;
        for (size_t k = segment.from; k < ended; ++k)
            bytes[old[k + 1] + shift - 2] = '\r';
        pos += length;
        consumed = segment.to;
    }
    starts[line] = out.size;
    return out;
}

// Writes a terminator over the CR of each line end of spliced content, and after its last line.
void TerminateLines(Spliced& content)
{
    char* bytes = content.bytes.get();
    bytes[content.size] = '\0';
    for (size_t k = 1; k < content.starts.size(); ++k) {
        const size_t end = content.starts[k];
        if (bytes[end - 1] == '\n')
            bytes[end - 2] = '\0';
    }
}

} // namespace

bool CTextFile::InsertLine(unsigned n, std::string_view text)
{
    return n != 0 && Edit(EditKind::Insert, n, std::string(text) + '\n', 0);
}

bool CTextFile::InsertLineLimited(unsigned n, std::string_view text, int max)
{
    return n != 0 && Edit(EditKind::InsertLimited, n, std::string(text) + '\n', max);
}

bool CTextFile::ReplaceLine(unsigned n, std::string_view text)
{
    return n != 0 && Edit(EditKind::Replace, n, text, 0);
}

bool CTextFile::DeleteLine(unsigned n)
{
    return n != 0 && Edit(EditKind::Delete, n, {}, 0);
}

bool CTextFile::Edit(EditKind kind, unsigned n, std::string_view text, int max)
{
    const std::string bytes = DiskForm(text);
    return Rewrite([&](size_t count) { return SingleEditPlan(kind, n, max, bytes, count); });
}

bool CTextFile::DeleteLines(std::vector<unsigned> lineNumbers)
{
    if (lineNumbers.empty())
        return true;
    std::sort(lineNumbers.begin(), lineNumbers.end());
    if (lineNumbers.front() == 0)
        return false;
    return Rewrite([&](size_t count) {
        std::vector<Segment> plan;
        size_t kept = 0; // the first old line not yet placed
        for (const unsigned n : lineNumbers) {
            if (n > count)
                break;
            if (n - 1 >= kept) {
                plan.push_back(Segment::OldLines(kept, n - 1));
                kept = n;
            }
        }
        plan.push_back(Segment::OldLines(kept, count));
        return plan;
    });
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
    return Rewrite([&](size_t) { return std::vector<Segment>{Segment::Text(bytes)}; });
}

bool CTextFile::Rewrite(const EditPlan& planFor)
{
    Close(); // the stream would read the replaced file; later reads reopen by the path
    auto fail = [this](int error) {
        m_nLastError = error;
        return false;
    };
    const ReplaceTarget resolved = FindReplaceTarget(m_strPath);
    if (resolved.path.empty())
        return fail(resolved.error);
    const std::string& target = resolved.path;

    // A cache that still holds what the file holds is the old content: no need to read it.
    struct stat st = {};
    bool fromCache = false;
    if (m_bLoaded && m_bPlain) {
        if (::stat(target.c_str(), &st) == 0)
            fromCache = m_stamp.Proves(StampOf(st));
        else if (errno != ENOENT)
            return fail(errno);
    }
    FileBytes read;
    bool exists = true;
    if (!fromCache) {
        errno = 0;
        const ReadResult result = ReadWholeFile(target, read, &st);
        if (result == ReadResult::Failed)
            return fail(errno);
        exists = result == ReadResult::Ok;
    }
    if (const int refusal = exists ? RewriteRefusal(target, st) : 0)
        return fail(refusal);
    const struct stat* original = exists ? &st : nullptr;

    CTextFile::Offsets readStarts;
    const bool plain = fromCache || IndexPlainLines<false>(read.data.get(), read.size, readStarts);
    const PlainSource source{fromCache ? m_pCache.get() : read.data.get(),
                             fromCache ? &m_lineStarts : &readStarts};
    // The old content as it is on disk, for a rewrite of any other kind and to put it back.
    std::string cachedBytes;
    auto oldBytes = [&]() -> std::string_view {
        if (!fromCache)
            return {read.data.get(), read.size};
        if (cachedBytes.empty())
            cachedBytes = PlainCacheBytes();
        return cachedBytes;
    };

    Spliced spliced;
    std::string composed;
    std::string_view content;
    std::vector<Segment> plan;
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
        if (spliced.bytes) {
            TerminateLines(spliced);
            AdoptPlainCache(std::move(spliced.bytes), spliced.size, std::move(spliced.starts));
        } else {
            auto bytes = std::make_unique_for_overwrite<char[]>(composed.size() + 1);
            std::memcpy(bytes.get(), composed.data(), composed.size());
            BuildCache(std::move(bytes), composed.size());
        }
        if (now && m_bLoaded)
            m_stamp = StampOf(*now);
    };

    const ReplaceOutcome outcome = ReplaceFileAtomically(target, content, original);
    m_nLastError = outcome.error;
    ReplaceResult result = outcome.result;
    struct stat now = {};
    if (result == ReplaceResult::Done) {
        if (!m_bLoaded)
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
    if (!RestoreFile(target, oldBytes(), original) && m_bLoaded)
        adoptNewContent(nullptr); // the new lines stay in the file, so the cache must show them
    return false;
}
