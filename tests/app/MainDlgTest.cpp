// The main window: four tabs, exactly one page shown, pages read back when left.
#include "app/MainDlg.h"
#include "res/ControlIds.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {

class MainDlgTest : public ::testing::Test
{
protected:
    ScopedDataDir dir;
    FakeModalSeam seam;
};

int VisiblePages(CMainDlg& dlg)
{
    int visible = 0;
    for (int i = 0; i < 4; ++i)
        visible += dlg.Page(i).isVisibleTo(&dlg) ? 1 : 0;
    return visible;
}

} // namespace

TEST_F(MainDlgTest, StartsOnTheListTabWithTheFourTabsInOrder)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    QTabBar* tabs = dlg.TabBar();
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("　　メイン　　"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("　　グラフ　　"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("　基本設定　"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("　その他　"));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(dlg.m_nCurTab, 0);
    EXPECT_TRUE(dlg.m_listPage.isVisibleTo(&dlg));
    EXPECT_EQ(VisiblePages(dlg), 1);
    // The settings page's renames reach the list page's selector.
    Q_EMIT dlg.m_settingsPage.TypeRenamed(1, QStringLiteral("renamed"));
    EXPECT_EQ(dlg.m_listPage.m_comboAverageType->itemText(1), QStringLiteral("renamed"));
}

TEST_F(MainDlgTest, SwitchingTabsShowsExactlyTheChosenPage)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    for (int tab : {1, 2, 3, 0, 2}) {
        dlg.TabBar()->setCurrentIndex(tab);
        EXPECT_EQ(dlg.m_nCurTab, tab);
        EXPECT_TRUE(dlg.Page(tab).isVisibleTo(&dlg)) << tab;
        EXPECT_EQ(VisiblePages(dlg), 1) << tab;
    }
}

TEST_F(MainDlgTest, TheGraphPageIsTheSecondTab)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    dlg.TabBar()->setCurrentIndex(1);
    EXPECT_EQ(&dlg.Page(1), static_cast<CPage*>(&dlg.m_graphPage));
    EXPECT_TRUE(dlg.m_graphPage.isVisibleTo(&dlg));
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
