#pragma once
// Reading a file's bytes of any kind as text mode reads them, piece by piece: CR LF is one line
// end, a lone LF also ends a line, a lone CR stays in the text, and a line longer than
// kLinePieceSize bytes reads as pieces of that size. The general reader behind the line index
// (store/LineIndex.h), for files that this program did not write.

#include "store/LineIndex.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// One piece of a file as the line readers see it: translated text (CR LF read as LF) of at most
// kLinePieceSize bytes, and whether it ended with a line feed.
struct Piece
{
    std::string_view raw; // the bytes on disk
    bool hasLineFeed = false;
};

// Visits the pieces of a file's bytes in order.
template <typename Visit> void ForEachPiece(std::string_view bytes, Visit&& visit)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t rest = bytes.size() - pos;
        const size_t window = std::min(rest, kLinePieceSize + 1);
        const void* lf = std::memchr(bytes.data() + pos, '\n', window);
        if (lf) {
            const size_t rawLen = static_cast<const char*>(lf) - (bytes.data() + pos) + 1;
            const bool crlf = rawLen >= 2 && bytes[pos + rawLen - 2] == '\r';
            const size_t translatedLen = rawLen - (crlf ? 1 : 0);
            if (translatedLen <= kLinePieceSize) {
                visit(Piece{bytes.substr(pos, rawLen), true});
                pos += rawLen;
                continue;
            }
        }
        // No line end within reach: a piece of the line's bytes (none of them a line end).
        const size_t take = std::min(rest, kLinePieceSize);
        visit(Piece{bytes.substr(pos, take), false});
        pos += take;
    }
}

// Every piece of a file's bytes, in order.
std::vector<Piece> SplitPieces(std::string_view bytes);

// The piece's text without its line end.
std::string_view PieceText(const Piece& piece);

// Appends the piece as it is written back: its text, and CR LF when it ended a line.
void AppendPiece(std::string& out, const Piece& piece);
