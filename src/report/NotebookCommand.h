#pragma once
// `velliqa --report-pdf FILE`: the blood-pressure notebook written as a PDF without a window.

#include "report/NotebookBuilder.h"

#include <QString>

#include <ostream>
#include <string>

// The notebook's days without options: the last 28 days.
inline constexpr int kNotebookDefaultDays = 28;

// The request for the command line's period (--days N, or --from and --to), made today. A
// period of the last N days (LastDays: a first day, the last left open) covers its first day to
// today, as the 評価 page counts it. A period that ends on a day covers its dates, a missing
// first day being 27 days before the last; a period open at both ends is the last 28 days.
NotebookRequest NotebookCommandRequest(const RecordPeriod& period, CalendarDay today);

// Why a notebook of that many days cannot be made: more days than it covers. Empty when it can.
QString NotebookLengthProblem(long days);

// Why the request cannot be made: a first day after the last (--from after today), or more days
// than a notebook covers. Empty when it can.
QString NotebookRangeProblem(const NotebookRequest& request);

// Writes the notebook of the data folder at folder to the file; the exit status: 0 when the
// file is written, 1 (with a message on err) when it cannot be.
int RunNotebookPdf(const QString& file, const NotebookRequest& request, const std::string& folder,
                   std::ostream& err);
