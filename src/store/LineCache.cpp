#include "store/LineCache.h"

#include "store/LinePieces.h"

#include <cstring>
#include <string_view>

bool CLineCache::Build(std::unique_ptr<char[]> bytes, size_t size)
{
    Clear();
    LineOffsets starts;
    if (IndexAndTerminatePlainLines(bytes.get(), size, starts)) {
        if (starts.size() == 1)
            return false;   // no line
        bytes[size] = '\0'; // ends a last line that has no line end
        AdoptLines(std::move(bytes), size, std::move(starts), true);
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
    AdoptLines(std::move(bytes), size, std::move(starts), false);
    return true;
}

void CLineCache::Adopt(SplicedContent content)
{
    AdoptLines(std::move(content.bytes), content.size, std::move(content.starts), true);
}

void CLineCache::AdoptLines(std::unique_ptr<char[]> bytes, size_t size, LineOffsets starts, bool plain)
{
    m_pBytes = std::move(bytes);
    m_nSize = size;
    m_lineStarts = std::move(starts);
    m_nCount = static_cast<unsigned>(m_lineStarts.size() - 1);
    m_bPlain = plain;
}

void CLineCache::Clear()
{
    m_pBytes.reset();
    m_nSize = 0;
    m_lineStarts = {};
    m_nCount = 0;
    m_bPlain = false;
}

std::string CLineCache::PlainBytes() const
{
    std::string bytes(m_pBytes.get(), m_nSize);
    for (size_t k = 1; k < m_lineStarts.size(); ++k) {
        const size_t end = m_lineStarts[k];
        if (bytes[end - 1] == '\n')
            bytes[end - 2] = '\r';
    }
    return bytes;
}
