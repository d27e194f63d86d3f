#pragma once
// "バックアップから戻す": the backups, newest first, with their date and time, number of
// records, newest record and reason, and what a restore of the chosen one changes. OK is
// taken only with a backup chosen.

#include "backup/Backups.h"
#include "platform/Dialog.h"

#include <string>
#include <vector>

class QLabel;
class QStandardItemModel;
class QTableView;

class CRestoreDlg : public CDialog
{
    Q_OBJECT
public:
    // backups oldest first, as ListBackups returns them; the records now and the date of the
    // newest one now (code page 932).
    CRestoreDlg(IModalSeam& seam, std::vector<BackupInfo> backups, unsigned recordsNow, std::string newestNow,
                QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnSelchangeBackup();

    // The chosen backup's name; empty when none is chosen.
    std::string Chosen() const;

private:
    std::vector<BackupInfo> m_backups; // newest first, as listed
    unsigned m_nRecordsNow = 0;
    std::string m_strNewestNow;
    QStandardItemModel* m_model = nullptr;
    QTableView* m_listBackups = nullptr;
    QLabel* m_staticChange = nullptr;
};

class CBackupKeeper;

// "バックアップから戻す..." as the other page runs it on the data folder at folder: the dialog,
// then the restore on the keeper's clock (the current time without one), and what came of it
// told. True when files were restored, so that the pages show them.
bool ChooseAndRestoreBackup(const std::string& folder, CBackupKeeper* keeper, IModalSeam& seam,
                            QWidget* parent);
