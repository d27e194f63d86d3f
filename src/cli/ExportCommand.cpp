#include "cli/ExportCommand.h"

#include "cli/CommandFolder.h"
#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "csv/CsvFileSave.h"
#include "csv/CsvService.h"
#include "folder/DataFolder.h"

namespace {

bool WriteExport(const QString& file, const std::string& text, std::ostream& out, std::ostream& err)
{
    if (file == QStringLiteral("-")) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        return static_cast<bool>(out);
    }
    const std::optional<QString> reason = SaveCsvFile(file, text);
    if (!reason)
        return true;
    Tell(err, Localised(QStringLiteral("「%1」に書き込めません（%2）。"),
                        QStringLiteral("cannot write \"%1\" (%2)."))
                  .arg(file, *reason));
    return false;
}

} // namespace

int RunExport(const ExportRequest& request, const CDataFolder& folder, std::ostream& out, std::ostream& err)
{
    const CInstanceLock lock(folder.Path());
    if (!TakeFolder(lock, err))
        return kExitFailed;
    const CsvExportResult result = ExportFolderCsv(folder.Path(), request.includeArchive, request.period);
    if (!WriteExport(request.file, result.text, out, err))
        return kExitFailed;
    if (result.unreadable > 0)
        Tell(err, Localised(QStringLiteral("日付を読めない記録 %1 件は書き出していません。"),
                            QStringLiteral("records left out because their date cannot be read: %1."))
                      .arg(result.unreadable));
    Tell(err, Localised(QStringLiteral("%1 件を書き出しました。"), QStringLiteral("records exported: %1."))
                  .arg(result.exported));
    return kExitOk;
}
