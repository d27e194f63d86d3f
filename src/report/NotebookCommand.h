#pragma once
// `velliqa --report-pdf FILE`: the blood-pressure notebook written as a PDF without a window.

#include "report/NotebookBuilder.h"

#include <QString>

#include <optional>
#include <ostream>
#include <string>

// The days the command line asks for: --days N, or --from and --to (either may be missing).
struct NotebookCommandRange
{
    std::optional<int> days;
    std::optional<CalendarDay> from;
    std::optional<CalendarDay> to;
};

// The notebook's days without options.
inline constexpr int kNotebookDefaultDays = 28;

// The request for the range, made today: the last N days (28 without options) as the 評価
// page counts them, or from..to; a missing --to is today, a missing --from 27 days before the
// last day.
NotebookRequest NotebookCommandRequest(const NotebookCommandRange& range, CalendarDay today);

// Why the request cannot be made: a first day after the last (--from after today), or more days
// than a notebook covers. Empty when it can.
QString NotebookRangeProblem(const NotebookRequest& request);

// Writes the notebook of the data folder at folder to the file; the exit status: 0 when the
// file is written, 1 (with a message on err) when it cannot be.
int RunNotebookPdf(const QString& file, const NotebookRequest& request, const std::string& folder,
                   std::ostream& err);
