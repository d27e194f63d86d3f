#include "cli/ExportCommand.h"

#include "cli/CommandFolder.h"
#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "csv/CsvExport.h"
#include "csv/CsvFolder.h"
#include "store/ArchiveFile.h"

#include <QSaveFile>

namespace {

bool WriteExport(const QString& file, const std::string& text, std::ostream& out, std::ostream& err)
{
    if (file == QStringLiteral("-")) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        return static_cast<bool>(out);
    }
    // Written beside the target and renamed over it: a failure leaves any old file as it was.
    QSaveFile saved(file);
    if (saved.open(QIODevice::WriteOnly) &&
        saved.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
        saved.commit())
        return true;
    Tell(err, Localised(QStringLiteral("「%1」に書き込めません（%2）。"),
                        QStringLiteral("cannot write \"%1\" (%2)."))
                  .arg(file, saved.errorString()));
    return false;
}

} // namespace

int RunExport(const ExportRequest& request, std::ostream& out, std::ostream& err)
{
    const CInstanceLock lock;
    if (!TakeFolder(lock, err))
        return kExitFailed;
    const CsvFolderFiles files = ReadCsvFolderFiles();
    const CsvExportResult result = ExportCsv(request.includeArchive ? ReadAllRecordLines() : files.dataLines,
                                             files.typeLines, request.period);
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
