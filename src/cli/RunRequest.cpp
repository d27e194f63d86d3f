#include "cli/RunRequest.h"

#include "cli/BackupCommands.h"
#include "cli/CommandFolder.h"
#include "cli/EvaluateCommand.h"
#include "cli/ExitStatus.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/Messages.h"
#include "cli/SummaryCommand.h"
#include "config/VelliqaConfig.h"
#include "folder/DataFolder.h"
#include "report/NotebookCommand.h"

namespace {

struct CRunner
{
    const CommandLineRequest& m_request;
    CDataFolder& m_folder;
    std::ostream& m_out;
    std::ostream& m_err;

    int operator()(const WindowRequest&) const { return kExitOk; }
    int operator()(const HelpRequest& help) const
    {
        m_out << help.text.toStdString();
        return kExitOk;
    }
    int operator()(const VersionRequest&) const
    {
        m_out << "Velliqa " << kVelliqaVersion << '\n';
        return kExitOk;
    }
    int operator()(const UsageError& error) const
    {
        Tell(m_err, error.message);
        Tell(m_err, HelpHintText(MessageLanguage()));
        return kExitUsage;
    }
    int operator()(const ExportRequest& request) const
    {
        return InFolder() ? RunExport(request, m_folder, m_out, m_err) : kExitFailed;
    }
    int operator()(const ImportRequest& request) const
    {
        return InFolder() ? RunImport(request, m_folder, m_err) : kExitFailed;
    }
    int operator()(const SummaryRequest& request) const
    {
        return InFolder() ? RunSummary(request, m_folder, m_out) : kExitFailed;
    }

    int operator()(const EvaluateRequest& request) const
    {
        return InFolder() ? RunEvaluate(request, m_folder, m_out) : kExitFailed;
    }

    int operator()(const ReportPdfRequest& request) const
    {
        return InFolder() ? RunNotebookPdf(request.file, request.notebook, m_folder.Path(), m_err)
                          : kExitFailed;
    }

    int operator()(const ListBackupsRequest&) const
    {
        return InFolder() ? RunListBackups(m_folder, m_out) : kExitFailed;
    }
    int operator()(const RestoreBackupRequest& request) const
    {
        return InFolder() ? RunRestoreBackup(request.name, m_folder, m_err) : kExitFailed;
    }

    bool InFolder() const { return CheckDataFolder(m_request.dataDir, m_err); }
};

} // namespace

int RunRequest(const CommandLineRequest& request, std::ostream& out, std::ostream& err)
{
    // The folder every action works in, at its path: the current folder is never changed.
    CDataFolder folder(CommandFolderPath(request.dataDir));
    return std::visit(CRunner{request, folder, out, err}, request.action);
}
