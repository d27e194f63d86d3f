#include "report/NotebookLayout.h"

#include "report/NotebookText.h"

#include <algorithm>
#include <numeric>

namespace {

// Widths of the day table's columns in half-width characters; the メモ column takes the rest.
constexpr std::array<int, 6> kDayColumns{13, 13, 13, 13, 13, 5};
// Widths of the evaluation table's columns.
constexpr std::array<int, 6> kEvaluationColumns{10, 6, 10, 10, 6, 22};
// Lines of the chart on page 1.
constexpr int kChartLines = 22;
// Between two readings of the メモ cell.
constexpr int kExtraGap = 2;

// Lays pages out top to bottom; `y` is where the next block starts on the current page.
class CNotebookWriter
{
public:
    CNotebookWriter(const NotebookGeometry& geometry, const NotebookContent& content)
        : m_geometry(geometry), m_content(content), m_nPad(std::max(1, geometry.line / 4))
    {
    }

    std::vector<NotebookPage> Write()
    {
        StartPage();
        WriteEvaluation();
        WriteDays();
        WriteFooters();
        return std::move(m_pages);
    }

private:
    int Columns(int n) const { return n * m_geometry.column; }
    int Line() const { return m_geometry.line; }
    int RowHeight(int lines) const { return lines * Line() + 2 * m_nPad; }
    // The lowest y a block may reach: the footer's line stays clear.
    int Bottom() const { return m_geometry.height - 2 * Line(); }
    int WidthColumns() const { return m_geometry.width / std::max(1, m_geometry.column); }
    int MemoLeft() const { return Columns(std::accumulate(kDayColumns.begin(), kDayColumns.end(), 0)); }
    int MemoColumns() const
    {
        return std::max(1, WidthColumns() - MemoLeft() / std::max(1, m_geometry.column) - 1);
    }

    // A new operation of that kind at the end of the page.
    template <typename Op> static Op& Append(NotebookPage& page)
    {
        return std::get<Op>(page.emplace_back(std::in_place_type<Op>));
    }
    void Text(int x, int y, const std::string& text, bool bold = false)
    {
        Append<NotebookText>(m_pages.back()) = NotebookText{x, y, text, bold};
    }
    void Rule(int x1, int y1, int x2, int y2)
    {
        Append<NotebookRule>(m_pages.back()) = NotebookRule{x1, y1, x2, y2};
    }

    void StartPage()
    {
        m_pages.emplace_back();
        const std::string made = "作成 " + NotebookDateText(m_content.made);
        const std::string period =
            NotebookDateText(m_content.first) + " 〜 " + NotebookDateText(m_content.last);
        Text(0, 0, "家庭血圧の記録", true);
        Text(m_geometry.width - Columns(TextColumns(made)), 0, made);
        const int y = Line() * 3 / 2;
        const int nameColumns = WidthColumns() - TextColumns(period) - 2;
        Text(0, y, CutToColumns(m_content.name + " 様", nameColumns));
        Text(m_geometry.width - Columns(TextColumns(period)), y, period);
        Rule(0, y + Line() + m_nPad, m_geometry.width, y + Line() + m_nPad);
        m_nY = y + 2 * Line();
    }

    // A row of cells with a rule above it and rules at the column edges; `lines` of text.
    template <size_t N>
    void WriteCells(const std::array<int, N>& widths, const std::array<std::string, N>& cells, int lines,
                    bool bold)
    {
        const int height = RowHeight(lines);
        int x = 0;
        for (size_t i = 0; i < N; ++i) {
            Rule(x, m_nY, x, m_nY + height);
            if (!cells[i].empty())
                Text(x + m_geometry.column / 2, m_nY + m_nPad, cells[i], bold);
            x += Columns(widths[i]);
        }
        Rule(x, m_nY, x, m_nY + height);
        Rule(0, m_nY, x, m_nY);
        m_nY += height;
        Rule(0, m_nY, x, m_nY);
    }

    void WriteEvaluation()
    {
        const int tableTop = m_nY;
        for (size_t r = 0; r < m_content.evaluation.size(); ++r)
            WriteCells(kEvaluationColumns, m_content.evaluation[r], 1, r == 0);
        const int tableRight =
            Columns(std::accumulate(kEvaluationColumns.begin(), kEvaluationColumns.end(), 0));
        if (!m_content.target.empty())
            Text(tableRight + Columns(3), tableTop + m_nPad, m_content.target);
        m_nY += Line() / 2;
        if (!m_content.note.empty()) {
            Text(0, m_nY, CutToColumns(m_content.note, WidthColumns()));
            m_nY += Line();
        }
        m_nY += Line() / 2;
        const int chartHeight = std::min(kChartLines * Line(), Bottom() - m_nY - 4 * Line());
        if (chartHeight > 0) {
            Append<NotebookChartArea>(m_pages.back()) =
                NotebookChartArea{0, m_nY, m_geometry.width, chartHeight};
            m_nY += chartHeight + Line();
        }
    }

    std::array<std::string, 7> ColumnHeader() const
    {
        std::array<std::string, 7> cells;
        std::copy(kNotebookColumns.begin(), kNotebookColumns.end(), cells.begin());
        return cells;
    }

    std::array<int, 7> DayWidths() const
    {
        std::array<int, 7> widths{};
        std::copy(kDayColumns.begin(), kDayColumns.end(), widths.begin());
        widths[6] = MemoColumns();
        return widths;
    }

    // Starts a new page when a row of `height` does not fit; a new page repeats the header.
    void MakeRoom(int height)
    {
        if (m_nY + height <= Bottom())
            return;
        StartPage();
        WriteCells(DayWidths(), ColumnHeader(), 1, true);
    }

    // The lines of the メモ cell: the other readings, as many to a line as fit, never cut; then
    // the comments on one line, cut to fit.
    std::vector<std::string> MemoLines(const NotebookDay& day) const
    {
        std::vector<std::string> lines;
        for (const NotebookReading& extra : day.extras) {
            const std::string text = NotebookTimedText(extra);
            if (!lines.empty() && TextColumns(lines.back()) + kExtraGap + TextColumns(text) <= MemoColumns())
                lines.back() += std::string(kExtraGap, ' ') + text;
            else
                lines.push_back(text);
        }
        std::string comments;
        for (const std::string& comment : day.comments)
            comments += (comments.empty() ? "" : "、") + comment;
        if (!comments.empty())
            lines.push_back(CutToColumns(comments, MemoColumns()));
        return lines;
    }

    void WriteDay(const NotebookDay& day)
    {
        const std::vector<std::string> memo = MemoLines(day);
        const int lines = std::max<int>(1, static_cast<int>(memo.size()));
        MakeRoom(RowHeight(lines));
        std::array<std::string, 7> cells;
        cells[0] = NotebookRowDateText(day.day);
        for (size_t c = 0; c < kNotebookCells; ++c)
            if (day.cells[c])
                cells[c + 1] = NotebookReadingText(*day.cells[c]);
        cells[5] = day.ihb ? "＊" : "";
        const int top = m_nY;
        WriteCells(DayWidths(), cells, lines, false);
        const int memoX = MemoLeft() + m_geometry.column / 2;
        for (size_t l = 0; l < memo.size(); ++l)
            Text(memoX, top + m_nPad + static_cast<int>(l) * Line(), memo[l]);
    }

    void WriteWeek(const NotebookWeek& week)
    {
        MakeRoom(RowHeight(1));
        const std::array<int, 4> widths{kDayColumns[0], kDayColumns[1] + kDayColumns[2],
                                        kDayColumns[3] + kDayColumns[4], kDayColumns[5] + MemoColumns()};
        std::array<std::string, 4> cells{"週平均", "", "", ""};
        if (week.morning)
            cells[1] = "朝 " + NotebookAverageText(*week.morning);
        if (week.evening)
            cells[2] = "晩 " + NotebookAverageText(*week.evening);
        WriteCells(widths, cells, 1, true);
    }

    void WriteDays()
    {
        if (m_content.days.empty())
            return;
        MakeRoom(RowHeight(2));
        if (m_pages.size() == 1)
            WriteCells(DayWidths(), ColumnHeader(), 1, true);
        for (size_t d = 0; d < m_content.days.size(); ++d) {
            WriteDay(m_content.days[d]);
            const bool weekEnds = (d + 1) % 7 == 0 || d + 1 == m_content.days.size();
            if (weekEnds && d / 7 < m_content.weeks.size())
                WriteWeek(m_content.weeks[d / 7]);
        }
    }

    void WriteFooters()
    {
        const std::string total = std::to_string(m_pages.size());
        for (size_t p = 0; p < m_pages.size(); ++p) {
            const std::string footer = std::to_string(p + 1) + " / " + total;
            Append<NotebookText>(m_pages[p]) = NotebookText{
                (m_geometry.width - Columns(TextColumns(footer))) / 2, m_geometry.height - Line(), footer};
        }
    }

    const NotebookGeometry& m_geometry;
    const NotebookContent& m_content;
    int m_nPad;
    int m_nY = 0;
    std::vector<NotebookPage> m_pages;
};

} // namespace

std::vector<NotebookPage> LayoutNotebook(const NotebookGeometry& geometry, const NotebookContent& content)
{
    return CNotebookWriter(geometry, content).Write();
}
