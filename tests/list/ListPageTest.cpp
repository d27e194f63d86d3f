// The list page: the file and the list stay in step through adding, correcting and deleting,
// with the record limit applied only when adding.
#include "list/ListPage.h"
#include "list/RecordDlg.h"
#include "platform/Cp932.h"
#include "store/RecordLine.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Record(int max, int type = 0, const std::string& comment = "")
{
    return "2024/5/3 07:05:09," + std::to_string(max) + ",80,70,0," + std::to_string(type) + "," + comment;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    WriteBytes(path, bytes);
}

std::vector<std::string> FileLines(const std::string& path)
{
    std::vector<std::string> lines;
    const std::string bytes = ReadBytes(path);
    for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

// Fills the entry dialog with a maximum (and optionally a comment) and presses OK.
FakeModalSeam::DialogHandler Enter(int max, const QString& comment = QString())
{
    return [=](QDialog& dialog) {
        auto& dlg = static_cast<CRecordDlg&>(dialog);
        dlg.Get<QLineEdit>(1010)->setText(QString::number(max));
        if (!comment.isNull())
            dlg.Get<QLineEdit>(1027)->setText(comment);
        return PressOk(dlg);
    };
}

class ListPageTest : public ::testing::Test
{
protected:
    std::unique_ptr<CListPage> Start()
    {
        auto page = std::make_unique<CListPage>(seam);
        page->Create(nullptr);
        return page;
    }
    int Rows(CListPage& page) const { return page.m_listRecords->model()->rowCount(); }
    QString Cell(CListPage& page, int row, int column) const
    {
        return page.m_listRecords->model()->index(row, column).data().toString();
    }
    // The list shows exactly the file's lines.
    void ExpectInStep(CListPage& page)
    {
        const std::vector<std::string> lines = FileLines("data.txt");
        ASSERT_EQ(Rows(page), static_cast<int>(lines.size()));
        for (size_t r = 0; r < lines.size(); ++r)
            EXPECT_EQ(Cell(page, static_cast<int>(r), 1).toStdString(),
                      std::string(GetRecordField(lines[r], 2)));
    }
    void Select(CListPage& page, std::initializer_list<int> rows)
    {
        for (int row : rows)
            page.m_listRecords->selectionModel()->select(page.m_listRecords->model()->index(row, 0),
                                                         QItemSelectionModel::Select |
                                                             QItemSelectionModel::Rows);
    }

    ScopedDataDir dir;
    FakeModalSeam seam;
};

} // namespace

TEST_F(ListPageTest, FirstStartShowsAnEmptyListWithEmptyAverages)
{
    auto page = Start();
    EXPECT_TRUE(std::filesystem::exists("item.txt") && std::filesystem::exists("setting.txt"));
    EXPECT_EQ(ReadBytes("data.txt"), "");
    EXPECT_EQ(Rows(*page), 0);
    EXPECT_EQ(page->m_staticMaxAverage->text(), "");
    EXPECT_EQ(page->m_comboAverageType->currentText(), QStringLiteral("[指定なし]"));
    EXPECT_EQ(page->m_nRecordLimit, 1000);
}

TEST_F(ListPageTest, AddingPutsTheRecordFirstAndUpdatesTheAverages)
{
    WriteLines("data.txt", {Record(120, 1), Record(130, 2)});
    auto page = Start();
    EXPECT_EQ(page->m_staticMaxAverage->text(), "125");
    seam.QueueDialog(Enter(141, QStringLiteral("散歩,のあと")));
    page->OnAddRecord();
    ExpectInStep(*page);
    EXPECT_EQ(page->m_staticMaxAverage->text(), "130");
    const std::string first = FileLines("data.txt")[0];
    EXPECT_EQ(GetRecordField(first, 7), Cp932FromUtf8("散歩，のあと")); // the comma stored full-width
    EXPECT_EQ(Cell(*page, 0, 6), QStringLiteral("散歩，のあと"));

    page->m_comboAverageType->setCurrentIndex(2);
    page->OnSelchangeAverageType();
    EXPECT_EQ(page->m_staticMaxAverage->text(), "130");
    page->m_comboAverageType->setCurrentIndex(4);
    page->OnSelchangeAverageType();
    EXPECT_EQ(page->m_staticMaxAverage->text(), "0");
}

TEST_F(ListPageTest, TheRecordLimitDropsTheOldestWhenAdding)
{
    for (int limit : {3, 1}) {
        WriteLines("setting.txt", {std::to_string(limit), "1", "30", "0", "0", "x"});
        WriteLines("data.txt", {Record(101), Record(102), Record(103)});
        auto page = Start();
        seam.QueueDialog(Enter(150));
        page->OnAddRecord();
        const std::vector<std::string> lines = FileLines("data.txt");
        ASSERT_EQ(lines.size(), static_cast<size_t>(limit));
        EXPECT_EQ(GetRecordField(lines[0], 2), "150");
        ExpectInStep(*page);
    }
}

TEST_F(ListPageTest, AnEmptyOrNegativeRecordLimitKeepsEveryRecord)
{
    for (const char* limit : {"", "-3", "0"}) {
        WriteLines("setting.txt", {limit, "1", "30", "0", "0", "x"});
        WriteLines("data.txt", {Record(101), Record(102), Record(103)});
        auto page = Start();
        seam.QueueDialog(Enter(150));
        page->OnAddRecord();
        EXPECT_EQ(FileLines("data.txt").size(), 4u) << limit;
        ExpectInStep(*page);
    }
}

TEST_F(ListPageTest, ALoweredLimitTakesEffectAfterTheNextStart)
{
    WriteLines("data.txt", {Record(101), Record(102), Record(103), Record(104), Record(105)});
    auto page = Start();
    WriteLines("setting.txt", {"2", "1", "30", "0", "0", "x"});
    seam.QueueDialog(Enter(150));
    page->OnAddRecord();
    EXPECT_EQ(FileLines("data.txt").size(), 6u);

    auto restarted = Start();
    EXPECT_EQ(Rows(*restarted), 6);
    seam.QueueDialog(Enter(160));
    restarted->OnAddRecord();
    EXPECT_EQ(FileLines("data.txt").size(), 2u);
    ExpectInStep(*restarted);
}

TEST_F(ListPageTest, DeletingRemovesEverySelectedRowAndItsLine)
{
    WriteLines("data.txt", {Record(100), Record(101), Record(102), Record(103), Record(104), Record(105)});
    auto page = Start();
    Select(*page, {4, 1, 2});
    page->OnDelete();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, QStringLiteral("選択された血圧情報を削除しますか？"));
    EXPECT_EQ(seam.messages[0].caption, QStringLiteral("削除の確認"));
    EXPECT_EQ(seam.messages[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(FileLines("data.txt"), (std::vector<std::string>{Record(100), Record(103), Record(105)}));
    ExpectInStep(*page);
}

TEST_F(ListPageTest, DeletingAsksEvenWithoutSelectionAndNoKeepsEverything)
{
    WriteLines("data.txt", {Record(100), Record(101)});
    auto page = Start();
    page->OnDelete(); // nothing selected, answered Yes
    Select(*page, {0});
    seam.QueueAnswer(IDNO);
    page->OnDelete();
    EXPECT_EQ(seam.messages.size(), 2u);
    EXPECT_EQ(FileLines("data.txt").size(), 2u);
    ExpectInStep(*page);
}

TEST_F(ListPageTest, ACorrectionKeepsItsRowAndTheWholeStoredComment)
{
    const std::string longComment = "first,second " + std::string(300, 'x');
    WriteLines("data.txt", {Record(100), Record(101, 7, longComment), Record(102)});
    auto page = Start();
    Select(*page, {2, 1});
    seam.QueueDialog([](QDialog& dialog) {
        auto& dlg = static_cast<CRecordDlg&>(dialog);
        EXPECT_EQ(dlg.m_nMax, 101u);                    // the lowest selected row
        EXPECT_EQ(dlg.m_comboType->currentIndex(), -1); // type 7 of five entries
        dlg.Get<QLineEdit>(1010)->setText("135");
        dlg.Get<QDateEdit>(1020)->setDate(QDate(2023, 5, 3)); // a year back
        return PressOk(dlg);
    });
    page->OnModify();
    const std::vector<std::string> lines = FileLines("data.txt");
    EXPECT_EQ(lines[1], "2023/5/3 07:05:09,135,80,70,0,-1,first" + Cp932FromUtf8("，") + "second " +
                            std::string(300, 'x'));
    EXPECT_EQ(lines[0], Record(100));
    EXPECT_EQ(lines[2], Record(102));
    ExpectInStep(*page);
}

TEST_F(ListPageTest, CorrectingNeedsARow)
{
    WriteLines("data.txt", {Record(100)});
    auto page = Start();
    page->OnModify();
    page->OnDblclkRecordList(-1);
    EXPECT_EQ(seam.dialogsRun, 0);
    page->OnDblclkRecordList(0); // cancelled: nothing stored
    EXPECT_EQ(seam.dialogsRun, 1);
    EXPECT_EQ(FileLines("data.txt"), std::vector<std::string>{Record(100)});
}

TEST_F(ListPageTest, AFailedWriteKeepsListAndFileInStepAndSaysSo)
{
    WriteLines("data.txt", {Record(100), Record(101)});
    auto page = Start();
    // Another program adds a line; then every edit fails, as the temporary file cannot be made.
    WriteLines("data.txt", {Record(99), Record(100), Record(101)});
    std::filesystem::create_directory("~tempfile");
    seam.QueueDialog(Enter(150));
    page->OnAddRecord();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, CListPage::WriteFailedMessage());
    ExpectInStep(*page);
    EXPECT_EQ(page->m_staticMaxAverage->text(), "100");

    Select(*page, {0});
    page->OnDelete();
    EXPECT_EQ(seam.messages.back().text, CListPage::WriteFailedMessage());
    EXPECT_EQ(FileLines("data.txt").size(), 3u);
    ExpectInStep(*page);
}

TEST_F(ListPageTest, CellsShowTheFieldsAndTheirColours)
{
    WriteLines("data.txt", {"2004/5/3 07:05:09,119,85,72,1,1," + Cp932FromUtf8("朝の測定"), Record(120)});
    auto page = Start();
    QAbstractItemModel* model = page->m_listRecords->model();
    EXPECT_EQ(Cell(*page, 0, 0), QStringLiteral("2004/5/3 07:05:09"));
    EXPECT_EQ(Cell(*page, 0, 6), QStringLiteral("朝の測定"));
    EXPECT_EQ(model->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(178, 178, 255));
    EXPECT_EQ(model->index(0, 3).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 178));
    EXPECT_EQ(model->index(0, 3).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
    EXPECT_FALSE(model->index(1, 1).data(Qt::BackgroundRole).isValid()); // the view's own colours
    EXPECT_TRUE(page->m_listRecords->isColumnHidden(4) && page->m_listRecords->isColumnHidden(5));
    EXPECT_EQ(page->m_staticMaxAverage->accessibleDescription(), QStringLiteral("最高血圧の平均"));
    EXPECT_EQ(page->m_comboAverageType->accessibleName(), QStringLiteral("平均値の種類"));
}
