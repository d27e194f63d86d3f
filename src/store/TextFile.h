#pragma once
// Line-numbered access to one small text file, lines counted from 1.
//
// Texts are code page 932 bytes and are never converted. On disk every line ends with CR LF; a
// line read from the file comes without its line end, and a line given to an edit is given
// without one: the file adds CR LF. A line longer than 1022 bytes reads as pieces of at most 1023
// bytes, and each piece counts as a line of its own.
//
// The lines are read into a cache (store/LineCache.h), found by the line index
// (store/LineIndex.h). Every edit is planned as runs of old lines and new bytes
// (store/EditPlan.h), composed from the cache when the file's stamp proves that it still holds
// the file (store/LineSplice.h), and written as the complete new content to "~tempfile" beside
// the file, made durable and put in place of the file in one atomic rename
// (store/AtomicReplace.h): the file always holds either its old or its new content, and an edit
// reports success only once the new content is on disk. A failed edit returns false, leaves the
// file and the cache as they were, and keeps the system's reason for GetLastError. The file
// keeps its permission bits; a symbolic link stays a link, and its final target is rewritten
// through a temporary file beside that target, on whatever file system it lies; a file without
// write permission is not rewritten. Other objects bound to the file see an edit at their next
// Reload, and GetFileStamp changes with every edit.

#include "store/AtomicReplace.h"
#include "store/EditPlan.h"
#include "store/LineCache.h"

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
    static constexpr const char* kTempFileName = ::kTempFileName;

    CTextFile() = default;
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    // Binds the object to a file: resolves the path against the current directory, and reads
    // nothing.
    void SetPath(std::string_view path);

    // The file on disk. Exists is true when the file can be opened for reading. CreateIfMissing
    // creates a missing file empty and leaves an existing one as it is; false, with the system's
    // reason for GetLastError, when the file could not be created.
    bool Exists() const;
    bool CreateIfMissing();
    FileStamp GetFileStamp() const;

    // The lines. A missing or empty file has none and never counts as loaded.
    bool IsLoaded() const { return m_cache.GetLineCount() > 0; }
    unsigned GetLineCount() const { return m_cache.GetLineCount(); }
    bool LoadCache();
    bool FreeCache();
    bool Reload();
    // True when the cache is loaded and provably holds what the file holds now.
    bool IsCacheCurrent() const;
    // The text of line n without its line end, in constant time; null for 0 or beyond the last
    // line. A file not yet read is read first.
    const char* GetLine(unsigned n);

    // Editing one line: text is the line without its line end. A line feed inside it ends a line
    // there, so that one edit may write several lines. Line number 0 changes nothing and returns
    // false. A line number beyond the end appends the line (a deletion there changes
    // nothing), and an edit that writes after a last line without line end ends that line first.
    // InsertLineLimited keeps the new line and at most max - 1 old ones, the first.
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
    bool Edit(LineEdit kind, unsigned n, std::string_view text, int max);
    // Rewrites the file with the content the plan gives for its lines (see TextFile.cpp).
    bool Rewrite(const EditPlan& plan);
    bool Fail(int error);

    std::string m_strPath;
    int m_nLastError = 0;
    CLineCache m_cache;
    // The stamp of the file that the cache holds, when it provably holds it: an edit then
    // splices the cached lines instead of reading the file again.
    CacheStamp m_stamp;
};
