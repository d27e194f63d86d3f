// The graph's drawing operations: background, grid, the red pair and the type pairs.
#include "graph/PlotGraph.h"
#include "store/TextFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::vector<GraphRecord> Records(std::initializer_list<GraphRecord> list)
{
    return list;
}

// The operations after the grid: from the solid red pen on.
std::vector<GraphOp> Series(const std::vector<GraphOp>& ops)
{
    for (size_t i = 1; i < ops.size(); ++i)
        if (ops[i] == GraphOp(PenOp{PenStyle::Solid, 1, kGraphAll}))
            return {ops.begin() + static_cast<long>(i), ops.end()};
    return {};
}

std::vector<LineOp> LinesAfter(const std::vector<GraphOp>& ops, const PenOp& pen)
{
    std::vector<LineOp> lines;
    bool inside = false;
    for (const GraphOp& op : ops) {
        if (const auto* p = std::get_if<PenOp>(&op))
            inside = *p == pen;
        else if (const auto* line = std::get_if<LineOp>(&op); line && inside)
            lines.push_back(*line);
    }
    return lines;
}

std::vector<PenOp> Pens(const std::vector<GraphOp>& ops)
{
    std::vector<PenOp> pens;
    for (const GraphOp& op : Series(ops))
        if (const auto* p = std::get_if<PenOp>(&op))
            pens.push_back(*p);
    return pens;
}

const PenOp kRedMax{PenStyle::Solid, 1, kGraphAll};
const PenOp kRedMin{PenStyle::Dotted, 1, kGraphAll};
const PenOp kGreenMax{PenStyle::Solid, 1, {0, 255, 0}};

} // namespace

TEST(PlotGraph, NoRecordOrOneRecordDrawsTheBackgroundAndTheGridOnly)
{
    const std::vector<GraphOp> expected{
        FillOp{1, 1, 398, 98, kGraphBackground},
        PenOp{PenStyle::Dotted, 1, kGraphGrid},
        LineOp{20, 80, 380, 80},
        LineOp{20, 60, 380, 60},
        TextOp{360, 52, "20"},
        LineOp{20, 40, 380, 40},
        LineOp{20, 20, 380, 20},
        TextOp{360, 12, "40"},
    };
    EXPECT_EQ(PlotGraph(400, 100, {}, 0), expected);
    EXPECT_EQ(PlotGraph(400, 100, Records({{120, 80, 1}}), 0), expected);
}

TEST(PlotGraph, GridOfHeights59And60)
{
    const std::vector<GraphOp> h59{FillOp{1, 1, 398, 57, kGraphBackground},
                                   PenOp{PenStyle::Dotted, 1, kGraphGrid}, LineOp{20, 39, 380, 39}};
    EXPECT_EQ(PlotGraph(400, 59, {}, 0), h59);
    const std::vector<GraphOp> h60{FillOp{1, 1, 398, 58, kGraphBackground},
                                   PenOp{PenStyle::Dotted, 1, kGraphGrid}, LineOp{20, 40, 380, 40},
                                   LineOp{20, 20, 380, 20}, TextOp{360, 12, "20"}};
    EXPECT_EQ(PlotGraph(400, 60, {}, 0), h60);
}

TEST(PlotGraph, TwoRecordsDrawOneSegmentFromTheRightEdgeToTheLeft)
{
    const std::vector<GraphOp> expected{
        kRedMax, LineOp{380, 60, 20, 20}, kRedMin, LineOp{380, 140, 20, 120},
        // Every type's pens are set even when it has no line to draw.
        kGreenMax, PenOp{PenStyle::Dotted, 1, {0, 255, 0}}, PenOp{PenStyle::Solid, 1, {0, 0, 255}},
        PenOp{PenStyle::Dotted, 1, {0, 0, 255}}, PenOp{PenStyle::Solid, 1, {255, 0, 255}},
        PenOp{PenStyle::Dotted, 1, {255, 0, 255}}, PenOp{PenStyle::Solid, 1, {0, 255, 255}},
        PenOp{PenStyle::Dotted, 1, {0, 255, 255}}};
    EXPECT_EQ(Series(PlotGraph(400, 300, Records({{120, 80, 0}, {140, 90, 0}}), 0)), expected);
}

TEST(PlotGraph, MoreRecordsThanTheWidthShowOnlyTheNewestOnePixelApart)
{
    std::vector<GraphRecord> records;
    for (long i = 0; i < 15; ++i)
        records.push_back({i, 0, 0});
    const std::vector<LineOp> lines = LinesAfter(PlotGraph(50, 300, records, -1), kRedMax);
    ASSERT_EQ(lines.size(), 9u); // W - 40 = 10 records
    EXPECT_EQ(lines.front(), (LineOp{30, 300, 29, 298}));
    EXPECT_EQ(lines.back(), (LineOp{22, 284, 21, 282}));
}

TEST(PlotGraph, EachTypeSpreadsOverTheFullWidthWithItsOwnStep)
{
    std::vector<GraphRecord> records;
    for (long i = 1; i <= 10; ++i)
        records.push_back({100 + i, 50 + i, (i == 2 || i == 5 || i == 9) ? 1 : 0});
    const std::vector<GraphOp> ops = PlotGraph(400, 400, records, 1);
    const std::vector<LineOp> red = LinesAfter(ops, kRedMax);
    ASSERT_EQ(red.size(), 9u);
    for (size_t j = 0; j < red.size(); ++j)
        EXPECT_EQ(red[j].x1 - red[j].x2, 40) << j;
    EXPECT_EQ(red.front().x1, 380);
    EXPECT_EQ(red.back().x2, 20);
    const std::vector<LineOp> green{{380, 400 - 2 * 102, 200, 400 - 2 * 105},
                                    {200, 400 - 2 * 105, 20, 400 - 2 * 109}};
    EXPECT_EQ(LinesAfter(ops, kGreenMax), green);
    EXPECT_EQ(LinesAfter(ops, PenOp{PenStyle::Dotted, 1, {0, 255, 0}}).back(),
              (LineOp{200, 400 - 2 * 55, 20, 400 - 2 * 59}));
}

TEST(PlotGraph, TheSelectedEntryChoosesTheColouredPairs)
{
    std::vector<GraphRecord> records;
    for (long type : {1, 2, 3, 4, 1, 2, 3, 4})
        records.push_back({130, 80, type});
    const auto typePens = [&](int sel) {
        std::vector<PenOp> pens = Pens(PlotGraph(400, 300, records, sel));
        return std::vector<PenOp>(pens.begin() + 2, pens.end());
    };
    EXPECT_EQ(typePens(0).size(), 8u);
    EXPECT_EQ(typePens(2),
              (std::vector<PenOp>{{PenStyle::Solid, 1, {0, 0, 255}}, {PenStyle::Dotted, 1, {0, 0, 255}}}));
    EXPECT_TRUE(typePens(-1).empty());
    EXPECT_TRUE(typePens(5).empty());
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(
            LinesAfter(PlotGraph(400, 300, records, 0), PenOp{PenStyle::Solid, 1, GraphTypeColour(k)}).size(),
            1u);
}

TEST(PlotGraph, ATypeWithOnePointSetsItsPensButDrawsNoLine)
{
    const std::vector<GraphOp> ops =
        PlotGraph(400, 300, Records({{130, 80, 2}, {120, 70, 1}, {125, 75, 2}}), 1);
    const std::vector<GraphOp> tail(ops.end() - 2, ops.end());
    EXPECT_EQ(tail, (std::vector<GraphOp>{kGreenMax, PenOp{PenStyle::Dotted, 1, {0, 255, 0}}}));
}

TEST(PlotGraph, TypesOutsideOneToFourTakePartInTheRedPairOnly)
{
    const std::vector<GraphRecord> records{{2147483647, -2147483647 - 1, -1},
                                           {120, 80, 10},
                                           {120, 80, 1000000},
                                           {120, 80, 7},
                                           {120, 80, 0},
                                           {120, 80, -2147483648L}};
    const std::vector<GraphOp> ops = PlotGraph(400, 300, records, 0);
    EXPECT_EQ(LinesAfter(ops, kRedMax).size(), 5u);
    // The extreme values lie far outside the surface without overflowing.
    EXPECT_EQ(LinesAfter(ops, kRedMax).front().y1, 300 - 4294967294LL);
    EXPECT_EQ(LinesAfter(ops, kRedMin).front().y1, 300 + 4294967296LL);
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(LinesAfter(ops, PenOp{PenStyle::Solid, 1, GraphTypeColour(k)}).empty()) << k;
}

TEST(PlotGraph, ASurfaceFortyPixelsWideOrLessDrawsNoSeries)
{
    const auto records = Records({{120, 80, 1}, {130, 85, 1}, {125, 82, 1}});
    for (int w : {41, 40, 39, 0, -5}) {
        const std::vector<GraphOp> ops = PlotGraph(w, 100, records, 0);
        EXPECT_TRUE(Series(ops).empty()) << w;
        EXPECT_EQ(std::get<FillOp>(ops.front()).width, std::max(0, w - 2)) << w;
    }
    EXPECT_FALSE(Series(PlotGraph(42, 100, records, 0)).empty());
}

TEST(GraphRecords, AreReadFromFieldsTwoThreeAndSixByTheAtolRule)
{
    EXPECT_EQ(GraphRecordFromLine("2004/5/3 07:05:09,135,85,72,1,1,after a walk"), (GraphRecord{135, 85, 1}));
    EXPECT_EQ(GraphRecordFromLine("x, 12abc,,60,0,-1"), (GraphRecord{12, 0, -1}));
    EXPECT_EQ(GraphRecordFromLine("only the date"), (GraphRecord{0, 0, 0}));

    ScopedDataDir dir;
    WriteBytes("data.txt", "d,1,2,3,0,4,c\r\nd,5,6,7,0,3,c\r\nd,8,9,10,0,2,c\r\n");
    CTextFile file;
    file.SetPath("data.txt");
    file.Reload();
    EXPECT_EQ(ReadGraphRecords(file, 2), (std::vector<GraphRecord>{{1, 2, 4}, {5, 6, 3}}));
    EXPECT_EQ(ReadGraphRecords(file, 100).size(), 3u);
    EXPECT_TRUE(ReadGraphRecords(file, -10).empty());
}
