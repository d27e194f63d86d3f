#pragma once
// The graph page's picture as data: the newest measurements in, an ordered list of drawing
// operations out. Nothing here touches a screen or a file; the page performs the operations.
//
// A value v (mmHg) lies at y = H - 2v, the newest record at the right edge (x = W - 20) and
// older ones to its left. The picture is: a white background inside the frame ring, a dotted
// grey grid every 10 mmHg with labels every 20, the maximum (solid) and minimum (dotted)
// pressures of all plotted records in red, then the same pair for each of the types 1 to 4
// that the selected entry asks for, in the type's own colour.

#include "platform/Rgb.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

class CTextFile;

// One plotted record: fields 2, 3 and 6 of its record line, read by the atol rule.
struct GraphRecord
{
    long max = 0;
    long min = 0;
    long type = 0; // 0-based line of the type file; any number an edited file holds
    friend bool operator==(const GraphRecord&, const GraphRecord&) = default;
};

enum class PenStyle
{
    Solid,
    Dotted,
};

// Paints the rectangle; its colour also becomes the background colour of later text.
struct FillOp
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    Rgb colour;
    friend bool operator==(const FillOp&, const FillOp&) = default;
};

// The lines that follow use this cosmetic pen.
struct PenOp
{
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Rgb colour;
    friend bool operator==(const PenOp&, const PenOp&) = default;
};

// From (x1, y1) to (x2, y2), the end pixel itself not painted. A value far beyond the
// surface gives a y far outside it, so the coordinates are 64-bit.
struct LineOp
{
    long long x1 = 0;
    long long y1 = 0;
    long long x2 = 0;
    long long y2 = 0;
    friend bool operator==(const LineOp&, const LineOp&) = default;
};

// Text with the top-left corner of its cell at (x, y), black on the current background colour.
struct TextOp
{
    int x = 0;
    int y = 0;
    std::string text;
    friend bool operator==(const TextOp&, const TextOp&) = default;
};

using GraphOp = std::variant<FillOp, PenOp, LineOp, TextOp>;

inline constexpr Rgb kGraphBackground{255, 255, 255};
inline constexpr Rgb kGraphGrid{178, 178, 178};
inline constexpr Rgb kGraphAll{255, 0, 0};

// Colour of the series of type k (1 to 4); the other types have no series.
Rgb GraphTypeColour(int type);

// The drawing operations for a surface of W x H pixels, the records in file order (the newest
// first) and the selected entry of the type list (0: every type, k: type k, -1: none).
std::vector<GraphOp> PlotGraph(int W, int H, const std::vector<GraphRecord>& records, int sel);

// The record of one line of the measurement file.
GraphRecord GraphRecordFromLine(std::string_view line);

// The records of lines 1 ... limit of a file (fewer when it has fewer lines).
std::vector<GraphRecord> ReadGraphRecords(CTextFile& file, long long limit);
