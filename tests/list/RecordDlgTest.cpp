// The entry dialog: its start values, and the checks of OK in the order of the exchange.
#include "list/RecordDlg.h"
#include "platform/LocalMoment.h"
#include "record/DateTimeText.h"
#include "record/RecordLine.h"
#include "res/ControlIds.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <vector>

namespace {

class RecordDlgTest : public ::testing::Test
{
protected:
    // Opens the dialog through the seam and lets `act` work on it while it is open.
    int Run(std::function<int(CRecordDlg&)> act)
    {
        seam.QueueDialog([&](QDialog&) { return act(dlg); });
        return dlg.DoModal();
    }
    QLineEdit* Edit(int id) { return dlg.Get<QLineEdit>(id); }

    ScopedDataDir dir;
    FakeModalSeam seam;
    CRecordDlg dlg{seam, {"[\x8e\x77\x92\xe8\x82\xc8\x82\xb5]", "A", "B", "C", "D"}};
};

} // namespace

TEST_F(RecordDlgTest, ANewMeasurementStartsAtTheMaximumWithZeroesAndTheFirstType)
{
    dlg.m_timeDate = dlg.m_timeTime = CTime(2004, 5, 3, 7, 5, 9);
    dlg.m_nType = 0;
    Run([&](CRecordDlg& d) {
        EXPECT_EQ(d.focusWidget(), Edit(RecordIds::IDC_MAX));
        EXPECT_EQ(Edit(RecordIds::IDC_MAX)->selectedText(), "0");
        for (int id : {RecordIds::IDC_MAX, RecordIds::IDC_MIN, RecordIds::IDC_PULSE})
            EXPECT_EQ(Edit(id)->text(), "0");
        EXPECT_EQ(Control<QComboBox>(d, RecordIds::IDC_TYPE)->count(), 5);
        EXPECT_EQ(Control<QComboBox>(d, RecordIds::IDC_TYPE)->currentText(), QStringLiteral("[指定なし]"));
        EXPECT_EQ(d.Get<QDateEdit>(RecordIds::IDC_DATE)->date(), QDate(2004, 5, 3));
        EXPECT_EQ(Edit(RecordIds::IDC_MAX)->accessibleName(), QStringLiteral("最大血圧"));
        EXPECT_EQ(Control<QComboBox>(d, RecordIds::IDC_TYPE)->accessibleName(), QStringLiteral("測定の種類"));
        return IDCANCEL;
    });
}

TEST_F(RecordDlgTest, NumbersAreCheckedPulseFirstAndEachFailureShownOnce)
{
    const int result = Run([&](CRecordDlg& d) {
        Edit(RecordIds::IDC_PULSE)->setText("");
        Edit(RecordIds::IDC_MAX)->setText("");
        EXPECT_EQ(PressOk(d), IDCANCEL); // stays open, on the pulse
        EXPECT_EQ(d.focusWidget(), Edit(RecordIds::IDC_PULSE));
        for (const char* refused : {"12a", "-5", "+5", "4294967296"}) {
            Edit(RecordIds::IDC_PULSE)->setText("70");
            Edit(RecordIds::IDC_MAX)->setText(refused);
            EXPECT_EQ(PressOk(d), IDCANCEL) << refused;
            EXPECT_EQ(d.focusWidget(), Edit(RecordIds::IDC_MAX));
            EXPECT_EQ(Edit(RecordIds::IDC_MAX)->selectedText(), refused);
        }
        Edit(RecordIds::IDC_MAX)->setText(" \t120 ");
        Edit(RecordIds::IDC_MIN)->setText("4294967295");
        return PressOk(d);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(seam.messages.size(), 7u); // and two questions about the minimum, both answered Yes
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(seam.messages[i].text, PositiveIntegerMessage());
    EXPECT_EQ(dlg.m_nMax, 120u);
    EXPECT_EQ(dlg.m_nMin, 4294967295u);
    EXPECT_EQ(dlg.m_nPulse, 70u);
}

TEST_F(RecordDlgTest, CommentsThatCannotBeStoredAreRefusedWithAClearMessage)
{
    dlg.m_nType = 2;
    const int result = Run([&](CRecordDlg& d) {
        Edit(RecordIds::IDC_MAX)->setText("120");
        Edit(RecordIds::IDC_MIN)->setText("80");
        Edit(RecordIds::IDC_COMMENT)->setText(QStringLiteral("元気😀"));
        EXPECT_EQ(PressOk(d), IDCANCEL);
        Edit(RecordIds::IDC_COMMENT)
            ->setText(QString(kCommentMaxBytes / 2 + 1, QChar(0x3042))); // two bytes too many
        EXPECT_EQ(PressOk(d), IDCANCEL);
        EXPECT_EQ(d.focusWidget(), Edit(RecordIds::IDC_COMMENT));
        Edit(RecordIds::IDC_COMMENT)->setText(QString(kCommentMaxBytes / 2, QChar(0x3042)));
        return PressOk(d);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_EQ(seam.messages[0].text, UnsupportedCharacterMessage());
    EXPECT_EQ(seam.messages[1].text, CRecordDlg::CommentTooLongMessage());
    EXPECT_EQ(dlg.m_strComment.size(), static_cast<size_t>(kCommentMaxBytes));
    EXPECT_EQ(dlg.m_nType, 2);
}

TEST_F(RecordDlgTest, AStoredCommentLongerThanTheLimitIsShownWholeNotCut)
{
    dlg.m_strComment = std::string(kCommentMaxBytes + 50, 'x');
    Run([&](CRecordDlg& d) {
        EXPECT_EQ(Edit(RecordIds::IDC_COMMENT)->text().size(), kCommentMaxBytes + 50);
        EXPECT_EQ(PressOk(d), IDCANCEL); // the user is asked to shorten it
        return IDCANCEL;
    });
    EXPECT_EQ(seam.messages.size(), 1u);
}

TEST_F(RecordDlgTest, TheDatePickerHoldsOnlyDatesThatReadBackAndTheCommentStopsAtItsBytes)
{
    EXPECT_EQ(dlg.Get<QDateEdit>(RecordIds::IDC_DATE)->minimumDate(), QDate(1900, 1, 1));
    EXPECT_EQ(dlg.Get<QDateEdit>(RecordIds::IDC_DATE)->maximumDate(), QDate(9999, 12, 31));
    Run([&](CRecordDlg&) {
        QApplication::clipboard()->setText(QString(kCommentMaxBytes, QChar(0x3042)));
        Edit(RecordIds::IDC_COMMENT)->paste();
        EXPECT_EQ(Edit(RecordIds::IDC_COMMENT)->text(), QString(kCommentMaxBytes / 2, QChar(0x3042)));
        return IDCANCEL;
    });
}

TEST_F(RecordDlgTest, ImplausibleValuesAreAskedAboutAndNoReturnsToTheField)
{
    const int result = Run([&](CRecordDlg& d) {
        Edit(RecordIds::IDC_MAX)->setText("80");
        Edit(RecordIds::IDC_MIN)->setText("80");
        Edit(RecordIds::IDC_PULSE)->setText("300");
        seam.QueueAnswer(IDYES);
        seam.QueueAnswer(IDNO);
        EXPECT_EQ(PressOk(d), IDCANCEL); // stays open, on the pulse
        EXPECT_EQ(d.focusWidget(), Edit(RecordIds::IDC_PULSE));
        Edit(RecordIds::IDC_PULSE)->setText("0"); // not measured: no question
        seam.QueueAnswer(IDYES);
        return PressOk(d);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(seam.messages.size(), 3u);
    EXPECT_EQ(seam.messages[0].text, QStringLiteral("最高血圧が最低血圧以下です。\nこのまま登録しますか？"));
    EXPECT_EQ(seam.messages[0].type, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2); // Return: いいえ
    EXPECT_TRUE(seam.messages[1].text.startsWith(QStringLiteral("脈拍数が 300 拍/分 です")));
    EXPECT_EQ(seam.messages[2].text, seam.messages[0].text);
    EXPECT_EQ(dlg.m_nPulse, 0u);
}

TEST_F(RecordDlgTest, EnterPressesTheFocusedButton)
{
    const int result = Run([&](CRecordDlg& d) {
        d.show();
        auto* cancel = d.Get<QPushButton>(IDCANCEL);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        return d.result();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(seam.messages.empty());
}

TEST_F(RecordDlgTest, TypingADateOrTimeWithTabBetweenThePartsFillsEachPart)
{
    // A complete part moves on by itself; the Tab typed after it must not skip the next part.
    const struct
    {
        int id;
        std::vector<const char*> keys; // "\t" is Tab
    } typing[] = {{RecordIds::IDC_DATE, {"2026", "\t", "12", "\t", "8"}},
                  {RecordIds::IDC_TIME, {"7", "\t", "05", "\t", "09"}}};
    dlg.m_timeDate = dlg.m_timeTime = CTime(2004, 5, 3, 21, 43, 52);
    Run([&](CRecordDlg& d) {
        d.show();
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        for (const auto& field : typing) {
            d.Control(field.id)->setFocus(Qt::TabFocusReason);
            for (const char* keys : field.keys) {
                if (keys[0] == '\t')
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                else
                    QTest::keyClicks(QApplication::focusWidget(), keys);
            }
        }
        return PressOk(d);
    });
    EXPECT_EQ(FormatDateTime(dlg.m_timeDate, dlg.m_timeTime), "2026/12/8 07:05:09");
}
