#include "cli/CommandLineOptions.h"

#include "cli/Messages.h"

namespace {

QCommandLineOption Flag(Language language, const QStringList& names, const QString& japanese,
                        const QString& english)
{
    return QCommandLineOption(names, Localised(language, japanese, english));
}

QCommandLineOption Valued(Language language, const QString& name, const QString& japanese,
                          const QString& english, const QString& valueName)
{
    return QCommandLineOption(name, Localised(language, japanese, english), valueName);
}

} // namespace

CCommandLineOptions::CCommandLineOptions(Language language)
    : m_strDescription(Localised(
          language, QStringLiteral("Velliqa: 血圧の記録。オプションを付けなければウィンドウを開きます。"),
          QStringLiteral("Velliqa: a blood-pressure log. Without options it opens its window."))),
      m_help(Flag(language, {QStringLiteral("h"), QStringLiteral("help")},
                  QStringLiteral("この説明を表示して終了します。"),
                  QStringLiteral("Show this help and exit."))),
      m_version(Flag(language, {QStringLiteral("v"), QStringLiteral("version")},
                     QStringLiteral("バージョンを表示して終了します。"),
                     QStringLiteral("Show the version and exit."))),
      m_dataDir(
          Valued(language, QStringLiteral("data-dir"),
                 QStringLiteral("データフォルダー（data.txt, item.txt, setting.txt のあるフォルダー）。 "
                                "ウィンドウもほかの操作もここのデータを使います。 既定は現在のフォルダー。"),
                 QStringLiteral("The data folder, holding data.txt, item.txt and setting.txt, for the window "
                                "and for every operation; the current folder by default."),
                 QStringLiteral("DIR"))),
      m_exportCsv(
          Valued(language, QStringLiteral("export-csv"),
                 QStringLiteral("測定記録を CSV ファイルに書き出して終了します。 - は標準出力です。"),
                 QStringLiteral("Write the measurements to a CSV file and exit; - is standard output."),
                 QStringLiteral("FILE"))),
      m_from(
          Valued(language, QStringLiteral("from"),
                 QStringLiteral("--export-csv で書き出す、--summary、--evaluate で集計する、または "
                                "--report-pdf で印刷する最初の日付"
                                "（その日を含む）。"),
                 QStringLiteral(
                     "With --export-csv, --summary, --evaluate or --report-pdf: the first date, inclusive."),
                 QStringLiteral("YYYY-MM-DD"))),
      m_to(Valued(language, QStringLiteral("to"),
                  QStringLiteral("--export-csv で書き出す、--summary、--evaluate で集計する、または "
                                 "--report-pdf で印刷する最後の日付"
                                 "（その日を含む）。"),
                  QStringLiteral(
                      "With --export-csv, --summary, --evaluate or --report-pdf: the last date, inclusive."),
                  QStringLiteral("YYYY-MM-DD"))),
      m_importCsv(
          {QStringLiteral("import-csv"), QStringLiteral("import")},
          Localised(language,
                    QStringLiteral("ファイル（CSV、Apple Health の export.zip か export.xml）の測定記録を"
                                   "読み込んで終了します。--import も同じです。"),
                    QStringLiteral("Import the measurements of a file (CSV, or an Apple Health "
                                   "export.zip or export.xml) and exit; --import is the same.")),
          QStringLiteral("FILE")),
      m_raiseLimit(
          Flag(language, {QStringLiteral("raise-limit")},
               QStringLiteral("--import-csv で記録数が上限を超えるとき、上限を読み込み後の記録数に"
                              "引き上げます。 付けなければ何も変更しません。"),
               QStringLiteral("With --import-csv: when the records would exceed the record limit, raise "
                              "the limit to fit; without it such an import changes nothing."))),
      m_dateOrder(Valued(language, QStringLiteral("date-order"),
                         QStringLiteral("--import-csv で 3/4/2024 のような日付を読む順: ymd（年月日）、 dmy"
                                        "（日/月/年）、 mdy（月/日/年）。"),
                         QStringLiteral("With --import-csv: how to read dates such as 3/4/2024: ymd, dmy "
                                        "(day/month/year) or mdy (month/day/year)."),
                         QStringLiteral("ymd|dmy|mdy"))),
      m_summary(
          Flag(language, {QStringLiteral("summary")},
               QStringLiteral(
                   "測定の種類ごとの件数、平均、最高値と最低値を、タブ区切りの表で出力して終了します。"),
               QStringLiteral("Print the count, the averages and the highest and lowest values of each "
                              "measurement type as a tab-separated table, and exit."))),
      m_days(Valued(
          language, QStringLiteral("days"),
          QStringLiteral(
              "--summary、--evaluate、--report-pdf で、今日を含む直近 N 日を対象にします。--from、--to "
              "とは一緒に指定できません。"),
          QStringLiteral(
              "With --summary, --evaluate or --report-pdf: the last N calendar days, today included; not "
              "together with --from or --to."),
          QStringLiteral("N"))),
      m_evaluate(
          Flag(language, {QStringLiteral("evaluate")},
               QStringLiteral("朝と晩の家庭血圧の平均と分類を、タブ区切りの表で出力して終了します。"
                              "既定は直近 7 日です。"),
               QStringLiteral("Print the morning and evening home blood-pressure averages and their "
                              "categories as a tab-separated table, and exit; the last 7 days by default."))),
      m_reportPdf(Valued(
          language, QStringLiteral("report-pdf"),
          QStringLiteral("医師に渡すレポート（家庭血圧の記録）を PDF ファイルに書き出して終了します。"
                         "期間は --days N（既定は直近 28 日）か --from と --to で、366 日までです。"),
          QStringLiteral("Write the report for the doctor (the home blood-pressure notebook) to a PDF "
                         "file and exit; the period is --days N (the last 28 days by default) or --from "
                         "and --to, up to 366 days."),
          QStringLiteral("FILE"))),
      m_includeArchive(
          Flag(language, {QStringLiteral("include-archive")},
               QStringLiteral("--export-csv で、保存件数を超えて archive.txt に移された記録も書き出します。"),
               QStringLiteral("With --export-csv: also export the readings the record limit moved to "
                              "archive.txt."))),
      m_listBackups(Flag(language, {QStringLiteral("list-backups")},
                         QStringLiteral("バックアップの一覧（名前、記録数、最新の記録、理由）を古い順に、"
                                        "タブ区切りで出力して終了します。"),
                         QStringLiteral("Print the backups (name, records, newest record, reason), oldest "
                                        "first, tab-separated, and exit."))),
      m_restoreBackup(Valued(language, QStringLiteral("restore-backup"),
                             QStringLiteral("バックアップ NAME からデータを戻して終了します。"
                                            "戻す前のデータもバックアップされます。"),
                             QStringLiteral("Restore the data of backup NAME and exit; the data as it was "
                                            "is backed up first."),
                             QStringLiteral("NAME")))
{
}

QList<QCommandLineOption> CCommandLineOptions::All() const
{
    return {m_help,      m_version,        m_dataDir,     m_exportCsv,    m_from, m_to,
            m_importCsv, m_raiseLimit,     m_dateOrder,   m_summary,      m_days, m_evaluate,
            m_reportPdf, m_includeArchive, m_listBackups, m_restoreBackup};
}
