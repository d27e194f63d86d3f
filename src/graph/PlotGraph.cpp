#include "graph/PlotGraph.h"

#include "record/RecordLine.h"
#include "store/TextFile.h"

#include <algorithm>

namespace {

// Records sit this far from the left and right edges; the grid spans the same width.
constexpr int kMargin = 20;
constexpr int kGridStep = 20; // pixels between grid lines: 10 mmHg
constexpr int kLabelRise = 8; // a label's cell starts this far above its grid line

long long ValueY(int H, long v)
{
    return static_cast<long long>(H) - 2LL * v;
}

void AddGrid(std::vector<GraphOp>& ops, int W, int H)
{
    ops.emplace_back(PenOp{PenStyle::Dotted, 1, kGraphGrid});
    for (int i = 1; i < H / kGridStep; ++i) {
        const int y = H - kGridStep * i;
        ops.emplace_back(LineOp{kMargin, y, W - kMargin, y});
        if (i % 2 == 0)
            ops.emplace_back(TextOp{W - 2 * kMargin, y - kLabelRise, std::to_string(10 * i)});
    }
}

// One series: points spread from the right edge leftwards with the given step, joined in order.
template <typename Value>
void AddSeries(std::vector<GraphOp>& ops, int W, int H, const std::vector<const GraphRecord*>& points,
               Value value)
{
    if (points.size() < 2)
        return;
    const long long step = (W - 2 * kMargin) / static_cast<long long>(points.size() - 1);
    for (size_t m = 1; m < points.size(); ++m) {
        const long long x0 = W - kMargin - static_cast<long long>(m - 1) * step;
        ops.emplace_back(
            LineOp{x0, ValueY(H, value(*points[m - 1])), x0 - step, ValueY(H, value(*points[m]))});
    }
}

void AddPair(std::vector<GraphOp>& ops, int W, int H, const std::vector<const GraphRecord*>& points,
             Rgb colour)
{
    ops.emplace_back(PenOp{PenStyle::Solid, 1, colour});
    AddSeries(ops, W, H, points, [](const GraphRecord& r) { return r.max; });
    ops.emplace_back(PenOp{PenStyle::Dotted, 1, colour});
    AddSeries(ops, W, H, points, [](const GraphRecord& r) { return r.min; });
}

} // namespace

Rgb GraphTypeColour(int type)
{
    switch (type) {
    case 1:
        return {0, 255, 0};
    case 2:
        return {0, 0, 255};
    case 3:
        return {255, 0, 255};
    case 4:
        return {0, 255, 255};
    default:
        return kGraphAll;
    }
}

std::vector<GraphOp> PlotGraph(int W, int H, const std::vector<GraphRecord>& records, int sel)
{
    std::vector<GraphOp> ops;
    // The outermost ring of pixels belongs to the frame.
    ops.emplace_back(FillOp{1, 1, std::max(0, W - 2), std::max(0, H - 2), kGraphBackground});

    // A surface too narrow for two points plots nothing: no step, no division by zero.
    const size_t n = std::min(records.size(), static_cast<size_t>(std::max(0, W - 2 * kMargin)));
    AddGrid(ops, W, H);
    if (n <= 1)
        return ops;

    std::vector<const GraphRecord*> all;
    all.reserve(n);
    for (size_t j = 0; j < n; ++j)
        all.push_back(&records[j]);
    AddPair(ops, W, H, all, kGraphAll);

    // Each type's points spread over the full width with their own step. A type index outside
    // 1-4 (type 0, 5-9, -1 from an entry without a type, anything an edited file holds) matches
    // none of them and takes part in the red pair only.
    for (int k = 1; k <= 4; ++k) {
        if (sel != 0 && sel != k)
            continue;
        std::vector<const GraphRecord*> ofType;
        for (const GraphRecord* r : all)
            if (r->type == k)
                ofType.push_back(r);
        AddPair(ops, W, H, ofType, GraphTypeColour(k));
    }
    return ops;
}

GraphRecord GraphRecordFromLine(std::string_view line)
{
    return {ReadRecordNumber(line, RecordField::Max), ReadRecordNumber(line, RecordField::Min),
            ReadRecordNumber(line, RecordField::Type)};
}

std::vector<GraphRecord> ReadGraphRecords(CTextFile& file, long long limit)
{
    const long long count = std::min<long long>(file.GetLineCount(), std::max(0LL, limit));
    std::vector<GraphRecord> records;
    records.reserve(static_cast<size_t>(count));
    for (long long n = 1; n <= count; ++n) {
        const char* line = file.GetLine(static_cast<unsigned>(n));
        records.push_back(GraphRecordFromLine(line ? line : ""));
    }
    return records;
}
