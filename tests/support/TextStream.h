#pragma once
// Reading a text file line by line through a stdio stream, as text mode reads it (CR LF is one
// line feed, a lone CR stays in the text, a line longer than 1023 bytes reads as pieces): the
// independent reader that the text file's tests and fuzz target compare its cache with.

#include <cstdio>
#include <ctime>
#include <string>
#include <sys/stat.h>
#include <utility>

class CTextStream
{
public:
    static constexpr size_t kPieceSize = 1023;

    explicit CTextStream(std::string path) : m_strPath(std::move(path)) {}
    ~CTextStream() { Close(); }
    CTextStream(const CTextStream&) = delete;
    CTextStream& operator=(const CTextStream&) = delete;

    // The text of line n without its line feed; null for 0 or beyond the last line. Going back
    // reads the file again from line 1, by its path when it has been replaced.
    const char* ReadLine(unsigned n)
    {
        if (!m_fp && !Open())
            return nullptr;
        if ((n < m_nReadLine || m_nReadLine == 0) && !Restart())
            return nullptr;
        if (n == 0)
            return nullptr;
        while (m_nReadLine < n) {
            if (!ReadPiece()) {
                m_nReadLine = 0; // the buffer no longer holds the line last read
                return nullptr;
            }
            if (!m_strLine.empty() && m_strLine.back() == '\n')
                m_strLine.pop_back();
            ++m_nReadLine;
        }
        return m_strLine.c_str();
    }

    // The next piece with its line feed, or null at the end or before the first ReadLine; the
    // next ReadLine then counts from line 1.
    const char* ReadNext()
    {
        m_nReadLine = 0;
        if (!m_fp || !ReadPiece())
            return nullptr;
        return m_strLine.c_str();
    }

    // Seconds since 1970 of the file's last change, or -1.
    std::time_t GetModifiedTime() const
    {
        struct stat st = {};
        return ::stat(m_strPath.c_str(), &st) == 0 ? st.st_mtime : -1;
    }

private:
    bool Open()
    {
        m_fp = std::fopen(m_strPath.c_str(), "r");
        m_nReadLine = 0;
        return m_fp != nullptr;
    }
    void Close()
    {
        if (m_fp)
            std::fclose(m_fp);
        m_fp = nullptr;
        m_nReadLine = 0;
    }
    bool Restart()
    {
        m_nReadLine = 0;
        struct stat held = {};
        struct stat onDisk = {};
        if (::fstat(::fileno(m_fp), &held) == 0 && ::stat(m_strPath.c_str(), &onDisk) == 0 &&
            (held.st_dev != onDisk.st_dev || held.st_ino != onDisk.st_ino)) {
            Close();
            return Open();
        }
        return std::fseek(m_fp, 0, SEEK_SET) == 0;
    }
    bool ReadPiece()
    {
        m_strLine.clear();
        int c = 0;
        while (m_strLine.size() < kPieceSize && (c = std::getc(m_fp)) != EOF) {
            if (c == '\r') {
                const int next = std::getc(m_fp);
                if (next == '\n') {
                    m_strLine += '\n';
                    break;
                }
                if (next != EOF)
                    std::ungetc(next, m_fp);
            }
            m_strLine += static_cast<char>(c);
            if (c == '\n')
                break;
        }
        return !m_strLine.empty();
    }

    std::string m_strPath;
    std::FILE* m_fp = nullptr;
    unsigned m_nReadLine = 0;
    std::string m_strLine; // the line last read
};
