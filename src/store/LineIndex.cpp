#include "store/LineIndex.h"

#include <bit>
#include <cstdint>
#if defined(__x86_64__) || defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

// Bit j of lineFeeds (returns) is set where byte j of the 64 bytes at p is a LF (a CR).
[[gnu::always_inline]] inline void LineEndMasks(const char* p, uint64_t& lineFeeds, uint64_t& returns)
{
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const auto* blocks = reinterpret_cast<const __m128i*>(p);
    const __m128i b0 = _mm_loadu_si128(blocks);
    const __m128i b1 = _mm_loadu_si128(blocks + 1);
    const __m128i b2 = _mm_loadu_si128(blocks + 2);
    const __m128i b3 = _mm_loadu_si128(blocks + 3);
    auto bits = [](__m128i equal) {
        return static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(equal)));
    };
    lineFeeds = bits(_mm_cmpeq_epi8(b0, lf)) | bits(_mm_cmpeq_epi8(b1, lf)) << 16 |
                bits(_mm_cmpeq_epi8(b2, lf)) << 32 | bits(_mm_cmpeq_epi8(b3, lf)) << 48;
    returns = bits(_mm_cmpeq_epi8(b0, cr)) | bits(_mm_cmpeq_epi8(b1, cr)) << 16 |
              bits(_mm_cmpeq_epi8(b2, cr)) << 32 | bits(_mm_cmpeq_epi8(b3, cr)) << 48;
#else
    lineFeeds = 0;
    returns = 0;
    for (int j = 0; j < 64; ++j) {
        lineFeeds |= static_cast<uint64_t>(p[j] == '\n') << j;
        returns |= static_cast<uint64_t>(p[j] == '\r') << j;
    }
#endif
}

// The number of bits set, in a few instructions on every processor (the portable builds have
// no instruction for it, and the library call costs more than the count).
inline size_t CountBits(uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555ULL;
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<size_t>((x * 0x0101010101010101ULL) >> 56);
}

// Puts back the CRs that IndexPlainLinesWith wrote terminators over, before it found bytes of
// another kind.
template <bool Terminate> bool Unterminated(char* data, const size_t* starts, size_t n)
{
    if constexpr (Terminate)
        for (size_t k = 1; k < n; ++k)
            data[starts[k] - 2] = '\r';
    return false;
}

// Finds the lines of bytes that this program writes: every line ends with CR LF and holds at
// most 1022 bytes of text, and only the last may lack its line end (then it holds at most 1023).
// starts receives the offset of each line and then the end of the bytes. With Terminate, a
// terminator is written over the CR of each line end. Bytes of any other kind give false and
// are left as they were. The line ends are found 64 bytes at a time, and the work per line
// has no branch: a line costs a few instructions.
template <bool Terminate, void (*Masks)(const char*, uint64_t&, uint64_t&)>
inline bool IndexPlainLinesWith(char* data, size_t size, LineOffsets& starts)
{
    constexpr size_t kMaxRawLine = kLinePieceSize + 1; // 1022 bytes of text and CR LF
    size_t capacity = size / 40 + 130;                 // a record line is about 50 bytes; grows if need be
    starts.resize(capacity);
    size_t* out = starts.data();
    size_t n = 0;
    out[n++] = 0;
    size_t lineStart = 0;
    uint64_t crBefore = 0; // bit 0: the byte before the block is a CR
    char sink = 0;         // takes the terminators of the line ends that a block does not have
    size_t i = 0;
    for (; i + 64 <= size; i += 64) {
        uint64_t lineFeeds = 0;
        uint64_t returns = 0;
        Masks(data + i, lineFeeds, returns);
        const size_t firstEnd = i + static_cast<size_t>(std::countr_zero(lineFeeds)) + 1;
        const bool bareLineFeed = (lineFeeds & ~((returns << 1) | crBefore)) != 0;
        if (bareLineFeed || (lineFeeds != 0 && firstEnd - lineStart > kMaxRawLine))
            return Unterminated<Terminate>(data, out, n);
        crBefore = returns >> 63;
        lineStart = lineFeeds != 0 ? i + 64 - static_cast<size_t>(std::countl_zero(lineFeeds)) : lineStart;
        if (capacity - n < 64) {
            capacity *= 2;
            starts.resize(capacity);
            out = starts.data();
        }
        // The next line starts after each line feed: write two, keep as many as there are.
        uint64_t bits = lineFeeds;
        size_t* next = out + n;
        auto endAt = [&](size_t k, uint64_t& remaining) {
            const size_t at = i + static_cast<size_t>(std::countr_zero(remaining));
            next[k] = at + 1;
            if constexpr (Terminate)
                *(remaining != 0 ? data + at - 1 : &sink) = '\0';
            remaining &= remaining - 1;
        };
        endAt(0, bits);
        endAt(1, bits); // record lines are longer than 32 bytes: a block holds at most two line ends
        for (size_t k = 2; bits != 0; ++k)
            endAt(k, bits);
        n += CountBits(lineFeeds);
    }
    starts.resize(n + (size - i) + 2);
    out = starts.data();
    for (; i < size; ++i) {
        if (data[i] != '\n')
            continue;
        if (i == 0 || data[i - 1] != '\r' || i + 1 - lineStart > kMaxRawLine)
            return Unterminated<Terminate>(data, out, n);
        if constexpr (Terminate)
            data[i - 1] = '\0';
        lineStart = i + 1;
        out[n++] = lineStart;
    }
    if (lineStart < size) { // a last line without its line end
        if (size - lineStart > kLinePieceSize)
            return Unterminated<Terminate>(data, out, n);
        out[n++] = size;
    }
    starts.resize(n);
    return true;
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same masks from two 32-byte compares, on processors that have them (nearly all since 2013).
[[gnu::target("avx2")]] inline void LineEndMasksAvx2(const char* p, uint64_t& lineFeeds, uint64_t& returns)
{
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i cr = _mm256_set1_epi8('\r');
    lineFeeds =
        static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, lf))) |
        static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, lf)))) << 32;
    returns = static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, cr))) |
              static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, cr))))
                  << 32;
}

template <bool Terminate>
[[gnu::flatten, gnu::target("avx2,bmi,bmi2,popcnt,lzcnt")]] bool IndexPlainLinesAvx2(char* data, size_t size,
                                                                                     LineOffsets& starts)
{
    return IndexPlainLinesWith<Terminate, LineEndMasksAvx2>(data, size, starts);
}
#endif

template <bool Terminate> bool IndexLines(char* data, size_t size, LineOffsets& starts)
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool avx2 =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
    if (avx2)
        return IndexPlainLinesAvx2<Terminate>(data, size, starts);
#endif
    return IndexPlainLinesWith<Terminate, LineEndMasks>(data, size, starts);
}

} // namespace

bool IndexPlainLines(std::string_view bytes, LineOffsets& starts)
{
    return IndexLines<false>(const_cast<char*>(bytes.data()), bytes.size(), starts);
}

bool IndexAndTerminatePlainLines(char* data, size_t size, LineOffsets& starts)
{
    return IndexLines<true>(data, size, starts);
}
