// Reads a file of arbitrary bytes (line ends of every kind, NUL bytes, long lines, invalid
// Shift-JIS) with the text file, applies a random sequence of edits, and compares every step with
// a model of the lines kept here: the lines read, the cache, what a stdio stream reads
// (tests/support/TextStream.h) and the exact bytes on disk.
//
// The model works on the text as a text-mode stream delivers it (CR LF read as one line feed, a
// lone CR kept), cuts it into pieces of at most 1023 bytes that end after a line feed, and
// writes a line feed back as CR LF.
#include "store/TextFile.h"
#include "support/TextStream.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* kFile = "fuzz.txt";
constexpr size_t kPiece = 1023;

void Require(bool ok, const char* what)
{
    if (ok)
        return;
    std::fprintf(stderr, "text file differs from the model: %s\n", what);
    std::abort();
}

std::string Escaped(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes.substr(0, 300)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c >= 0x20 && c < 0x7F && c != '\\' ? "%c" : "\\x%02X", c);
        out += hex;
    }
    return bytes.size() > 300 ? out + "... (" + std::to_string(bytes.size()) + " bytes)" : out;
}

void RequireSame(const std::string& actual, const std::string& expected, const char* what)
{
    if (actual != expected)
        std::fprintf(stderr, "actual:   %s\nexpected: %s\n", Escaped(actual).c_str(),
                     Escaped(expected).c_str());
    Require(actual == expected, what);
}

std::string Translate(const std::string& raw)
{
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            continue;
        out += raw[i];
    }
    return out;
}

std::string OnDisk(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::vector<std::string> Pieces(const std::string& text)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        piece += c;
        if (c == '\n' || piece.size() == kPiece) {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

// What a C string of the line shows: up to its line feed or its first NUL byte.
std::string Shown(std::string piece, bool keepLineFeed)
{
    if (!keepLineFeed && !piece.empty() && piece.back() == '\n')
        piece.pop_back();
    return piece.substr(0, piece.find('\0'));
}

enum Kind
{
    kInsert,
    kInsertLimited,
    kReplace,
    kDelete
};

// The text after one edit: the lines before n (at most max - 1 of them for a limited insert),
// the text and a line feed, the rest; a last line without line feed is ended before text is
// written after it.
std::string Edit(const std::string& text, Kind kind, unsigned n, const std::string& newText, int max)
{
    const std::vector<std::string> pieces = Pieces(text);
    const long long keep = kind == kInsertLimited ? static_cast<long long>(max) - 1 : (1LL << 40);
    std::string out;
    size_t next = 0;
    long long copied = 0;
    for (; next < pieces.size() && next + 1 < n && copied < keep; ++next, ++copied)
        out += pieces[next];
    if (kind != kDelete) {
        if (next == pieces.size() && !pieces.empty() && pieces.back().back() != '\n')
            out += '\n';
        out += newText;
        out += '\n';
    }
    if ((kind == kReplace || kind == kDelete) && next < pieces.size())
        ++next;
    for (; next < pieces.size() && copied < keep; ++next, ++copied)
        out += pieces[next];
    return out;
}

std::string ReadFile()
{
    std::ifstream in(kFile, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CompareCache(CTextFile& file, const std::string& text)
{
    const std::vector<std::string> pieces = Pieces(text);
    Require(file.GetLine(0) == nullptr, "line 0 is found");
    if (pieces.empty()) {
        Require(file.GetLine(1) == nullptr && file.GetLineCount() == 0, "an empty file shows lines");
        return;
    }
    Require(file.GetLine(1) != nullptr, "line 1 missing");
    Require(file.GetLineCount() == pieces.size(), "line count");
    for (unsigned i = 0; i < pieces.size(); ++i)
        Require(file.GetLine(i + 1) == Shown(pieces[i], false), "cached line");
    Require(file.GetLine(static_cast<unsigned>(pieces.size()) + 1) == nullptr, "a line beyond the end");
}

void CompareStream(const std::string& text, FuzzedDataProvider& fdp)
{
    const std::vector<std::string> pieces = Pieces(text);
    CTextStream plain(kFile);
    for (unsigned i = 0; i < pieces.size(); ++i) {
        const char* line = plain.ReadLine(i + 1);
        Require(line && line == Shown(pieces[i], false), "line read from the stream");
    }
    Require(plain.ReadLine(static_cast<unsigned>(pieces.size()) + 1) == nullptr,
            "stream read beyond the end");
    if (pieces.empty())
        return;
    const unsigned n = fdp.ConsumeIntegralInRange<unsigned>(1, static_cast<unsigned>(pieces.size()));
    Require(plain.ReadLine(n) && plain.ReadLine(n) == Shown(pieces[n - 1], false), "line read again");
    if (n < pieces.size()) {
        const char* next = plain.ReadNext();
        Require(next && next == Shown(pieces[n], true), "next piece");
    }
    Require(plain.ReadLine(n) && plain.ReadLine(n) == Shown(pieces[n - 1], false),
            "line read after ReadNext");
}

std::string ConsumeText(FuzzedDataProvider& fdp, size_t maxLength)
{
    std::string text = fdp.ConsumeRandomLengthString(maxLength);
    if (fdp.ConsumeBool()) { // a long run of one byte, to reach lines beyond one piece
        const size_t at = fdp.ConsumeIntegralInRange<size_t>(0, text.size());
        const size_t length = fdp.ConsumeIntegralInRange<size_t>(0, 2 * kPiece + 60);
        text.insert(at, length, fdp.ConsumeIntegral<char>());
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The edits write "~tempfile" into the current directory: work in a folder of our own.
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    static std::string dir = (base / "velliqa-fuzz-XXXXXX").string();
    if (!::mkdtemp(dir.data()) || ::chdir(dir.c_str()) != 0)
        std::abort();
    // A run that ends normally leaves nothing behind; one that finds a fault keeps the folder.
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider fdp(data, size);
    const std::string raw = ConsumeText(fdp, 4096);
    {
        std::ofstream out(kFile, std::ios::binary | std::ios::trunc);
        out.write(raw.data(), static_cast<std::streamsize>(raw.size()));
    }
    std::string text = Translate(raw);
    std::string disk = raw;
    CTextFile file;
    file.SetPath(kFile);
    Require(file.Reload() == !Pieces(text).empty(), "Reload result");
    CompareCache(file, text);
    CompareStream(text, fdp);

    for (int step = 0; step < 8 && fdp.remaining_bytes() > 0; ++step) {
        const auto kind = static_cast<Kind>(fdp.ConsumeIntegralInRange<int>(kInsert, kDelete));
        const unsigned count = static_cast<unsigned>(Pieces(text).size());
        const unsigned n = fdp.ConsumeIntegralInRange<unsigned>(0, count + 2);
        const int max = fdp.ConsumeIntegralInRange<int>(-2, static_cast<int>(count) + 2);
        const std::string newText = ConsumeText(fdp, 64);
        bool ok = false;
        switch (kind) {
        case kInsert:
            ok = file.InsertLine(n, newText);
            break;
        case kInsertLimited:
            ok = file.InsertLineLimited(n, newText, max);
            break;
        case kReplace:
            ok = file.ReplaceLine(n, newText);
            break;
        case kDelete:
            ok = file.DeleteLine(n);
            break;
        }
        Require(ok == (n != 0), "edit result");
        if (n != 0) {
            text = Edit(text, kind, n, newText, max);
            disk = OnDisk(text);
        }
        RequireSame(ReadFile(), disk, "bytes on disk"); // line 0 leaves even the line ends alone
        Require(!std::filesystem::exists(CTextFile::kTempFileName), "~tempfile left behind");
        CompareCache(file, text);
    }
    CompareStream(text, fdp);
    return 0;
}
