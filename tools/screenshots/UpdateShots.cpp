#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "platform/ModalSeam.h"
#include "update/ProgressRunner.h"

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
    CProgressRunner runner(QStringLiteral("新しいバージョンを確認しています…"));
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

} // namespace

void ShootUpdate(const ShotContext& ctx)
{
    CMainDlg dlg(RealModalSeam());
    ShowMainWindowOnTab(dlg, 3);
    ctx.Save(dlg, QStringLiteral("update-other-tab"));
    ShootProgress(ctx, dlg);
    ShootMessage(ctx,
                 QStringLiteral("新しいバージョンを確認できませんでした。\n"
                                "サーバーに接続できませんでした。\nネットワークの接続を確認してください。"),
                 QMessageBox::Warning, QStringLiteral("update-failed"));
    ShootMessage(ctx, QStringLiteral("最新のバージョンがインストールされています"), QMessageBox::Information,
                 QStringLiteral("update-up-to-date"));
}
