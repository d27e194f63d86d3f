#include "cli/ParseCommandLine.h"

#include "cli/CommandLineOptions.h"
#include "cli/Messages.h"
#include "report/NotebookCommand.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

QString AbsoluteUnlessStdio(const QString& file)
{
    if (file.isEmpty() || file == QStringLiteral("-"))
        return file;
    return QFileInfo(file).absoluteFilePath();
}

// A date the user gave as YYYY-MM-DD, already checked to be a real one.
CalendarDay DayOf(const QString& text)
{
    return ParseIsoDate(text.toStdString())->Day();
}

// The arguments as read, with the options they were read by.
class CReading
{
public:
    CReading(const QCommandLineParser& parser, const CCommandLineOptions& options, Language language)
        : m_parser(parser), m_options(options), m_language(language)
    {
    }

    // An option given without the action it belongs to, two actions at once, or a value that
    // cannot be read: the message; empty when the line can be run.
    QString Conflict() const;
    RequestAction Action(CalendarDay today) const;

private:
    bool Set(const QCommandLineOption& option) const { return m_parser.isSet(option); }
    QString Value(const QCommandLineOption& option) const { return m_parser.value(option); }
    QString Text(const QString& japanese, const QString& english) const
    {
        return Localised(m_language, japanese, english);
    }
    // The options that change data or print it: at most one of them at a time.
    std::vector<const QCommandLineOption*> Actions() const
    {
        return {&m_options.m_exportCsv,    &m_options.m_importCsv, &m_options.m_summary,
                &m_options.m_evaluate,     &m_options.m_reportPdf, &m_options.m_listBackups,
                &m_options.m_restoreBackup};
    }
    QString BelongingConflict() const;
    QString ValueConflict() const;
    RecordPeriod Period(CalendarDay today) const;
    RequestAction ReportPdf(CalendarDay today) const;

    const QCommandLineParser& m_parser;
    const CCommandLineOptions& m_options;
    Language m_language;
};

QString CReading::Conflict() const
{
    if (!m_parser.positionalArguments().isEmpty())
        return Text(QStringLiteral("余分な引数があります: %1"), QStringLiteral("unexpected argument: %1"))
            .arg(m_parser.positionalArguments().constFirst());
    const std::vector<const QCommandLineOption*> all = Actions();
    const auto actions = std::count_if(all.begin(), all.end(),
                                       [this](const QCommandLineOption* action) { return Set(*action); });
    if (actions > 1)
        return Text(
            QStringLiteral("--export-csv、--import-csv、--summary、--evaluate、--report-pdf、--list-backups、"
                           "--restore-backup は一度に一つだけ指定できます。"),
            QStringLiteral("give one of --export-csv, --import-csv, --summary, --evaluate, --report-pdf, "
                           "--list-backups and --restore-backup, not several."));
    if (QString belonging = BelongingConflict(); !belonging.isEmpty())
        return belonging;
    return ValueConflict();
}

QString CReading::BelongingConflict() const
{
    const struct
    {
        const QCommandLineOption& option;
        std::vector<const QCommandLineOption*> actions;
    } belongings[] = {
        {m_options.m_from,
         {&m_options.m_exportCsv, &m_options.m_summary, &m_options.m_evaluate, &m_options.m_reportPdf}},
        {m_options.m_to,
         {&m_options.m_exportCsv, &m_options.m_summary, &m_options.m_evaluate, &m_options.m_reportPdf}},
        {m_options.m_days, {&m_options.m_summary, &m_options.m_evaluate, &m_options.m_reportPdf}},
        {m_options.m_raiseLimit, {&m_options.m_importCsv}},
        {m_options.m_dateOrder, {&m_options.m_importCsv}},
        {m_options.m_includeArchive, {&m_options.m_exportCsv}}};
    for (const auto& belonging : belongings) {
        if (!Set(belonging.option) ||
            std::any_of(belonging.actions.begin(), belonging.actions.end(),
                        [this](const QCommandLineOption* action) { return Set(*action); }))
            continue;
        QStringList names;
        for (const QCommandLineOption* action : belonging.actions)
            names << QStringLiteral("--") + action->names().constFirst();
        return Text(QStringLiteral("--%1 は %2 と一緒に指定します。"),
                    QStringLiteral("--%1 is given with %2 only."))
            .arg(belonging.option.names().constFirst(),
                 names.join(Text(QStringLiteral(" か "), QStringLiteral(" or "))));
    }
    return {};
}

QString CReading::ValueConflict() const
{
    if (Set(m_options.m_days)) {
        if (Set(m_options.m_from) || Set(m_options.m_to))
            return Text(QStringLiteral("--days は --from や --to と一緒には指定できません。"),
                        QStringLiteral("--days cannot be given together with --from or --to."));
        bool ok = false;
        const int days = Value(m_options.m_days).toInt(&ok);
        if (!ok || days < 1)
            return Text(QStringLiteral("--days には 1 以上の日数を指定してください（「%1」は使えません）。"),
                        QStringLiteral("--days needs a number of days of 1 or more, not \"%1\"."))
                .arg(Value(m_options.m_days));
    }
    for (const QCommandLineOption* date : {&m_options.m_from, &m_options.m_to})
        if (Set(*date) && !ParseIsoDate(Value(*date).toStdString()))
            return Text(QStringLiteral(
                            "--%1 の日付「%2」は、実在する日付を YYYY-MM-DD の形で指定してください。"),
                        QStringLiteral("--%1 \"%2\" is not a date of the form YYYY-MM-DD."))
                .arg(date->names().constFirst(), Value(*date));
    if ((Set(m_options.m_summary) || Set(m_options.m_evaluate) || Set(m_options.m_reportPdf)) &&
        Set(m_options.m_from) && Set(m_options.m_to) &&
        DayOf(Value(m_options.m_to)) < DayOf(Value(m_options.m_from)))
        return Text(QStringLiteral("--from の日付が --to の日付より後になっています。"),
                    QStringLiteral("the --from date is after the --to date."));
    if (Set(m_options.m_dateOrder) && !ParseDateOrder(Value(m_options.m_dateOrder).toStdString()))
        return Text(QStringLiteral(
                        "--date-order には ymd、dmy、mdy のどれかを指定してください（「%1」は使えません）。"),
                    QStringLiteral("--date-order takes ymd, dmy or mdy, not \"%1\"."))
            .arg(Value(m_options.m_dateOrder));
    return {};
}

// --days, or --from and --to, as the days of the records an action covers.
RecordPeriod CReading::Period(CalendarDay today) const
{
    if (Set(m_options.m_days))
        return LastDays(today, Value(m_options.m_days).toInt());
    std::optional<CalendarDay> from, to;
    if (Set(m_options.m_from))
        from = DayOf(Value(m_options.m_from));
    if (Set(m_options.m_to))
        to = DayOf(Value(m_options.m_to));
    return BetweenDays(from, to);
}

// --report-pdf with its days, or why that range cannot be made.
RequestAction CReading::ReportPdf(CalendarDay today) const
{
    RecordPeriod period = LastDays(today, kNotebookDefaultDays);
    if (Set(m_options.m_days)) {
        // Told with the number given, before LastDays keeps the period within the stored days.
        if (QString problem = NotebookLengthProblem(Value(m_options.m_days).toInt()); !problem.isEmpty())
            return UsageError{std::move(problem)};
        period = Period(today);
    } else if (Set(m_options.m_from) || Set(m_options.m_to)) {
        period = Period(today);
        // Dates end on the last day given, or today: a notebook's last row.
        period.last = period.last.value_or(today);
    }
    NotebookRequest notebook = NotebookCommandRequest(period, today);
    if (const QString problem = NotebookRangeProblem(notebook); !problem.isEmpty())
        return UsageError{problem};
    return ReportPdfRequest{AbsoluteUnlessStdio(Value(m_options.m_reportPdf)), std::move(notebook)};
}

RequestAction CReading::Action(CalendarDay today) const
{
    if (Set(m_options.m_help))
        return HelpRequest{HelpText(m_options.m_strDescription, m_options.All(), m_language)};
    if (Set(m_options.m_version))
        return VersionRequest{};
    if (Set(m_options.m_exportCsv))
        return ExportRequest{AbsoluteUnlessStdio(Value(m_options.m_exportCsv)), Period(today),
                             Set(m_options.m_includeArchive)};
    if (Set(m_options.m_importCsv)) {
        ImportRequest import{AbsoluteUnlessStdio(Value(m_options.m_importCsv)), Set(m_options.m_raiseLimit),
                             CsvDateOrder::Auto};
        if (Set(m_options.m_dateOrder))
            import.dateOrder = *ParseDateOrder(Value(m_options.m_dateOrder).toStdString());
        return import;
    }
    if (Set(m_options.m_summary))
        return SummaryRequest{Period(today)};
    if (Set(m_options.m_evaluate)) {
        const bool given = Set(m_options.m_days) || Set(m_options.m_from) || Set(m_options.m_to);
        return EvaluateRequest{given ? Period(today) : LastDays(today, 7)};
    }
    if (Set(m_options.m_reportPdf))
        return ReportPdf(today);
    if (Set(m_options.m_listBackups))
        return ListBackupsRequest{};
    if (Set(m_options.m_restoreBackup))
        return RestoreBackupRequest{Value(m_options.m_restoreBackup)};
    return WindowRequest{};
}

} // namespace

CommandLineRequest ParseCommandLine(const QStringList& arguments, CalendarDay today, Language language)
{
    const CCommandLineOptions options(language);
    QCommandLineParser parser;
    parser.addOptions(options.All());
    if (!parser.parse(arguments))
        return {std::nullopt, UsageError{ParseErrorText(parser, options.All(), arguments, language)}};
    CommandLineRequest request;
    if (parser.isSet(options.m_dataDir))
        request.dataDir = parser.value(options.m_dataDir);
    const CReading reading(parser, options, language);
    if (const QString conflict = reading.Conflict(); !conflict.isEmpty())
        request.action = UsageError{conflict};
    else
        request.action = reading.Action(today);
    return request;
}
