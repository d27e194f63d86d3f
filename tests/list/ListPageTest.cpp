// The list page: the file and the list stay in step through adding, correcting and deleting,
// with the record limit applied only when adding.
#include "list/ListPage.h"
#include "folder/DataFolder.h"
#include "list/RecordDlg.h"
#include "platform/Cp932.h"
#include "record/RecordLimit.h"
#include "record/RecordLine.h"
#include "res/ControlIds.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QDateEdit>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTableView>

#include <filesystem>
#include <memory>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string Record(int max, int type = 0, const std::string& comment = "")
{
    return "2024/5/3 07:05:09," + std::to_string(max) + ",80,70,0," + std::to_string(type) + "," + comment;
}

void WriteLines(const std::string& path, const Lines& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    WriteBytes(path, bytes);
}

Lines FileLines()
{
    Lines lines;
    const std::string bytes = ReadBytes("data.txt");
    for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

// Fills the entry dialog's maximum and comment, with the minimum and pulse of Record.
void Fill(CRecordDlg& dlg, int max, const QString& comment = QString())
{
    dlg.Get<QLineEdit>(RecordIds::IDC_MAX)->setText(QString::number(max));
    dlg.Get<QLineEdit>(RecordIds::IDC_MIN)->setText(QStringLiteral("80"));
    dlg.Get<QLineEdit>(RecordIds::IDC_PULSE)->setText(QStringLiteral("70"));
    dlg.Get<QLineEdit>(RecordIds::IDC_COMMENT)->setText(comment);
}

// Fills the entry dialog and presses OK.
FakeModalSeam::DialogHandler Enter(int max, const QString& comment = QString())
{
    return [=](QDialog& dialog) {
        auto& dlg = static_cast<CRecordDlg&>(dialog);
        Fill(dlg, max, comment);
        return PressOk(dlg);
    };
}

class ListPageTest : public ::testing::Test
{
protected:
    // The page's controls, found by their ids.
    static QTableView* RecordList(const CListPage& page)
    {
        return Control<QTableView>(page, ListIds::IDC_RECORD_LIST);
    }
    static QComboBox* AverageType(const CListPage& page)
    {
        return Control<QComboBox>(page, ListIds::IDC_AVERAGE_TYPE);
    }
    static QComboBox* Period(const CListPage& page) { return Control<QComboBox>(page, ListIds::IDC_PERIOD); }
    static QLabel* MaxAverage(const CListPage& page)
    {
        return Control<QLabel>(page, ListIds::IDC_MAX_AVERAGE);
    }
    static QLabel* RecordCount(const CListPage& page)
    {
        return Control<QLabel>(page, ListIds::IDC_RECORD_COUNT);
    }
    std::unique_ptr<CListPage> Start()
    {
        folder.Open(); // as the main window opens the folder before its pages
        auto page = std::make_unique<CListPage>(seam, folder);
        page->Create(nullptr);
        return page;
    }
    QModelIndex At(CListPage& page, int row, int column)
    {
        return RecordList(page)->model()->index(row, column);
    }
    // The list shows exactly the file's lines.
    void ExpectInStep(CListPage& page)
    {
        const Lines lines = FileLines();
        ASSERT_EQ(RecordList(page)->model()->rowCount(), static_cast<int>(lines.size()));
        for (int r = 0; r < static_cast<int>(lines.size()); ++r)
            EXPECT_EQ(At(page, r, 1).data().toString().toStdString(), GetRecordField(lines[r], 2)) << r;
    }
    void Select(CListPage& page, std::initializer_list<int> rows)
    {
        for (int row : rows)
            RecordList(page)->selectionModel()->select(At(page, row, 0), QItemSelectionModel::Select |
                                                                             QItemSelectionModel::Rows);
    }

    ScopedDataDir dir;
    FakeModalSeam seam;
    CDataFolder folder;
};

} // namespace

TEST_F(ListPageTest, AddingPutsTheRecordFirstColouredAndUpdatesTheAverages)
{
    WriteLines("data.txt", {Record(120, 1), Record(130, 2)});
    auto page = Start();
    EXPECT_EQ(MaxAverage(*page)->text(), "125");
    seam.QueueDialog(Enter(119, QStringLiteral("散歩,のあと")));
    page->OnAddRecord();
    ExpectInStep(*page);
    EXPECT_EQ(MaxAverage(*page)->text(), "123");
    EXPECT_EQ(GetRecordField(FileLines()[0], 7),
              Cp932FromUtf8("散歩，のあと")); // the comma stored full-width
    EXPECT_EQ(At(*page, 0, 6).data().toString(), QStringLiteral("散歩，のあと"));
    EXPECT_EQ(At(*page, 0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(178, 178, 255));
    EXPECT_FALSE(At(*page, 1, 1).data(Qt::BackgroundRole).isValid()); // the view's own colours
    EXPECT_TRUE(RecordList(*page)->isColumnHidden(4) && RecordList(*page)->isColumnHidden(5));

    AverageType(*page)->setCurrentIndex(2);
    page->OnSelchangeAverageType();
    EXPECT_EQ(MaxAverage(*page)->text(), "130");
    AverageType(*page)->setCurrentIndex(4);
    page->OnSelchangeAverageType();
    EXPECT_EQ(MaxAverage(*page)->text(), "0");
}

TEST_F(ListPageTest, ThePositiveRecordLimitDropsTheOldestAndNoneKeepsAll)
{
    // An emptied, zero or negative limit keeps every record.
    for (const auto& [limit, kept] :
         std::vector<std::pair<const char*, size_t>>{{"3", 3}, {"1", 1}, {"", 4}, {"0", 4}, {"-3", 4}}) {
        WriteLines("setting.txt", {limit, "1", "30", "0", "0", "x"});
        WriteLines("data.txt", {Record(101), Record(102), Record(103)});
        auto page = Start();
        seam.QueueDialog(Enter(150));
        page->OnAddRecord();
        ASSERT_EQ(FileLines().size(), kept) << limit;
        EXPECT_EQ(GetRecordField(FileLines()[0], 2), "150");
        ExpectInStep(*page);
    }
}

TEST_F(ListPageTest, ALoweredLimitAppliesAtOnceAndRemovesNothingBeforeTheNextAddition)
{
    WriteLines("data.txt", {Record(101), Record(102), Record(103), Record(104), Record(105)});
    auto page = Start();
    ASSERT_EQ(folder.WriteSetting(kSettingRecordLimit, "2"), 0);
    EXPECT_EQ(page->RecordLimit(), 2);
    EXPECT_EQ(FileLines().size(), 5u);
    ExpectInStep(*page);

    seam.QueueAnswer(IDNO); // four records would go: asked first, and No keeps them
    seam.QueueDialog(Enter(150));
    page->OnAddRecord();
    EXPECT_EQ(FileLines().size(), 5u);
    seam.QueueDialog(Enter(160));
    page->OnAddRecord();
    EXPECT_EQ(FileLines(), (Lines{FileLines()[0], Record(101)}));
    EXPECT_EQ(GetRecordField(FileLines()[0], 2), "160");
    ExpectInStep(*page);
}

TEST_F(ListPageTest, DeletingRemovesEverySelectedRowAfterAskingAndWithoutSelectionAsksNothing)
{
    auto empty = Start();
    empty->OnDelete(); // an empty list: told to select, nothing asked
    WriteLines("data.txt", {Record(100), Record(101), Record(102), Record(103), Record(104), Record(105)});
    auto page = Start();
    page->OnDelete(); // nothing selected: the same
    Select(*page, {4, 1, 2});
    seam.QueueAnswer(IDNO);
    page->OnDelete();
    EXPECT_EQ(FileLines().size(), 6u);
    page->OnDelete();
    ASSERT_EQ(seam.messages.size(), 4u);
    for (int i : {0, 1}) {
        EXPECT_EQ(seam.messages[i].text, QStringLiteral("削除する血圧情報を選んでください。"));
        EXPECT_EQ(seam.messages[i].type & 0x0F, MB_OK);
    }
    EXPECT_EQ(seam.messages[2].text, QStringLiteral("選択された血圧情報を削除しますか？"));
    EXPECT_EQ(seam.messages[2].caption, QStringLiteral("削除の確認"));
    EXPECT_EQ(seam.messages[2].type, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2); // Return: いいえ
    EXPECT_EQ(FileLines(), (Lines{Record(100), Record(103), Record(105)}));
    ExpectInStep(*page);
}

TEST_F(ListPageTest, DeletingManyRowsRewritesTheFileOnce)
{
    WriteLines("data.txt", {Record(100), Record(101), Record(102), Record(103), Record(104), Record(105)});
    auto page = Start();
    Select(*page, {5, 0, 2, 3});
    // Every rewrite ends in a rename onto data.txt: count them.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, ".", IN_MOVED_TO), 0);
    seam.QueueAnswer(IDYES);
    page->OnDelete();
    int renames = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t got; (got = ::read(watch, events, sizeof events)) > 0;)
        for (char* p = events; p < events + got;
             p += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(p)->len)
            renames += std::string(reinterpret_cast<inotify_event*>(p)->name) == "data.txt";
    ::close(watch);
    EXPECT_EQ(renames, 1);
    EXPECT_EQ(FileLines(), (Lines{Record(101), Record(104)}));
    ExpectInStep(*page);
}

TEST_F(ListPageTest, ACorrectionKeepsItsRowAndTheWholeStoredComment)
{
    const std::string longComment = "first,second " + std::string(300, 'x');
    WriteLines("data.txt", {Record(100), Record(101, 7, longComment), Record(102)});
    auto page = Start();
    page->OnModify(); // nothing selected: no dialog, and the user is told why
    page->OnDblclkRecordList(-1);
    EXPECT_EQ(seam.dialogsRun, 0);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, QStringLiteral("修正する血圧情報を選んでください。"));
    Select(*page, {2, 1});
    seam.QueueDialog([](QDialog& dialog) {
        auto& dlg = static_cast<CRecordDlg&>(dialog);
        EXPECT_EQ(dlg.m_nMax, 101u); // the lowest selected row
        EXPECT_EQ(Control<QComboBox>(dlg, RecordIds::IDC_TYPE)->currentIndex(), -1); // type 7 of five entries
        dlg.Get<QLineEdit>(RecordIds::IDC_MAX)->setText("135");
        dlg.Get<QDateEdit>(RecordIds::IDC_DATE)->setDate(QDate(2023, 5, 3)); // a year back
        return PressOk(dlg);
    });
    page->OnModify();
    EXPECT_EQ(FileLines(), (Lines{Record(100),
                                  "2023/5/3 07:05:09,135,80,70,0,-1,first" + Cp932FromUtf8("，") + "second " +
                                      std::string(300, 'x'),
                                  Record(102)}));
    ExpectInStep(*page);
    page->OnDblclkRecordList(0); // cancelled: nothing stored
    EXPECT_EQ(FileLines()[0], Record(100));
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
    EXPECT_EQ(seam.messages[0].text, CListPage::WriteFailedMessage(EEXIST));
    ExpectInStep(*page);
    EXPECT_EQ(MaxAverage(*page)->text(), "100");

    Select(*page, {0});
    page->OnDelete();
    EXPECT_EQ(seam.messages.back().text, CListPage::WriteFailedMessage(EEXIST));
    EXPECT_EQ(FileLines().size(), 3u);
    ExpectInStep(*page);
}

TEST_F(ListPageTest, ACorrectionThatLeavesTheDateKeepsItsStoredTextByteForByte)
{
    // A year the picker cannot show, a date written with zeros, and no date at all.
    const Lines dates{"1850/1/2 07:05:09", "2024/05/03 7:05:09", "not a date"};
    WriteLines("data.txt",
               {dates[0] + ",120,80,70,0,1,", dates[1] + ",120,80,70,0,1,", dates[2] + ",120,80,70,0,1,"});
    auto page = Start();
    for (int row = 0; row < 3; ++row) {
        seam.QueueDialog([](QDialog& dialog) {
            static_cast<CRecordDlg&>(dialog).Get<QLineEdit>(RecordIds::IDC_PULSE)->setText("66");
            return PressOk(static_cast<CRecordDlg&>(dialog));
        });
        page->ModifyRecord(row);
        EXPECT_EQ(FileLines()[static_cast<size_t>(row)], dates[static_cast<size_t>(row)] + ",120,80,66,0,1,");
    }
}

TEST_F(ListPageTest, TheFocusEnteringTheListByKeySelectsTheCurrentRow)
{
    WriteLines("data.txt", {Record(100), Record(101), Record(102)});
    auto page = Start();
    const auto focusIn = [&](Qt::FocusReason reason) {
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(RecordList(*page), &in);
    };
    focusIn(Qt::MouseFocusReason); // the click selects the row it hits
    EXPECT_TRUE(page->SelectedRows().empty());
    focusIn(Qt::TabFocusReason); // no current cell yet: the first row
    EXPECT_EQ(page->SelectedRows(), std::vector<int>{0});
    RecordList(*page)->clearSelection();
    RecordList(*page)->selectionModel()->setCurrentIndex(At(*page, 2, 1), QItemSelectionModel::NoUpdate);
    focusIn(Qt::BacktabFocusReason);
    EXPECT_EQ(page->SelectedRows(), std::vector<int>{2});
    seam.QueueDialog([](QDialog& dialog) {
        EXPECT_EQ(static_cast<CRecordDlg&>(dialog).m_nMax, 102u);
        return IDCANCEL;
    });
    page->OnModify();
    EXPECT_EQ(seam.dialogsRun, 1);
}

TEST_F(ListPageTest, ARightClickOnARowOffersCorrectAndDeleteForThatRow)
{
    WriteLines("data.txt", {Record(100), Record(101), Record(102)});
    auto page = Start();
    page->resize(700, 500);
    page->show();
    QWidget* viewport = RecordList(*page)->viewport();
    const auto rightClick = [&](QPoint pos) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
        QApplication::sendEvent(viewport, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    };
    const auto rowCentre = [&](int row) { return RecordList(*page)->visualRect(At(*page, row, 1)).center(); };

    QMenu* menu = rightClick(rowCentre(1));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("修正"));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("削除"));
    menu->actions()[1]->trigger();
    menu->close();
    EXPECT_EQ(seam.messages.back().text, QStringLiteral("選択された血圧情報を削除しますか？"));
    EXPECT_EQ(FileLines(), (Lines{Record(100), Record(102)}));

    menu = rightClick(rowCentre(1));
    ASSERT_NE(menu, nullptr);
    seam.QueueDialog(Enter(150));
    menu->actions()[0]->trigger();
    menu->close();
    EXPECT_EQ(GetRecordField(FileLines()[1], 2), "150");
    ExpectInStep(*page);

    EXPECT_EQ(rightClick(QPoint(5, viewport->height() - 3)), nullptr) << "below the rows";
}

TEST_F(ListPageTest, ThePeriodAndTheTypeCombineAndTheCountFollowsAtOnce)
{
    const auto dated = [](int daysBack, int max, int type) {
        const QDate d = QDate::currentDate().addDays(-daysBack);
        return d.toString(QStringLiteral("yyyy/M/d")).toStdString() + " 07:05:09," + std::to_string(max) +
               ",80,70,0," + std::to_string(type) + ",";
    };
    WriteLines("data.txt", {dated(-3, 150, 1), dated(0, 120, 1), dated(6, 131, 2), dated(7, 140, 1),
                            dated(27, 100, 1), dated(28, 200, 2)});
    auto page = Start();
    EXPECT_EQ(Period(*page)->currentText(), QStringLiteral("全期間"));
    EXPECT_EQ(Period(*page)->count(), 4);
    EXPECT_EQ(RecordCount(*page)->text(), "6");
    EXPECT_EQ(RecordCount(*page)->accessibleDescription(), QStringLiteral("件数"));
    EXPECT_EQ(Period(*page)->accessibleName(), QStringLiteral("期間"));
    const struct
    {
        int period, type;
        const char *max, *count;
    } cases[] = {{1, 0, "133", "3"}, {1, 1, "135", "2"}, {2, 0, "135", "4"},
                 {3, 1, "127", "4"}, {3, 2, "131", "1"}, {1, 4, "0", "0"}};
    for (const auto& c : cases) {
        Period(*page)->setCurrentIndex(c.period);
        page->OnSelchangePeriod();
        AverageType(*page)->setCurrentIndex(c.type);
        page->OnSelchangeAverageType();
        EXPECT_EQ(MaxAverage(*page)->text(), c.max) << c.period << " " << c.type;
        EXPECT_EQ(RecordCount(*page)->text(), c.count) << c.period << " " << c.type;
    }
    AverageType(*page)->setCurrentIndex(0);
    seam.QueueDialog(Enter(130)); // today
    page->OnAddRecord();
    EXPECT_EQ(RecordCount(*page)->text(), "4");
    EXPECT_EQ(Period(*Start())->currentIndex(), 0) << "each start covers every record";
}

TEST_F(ListPageTest, AFailedWriteKeepsTheEntryDialogOpenWithTheTypedValuesForARetry)
{
    for (const bool correcting : {false, true}) {
        WriteLines("data.txt", {Record(100)});
        auto page = Start();
        std::filesystem::create_directory("~tempfile"); // every write fails
        seam.messages.clear();
        seam.QueueDialog([&](QDialog& dialog) {
            auto& dlg = static_cast<CRecordDlg&>(dialog);
            Fill(dlg, 150, QStringLiteral("散歩"));
            EXPECT_EQ(PressOk(dlg), IDCANCEL); // still open
            EXPECT_EQ(dlg.Get<QLineEdit>(RecordIds::IDC_MAX)->text(), QStringLiteral("150"));
            EXPECT_EQ(dlg.Get<QLineEdit>(RecordIds::IDC_COMMENT)->text(), QStringLiteral("散歩"));
            std::filesystem::remove("~tempfile");
            return PressOk(dlg); // the retry stores
        });
        correcting ? page->ModifyRecord(0) : page->OnAddRecord();
        ASSERT_EQ(seam.messages.size(), 1u) << correcting;
        EXPECT_EQ(seam.messages[0].text, CListPage::WriteFailedMessage(EEXIST));
        EXPECT_EQ(FileLines().size(), correcting ? 1u : 2u);
        EXPECT_EQ(GetRecordField(FileLines()[0], 2), "150");
        ExpectInStep(*page);
    }
}

TEST_F(ListPageTest, AnAdditionThatDeletesSeveralRecordsAsksFirstAndNoKeepsTheDialog)
{
    WriteLines("setting.txt", {"3", "1", "30", "0", "0", "x"});
    WriteLines("data.txt", {Record(101), Record(102), Record(103), Record(104), Record(105)});
    auto page = Start();
    seam.QueueDialog([&](QDialog& dialog) {
        auto& dlg = static_cast<CRecordDlg&>(dialog);
        Fill(dlg, 150);
        seam.QueueAnswer(IDNO);
        EXPECT_EQ(PressOk(dlg), IDCANCEL); // nothing added, the values kept
        EXPECT_EQ(FileLines().size(), 5u);
        EXPECT_EQ(dlg.Get<QLineEdit>(RecordIds::IDC_MAX)->text(), QStringLiteral("150"));
        seam.QueueAnswer(IDYES);
        return PressOk(dlg);
    });
    page->OnAddRecord();
    ASSERT_EQ(seam.messages.size(), 2u); // asked twice, and no notice on top of the question
    EXPECT_EQ(seam.messages[0].text, QString::fromStdString(DropQuestionText(3, 3)));
    EXPECT_EQ(seam.messages[0].type, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2); // Return keeps them
    EXPECT_EQ(FileLines().size(), 3u);
    ExpectInStep(*page);
}

TEST_F(ListPageTest, TheFullLogIsToldOnceARunUntilTheUserTurnsTheNoticeOff)
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Velliqa", "Velliqa").clear();
    const Lines settings{"3", "1", "30", "0", "0", "x"};
    WriteLines("setting.txt", settings);
    WriteLines("data.txt", {Record(101), Record(102)});
    auto page = Start();
    for (int max : {150, 151}) { // the first reaches the limit, the second drops the oldest
        seam.QueueDialog(Enter(max));
        page->OnAddRecord();
    }
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, QString::fromStdString(LogFullNoticeText(3)));
    EXPECT_EQ(seam.messages[0].checkText, DoNotShowAgainText());

    // Told again in the next run; the user turns it off for good.
    for (bool turnOff : {true, false}) {
        auto restarted = Start();
        seam.QueueCheck(turnOff);
        seam.QueueDialog(Enter(152));
        restarted->OnAddRecord();
    }
    EXPECT_EQ(seam.messages.size(), 2u);
    EXPECT_EQ(ReadBytes("setting.txt"), "3\r\n1\r\n30\r\n0\r\n0\r\nx\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()),
              4)
        << "only the data files and the archive in the data folder";
    // The readings the limit removed, oldest first.
    const std::string archive = ReadBytes("archive.txt");
    EXPECT_EQ(archive.substr(0, archive.rfind("\r\n", archive.size() - 3) + 2),
              Record(102) + "\r\n" + Record(101) + "\r\n");
    EXPECT_NE(archive.find(",150,80,70,"), std::string::npos);
}
