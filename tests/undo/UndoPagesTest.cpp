// 元に戻す and やり直し in the main window: each kind of step, made through its page, is undone
// and redone with the files byte for byte as before and after; a file changed outside refuses.
// The window works on a data folder that is not the current directory, as --data-dir gives it.
#include "app/MainDlg.h"
#include "backup/Backups.h"
#include "backup/RestoreDlg.h"
#include "csv/CsvPreviewDlg.h"
#include "list/RecordDlg.h"
#include "platform/FileDialogSeam.h"
#include "res/ControlIds.h"
#include "settings/RenameDlg.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

class InlineRunner final : public IWorkRunner
{
public:
    void Run(QWidget*, const std::function<void()>& work, const std::function<void()>&) override { work(); }
};

class FakeFileDialogs final : public IFileDialogSeam
{
public:
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return path; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return path; }
    QString path;
};

// The window's data folder, beside the current directory's files.
const std::filesystem::path kFolder = "folder";

std::string In(const char* name)
{
    return (kFolder / name).string();
}

std::string FolderFiles()
{
    std::string all;
    for (const char* name : {"data.txt", "item.txt", "setting.txt"})
        all += std::string(name) + ":" + ReadBytes(In(name)) + "\n";
    return all;
}

const std::string kData = "2024/3/3 07:00:00,120,80,60,0,1,\r\n2024/3/2 07:00:00,121,81,61,0,2,\r\n"
                          "2024/3/1 07:00:00,122,82,62,0,3,\r\n";

class UndoPagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(kFolder);
        WriteBytes(In("data.txt"), kData);
        WriteBytes(In("item.txt"), "[\x8E\x77\x92\xE8\x82\xC8\x82\xB5]\r\n\x92\xA9\r\n");
        WriteBytes(In("setting.txt"), "3\r\n1\r\n30\r\n0\r\n0\r\nname\r\n");
        dlg.OnInitDialog();
        PageOf<COtherPage>(dlg).SetFileDialogSeam(files);
        PageOf<COtherPage>(dlg).SetCsvRunner(runner);
    }
    void EnterRecord(int max)
    {
        seam.QueueDialog([max](QDialog& dialog) {
            auto& record = static_cast<CRecordDlg&>(dialog);
            record.Get<QLineEdit>(RecordIds::IDC_MAX)->setText(QString::number(max));
            record.Get<QLineEdit>(RecordIds::IDC_MIN)->setText(QStringLiteral("80"));
            record.Get<QLineEdit>(RecordIds::IDC_PULSE)->setText(QStringLiteral("70"));
            return PressOk(record);
        });
    }

    ScopedDataDir dir;
    FakeModalSeam seam;
    CMainDlg dlg{seam, kFolder.string()};
    InlineRunner runner;
    FakeFileDialogs files;
};

} // namespace

TEST_F(UndoPagesTest, EachKindOfStepIsUndoneAndRedoneByteForByte)
{
    CListPage& list = PageOf<CListPage>(dlg);
    CSettingsPage& settings = PageOf<CSettingsPage>(dlg);
    const std::string backup =
        TakeBackup(BackupReason::BeforeDelete, {2024, 3, 5, 12, 0, 0}, kFolder.string()).name;
    const struct
    {
        const char* label;
        std::function<void()> make;
    } steps[] = {
        {"登録", [&] { EnterRecord(130), list.OnAddRecord(); }}, // the limit drops the oldest
        {"修正", [&] { EnterRecord(140), list.ModifyRecord(1); }},
        {"削除（2 件）",
         [&] {
             Control<QTableView>(list, ListIds::IDC_RECORD_LIST)->clearSelection();
             for (int row : {0, 2})
                 Control<QTableView>(list, ListIds::IDC_RECORD_LIST)
                     ->selectionModel()
                     ->select(Control<QTableView>(list, ListIds::IDC_RECORD_LIST)->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
             list.OnDelete();
         }},
        {"種類の名前の変更",
         [&] {
             seam.QueueDialog([](QDialog& rename) {
                 static_cast<CRenameDlg&>(rename)
                     .Get<QLineEdit>(RenameIds::IDC_NAME)
                     ->setText(QStringLiteral("夜"));
                 return PressOk(rename);
             });
             Control<QListWidget>(settings, SettingsIds::IDC_TYPES)->setCurrentRow(1);
             settings.OnRenameType();
         }},
        {"設定の変更（お名前）",
         [&] {
             Control<CCp932Edit>(settings, SettingsIds::IDC_NAME)->setText(QStringLiteral("山田"));
             settings.OnKillfocusName();
         }},
        {"CSV の読み込み（1 件）",
         [&] {
             WriteBytes("in.csv", "日付,上,下\n2024/3/4,150,90\n");
             files.path = QString::fromStdString((dir.Path() / "in.csv").string());
             seam.QueueDialog(PressOk);
             PageOf<COtherPage>(dlg).Get<QPushButton>(OtherIds::IDC_IMPORT_CSV)->click();
         }},
        {"バックアップから戻す",
         [&] {
             seam.QueueDialog(PressOk);
             PageOf<COtherPage>(dlg).Get<QPushButton>(OtherIds::IDC_RESTORE_BACKUP)->click();
         }},
    };
    for (const auto& step : steps) {
        const std::string before = FolderFiles();
        step.make();
        const std::string after = FolderFiles();
        EXPECT_NE(after, before) << step.label;
        EXPECT_EQ(dlg.Undo().UndoText(), QStringLiteral("元に戻す: ") + QString::fromUtf8(step.label));
        dlg.Undo().OnUndo();
        EXPECT_EQ(FolderFiles(), before) << step.label;
        EXPECT_EQ(dlg.Undo().RedoText(), QStringLiteral("やり直し: ") + QString::fromUtf8(step.label));
        dlg.Undo().OnRedo();
        EXPECT_EQ(FolderFiles(), after) << step.label;
        const std::string data = ReadBytes(In("data.txt"));
        EXPECT_EQ(Control<QTableView>(list, ListIds::IDC_RECORD_LIST)->model()->rowCount(),
                  std::count(data.begin(), data.end(), '\n'))
            << step.label;
    }
    EXPECT_TRUE(std::filesystem::exists(kFolder / "backup" / backup));
    // Nothing of the folder's lands in the current directory, which holds only the CSV file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2);
}

TEST_F(UndoPagesTest, AStepWhoseFileChangedOutsideIsRefusedAndTheMenuNamesTheStep)
{
    CListPage& list = PageOf<CListPage>(dlg);
    Control<QTableView>(list, ListIds::IDC_RECORD_LIST)->selectAll();
    list.OnDelete();
    std::filesystem::remove(In("data.txt"));
    WriteBytes(In("data.txt"), "outside\r\n");
    dlg.Undo().OnUndo();
    EXPECT_NE(seam.messages.back().text.indexOf(QStringLiteral("Velliqa の外で変更")), -1);
    EXPECT_EQ(ReadBytes(In("data.txt")), "outside\r\n");

    QMenu menu;
    dlg.Undo().AddActions(&menu);
    EXPECT_EQ(menu.actions()[0]->text(), QStringLiteral("元に戻す: 削除（3 件）"));
    EXPECT_TRUE(menu.actions()[0]->isEnabled());
    EXPECT_FALSE(menu.actions()[1]->isEnabled());
}
