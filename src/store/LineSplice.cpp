#include "store/LineSplice.h"

#include <algorithm>
#include <cstring>

namespace {

// A last line without a line end is ended before anything is written after it, so that two
// lines never merge.
bool EndsOpenLastLine(size_t consumed, size_t count, bool lastLineOpen)
{
    return lastLineOpen && count > 0 && consumed == count;
}

} // namespace

bool CanSplice(const PlainSource& source, std::vector<EditSegment>& plan)
{
    const LineOffsets& starts = *source.starts;
    const size_t count = source.Count();
    size_t consumed = 0;
    for (EditSegment& segment : plan) {
        if (!segment.isText) {
            consumed = std::max(consumed, std::min(segment.to, count));
            continue;
        }
        if (!IndexPlainLines(segment.bytes, segment.starts))
            return false;
        if (!segment.bytes.empty() && segment.bytes.back() != '\n')
            return false; // it would run into the line after it
        // An open last line ended here must stay one piece with its new line end.
        if (EndsOpenLastLine(consumed, count, source.LastLineOpen()) &&
            starts[count] - starts[count - 1] > kLinePieceSize - 1)
            return false;
    }
    return true;
}

SplicedContent Splice(const PlainSource& source, const std::vector<EditSegment>& plan)
{
    const LineOffsets& from = *source.starts;
    const size_t count = source.Count();
    const bool lastOpen = source.LastLineOpen();
    SplicedContent out;
    size_t lines = 0;
    size_t consumed = 0;
    for (const EditSegment& segment : plan) {
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
    for (const EditSegment& segment : plan) {
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

void TerminateLines(SplicedContent& content)
{
    char* bytes = content.bytes.get();
    bytes[content.size] = '\0';
    for (size_t k = 1; k < content.starts.size(); ++k) {
        const size_t end = content.starts[k];
        if (bytes[end - 1] == '\n')
            bytes[end - 2] = '\0';
    }
}

std::string ComposePieces(const std::vector<Piece>& pieces, const std::vector<EditSegment>& plan)
{
    std::string out;
    size_t total = 2;
    for (const Piece& p : pieces)
        total += p.raw.size() + 1;
    for (const EditSegment& segment : plan)
        total += segment.bytes.size();
    out.reserve(total);
    const bool lastOpen = !pieces.empty() && !pieces.back().hasLineFeed;
    size_t consumed = 0;
    for (const EditSegment& segment : plan) {
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
