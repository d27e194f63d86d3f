#pragma once
// The pixels a one-pixel pen paints for a line of the graph, as the desktop's line drawing has
// always painted them: from the start pixel up to, but not including, the end pixel, one pixel
// per step along the longer axis, and for a dotted pen three pixels on and three off counted
// from the start. Only pixels inside the surface are returned, so a line that runs millions of
// pixels beyond the surface costs no more than one that fits.

#include "graph/PlotGraph.h"

#include <vector>

struct Pixel
{
    int x = 0;
    int y = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// The painted pixels of the line inside [0, width) x [0, height), in drawing order.
std::vector<Pixel> LinePixels(const LineOp& line, PenStyle style, int width, int height);
