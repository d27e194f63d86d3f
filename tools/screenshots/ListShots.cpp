#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "list/Plausibility.h"
#include "list/RecordDlg.h"
#include "list/RecordLimit.h"
#include "platform/Cp932.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QItemSelectionModel>
#include <QTableView>

#include <cerrno>
#include <fstream>
#include <string>

namespace {

// Runs no dialog: draws each one as it would open, under the name queued for it, and cancels.
class ShotSeam : public IModalSeam
{
public:
    explicit ShotSeam(const ShotContext& ctx) : m_ctx(ctx) {}
    QString nextName;

    int RunDialog(QDialog& dialog) override
    {
        dialog.show();
        QApplication::processEvents();
        m_ctx.Save(dialog, nextName);
        dialog.hide();
        return IDCANCEL;
    }
    int MessageBox(QWidget*, const QString&, const QString&, unsigned) override { return IDNO; }

private:
    const ShotContext& m_ctx;
};

} // namespace

// Sample records, newest first: every colour of the pressure cells, a marked pulse, several
// types and Japanese comments.
void WriteSampleRecords()
{
    const char* lines[] = {
        "2024/5/12 07:05:09,118,76,64,0,1,起床後すぐ",
        "2024/5/11 21:30:15,126,83,70,0,3,入浴前",
        "2024/5/11 07:10:00,134,86,72,1,1,少し動悸あり",
        "2024/5/10 12:15:42,145,92,80,0,2,昼食後",
        "2024/5/10 07:02:11,163,101,77,0,1,寝不足",
        "2024/5/9 22:45:00,182,112,88,1,3,頭痛がする",
        "2024/5/9 07:00:30,121,79,66,0,1,",
        "2024/5/8 18:20:05,129,84,69,0,4,散歩のあと",
        "2024/5/8 07:03:44,119,80,63,0,0,",
        "2024/5/7 07:01:12,131,88,71,0,1,薬を飲み忘れた",
    };
    std::ofstream out("data.txt", std::ios::binary);
    for (const char* line : lines)
        out << Cp932FromUtf8(line) << "\r\n";
}

void ShootList(const ShotContext& ctx)
{
    WriteSampleRecords();
    ShotSeam seam(ctx);
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    dlg.show();
    CListPage& page = dlg.m_listPage;
    QTableView* list = page.m_listRecords;
    list->selectionModel()->select(list->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::processEvents();
    ctx.Save(dlg, QStringLiteral("list-page"));

    page.m_comboAverageType->setCurrentIndex(1);
    page.OnSelchangeAverageType();
    QApplication::processEvents();
    ctx.Save(page, QStringLiteral("list-page-morning-averages"));

    seam.nextName = QStringLiteral("record-dialog-new");
    page.OnAddRecord();
    seam.nextName = QStringLiteral("record-dialog-correction");
    page.ModifyRecord(2);

    // The questions before a record is stored.
    const auto implausible = ImplausibleValueQuestions(400, 80, 70);
    ctx.SaveMessageBox(QStringLiteral("ask-implausible-value"), QString::fromStdString(implausible[0].text),
                       MB_YESNO | MB_ICONQUESTION);
    ctx.SaveMessageBox(QStringLiteral("ask-implausible-order"),
                       QString::fromStdString(ImplausibleValueQuestions(80, 80, 70)[0].text),
                       MB_YESNO | MB_ICONQUESTION);
    // The record limit: before an addition deletes several records, once the log is full, and
    // after the limit was set below the stored records.
    ctx.SaveMessageBox(QStringLiteral("ask-limit-deletes-records"),
                       QString::fromStdString(DropQuestionText(19001, 1000)), MB_YESNO | MB_ICONQUESTION);
    ctx.SaveMessageBox(QStringLiteral("notice-log-full"), QString::fromStdString(LogFullNoticeText(1000)),
                       MB_OK | MB_ICONINFORMATION, DoNotShowAgainText());
    ctx.SaveMessageBox(QStringLiteral("notice-limit-below-stored"),
                       QString::fromStdString(LimitBelowStoredText(20000, 1000)), MB_OK | MB_ICONEXCLAMATION);
    ctx.SaveMessageBox(QStringLiteral("notice-unwritable-data"),
                       CListPage::UnwritableDataMessage({{"item.txt", EEXIST}, {"data.txt", EACCES}}),
                       MB_OK | MB_ICONEXCLAMATION);
}
