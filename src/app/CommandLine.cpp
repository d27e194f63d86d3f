#include "app/CommandLine.h"

#include "app/CsvCommands.h"
#include "cli/Messages.h"
#include "config/VelliqaConfig.h"
#include "csv/CsvDates.h"
#include "evaluation/EvaluationSettings.h"
#include "evaluation/PeriodEvaluation.h"
#include "list/RecordPeriod.h"
#include "list/Summary.h"
#include "store/DataFiles.h"

#include <QDir>

#include <algorithm>
#include <chrono>

namespace {

void WriteLine(std::ostream& stream, const QString& text)
{
    stream << text.toStdString() << '\n';
}

QCommandLineOption Flag(const QStringList& names, const QString& japanese, const QString& english)
{
    return QCommandLineOption(names, Localised(japanese, english));
}

QCommandLineOption Valued(const QString& name, const QString& japanese, const QString& english,
                          const QString& valueName)
{
    return QCommandLineOption(name, Localised(japanese, english), valueName);
}

QString AbsoluteUnlessStdio(const QString& file)
{
    if (file.isEmpty() || file == QStringLiteral("-"))
        return file;
    return QFileInfo(file).absoluteFilePath();
}

// A date the user gave as YYYY-MM-DD, already checked to be a real one.
CalendarDay DayOf(const QString& text)
{
    const std::optional<CsvDateTime> date = ParseIsoDate(text.toStdString());
    return CalendarDay{std::chrono::year{date->year}, std::chrono::month{static_cast<unsigned>(date->month)},
                       std::chrono::day{static_cast<unsigned>(date->day)}};
}

} // namespace

CCommandLine::CCommandLine()
    : m_help(Flag({QStringLiteral("h"), QStringLiteral("help")},
                  QStringLiteral("この説明を表示して終了します。"),
                  QStringLiteral("Show this help and exit."))),
      m_version(Flag({QStringLiteral("v"), QStringLiteral("version")},
                     QStringLiteral("バージョンを表示して終了します。"),
                     QStringLiteral("Show the version and exit."))),
      m_dataDir(
          Valued(QStringLiteral("data-dir"),
                 QStringLiteral("データフォルダー（data.txt, item.txt, setting.txt のあるフォルダー）。 "
                                "ウィンドウもほかの操作もここのデータを使います。 既定は現在のフォルダー。"),
                 QStringLiteral("The data folder, holding data.txt, item.txt and setting.txt, for the window "
                                "and for every operation; the current folder by default."),
                 QStringLiteral("DIR"))),
      m_exportCsv(
          Valued(QStringLiteral("export-csv"),
                 QStringLiteral("測定記録を CSV ファイルに書き出して終了します。 - は標準出力です。"),
                 QStringLiteral("Write the measurements to a CSV file and exit; - is standard output."),
                 QStringLiteral("FILE"))),
      m_from(Valued(
          QStringLiteral("from"),
          QStringLiteral(
              "--export-csv で書き出す、または --summary、--evaluate で集計する最初の日付（その日を含む）。"),
          QStringLiteral("With --export-csv, --summary or --evaluate: the first date, inclusive."),
          QStringLiteral("YYYY-MM-DD"))),
      m_to(Valued(
          QStringLiteral("to"),
          QStringLiteral(
              "--export-csv で書き出す、または --summary、--evaluate で集計する最後の日付（その日を含む）。"),
          QStringLiteral("With --export-csv, --summary or --evaluate: the last date, inclusive."),
          QStringLiteral("YYYY-MM-DD"))),
      m_importCsv(
          {QStringLiteral("import-csv"), QStringLiteral("import")},
          Localised(QStringLiteral("ファイル（CSV、Apple Health の export.zip か export.xml）の測定記録を"
                                   "読み込んで終了します。--import も同じです。"),
                    QStringLiteral("Import the measurements of a file (CSV, or an Apple Health export.zip "
                                   "or export.xml) and exit; --import is the same.")),
          QStringLiteral("FILE")),
      m_raiseLimit(
          Flag({QStringLiteral("raise-limit")},
               QStringLiteral("--import-csv で記録数が上限を超えるとき、上限を読み込み後の記録数に"
                              "引き上げます。 付けなければ何も変更しません。"),
               QStringLiteral("With --import-csv: when the records would exceed the record limit, raise "
                              "the limit to fit; without it such an import changes nothing."))),
      m_dateOrder(Valued(QStringLiteral("date-order"),
                         QStringLiteral("--import-csv で 3/4/2024 のような日付を読む順: ymd（年月日）、 dmy"
                                        "（日/月/年）、 mdy（月/日/年）。"),
                         QStringLiteral("With --import-csv: how to read dates such as 3/4/2024: ymd, dmy "
                                        "(day/month/year) or mdy (month/day/year)."),
                         QStringLiteral("ymd|dmy|mdy"))),
      m_summary(
          Flag({QStringLiteral("summary")},
               QStringLiteral(
                   "測定の種類ごとの件数、平均、最高値と最低値を、タブ区切りの表で出力して終了します。"),
               QStringLiteral("Print the count, the averages and the highest and lowest values of each "
                              "measurement type as a tab-separated table, and exit."))),
      m_days(
          Valued(QStringLiteral("days"),
                 QStringLiteral("--summary、--evaluate で、今日を含む直近 N 日を集計します。--from、--to "
                                "とは一緒に指定できません。"),
                 QStringLiteral(
                     "With --summary or --evaluate: the last N calendar days, today included; not together "
                     "with --from or --to."),
                 QStringLiteral("N"))),
      m_evaluate(
          Flag({QStringLiteral("evaluate")},
               QStringLiteral("朝と晩の家庭血圧の平均と分類を、タブ区切りの表で出力して終了します。"
                              "既定は直近 7 日です。"),
               QStringLiteral("Print the morning and evening home blood-pressure averages and their "
                              "categories as a tab-separated table, and exit; the last 7 days by default.")))
{
    m_parser.setApplicationDescription(
        Localised(QStringLiteral("Velliqa: 血圧の記録。オプションを付けなければウィンドウを開きます。"),
                  QStringLiteral("Velliqa: a blood-pressure log. Without options it opens its window.")));
    m_parser.addOptions(Options());
}

QList<QCommandLineOption> CCommandLine::Options() const
{
    return {m_help,      m_version,    m_dataDir,   m_exportCsv, m_from, m_to,
            m_importCsv, m_raiseLimit, m_dateOrder, m_summary,   m_days, m_evaluate};
}

void CCommandLine::Parse(const QStringList& arguments)
{
    m_arguments = arguments;
    m_bParsed = m_parser.parse(arguments);
}

QString CCommandLine::Conflict() const
{
    if (!m_parser.positionalArguments().isEmpty())
        return Localised(QStringLiteral("余分な引数があります: %1"),
                         QStringLiteral("unexpected argument: %1"))
            .arg(m_parser.positionalArguments().constFirst());
    int actions = 0;
    for (const QCommandLineOption* action : Actions())
        actions += m_parser.isSet(*action) ? 1 : 0;
    if (actions > 1)
        return Localised(
            QStringLiteral(
                "--export-csv、--import-csv、--summary、--evaluate は一度に一つだけ指定できます。"),
            QStringLiteral("give one of --export-csv, --import-csv, --summary and --evaluate, not several."));
    const struct
    {
        const QCommandLineOption& option;
        std::vector<const QCommandLineOption*> actions;
    } belongings[] = {{m_from, {&m_exportCsv, &m_summary, &m_evaluate}},
                      {m_to, {&m_exportCsv, &m_summary, &m_evaluate}},
                      {m_days, {&m_summary, &m_evaluate}},
                      {m_raiseLimit, {&m_importCsv}},
                      {m_dateOrder, {&m_importCsv}}};
    for (const auto& belonging : belongings) {
        if (!m_parser.isSet(belonging.option) ||
            std::any_of(belonging.actions.begin(), belonging.actions.end(),
                        [this](const QCommandLineOption* action) { return m_parser.isSet(*action); }))
            continue;
        QStringList names;
        for (const QCommandLineOption* action : belonging.actions)
            names << QStringLiteral("--") + action->names().constFirst();
        return Localised(QStringLiteral("--%1 は %2 と一緒に指定します。"),
                         QStringLiteral("--%1 is given with %2 only."))
            .arg(belonging.option.names().constFirst(),
                 names.join(Localised(QStringLiteral(" か "), QStringLiteral(" or "))));
    }
    if (m_parser.isSet(m_days)) {
        if (m_parser.isSet(m_from) || m_parser.isSet(m_to))
            return Localised(QStringLiteral("--days は --from や --to と一緒には指定できません。"),
                             QStringLiteral("--days cannot be given together with --from or --to."));
        bool ok = false;
        const int days = m_parser.value(m_days).toInt(&ok);
        if (!ok || days < 1)
            return Localised(
                       QStringLiteral("--days には 1 以上の日数を指定してください（「%1」は使えません）。"),
                       QStringLiteral("--days needs a number of days of 1 or more, not \"%1\"."))
                .arg(m_parser.value(m_days));
    }
    for (const QCommandLineOption* date : {&m_from, &m_to})
        if (m_parser.isSet(*date) && !ParseIsoDate(m_parser.value(*date).toStdString()))
            return Localised(QStringLiteral(
                                 "--%1 の日付「%2」は、実在する日付を YYYY-MM-DD の形で指定してください。"),
                             QStringLiteral("--%1 \"%2\" is not a date of the form YYYY-MM-DD."))
                .arg(date->names().constFirst(), m_parser.value(*date));
    if ((m_parser.isSet(m_summary) || m_parser.isSet(m_evaluate)) && m_parser.isSet(m_from) &&
        m_parser.isSet(m_to) && DayOf(m_parser.value(m_to)) < DayOf(m_parser.value(m_from)))
        return Localised(QStringLiteral("--from の日付が --to の日付より後になっています。"),
                         QStringLiteral("the --from date is after the --to date."));
    if (m_parser.isSet(m_dateOrder) && !ParseDateOrder(m_parser.value(m_dateOrder).toStdString()))
        return Localised(
                   QStringLiteral(
                       "--date-order には ymd、dmy、mdy のどれかを指定してください（「%1」は使えません）。"),
                   QStringLiteral("--date-order takes ymd, dmy or mdy, not \"%1\"."))
            .arg(m_parser.value(m_dateOrder));
    return {};
}

bool CCommandLine::WantsWindow() const
{
    if (!m_bParsed || !Conflict().isEmpty())
        return false;
    if (m_parser.isSet(m_help) || m_parser.isSet(m_version))
        return false;
    for (const QCommandLineOption* action : Actions())
        if (m_parser.isSet(*action))
            return false;
    return true;
}

std::vector<const QCommandLineOption*> CCommandLine::Actions() const
{
    return {&m_exportCsv, &m_importCsv, &m_summary, &m_evaluate};
}

bool CCommandLine::EnterDataFolder(std::ostream& err) const
{
    if (!m_bParsed || !m_parser.isSet(m_dataDir))
        return true;
    const QString folder = m_parser.value(m_dataDir);
    if (QFileInfo(folder).isDir() && QDir::setCurrent(folder))
        return true;
    WriteLine(err, Localised(QStringLiteral("データフォルダー「%1」を開けません。"),
                             QStringLiteral("cannot open the data folder \"%1\"."))
                       .arg(folder));
    return false;
}

QString CCommandLine::VersionText()
{
    return QString::fromLatin1(kVelliqaVersion);
}

int CCommandLine::Run(std::ostream& out, std::ostream& err)
{
    if (!m_bParsed || !Conflict().isEmpty()) {
        WriteLine(err, m_bParsed ? Conflict()
                                 : ParseErrorText(m_parser, Options(), m_arguments, MessageLanguage()));
        WriteLine(err, HelpHintText(MessageLanguage()));
        return kExitUsage;
    }
    if (m_parser.isSet(m_help)) {
        out << HelpText(m_parser.applicationDescription(), Options(), MessageLanguage()).toStdString();
        return kExitOk;
    }
    if (m_parser.isSet(m_version)) {
        WriteLine(out, QStringLiteral("Velliqa %1").arg(VersionText()));
        return kExitOk;
    }
    // A file named on the command line is where the user is, not in the data folder.
    const QString exportFile = AbsoluteUnlessStdio(m_parser.value(m_exportCsv));
    const QString importFile = AbsoluteUnlessStdio(m_parser.value(m_importCsv));
    if (!EnterDataFolder(err))
        return kExitFailed;
    if (m_parser.isSet(m_exportCsv))
        return RunExport(exportFile, out, err);
    if (m_parser.isSet(m_importCsv))
        return RunImport(importFile, err);
    if (m_parser.isSet(m_summary))
        return RunSummary(out);
    if (m_parser.isSet(m_evaluate))
        return RunEvaluate(out);
    return kExitOk;
}

int CCommandLine::RunExport(const QString& file, std::ostream& out, std::ostream& err)
{
    CsvExportRequest request{file, {}, {}};
    if (m_parser.isSet(m_from))
        request.from = ParseIsoDate(m_parser.value(m_from).toStdString());
    if (m_parser.isSet(m_to))
        request.to = ParseIsoDate(m_parser.value(m_to).toStdString());
    return RunCsvExport(request, out, err);
}

int CCommandLine::RunImport(const QString& file, std::ostream& err)
{
    CsvImportRequest request{file, m_parser.isSet(m_raiseLimit), CsvDateOrder::Auto};
    if (m_parser.isSet(m_dateOrder))
        request.dateOrder = *ParseDateOrder(m_parser.value(m_dateOrder).toStdString());
    return RunCsvImport(request, err);
}

int CCommandLine::RunSummary(std::ostream& out) const
{
    RecordPeriod period = AllDays();
    if (m_parser.isSet(m_days)) {
        period = LastDays(LocalDay(CTime::GetCurrentTime()), m_parser.value(m_days).toInt());
    } else {
        std::optional<CalendarDay> from, to;
        if (m_parser.isSet(m_from))
            from = DayOf(m_parser.value(m_from));
        if (m_parser.isSet(m_to))
            to = DayOf(m_parser.value(m_to));
        period = BetweenDays(from, to);
    }
    out << FormatSummaryTable(ReadDataFileLines(kDataFileName), ReadTypeNames(), period);
    out.flush();
    return out ? kExitOk : kExitFailed;
}

int CCommandLine::RunEvaluate(std::ostream& out) const
{
    // The last 7 days unless a period is given, counted as the summary and the pages count them.
    const CalendarDay today = LocalDay(CTime::GetCurrentTime());
    RecordPeriod period = LastDays(today, m_parser.isSet(m_days) ? m_parser.value(m_days).toInt() : 7);
    if (m_parser.isSet(m_from) || m_parser.isSet(m_to))
        period =
            BetweenDays(m_parser.isSet(m_from) ? std::optional(DayOf(m_parser.value(m_from))) : std::nullopt,
                        m_parser.isSet(m_to) ? std::optional(DayOf(m_parser.value(m_to))) : std::nullopt);
    const OccasionTypes types = ReadEvaluationSettings(TypeNamesInUse()).types;
    out << FormatEvaluationTable(
        EvaluatePeriod(ClassifyOccasions(ReadDataFileLines(kDataFileName), types, period)));
    out.flush();
    return out ? kExitOk : kExitFailed;
}
