// The 評価 page's report buttons: PDF に保存... writes the report of the page's period to the
// file the dialog names; レポートを印刷... goes to the printer the print dialog chooses.
#include "evaluation/EvaluationPage.h"
#include "folder/DataFolder.h"
#include "platform/FileDialogSeam.h"
#include "print/ReportPrinter.h"
#include "res/ControlIds.h"
#include "store/DataFiles.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>

namespace {

class FakeFileDialogs final : public IFileDialogSeam
{
public:
    QString OpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return path; }
    QString path;
};

class PdfPrinters final : public IPrinterSeam
{
public:
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget*) override
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    }
    QString path;
};

} // namespace

TEST(EvaluationReportButtons, SaveAndPrintTheReportOfThePagesPeriod)
{
    const ScopedDataDir dir;
    CDataFolder folder;
    folder.Open();
    FakeModalSeam seam;
    FakeFileDialogs files;
    PdfPrinters printers;
    files.path = QString::fromStdString((dir.Path() / "saved.pdf").string());
    printers.path = QString::fromStdString((dir.Path() / "printed.pdf").string());
    CEvaluationPage page(seam, folder);
    page.Create(nullptr);
    page.SetReportSeams(printers, files);
    Control<QComboBox>(page, EvaluationIds::IDC_PERIOD)->setCurrentIndex(2); // 直近 28 日
    page.OnSelchangePeriod();

    auto* save = page.Get<QPushButton>(EvaluationIds::IDC_SAVE_REPORT);
    auto* print = page.Get<QPushButton>(EvaluationIds::IDC_PRINT_REPORT);
    for (QPushButton* button : {save, print}) {
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
        button->click();
    }
    EXPECT_TRUE(seam.messages.empty());
    for (const QString& file : {files.path, printers.path}) {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        pdftotext.waitForFinished(30000);
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        EXPECT_TRUE(text.contains(QStringLiteral("家庭血圧の記録"))) << file.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("（月）")), 4) << "28 days, four Mondays";
    }
}
