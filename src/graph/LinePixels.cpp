#include "graph/LinePixels.h"

#include <algorithm>

namespace {

// Coordinates may lie billions of pixels away; products of two such numbers need 128 bits.
using Wide = __int128;

constexpr int kDotOn = 3;     // a dotted pen paints this many pixels,
constexpr int kDotPeriod = 6; // then leaves as many unpainted

Wide Abs(Wide v)
{
    return v < 0 ? -v : v;
}

// num / den rounded to the nearest integer, halves upwards; den > 0.
Wide RoundedQuotient(Wide num, Wide den)
{
    const Wide n = 2 * num + den;
    const Wide d = 2 * den;
    Wide q = n / d;
    if (n % d != 0 && n < 0)
        --q;
    return q;
}

} // namespace

std::vector<Pixel> LinePixels(const LineOp& line, PenStyle style, int width, int height)
{
    std::vector<Pixel> pixels;
    const Wide dx = Wide(line.x2) - line.x1;
    const Wide dy = Wide(line.y2) - line.y1;
    const bool xMajor = Abs(dx) >= Abs(dy);
    const Wide steps = xMajor ? Abs(dx) : Abs(dy); // the end pixel, step number `steps`, stays unpainted
    if (steps == 0 || width <= 0 || height <= 0)
        return pixels;

    // Along the longer axis each step moves one pixel: keep only the steps inside the surface.
    const Wide along0 = xMajor ? line.x1 : line.y1;
    const Wide across0 = xMajor ? line.y1 : line.x1;
    const Wide acrossDelta = xMajor ? dy : dx;
    const int dir = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const Wide lastAlong = (xMajor ? width : height) - 1;
    Wide first = 0;
    Wide last = steps - 1;
    if (dir > 0) {
        first = std::max(first, -along0);
        last = std::min(last, lastAlong - along0);
    } else {
        first = std::max(first, along0 - lastAlong);
        last = std::min(last, along0);
    }

    for (Wide i = first; i <= last; ++i) {
        if (style == PenStyle::Dotted && i % kDotPeriod >= kDotOn)
            continue;
        const Wide along = along0 + dir * i;
        const Wide across = across0 + RoundedQuotient(i * acrossDelta, steps);
        const Wide x = xMajor ? along : across;
        const Wide y = xMajor ? across : along;
        if (x < 0 || x >= width || y < 0 || y >= height)
            continue;
        pixels.push_back({static_cast<int>(x), static_cast<int>(y)});
    }
    return pixels;
}
