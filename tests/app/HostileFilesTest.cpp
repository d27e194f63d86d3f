// Hand-edited and foreign files: the program starts on them, shows what it can, never crashes
// and never rewrites a file it did not change.
#include "app/MainDlg.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTabBar>
#include <QTableView>

#include <filesystem>
#include <map>

namespace {

const std::string kItems =
    "[\x8E\x77\x92\xE8\x82\xC8\x82\xB5]\r\n\x92\xA9\r\n\x92\x8B\r\n\x94\xD3\r\n\x82\xBB\x82\xCC\x91\xBC\r\n";
const std::string kSettings = "1000\r\n1\r\n30\r\n0\r\n0\r\nname\r\n";

struct Files
{
    std::string data;
    std::string item = kItems;
    std::string setting = kSettings;
};

class HostileFilesTest : public ::testing::Test
{
protected:
    // Starts the program on the files, shows every tab (painting each page), and checks that
    // every file still holds exactly its bytes. Returns the number of rows the list shows.
    int OpenEveryTab(const Files& files)
    {
        WriteBytes("data.txt", files.data);
        WriteBytes("item.txt", files.item);
        WriteBytes("setting.txt", files.setting);
        std::map<std::string, std::filesystem::file_time_type> times;
        for (const char* name : {"data.txt", "item.txt", "setting.txt"})
            times[name] = std::filesystem::last_write_time(name);

        int rows = -1;
        {
            CMainDlg dlg(seam);
            dlg.OnInitDialog();
            dlg.show();
            for (int tab : {1, 2, 3, 4, 0}) {
                dlg.TabBar()->setCurrentIndex(tab);
                QApplication::processEvents();
                dlg.grab(); // paints the page that is shown
            }
            rows = Control<QTableView>(PageOf<CListPage>(dlg), ListIds::IDC_RECORD_LIST)->model()->rowCount();
            Control<QTableView>(PageOf<CListPage>(dlg), ListIds::IDC_RECORD_LIST)->scrollToBottom();
            dlg.grab();
        }
        EXPECT_EQ(ReadBytes("data.txt"), files.data);
        EXPECT_EQ(ReadBytes("item.txt"), files.item);
        EXPECT_EQ(ReadBytes("setting.txt"), files.setting);
        for (const auto& [name, time] : times)
            EXPECT_EQ(std::filesystem::last_write_time(name), time) << name << " was rewritten";
        EXPECT_FALSE(std::filesystem::exists("~tempfile"));
        return rows;
    }

    ScopedDataDir dir;
    FakeModalSeam seam;
};

} // namespace

TEST_F(HostileFilesTest, LineEndsOfEveryKind)
{
    Files files;
    files.data = "2024/1/1 07:00:00,120,80,60,0,1,a\r2024/1/2 07:00:00,130,85,61,0,1,b\n"
                 "2024/1/3 07:00:00,140,90,62,0,1,c"; // CR only, LF only, no line end at all
    EXPECT_EQ(OpenEveryTab(files), 2);
}

TEST_F(HostileFilesTest, AMegabyteLineAndTwoHundredThousandLines)
{
    Files files;
    files.data = std::string(1 << 20, 'x') + "\r\n";
    for (int i = 0; i < 200000; ++i)
        files.data += "2024/1/1 07:00:00,120,80,60,0,1,\r\n";
    EXPECT_EQ(OpenEveryTab(files), 1026 + 200000); // a long line reads as pieces of 1023 bytes
}

TEST_F(HostileFilesTest, NulBytesAndInvalidShiftJis)
{
    Files files;
    files.data = std::string("2024/1/1 07:00:00,12\0"
                             "0,80,60,0,1,\x82\r\n",
                             37) +
                 "2024/1/2 07:00:00,130,85,61,0,1,\xFF\xFE\x81\r\n\x80\xA0,\xEF\r\n";
    files.item = std::string("\x82\0\xFF\r\n\x92\xA9\r\n", 8);
    EXPECT_EQ(OpenEveryTab(files), 3);
}

TEST_F(HostileFilesTest, NumbersBeyondThirtyTwoBitsAndOddTypes)
{
    Files files;
    files.data = "2024/1/1 07:00:00,99999999999999999999,-99999999999999999999,4294967296,7,-1,a\r\n"
                 "2024/1/2 07:00:00,2147483647,2147483647,2147483647,1,2147483648,b\r\n"
                 "2024/1/3 07:00:00,-2147483648,-2147483648,-2147483648,-1,-2147483649,c\r\n"
                 "abc,,,\r\n"
                 "\r\n"
                 "2024/13/40 25:61:61\r\n";
    files.setting = "99999999999999999999\r\n-2147483648\r\n2147483647\r\n1abc\r\n-1\r\n";
    EXPECT_EQ(OpenEveryTab(files), 6);
}

TEST_F(HostileFilesTest, ShortSettingsAndEmptyTypeFile)
{
    Files files;
    files.data = "2024/1/1 07:00:00,120,80,60,0,1,a\r\n";
    files.setting = "5\r\n";
    files.item = "";
    EXPECT_EQ(OpenEveryTab(files), 1);
}
