// The 評価 page's report buttons: a file dialog then the PDF, or the print dialog then the
// printer; cancelling does nothing, and a period longer than a report covers is refused.
#include "report/NotebookJob.h"
#include "print/ReportPrinter.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include "platform/FileDialogSeam.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>

namespace {

using namespace std::chrono;

class FakeFileDialogs final : public IFileDialogSeam
{
public:
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return path; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        ++asked;
        return path;
    }
    QString path;
    int asked = 0;
};

class PdfPrinters final : public IPrinterSeam
{
public:
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget*) override
    {
        if (path.isEmpty())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    }
    QString path;
};

NotebookRequest Request(int days)
{
    const CalendarDay last{year{2024}, March, day{3}};
    const CalendarDay first{sys_days{last} - std::chrono::days{days - 1}};
    return NotebookRequestOf(BetweenDays(first, last), ChartDays{first, last}, last);
}

} // namespace

TEST(NotebookJob, SavesAndPrintsThePeriodOrNothingWhenCancelled)
{
    const ScopedDataDir dir;
    const std::string folder = dir.Path().string();
    WriteBytes(folder + "/data.txt", "2024/3/2 07:05:09,135,85,72,1,1,\r\n");
    const QString pdf = QString::fromStdString((dir.Path() / "report.pdf").string());
    FakeModalSeam seam;
    FakeFileDialogs files;
    PdfPrinters printers;

    SaveNotebookPdfAs(nullptr, seam, files, folder, Request(28));
    PrintNotebookOfPeriod(nullptr, seam, printers, folder, Request(28));
    EXPECT_EQ(files.asked, 1);
    EXPECT_FALSE(QFile::exists(pdf));

    files.path = pdf;
    SaveNotebookPdfAs(nullptr, seam, files, folder, Request(28));
    EXPECT_GT(QFile(pdf).size(), 0);
    QFile::remove(pdf);
    printers.path = pdf;
    PrintNotebookOfPeriod(nullptr, seam, printers, folder, Request(366));
    EXPECT_GT(QFile(pdf).size(), 0);
    EXPECT_TRUE(seam.messages.empty());

    files.path = QStringLiteral("/nonexistent-folder/report.pdf");
    SaveNotebookPdfAs(nullptr, seam, files, folder, Request(7));
    ASSERT_EQ(seam.messages.size(), 1U);
    EXPECT_TRUE(seam.messages[0].text.contains(files.path));
}

TEST(NotebookJob, ALongerPeriodIsRefusedBeforeAnyDialog)
{
    const std::string folder = "/nonexistent-folder";
    FakeModalSeam seam;
    FakeFileDialogs files;
    PdfPrinters printers;
    SaveNotebookPdfAs(nullptr, seam, files, folder, Request(367));
    PrintNotebookOfPeriod(nullptr, seam, printers, folder, Request(367));
    EXPECT_EQ(files.asked, 0);
    ASSERT_EQ(seam.messages.size(), 2U);
    EXPECT_TRUE(seam.messages[0].text.contains(QStringLiteral("366 日まで")));
}
