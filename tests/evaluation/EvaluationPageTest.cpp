// The evaluation page: its controls, following the records and the type names, and its settings
// file.
#include "evaluation/EvaluationPage.h"
#include "folder/DataFolder.h"
#include "platform/LocalMoment.h"
#include "res/ControlIds.h"
#include "store/DataFiles.h"
#include "store/TextFile.h"
#include "support/Controls.h"
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
    // The page's controls, found by their ids.
    static QComboBox* Period(const CEvaluationPage& page)
    {
        return Control<QComboBox>(page, EvaluationIds::IDC_PERIOD);
    }
    static QDateEdit* From(const CEvaluationPage& page)
    {
        return Control<QDateEdit>(page, EvaluationIds::IDC_FROM);
    }
    static QDateEdit* To(const CEvaluationPage& page)
    {
        return Control<QDateEdit>(page, EvaluationIds::IDC_TO);
    }
    static QComboBox* MorningType(const CEvaluationPage& page)
    {
        return Control<QComboBox>(page, EvaluationIds::IDC_MORNING_TYPE);
    }
    static QComboBox* EveningType(const CEvaluationPage& page)
    {
        return Control<QComboBox>(page, EvaluationIds::IDC_EVENING_TYPE);
    }
    static QLineEdit* TargetMax(const CEvaluationPage& page)
    {
        return Control<QLineEdit>(page, EvaluationIds::IDC_TARGET_MAX);
    }
    static QLineEdit* TargetMin(const CEvaluationPage& page)
    {
        return Control<QLineEdit>(page, EvaluationIds::IDC_TARGET_MIN);
    }
    static QTableView* Result(const CEvaluationPage& page)
    {
        return Control<QTableView>(page, EvaluationIds::IDC_RESULT);
    }
    ScopedDataDir dir;
    FakeModalSeam seam;
    CDataFolder folder;
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
    const QAbstractItemModel* model = Control<QTableView>(page, EvaluationIds::IDC_RESULT)->model();
    return model->data(model->index(row, column)).toString();
}

} // namespace

TEST_F(EvaluationPageTest, StartsWithTheDefaultsAndNamesItsControls)
{
    folder.Open();
    CEvaluationPage page(seam, folder);
    page.Create(nullptr);
    ASSERT_EQ(Period(page)->count(), 4);
    EXPECT_EQ(Period(page)->currentText(), QStringLiteral("直近 7 日"));
    EXPECT_EQ(Period(page)->itemText(3), QStringLiteral("期間を指定"));
    EXPECT_FALSE(From(page)->isEnabled());
    ASSERT_EQ(MorningType(page)->count(),
              5); // (なし) and the types from 1 on
    EXPECT_EQ(MorningType(page)->itemText(0), QStringLiteral("(なし)"));
    EXPECT_EQ(MorningType(page)->currentText(), QStringLiteral("朝"));
    EXPECT_EQ(EveningType(page)->currentText(), QStringLiteral("晩"));
    EXPECT_EQ(TargetMax(page)->text(), QStringLiteral("125"));
    EXPECT_EQ(TargetMin(page)->text(), QStringLiteral("75"));
    const struct
    {
        QWidget* control;
        const char* name;
    } names[] = {{Period(page), "期間"},
                 {From(page), "開始日"},
                 {To(page), "終了日"},
                 {MorningType(page), "朝の種類"},
                 {EveningType(page), "晩の種類"},
                 {TargetMax(page), "降圧目標の最高血圧"},
                 {TargetMin(page), "降圧目標の最低血圧"}};
    for (const auto& n : names)
        EXPECT_EQ(n.control->accessibleName(), QString::fromUtf8(n.name));
    EXPECT_FALSE(std::filesystem::exists(kEvaluationFileName)); // written only on a change
}

TEST_F(EvaluationPageTest, FollowsNewRecordsAndRenamedTypes)
{
    folder.Open();
    WriteBytes("data.txt", RecordOf(1, "07:00:00", 140, 90, 1) + "\r\n");
    CEvaluationPage page(seam, folder);
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
    ASSERT_EQ(folder.RenameType(1, "morning"), 0);
    page.Refresh();
    EXPECT_EQ(Cell(page, 0, 1), QStringLiteral("1"));
    EXPECT_EQ(Cell(page, 1, 1), QStringLiteral("1"));
    EXPECT_EQ(Cell(page, 2, 2), QStringLiteral("130")); // 朝晩平均
    EXPECT_EQ(Cell(page, 3, 2), QStringLiteral("20"));  // 朝晩差
    EXPECT_EQ(MorningType(page)->currentText(), QStringLiteral("morning"));

    Period(page)->setCurrentIndex(3);
    page.OnSelchangePeriod();
    EXPECT_TRUE(From(page)->isEnabled());
    From(page)->setDate(To(page)->date().addDays(-40));
    EXPECT_EQ(Cell(page, 0, 1), QStringLiteral("2"));
}

TEST_F(EvaluationPageTest, ChangesAreStoredInTheEvaluationFile)
{
    folder.Open();
    CEvaluationPage page(seam, folder);
    page.Create(nullptr);
    // One type cannot stand for both: the morning selector gives up 朝.
    EveningType(page)->setCurrentIndex(1);
    page.OnSelchangeOccasionType(EveningType(page));
    EXPECT_EQ(MorningType(page)->currentIndex(), 0);
    EXPECT_EQ(ReadBytes(kEvaluationFileName), "125\r\n75\r\n-1\r\n1\r\n");

    TargetMax(page)->setText(QStringLiteral("0"));
    page.OnKillfocusTarget(TargetMax(page));
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(TargetMax(page)->text(), QStringLiteral("125"));
    TargetMin(page)->setText(QStringLiteral("80"));
    page.OnKillfocusTarget(TargetMin(page));
    EXPECT_EQ(ReadBytes(kEvaluationFileName), "125\r\n80\r\n-1\r\n1\r\n");

    CEvaluationPage again(seam, folder);
    again.Create(nullptr);
    EXPECT_EQ(EveningType(again)->currentIndex(), 1);
    EXPECT_EQ(TargetMin(again)->text(), QStringLiteral("80"));
}
