// The print job: the report goes onto one page of the chosen printer, a PDF file here, with
// the settings read afresh; cancelling is silent and a job that cannot start is reported.
#include "print/ReportPrinter.h"
#include "platform/Cp932.h"
#include "print/PrintDialogSeam.h"
#include "store/TextFile.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>

#include <algorithm>

namespace {

// A PDF printer writing to the given file, or none, as a cancelled dialog gives.
class PdfPrinterSeam : public IPrinterSeam
{
public:
    explicit PdfPrinterSeam(std::string path) : m_path(QString::fromStdString(path)) {}
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget*) override
    {
        if (m_path.isEmpty())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_path);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return printer;
    }

private:
    QString m_path;
};

void WriteLines(const std::string& name, const std::vector<std::string>& utf8Lines)
{
    std::string bytes;
    for (const std::string& line : utf8Lines)
        bytes += Cp932FromUtf8(line) + "\r\n";
    WriteBytes(name, bytes);
}

class ReportPrinterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteLines("item.txt", {"[指定なし]", "朝", "昼", "晩", "その他"});
        WriteLines("setting.txt", {"1000", "1", "3", "0", "0", "山田花子"});
        WriteLines("data.txt",
                   {"2024/5/3 07:05:09,120,80,71,1,1,散歩のあと", "2024/5/2 21:00:00,135,85,60,0,3,",
                    "2024/5/1 08:10:00,128,79,90,0,1,薬", "2024/4/30 08:00:00,200,100,99,0,0,"});
        dataFile.SetPath("data.txt");
        dataFile.Reload();
    }

    QString PrintAndReadBack()
    {
        PrintReport(nullptr, seam, printers, dataFile, ".");
        QProcess pdftotext; // poppler-utils, installed with the build dependencies
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-layout"), QStringLiteral("report.pdf"), "-"});
        pdftotext.waitForFinished(30000);
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }

    ScopedDataDir dir;
    FakeModalSeam seam;
    CTextFile dataFile;
    PdfPrinterSeam printers{(dir.Path() / "report.pdf").string()};
};

} // namespace

TEST_F(ReportPrinterTest, PrintsOnePageWithItsLinesInOrderAndTheSettingsReadAfresh)
{
    QString text = PrintAndReadBack();
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1) << "one page";
    qsizetype at = 0;
    for (const char* fragment :
         {"山田花子 様 測定結果", "時刻", "最大血圧", "最低血圧", "脈拍", "2024/5/3 07:05:09", "71(*)",
          "散歩のあと", "2024/5/2 21:00:00", "2024/5/1 08:10:00", "薬", "全測定結果の平均", "127 mmHg",
          "135 - 120", "朝の平均", "晩の平均"}) {
        at = text.indexOf(QString::fromUtf8(fragment), at);
        ASSERT_GE(at, 0) << "missing or out of order: " << fragment << "\n" << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("2024/4/30"))) << "outside the print range";

    WriteLines("setting.txt", {"1000", "2", "2", "0", "0", "鈴木"});
    text = PrintAndReadBack();
    EXPECT_TRUE(text.contains(QStringLiteral("鈴木 様 測定結果")));
    EXPECT_TRUE(text.contains(QStringLiteral("2024/5/2 21:00:00")));
    EXPECT_FALSE(text.contains(QStringLiteral("2024/5/3")));
}

TEST_F(ReportPrinterTest, CancellingIsSilentAndAJobThatCannotStartIsReported)
{
    PdfPrinterSeam cancelled("");
    PrintReport(nullptr, seam, cancelled, dataFile, ".");
    EXPECT_TRUE(seam.messages.empty());

    PdfPrinterSeam nowhere((dir.Path() / "missing" / "report.pdf").string());
    PrintReport(nullptr, seam, nowhere, dataFile, ".");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].text.contains(QStringLiteral("印刷を開始できませんでした。")));
    EXPECT_TRUE(seam.messages[0].text.contains(QStringLiteral("missing/report.pdf")));
}

TEST_F(ReportPrinterTest, TextsSitBelowTheirPositionsInAFontThatLinesUpTheColumns)
{
    QImage page(1600, 1200, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PaintReport(painter, dataFile, ".");
    const QFontMetrics metrics = painter.fontMetrics();
    painter.end();
    const int h = metrics.size(Qt::TextSingleLine, QStringLiteral("Orvanta")).height();
    int top = 0; // the first row holding ink belongs to the header, whose text starts at h + 1
    for (; top < page.height(); ++top) {
        const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(top));
        if (std::any_of(row, row + page.width(), [](QRgb p) { return p != qRgb(255, 255, 255); }))
            break;
    }
    EXPECT_GE(top, h + 1);
    EXPECT_LT(top, 2 * h + 1);
    // Rows are padded by counting bytes: the 31 bytes up to the end of "最大血圧" must be as wide
    // as the date-time and maximum columns.
    EXPECT_NEAR(metrics.horizontalAdvance(QStringLiteral("        時刻           最大血圧")),
                metrics.horizontalAdvance(QStringLiteral("   2024/5/3 07:05:09        135")), 2);
}

TEST(PrintDialogSeam, OffersTheWholeReportAndPrintingToAFile)
{
    FakeModalSeam modal;
    CPrintDialogSeam printers(modal);
    QAbstractPrintDialog::PrintDialogOptions options;
    modal.QueueDialog([&](QDialog& dialog) {
        options = dynamic_cast<QPrintDialog&>(dialog).options();
        return IDCANCEL;
    });
    EXPECT_EQ(printers.ChoosePrinter(nullptr), nullptr);
    EXPECT_EQ(options & (QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintSelection |
                         QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintToFile),
              QAbstractPrintDialog::PrintToFile);
    modal.QueueDialog([](QDialog&) { return IDOK; });
    EXPECT_NE(printers.ChoosePrinter(nullptr), nullptr);
}

TEST_F(ReportPrinterTest, ARangeLongerThanAPageGoesOnOverPagesWithEveryRowAndTheAverages)
{
    std::vector<std::string> records;
    for (int n = 1; n <= 120; ++n)
        records.push_back(QStringLiteral("2024/1/%1 08:00:00,120,80,70,0,1,").arg(n).toStdString());
    WriteLines("data.txt", records);
    WriteLines("setting.txt", {"1000", "1", "120", "0", "0", "山田花子"});
    dataFile.Reload();
    const QString text = PrintAndReadBack();
    EXPECT_TRUE(seam.messages.empty());
    const qsizetype pages = text.count(QLatin1Char('\f'));
    EXPECT_GE(pages, 2);
    EXPECT_EQ(text.count(QStringLiteral("山田花子 様 測定結果")), pages);
    EXPECT_EQ(text.count(QStringLiteral("最低血圧")), pages + 2); // column headers, two average lines
    for (int n = 1; n <= 120; ++n)
        EXPECT_TRUE(text.contains(QStringLiteral("2024/1/%1 08:00:00").arg(n))) << n;
    // The first A4 page holds the number of rows the settings page names.
    const int perPage = ReportRowsPerA4Page();
    const QString firstPage = text.section(QLatin1Char('\f'), 0, 0);
    EXPECT_TRUE(firstPage.contains(QStringLiteral("2024/1/%1 08:00:00").arg(perPage))) << perPage;
    EXPECT_FALSE(firstPage.contains(QStringLiteral("2024/1/%1 08:00:00").arg(perPage + 1))) << perPage;
    const QString lastPage = text.section(QLatin1Char('\f'), pages - 1, pages - 1);
    EXPECT_TRUE(lastPage.contains(QStringLiteral("全測定結果の平均")) &&
                lastPage.contains(QStringLiteral("朝の平均")));
}
