#include "evaluation/EvaluationChart.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr int kMarkerHalf = 3;  // a marker spans 2 * kMarkerHalf + 1 pixels
constexpr int kSeriesWidth = 2; // pen width of the value lines
constexpr int kTickLength = 3;
constexpr int kGap = 4; // between a label and what it labels
constexpr long kRangePadding = 5;

long long DayIndex(CalendarDay first, CalendarDay day)
{
    return (std::chrono::sys_days{day} - std::chrono::sys_days{first}).count();
}

// A text's width in pixels: each byte of a code page 932 text is one digit wide, so a
// full-width character counts two.
int TextWidth(const std::string& cp932, const ChartTextMetrics& m)
{
    return static_cast<int>(cp932.size()) * m.digitWidth;
}

// The plot's rectangle, the y range and the day slots: where a value and a day lie.
struct ChartFrame
{
    int left = 0, top = 0, right = 0, bottom = 0;
    long low = 0, high = 0; // mmHg at the bottom and the top
    long long dayCount = 1;

    int X(long long dayIndex) const
    {
        return left + static_cast<int>((2 * dayIndex + 1) * (right - left) / (2 * dayCount));
    }
    int Y(double value) const
    {
        return bottom - static_cast<int>(std::lround((value - static_cast<double>(low)) * (bottom - top) /
                                                     static_cast<double>(high - low)));
    }
};

long FloorTo(long v, long step)
{
    return (v >= 0 ? v / step : -((-v + step - 1) / step)) * step;
}

long CeilTo(long v, long step)
{
    return -FloorTo(-v, step);
}

// The y range: every value and every line, with some room, in whole tens.
void FitRange(ChartFrame& f, const EvaluationChartInput& in)
{
    double low = static_cast<double>(std::min({kGuidelineMin, in.targetMin, in.targetMax, kGuidelineMax}));
    double high = static_cast<double>(std::max({kGuidelineMin, in.targetMin, in.targetMax, kGuidelineMax}));
    for (const DayOccasions& day : in.days) {
        if (DayIndex(in.first, day.day) < 0 || DayIndex(in.first, day.day) >= f.dayCount)
            continue;
        for (const std::optional<OccasionValue>* v : {&day.morning, &day.evening}) {
            if (!*v)
                continue;
            low = std::min({low, (*v)->min, (*v)->max});
            high = std::max({high, (*v)->min, (*v)->max});
        }
    }
    f.low = FloorTo(static_cast<long>(std::floor(low)) - kRangePadding, 10);
    f.high = CeilTo(static_cast<long>(std::ceil(high)) + kRangePadding, 10);
}

void AddYAxis(std::vector<GraphOp>& ops, const ChartFrame& f, const ChartTextMetrics& m)
{
    // The finest step whose labels do not meet.
    long step = 0;
    for (const long candidate : {10L, 20L, 50L, 100L, 200L, 500L, 1000L}) {
        step = candidate;
        if ((f.bottom - f.top) * step / (f.high - f.low) >= m.lineHeight + 2)
            break;
    }
    ops.emplace_back(PenOp{PenStyle::Dotted, 1, kGraphGrid});
    for (long v = CeilTo(f.low, step); v <= f.high; v += step) {
        const int y = f.Y(static_cast<double>(v));
        if (v > f.low && v < f.high)
            ops.emplace_back(LineOp{f.left, y, f.right, y});
        const std::string label = std::to_string(v);
        ops.emplace_back(TextOp{f.left - kGap - TextWidth(label, m), y - m.lineHeight / 2, label});
    }
}

void AddDateAxis(std::vector<GraphOp>& ops, const ChartFrame& f, CalendarDay first, const ChartTextMetrics& m)
{
    const long long slot = std::max<long long>(1, (f.right - f.left) / f.dayCount);
    const long long labelSpace = 5LL * m.digitWidth + 2LL * m.digitWidth; // "12/31" and a space
    const long long every = std::max<long long>(1, (labelSpace + slot - 1) / slot);
    ops.emplace_back(PenOp{PenStyle::Solid, 1, kChartAxisColour});
    // Counted back from the last day, so that the newest day always has its label.
    for (long long i = f.dayCount - 1; i >= 0; i -= every) {
        const int x = f.X(i);
        ops.emplace_back(LineOp{x, f.bottom, x, f.bottom + kTickLength});
        const std::string label = DayLabel(CalendarDay{std::chrono::sys_days{first} + std::chrono::days{i}});
        ops.emplace_back(TextOp{x - TextWidth(label, m) / 2, f.bottom + kTickLength + 1, label});
    }
}

// The horizontal lines with their labels right of the plot, moved apart where they would meet.
void AddReferenceLines(std::vector<GraphOp>& ops, const ChartFrame& f, const EvaluationChartInput& in,
                       const ChartTextMetrics& m)
{
    struct Line
    {
        long value;
        Rgb colour;
        PenStyle style;
        std::string name;
    };
    const std::string guideline = Cp932FromUtf8("基準 "), target = Cp932FromUtf8("目標 ");
    std::vector<Line> lines{{kGuidelineMax, kGuidelineColour, PenStyle::Solid, guideline},
                            {kGuidelineMin, kGuidelineColour, PenStyle::Solid, guideline},
                            {in.targetMax, kTargetColour, PenStyle::Dotted, target},
                            {in.targetMin, kTargetColour, PenStyle::Dotted, target}};
    std::vector<std::pair<int, std::string>> labels;
    for (const Line& line : lines) {
        const int y = f.Y(static_cast<double>(line.value));
        ops.emplace_back(PenOp{line.style, 1, line.colour});
        ops.emplace_back(LineOp{f.left, y, f.right, y});
        labels.emplace_back(y - m.lineHeight / 2, line.name + std::to_string(line.value));
    }
    std::sort(labels.begin(), labels.end());
    for (std::size_t i = 1; i < labels.size(); ++i)
        labels[i].first = std::max(labels[i].first, labels[i - 1].first + m.lineHeight);
    for (const auto& [y, text] : labels)
        ops.emplace_back(TextOp{f.right + kGap, y, text});
}

void AddMarker(std::vector<GraphOp>& ops, Occasion occasion, int x, int y)
{
    const int h = kMarkerHalf;
    if (occasion == Occasion::Morning) { // a square
        ops.emplace_back(LineOp{x - h, y - h, x + h, y - h});
        ops.emplace_back(LineOp{x + h, y - h, x + h, y + h});
        ops.emplace_back(LineOp{x + h, y + h, x - h, y + h});
        ops.emplace_back(LineOp{x - h, y + h, x - h, y - h});
        return;
    }
    // a cross
    ops.emplace_back(LineOp{x - h, y - h, x + h + 1, y + h + 1});
    ops.emplace_back(LineOp{x - h, y + h, x + h + 1, y - h - 1});
}

Rgb ColourOf(Occasion occasion)
{
    return occasion == Occasion::Morning ? kMorningColour : kEveningColour;
}

// One occasion: the maximum line (solid), the minimum line (dotted), joining only values of
// consecutive days, then a marker at every value.
void AddSeries(std::vector<GraphOp>& ops, const ChartFrame& f, const EvaluationChartInput& in,
               Occasion occasion)
{
    struct Point
    {
        long long day;
        double max, min;
    };
    std::vector<Point> points;
    for (const DayOccasions& day : in.days) {
        const long long i = DayIndex(in.first, day.day);
        if (const std::optional<OccasionValue>& v = day.Of(occasion); v && i >= 0 && i < f.dayCount)
            points.push_back({i, v->max, v->min});
    }
    for (const bool max : {true, false}) {
        ops.emplace_back(PenOp{max ? PenStyle::Solid : PenStyle::Dotted, kSeriesWidth, ColourOf(occasion)});
        for (std::size_t k = 1; k < points.size(); ++k) {
            const Point& a = points[k - 1];
            const Point& b = points[k];
            if (b.day == a.day + 1)
                ops.emplace_back(
                    LineOp{f.X(a.day), f.Y(max ? a.max : a.min), f.X(b.day), f.Y(max ? b.max : b.min)});
        }
    }
    ops.emplace_back(PenOp{PenStyle::Solid, 1, ColourOf(occasion)});
    for (const Point& p : points)
        for (const double v : {p.max, p.min})
            AddMarker(ops, occasion, f.X(p.day), f.Y(v));
}

// The legend above the plot: each occasion's marker and colour, and which line is which.
void AddLegend(std::vector<GraphOp>& ops, const ChartFrame& f, const ChartTextMetrics& m)
{
    const int y = f.top - m.lineHeight - kGap;
    const int lineY = y + m.lineHeight / 2;
    int x = f.left;
    for (const Occasion occasion : {Occasion::Morning, Occasion::Evening}) {
        ops.emplace_back(PenOp{PenStyle::Solid, kSeriesWidth, ColourOf(occasion)});
        ops.emplace_back(LineOp{x, lineY, x + 4 * kMarkerHalf + 4, lineY});
        ops.emplace_back(PenOp{PenStyle::Solid, 1, ColourOf(occasion)});
        AddMarker(ops, occasion, x + 2 * kMarkerHalf + 2, lineY);
        x += 4 * kMarkerHalf + 4 + kGap;
        const std::string name = Cp932FromUtf8(occasion == Occasion::Morning ? "朝" : "晩");
        ops.emplace_back(TextOp{x, y, name});
        x += TextWidth(name, m) + 3 * kGap;
    }
    for (const bool max : {true, false}) {
        ops.emplace_back(PenOp{max ? PenStyle::Solid : PenStyle::Dotted, kSeriesWidth, kChartAxisColour});
        ops.emplace_back(LineOp{x, lineY, x + 4 * kMarkerHalf + 4, lineY});
        x += 4 * kMarkerHalf + 4 + kGap;
        const std::string name = Cp932FromUtf8(max ? "最高血圧" : "最低血圧");
        ops.emplace_back(TextOp{x, y, name});
        x += TextWidth(name, m) + 3 * kGap;
    }
}

} // namespace

std::string DayLabel(CalendarDay day)
{
    return std::to_string(static_cast<unsigned>(day.month())) + '/' +
           std::to_string(static_cast<unsigned>(day.day()));
}

ChartDays ChartDaysOf(const RecordPeriod& period, CalendarDay today, const OccasionTable& occasions)
{
    const CalendarDay last = period.last.value_or(today);
    CalendarDay first = last;
    if (period.first)
        first = *period.first;
    else if (!occasions.days.empty())
        first = std::min(occasions.days.front().day, last);
    return {first, std::max(first, last)};
}

std::vector<GraphOp> PlotEvaluationChart(int W, int H, const EvaluationChartInput& input, ChartTextMetrics m)
{
    std::vector<GraphOp> ops;
    ops.emplace_back(FillOp{0, 0, std::max(0, W), std::max(0, H), kGraphBackground});
    ChartFrame f;
    f.left = 4 * m.digitWidth + 2 * kGap;
    f.right = W - (8 * m.digitWidth + 2 * kGap);
    f.top = m.lineHeight + 2 * kGap;
    f.bottom = H - (m.lineHeight + kTickLength + kGap);
    f.dayCount = std::max<long long>(1, DayIndex(input.first, input.last) + 1);
    if (f.right - f.left < 2 || f.bottom - f.top < 2)
        return ops; // no room for a plot
    FitRange(f, input);

    AddYAxis(ops, f, m);
    ops.emplace_back(PenOp{PenStyle::Solid, 1, kChartAxisColour});
    ops.emplace_back(LineOp{f.left, f.top, f.left, f.bottom});
    ops.emplace_back(LineOp{f.left, f.bottom, f.right, f.bottom});
    AddDateAxis(ops, f, input.first, m);
    AddReferenceLines(ops, f, input, m);
    AddSeries(ops, f, input, Occasion::Morning);
    AddSeries(ops, f, input, Occasion::Evening);
    AddLegend(ops, f, m);
    return ops;
}
