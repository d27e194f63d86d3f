#pragma once
// The other tab: the program's version and the online update. The button checks the version
// file on the update server; when it names a newer version and the user agrees, the updater
// "Update.exe" in the program's own folder takes over and the program closes.

#include "platform/Dialog.h"
#include "update/HttpTransport.h"
#include "update/ProgressRunner.h"

#include <functional>
#include <memory>
#include <string>

class CHttpDownloader;
class IUpdaterLauncher;

class COtherPage : public CPage
{
    Q_OBJECT
public:
    using TransportFactory = std::function<std::unique_ptr<IHttpTransport>()>;

    explicit COtherPage(IModalSeam& seam);

    bool OnInitDialog() override;
    void OnOnlineUpdate();

    // Where the check reads the version file, and the services it uses. The program keeps the
    // defaults: the URL of the build, libcurl, the progress dialog and QProcess.
    void SetUpdateUrl(std::string url) { m_strUpdateUrl = std::move(url); }
    void SetTransportFactory(TransportFactory factory) { m_makeTransport = std::move(factory); }
    void SetCheckRunner(ICheckRunner& runner) { m_pRunner = &runner; }
    void SetUpdaterLauncher(IUpdaterLauncher& launcher) { m_pLauncher = &launcher; }

    // The updater: "Update.exe" in the program's own folder.
    static QString UpdaterPath();

private:
    int AskToUpdate();
    void ReportUpToDate();
    void ReportCheckFailed(DownloadError error, int status);
    void StartUpdater(const CHttpDownloader& client);

    std::string m_strUpdateUrl;
    TransportFactory m_makeTransport;
    CProgressRunner m_progressRunner;
    ICheckRunner* m_pRunner = nullptr;
    IUpdaterLauncher* m_pLauncher = nullptr;
};
