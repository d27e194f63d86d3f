#include "cli/ImportCommand.h"

#include "cli/CommandFolder.h"
#include "cli/ExitStatus.h"
#include "cli/Messages.h"
#include "csv/CsvFolder.h"
#include "csv/CsvImport.h"
#include "store/WriteFailure.h"

#include <QFile>

#include <cstring>

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString FailedWriteText(const std::string& fileName, int error)
{
    if (MessageLanguage() == Language::Japanese)
        return QString::fromStdString(WriteFailureText(fileName, error));
    return QStringLiteral("cannot write %1 (%2). Check the free disk space and the write permission.")
        .arg(QString::fromStdString(fileName),
             error != 0 ? SystemReason(error) : QStringLiteral("unknown reason"));
}

QString AmbiguousDateText(const CsvImportPlan& plan)
{
    int line = 0;
    QString cell;
    for (const CsvRefusal& refusal : plan.refusals)
        if (refusal.reason == CsvRefusalReason::AmbiguousDate) {
            line = refusal.line;
            cell = QString::fromStdString(refusal.cell);
            break;
        }
    return Localised(
               QStringLiteral("日付の日と月のどちらが先か決まりません（%1 行目「%2」など）。"
                              "--date-order dmy（日/月/年）か --date-order mdy（月/日/年）を付けてください。"
                              "何も変更していません。"),
               QStringLiteral("the dates can be read day first or month first (line %1: \"%2\"); "
                              "give --date-order dmy (day/month/year) or --date-order mdy "
                              "(month/day/year). Nothing was changed."))
        .arg(line)
        .arg(cell);
}

QString LimitText(const CsvImportPlan& plan, long long limit)
{
    return Localised(
               QStringLiteral(
                   "読み込むと記録が %1 件になり、記録数の上限 %2 件を超えます。何も変更していません。"
                   "上限を %1 件に引き上げて読み込むには --raise-limit を付けてください。"),
               QStringLiteral("the import would make %1 records, more than the record limit of %2. Nothing "
                              "was changed. Give --raise-limit to raise the limit to %1 and import."))
        .arg(plan.limitToFit)
        .arg(limit);
}

QString SummaryText(const CsvImportPlan& plan)
{
    return Localised(QStringLiteral(
                         "%1 件を読み込みました（重複して読み込まなかった記録 %2 件、読めなかった行 %3 件、"
                         "文字を置き換えた記録 %4 件）。"),
                     QStringLiteral("records imported: %1 (duplicates skipped: %2, rows refused: %3, records "
                                    "changed: %4)."))
        .arg(plan.newCount)
        .arg(plan.duplicateCount)
        .arg(plan.refusedCount)
        .arg(plan.changedCount);
}

} // namespace

int RunImport(const ImportRequest& request, std::ostream& err)
{
    const CInstanceLock lock;
    if (!TakeFolder(lock, err))
        return kExitFailed;
    QFile input(request.file);
    if (!input.open(QIODevice::ReadOnly)) {
        Tell(err, Localised(QStringLiteral("「%1」を読めません（%2）。何も変更していません。"),
                            QStringLiteral("cannot read \"%1\" (%2). Nothing was changed."))
                      .arg(request.file, input.errorString()));
        return kExitFailed;
    }
    const QByteArray bytes = input.readAll();
    const CsvTable table =
        ReadCsvTable(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    const CsvFolderFiles files = ReadCsvFolderFiles();
    CsvImportOptions options;
    options.dateOrder = request.dateOrder;
    options.recordLimit = files.recordLimit;
    const CsvImportPlan plan =
        PlanCsvImport(table, MatchCsvColumns(table.header), files.dataLines, files.typeLines, options);

    if (!plan.missingFields.empty()) {
        Tell(err, QString::fromStdString(MissingCsvFieldsText(plan.missingFields, MessageLanguage())));
        Tell(err,
             Localised(QStringLiteral("何も変更していません。"), QStringLiteral("Nothing was changed.")));
        return kExitFailed;
    }
    if (plan.dateOrderNeeded) {
        Tell(err, AmbiguousDateText(plan));
        return kExitFailed;
    }
    for (const CsvRefusal& refusal : plan.refusals)
        Tell(err, QString::fromStdString(CsvRefusalText(refusal, MessageLanguage())));
    if (plan.refusedCount > 0 && plan.newCount == 0 && plan.duplicateCount == 0) {
        Tell(err, Localised(QStringLiteral("読める行がありませんでした。何も変更していません。"),
                            QStringLiteral("no row could be read. Nothing was changed.")));
        return kExitFailed;
    }
    if (plan.exceedsLimit && !request.raiseLimit) {
        Tell(err, LimitText(plan, files.recordLimit));
        return kExitFailed;
    }
    if (const std::optional<CsvWriteFailure> failure = WriteCsvImport(plan, request.raiseLimit)) {
        Tell(err, FailedWriteText(failure->fileName, failure->error));
        return kExitFailed;
    }
    if (plan.exceedsLimit)
        Tell(err, Localised(QStringLiteral("記録数の上限を %1 件に引き上げました。"),
                            QStringLiteral("raised the record limit to %1."))
                      .arg(plan.limitToFit));
    Tell(err, SummaryText(plan));
    return kExitOk;
}
