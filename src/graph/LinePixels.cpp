#include "graph/LinePixels.h"

#include <algorithm>

namespace {

// Coordinates may lie billions of pixels away; products of two such numbers need 128 bits.
using Wide = __int128;
using UWide = unsigned __int128;

constexpr int kDotOn = 3;     // a dotted pen paints this many pixels,
constexpr int kDotPeriod = 6; // then leaves as many unpainted

Wide Abs(Wide v)
{
    return v < 0 ? -v : v;
}

// The offset across the longer axis at step i, round(i * delta / steps) with halves rounded
// upwards, kept as a quotient and a remainder over 2 * steps. Since |delta| <= steps, each step
// moves the quotient by at most one, so no division is needed per pixel.
class AcrossOffset
{
public:
    AcrossOffset(Wide first, Wide delta, Wide steps) : m_divisor(2 * steps), m_increment(2 * delta)
    {
        // first * delta over steps, rounded down. Both factors can reach 2^64 on a line across
        // the whole coordinate range: only an unsigned 128-bit product holds them.
        const UWide product = static_cast<UWide>(first) * static_cast<UWide>(Abs(delta));
        m_quotient = static_cast<Wide>(product / static_cast<UWide>(steps));
        Wide remainder = static_cast<Wide>(product % static_cast<UWide>(steps));
        if (delta < 0) {
            m_quotient = -m_quotient;
            if (remainder != 0) {
                --m_quotient;
                remainder = steps - remainder;
            }
        }
        // Half a step more, over 2 * steps: the rounding of halves upwards.
        m_remainder = 2 * remainder + steps;
        if (m_remainder >= m_divisor) {
            m_remainder -= m_divisor;
            ++m_quotient;
        }
    }
    Wide Value() const { return m_quotient; }
    void Step()
    {
        m_remainder += m_increment;
        if (m_remainder >= m_divisor) {
            m_remainder -= m_divisor;
            ++m_quotient;
        } else if (m_remainder < 0) {
            m_remainder += m_divisor;
            --m_quotient;
        }
    }

private:
    Wide m_divisor;
    Wide m_increment;
    Wide m_quotient = 0;
    Wide m_remainder = 0;
};

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
    if (first > last)
        return pixels;

    pixels.reserve(static_cast<size_t>(last - first + 1));
    AcrossOffset offset(first, xMajor ? dy : dx, steps);
    int phase = static_cast<int>(first % kDotPeriod); // where the dots stand at the first step
    for (Wide i = first; i <= last; ++i, offset.Step(), phase = (phase + 1) % kDotPeriod) {
        if (style == PenStyle::Dotted && phase >= kDotOn)
            continue;
        const Wide along = along0 + dir * i;
        const Wide across = across0 + offset.Value();
        const Wide x = xMajor ? along : across;
        const Wide y = xMajor ? across : along;
        if (x >= 0 && x < width && y >= 0 && y < height)
            pixels.push_back({static_cast<int>(x), static_cast<int>(y)});
    }
    return pixels;
}
