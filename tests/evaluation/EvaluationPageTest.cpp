// The evaluation page: its controls, following the records and the type names, and its settings
// file.
#include "evaluation/EvaluationPage.h"
#include "platform/LocalMoment.h"
#include "res/ControlIds.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>

#include <filesystem>

namespace {

class EvaluationPageTest : public ::testing::Test
{
protected:
    ScopedDataDir dir;
    FakeModalSeam seam;
};

// A record of today (days back) at the given time.
std::string RecordOf(int daysBack, const char* time, int max, int min, int type)
{
    const CalendarDay day{std::chrono::sys_days{LocalDay(CTime::GetCurrentTime())} -
                          std::chrono::days{daysBack}};
    return std::to_string(static_cast<int>(day.year())) + '/' +
           std::to_string(static_cast<unsigned>(day.month())) + '/' +
           std::to_string(static_cast<unsigned>(day.day())) + ' ' + time + ',' + std::to_string(max) + ',' +
           std::to_string(min) + ",70,0," + std::to_string(type) + ",";
}

QString Cell(const CEvaluationPage& page, int row, int column)
{
    const QAbstractItemModel* model = page.m_listResult->model();
    return model->data(model->index(row, column)).toString();
}

} // namespace

TEST_F(EvaluationPageTest, StartsWithTheDefaultsAndNamesItsControls)
{
    CreateMissingDataFiles();
    CEvaluationPage page(seam);
    page.Create(nullptr);
    ASSERT_EQ(page.m_comboPeriod->count(), 4);
    EXPECT_EQ(page.m_comboPeriod->currentText(), QStringLiteral("直近 7 日"));
    EXPECT_EQ(page.m_comboPeriod->itemText(3), QStringLiteral("期間を指定"));
    EXPECT_FALSE(page.m_datePeriodFrom->isEnabled());
    ASSERT_EQ(page.m_comboMorningType->count(), 5); // (なし) and the types from 1 on
    EXPECT_EQ(page.m_comboMorningType->itemText(0), QStringLiteral("(なし)"));
    EXPECT_EQ(page.m_comboMorningType->currentText(), QStringLiteral("朝"));
    EXPECT_EQ(page.m_comboEveningType->currentText(), QStringLiteral("晩"));
    EXPECT_EQ(page.m_editTargetMax->text(), QStringLiteral("125"));
    EXPECT_EQ(page.m_editTargetMin->text(), QStringLiteral("75"));
    const struct
    {
        QWidget* control;
        const char* name;
    } names[] = {{page.m_comboPeriod, "期間"},
                 {page.m_datePeriodFrom, "開始日"},
                 {page.m_datePeriodTo, "終了日"},
                 {page.m_comboMorningType, "朝の種類"},
                 {page.m_comboEveningType, "晩の種類"},
                 {page.m_editTargetMax, "降圧目標の最高血圧"},
                 {page.m_editTargetMin, "降圧目標の最低血圧"}};
    for (const auto& n : names)
        EXPECT_EQ(n.control->accessibleName(), QString::fromUtf8(n.name));
    EXPECT_FALSE(std::filesystem::exists(kEvaluationFileName)); // written only on a change
}

TEST_F(EvaluationPageTest, FollowsNewRecordsAndRenamedTypes)
{
    CreateMissingDataFiles();
    WriteBytes("data.txt", RecordOf(1, "07:00:00", 140, 90, 1) + "\r\n");
    CEvaluationPage page(seam);
    page.Create(nullptr);
    page.Refresh();
    EXPECT_EQ(Cell(page, 0, 0), QStringLiteral("朝"));
    EXPECT_EQ(Cell(page, 0, 1), QStringLiteral("1"));
    EXPECT_EQ(Cell(page, 0, 2), QStringLiteral("140"));
    EXPECT_EQ(Cell(page, 0, 5), QStringLiteral("判定には5日以上必要"));
    EXPECT_EQ(Cell(page, 1, 1), QStringLiteral("0"));

    CTextFile data;
    BindDataFile(data, kDataFileName);
    ASSERT_TRUE(data.InsertLine(1, RecordOf(0, "22:00:00", 120, 70, 0)));
    ASSERT_TRUE(data.InsertLine(1, RecordOf(30, "07:00:00", 200, 100, 1))); // before the period
    CTextFile items;
    BindDataFile(items, kItemFileName);
    ASSERT_TRUE(items.ReplaceLine(2, "morning"));
    page.Refresh();
    EXPECT_EQ(Cell(page, 0, 1), QStringLiteral("1"));
    EXPECT_EQ(Cell(page, 1, 1), QStringLiteral("1"));
    EXPECT_EQ(Cell(page, 2, 2), QStringLiteral("130")); // 朝晩平均
    EXPECT_EQ(Cell(page, 3, 2), QStringLiteral("20"));  // 朝晩差
    EXPECT_EQ(page.m_comboMorningType->currentText(), QStringLiteral("morning"));

    page.m_comboPeriod->setCurrentIndex(3);
    page.OnSelchangePeriod();
    EXPECT_TRUE(page.m_datePeriodFrom->isEnabled());
    page.m_datePeriodFrom->setDate(page.m_datePeriodTo->date().addDays(-40));
    EXPECT_EQ(Cell(page, 0, 1), QStringLiteral("2"));
}

TEST_F(EvaluationPageTest, ChangesAreStoredInTheEvaluationFile)
{
    CreateMissingDataFiles();
    CEvaluationPage page(seam);
    page.Create(nullptr);
    // One type cannot stand for both: the morning selector gives up 朝.
    page.m_comboEveningType->setCurrentIndex(1);
    page.OnSelchangeOccasionType(page.m_comboEveningType);
    EXPECT_EQ(page.m_comboMorningType->currentIndex(), 0);
    EXPECT_EQ(ReadBytes(kEvaluationFileName), "125\r\n75\r\n-1\r\n1\r\n");

    page.m_editTargetMax->setText(QStringLiteral("0"));
    page.OnKillfocusTarget(page.m_editTargetMax);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(page.m_editTargetMax->text(), QStringLiteral("125"));
    page.m_editTargetMin->setText(QStringLiteral("80"));
    page.OnKillfocusTarget(page.m_editTargetMin);
    EXPECT_EQ(ReadBytes(kEvaluationFileName), "125\r\n80\r\n-1\r\n1\r\n");

    CEvaluationPage again(seam);
    again.Create(nullptr);
    EXPECT_EQ(again.m_comboEveningType->currentIndex(), 1);
    EXPECT_EQ(again.m_editTargetMin->text(), QStringLiteral("80"));
}
