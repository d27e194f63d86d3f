// The main window: four tabs, exactly one page shown, pages read back when left.
#include "app/MainDlg.h"
#include "graph/GraphSurface.h"
#include "platform/DialogFont.h"
#include "platform/DialogFontFit.h"
#include "platform/ModalSeam.h"
#include "platform/UserSettings.h"
#include "res/ControlIds.h"
#include "res/Templates.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <cerrno>
#include <vector>

#include <sys/stat.h>

namespace {

class MainDlgTest : public ::testing::Test
{
protected:
    ScopedDataDir dir;
    FakeModalSeam seam;
};

// The application font as it was, again after a test that chose another one.
class KeepAppFont
{
public:
    ~KeepAppFont() { QApplication::setFont(m_font); }

private:
    QFont m_font = QApplication::font();
};

void ShowActive(CMainDlg& dlg)
{
    dlg.OnInitDialog();
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
}

int VisiblePages(CMainDlg& dlg)
{
    int visible = 0;
    for (int i = 0; i < CMainDlg::kTabCount; ++i)
        visible += dlg.Page(i).isVisibleTo(&dlg) ? 1 : 0;
    return visible;
}

} // namespace

TEST_F(MainDlgTest, StartsOnTheListTabWithTheFiveTabsInOrder)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    QTabBar* tabs = dlg.TabBar();
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("　　メイン　　"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("　　グラフ　　"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("　評価　"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("　基本設定　"));
    EXPECT_EQ(tabs->tabText(4), QStringLiteral("　その他　"));
    EXPECT_EQ(&dlg.Page(CMainDlg::kEvaluationTab), static_cast<CPage*>(&PageOf<CEvaluationPage>(dlg)));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(dlg.CurrentTab(), 0);
    EXPECT_TRUE(PageOf<CListPage>(dlg).isVisibleTo(&dlg));
    EXPECT_EQ(VisiblePages(dlg), 1);
    // The settings page's renames reach the list page's selector.
    Q_EMIT PageOf<CSettingsPage>(dlg).TypeRenamed(1, QStringLiteral("renamed"));
    EXPECT_EQ(Control<QComboBox>(PageOf<CListPage>(dlg), ListIds::IDC_AVERAGE_TYPE)->itemText(1),
              QStringLiteral("renamed"));
}

TEST_F(MainDlgTest, SwitchingTabsShowsExactlyTheChosenPage)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    for (int tab : {1, 2, 3, 4, 0, 2}) {
        dlg.TabBar()->setCurrentIndex(tab);
        EXPECT_EQ(dlg.CurrentTab(), tab);
        EXPECT_TRUE(dlg.Page(tab).isVisibleTo(&dlg)) << tab;
        EXPECT_EQ(VisiblePages(dlg), 1) << tab;
    }
}

TEST_F(MainDlgTest, TheGraphPageIsTheSecondTab)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    dlg.TabBar()->setCurrentIndex(1);
    EXPECT_EQ(&dlg.Page(1), static_cast<CPage*>(&PageOf<CGraphPage>(dlg)));
    EXPECT_TRUE(PageOf<CGraphPage>(dlg).isVisibleTo(&dlg));
}

TEST_F(MainDlgTest, ExitButtonEndsWithOkAndEscapeWithCancel)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    auto* exit = dlg.Get<QPushButton>(MainIds::IDC_EXIT);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), QStringLiteral("終了"));
    exit->click();
    EXPECT_EQ(dlg.result(), 1);

    CMainDlg second(seam);
    second.OnInitDialog();
    second.show();
    QTest::keyClick(&second, Qt::Key_Escape);
    EXPECT_EQ(second.result(), 2);
}

TEST_F(MainDlgTest, FirstStartCreatesTheThreeFilesWithTheirDefaultBytes)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    EXPECT_EQ(ReadBytes("item.txt"),
              "[\x8E\x77\x92\xE8\x82\xC8\x82\xB5]\r\n\x92\xA9\r\n\x92\x8B\r\n\x94\xD3\r\n"
              "\x82\xBB\x82\xCC\x91\xBC\r\n");
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n1\r\n30\r\n0\r\n0\r\n\x96\xA2\x90\xDD\x92\xE8\r\n");
    EXPECT_TRUE(std::filesystem::exists("data.txt"));
    EXPECT_EQ(ReadBytes("data.txt"), "");
    EXPECT_FALSE(std::filesystem::exists("~tempfile"));
}

TEST_F(MainDlgTest, AboutEntryOpensTheAboutBox)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    QString title;
    seam.QueueDialog([&](QDialog& about) {
        title = about.windowTitle();
        return 1;
    });
    dlg.OnSysCommand(CMainDlg::kIdmAboutBox);
    EXPECT_EQ(seam.dialogsRun, 1);
    EXPECT_EQ(title, QStringLiteral("Velliqaのﾊﾞｰｼﾞｮﾝ情報"));
    dlg.OnSysCommand(0xF060); // any other command opens nothing
    EXPECT_EQ(seam.dialogsRun, 1);
}

TEST_F(MainDlgTest, CtrlTabAndCtrlPageKeysSwitchTabsAsAClickDoes)
{
    CMainDlg dlg(seam);
    ShowActive(dlg);
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int tab;
    } steps[] = {
        {Qt::Key_Tab, Qt::ControlModifier, 1},
        {Qt::Key_Tab, Qt::ControlModifier, 2}, // the evaluation page
        {Qt::Key_PageDown, Qt::ControlModifier, 3},
        {Qt::Key_PageDown, Qt::ControlModifier, 4},
        {Qt::Key_Tab, Qt::ControlModifier, 0}, // round the end
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 4},
        {Qt::Key_PageUp, Qt::ControlModifier, 3},
    };
    for (const auto& step : steps) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &dlg, step.key, step.modifiers);
        EXPECT_EQ(dlg.CurrentTab(), step.tab);
        EXPECT_EQ(VisiblePages(dlg), 1);
        EXPECT_TRUE(dlg.Page(step.tab).isAncestorOf(QApplication::focusWidget())) << step.tab;
    }
    // Leaving the settings page by key reads it back: an emptied limit is refused once.
    Control<QLineEdit>(PageOf<CSettingsPage>(dlg), SettingsIds::IDC_MAX_RECORDS)->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(dlg.CurrentTab(), CMainDlg::kOtherTab);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, PositiveIntegerMessage());
}

TEST_F(MainDlgTest, EnterPressesTheFocusedPushButtonAndDoesNothingElsewhereOnAPage)
{
    CMainDlg dlg(seam);
    ShowActive(dlg);
    auto* del = PageOf<CListPage>(dlg).Get<QPushButton>(ListIds::IDC_DELETE);
    del->setFocus();
    QTest::keyClick(del, Qt::Key_Return);
    ASSERT_EQ(seam.messages.size(), 1u); // nothing to delete: told to select a row
    QTest::keyClick(del, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(seam.messages.size(), 2u);

    Control<QTableView>(PageOf<CListPage>(dlg), ListIds::IDC_RECORD_LIST)->setFocus();
    QTest::keyClick(Control<QTableView>(PageOf<CListPage>(dlg), ListIds::IDC_RECORD_LIST), Qt::Key_Return);
    EXPECT_EQ(seam.messages.size(), 2u);
    EXPECT_TRUE(dlg.isVisible()); // "終了" was not pressed

    dlg.TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    auto* rename = PageOf<CSettingsPage>(dlg).Get<QPushButton>(SettingsIds::IDC_RENAME);
    rename->setFocus();
    QTest::keyClick(rename, Qt::Key_Return);
    EXPECT_EQ(seam.dialogsRun, 1);
}

TEST_F(MainDlgTest, StartsWithTheFocusOnTheListWhereReturnDoesNothing)
{
    WriteBytes("data.txt", "2024/5/3 07:05:09,120,80,70,0,1,\r\n");
    CMainDlg dlg(seam);
    ShowActive(dlg);
    EXPECT_EQ(QApplication::focusWidget(),
              Control<QTableView>(PageOf<CListPage>(dlg), ListIds::IDC_RECORD_LIST));
    EXPECT_EQ(PageOf<CListPage>(dlg).SelectedRows(), std::vector<int>{0}); // ready for 修正
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(seam.dialogsRun, 0);
    auto* exit = dlg.Get<QPushButton>(MainIds::IDC_EXIT);
    exit->setFocus(); // moved there by the user, Return still ends the program
    QTest::keyClick(exit, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), IDOK);
}

TEST(MessageBoxTest, ReturnAnswersNoWhereTheQuestionAsksForIt)
{
    for (const unsigned type : {MB_YESNO | MB_ICONQUESTION, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2}) {
        const auto box = MakeMessageBox(nullptr, QStringLiteral("本文"), QStringLiteral("題"), type);
        EXPECT_EQ(box->defaultButton(),
                  box->button((type & MB_DEFBUTTON2) != 0 ? QMessageBox::No : QMessageBox::Yes));
        EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
    }
}

TEST_F(MainDlgTest, MessageBoxesAndQtDialogsUseTheDialogFont)
{
    KeepAppFont keep;
    UseDialogFont(11);
    EXPECT_EQ(DialogFont().pointSize(), 11);
    EXPECT_EQ(DialogFont().families(), DialogFontAt(14).families());
    const auto box =
        MakeMessageBox(nullptr, QStringLiteral("本文"), QStringLiteral("題"), MB_YESNO | MB_ICONQUESTION,
                       QStringLiteral("今後このメッセージを表示しない"));
    const QFont text = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font();
    EXPECT_EQ(text.families(), DialogFont().families());
    EXPECT_EQ(text.pointSize(), 11);
    EXPECT_EQ(box->checkBox()->font().pointSize(), 11);
    QWidget standardDialog; // Qt's own dialogs take the application font
    EXPECT_EQ(standardDialog.font().pointSize(), 11);
}

// Run by CTest on a 1280 x 1024 screen at the scale factors 1.25, 1.5 and 2 (and once as it is).
TEST(MainWindowFit, TheWindowAndEveryControlLieInsideTheScreensAvailableArea)
{
    ScopedDataDir dir;
    FakeModalSeam seam;
    KeepAppFont keep;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int size = UseDialogFontFitting(MainTemplate(), screen);
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    dlg.show();
    QApplication::processEvents();
    const QRect available = screen->availableGeometry();
    EXPECT_TRUE(available.contains(dlg.frameGeometry())) << size;
    for (int tab = 0; tab < CMainDlg::kTabCount; ++tab) {
        dlg.TabBar()->setCurrentIndex(tab);
        for (QWidget* control : dlg.findChildren<QWidget*>()) {
            if (!control->isVisible() || (control->parent() != &dlg && control->parent() != &dlg.Page(tab)))
                continue;
            const QRect inWindow(control->mapTo(&dlg, QPoint(0, 0)), control->size());
            EXPECT_TRUE(dlg.rect().contains(inWindow)) << tab << " " << control->metaObject()->className();
        }
    }
    // The pages keep their size where it fits, and only there take a smaller one.
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    if (factor == "1.25") {
        EXPECT_EQ(size, kDialogPointSize);
    } else if (factor == "1.5" || factor == "2") {
        EXPECT_LT(size, kDialogPointSize);
    }
    if (!factor.isEmpty()) {
        EXPECT_EQ(screen->geometry().width(), qRound(1280 / factor.toDouble()));
    }
}

TEST_F(MainDlgTest, FilesThatCannotBeWrittenAreToldOnceAndMissingOnesReadAsTheDefaults)
{
    std::filesystem::create_directory("~tempfile"); // no file can be created through it
    WriteBytes("data.txt", "2024/5/3 07:05:09,120,80,70,0,0,\r\n");
    ::chmod("data.txt", 0444);
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text,
              CListPage::UnwritableDataMessage(
                  {{"item.txt", EEXIST}, {"setting.txt", EEXIST}, {"data.txt", EACCES}}));
    EXPECT_TRUE(seam.messages[0].text.contains(
        QStringLiteral("data.txt に書き込めません（書き込みの権限がありません）")));
    EXPECT_FALSE(std::filesystem::exists("item.txt") || std::filesystem::exists("setting.txt"));

    EXPECT_EQ(PageOf<CListPage>(dlg).RecordLimit(), 1000);
    for (QComboBox* types : {Control<QComboBox>(PageOf<CListPage>(dlg), ListIds::IDC_AVERAGE_TYPE),
                             Control<QComboBox>(PageOf<CGraphPage>(dlg), GraphIds::IDC_GRAPH_TYPE)}) {
        ASSERT_EQ(types->count(), 5);
        EXPECT_EQ(types->itemText(4), QStringLiteral("その他"));
    }
    const CSettingsPage& settings = PageOf<CSettingsPage>(dlg);
    EXPECT_EQ(Control<QListWidget>(settings, SettingsIds::IDC_TYPES)->count(), 5);
    EXPECT_EQ(Control<QLineEdit>(settings, SettingsIds::IDC_MAX_RECORDS)->text(), QStringLiteral("1000"));
    EXPECT_EQ(Control<QLineEdit>(settings, SettingsIds::IDC_PRINT_FROM)->text() +
                  Control<QLineEdit>(settings, SettingsIds::IDC_PRINT_TO)->text(),
              QStringLiteral("130"));
    EXPECT_EQ(Control<CCp932Edit>(settings, SettingsIds::IDC_NAME)->text(), QStringLiteral("未設定"));
}

TEST_F(MainDlgTest, TheListAndTheGraphGrowWithTheWindowWhosePlaceIsKeptForTheNextStart)
{
    KeepAppFont keep;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    UseDialogFontFitting(MainTemplate(), QGuiApplication::primaryScreen());
    QRect closedAt;
    CUserSettings::SetMainWindowGeometry({}, "."); // whatever an earlier test closed with
    {
        CMainDlg dlg(seam);
        ShowActive(dlg);
        const QSize start = dlg.size();
        EXPECT_EQ(dlg.minimumSize(), start);
        EXPECT_TRUE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
        // Each control with how it follows the window: move right, move down, widen, heighten.
        const struct
        {
            QWidget* control;
            int moveX, moveY, sizeX, sizeY;
        } controls[] = {
            {Control<QTableView>(PageOf<CListPage>(dlg), ListIds::IDC_RECORD_LIST), 0, 0, 1, 1},
            {PageOf<CListPage>(dlg).Control(ListIds::IDC_ADD), 0, 1, 0, 0},
            {Control<QComboBox>(PageOf<CListPage>(dlg), ListIds::IDC_AVERAGE_TYPE), 1, 0, 0, 0},
            {PageOf<CGraphPage>(dlg).Control(GraphIds::IDC_GRAPH), 0, 0, 1, 1},
            {Surface(PageOf<CGraphPage>(dlg), GraphIds::IDC_GRAPH), 0, 0, 1, 1},
            {Control<QComboBox>(PageOf<CGraphPage>(dlg), GraphIds::IDC_GRAPH_TYPE), 0, 1, 0, 0},
            {Control<CCp932Edit>(PageOf<CSettingsPage>(dlg), SettingsIds::IDC_NAME), 0, 0, 0, 0},
            {dlg.Control(MainIds::IDC_EXIT), 1, 0, 0, 0},
        };
        std::vector<QRect> before;
        for (const auto& c : controls)
            before.push_back(c.control->geometry());
        const QSize grow(300, 200);
        dlg.resize(start + grow);
        for (int tab : {1, 2, 0}) // a hidden page takes its new size when it is shown
            dlg.TabBar()->setCurrentIndex(tab);
        QApplication::processEvents();
        for (size_t i = 0; i < std::size(controls); ++i) {
            const auto& c = controls[i];
            const QRect expected(before[i].topLeft() +
                                     QPoint(c.moveX * grow.width(), c.moveY * grow.height()),
                                 before[i].size() + QSize(c.sizeX * grow.width(), c.sizeY * grow.height()));
            EXPECT_EQ(c.control->geometry(), expected) << c.control->metaObject()->className() << " " << i;
        }
        dlg.resize(start);
        dlg.move(available.topLeft() + QPoint(2, 60));
        closedAt = dlg.geometry();
        dlg.Get<QPushButton>(MainIds::IDC_EXIT)->click();
    }
    {
        CMainDlg next(seam);
        next.OnInitDialog();
        EXPECT_EQ(next.geometry(), closedAt);
        next.resize(5000, 4000); // kept from a larger screen
        next.done(IDOK);
    }
    CMainDlg last(seam);
    last.OnInitDialog();
    last.show();
    QApplication::processEvents();
    EXPECT_TRUE(available.contains(last.frameGeometry()))
        << last.frameGeometry().width() << "x" << last.frameGeometry().height();
    CUserSettings::SetMainWindowGeometry({}, "."); // the next test starts without a kept place
}
