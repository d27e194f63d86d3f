#pragma once
// The lines of a file held in memory: the file's bytes as read, with a terminator written over
// the first byte of each line end, and the offset of each line's text in them, so that loading
// copies no line and a line is found in constant time. Only a piece of an over-long line has no
// line end to write over; copies of such pieces follow the file's bytes.

#include "store/LineIndex.h"
#include "store/LineSplice.h"

#include <cstddef>
#include <memory>
#include <string>

class CLineCache
{
public:
    // Makes the bytes (size of them, with room for one more) the cache: plain lines through the
    // line index, bytes of any other kind piece by piece. False, and empty, when they hold no line.
    bool Build(std::unique_ptr<char[]> bytes, size_t size);
    // Takes spliced content, its lines terminated (TerminateLines), as the cache.
    void Adopt(SplicedContent content);
    void Clear();

    unsigned GetLineCount() const { return m_nCount; }
    // The text of line n without its line end; null for 0 or beyond the last line.
    const char* GetLine(unsigned n) const
    {
        if (n == 0 || n > m_nCount)
            return nullptr;
        return m_pBytes.get() + m_lineStarts[n - 1];
    }

    // Every line ends with CR LF (the last may lack its end) and none is cut: the offsets are
    // where the lines start on disk too, so that an edit can splice the cached bytes into the new
    // content instead of reading the file again.
    bool IsPlain() const { return m_bPlain; }
    PlainSource Source() const { return {m_pBytes.get(), &m_lineStarts}; }
    // The bytes on disk of the file that a plain cache holds.
    std::string PlainBytes() const;

private:
    void AdoptLines(std::unique_ptr<char[]> bytes, size_t size, LineOffsets starts, bool plain);

    std::unique_ptr<char[]> m_pBytes;
    size_t m_nSize = 0;       // the file's bytes in m_pBytes
    LineOffsets m_lineStarts; // m_nCount + 1 offsets: line i + 1 starts at index i
    unsigned m_nCount = 0;
    bool m_bPlain = false;
};
