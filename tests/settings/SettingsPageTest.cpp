// The settings page: the fields as the settings file holds them, each written back as typed when
// it loses the focus, and the checks when the main window leaves the tab.
#include "SettingsFixture.h"

#include "app/MainDlg.h"
#include "platform/DataExchange.h"
#include "print/ReportPrinter.h"
#include "record/RecordLimit.h"
#include "res/ControlIds.h"
#include "support/Controls.h"

#include <QLabel>
#include <QTabBar>
#include <QTest>

namespace {

using SettingsPageTest = SettingsFixture;

std::unique_ptr<CMainDlg> OpenOnSettingsTab(FakeModalSeam& seam)
{
    auto dlg = std::make_unique<CMainDlg>(seam);
    dlg->OnInitDialog();
    dlg->TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    return dlg;
}

} // namespace

TEST_F(SettingsPageTest, NumbersShowAsUnsignedAndMissingLinesAsEmpty)
{
    WriteBytes("setting.txt", "-5\r\n 12abc\r\n\r\n");
    auto page = OpenPage();
    EXPECT_EQ(MaxRecordsEdit(*page)->text(), QStringLiteral("4294967291"));
    EXPECT_EQ(PrintFromEdit(*page)->text(), QStringLiteral("12"));
    EXPECT_EQ(PrintToEdit(*page)->text(), QStringLiteral("0"));
    EXPECT_EQ(NameEdit(*page)->text(), QString());
    ASSERT_EQ(TypeList(*page)->count(), 5);
    EXPECT_TRUE(TypeList(*page)->item(0)->isSelected());

    // A name typed into this short file lands on its own line, not on the missing line 4.
    NameEdit(*page)->setText(QStringLiteral("山田"));
    LoseFocus(NameEdit(*page));
    FuseBox(*page)->click();
    EXPECT_EQ(ReadBytes("setting.txt"), "-5\r\n 12abc\r\n\r\n\r\n1\r\n" + Sjis("山田") + "\r\n");
}

TEST_F(SettingsPageTest, AFlagIsSetOnlyWhenItsNumberIsExactlyOne)
{
    const std::pair<const char*, bool> cases[] = {{"1", true},  {"01", true}, {"1abc", true}, {"2", false},
                                                  {"0", false}, {"", false},  {"abc", false}};
    for (const auto& [line, ticked] : cases) {
        // Line 4 belongs to box 1024 ("use bl"), line 5 to box 1023 ("use fuse"); the other holds 0.
        WriteBytes("setting.txt", std::string("1000\r\n1\r\n30\r\n") + line + "\r\n0\r\nx\r\n");
        auto bl = OpenPage();
        EXPECT_EQ(BlBox(*bl)->isChecked(), ticked) << "line 4: " << line;
        EXPECT_FALSE(FuseBox(*bl)->isChecked()) << "line 4: " << line;
        WriteBytes("setting.txt", std::string("1000\r\n1\r\n30\r\n0\r\n") + line + "\r\nx\r\n");
        auto fuse = OpenPage();
        EXPECT_EQ(FuseBox(*fuse)->isChecked(), ticked) << "line 5: " << line;
        EXPECT_FALSE(BlBox(*fuse)->isChecked()) << "line 5: " << line;
    }
    WriteBytes("setting.txt", "1000\r\n1\r\n30\r\n"); // both lines missing
    auto missing = OpenPage();
    EXPECT_FALSE(BlBox(*missing)->isChecked() || FuseBox(*missing)->isChecked());
}

TEST_F(SettingsPageTest, TheHiddenBoxesStayHiddenAndAClickWritesTheirOwnLine)
{
    auto page = OpenPage();
    page->show();
    EXPECT_FALSE(BlBox(*page)->isVisibleTo(page.get()) || FuseBox(*page)->isVisibleTo(page.get()));
    BlBox(*page)->click();
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n1\r\n30\r\n1\r\n0\r\n" + Sjis("未設定") + "\r\n");
    FuseBox(*page)->click();
    BlBox(*page)->click();
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n1\r\n30\r\n0\r\n1\r\n" + Sjis("未設定") + "\r\n");
}

TEST_F(SettingsPageTest, FieldsAreWrittenAsTypedOnLosingTheFocusAndRoundTripByteForByte)
{
    const std::string bytes = "250\r\n2\r\n45\r\n1\r\n0\r\n" + Sjis("髙橋 ﾀﾛｳ～①Ⅱ") + "\r\n";
    WriteBytes("setting.txt", bytes);
    auto page = OpenPage();
    for (QLineEdit* edit : std::initializer_list<QLineEdit*>{MaxRecordsEdit(*page), PrintFromEdit(*page),
                                                             PrintToEdit(*page), NameEdit(*page)})
        LoseFocus(edit);
    BlBox(*page)->click();
    BlBox(*page)->click();
    EXPECT_EQ(ReadBytes("setting.txt"), bytes);

    MaxRecordsEdit(*page)->setText(QStringLiteral(" 500"));
    PrintToEdit(*page)->clear();
    NameEdit(*page)->setText(QStringLiteral("山田"));
    EXPECT_EQ(ReadBytes("setting.txt"), bytes) << "a change alone writes nothing";
    for (QLineEdit* edit :
         std::initializer_list<QLineEdit*>{MaxRecordsEdit(*page), PrintToEdit(*page), NameEdit(*page)})
        LoseFocus(edit);
    EXPECT_EQ(ReadBytes("setting.txt"), " 500\r\n2\r\n\r\n1\r\n0\r\n" + Sjis("山田") + "\r\n");
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(SettingsPageTest, ANameThatCannotBeOneSjisLineOrAFailedWriteIsReportedAndTheFieldKept)
{
    auto page = OpenPage();
    const std::string original = ReadBytes("setting.txt");
    for (const QString& name : {QStringLiteral("花子\U0001F600"), QStringLiteral("花子\n太郎")}) {
        NameEdit(*page)->setText(name);
        LoseFocus(NameEdit(*page));
        EXPECT_EQ(NameEdit(*page)->text(), name);
    }
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_TRUE(seam.messages[0].text.contains(UnsupportedCharacterMessage()));
    EXPECT_TRUE(seam.messages[1].text.contains(QStringLiteral("改行")));

    BreakWrites();
    MaxRecordsEdit(*page)->setText(QStringLiteral("20"));
    LoseFocus(MaxRecordsEdit(*page));
    FuseBox(*page)->click();
    ASSERT_EQ(seam.messages.size(), 4u);
    EXPECT_EQ(seam.messages[2].text, SettingNotSavedMessage(QStringLiteral("最大保存件数"), EEXIST));
    EXPECT_EQ(MaxRecordsEdit(*page)->text(), QStringLiteral("20"));
    EXPECT_EQ(ReadBytes("setting.txt"), original);
}

TEST_F(SettingsPageTest, EveryVisibleControlHasAnAccessibleName)
{
    auto page = OpenPage();
    EXPECT_EQ(NameEdit(*page)->accessibleName(), QStringLiteral("・お名前"));
    EXPECT_EQ(MaxRecordsEdit(*page)->accessibleName(), QStringLiteral("・最大保存件数"));
    EXPECT_EQ(TypeList(*page)->accessibleName(), QStringLiteral("・測定の種類"));
    EXPECT_EQ(page->Control(SettingsIds::IDC_RENAME)->accessibleName(), QStringLiteral("名称の変更"));
    EXPECT_FALSE(PrintToEdit(*page)->accessibleName().isEmpty());
    EXPECT_NE(PrintFromEdit(*page)->accessibleName(), PrintToEdit(*page)->accessibleName());
}

TEST_F(SettingsPageTest, ThePrintRangeTellsHowManyRowsFitAnA4Page)
{
    const auto dlg = OpenOnSettingsTab(seam);
    dlg->show();
    EXPECT_EQ(CSettingsPage::RowsPerPageText(50), QStringLiteral("（A4 で 1 ページ約 50 件）"));
    EXPECT_EQ(PageOf<CSettingsPage>(*dlg).Get<QLabel>(SettingsIds::IDC_ROWS_PER_PAGE)->text(),
              CSettingsPage::RowsPerPageText(ReportRowsPerA4Page()));
}

TEST_F(SettingsPageTest, AnEmptiedRecordLimitIsWrittenRefusedOnceOnLeavingAndZeroAfterARestart)
{
    {
        auto dlg = OpenOnSettingsTab(seam);
        MaxRecordsEdit(PageOf<CSettingsPage>(*dlg))->clear();
        LoseFocus(MaxRecordsEdit(PageOf<CSettingsPage>(*dlg)));
        EXPECT_EQ(ReadBytes("setting.txt"), "\r\n1\r\n30\r\n0\r\n0\r\n" + Sjis("未設定") + "\r\n");
        dlg->TabBar()->setCurrentIndex(0);
        ASSERT_EQ(seam.messages.size(), 1u);
        EXPECT_EQ(seam.messages[0].text, PositiveIntegerMessage());
        EXPECT_EQ(dlg->CurrentTab(), 0);
        EXPECT_TRUE(PageOf<CListPage>(*dlg).isVisibleTo(dlg.get()));
    }
    auto restarted = OpenOnSettingsTab(seam);
    EXPECT_EQ(MaxRecordsEdit(PageOf<CSettingsPage>(*restarted))->text(), QStringLiteral("0"));
}

TEST_F(SettingsPageTest, ANameLongerThanTheLimitIsShownWholeAndRefusedOnLeaving)
{
    const std::string longName(200, 'a');
    WriteBytes("setting.txt", "1000\r\n1\r\n30\r\n0\r\n0\r\n" + longName + "\r\n");
    auto dlg = OpenOnSettingsTab(seam);
    EXPECT_EQ(NameEdit(PageOf<CSettingsPage>(*dlg))->text(), QString::fromStdString(longName));
    dlg->TabBar()->setCurrentIndex(CMainDlg::kOtherTab);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, QStringLiteral("129 文字以内で入力してください。"));
    EXPECT_EQ(dlg->CurrentTab(), CMainDlg::kOtherTab);

    dlg->TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    NameEdit(PageOf<CSettingsPage>(*dlg))->setText(QString(129, QLatin1Char('b')));
    dlg->TabBar()->setCurrentIndex(0);
    EXPECT_EQ(seam.messages.size(), 1u) << "129 bytes pass";
}

TEST_F(SettingsPageTest, TheFocusedFieldIsWrittenWhenTheTabIsLeftOrTheWindowCloses)
{
    auto dlg = OpenOnSettingsTab(seam);
    dlg->show();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    CSettingsPage& page = PageOf<CSettingsPage>(*dlg);
    PrintFromEdit(page)->setFocus();
    PrintFromEdit(page)->setText(QStringLiteral("7"));
    dlg->TabBar()->setCurrentIndex(1);
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n7\r\n30\r\n0\r\n0\r\n" + Sjis("未設定") + "\r\n");

    dlg->TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    PrintToEdit(page)->setFocus();
    PrintToEdit(page)->setText(QStringLiteral("9"));
    dlg->reject(); // the close box
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n7\r\n9\r\n0\r\n0\r\n" + Sjis("未設定") + "\r\n");
}

TEST_F(SettingsPageTest, EnterAndEscapeInThePageDoNothing)
{
    auto dlg = OpenOnSettingsTab(seam);
    dlg->show();
    QTest::keyClick(NameEdit(PageOf<CSettingsPage>(*dlg)), Qt::Key_Return);
    QTest::keyClick(NameEdit(PageOf<CSettingsPage>(*dlg)), Qt::Key_Escape);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), 0);
}

TEST_F(SettingsPageTest, ALimitNewlySetBelowTheStoredRecordsIsToldOnLeavingThePage)
{
    WriteBytes("data.txt", "a\r\nb\r\nc\r\nd\r\ne\r\n");
    auto dlg = OpenOnSettingsTab(seam);
    const std::pair<const char*, size_t> steps[] = {
        {"2", 1}, {"2", 1}, // told once, not again while it stays
        {"5", 1}, {"0", 1}, // as many as stored, or no limit: nothing to tell
        {"4", 2},
    };
    for (const auto& [limit, told] : steps) {
        MaxRecordsEdit(PageOf<CSettingsPage>(*dlg))->setText(QString::fromLatin1(limit));
        dlg->TabBar()->setCurrentIndex(0);
        EXPECT_EQ(seam.messages.size(), told) << limit;
        dlg->TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    }
    EXPECT_EQ(seam.messages[0].text, QString::fromStdString(LimitBelowStoredText(5, 2)));
    EXPECT_EQ(seam.messages[1].text, QString::fromStdString(LimitBelowStoredText(5, 4)));
}
