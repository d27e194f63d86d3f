#pragma once
// Where the lines of a file's bytes start, for files as this program writes them: every line
// ends with CR LF and holds at most 1022 bytes of text, and only the last may lack its line end
// (it then holds at most 1023). The line ends are found 64 bytes at a time (SSE2, or AVX2 where
// the processor has it), and the work per line has no branch. Bytes of any other kind are read
// piece by piece instead (store/LinePieces.h).

#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// The most bytes of text one read of a line gives: a longer line reads as pieces of this size,
// and each piece counts as a line of its own.
inline constexpr size_t kLinePieceSize = 1023;

// An allocator whose storage is not cleared when a vector grows, as the line index writes every
// offset at once.
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

// Offsets of lines in a file's bytes.
using LineOffsets = std::vector<size_t, CUninitialisedAllocator<size_t>>;

// Finds the lines of bytes of the kind above: starts receives the offset of each line and then
// the end of the bytes. False for bytes of any other kind.
bool IndexPlainLines(std::string_view bytes, LineOffsets& starts);

// The same, and writes a terminator over the CR of each line end, so that each line but the
// last reads as a C string where it stands. Bytes of any other kind give false and are left as
// they were.
bool IndexAndTerminatePlainLines(char* data, size_t size, LineOffsets& starts);
