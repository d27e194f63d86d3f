#include "app/CommandLine.h"

#include "config/VelliqaConfig.h"
#include "list/RecordPeriod.h"
#include "list/Summary.h"
#include "store/DataFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

enum ExitCode : int
{
    kExitOk = 0,
    kExitFailed = 1, // the data folder or its files could not be used
    kExitUsage = 2,  // the command line itself is wrong
};

QString Version()
{
    return QString::fromLatin1(kVelliqaVersion.data(), static_cast<qsizetype>(kVelliqaVersion.size()));
}

bool IsJapanese()
{
    return QLocale::system().language() == QLocale::Japanese;
}

// The text for the user's locale.
QString Tr(const char* japanese, const char* english)
{
    return QString::fromUtf8(IsJapanese() ? japanese : english);
}

void Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int Fail(int code, const QString& message)
{
    Print(stderr, QStringLiteral("velliqa: %1\n").arg(message));
    return code;
}

struct Options
{
    QCommandLineOption dataDir{QStringLiteral("data-dir"),
                               Tr("データファイルのあるフォルダー（既定は現在のフォルダー）。",
                                  "The folder of the data files (the current directory by default)."),
                               QStringLiteral("DIR")};
    QCommandLineOption summary{
        QStringLiteral("summary"),
        Tr("測定の種類ごとの平均と最高値・最低値を、タブ区切りの表で出力して終了します。",
           "Prints the averages, highest and lowest values by measurement type as a "
           "tab-separated table, and exits.")};
    QCommandLineOption from{QStringLiteral("from"),
                            Tr("--summary の期間の最初の日（この日を含む）。",
                               "The first day of the --summary "
                               "period (included)."),
                            QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption to{QStringLiteral("to"),
                          Tr("--summary の期間の最後の日（この日を含む）。",
                             "The last day of the --summary period "
                             "(included)."),
                          QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption days{QStringLiteral("days"),
                            Tr("--summary の期間を、今日までの直近 N 日にします。",
                               "Makes the --summary period the last N days up to today."),
                            QStringLiteral("N")};
};

std::optional<CalendarDay> ReadDay(const QString& text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return std::nullopt;
    return CalendarDay{std::chrono::year{date.year()},
                       std::chrono::month{static_cast<unsigned>(date.month())},
                       std::chrono::day{static_cast<unsigned>(date.day())}};
}

// The period the options name, or the message that says why they name none.
std::optional<RecordPeriod> ReadPeriod(const QCommandLineParser& parser, const Options& o, QString& error)
{
    const bool hasFrom = parser.isSet(o.from), hasTo = parser.isSet(o.to);
    if (parser.isSet(o.days)) {
        if (hasFrom || hasTo) {
            error = Tr("--days は --from や --to と一緒には指定できません。",
                       "--days cannot be given together with --from or --to.");
            return std::nullopt;
        }
        bool ok = false;
        const int days = parser.value(o.days).toInt(&ok);
        if (!ok || days < 1) {
            error = Tr("--days には 1 以上の日数を指定してください: %1",
                       "--days needs a number of days of 1 or more: %1")
                        .arg(parser.value(o.days));
            return std::nullopt;
        }
        return LastDays(LocalDay(CTime::GetCurrentTime()), days);
    }
    std::optional<CalendarDay> from, to;
    for (const auto& [isSet, option, day] :
         {std::tuple(hasFrom, &o.from, &from), std::tuple(hasTo, &o.to, &to)}) {
        if (!isSet)
            continue;
        *day = ReadDay(parser.value(*option));
        if (!*day) {
            error =
                Tr("日付は YYYY-MM-DD の形で指定してください: %1", "A date must be given as YYYY-MM-DD: %1")
                    .arg(parser.value(*option));
            return std::nullopt;
        }
    }
    if (from && to && *to < *from) {
        error = Tr("--from の日付が --to の日付より後になっています。",
                   "The --from date is after the --to date.");
        return std::nullopt;
    }
    return BetweenDays(from, to);
}

int PrintSummary(const RecordPeriod& period)
{
    const std::string table = FormatSummaryTable(ReadDataFileLines(kDataFileName), ReadTypeNames(), period);
    std::fwrite(table.data(), 1, table.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

// The work done without a window, with a core application only.
int RunWithoutWindow(int argc, char** argv, const QCommandLineParser& parser, const Options& o, bool parsed)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velliqa"));
    QCoreApplication::setApplicationVersion(Version());
    // Qt's own parser messages ("Unknown option") in the user's language.
    QTranslator translator;
    if (IsJapanese() &&
        translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    if (!parsed)
        return Fail(kExitUsage, parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        Print(stdout, parser.helpText());
        return kExitOk;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        Print(stdout, QStringLiteral("velliqa %1\n").arg(Version()));
        return kExitOk;
    }
    if (!parser.positionalArguments().isEmpty())
        return Fail(kExitUsage, Tr("余分な引数があります: %1", "Unexpected argument: %1")
                                    .arg(parser.positionalArguments().constFirst()));
    if (!parser.isSet(o.summary))
        return Fail(kExitUsage, Tr("--from、--to、--days は --summary と一緒に指定してください。",
                                   "--from, --to and --days go with --summary."));
    QString error;
    const std::optional<RecordPeriod> period = ReadPeriod(parser, o, error);
    if (!period)
        return Fail(kExitUsage, error);
    return PrintSummary(*period);
}

} // namespace

std::optional<int> RunCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Options o;
    QCommandLineParser parser;
    parser.setApplicationDescription(Tr("Velliqa: 血圧の記録", "Velliqa: a blood-pressure log"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({o.dataDir, o.summary, o.from, o.to, o.days});
    const bool parsed = parser.parse(arguments);

    if (parsed && parser.isSet(o.dataDir)) {
        const QString dir = parser.value(o.dataDir);
        if (!QDir::setCurrent(dir))
            return Fail(kExitFailed,
                        Tr("データフォルダー %1 を開けません。", "Cannot open the data folder %1.").arg(dir));
    }
    const bool windowless =
        !parsed || parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
        parser.isSet(QStringLiteral("version")) || parser.isSet(o.summary) || parser.isSet(o.from) ||
        parser.isSet(o.to) || parser.isSet(o.days) || !parser.positionalArguments().isEmpty();
    if (!windowless)
        return std::nullopt;
    return RunWithoutWindow(argc, argv, parser, o, parsed);
}
