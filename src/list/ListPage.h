#pragma once
// The main tab: the list of measurements, their averages, and adding, correcting and deleting.
// Row r of the list always shows line r + 1 of the measurement file; every change is made to
// the file first, and the list follows what the file holds.
//
// The page works on the data folder's records file and reads the record limit, the print range
// and the type names from the folder's settings (CDataFolder), which it is given. A changed
// record limit applies at once and removes nothing by itself: the next addition trims to it,
// asking first when it would delete more than one record. The page follows the folder's
// signals: records rewritten elsewhere (an import, a restore, an undo) and new type names. A
// type renamed on the settings page reaches it through OnTypeRenamed, connected by the main
// window.

#include "platform/Dialog.h"
#include "record/Averages.h"
#include "store/ArchiveFile.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"

#include <cstdint>
#include <string>
#include <vector>

class CRecordDlg;
class CRecordListModel;
class QContextMenuEvent;
class QComboBox;
class QLabel;
class QTableView;

class CBackupKeeper;
class CDataFolder;
class CUndoController;

class CListPage : public CPage
{
    Q_OBJECT
public:
    CListPage(IModalSeam& seam, CDataFolder& folder);
    ~CListPage() override;

    void RefreshAverages();
    // Puts the keyboard focus on the list of records.
    void FocusRecordList();
    // After another part of the program rewrote the data files (an import, a restore, an
    // undo): the list and the averages as the files hold them now.
    void ReloadDataFiles();
    // The folder's type names changed: the selector shows them, keeping its entry.
    void OnTypesChanged();
    // The record limit the page trims to: the folder's, read at every addition.
    std::int32_t RecordLimit() const;
    // The run's backups, taken before a deletion of several rows and before an addition that
    // the limit makes remove several records; none when the page is used on its own.
    void SetBackups(CBackupKeeper* keeper) { m_pBackups = keeper; }
    // The run's undo history: additions, corrections and deletions become steps, and the
    // list's menu offers 元に戻す and やり直し.
    void SetUndo(CUndoController* undo) { m_pUndo = undo; }

    void OnAddRecord();               // "登録"
    void OnModify();                  // "修正"
    void OnDelete();                  // "削除"
    void OnDblclkRecordList(int row); // row -1: below the last row
    void OnSelchangeAverageType();
    void OnSelchangePeriod();
    // A type was renamed on the settings page: its entry in the selector changes and entry 0
    // is chosen, quietly, so that the averages keep their values.
    void OnTypeRenamed(int index, const QString& name);
    void ModifyRecord(int row);

    void OnPrint();     // "印刷"
    void PrintReport(); // the one-page report of the print range

    // The selected rows are shown in the list; the lowest one, or -1 when none is selected.
    int FirstSelectedRow() const;
    // Every selected row, in ascending order.
    std::vector<int> SelectedRows() const;

    // The message after a failed write: the change was not saved, the list shows the file, and
    // the system's reason (an errno value) with the advice that fits it.
    static QString WriteFailedMessage(int error, const char* fileName = "data.txt");
    // The message at start when changes cannot be stored: each file, or the folder, with the
    // system's reason.
    static QString UnwritableDataMessage(const std::vector<UnwritableDataFile>& unwritable);
    // 修正 and 削除 with no row selected: "修正する血圧情報を選んでください。" and
    // "削除する血圧情報を選んでください。".
    static QString SelectToModifyMessage();
    static QString SelectToDeleteMessage();
    // The key of the notice that the log has reached its limit, for "do not show again".
    static QString LogFullNoticeKey() { return QStringLiteral("logFull"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnInitDialog() override;
    void SetUpRecordList();
    // The focus entering the list by the keyboard, or at start, selects the current row (the
    // first row when there is none), so that 修正 and 削除 act on the row the user sees.
    void OnSetfocusRecordList(Qt::FocusReason reason);
    // A right click on a row offers 修正 and 削除 for it; false when no row was clicked.
    bool OnContextMenuRecordList(const QContextMenuEvent& event);
    void SizeColumns();
    void LoadAverageTypes();
    void LoadPeriods();
    unsigned RecordCount();
    // Line n of the records as the averages read it; empty when missing.
    RecordLineAt CachedLineAt();
    // Stores a new record as line 1, keeping at most the record limit's lines when it is positive.
    LimitedInsertResult InsertRecord(const std::string& line);
    // The store of the entry dialog's OK: false keeps the dialog open with the typed values.
    // An addition that would delete more than one old record asks first.
    bool StoreNewRecord(CRecordDlg& dlg, bool& bAskedAboutLimit);
    bool StoreCorrection(CRecordDlg& dlg, int row, const MEASUREMENT& corrected);
    // Once a run, unless the user asked not to see it again: the log is full, and from now on
    // each addition deletes the oldest record.
    void TellOnceWhenFull();
    // Stores a corrected record in place of line row + 1.
    bool ReplaceRecord(int row, const std::string& line);
    // After a failed write: the list shows the file as it is, and the user learns (in a message
    // over parent) that the change was not saved.
    // error < 0: the data file's last error.
    void ReportFailedWrite(QWidget* parent, const char* fileName = "data.txt", int error = -1);

    CDataFolder& m_folder;
    CTextFile& m_dataFile;                   // the folder's records file
    QComboBox* m_comboAverageType = nullptr; // combo 1010, the type the averages cover
    QTableView* m_listRecords = nullptr;     // list 1001
    QLabel* m_staticMaxAverage = nullptr;    // 1016
    QLabel* m_staticMinAverage = nullptr;    // 1017
    QLabel* m_staticPulseAverage = nullptr;  // 1018
    QComboBox* m_comboPeriod = nullptr;      // 1019, the days the averages cover; 全期間 at each start
    QLabel* m_staticRecordCount = nullptr;   // 1020, how many records the averages cover
    CRecordListModel* m_model = nullptr;     // owned by this page as its Qt child
    CBackupKeeper* m_pBackups = nullptr;
    CUndoController* m_pUndo = nullptr;
    bool m_bFullNoticeShown = false; // the notice of the full log was shown in this run
};
