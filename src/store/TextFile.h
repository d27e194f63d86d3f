#pragma once
// Line-numbered access to one small text file, lines counted from 1.
//
// Texts are code page 932 bytes and are never converted. On disk every line ends with CR LF; in
// memory a line ends with one line feed, which the readers remove. A line longer than 1022
// bytes reads as pieces of at most 1023 bytes, and each piece counts as a line of its own.
//
// Every edit writes the complete new content to "~tempfile" beside the file, makes it durable and
// then puts it in place of the file in one atomic rename (store/AtomicReplace): the file always
// holds either its old or its new content, and an edit reports success only once the new content
// is on disk. A failed edit returns false, leaves the file and the cache as they were, and keeps
// the system's reason for GetLastError. The file keeps its permission bits; a symbolic link stays
// a link, and its final target is rewritten through a temporary file beside that target, on
// whatever file system it lies; a file without write permission is not rewritten. Other objects bound to the
// file see an edit at their next Reload, and GetFileStamp changes with every edit.

#include "store/AtomicReplace.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct stat;

// Identity and state of the file on disk, finer than whole seconds, so that a reader notices
// every rewrite.
struct FileStamp
{
    bool exists = false;
    long long device = 0;
    long long inode = 0;
    long long size = 0;
    long long mtimeNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class CTextFile
{
public:
    static constexpr unsigned kPieceSize = 1023; // bytes one read takes at the most
    static constexpr const char* kTempFileName = kReplaceTempFileName;

    explicit CTextFile(const char* path = nullptr, bool cached = false);
    virtual ~CTextFile();
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    // Resolves the path against the current directory; opens, closes and reloads nothing.
    void SetPath(std::string_view path);

    // Plain file layer. The stream reading mode (Open, ReadLine, ReadNext, Rewind) serves objects
    // constructed without the cached flag, which no page uses: every reader in the program works
    // on the cache. The data files use Open("a+") and Close to create an empty file, and the
    // tests and the fuzz target compare what the stream reads with what the cache holds.
    bool Open(const char* mode);
    bool Close();
    bool IsOpen() const { return m_fp != nullptr; }
    bool Rewind(); // also makes the next ReadLine count from line 1
    bool Exists();
    const char* ReadLine(unsigned n); // text of line n without its line feed; null for 0 or none
    const char* ReadNext();           // next piece with its line feed, or null at the end; the next
                                      // ReadLine then counts from line 1
    bool Stat();
    std::time_t GetModifiedTime(); // seconds since 1970, or -1
    FileStamp GetFileStamp() const;

    // Cache layer.
    bool IsLoaded() const { return m_bLoaded; }
    unsigned GetLineCount() const { return m_nCount; }
    bool LoadCache();
    bool FreeCache();
    bool Reload();
    // True when the cache is loaded and provably holds what the file holds now.
    bool IsCacheCurrent() const;
    const char* GetLine(unsigned n); // constant time in cached mode

    // Editing. Line number 0 changes nothing and returns false. InsertLine and InsertLineLimited
    // add the line feed; ReplaceLine writes the text as given. An edit that writes after a last
    // line without line feed ends that line first. The stream is closed afterwards.
    bool InsertLine(unsigned n, std::string_view text);
    bool InsertLineLimited(unsigned n, std::string_view text, int max);
    bool ReplaceLine(unsigned n, std::string_view text);
    bool DeleteLine(unsigned n);
    // The system's reason (an errno value) why the last edit failed, 0 when it succeeded or no
    // reason is known.
    int GetLastError() const { return m_nLastError; }

    // Whole-file edits, each one rewrite like the edits above: all of it is done, or none.
    // DeleteLines removes the lines with the given numbers (in any order; numbers beyond the
    // end and repeated numbers change nothing more); a 0 among them changes nothing and returns
    // false, and an empty list returns true without touching the file.
    bool DeleteLines(std::vector<unsigned> lineNumbers);
    // ReplaceAllLines makes the lines the file's whole content, each ended by CR LF, so that an
    // empty text still counts as a line and only an empty list leaves an empty file (as deleting
    // every line does). A line holding a line feed would read back as two lines: the call then
    // changes nothing and returns false. A line longer than 1022 bytes reads back as pieces.
    bool ReplaceAllLines(const std::vector<std::string>& lines);

    // The four single-line edits, as the rewrite tells them apart.
    enum class EditKind
    {
        Insert,
        InsertLimited,
        Replace,
        Delete
    };

    // Offsets of lines in a file's bytes. Their storage is not cleared when it grows, as the line
    // index writes every offset at once.
    template <typename T> struct CUninitialisedAllocator : std::allocator<T>
    {
        template <typename U> struct rebind
        {
            using other = CUninitialisedAllocator<U>;
        };
        template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
        template <typename U, typename... A> void construct(U* p, A&&... args)
        {
            ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
        }
    };
    using Offsets = std::vector<size_t, CUninitialisedAllocator<size_t>>;

    // One part of a file's new content: a run of its old lines, or new bytes as written on disk.
    struct Segment;
    // The new content of a file that holds the given number of lines.
    using EditPlan = std::function<std::vector<Segment>(size_t lineCount)>;

private:
    // What identifies the content of the file on disk: the same file, size and modification
    // and change times (no program can set the change time back) mean the same bytes. Unless
    // the file changed within the clock tick in which the stamp was taken: a change later in
    // that tick would leave the same times, so such a stamp proves nothing.
    struct CacheStamp
    {
        long long device = -1;
        long long inode = -1;
        long long size = -1;
        long long mtimeNs = -1;
        long long ctimeNs = -1;
        long long takenNs = -1; // when the stamp was taken, by the clock that file times come from
        // True when the file, stamped now, is unchanged since this stamp was taken.
        bool Proves(const CacheStamp& now) const
        {
            return ctimeNs < takenNs && device == now.device && inode == now.inode && size == now.size &&
                   mtimeNs == now.mtimeNs && ctimeNs == now.ctimeNs;
        }
    };

    static CacheStamp StampOf(const struct stat& st);
    // Rewrites the file with one edit (see TextFile.cpp).
    bool Edit(EditKind kind, unsigned n, std::string_view text, int max);
    bool Rewrite(const EditPlan& plan);
    // Rewinds the stream for reading from line 1, reopening it when the file has been replaced.
    bool RestartStream();
    // Makes the bytes (size of them, with room for one more) the cache; false (and not loaded)
    // when they hold no line.
    bool BuildCache(std::unique_ptr<char[]> bytes, size_t size);
    // The cache of a file whose lines need no cutting and end with CR LF.
    void AdoptPlainCache(std::unique_ptr<char[]> bytes, size_t size, Offsets starts);
    // The bytes of the file that a plain cache holds.
    std::string PlainCacheBytes() const;

    std::string m_strPath;
    unsigned m_nReadLine = 0;
    std::string m_strLine; // the line last read by ReadLine or ReadNext
    std::FILE* m_fp = nullptr;
    std::time_t m_mtime = -1;
    int m_nLastError = 0;
    bool m_bUseCache = false;
    bool m_bLoaded = false;
    unsigned m_nCount = 0;
    // The cache keeps the file's bytes as read, with a terminator written over the first byte of
    // each line end, and the offset of each line's text in them: loading copies no line. Only a
    // piece of an over-long line has no line end to write over; copies of such pieces follow the
    // file's bytes.
    std::unique_ptr<char[]> m_pCache;
    size_t m_nCacheSize = 0; // the file's bytes in m_pCache
    Offsets m_lineStarts;    // m_nCount + 1 offsets: line i + 1 starts at index i
    // Every line ends with CR LF (the last may lack its end) and none is cut: the offsets are
    // where the lines start on disk too, and an edit splices the cached bytes into the new
    // content instead of reading the file again, as long as the file keeps m_stamp.
    bool m_bPlain = false;
    CacheStamp m_stamp;
};
