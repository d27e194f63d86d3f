#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "list/RecordDlg.h"
#include "platform/Cp932.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "record/Plausibility.h"
#include "record/RecordLimit.h"
#include "tests/support/Controls.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
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

// Sample records of the last days, newest first: every colour of the pressure cells, a marked
// pulse, several types and Japanese comments. Dated back from today, so that the periods of
// the last days hold them.
void WriteSampleRecords()
{
    const struct
    {
        int daysBack;
        const char* rest;
    } records[] = {
        {0, "07:05:09,118,76,64,0,1,起床後すぐ"},
        {1, "21:30:15,126,83,70,0,3,入浴前"},
        {1, "07:10:00,134,86,72,1,1,少し動悸あり"},
        {2, "12:15:42,145,92,80,0,2,昼食後"},
        {2, "07:02:11,163,101,77,0,1,寝不足"},
        {3, "22:45:00,182,112,88,1,3,頭痛がする"},
        {3, "07:00:30,121,79,66,0,1,"},
        {4, "18:20:05,129,84,69,0,4,散歩のあと"},
        {4, "07:03:44,119,80,63,0,0,"},
        {9, "07:01:12,131,88,71,0,1,薬を飲み忘れた"},
    };
    std::ofstream out("data.txt", std::ios::binary);
    for (const auto& record : records) {
        const QDate day = QDate::currentDate().addDays(-record.daysBack);
        out << day.toString(QStringLiteral("yyyy/M/d ")).toStdString() << Cp932FromUtf8(record.rest)
            << "\r\n";
    }
}

void ShootList(const ShotContext& ctx)
{
    WriteSampleRecords();
    ShotSeam seam(ctx);
    CMainDlg dlg(seam);
    dlg.OnInitDialog();
    dlg.show();
    CListPage& page = PageOf<CListPage>(dlg);
    QTableView* list = Control<QTableView>(page, ListIds::IDC_RECORD_LIST);
    list->selectionModel()->select(list->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::processEvents();
    ctx.Save(dlg, QStringLiteral("list-page"));

    Control<QComboBox>(page, ListIds::IDC_AVERAGE_TYPE)->setCurrentIndex(1);
    page.OnSelchangeAverageType();
    Control<QComboBox>(page, ListIds::IDC_PERIOD)->setCurrentIndex(1);
    page.OnSelchangePeriod();
    QApplication::processEvents();
    ctx.Save(page, QStringLiteral("list-page-morning-last-7-days"));

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
