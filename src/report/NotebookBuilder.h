#pragma once
// The blood-pressure notebook's content from the records: the evaluation of the period as the
// 評価 page judges it, and the day table, one day per calendar day of the notebook's days.

#include "evaluation/EvaluationChart.h"
#include "evaluation/EvaluationSettings.h"
#include "report/NotebookLayout.h"

#include <string>
#include <vector>

struct NotebookRequest
{
    RecordPeriod period; // the records the evaluation covers, as the 評価 page counts them
    ChartDays days;      // the rows of the day table, first to last
    CalendarDay made;    // the day the notebook is made
    std::string name;    // the user's name, code page 932
};

// The occasions of the request's period (ClassifyOccasions).
OccasionTable NotebookOccasions(const std::vector<std::string>& recordLines,
                                const EvaluationSettings& settings, const NotebookRequest& request);

// Everything the notebook shows, from the record lines (newest first, as stored), the 評価
// page's settings and the period's occasions. A day's 朝1, 朝2, 晩1 and 晩2 are the readings
// its occasions use; every other reading of a day of the table, with a readable date, is in its
// メモ cell.
NotebookContent BuildNotebook(const std::vector<std::string>& recordLines, const EvaluationSettings& settings,
                              const NotebookRequest& request, const OccasionTable& occasions);

// The chart's input for the same content: its days, the occasions and the target.
EvaluationChartInput NotebookChartInput(OccasionTable occasions, const EvaluationSettings& settings,
                                        const NotebookRequest& request);

// The number of days from first to last, both included.
long NotebookDayCount(const ChartDays& days);
