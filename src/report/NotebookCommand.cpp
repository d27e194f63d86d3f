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

NotebookRequest NotebookCommandRequest(const NotebookCommandRange& range, CalendarDay today)
{
    if (range.from || range.to) {
        const CalendarDay last = range.to.value_or(today);
        const CalendarDay first = range.from.value_or(DaysBefore(last, kNotebookDefaultDays - 1));
        return NotebookRequestOf(first, last, today);
    }
    const int days = range.days.value_or(kNotebookDefaultDays);
    NotebookRequest request = NotebookRequestOf(DaysBefore(today, days - 1L), today, today);
    request.period = LastDays(today, days);
    return request;
}

QString NotebookRangeProblem(const NotebookRequest& request)
{
    if (std::chrono::sys_days{request.days.last} < std::chrono::sys_days{request.days.first})
        return Localised(QStringLiteral("レポートの期間の最初の日が最後の日より後になっています。"),
                         QStringLiteral("the report's first day is after its last day."));
    const long days = NotebookDayCount(request.days);
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
