#pragma once
// Performs the evaluation chart's operations (EvaluationChart.h) on any painter: the page's
// surface or a printer's page. A fill paints its rectangle and becomes the text background; a pen
// has its style and width; lines are smoothed; a text is code page 932, drawn black with the top-
// left corner of its cell at (x, y) on an opaque background.

#include "evaluation/EvaluationChart.h"

class QPainter;

void PerformChartOps(QPainter& dc, const std::vector<GraphOp>& ops);

// The text metrics of the painter's current font, for PlotEvaluationChart.
ChartTextMetrics ChartMetricsOf(const QPainter& dc);
