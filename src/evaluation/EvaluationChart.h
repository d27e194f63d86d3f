#pragma once
// The evaluation chart as data: the occasions of a period in, an ordered list of drawing
// operations out, the same operations the graph page performs (graph/PlotGraph.h). Nothing here
// touches a screen, a printer or a file; the page and the printed report perform the operations.
//
// Time runs along the x axis: one slot per calendar day from the first day to the last, each
// labelled M/D below the plot (labels thinned so that they never overlap). The morning and the
// evening values are two series, each a maximum and a minimum line in the occasion's colour,
// with the occasion's marker at every value; a day without a value leaves a gap. Horizontal
// lines mark the guideline (基準 135 and 85) and the target (目標). The y range fits the values
// and the lines. Texts are code page 932, as in every text operation; line widths are in pixels.

#include "evaluation/Occasions.h"
#include "graph/PlotGraph.h"

#include <vector>

inline constexpr long kGuidelineMax = 135;
inline constexpr long kGuidelineMin = 85;

inline constexpr Rgb kMorningColour{214, 96, 0};
inline constexpr Rgb kEveningColour{30, 90, 200};
inline constexpr Rgb kGuidelineColour{200, 0, 0};
inline constexpr Rgb kTargetColour{0, 140, 60};
inline constexpr Rgb kChartAxisColour{96, 96, 96};

// The size of the text cells of the surface's font, so that labels are placed and thinned without
// measuring: the widest of the digits and '/', and the height of a line. A full-width character
// is taken as two digits wide.
struct ChartTextMetrics
{
    int digitWidth = 7;
    int lineHeight = 16;
};

struct EvaluationChartInput
{
    CalendarDay first;              // the first day's slot
    CalendarDay last;               // the last day's slot; a period that ends before it starts shows one day
    std::vector<DayOccasions> days; // in calendar order; days outside first-last are not drawn
    long targetMax = 125;
    long targetMin = 75;
};

// The drawing operations for a surface of W x H pixels.
std::vector<GraphOp> PlotEvaluationChart(int W, int H, const EvaluationChartInput& input,
                                         ChartTextMetrics metrics = {});

// The days a chart of this period shows: its own first and last day; an open last day is today
// (later records count as today's), an open first day the earliest day with an occasion (today
// without one).
struct ChartDays
{
    CalendarDay first;
    CalendarDay last;
};
ChartDays ChartDaysOf(const RecordPeriod& period, CalendarDay today, const OccasionTable& occasions);

// The date label of a day: M/D.
std::string DayLabel(CalendarDay day);
