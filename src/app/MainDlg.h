#pragma once
// The main window: a tab control with five pages, exactly one of them shown, and "終了". It owns
// the run's data folder: it creates the missing files when it opens, before any page exists,
// gives the folder to every page, and has the folder read again after an import, a restore or an
// undo, whose signals the pages follow.

#include "backup/BackupKeeper.h"
#include "evaluation/EvaluationPage.h"
#include "folder/DataFolder.h"
#include "graph/GraphPage.h"
#include "list/ListPage.h"
#include "other/OtherPage.h"
#include "platform/Dialog.h"
#include "settings/SettingsPage.h"
#include "undo/UndoController.h"

#include <QIcon>

class QTabBar;

class CMainDlg : public CDialog
{
    Q_OBJECT
    // Declared first, so made before the pages that are given it.
    CDataFolder m_folder;

public:
    // The window over the data folder at folderPath ("." is the current directory).
    explicit CMainDlg(IModalSeam& seam, std::string folderPath = ".", QWidget* parent = nullptr);

    // The about entry's command; every other command has no effect here.
    static constexpr unsigned kIdmAboutBox = 0x0010;
    void OnSysCommand(unsigned id);

    // Builds the tabs and pages, and gives the window the size and place it had when it was
    // last closed.
    bool OnInitDialog() override;
    // Ends the dialog, keeping the window's size and place for the next start.
    void done(int result) override;
    // The tabs, in order.
    enum Tab : int
    {
        kListTab,
        kGraphTab,
        kEvaluationTab,
        kSettingsTab,
        kOtherTab,
        kTabCount
    };
    CPage& Page(int tab);
    CDataFolder& Folder() { return m_folder; }
    QTabBar* TabBar() const { return m_tab; }
    // The tab whose page is shown.
    int CurrentTab() const { return m_nCurTab; }
    // 元に戻す and やり直し, as the pages' menus and the shortcuts offer them.
    CUndoController& Undo() { return m_undo; }

private:
    CListPage m_listPage;
    CSettingsPage m_settingsPage;
    COtherPage m_otherPage;
    CGraphPage m_graphPage;
    CEvaluationPage m_evaluationPage;
    // The run's backups: the first start of a day, before an import, a deletion of several
    // rows, an addition the limit makes remove several records and a restore.
    CBackupKeeper m_backups;
    // 元に戻す and やり直し on every page.
    CUndoController m_undo;
    int m_nCurTab = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

    // Ctrl+Tab, Ctrl+PageDown (step 1) and Ctrl+Shift+Tab, Ctrl+PageUp (step -1): the next or
    // previous tab, round the end, switched as a click on it switches; the focus goes to the
    // new page's first control.
    void OnNextTab(int step);

private:
    void AddTabShortcuts();
    void RestoreWindowGeometry();
    void OnSelchangingTab();
    void OnSelchangeTab();
    void FocusFirstControl(QWidget& page);

    QTabBar* m_tab = nullptr;
    QIcon m_icon;
    bool m_bPageHadFocus = false; // the page being left held the focus
};
