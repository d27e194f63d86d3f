#pragma once
// The other tab: the program's version and the online update. The button checks the version
// file on the update server; when it names a newer version and the user agrees, the updater
// "Update.exe" in the program's own folder takes over and the program closes. Its CSV export
// and import and its restore work on the data folder it is given.

#include "platform/Dialog.h"
#include "platform/ProgressRunner.h"
#include "res/Templates.h"
#include "update/HttpTransport.h"

#include <functional>
#include <memory>
#include <string>

struct CsvImportPlan;
class CBackupKeeper;
class CDataFolder;
class CUndoController;
class CHttpDownloader;
class IFileDialogSeam;
class IUpdaterLauncher;

class COtherPage : public CPage
{
    Q_OBJECT
public:
    using TransportFactory = std::function<std::unique_ptr<IHttpTransport>()>;
    // Told after an import has written the data files: the record limit when it was raised, else 0.
    using ImportedHandler = std::function<void(long long raisedLimit)>;

    COtherPage(IModalSeam& seam, CDataFolder& folder);

    bool OnInitDialog() override;
    void OnOnlineUpdate();
    // "CSV ファイルに書き出す...": every record, oldest first, into a file the user chooses.
    void OnExportCsv();
    // "CSV ファイルを読み込む...": a file the user chooses, planned, previewed, and written only
    // after OK (and, when the record limit would be exceeded, after the user agrees to raise it).
    void OnImportCsv();
    void OnRestoreBackup(); // "バックアップから戻す..."

    // Where the check reads the version file, and the services it uses. The program keeps the
    // defaults: the URL of the build, libcurl, the progress dialog and QProcess.
    void SetUpdateUrl(std::string url) { m_strUpdateUrl = std::move(url); }
    void SetTransportFactory(TransportFactory factory) { m_makeTransport = std::move(factory); }
    void SetCheckRunner(IWorkRunner& runner) { m_pRunner = &runner; }
    void SetUpdaterLauncher(IUpdaterLauncher& launcher) { m_pLauncher = &launcher; }
    void SetFileDialogSeam(IFileDialogSeam& seam) { m_pFileDialogs = &seam; }
    void SetCsvRunner(IWorkRunner& runner) { m_pCsvRunner = &runner; }
    void SetImportedHandler(ImportedHandler handler) { m_onImported = std::move(handler); }
    // The run's backups (taken before an import and a restore), and what to do after a restore.
    void SetBackups(CBackupKeeper* keeper, std::function<void()> onRestored)
    {
        m_pBackups = keeper;
        m_onRestored = std::move(onRestored);
    }

    // The run's undo history: an import and a restore become steps.
    void SetUndo(CUndoController* undo) { m_pUndo = undo; }

    // The updater: "Update.exe" in the program's own folder.
    static QString UpdaterPath();
    // The check of a build that kept the placeholder URL, which connects to nothing:
    // "このビルドにはアップデートの確認先が設定されていません。"
    static QString NoUpdateUrlMessage();

private:
    int AskToUpdate();
    void ReportUpToDate();
    void ReportCheckFailed(DownloadError error, int status);
    void StartUpdater(const CHttpDownloader& client);
    void Tell(const QString& text, unsigned icon);
    // Asks before raising the record limit, then commits the agreed plan and tells the outcome.
    void CommitImport(const CsvImportPlan& plan, long long recordLimit);

    CDataFolder& m_folder;
    std::string m_strUpdateUrl;
    TransportFactory m_makeTransport;
    CProgressRunner m_progressRunner;
    IWorkRunner* m_pRunner = nullptr;
    IUpdaterLauncher* m_pLauncher = nullptr;
    IFileDialogSeam* m_pFileDialogs = nullptr;
    CProgressRunner m_csvProgressRunner;
    IWorkRunner* m_pCsvRunner = nullptr;
    ImportedHandler m_onImported;
    CBackupKeeper* m_pBackups = nullptr;
    CUndoController* m_pUndo = nullptr;
    std::function<void()> m_onRestored;
};
