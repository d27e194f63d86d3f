// Renaming a measurement type: the list entry, its line of the type file and the list and graph
// pages' selectors change together, or nothing changes.
#include "SettingsFixture.h"

#include "app/MainDlg.h"
#include "list/ListPage.h"
#include "res/ControlIds.h"
#include "settings/RenameDlg.h"
#include "support/Controls.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTabBar>

namespace {

const char* const kTypes[] = {"[指定なし]", "朝", "昼", "晩", "その他"};

class RenameTest : public SettingsFixture
{
protected:
    // The list page's selector holds the default types, with type 3 chosen.
    std::unique_ptr<CSettingsPage> OpenLinkedPage()
    {
        for (const char* type : kTypes)
            combo.addItem(QString::fromUtf8(type));
        combo.setCurrentIndex(3);
        auto page = OpenPage();
        QObject::connect(page.get(), &CSettingsPage::TypeRenamed, &listPage, &CListPage::OnTypeRenamed);
        return page;
    }
    // Answers the rename dialog by typing text and pressing OK; keeps what it opened with.
    void QueueRename(const QString& text)
    {
        seam.QueueDialog([this, text](QDialog& dlg) {
            auto* edit = static_cast<CRenameDlg&>(dlg).Get<QLineEdit>(RenameIds::IDC_NAME);
            shownName = edit->selectedText(); // it opens with the current name selected
            edit->setText(text);
            return PressOk(dlg);
        });
    }
    static std::string ItemBytesWith(int index, const std::string& name)
    {
        std::string bytes;
        for (int i = 0; i < 5; ++i)
            bytes += (i == index ? name : Sjis(kTypes[i])) + "\r\n";
        return bytes;
    }
    void ExpectUnchanged(CSettingsPage& page)
    {
        EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(-1, ""));
        EXPECT_EQ(TypeList(page)->item(0)->text(), QStringLiteral("[指定なし]"));
        EXPECT_EQ(combo.itemText(0), QStringLiteral("[指定なし]"));
        EXPECT_EQ(combo.currentIndex(), 3);
    }

    CListPage listPage{seam, folder};
    QComboBox& combo = *Control<QComboBox>(listPage, ListIds::IDC_AVERAGE_TYPE);
    QString shownName;
};

} // namespace

TEST_F(RenameTest, RenamingTheFirstTypeReachesTheListTheFileAndTheSelectorQuietly)
{
    auto page = OpenLinkedPage();
    QSignalSpy selectorChanges(&combo, &QComboBox::currentIndexChanged);
    QueueRename(QStringLiteral("全部"));
    static_cast<QAbstractButton*>(page->Control(SettingsIds::IDC_RENAME))->click();

    EXPECT_EQ(shownName, QStringLiteral("[指定なし]"));
    EXPECT_EQ(TypeList(*page)->item(0)->text(), QStringLiteral("全部"));
    EXPECT_TRUE(TypeList(*page)->item(0)->isSelected());
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(0, Sjis("全部")));
    EXPECT_EQ(combo.itemText(0), QStringLiteral("全部"));
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(selectorChanges.count(), 0) << "the averages are not recomputed";
}

TEST_F(RenameTest, AnEmptyNameGivesAnEmptyLineAndEmptyEntriesInPlace)
{
    auto page = OpenLinkedPage();
    TypeList(*page)->setCurrentRow(2);
    QueueRename(QString());
    page->OnRenameType();
    EXPECT_EQ(shownName, QStringLiteral("昼"));
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(2, ""));
    EXPECT_EQ(TypeList(*page)->currentRow(), 2);
    EXPECT_EQ(TypeList(*page)->item(2)->text(), QString());
    EXPECT_EQ(TypeList(*page)->item(3)->text(), QStringLiteral("晩"));
    EXPECT_EQ(combo.itemText(2), QString());
    EXPECT_EQ(combo.itemText(3), QStringLiteral("晩"));
    EXPECT_EQ(combo.count(), 5);
}

TEST_F(RenameTest, CancellingOrAFailedWriteChangesNothing)
{
    auto page = OpenLinkedPage();
    seam.QueueDialog([](QDialog& dlg) {
        static_cast<CRenameDlg&>(dlg).Get<QLineEdit>(RenameIds::IDC_NAME)->setText(QStringLiteral("別名"));
        dlg.reject(); // the cancel button and the close box both end here
        return dlg.result();
    });
    page->OnRenameType();
    ExpectUnchanged(*page);

    BreakWrites();
    QueueRename(QStringLiteral("全部"));
    page->OnRenameType();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, TypeNotRenamedMessage(EEXIST));
    EXPECT_TRUE(TypeList(*page)->item(0)->isSelected());
    ExpectUnchanged(*page);
}

TEST_F(RenameTest, WithNoTypeSelectedNothingOpensAndNothingChanges)
{
    WriteBytes("item.txt", "");
    auto empty = OpenLinkedPage();
    empty->OnRenameType();
    WriteBytes("item.txt", "a\r\nb\r\n");
    auto cleared = OpenLinkedPage();
    TypeList(*cleared)->clearSelection();
    cleared->OnRenameType();
    EXPECT_EQ(seam.dialogsRun, 0);
    EXPECT_EQ(ReadBytes("item.txt"), "a\r\nb\r\n");
}

TEST_F(RenameTest, ANameThatWouldNotStayOneSjisLineKeepsTheDialogOpen)
{
    auto page = OpenLinkedPage();
    const QString refused[] = {QString(1023, QLatin1Char('x')), QString(512, QChar(0x3042)),
                               QStringLiteral("朝\n昼"), QStringLiteral("朝\r"),
                               QStringLiteral("朝\U0001F600")};
    for (const QString& name : refused) {
        int result = 0;
        seam.QueueDialog([&](QDialog& dlg) {
            static_cast<CRenameDlg&>(dlg).Get<QLineEdit>(RenameIds::IDC_NAME)->setText(name);
            result = PressOk(dlg);
            return IDCANCEL; // then the user gives up
        });
        page->OnRenameType();
        EXPECT_EQ(result, IDCANCEL) << name.size();
    }
    EXPECT_EQ(seam.messages.size(), 5u);
    ExpectUnchanged(*page);

    const QString longest(511, QChar(0x3042)); // 1022 bytes, the most one line holds
    TypeList(*page)->setCurrentRow(4);
    QueueRename(longest);
    page->OnRenameType();
    EXPECT_EQ(seam.messages.size(), 5u);
    auto reopened = OpenPage();
    ASSERT_EQ(TypeList(*reopened)->count(), 5);
    EXPECT_EQ(TypeList(*reopened)->item(4)->text(), longest);
}

TEST_F(RenameTest, ARenameInTheMainWindowReachesTheListPagesSelectorAtOnce)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    QComboBox* selector = Control<QComboBox>(PageOf<CListPage>(dlg), ListIds::IDC_AVERAGE_TYPE);
    ASSERT_NE(selector, nullptr);
    selector->setCurrentIndex(2);
    dlg.TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    TypeList(PageOf<CSettingsPage>(dlg))->setCurrentRow(1);
    QueueRename(QStringLiteral("起床時"));
    static_cast<QAbstractButton*>(PageOf<CSettingsPage>(dlg).Control(SettingsIds::IDC_RENAME))->click();
    EXPECT_EQ(ReadBytes("item.txt"), ItemBytesWith(1, Sjis("起床時")));
    EXPECT_EQ(selector->itemText(1), QStringLiteral("起床時"));
    EXPECT_EQ(selector->count(), 5);
    EXPECT_EQ(selector->currentIndex(), 0);
}

TEST_F(RenameTest, ARenameInTheMainWindowReachesTheGraphPagesSelectorKeepingItsEntry)
{
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    QComboBox* selector = Control<QComboBox>(PageOf<CGraphPage>(dlg), GraphIds::IDC_GRAPH_TYPE);
    selector->setCurrentIndex(3);
    dlg.TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    TypeList(PageOf<CSettingsPage>(dlg))->setCurrentRow(3);
    QueueRename(QStringLiteral("就寝前"));
    Control<QAbstractButton>(PageOf<CSettingsPage>(dlg), SettingsIds::IDC_RENAME)->click();
    EXPECT_EQ(selector->itemText(3), QStringLiteral("就寝前"));
    EXPECT_EQ(selector->count(), 5);
    EXPECT_EQ(selector->currentIndex(), 3);
}
