#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "csv/CsvPreviewDlg.h"
#include "csv/CsvService.h"
#include "csv/ZoneNames.h"
#include "platform/ModalSeam.h"
#include "platform/ProgressRunner.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// The progress dialog of a check that takes its time: saved once it shows, then cancelled.
void ShootProgress(const ShotContext& ctx, CMainDlg& dlg)
{
    std::atomic<bool> cancelled{false};
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(CProgressRunner::kDialogName) && w->isVisible()) {
                poll.stop();
                QApplication::processEvents();
                ctx.Save(*w, QStringLiteral("update-progress"));
                w->findChild<QPushButton*>()->click();
            }
        }
    });
    poll.start();
    CProgressRunner runner(QStringLiteral("新しいバージョンを確認しています…"),
                           QStringLiteral("バージョンの確認"));
    runner.Run(
        &dlg,
        [&] {
            for (int i = 0; i < 100 && !cancelled; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        },
        [&] { cancelled = true; });
}

void ShootMessage(const ShotContext& ctx, const QString& text, QMessageBox::Icon icon, const QString& name)
{
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("バージョンの確認"));
    box.setText(text);
    box.setIcon(icon);
    box.show();
    QApplication::processEvents();
    ctx.Save(box, name);
}

// The preview of an import from another program's file, with a duplicate and refused rows.
void ShootCsvPreview(const ShotContext& ctx)
{
    const std::string file =
        "測定日,タイムゾーン,最高血圧(mmHg),最低血圧(mmHg),脈拍(bpm),不規則脈波検出,体動検出,メモ\r\n"
        "2024/03/01 07:05,Asia/Tokyo,128,82,68,未検出,未検出,起床後\r\n"
        "2024/03/01 21:30,Asia/Tokyo,135,88,72,検出,検出,\"夕食後, 少し頭痛\"\r\n"
        "2024/03/02 07:10,Asia/Tokyo,126,80,66,未検出,未検出,\r\n"
        "2024/03/02 07:10,Asia/Tokyo,126,80,66,未検出,未検出,\r\n"
        "2024/02/30 07:00,Asia/Tokyo,120,80,60,未検出,未検出,\r\n"
        "2024/03/03 07:00,Asia/Tokyo,,,64,,,\r\n"
        "2024/03/03 07:02,Asia/Tokyo,--,79,65,未検出,検出,測定失敗\r\n"
        "2024/03/03 07:04,Asia/Tokyo,124,79,65,未検出,未検出,再測定\r\n";
    const CsvTable table = ReadCsvTable(file);
    const CsvFolderFiles files = ReadCsvFolderFiles(".", ReadCsvRecordLimit("."));
    auto planner = [&](const CsvColumnMap& map, CsvDateOrder order) -> std::optional<CsvImportPlan> {
        CsvImportOptions options;
        options.dateOrder = order;
        options.zoneNames = LocalFromZoneName;
        return PlanFolderImport(table, map, files, options);
    };
    const CsvColumnMap map = MatchCsvColumns(table.header);
    CCsvPreviewDlg preview(RealModalSeam(), QStringLiteral("/home/user/血圧計/export.csv"), table.header,
                           files.typeLines, map, *planner(map, CsvDateOrder::Auto), planner);
    preview.OnInitDialog();
    preview.show();
    QApplication::processEvents();
    ctx.Save(preview, QStringLiteral("csv-import-preview"));
}

} // namespace

void ShootUpdate(const ShotContext& ctx)
{
    CMainDlg dlg(RealModalSeam());
    ShowMainWindowOnTab(dlg, CMainDlg::kOtherTab);
    ctx.Save(dlg, QStringLiteral("update-other-tab"));
    ShootProgress(ctx, dlg);
    ShootMessage(ctx,
                 QStringLiteral("新しいバージョンを確認できませんでした。\n"
                                "サーバーに接続できませんでした。\nネットワークの接続を確認してください。"),
                 QMessageBox::Warning, QStringLiteral("update-failed"));
    ShootMessage(ctx, QStringLiteral("最新のバージョンがインストールされています"), QMessageBox::Information,
                 QStringLiteral("update-up-to-date"));
    ShootCsvPreview(ctx);
}
