// The graph on arbitrary records, surface sizes and type selections, and the line pixels of
// every line it draws; then single lines with coordinates anywhere in the 64-bit range.
//
// The picture must begin with its background fill and never fill again (a fill after a line
// would wipe it out), every line follows a pen, the grid and its labels come first, the record
// lines stay between the margins, and every pixel lies inside the surface, where the line
// drawing rule puts it.
#include "FuzzCheck.h"

#include "graph/LinePixels.h"
#include "graph/PlotGraph.h"

#include <algorithm>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

using Wide = __int128;
using UWide = unsigned __int128;

Wide Abs(Wide v)
{
    return v < 0 ? -v : v;
}

// round(product / steps) with halves rounded upwards, for product = i * delta of any 64-bit
// sizes (its magnitude fits 128 bits unsigned).
Wide RoundHalfUp(Wide i, Wide delta, Wide steps)
{
    const UWide magnitude = static_cast<UWide>(i) * static_cast<UWide>(Abs(delta));
    const UWide q = magnitude / static_cast<UWide>(steps);
    const UWide r = magnitude % static_cast<UWide>(steps);
    Wide quotient = static_cast<Wide>(q);
    Wide remainder = static_cast<Wide>(r);
    if (delta < 0 && remainder != 0) {
        quotient = -quotient - 1;
        remainder = steps - remainder;
    } else if (delta < 0) {
        quotient = -quotient;
    }
    return quotient + (2 * remainder >= steps ? 1 : 0);
}

struct Geometry
{
    bool xMajor;
    Wide steps, along0, across0, delta;
    int dir;

    explicit Geometry(const LineOp& line)
    {
        const Wide dx = Wide(line.x2) - line.x1;
        const Wide dy = Wide(line.y2) - line.y1;
        xMajor = Abs(dx) >= Abs(dy);
        steps = xMajor ? Abs(dx) : Abs(dy);
        along0 = xMajor ? line.x1 : line.y1;
        across0 = xMajor ? line.y1 : line.x1;
        delta = xMajor ? dy : dx;
        dir = (xMajor ? dx : dy) < 0 ? -1 : 1;
    }
    Wide StepOf(const Pixel& p) const { return ((xMajor ? p.x : p.y) - along0) * dir; }
    Wide AcrossAt(Wide i) const { return across0 + RoundHalfUp(i, delta, steps); }
    bool Inside(Wide i, int width, int height) const
    {
        const Wide along = along0 + dir * i;
        const Wide across = AcrossAt(i);
        const Wide x = xMajor ? along : across;
        const Wide y = xMajor ? across : along;
        return x >= 0 && x < width && y >= 0 && y < height;
    }
};

void CheckLine(const LineOp& line, PenStyle style, int width, int height)
{
    const std::vector<Pixel> pixels = LinePixels(line, style, width, height);
    const std::vector<Pixel> solid =
        style == PenStyle::Solid ? pixels : LinePixels(line, PenStyle::Solid, width, height);
    const Geometry g(line);
    Require(static_cast<Wide>(solid.size()) <= g.steps, "more pixels than steps");
    Wide previous = -1;
    int previousAcross = 0;
    // The exact rounding is checked on up to 64 pixels spread over the line; between them, each
    // step moves across by at most one pixel, in the line's direction.
    const size_t stride = solid.size() / 64 + 1;
    for (size_t k = 0; k < solid.size(); ++k) {
        const Pixel& p = solid[k];
        Require(p.x >= 0 && p.x < width && p.y >= 0 && p.y < height, "a pixel outside the surface");
        const Wide i = g.StepOf(p);
        const int across = g.xMajor ? p.y : p.x;
        Require(i >= 0 && i < g.steps, "a pixel beyond the line's ends");
        if (previous >= 0) {
            const int move = across - previousAcross;
            Require(i == previous + 1, "a gap inside a solid line");
            Require(move == 0 || (g.delta > 0 && move == 1) || (g.delta < 0 && move == -1),
                    "a jump inside a line");
        }
        if (k % stride == 0 || k + 1 == solid.size())
            Require(across == g.AcrossAt(i), "a pixel off the line");
        previous = i;
        previousAcross = across;
    }
    if (!solid.empty()) {
        // The pixels inside form one run: the steps just before and after it lie outside.
        const Wide first = g.StepOf(solid.front());
        Require(first == 0 || !g.Inside(first - 1, width, height), "the line starts late");
        Require(previous == g.steps - 1 || !g.Inside(previous + 1, width, height), "the line ends early");
    } else if (g.steps <= 256) {
        for (Wide i = 0; i < g.steps; ++i)
            Require(!g.Inside(i, width, height), "a pixel inside the surface is missing");
    }
    if (style == PenStyle::Dotted) {
        std::vector<Pixel> expected;
        for (const Pixel& p : solid)
            if (g.StepOf(p) % 6 < 3)
                expected.push_back(p);
        Require(pixels == expected, "dots out of their three-on, three-off rhythm");
    }
}

GraphRecord SomeRecord(FuzzedDataProvider& fdp)
{
    if (fdp.ConsumeBool())
        return GraphRecordFromLine(fdp.ConsumeRandomLengthString(40));
    return {fdp.ConsumeIntegral<std::int32_t>(), fdp.ConsumeIntegral<std::int32_t>(),
            fdp.ConsumeIntegralInRange<long>(-2, 6)};
}

void CheckGraph(int W, int H, const std::vector<GraphRecord>& records, int sel)
{
    const std::vector<GraphOp> ops = PlotGraph(W, H, records, sel);
    Require(!ops.empty() && std::get_if<FillOp>(&ops[0]) &&
                *std::get_if<FillOp>(&ops[0]) ==
                    FillOp{1, 1, std::max(0, W - 2), std::max(0, H - 2), kGraphBackground},
            "the picture does not begin with its background");
    const size_t n = std::min(records.size(), static_cast<size_t>(std::max(0, W - 40)));
    const PenOp* pen = nullptr;
    int pens = 0;
    size_t seriesLines = 0;
    int gridLines = 0;
    for (size_t k = 1; k < ops.size(); ++k) {
        const GraphOp& op = ops[k];
        Require(!std::holds_alternative<FillOp>(op), "a fill after the background");
        if (const auto* p = std::get_if<PenOp>(&op)) {
            pen = p;
            ++pens;
            continue;
        }
        Require(pen != nullptr, "drawing before a pen is chosen");
        if (const auto* t = std::get_if<TextOp>(&op)) {
            Require(pens == 1, "a label outside the grid");
            Require(t->x == W - 40 && (H - t->y - 8) % 40 == 0 &&
                        t->text == std::to_string((H - t->y - 8) / 2),
                    "a grid label that does not name its line");
            continue;
        }
        const LineOp& line = std::get<LineOp>(op);
        if (pens == 1) {
            Require(line.x1 == 20 && line.x2 == W - 20 && line.y1 == line.y2 && line.y1 > 0 && line.y1 < H,
                    "a grid line out of place");
            if (++gridLines > 1)
                continue; // the others differ only in their height
        } else {
            ++seriesLines;
            Require(line.x1 <= W - 20 && line.x2 >= 20 && line.x2 < line.x1,
                    "a record line beyond the margins");
        }
        CheckLine(line, pen->style, W, H);
    }
    if (n <= 1) {
        Require(pens == 1 && seriesLines == 0, "fewer than two records draw lines");
        return;
    }
    size_t expectedLines = 2 * (n - 1);
    int expectedPens = 3;
    for (int k = 1; k <= 4; ++k) {
        if (sel != 0 && sel != k)
            continue;
        const auto count = static_cast<size_t>(
            std::count_if(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(n),
                          [k](const GraphRecord& r) { return r.type == k; }));
        expectedLines += count >= 2 ? 2 * (count - 1) : 0;
        expectedPens += 2;
    }
    Require(pens == expectedPens && seriesLines == expectedLines, "series drawn or missing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider fdp(data, size);
    if (fdp.ConsumeIntegralInRange(0, 3) == 0) {
        const LineOp line{fdp.ConsumeIntegral<long long>(), fdp.ConsumeIntegral<long long>(),
                          fdp.ConsumeIntegral<long long>(), fdp.ConsumeIntegral<long long>()};
        const int width = fdp.ConsumeIntegralInRange(-2, 1024);
        const int height = fdp.ConsumeIntegralInRange(-2, 1024);
        CheckLine(line, fdp.ConsumeBool() ? PenStyle::Solid : PenStyle::Dotted, width, height);
        return 0;
    }
    const int W = fdp.ConsumeIntegralInRange(-64, 1300);
    const int H = fdp.ConsumeIntegralInRange(-64, 900);
    const int sel = fdp.ConsumeIntegralInRange(-2, 6);
    std::vector<GraphRecord> records;
    while (fdp.remaining_bytes() > 0)
        records.push_back(SomeRecord(fdp));
    CheckGraph(W, H, records, sel);
    return 0;
}
