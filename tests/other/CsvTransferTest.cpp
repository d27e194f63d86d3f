// The CSV buttons of the other page as the user meets them: the file dialogs and the preview
// answered through the seams, and the files and pages afterwards.
#include "app/MainDlg.h"
#include "csv/CsvPreviewDlg.h"
#include "platform/FileDialogSeam.h"

#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

namespace {

class InlineRunner final : public IWorkRunner
{
public:
    void Run(QWidget*, const std::function<void()>& work, const std::function<void()>& cancel) override
    {
        if (cancelAtRun == ++runs)
            cancel();
        work();
    }
    int runs = 0;
    int cancelAtRun = 0; // the run whose cancel is pressed before its work, 0 for none
};

class FakeFileDialogs final : public IFileDialogSeam
{
public:
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return path; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return path; }
    QString path;
};

const std::string kStored = "2024/3/2 07:05:09,135,85,72,1,1,\r\n";

// Looks at the preview, then ends it with OK or cancel; what it saw stays for the test.
struct PreviewSeen
{
    QString counts;
    QStringList refusals;
    int rows = 0;
    bool okEnabled = false;
};

PreviewSeen Look(CCsvPreviewDlg& preview)
{
    PreviewSeen seen;
    seen.counts = preview.Get<QLabel>(CsvPreviewIds::IDC_COUNTS)->text();
    for (int i = 0; i < preview.Get<QListWidget>(CsvPreviewIds::IDC_REFUSALS)->count(); ++i)
        seen.refusals << preview.Get<QListWidget>(CsvPreviewIds::IDC_REFUSALS)->item(i)->text();
    seen.rows = preview.Get<QTableView>(CsvPreviewIds::IDC_ROWS)->model()->rowCount();
    seen.okEnabled = preview.Get<QPushButton>(IDOK)->isEnabled();
    return seen;
}

class CsvTransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteBytes("data.txt", kStored);
        dlg.OnInitDialog();
        Page().SetFileDialogSeam(files);
        Page().SetCsvRunner(runner);
    }
    COtherPage& Page() { return PageOf<COtherPage>(dlg); }
    std::string Csv(const std::string& text)
    {
        const std::string path = (dir.Path() / "in.csv").string();
        WriteBytes(path, text);
        files.path = QString::fromStdString(path);
        return path;
    }
    // Runs the import; the handler sees the preview and returns how it ends.
    PreviewSeen Import(const std::function<int(CCsvPreviewDlg&)>& handler)
    {
        PreviewSeen seen;
        seam.QueueDialog([&](QDialog& dialog) {
            auto& preview = dynamic_cast<CCsvPreviewDlg&>(dialog);
            const int result = handler(preview);
            seen = Look(preview);
            return result;
        });
        Page().Get<QPushButton>(OtherIds::IDC_IMPORT_CSV)->click();
        return seen;
    }

    ScopedDataDir dir;
    FakeModalSeam seam;
    CMainDlg dlg{seam};
    InlineRunner runner;
    FakeFileDialogs files;
};

} // namespace

TEST_F(CsvTransferTest, ButtonsCarryTheirTextsAndExportWritesTheChosenFile)
{
    EXPECT_EQ(Page().Get<QPushButton>(OtherIds::IDC_EXPORT_CSV)->accessibleName(),
              QStringLiteral("CSV ファイルに書き出す..."));
    EXPECT_EQ(Page().Get<QPushButton>(OtherIds::IDC_IMPORT_CSV)->accessibleName(),
              QStringLiteral("ファイルを読み込む..."));
    files.path = QString::fromStdString((dir.Path() / "out.csv").string());
    Page().Get<QPushButton>(OtherIds::IDC_EXPORT_CSV)->click();
    EXPECT_EQ(ReadBytes(files.path.toStdString()),
              "\xEF\xBB\xBF日付,時刻,最高血圧,最低血圧,脈拍,IHB,種類,コメント\r\n"
              "2024-03-02,07:05:09,135,85,72,1,朝,\r\n");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, QStringLiteral("1 件の記録を書き出しました。"));
    files.path.clear(); // cancelled: nothing more happens
    Page().Get<QPushButton>(OtherIds::IDC_EXPORT_CSV)->click();
    Page().Get<QPushButton>(OtherIds::IDC_IMPORT_CSV)->click();
    EXPECT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.dialogsRun, 0);
}

TEST_F(CsvTransferTest, PreviewShowsThePlanAndOkStoresItWhereTheListShowsIt)
{
    Csv("日付,上,下,脈拍,メモ\n2024/3/3,120,80,60,a\n2024/3/2 07:05:09,135,85,72,\n2024/2/30,1,1,1,\n");
    const PreviewSeen seen = Import(PressOk);
    EXPECT_EQ(seen.counts,
              QStringLiteral("新しい記録 1 件、重複 1 件、読めない行 1 件、文字を置き換えた記録 0 件"));
    ASSERT_EQ(seen.refusals.size(), 1);
    EXPECT_TRUE(seen.refusals[0].startsWith(QStringLiteral("4 行目: "))) << seen.refusals[0].toStdString();
    EXPECT_EQ(seen.rows, 3);
    EXPECT_EQ(ReadBytes("data.txt"), "2024/3/3 00:00:00,120,80,60,0,0,a\r\n" + kStored);
    EXPECT_EQ(Control<QTableView>(PageOf<CListPage>(dlg), ListIds::IDC_RECORD_LIST)->model()->rowCount(), 2);
    EXPECT_EQ(seam.messages.back().text, QStringLiteral("1 件の記録を読み込みました。"));
}

TEST_F(CsvTransferTest, ChoicesInThePreviewPlanAgainAndCancelWritesNothing)
{
    Csv("when,sys,dia,other\n3/4/2024,120,80,99\n");
    const PreviewSeen seen = Import([](CCsvPreviewDlg& preview) {
        // No date column is recognised: OK is refused until the user names one.
        EXPECT_FALSE(preview.Get<QPushButton>(IDOK)->isEnabled());
        EXPECT_EQ(PressOk(preview), IDCANCEL);
        preview.OnColumnChanged(CsvField::Date, 1);
        EXPECT_TRUE(preview.Plan().dateOrderNeeded); // 3/4/2024 can be read either way
        EXPECT_FALSE(preview.Get<QPushButton>(IDOK)->isEnabled());
        preview.OnDateOrderChanged(static_cast<int>(CsvDateOrder::Mdy));
        preview.OnColumnChanged(CsvField::Pulse, 4);
        EXPECT_EQ(preview.Plan().rows.at(0).record.dateTime, "2024/3/4 00:00:00");
        EXPECT_EQ(preview.Plan().rows.at(0).record.pulse, 99u);
        EXPECT_EQ(
            Control<QComboBox>(preview, CsvPreviewIds::IDC_COLUMN_FIRST + static_cast<int>(CsvField::Date))
                ->currentIndex(),
            1);
        return IDCANCEL;
    });
    EXPECT_TRUE(seen.okEnabled);
    EXPECT_EQ(ReadBytes("data.txt"), kStored);
    EXPECT_EQ(seam.messages.size(), 1u); // only the refused OK
}

TEST_F(CsvTransferTest, TheLimitIsRaisedOnlyWhenTheUserAgrees)
{
    WriteBytes("setting.txt", "1\r\n1\r\n30\r\n0\r\n0\r\n未設定\r\n");
    Csv("date,sys,dia\n2025/1/1,120,80\n");
    seam.QueueAnswer(IDNO);
    Import(PressOk);
    EXPECT_EQ(ReadBytes("data.txt"), kStored);
    EXPECT_EQ(ReadBytes("setting.txt"), "1\r\n1\r\n30\r\n0\r\n0\r\n未設定\r\n");
    EXPECT_EQ(seam.messages.back().type, MB_YESNO | MB_ICONQUESTION);

    Import(PressOk); // answered Yes
    EXPECT_EQ(ReadBytes("setting.txt"), "2\r\n1\r\n30\r\n0\r\n0\r\n未設定\r\n");
    EXPECT_EQ(ReadBytes("data.txt"), "2025/1/1 00:00:00,120,80,0,0,0,\r\n" + kStored);
    EXPECT_EQ(PageOf<CListPage>(dlg).RecordLimit(), 2);
    EXPECT_EQ(Control<QLineEdit>(PageOf<CSettingsPage>(dlg), SettingsIds::IDC_MAX_RECORDS)->text(),
              QStringLiteral("2"));
}

TEST_F(CsvTransferTest, CancellingTheReadingOrThePlanningWritesNothing)
{
    Csv("date,sys,dia\n2025/1/1,120,80\n");
    // A choice whose planning is cancelled goes back to the choice the shown plan was made with.
    runner.cancelAtRun = 3;
    Import([](CCsvPreviewDlg& preview) {
        preview.OnColumnChanged(CsvField::Date, 0);
        EXPECT_EQ(
            Control<QComboBox>(preview, CsvPreviewIds::IDC_COLUMN_FIRST + static_cast<int>(CsvField::Date))
                ->currentIndex(),
            1);
        EXPECT_TRUE(preview.Plan().missingFields.empty());
        return IDCANCEL;
    });
    const int previews = seam.dialogsRun;
    for (int cancelAt : {1, 2}) {
        runner.runs = 0;
        runner.cancelAtRun = cancelAt;
        Page().Get<QPushButton>(OtherIds::IDC_IMPORT_CSV)->click();
        EXPECT_EQ(seam.dialogsRun, previews) << cancelAt;
    }
    EXPECT_EQ(ReadBytes("data.txt"), kStored);
}

// The page works on the folder it is given, wherever the current directory is, and a limit
// raised by an import reaches the other pages through the folder's announcement.
TEST(CsvTransferOnFolder, ImportAndExportUseTheFolderAndTheRaisedLimitIsAnnounced)
{
    const ScopedDataDir data;
    const ScopedDataDir elsewhere; // the current directory
    const auto inData = [&data](const char* name) { return (data.Path() / name).string(); };
    WriteBytes(inData("data.txt"), kStored);
    WriteBytes(inData("setting.txt"), "1\r\n1\r\n30\r\n0\r\n0\r\n未設定\r\n");
    CDataFolder folder(data.Path().string());
    folder.Open();
    FakeModalSeam seam;
    COtherPage page(seam, folder);
    page.OnInitDialog();
    InlineRunner runner;
    FakeFileDialogs files;
    page.SetFileDialogSeam(files);
    page.SetCsvRunner(runner);
    const QSignalSpy announced(&folder, &CDataFolder::SettingsChanged);

    files.path = QStringLiteral("in.csv");
    WriteBytes("in.csv", "date,sys,dia\n2025/1/1,120,80\n");
    seam.QueueDialog(PressOk);
    page.Get<QPushButton>(OtherIds::IDC_IMPORT_CSV)->click(); // the limit question answered Yes
    EXPECT_EQ(ReadBytes(inData("data.txt")), "2025/1/1 00:00:00,120,80,0,0,0,\r\n" + kStored);
    EXPECT_EQ(ReadBytes(inData("setting.txt")), "2\r\n1\r\n30\r\n0\r\n0\r\n未設定\r\n");
    EXPECT_EQ(announced.count(), 1);
    EXPECT_EQ(folder.RecordLimit(), 2);

    files.path = QStringLiteral("out.csv");
    page.Get<QPushButton>(OtherIds::IDC_EXPORT_CSV)->click();
    EXPECT_NE(ReadBytes("out.csv").find("2025-01-01,00:00:00,120,80"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(elsewhere.Path() / "data.txt"));
}
