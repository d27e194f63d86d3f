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
    EXPECT_EQ(Control<QLineEdit>(*page, SettingsIds::IDC_MAX_RECORDS)->text(), QStringLiteral("4294967291"));
    EXPECT_EQ(Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_FROM)->text(), QStringLiteral("12"));
    EXPECT_EQ(Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_TO)->text(), QStringLiteral("0"));
    EXPECT_EQ(Control<CCp932Edit>(*page, SettingsIds::IDC_NAME)->text(), QString());
    ASSERT_EQ(Control<QListWidget>(*page, SettingsIds::IDC_TYPES)->count(), 5);
    EXPECT_TRUE(Control<QListWidget>(*page, SettingsIds::IDC_TYPES)->item(0)->isSelected());

    // A name typed into this short file lands on its own line, not on the missing line 4.
    Control<CCp932Edit>(*page, SettingsIds::IDC_NAME)->setText(QStringLiteral("山田"));
    LoseFocus(Control<CCp932Edit>(*page, SettingsIds::IDC_NAME));
    Control<QCheckBox>(*page, SettingsIds::IDC_USE_FUSE)->click();
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
        EXPECT_EQ(Control<QCheckBox>(*bl, SettingsIds::IDC_USE_BL)->isChecked(), ticked)
            << "line 4: " << line;
        EXPECT_FALSE(Control<QCheckBox>(*bl, SettingsIds::IDC_USE_FUSE)->isChecked()) << "line 4: " << line;
        WriteBytes("setting.txt", std::string("1000\r\n1\r\n30\r\n0\r\n") + line + "\r\nx\r\n");
        auto fuse = OpenPage();
        EXPECT_EQ(Control<QCheckBox>(*fuse, SettingsIds::IDC_USE_FUSE)->isChecked(), ticked)
            << "line 5: " << line;
        EXPECT_FALSE(Control<QCheckBox>(*fuse, SettingsIds::IDC_USE_BL)->isChecked()) << "line 5: " << line;
    }
    WriteBytes("setting.txt", "1000\r\n1\r\n30\r\n"); // both lines missing
    auto missing = OpenPage();
    EXPECT_FALSE(Control<QCheckBox>(*missing, SettingsIds::IDC_USE_BL)->isChecked() ||
                 Control<QCheckBox>(*missing, SettingsIds::IDC_USE_FUSE)->isChecked());
}

TEST_F(SettingsPageTest, TheHiddenBoxesStayHiddenAndAClickWritesTheirOwnLine)
{
    auto page = OpenPage();
    page->show();
    EXPECT_FALSE(Control<QCheckBox>(*page, SettingsIds::IDC_USE_BL)->isVisibleTo(page.get()) ||
                 Control<QCheckBox>(*page, SettingsIds::IDC_USE_FUSE)->isVisibleTo(page.get()));
    Control<QCheckBox>(*page, SettingsIds::IDC_USE_BL)->click();
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n1\r\n30\r\n1\r\n0\r\n" + Sjis("未設定") + "\r\n");
    Control<QCheckBox>(*page, SettingsIds::IDC_USE_FUSE)->click();
    Control<QCheckBox>(*page, SettingsIds::IDC_USE_BL)->click();
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n1\r\n30\r\n0\r\n1\r\n" + Sjis("未設定") + "\r\n");
}

TEST_F(SettingsPageTest, FieldsAreWrittenAsTypedOnLosingTheFocusAndRoundTripByteForByte)
{
    const std::string bytes = "250\r\n2\r\n45\r\n1\r\n0\r\n" + Sjis("髙橋 ﾀﾛｳ～①Ⅱ") + "\r\n";
    WriteBytes("setting.txt", bytes);
    auto page = OpenPage();
    for (QLineEdit* edit :
         std::initializer_list<QLineEdit*>{Control<QLineEdit>(*page, SettingsIds::IDC_MAX_RECORDS),
                                           Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_FROM),
                                           Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_TO),
                                           Control<CCp932Edit>(*page, SettingsIds::IDC_NAME)})
        LoseFocus(edit);
    Control<QCheckBox>(*page, SettingsIds::IDC_USE_BL)->click();
    Control<QCheckBox>(*page, SettingsIds::IDC_USE_BL)->click();
    EXPECT_EQ(ReadBytes("setting.txt"), bytes);

    Control<QLineEdit>(*page, SettingsIds::IDC_MAX_RECORDS)->setText(QStringLiteral(" 500"));
    Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_TO)->clear();
    Control<CCp932Edit>(*page, SettingsIds::IDC_NAME)->setText(QStringLiteral("山田"));
    EXPECT_EQ(ReadBytes("setting.txt"), bytes) << "a change alone writes nothing";
    for (QLineEdit* edit :
         std::initializer_list<QLineEdit*>{Control<QLineEdit>(*page, SettingsIds::IDC_MAX_RECORDS),
                                           Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_TO),
                                           Control<CCp932Edit>(*page, SettingsIds::IDC_NAME)})
        LoseFocus(edit);
    EXPECT_EQ(ReadBytes("setting.txt"), " 500\r\n2\r\n\r\n1\r\n0\r\n" + Sjis("山田") + "\r\n");
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(SettingsPageTest, ANameThatCannotBeOneSjisLineOrAFailedWriteIsReportedAndTheFieldKept)
{
    auto page = OpenPage();
    const std::string original = ReadBytes("setting.txt");
    for (const QString& name : {QStringLiteral("花子\U0001F600"), QStringLiteral("花子\n太郎")}) {
        Control<CCp932Edit>(*page, SettingsIds::IDC_NAME)->setText(name);
        LoseFocus(Control<CCp932Edit>(*page, SettingsIds::IDC_NAME));
        EXPECT_EQ(Control<CCp932Edit>(*page, SettingsIds::IDC_NAME)->text(), name);
    }
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_TRUE(seam.messages[0].text.contains(UnsupportedCharacterMessage()));
    EXPECT_TRUE(seam.messages[1].text.contains(QStringLiteral("改行")));

    BreakWrites();
    Control<QLineEdit>(*page, SettingsIds::IDC_MAX_RECORDS)->setText(QStringLiteral("20"));
    LoseFocus(Control<QLineEdit>(*page, SettingsIds::IDC_MAX_RECORDS));
    Control<QCheckBox>(*page, SettingsIds::IDC_USE_FUSE)->click();
    ASSERT_EQ(seam.messages.size(), 4u);
    EXPECT_EQ(seam.messages[2].text, SettingNotSavedMessage(QStringLiteral("最大保存件数"), EEXIST));
    EXPECT_EQ(Control<QLineEdit>(*page, SettingsIds::IDC_MAX_RECORDS)->text(), QStringLiteral("20"));
    EXPECT_EQ(ReadBytes("setting.txt"), original);
}

TEST_F(SettingsPageTest, EveryVisibleControlHasAnAccessibleName)
{
    auto page = OpenPage();
    EXPECT_EQ(Control<CCp932Edit>(*page, SettingsIds::IDC_NAME)->accessibleName(),
              QStringLiteral("・お名前"));
    EXPECT_EQ(Control<QLineEdit>(*page, SettingsIds::IDC_MAX_RECORDS)->accessibleName(),
              QStringLiteral("・最大保存件数"));
    EXPECT_EQ(Control<QListWidget>(*page, SettingsIds::IDC_TYPES)->accessibleName(),
              QStringLiteral("・測定の種類"));
    EXPECT_EQ(page->Control(SettingsIds::IDC_RENAME)->accessibleName(), QStringLiteral("名称の変更"));
    EXPECT_FALSE(Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_TO)->accessibleName().isEmpty());
    EXPECT_NE(Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_FROM)->accessibleName(),
              Control<QLineEdit>(*page, SettingsIds::IDC_PRINT_TO)->accessibleName());
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
        Control<QLineEdit>(PageOf<CSettingsPage>(*dlg), SettingsIds::IDC_MAX_RECORDS)->clear();
        LoseFocus(Control<QLineEdit>(PageOf<CSettingsPage>(*dlg), SettingsIds::IDC_MAX_RECORDS));
        EXPECT_EQ(ReadBytes("setting.txt"), "\r\n1\r\n30\r\n0\r\n0\r\n" + Sjis("未設定") + "\r\n");
        dlg->TabBar()->setCurrentIndex(0);
        ASSERT_EQ(seam.messages.size(), 1u);
        EXPECT_EQ(seam.messages[0].text, PositiveIntegerMessage());
        EXPECT_EQ(dlg->CurrentTab(), 0);
        EXPECT_TRUE(PageOf<CListPage>(*dlg).isVisibleTo(dlg.get()));
    }
    auto restarted = OpenOnSettingsTab(seam);
    EXPECT_EQ(Control<QLineEdit>(PageOf<CSettingsPage>(*restarted), SettingsIds::IDC_MAX_RECORDS)->text(),
              QStringLiteral("0"));
}

TEST_F(SettingsPageTest, ANameLongerThanTheLimitIsShownWholeAndRefusedOnLeaving)
{
    const std::string longName(200, 'a');
    WriteBytes("setting.txt", "1000\r\n1\r\n30\r\n0\r\n0\r\n" + longName + "\r\n");
    auto dlg = OpenOnSettingsTab(seam);
    EXPECT_EQ(Control<CCp932Edit>(PageOf<CSettingsPage>(*dlg), SettingsIds::IDC_NAME)->text(),
              QString::fromStdString(longName));
    dlg->TabBar()->setCurrentIndex(CMainDlg::kOtherTab);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, QStringLiteral("129 文字以内で入力してください。"));
    EXPECT_EQ(dlg->CurrentTab(), CMainDlg::kOtherTab);

    dlg->TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    Control<CCp932Edit>(PageOf<CSettingsPage>(*dlg), SettingsIds::IDC_NAME)
        ->setText(QString(129, QLatin1Char('b')));
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
    Control<QLineEdit>(page, SettingsIds::IDC_PRINT_FROM)->setFocus();
    Control<QLineEdit>(page, SettingsIds::IDC_PRINT_FROM)->setText(QStringLiteral("7"));
    dlg->TabBar()->setCurrentIndex(1);
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n7\r\n30\r\n0\r\n0\r\n" + Sjis("未設定") + "\r\n");

    dlg->TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    Control<QLineEdit>(page, SettingsIds::IDC_PRINT_TO)->setFocus();
    Control<QLineEdit>(page, SettingsIds::IDC_PRINT_TO)->setText(QStringLiteral("9"));
    dlg->reject(); // the close box
    EXPECT_EQ(ReadBytes("setting.txt"), "1000\r\n7\r\n9\r\n0\r\n0\r\n" + Sjis("未設定") + "\r\n");
}

TEST_F(SettingsPageTest, EnterAndEscapeInThePageDoNothing)
{
    auto dlg = OpenOnSettingsTab(seam);
    dlg->show();
    QTest::keyClick(Control<CCp932Edit>(PageOf<CSettingsPage>(*dlg), SettingsIds::IDC_NAME), Qt::Key_Return);
    QTest::keyClick(Control<CCp932Edit>(PageOf<CSettingsPage>(*dlg), SettingsIds::IDC_NAME), Qt::Key_Escape);
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
        Control<QLineEdit>(PageOf<CSettingsPage>(*dlg), SettingsIds::IDC_MAX_RECORDS)
            ->setText(QString::fromLatin1(limit));
        dlg->TabBar()->setCurrentIndex(0);
        EXPECT_EQ(seam.messages.size(), told) << limit;
        dlg->TabBar()->setCurrentIndex(CMainDlg::kSettingsTab);
    }
    EXPECT_EQ(seam.messages[0].text, QString::fromStdString(LimitBelowStoredText(5, 2)));
    EXPECT_EQ(seam.messages[1].text, QString::fromStdString(LimitBelowStoredText(5, 4)));
}
