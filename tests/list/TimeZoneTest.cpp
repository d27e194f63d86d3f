// The entry dialog in any time zone: a record opened and confirmed leaves the file as it was,
// the pickers show exactly the stored date and time, and a new entry starts at the local clock.
// The averages' "today" is the local day.
#include "support/TimeZone.h"
#include "folder/DataFolder.h"
#include "list/ListPage.h"
#include "list/RecordDlg.h"
#include "platform/LocalMoment.h"
#include "res/ControlIds.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>

#include <cctype>
#include <ctime>
#include <ostream>
#include <string>

namespace {

struct Zone
{
    const char* name;
    long januaryOffset; // seconds east of UTC, mid-January and mid-July
    long julyOffset;
};

void PrintTo(const Zone& zone, std::ostream* out)
{
    *out << zone.name;
}

constexpr Zone kZones[] = {
    {"UTC", 0, 0},
    {"Asia/Tokyo", 9 * 3600, 9 * 3600},
    {"America/New_York", -5 * 3600, -4 * 3600},
    {"Pacific/Chatham", 13 * 3600 + 2700, 12 * 3600 + 2700},
    {"America/St_Johns", -3 * 3600 - 1800, -2 * 3600 - 1800},
};

// Each stored date and time with the fields the pickers must show: an ordinary morning, the
// turn of the year, and the hours that daylight-saving changes skip or repeat in the zones
// above (New York and St John's in March and November, Chatham in April and September).
struct Stored
{
    const char* text;
    QDate date;
    QTime time;
};

const Stored kStored[] = {
    {"2026/12/8 07:00:00", {2026, 12, 8}, {7, 0, 0}},  {"2025/12/31 23:59:59", {2025, 12, 31}, {23, 59, 59}},
    {"2026/1/1 00:00:00", {2026, 1, 1}, {0, 0, 0}},    {"2026/3/8 02:30:00", {2026, 3, 8}, {2, 30, 0}},
    {"2026/11/1 01:30:00", {2026, 11, 1}, {1, 30, 0}}, {"2026/4/5 03:00:00", {2026, 4, 5}, {3, 0, 0}},
    {"2026/9/27 03:00:00", {2026, 9, 27}, {3, 0, 0}},
};

class TimeZoneTest : public ::testing::TestWithParam<Zone>
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(UtcOffsetAt(UtcTime(2026, 1, 15)), GetParam().januaryOffset) << GetParam().name;
        ASSERT_EQ(UtcOffsetAt(UtcTime(2026, 7, 15)), GetParam().julyOffset) << GetParam().name;
    }

    ScopedTimeZone zone{GetParam().name};
    ScopedDataDir dir;
    FakeModalSeam seam;
};

} // namespace

TEST_P(TimeZoneTest, OpeningAndConfirmingARecordLeavesTheFileAsItWas)
{
    std::string bytes;
    for (const Stored& stored : kStored)
        bytes += std::string(stored.text) + ",128,82,64,0,1,\r\n";
    WriteBytes("data.txt", bytes);
    CDataFolder folder;
    folder.Open();
    CListPage page(seam, folder);
    page.Create(nullptr);
    for (int row = 0; row < static_cast<int>(std::size(kStored)); ++row) {
        const Stored& stored = kStored[row];
        seam.QueueDialog([&](QDialog& dialog) {
            auto& dlg = static_cast<CRecordDlg&>(dialog);
            EXPECT_EQ(dlg.Get<QDateEdit>(RecordIds::IDC_DATE)->date(), stored.date) << stored.text;
            EXPECT_EQ(dlg.Get<QTimeEdit>(RecordIds::IDC_TIME)->time(), stored.time) << stored.text;
            return PressOk(dlg);
        });
        page.ModifyRecord(row);
    }
    EXPECT_EQ(seam.dialogsRun, static_cast<int>(std::size(kStored)));
    EXPECT_EQ(ReadBytes("data.txt"), bytes);
}

TEST_P(TimeZoneTest, ANewEntryStartsAtTheLocalClock)
{
    CDataFolder folder;
    folder.Open();
    CListPage page(seam, folder);
    page.Create(nullptr);
    std::string shown;
    seam.QueueDialog([&](QDialog& dialog) {
        auto& dlg = static_cast<CRecordDlg&>(dialog);
        const QDate date = dlg.Get<QDateEdit>(RecordIds::IDC_DATE)->date();
        const QTime time = dlg.Get<QTimeEdit>(RecordIds::IDC_TIME)->time();
        shown = QStringLiteral("%1/%2/%3 %4")
                    .arg(date.year())
                    .arg(date.month())
                    .arg(date.day())
                    .arg(time.toString(QStringLiteral("HH:mm:ss")))
                    .toStdString();
        dlg.Get<QLineEdit>(RecordIds::IDC_MAX)->setText(QStringLiteral("120"));
        dlg.Get<QLineEdit>(RecordIds::IDC_MIN)->setText(QStringLiteral("80"));
        return PressOk(dlg);
    });
    const std::time_t start = std::time(nullptr);
    page.OnAddRecord();
    const std::time_t end = std::time(nullptr);
    // Shown and stored as the local clock read at some second while the dialog opened.
    bool atTheClock = false;
    for (std::time_t t = start; t <= end; ++t)
        atTheClock = atTheClock || shown == LocalClockText(t);
    EXPECT_TRUE(atTheClock) << shown << " at " << LocalClockText(start);
    EXPECT_TRUE(ReadBytes("data.txt").starts_with(shown + ",")) << ReadBytes("data.txt");
}

INSTANTIATE_TEST_SUITE_P(Zones, TimeZoneTest, ::testing::ValuesIn(kZones), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST(LocalToday, TheAveragesOfTheLastDaysCountFromTheLocalDay)
{
    // Dated 6 and 7 days before the local today: only the first is in the last 7 days.
    const ZoneOffset away = ZoneOffTheUtcDay();
    const ScopedTimeZone zone(away.zone);
    ASSERT_EQ(UtcOffsetAt(std::time(nullptr)), away.offset) << away.zone;
    ScopedDataDir dir;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const QDate today(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const auto line = [&](int daysBack, int max) {
        return today.addDays(-daysBack).toString(QStringLiteral("yyyy/M/d")).toStdString() + " 12:00:00," +
               std::to_string(max) + ",80,70,0,1,\r\n";
    };
    WriteBytes("data.txt", line(6, 130) + line(7, 150));
    FakeModalSeam seam;
    CDataFolder folder;
    folder.Open();
    CListPage page(seam, folder);
    page.Create(nullptr);
    Control<QComboBox>(page, ListIds::IDC_PERIOD)->setCurrentIndex(1); // 直近 7 日
    page.OnSelchangePeriod();
    EXPECT_EQ(Control<QLabel>(page, ListIds::IDC_MAX_AVERAGE)->text(), QStringLiteral("130"));
}
