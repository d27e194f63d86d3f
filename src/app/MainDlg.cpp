#include "app/MainDlg.h"

#include "app/AboutDlg.h"
#include "backup/BackupNotice.h"
#include "platform/DialogFontFit.h"
#include "platform/DynamicLayout.h"
#include "platform/LocalTime.h"
#include "platform/ModalSeam.h"
#include "platform/UserSettings.h"
#include "platform/WinTypes.h"
#include "res/Templates.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

QString AboutEntryText()
{
    return QStringLiteral("Velliqa のﾊﾞｰｼﾞｮﾝ情報(&A)...");
}

// The top-left corner nearest to `at` at which a window of the outer size `outer` lies in `area`
// (or starts at its top-left corner, when it is larger).
QPoint InsideArea(QPoint at, QSize outer, const QRect& area)
{
    return {std::clamp(at.x(), area.left(), std::max(area.left(), area.x() + area.width() - outer.width())),
            std::clamp(at.y(), area.top(), std::max(area.top(), area.y() + area.height() - outer.height()))};
}

} // namespace

CMainDlg::CMainDlg(IModalSeam& seam, std::string folderPath, QWidget* parent)
    : CDialog(MainTemplate(), seam, parent), m_folder(std::move(folderPath)), m_listPage(seam, m_folder),
      m_settingsPage(seam, m_folder), m_otherPage(seam), m_graphPage(seam, m_folder),
      m_evaluationPage(seam, m_folder),
      m_backups([] { return LocalStampOf(CTime::GetCurrentTime()); }, m_folder.Path()),
      m_undo(seam, this, m_folder.Path()), m_icon(QStringLiteral(":/velliqa.svg"))
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // The window grows as the user likes, never below the size the template gives it. It
    // opens at that size, not at the size of its children's extent a dialog would take.
    setMinimumSize(size());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(minimumSize());
    m_tab = Get<QTabBar>(MainIds::IDC_TAB);
    // A type renamed on the settings page shows at once in the list page's selector.
    connect(&m_settingsPage, &CSettingsPage::TypeRenamed, &m_listPage, &CListPage::OnTypeRenamed);
}

CPage& CMainDlg::Page(int tab)
{
    switch (tab) {
    case kGraphTab:
        return m_graphPage;
    case kEvaluationTab:
        return m_evaluationPage;
    case kSettingsTab:
        return m_settingsPage;
    case kOtherTab:
        return m_otherPage;
    default:
        return m_listPage;
    }
}

bool CMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Every page reads the data files: the missing ones are created first, with their defaults.
    const std::vector<UnwritableDataFile> unwritable = m_folder.Open();

    // The about entry: the window manager's menu is not ours on Linux, so it is offered in the
    // window's context menu and as Alt+A.
    auto* about = new QShortcut(QKeySequence(QStringLiteral("Alt+A")), this);
    connect(about, &QShortcut::activated, this, [this] { OnSysCommand(kIdmAboutBox); });
    AddTabShortcuts();

    setWindowIcon(m_icon);
    m_nCurTab = 0;

    const QString texts[] = {QStringLiteral("　　メイン　　"), QStringLiteral("　　グラフ　　"),
                             QStringLiteral("　評価　"), QStringLiteral("　基本設定　"),
                             QStringLiteral("　その他　")};
    for (int i = 0; i < kTabCount; ++i) {
        m_tab->addTab(texts[i]);
        Page(i).Create(this);
        // Every page fills the tab control's display area, whatever the window's size.
        CDynamicLayout::Of(*this).AddItem(Page(i), kSizeX | kSizeY);
    }
    // Once, at start: the user learns before typing anything that changes cannot be stored.
    if (!unwritable.empty())
        Seam().MessageBox(this, CListPage::UnwritableDataMessage(unwritable), AppTitle(),
                          MB_OK | MB_ICONEXCLAMATION);
    // An import rewrites the files behind the pages: the folder reads them again, so the list
    // shows the new records at once (the graph reloads by itself) and a raised limit shows in the
    // settings, which would otherwise write the old number back when its field loses the focus.
    m_otherPage.SetImportedHandler([this](long long) { m_folder.Reload(); });

    m_listPage.SetBackups(&m_backups);
    m_otherPage.SetBackups(&m_backups, [this] { m_folder.Reload(); });
    m_listPage.SetUndo(&m_undo);
    m_settingsPage.SetUndo(&m_undo);
    m_otherPage.SetUndo(&m_undo);
    connect(&m_undo, &CUndoController::FilesChanged, &m_folder, &CDataFolder::Reload);
    // The day's first backup is taken once the window shows, before any input is handled, so
    // that it is whole before the first change is written.
    QTimer::singleShot(0, this, [this] {
        if (const std::optional<int> error = m_backups.TakeAtStart())
            TellBackupFailure(*error, Seam(), this);
    });

    // The tab control's display area: a frame below the row of tab headers.
    const CDialogUnits du(font());
    const QRect area = du.ToPixels(7, 7, 300, 240);
    m_tab->setGeometry(area.x(), area.y(), area.width(), m_tab->sizeHint().height());
    auto* pane = new QFrame(this);
    pane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    pane->setGeometry(area.x(), m_tab->geometry().bottom(), area.width(),
                      area.bottom() - m_tab->geometry().bottom());
    pane->lower();
    CDynamicLayout::Of(*this).AddItem(*m_tab, kSizeX);
    CDynamicLayout::Of(*this).AddItem(*pane, kSizeX | kSizeY);
    RestoreWindowGeometry();

    m_listPage.show();
    m_graphPage.hide();
    m_evaluationPage.hide();
    m_settingsPage.hide();
    m_otherPage.hide();

    connect(m_tab, &QTabBar::currentChanged, this, [this] {
        OnSelchangingTab();
        OnSelchangeTab();
    });
    // The first Return a user presses lands on the list, where it does nothing: never on 終了.
    m_listPage.FocusRecordList();
    return true;
}

void CMainDlg::RestoreWindowGeometry()
{
    const QByteArray kept = CUserSettings::MainWindowGeometry();
    if (kept.isEmpty() || !restoreGeometry(kept))
        return;
    // A size kept from a larger screen shrinks to the available area of this one, and the
    // window moves into it; a size below the minimum, from a smaller dialog font, grows to it.
    const QScreen* screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen || isMaximized())
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = ReservedWindowFrame();
    resize(size().boundedTo(available.size() - frame));
    move(InsideArea(pos(), size() + frame, available));
}

void CMainDlg::done(int result)
{
    CUserSettings::SetMainWindowGeometry(saveGeometry(), m_folder.Path());
    CDialog::done(result);
}

void CMainDlg::AddTabShortcuts()
{
    const std::pair<QKeyCombination, int> keys[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        // Shift+Tab arrives as Backtab on most keyboards.
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { OnNextTab(step); });
    }
}

void CMainDlg::OnNextTab(int step)
{
    const int count = m_tab->count();
    if (count == 0)
        return;
    m_tab->setCurrentIndex(((m_tab->currentIndex() + step) % count + count) % count);
    FocusFirstControl(Page(m_nCurTab));
}

void CMainDlg::FocusFirstControl(QWidget& page)
{
    for (QWidget* w = page.nextInFocusChain(); w && w != &page; w = w->nextInFocusChain()) {
        if (page.isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CMainDlg::OnSelchangingTab()
{
    CPage& old = Page(m_nCurTab);
    m_bPageHadFocus = old.isAncestorOf(QApplication::focusWidget());
    old.hide();
    // A refused value shows its message; the switch still happens.
    if (m_nCurTab != 0 && old.UpdateData(true))
        old.OnPageLeft();
}

void CMainDlg::OnSelchangeTab()
{
    const int n = m_tab->currentIndex();
    if (n == m_nCurTab)
        return;
    m_nCurTab = n;
    if (n < 0 || n >= kTabCount)
        return;
    Page(n).show();
    // The focus that was on the page just left moves into the new one, not onto "終了".
    if (m_bPageHadFocus)
        FocusFirstControl(Page(n));
}

void CMainDlg::OnSysCommand(unsigned id)
{
    if ((id & 0xFFF0) != kIdmAboutBox)
        return;
    CAboutDlg dlg(Seam(), this);
    dlg.DoModal();
}

void CMainDlg::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(AboutEntryText(), this, [this] { OnSysCommand(kIdmAboutBox); });
    menu.exec(event->globalPos());
}
