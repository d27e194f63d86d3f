// Renaming a measurement type: the list entry, its line of the type file and the list page's
// selector change together, or nothing changes.
#include "SettingsFixture.h"

#include "app/MainDlg.h"
#include "list/ListPage.h"
#include "platform/DataExchange.h"
#include "settings/RenameDlg.h"

#include <QComboBox>
#include <QSignalSpy>

namespace {

const char* const kTypes[] = {"[指定なし]", "朝", "昼", "晩", "その他"};

class RenameTest : public SettingsFixture
{
protected:
    // A list page whose type selector holds the default types, with type 3 chosen.
    void SetUp() override
    {
        for (const char* type : kTypes)
            combo.addItem(QString::fromUtf8(type));
        combo.setCurrentIndex(3);
        listPage.m_comboAverageType = &combo;
    }

    std::unique_ptr<CSettingsPage> OpenLinkedPage()
    {
        auto page = OpenPage();
        page->m_pListPage = &listPage;
        return page;
    }

    // Answers the rename dialog by typing text and pressing OK; records what it opened with.
    void QueueRename(const QString& text)
    {
        seam.QueueDialog([this, text](QDialog& dlg) {
            auto* edit = static_cast<CRenameDlg&>(dlg).Get<QLineEdit>(1030);
            shownName = edit->text();
            edit->setText(text);
            return PressOk(dlg);
        });
    }

    std::string ItemBytesWith(int index, const std::string& name)
    {
        std::string bytes;
        for (int i = 0; i < 5; ++i)
            bytes += (i == index ? name : Sjis(kTypes[i])) + "\r\n";
        return bytes;
    }

    CListPage listPage{seam};
    QComboBox combo;
    QString shownName;
};

} // namespace

TEST_F(RenameTest, RenamingTheFirstTypeReachesTheListTheFileAndTheSelectorQuietly)
{
    auto page = OpenLinkedPage();
    QSignalSpy selectorChanges(&combo, &QComboBox::currentIndexChanged);
    QueueRename(QStringLiteral("全部"));
    page->OnRenameType();

    EXPECT_EQ(shownName, QStringLiteral("[指定なし]"));
    EXPECT_EQ(page->m_listTypes->item(0)->text(), QStringLiteral("全部"));
    EXPECT_TRUE(page->m_listTypes->item(0)->isSelected());
    EXPECT_EQ(page->m_listTypes->count(), 5);
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(0, Sjis("全部")));
    ASSERT_EQ(combo.count(), 5);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("全部"));
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(selectorChanges.count(), 0) << "the averages are not recomputed";
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(RenameTest, RenamingALaterTypeReplacesOnlyItsLineAndEntry)
{
    auto page = OpenLinkedPage();
    page->m_listTypes->setCurrentRow(2);
    QueueRename(QStringLiteral("昼食後"));
    page->OnRenameType();

    EXPECT_EQ(shownName, QStringLiteral("昼"));
    EXPECT_EQ(page->m_listTypes->currentRow(), 2);
    EXPECT_EQ(page->m_listTypes->item(2)->text(), QStringLiteral("昼食後"));
    EXPECT_EQ(page->m_listTypes->item(3)->text(), QStringLiteral("晩"));
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(2, Sjis("昼食後")));
    EXPECT_EQ(combo.itemText(2), QStringLiteral("昼食後"));
    EXPECT_EQ(combo.itemText(3), QStringLiteral("晩"));
    EXPECT_EQ(combo.currentIndex(), 0);
}

TEST_F(RenameTest, AnEmptyNameGivesAnEmptyLineAndEmptyEntries)
{
    auto page = OpenLinkedPage();
    page->m_listTypes->setCurrentRow(1);
    QueueRename(QString());
    page->OnRenameType();
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(1, ""));
    EXPECT_EQ(page->m_listTypes->item(1)->text(), QString());
    EXPECT_EQ(combo.itemText(1), QString());
    EXPECT_EQ(combo.count(), 5);
}

TEST_F(RenameTest, CancellingChangesNothing)
{
    auto page = OpenLinkedPage();
    const std::string before = ReadBytes("item.txt");
    seam.QueueDialog([](QDialog& dlg) {
        static_cast<CRenameDlg&>(dlg).Get<QLineEdit>(1030)->setText(QStringLiteral("別名"));
        dlg.reject(); // the cancel button and the close box both end up here
        return dlg.result();
    });
    page->OnRenameType();
    EXPECT_EQ(seam.dialogsRun, 1);
    EXPECT_EQ(ReadBytes("item.txt"), before);
    EXPECT_EQ(page->m_listTypes->item(0)->text(), QStringLiteral("[指定なし]"));
    EXPECT_EQ(combo.itemText(0), QStringLiteral("[指定なし]"));
    EXPECT_EQ(combo.currentIndex(), 3);
}

TEST_F(RenameTest, WithNoTypeSelectedNothingOpensAndNothingChanges)
{
    WriteBytes("item.txt", "");
    auto page = OpenLinkedPage();
    EXPECT_EQ(page->m_listTypes->count(), 0);
    page->OnRenameType();
    EXPECT_EQ(seam.dialogsRun, 0);
    EXPECT_EQ(ReadBytes("item.txt"), "");

    // A list whose selection the user cleared.
    WriteBytes("item.txt", "a\r\nb\r\n");
    auto cleared = OpenLinkedPage();
    cleared->m_listTypes->clearSelection();
    cleared->OnRenameType();
    EXPECT_EQ(seam.dialogsRun, 0);
    EXPECT_EQ(ReadBytes("item.txt"), "a\r\nb\r\n");
}

TEST_F(RenameTest, ANameThatWouldNotStayOneSjisLineKeepsTheDialogOpen)
{
    auto page = OpenLinkedPage();
    const std::string before = ReadBytes("item.txt");
    const QString refused[] = {QString(1023, QLatin1Char('x')), QString(512, QChar(0x3042)),
                               QStringLiteral("朝\n昼"), QStringLiteral("朝\r"), QStringLiteral("朝\U0001F600")};
    for (const QString& name : refused) {
        seam.messages.clear();
        int result = 0;
        seam.QueueDialog([&](QDialog& dlg) {
            static_cast<CRenameDlg&>(dlg).Get<QLineEdit>(1030)->setText(name);
            result = PressOk(dlg);
            return IDCANCEL; // then the user gives up
        });
        page->OnRenameType();
        EXPECT_EQ(result, IDCANCEL) << name.size();
        ASSERT_EQ(seam.messages.size(), 1u) << name.size();
    }
    EXPECT_EQ(ReadBytes("item.txt"), before);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("[指定なし]"));
}

TEST_F(RenameTest, TheLongestNameThatStaysOneLineIsKept)
{
    auto page = OpenLinkedPage();
    page->m_listTypes->setCurrentRow(4);
    const QString longest(511, QChar(0x3042)); // 1022 bytes
    QueueRename(longest);
    page->OnRenameType();
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(4, Sjis(longest.toUtf8().constData())));

    auto reopened = OpenLinkedPage();
    ASSERT_EQ(reopened->m_listTypes->count(), 5);
    EXPECT_EQ(reopened->m_listTypes->item(4)->text(), longest);
}

TEST_F(RenameTest, AFailedWriteLeavesListFileAndSelectorAsTheyWere)
{
    auto page = OpenLinkedPage();
    const std::string before = ReadBytes("item.txt");
    BreakWrites();
    QueueRename(QStringLiteral("全部"));
    page->OnRenameType();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, TypeNotRenamedMessage());
    EXPECT_EQ(ReadBytes("item.txt"), before);
    EXPECT_EQ(page->m_listTypes->item(0)->text(), QStringLiteral("[指定なし]"));
    EXPECT_TRUE(page->m_listTypes->item(0)->isSelected());
    EXPECT_EQ(combo.itemText(0), QStringLiteral("[指定なし]"));
    EXPECT_EQ(combo.currentIndex(), 3);
}

TEST_F(RenameTest, ARenameWithoutASelectorStillReachesTheFile)
{
    auto page = OpenPage(); // no list page linked
    QueueRename(QStringLiteral("全部"));
    page->OnRenameType();
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(0, Sjis("全部")));
}

TEST_F(RenameTest, TheRenameButtonOpensTheDialogInTheMainWindow)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    dlg.TabBar()->setCurrentIndex(2);
    QueueRename(QStringLiteral("起床時"));
    dlg.m_settingsPage.m_listTypes->setCurrentRow(1);
    static_cast<QAbstractButton*>(dlg.m_settingsPage.Control(1028))->click();
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(1, Sjis("起床時")));
    if (QComboBox* selector = dlg.m_listPage.m_comboAverageType) {
        EXPECT_EQ(selector->itemText(1), QStringLiteral("起床時"));
        EXPECT_EQ(selector->currentIndex(), 0);
    }
}

TEST(RenameDlgTest, OpensWithTheNameSelectedAndAnAccessibleEdit)
{
    FakeModalSeam seam;
    CRenameDlg dlg(seam);
    dlg.m_strName = Cp932FromUtf8("晩");
    dlg.OnInitDialog();
    auto* edit = dlg.Get<QLineEdit>(1030);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("名前の変更"));
    EXPECT_EQ(edit->text(), QStringLiteral("晩"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("晩"));
    EXPECT_FALSE(edit->accessibleName().isEmpty());
    EXPECT_EQ(dlg.Control(IDCANCEL)->accessibleName(), QStringLiteral("ｷｬﾝｾﾙ"));
}
