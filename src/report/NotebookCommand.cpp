#include "report/NotebookCommand.h"

#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "report/NotebookJob.h"

namespace {

CalendarDay DaysBefore(CalendarDay day, long days)
{
    return CalendarDay{std::chrono::sys_days{day} - std::chrono::days{days}};
}

} // namespace

NotebookRequest NotebookCommandRequest(const RecordPeriod& period, CalendarDay today)
{
    if (period.first && !period.last) {
        NotebookRequest request = NotebookRequestOf(*period.first, today, today);
        request.period = period;
        return request;
    }
    const CalendarDay last = period.last.value_or(today);
    const CalendarDay first = period.first.value_or(DaysBefore(last, kNotebookDefaultDays - 1));
    return NotebookRequestOf(first, last, today);
}

QString NotebookRangeProblem(const NotebookRequest& request)
{
    if (std::chrono::sys_days{request.days.last} < std::chrono::sys_days{request.days.first})
        return Localised(QStringLiteral("レポートの期間の最初の日が最後の日より後になっています。"),
                         QStringLiteral("the report's first day is after its last day."));
    return NotebookLengthProblem(NotebookDayCount(request.days));
}

QString NotebookLengthProblem(long days)
{
    if (days <= kNotebookMaxDays)
        return {};
    return Localised(QStringLiteral("レポートの期間は %1 日までです（指定された期間は %2 日）。"),
                     QStringLiteral("a report covers at most %1 days, not %2."))
        .arg(kNotebookMaxDays)
        .arg(days);
}

int RunNotebookPdf(const QString& file, const NotebookRequest& request, const std::string& folder,
                   std::ostream& err)
{
    if (SaveNotebookPdf(file, ReadNotebookSource(folder, request)))
        return kExitOk;
    err << Localised(QStringLiteral("PDF ファイル「%1」を書き込めませんでした。"),
                     QStringLiteral("cannot write the PDF file \"%1\"."))
               .arg(file)
               .toStdString()
        << '\n';
    return kExitFailed;
}
