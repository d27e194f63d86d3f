// The command line read in-process: arguments in, the request or the message out.
#include "cli/ParseCommandLine.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

using namespace std::chrono;

constexpr CalendarDay kToday{year{2024}, March, day{10}};

CommandLineRequest Parse(QStringList arguments, Language language = Language::English)
{
    arguments.prepend(QStringLiteral("velliqa"));
    return ParseCommandLine(arguments, kToday, language);
}

// The message of a line that cannot be run; empty for any other request.
std::string ErrorOf(const QStringList& arguments, Language language = Language::English)
{
    const CommandLineRequest request = Parse(arguments, language);
    const auto* error = std::get_if<UsageError>(&request.action);
    return error != nullptr ? error->message.toStdString() : std::string();
}

CalendarDay Day(int y, unsigned m, unsigned d)
{
    return CalendarDay{year{y}, month{m}, day{d}};
}

} // namespace

TEST(ParseCommandLine, LinesThatCannotBeRunSayWhyInTheLanguageOfTheMessages)
{
    const struct
    {
        QStringList arguments;
        const char* english;
        const char* japanese;
    } cases[] = {
        {{"--bogus"}, "Unknown option 'bogus'.", "「bogus」というオプションはありません。"},
        {{"stray"}, "unexpected argument: stray", "余分な引数があります: stray"},
        {{"--export-csv", "a", "--summary"},
         "give one of --export-csv, --import-csv, --summary, --evaluate, --report-pdf, --list-backups and "
         "--restore-backup, not several.",
         "--export-csv、--import-csv、--summary、--evaluate、--report-pdf、--list-backups、--restore-backup "
         "は一度に一つだけ指定できます。"},
        {{"--from", "2024-01-01"},
         "--from is given with --export-csv or --summary or --evaluate or --report-pdf only.",
         "--from は --export-csv か --summary か --evaluate か --report-pdf と一緒に指定します。"},
        {{"--export-csv", "-", "--days", "3"},
         "--days is given with --summary or --evaluate or --report-pdf only.",
         "--days は --summary か --evaluate か --report-pdf と一緒に指定します。"},
        {{"--summary", "--days", "3", "--to", "2024-01-01"},
         "--days cannot be given together with --from or --to.",
         "--days は --from や --to と一緒には指定できません。"},
        {{"--summary", "--days", "0"},
         "--days needs a number of days of 1 or more, not \"0\".",
         "--days には 1 以上の日数を指定してください（「0」は使えません）。"},
        {{"--export-csv", "-", "--to", "2024-02-30"},
         "--to \"2024-02-30\" is not a date of the form YYYY-MM-DD.",
         "--to の日付「2024-02-30」は、実在する日付を YYYY-MM-DD の形で指定してください。"},
        {{"--summary", "--from", "2024-02-02", "--to", "2024-02-01"},
         "the --from date is after the --to date.",
         "--from の日付が --to の日付より後になっています。"},
        {{"--import-csv", "x", "--date-order", "ydm"},
         "--date-order takes ymd, dmy or mdy, not \"ydm\".",
         "--date-order には ymd、dmy、mdy のどれかを指定してください（「ydm」は使えません）。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOf(c.arguments), c.english);
        EXPECT_EQ(ErrorOf(c.arguments, Language::Japanese), c.japanese);
    }
}

TEST(ParseCommandLine, EachActionBecomesItsRequestWithItsValuesRead)
{
    EXPECT_TRUE(std::holds_alternative<WindowRequest>(Parse({}).action));
    EXPECT_TRUE(std::holds_alternative<VersionRequest>(Parse({"-v"}).action));
    // Help wins over any action; its text is whole in the language asked for.
    const auto help =
        std::get<HelpRequest>(Parse({"--export-csv", "-", "--help"}, Language::Japanese).action);
    EXPECT_TRUE(help.text.contains(QStringLiteral("--import-csv")));
    EXPECT_FALSE(help.text.contains(QStringLiteral("Usage")));

    const CommandLineRequest exporting =
        Parse({"--data-dir", "d", "--export-csv", "out.csv", "--from", "2024-03-01"});
    EXPECT_EQ(exporting.dataDir, QStringLiteral("d"));
    const auto& request = std::get<ExportRequest>(exporting.action);
    EXPECT_EQ(request.file, QDir::current().absoluteFilePath(QStringLiteral("out.csv")));
    EXPECT_EQ(request.period.first, Day(2024, 3, 1));
    EXPECT_EQ(request.period.last, std::nullopt);
    EXPECT_EQ(std::get<ExportRequest>(Parse({"--export-csv", "-"}).action).file, QStringLiteral("-"));

    const auto import = std::get<ImportRequest>(
        Parse({"--import-csv", "/in.csv", "--raise-limit", "--date-order", "dmy"}).action);
    EXPECT_EQ(import.file, QStringLiteral("/in.csv"));
    EXPECT_TRUE(import.raiseLimit);
    EXPECT_EQ(import.dateOrder, CsvDateOrder::Dmy);
    EXPECT_EQ(std::get<ImportRequest>(Parse({"--import-csv", "/in.csv"}).action).dateOrder,
              CsvDateOrder::Auto);

    // --days and --from/--to are the same kind of period: the days the records belong to.
    const RecordPeriod lastWeek = std::get<SummaryRequest>(Parse({"--summary", "--days", "7"}).action).period;
    EXPECT_EQ(lastWeek.first, Day(2024, 3, 4));
    const RecordPeriod between =
        std::get<SummaryRequest>(Parse({"--summary", "--from", "2024-01-01", "--to", "2024-01-31"}).action)
            .period;
    EXPECT_EQ(between.first, Day(2024, 1, 1));
    EXPECT_EQ(between.last, Day(2024, 1, 31));
    EXPECT_TRUE(std::get<SummaryRequest>(Parse({"--summary"}).action).period.CoversAll());
    EXPECT_EQ(std::get<EvaluateRequest>(Parse({"--evaluate"}).action).period.first, Day(2024, 3, 4));
    EXPECT_EQ(std::get<EvaluateRequest>(Parse({"--evaluate", "--days", "1"}).action).period.first, kToday);
}

// The report's days come from the same period as every other command's.
TEST(ParseCommandLine, TheReportCoversTheLastDaysOrTheDatesGiven)
{
    const struct
    {
        QStringList options;
        CalendarDay first, last;              // the rows of the day table
        std::optional<CalendarDay> periodEnd; // open: a reading dated after today counts as today's
    } cases[] = {
        {{}, Day(2024, 2, 12), kToday, std::nullopt},
        {{"--days", "7"}, Day(2024, 3, 4), kToday, std::nullopt},
        {{"--from", "2024-03-01"}, Day(2024, 3, 1), kToday, kToday},
        {{"--to", "2024-03-01"}, Day(2024, 2, 3), Day(2024, 3, 1), Day(2024, 3, 1)},
        {{"--from", "2023-03-11", "--to", "2024-03-10"}, Day(2023, 3, 11), kToday, kToday},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const auto request =
            std::get<ReportPdfRequest>(Parse(QStringList{"--report-pdf", "/r.pdf"} + c.options).action);
        EXPECT_EQ(request.notebook.days.first, c.first);
        EXPECT_EQ(request.notebook.days.last, c.last);
        EXPECT_EQ(request.notebook.period.first, c.first);
        EXPECT_EQ(request.notebook.period.last, c.periodEnd);
    }
    // Too many days are told by the number given, though the period would stop at the first stored day.
    EXPECT_NE(ErrorOf({"--report-pdf", "/r.pdf", "--days", "999999999"}).find("999999999"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"--report-pdf", "/r.pdf", "--from", "2023-03-10"}).find("367"), std::string::npos);
}
