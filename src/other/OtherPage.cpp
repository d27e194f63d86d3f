#include "other/OtherPage.h"

#include "backup/BackupNotice.h"
#include "backup/RestoreDlg.h"
#include "config/VelliqaConfig.h"
#include "csv/CsvFileSave.h"
#include "csv/CsvPreviewDlg.h"
#include "csv/CsvService.h"
#include "csv/ImportFile.h"
#include "csv/ZoneNames.h"
#include "folder/DataFolder.h"
#include "platform/FileDialogSeam.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "res/Templates.h"
#include "store/DataFiles.h"
#include "store/WriteFailure.h"
#include "undo/UndoController.h"
#include "update/CurlTransport.h"
#include "update/HttpDownloader.h"
#include "update/UpdaterLauncher.h"
#include "update/VersionFile.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <QLabel>
#include <QPushButton>
#include <atomic>
#include <optional>

namespace {

// The version file's URL is a setting of the build (VELLIQA_UPDATE_URL in CMake).
constexpr const char* kUpdateUrl = kVelliqaUpdateUrl;

QString FailureReason(DownloadError error, int status)
{
    switch (error) {
    case DownloadError::BadUrl:
        return QStringLiteral("バージョン情報のアドレスが正しくありません。");
    case DownloadError::Session:
        return QStringLiteral("通信の準備ができませんでした。");
    case DownloadError::NameNotResolved:
        return QStringLiteral("サーバーが見つかりませんでした。\nネットワークの接続を確認してください。");
    case DownloadError::ConnectFailed:
        return QStringLiteral("サーバーに接続できませんでした。\nネットワークの接続を確認してください。");
    case DownloadError::Timeout:
        return QStringLiteral("サーバーが時間内に応答しませんでした。");
    case DownloadError::ConnectionLost:
        return QStringLiteral("受信の途中で接続が切れました。");
    case DownloadError::BadReply:
        return QStringLiteral("サーバーの応答が正しくありません。");
    case DownloadError::TooManyRedirects:
        return QStringLiteral("サーバーの転送が繰り返され、バージョン情報に届きませんでした。");
    case DownloadError::TooLarge:
        return QStringLiteral("サーバーの応答が大きすぎます。");
    case DownloadError::OutOfMemory:
        return QStringLiteral("メモリが不足しています。");
    case DownloadError::EmptyBody:
        return QStringLiteral("サーバーの応答が空でした。");
    case DownloadError::NoVersion:
        if (status != 0 && status != 200)
            return QStringLiteral("サーバーからバージョン情報が得られませんでした（HTTP %1）。").arg(status);
        return QStringLiteral("サーバーの応答にバージョン情報がありません。");
    case DownloadError::None:
    case DownloadError::Network:
    case DownloadError::Cancelled:
        break;
    }
    return QStringLiteral("通信中にエラーが発生しました。");
}

} // namespace

COtherPage::COtherPage(IModalSeam& seam, CDataFolder& folder)
    : CPage(OtherTemplate(), seam), m_folder(folder), m_strUpdateUrl(kUpdateUrl),
      m_makeTransport([] { return std::make_unique<CCurlTransport>(); }),
      m_progressRunner(QStringLiteral("新しいバージョンを確認しています…"),
                       QStringLiteral("バージョンの確認")),
      m_pRunner(&m_progressRunner), m_pLauncher(&RealUpdaterLauncher()),
      m_pFileDialogs(&RealFileDialogSeam()),
      m_csvProgressRunner(QStringLiteral("ファイルを読んでいます…"), QStringLiteral("ファイルの読み込み")),
      m_pCsvRunner(&m_csvProgressRunner)
{
    SwallowEnterAndEscape(true);
    // The version text reads out as it shows.
    for (auto* label : findChildren<QLabel*>())
        label->setAccessibleName(label->text());
    if (auto* button = Get<QPushButton>(OtherIds::IDC_ONLINE_UPDATE))
        connect(button, &QPushButton::clicked, this, [this] { OnOnlineUpdate(); });
    if (auto* button = Get<QPushButton>(OtherIds::IDC_EXPORT_CSV))
        connect(button, &QPushButton::clicked, this, [this] { OnExportCsv(); });
    if (auto* button = Get<QPushButton>(OtherIds::IDC_IMPORT_CSV))
        connect(button, &QPushButton::clicked, this, [this] { OnImportCsv(); });
    if (auto* button = Get<QPushButton>(OtherIds::IDC_RESTORE_BACKUP))
        connect(button, &QPushButton::clicked, this, [this] { OnRestoreBackup(); });
}

bool COtherPage::OnInitDialog()
{
    return CPage::OnInitDialog();
}

QString COtherPage::UpdaterPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Update.exe"));
}

QString COtherPage::NoUpdateUrlMessage()
{
    return QStringLiteral("このビルドにはアップデートの確認先が設定されていません。");
}

void COtherPage::OnOnlineUpdate()
{
    // Built without an address of its own: there is nothing to connect to, and the network is
    // not to blame.
    if (m_strUpdateUrl == kVelliqaPlaceholderUpdateUrl) {
        Seam().MessageBox(window(), NoUpdateUrlMessage(), QStringLiteral("バージョンの確認"),
                          MB_OK | MB_ICONINFORMATION);
        return;
    }
    CHttpDownloader client(m_makeTransport());
    int r = 0;
    bool checked = false;
    m_pRunner->Run(
        this,
        [&] {
            r = client.CheckVersion(m_strUpdateUrl, kCurrentVersion);
            checked = true;
        },
        [&] { client.SetStopRequest(true); });

    const DownloadError error = checked ? client.GetError() : DownloadError::Network;
    if (error == DownloadError::Cancelled)
        return; // the user stopped it and knows
    if (error != DownloadError::None) {
        ReportCheckFailed(error, client.GetStatusCode());
        return;
    }
    if (r <= 0) {
        ReportUpToDate();
        return;
    }
    if (AskToUpdate() != IDYES)
        return;
    StartUpdater(client);
}

int COtherPage::AskToUpdate()
{
    return Seam().MessageBox(window(),
                             QStringLiteral("新しいバージョンが見つかりました。今すぐアップデートしますか？"),
                             QStringLiteral("新しいバージョンのダウンロード"), MB_YESNO | MB_ICONQUESTION);
}

void COtherPage::ReportUpToDate()
{
    Seam().MessageBox(window(), QStringLiteral("最新のバージョンがインストールされています"),
                      QStringLiteral("バージョンの確認"), MB_OK | MB_ICONINFORMATION);
}

void COtherPage::ReportCheckFailed(DownloadError error, int status)
{
    Seam().MessageBox(
        window(), QStringLiteral("新しいバージョンを確認できませんでした。\n") + FailureReason(error, status),
        QStringLiteral("バージョンの確認"), MB_OK | MB_ICONEXCLAMATION);
}

void COtherPage::StartUpdater(const CHttpDownloader& client)
{
    const UpdateDetails details{client.m_szLocation, client.m_szSize, client.m_szFlag, client.m_szDelay,
                                client.m_szParam};
    QStringList arguments;
    for (const std::string& argument :
         UpdaterArguments(QCoreApplication::applicationFilePath().toStdString(), details))
        arguments << QString::fromStdString(argument);
    if (!m_pLauncher->StartDetached(UpdaterPath(), arguments)) {
        // Closing now would leave the user with neither the program nor its update.
        Seam().MessageBox(window(),
                          QStringLiteral("アップデートプログラム（Update.exe）を起動できませんでした。"),
                          QStringLiteral("新しいバージョンのダウンロード"), MB_OK | MB_ICONSTOP);
        return;
    }
    // Closed once this handler has returned, as the close box closes it: the program ends.
    QWidget* mainWindow = window();
    QMetaObject::invokeMethod(
        mainWindow, [mainWindow] { mainWindow->close(); }, Qt::QueuedConnection);
}

void COtherPage::Tell(const QString& text, unsigned icon)
{
    Seam().MessageBox(window(), text, QStringLiteral("CSV ファイル"), MB_OK | icon);
}

void COtherPage::OnExportCsv()
{
    const QString path =
        m_pFileDialogs->SaveFileName(window(), QStringLiteral("CSV ファイルに書き出す"),
                                     QDir::home().filePath(QStringLiteral("velliqa.csv")),
                                     QStringLiteral("CSV ファイル (*.csv);;すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    const auto* includeArchive = Get<QCheckBox>(OtherIds::IDC_INCLUDE_ARCHIVE);
    const CsvExportResult result =
        ExportFolderCsv(m_folder.Path(), includeArchive && includeArchive->isChecked());
    if (const std::optional<QString> reason = SaveCsvFile(path, result.text)) {
        Tell(QStringLiteral("「%1」に書き込めませんでした（%2）。").arg(path, *reason), MB_ICONEXCLAMATION);
        return;
    }
    QString text = QStringLiteral("%1 件の記録を書き出しました。").arg(result.exported);
    if (result.unreadable > 0)
        text += QStringLiteral("\n日付を読めない記録 %1 件は書き出していません。").arg(result.unreadable);
    Tell(text, MB_ICONINFORMATION);
}

void COtherPage::OnImportCsv()
{
    const QString path = m_pFileDialogs->OpenFileName(
        window(), QStringLiteral("ファイルを読み込む"),
        QStringLiteral(
            "読み込めるファイル (*.csv *.txt *.tsv *.xml *.zip);;CSV ファイル (*.csv *.txt *.tsv);;"
            "Apple Health の書き出し (*.zip *.xml);;すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    const CsvFolderFiles files = ReadCsvFolderFiles(m_folder.Path(), ReadCsvRecordLimit(m_folder.Path()));
    // Reading and planning a large file takes a while: on a worker, with progress and cancel.
    // A CSV file, an Apple Health export.xml or its zip, recognised by what it holds.
    ImportFileRead read;
    std::atomic<bool> stop{false};
    m_pCsvRunner->Run(
        window(), [&] { read = ReadImportFile(QFile::encodeName(path).toStdString()); },
        [&stop] { stop = true; });
    if (stop)
        return; // the user cancelled, and nothing was written
    if (!read.Ok()) {
        Tell(QStringLiteral("「%1」を読み込めません。\n").arg(path) +
                 QString::fromStdString(ImportFileErrorText(read, Language::Japanese)),
             MB_ICONEXCLAMATION);
        return;
    }
    const CsvTable& table = read.table;
    auto planner = [&](const CsvColumnMap& map, CsvDateOrder order) -> std::optional<CsvImportPlan> {
        stop = false;
        CsvImportOptions options;
        options.dateOrder = order;
        options.progress = [&stop](size_t, size_t) { return !stop.load(); };
        options.zoneNames = LocalFromZoneName;
        CsvImportPlan plan;
        m_pCsvRunner->Run(
            window(), [&] { plan = PlanFolderImport(table, map, files, options); }, [&stop] { stop = true; });
        if (stop || plan.cancelled)
            return std::nullopt;
        return plan;
    };
    const CsvColumnMap map = MatchCsvColumns(table.header);
    std::optional<CsvImportPlan> first = planner(map, CsvDateOrder::Auto);
    if (!first)
        return;
    CCsvPreviewDlg preview(Seam(), path, table.header, files.typeLines, map, std::move(*first), planner,
                           window());
    if (preview.DoModal() != IDOK)
        return;
    CommitImport(preview.Plan(), files.recordLimit);
}

void COtherPage::CommitImport(const CsvImportPlan& plan, long long recordLimit)
{
    const bool raise = plan.exceedsLimit;
    if (raise &&
        Seam().MessageBox(window(),
                          QString::fromStdString(CsvLimitText(plan, recordLimit, Language::Japanese)) +
                              QStringLiteral("\n上限を %1 件に引き上げて読み込みますか？\n"
                                             "「いいえ」を選ぶと何も読み込みません。")
                                  .arg(plan.limitToFit),
                          QStringLiteral("CSV ファイル"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The backup, then the undo step's look at the files, only when the import writes.
    std::optional<CUndoRecorder> step;
    CsvCommitHooks hooks;
    hooks.beforeWrite = [&] {
        BackUpBefore(m_pBackups, BackupReason::BeforeImport, Seam(), window());
        step.emplace(m_pUndo, "CSV の読み込み（" + std::to_string(plan.newCount) + " 件）",
                     std::vector<std::string>{kItemFileName, kSettingFileName, kDataFileName});
    };
    // The folder writes the raised limit and tells every page of it.
    hooks.raiseLimit = [this](std::int32_t limit) {
        return m_folder.WriteSetting(kSettingRecordLimit, std::to_string(limit));
    };
    const CsvCommitResult result = CommitCsvImport(m_folder.Path(), m_folder.Records(), plan, raise, hooks);
    if (result.outcome == CsvCommitOutcome::Failed) {
        Tell(QStringLiteral("読み込んだ記録は保存されていません。\n") +
                 QString::fromStdString(WriteFailureText(result.failedFile, result.error)),
             MB_ICONEXCLAMATION);
        return;
    }
    if (step)
        step->Commit();
    if (m_onImported)
        m_onImported(result.raisedLimit);
    Tell(QStringLiteral("%1 件の記録を読み込みました。").arg(plan.newCount), MB_ICONINFORMATION);
}

void COtherPage::OnRestoreBackup()
{
    CUndoRecorder step(m_pUndo, "バックアップから戻す",
                       {kItemFileName, kSettingFileName, kEvaluationFileName, kDataFileName});
    if (!ChooseAndRestoreBackup(m_folder.Path(), m_pBackups, Seam(), window()))
        return;
    step.Commit();
    if (m_onRestored)
        m_onRestored();
}
