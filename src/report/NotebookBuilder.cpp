#include "report/NotebookBuilder.h"

#include "evaluation/PeriodEvaluation.h"
#include "platform/Cp932.h"
#include "record/RecordLine.h"

#include <algorithm>

namespace {

// A record placed on a row of the day table, and how it shows there.
struct PlacedRecord
{
    Moment when;
    size_t index = 0; // 0-based line of the measurement file
    size_t row = 0;
    int cell = -1; // a NotebookCell, or -1 for the メモ cell
};

NotebookReading ReadingOf(std::string_view line, const Moment& when)
{
    return NotebookReading{when.hour, when.minute, ReadRecordNumber(line, RecordField::Max),
                           ReadRecordNumber(line, RecordField::Min),
                           ReadRecordNumber(line, RecordField::Pulse)};
}

// By date-time; of two at the same date-time the one lower in the file was entered first.
bool Earlier(const PlacedRecord& a, const PlacedRecord& b)
{
    if (a.when != b.when)
        return a.when < b.when;
    return a.index > b.index;
}

class CNotebookDays
{
public:
    CNotebookDays(const std::vector<std::string>& lines, const ChartDays& days, OccasionTypes types)
        : m_lines(lines), m_days(days), m_types(types), m_used(lines.size(), false)
    {
    }

    // The records the occasions use, in their cells on their occasion's day.
    void PlaceOccasions(const OccasionTable& table)
    {
        for (const DayOccasions& day : table.days) {
            const std::optional<size_t> row = RowOf(day.day);
            if (!row)
                continue;
            PlaceOccasion(day.morning, *row, kMorning1);
            PlaceOccasion(day.evening, *row, kEvening1);
        }
    }

    // Every other record with a readable date, in the メモ cell of its occasion's day (a third
    // reading after midnight stays with its evening) or else of its own day.
    void PlaceTheRest()
    {
        for (size_t index = 0; index < m_lines.size(); ++index) {
            if (m_used[index])
                continue;
            const std::optional<Moment> when =
                ReadMoment(RecordFieldText(m_lines[index], RecordField::DateTime));
            if (!when)
                continue;
            const std::optional<PlacedReading> occasion =
                PlaceReading(ReadRecordNumber(m_lines[index], RecordField::Type), *when, m_types);
            if (const std::optional<size_t> row = RowOf(occasion ? occasion->day : when->Day()))
                m_placed.push_back(PlacedRecord{*when, index, *row, -1});
        }
    }

    std::vector<NotebookDay> Days()
    {
        std::vector<NotebookDay> days(static_cast<size_t>(NotebookDayCount(m_days)));
        for (size_t d = 0; d < days.size(); ++d)
            days[d].day = CalendarDay{std::chrono::sys_days{m_days.first} + std::chrono::days{d}};
        std::sort(m_placed.begin(), m_placed.end(), Earlier);
        for (const PlacedRecord& placed : m_placed)
            Show(days[placed.row], placed);
        return days;
    }

private:
    std::optional<size_t> RowOf(CalendarDay day) const
    {
        const auto offset = (std::chrono::sys_days{day} - std::chrono::sys_days{m_days.first}).count();
        if (offset < 0 || offset >= NotebookDayCount(m_days))
            return std::nullopt;
        return static_cast<size_t>(offset);
    }

    void PlaceOccasion(const std::optional<OccasionValue>& value, size_t row, int firstCell)
    {
        if (!value)
            return;
        for (int r = 0; r < value->readingCount && r < 2; ++r) {
            const size_t index = value->records[static_cast<size_t>(r)];
            const std::optional<Moment> when =
                ReadMoment(RecordFieldText(m_lines[index], RecordField::DateTime));
            if (!when)
                continue;
            m_used[index] = true;
            m_placed.push_back(PlacedRecord{*when, index, row, firstCell + r});
        }
    }

    void Show(NotebookDay& day, const PlacedRecord& placed) const
    {
        const std::string_view line = m_lines[placed.index];
        const NotebookReading reading = ReadingOf(line, placed.when);
        if (placed.cell >= 0)
            day.cells[static_cast<size_t>(placed.cell)] = reading;
        else
            day.extras.push_back(reading);
        day.ihb = day.ihb || ReadRecordNumber(line, RecordField::Ihb) != 0;
        const std::string_view comment = StoredComment(line);
        if (!comment.empty())
            day.comments.push_back(Utf8FromCp932(comment));
    }

    const std::vector<std::string>& m_lines;
    ChartDays m_days;
    OccasionTypes m_types;
    std::vector<bool> m_used; // by line: the record is in a reading cell
    std::vector<PlacedRecord> m_placed;
};

// The week's occasions: the days of the table from `first` for 7 days.
NotebookWeek WeekOf(const OccasionTable& table, CalendarDay first, CalendarDay last)
{
    OccasionTable week;
    std::copy_if(table.days.begin(), table.days.end(), std::back_inserter(week.days),
                 [&](const DayOccasions& d) {
                     return std::chrono::sys_days{d.day} >= std::chrono::sys_days{first} &&
                            std::chrono::sys_days{d.day} <= std::chrono::sys_days{last};
                 });
    const PeriodEvaluation evaluation = EvaluatePeriod(week);
    const auto average = [](const OccasionSummary& summary) -> std::optional<NotebookAverage> {
        if (summary.days == 0 || !summary.average.max || !summary.average.min)
            return std::nullopt;
        return NotebookAverage{*summary.average.max, *summary.average.min, summary.average.pulse};
    };
    return NotebookWeek{average(evaluation.morning), average(evaluation.evening)};
}

std::vector<NotebookWeek> Weeks(const OccasionTable& table, const ChartDays& days)
{
    std::vector<NotebookWeek> weeks;
    const long count = NotebookDayCount(days);
    for (long start = 0; start < count; start += 7) {
        const std::chrono::sys_days first = std::chrono::sys_days{days.first} + std::chrono::days{start};
        const std::chrono::sys_days last = first + std::chrono::days{std::min(6L, count - 1 - start)};
        weeks.push_back(WeekOf(table, CalendarDay{first}, CalendarDay{last}));
    }
    return weeks;
}

std::string TargetText(const EvaluationSettings& settings)
{
    return "降圧目標 " + std::to_string(settings.targetMax) + "/" + std::to_string(settings.targetMin) +
           " mmHg";
}

} // namespace

long NotebookDayCount(const ChartDays& days)
{
    return std::max(0L, static_cast<long>(
                            (std::chrono::sys_days{days.last} - std::chrono::sys_days{days.first}).count()) +
                            1);
}

OccasionTable NotebookOccasions(const std::vector<std::string>& recordLines,
                                const EvaluationSettings& settings, const NotebookRequest& request)
{
    return ClassifyOccasions(recordLines, settings.types, request.period);
}

EvaluationChartInput NotebookChartInput(OccasionTable occasions, const EvaluationSettings& settings,
                                        const NotebookRequest& request)
{
    return EvaluationChartInput{request.days.first, request.days.last, std::move(occasions.days),
                                settings.targetMax, settings.targetMin};
}

NotebookContent BuildNotebook(const std::vector<std::string>& recordLines, const EvaluationSettings& settings,
                              const NotebookRequest& request, const OccasionTable& table)
{
    NotebookContent content;
    content.name = Utf8FromCp932(request.name);
    content.first = request.days.first;
    content.last = request.days.last;
    content.made = request.made;
    const std::array<EvaluationRow, 5> rows = EvaluationRows(EvaluatePeriod(table));
    content.evaluation.assign(rows.begin(), rows.end());
    content.target = TargetText(settings);
    content.note = "家庭血圧の基準：135/85 mmHg 以上で高血圧。診断は医師が行います。";
    CNotebookDays days(recordLines, request.days, settings.types);
    days.PlaceOccasions(table);
    days.PlaceTheRest();
    content.days = days.Days();
    content.weeks = Weeks(table, request.days);
    return content;
}
