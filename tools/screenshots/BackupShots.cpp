#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "backup/Backups.h"
#include "backup/RestoreDlg.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "store/DataFiles.h"
#include "tests/support/Controls.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QPainter>
#include <QTableView>

#include <filesystem>

namespace {

// Answers every question with yes and runs no dialog.
class YesSeam : public IModalSeam
{
public:
    int RunDialog(QDialog&) override { return IDCANCEL; }
    int MessageBox(QWidget*, const QString&, const QString&, unsigned) override { return IDYES; }
};

// The restore dialog over three backups after every row was deleted, the newest chosen.
void ShootRestoreDialog(const ShotContext& ctx)
{
    TakeBackup(BackupReason::Start, {2024, 5, 10, 7, 58, 12});
    TakeBackup(BackupReason::BeforeImport, {2024, 5, 11, 21, 3, 40});
    TakeBackup(BackupReason::BeforeDelete, {2024, 5, 12, 8, 15, 2});
    std::filesystem::resize_file(kDataFileName, 0); // every row deleted by mistake
    CRestoreDlg dlg(RealModalSeam(), ListBackups(), 0, {});
    dlg.OnInitDialog();
    dlg.show();
    QApplication::processEvents();
    ctx.Save(dlg, QStringLiteral("restore-dialog"));
}

// The list's menu after a deletion of three rows: 元に戻す names the step.
void ShootUndoMenu(const ShotContext& ctx)
{
    WriteSampleRecords();
    YesSeam seam;
    CMainDlg dlg(seam);
    ShowMainWindowOnTab(dlg, 0);
    QTableView* list = Control<QTableView>(PageOf<CListPage>(dlg), ListIds::IDC_RECORD_LIST);
    list->selectionModel()->select(QItemSelection(list->model()->index(0, 0), list->model()->index(2, 0)),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    PageOf<CListPage>(dlg).OnDelete();
    QApplication::processEvents();
    const QPoint at = list->visualRect(list->model()->index(1, 1)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return;
    QApplication::processEvents();
    QPixmap shot = dlg.grab();
    QPainter painter(&shot);
    painter.drawPixmap(dlg.mapFromGlobal(menu->pos()), menu->grab());
    painter.end();
    shot.save(ctx.outDir + QStringLiteral("/list-menu-undo.png"));
    menu->close();
}

} // namespace

void ShootBackups(const ShotContext& ctx)
{
    WriteSampleRecords();
    ShootRestoreDialog(ctx);
    ShootUndoMenu(ctx);
}
