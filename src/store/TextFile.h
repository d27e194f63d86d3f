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

#include <cstdio>
#include <ctime>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One cached line: a node of the doubly linked list of lines, owned by its CTextFile.
class CTextLine
{
public:
    virtual ~CTextLine() = default;

    unsigned m_nLineNo = 0;
    CTextLine* m_pPrev = nullptr;
    CTextLine* m_pNext = nullptr;
    const char* m_pszText = nullptr; // without its line feed; owned by the CTextFile
};

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
    static constexpr const char* kTempFileName = "~tempfile";

    explicit CTextFile(const char* path = nullptr, bool cached = false);
    virtual ~CTextFile();
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    // Resolves the path against the current directory; opens, closes and reloads nothing.
    void SetPath(std::string_view path);
    const std::string& GetPath() const { return m_szPath; }

    // Plain file layer.
    bool Open(const char* mode);
    bool Close();
    bool IsOpen() const { return m_fp != nullptr; }
    bool Rewind(); // also makes the next ReadLine count from line 1
    bool Exists();
    const char* ReadLine(unsigned n); // text of line n without its line feed; null for 0 or none
    const char* ReadNext();           // next piece with its line feed, or null at the end; the next
                                      // ReadLine then counts from line 1
    bool PutString(std::string_view s);
    bool Stat();
    std::time_t GetModifiedTime(); // seconds since 1970, or -1
    FileStamp GetFileStamp() const;

    // Cache layer.
    bool IsCached() const { return m_bUseCache; }
    bool IsLoaded() const { return m_bLoaded; }
    unsigned GetLineCount() const { return m_nCount; }
    bool LoadCache();
    bool FreeCache();
    bool Reload();
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

private:
    // Rewrites the file with one edit (see TextFile.cpp); kind is the edit's EditKind.
    bool Edit(int kind, unsigned n, std::string_view text, int max);
    // Rewinds the stream for reading from line 1, reopening it when the file has been replaced.
    bool RestartStream();
    // Fills the cache from the file's bytes; false (and not loaded) when they hold no line.
    bool BuildCache(std::string bytes);

    std::string m_szPath;
    unsigned m_nReadLine = 0;
    std::string m_pBuf;
    std::FILE* m_fp = nullptr;
    std::time_t m_mtime = -1;
    int m_nLastError = 0;
    bool m_bUseCache = false;
    bool m_bLoaded = false;
    unsigned m_nCount = 0;
    // The cache keeps the file's bytes as read, with a terminator written over each line end,
    // and the lines point into them: loading copies no line. Only a piece of an over-long line
    // has no line end to write over and keeps a copy of its own.
    std::string m_cacheBytes;
    std::deque<std::string> m_cutPieces;
    std::vector<CTextLine> m_lines; // the cached lines; index i holds line i + 1
    CTextLine* m_pFirst = nullptr;
    CTextLine* m_pLast = nullptr;
};
