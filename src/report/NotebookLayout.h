#pragma once
// The blood-pressure notebook as pages of positioned operations, A4 portrait: on every page
// the header (家庭血圧の記録, the user's name, the period, the day it was made) and the page
// number; on page 1 the evaluation table, the target, the guideline note and the chart; then
// the day table, one row per calendar day and a 週平均 row after each week, its column header
// repeated on each page. The printer or PDF side only performs the operations.

#include "report/NotebookDay.h"

#include <array>
#include <string>
#include <variant>
#include <vector>

// The printable area and the font, in device units: `column` is the width of a half-width
// character (a full-width one takes two), `line` the height of a line of text.
struct NotebookGeometry
{
    int width = 0;
    int height = 0;
    int column = 1;
    int line = 1;
};

// Text (UTF-8) with the top-left corner of its cell at (x, y).
struct NotebookText
{
    int x = 0;
    int y = 0;
    std::string text;
    bool bold = false;
    friend bool operator==(const NotebookText&, const NotebookText&) = default;
};

// A thin black line.
struct NotebookRule
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    friend bool operator==(const NotebookRule&, const NotebookRule&) = default;
};

// The place of the chart, which is drawn by the chart's own operations.
struct NotebookChartArea
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const NotebookChartArea&, const NotebookChartArea&) = default;
};

using NotebookOp = std::variant<NotebookText, NotebookRule, NotebookChartArea>;
using NotebookPage = std::vector<NotebookOp>;

// The columns of the evaluation table: 区分, 日数, 最高血圧, 最低血圧, 脈拍, 分類.
using NotebookEvaluationRow = std::array<std::string, 6>;

// Everything the notebook shows; texts are UTF-8.
struct NotebookContent
{
    std::string name;
    CalendarDay first;
    CalendarDay last;
    CalendarDay made;
    std::vector<NotebookEvaluationRow> evaluation; // the header row first
    std::string target;                            // 降圧目標 125/75 mmHg
    std::string note;                              // the guideline note
    std::vector<NotebookDay> days;                 // first to last, one per calendar day
    std::vector<NotebookWeek> weeks;               // one per 7 days of `days`, the last maybe short
};

// The days a notebook may cover at most.
inline constexpr int kNotebookMaxDays = 366;

// The column header of the day table.
inline constexpr std::array<const char*, 7> kNotebookColumns{"日付", "朝1", "朝2", "晩1",
                                                             "晩2",  "IHB", "メモ"};

std::vector<NotebookPage> LayoutNotebook(const NotebookGeometry& geometry, const NotebookContent& content);
