// The printed report over sample data, as a PDF and as a PNG of its page; and a print range
// longer than one A4 page, as a PDF and a PNG of each of its two pages.
#include "tools/screenshots/Shots.h"

#include "platform/Cp932.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "print/ReportPrinter.h"
#include "record/RecordLine.h"
#include "store/TextFile.h"

#include <QDate>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A PDF printer writing to a fixed file, in place of the print dialog.
class CPdfPrinterSeam final : public IPrinterSeam
{
public:
    explicit CPdfPrinterSeam(QString path) : m_path(std::move(path)) {}
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget*) override
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_path);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return printer;
    }

private:
    QString m_path;
};

// Nobody answers dialogs here: messages go to the terminal.
class CConsoleModalSeam final : public IModalSeam
{
public:
    int RunDialog(QDialog&) override { return IDCANCEL; }
    int MessageBox(QWidget*, const QString& text, const QString&, unsigned) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return IDOK;
    }
};

void WriteLines(const char* name, const std::vector<std::string>& cp932Lines)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    for (const std::string& line : cp932Lines)
        out << line << "\r\n";
}

void WriteSampleData()
{
    WriteLines("item.txt", {Cp932FromUtf8("[指定なし]"), Cp932FromUtf8("朝"), Cp932FromUtf8("昼"),
                            Cp932FromUtf8("晩"), Cp932FromUtf8("その他")});
    WriteLines("setting.txt", {"1000", "1", "30", "0", "0", Cp932FromUtf8("山田 花子")});
    struct Sample
    {
        const char* date;
        unsigned max, min, pulse;
        int ihb, type;
        const char* comment;
    };
    const Sample samples[] = {
        {"2024/5/12 07:02:11", 128, 82, 68, 0, 1, "起床後"},
        {"2024/5/11 21:40:05", 135, 88, 74, 0, 3, "入浴後"},
        {"2024/5/11 12:15:30", 124, 79, 80, 1, 2, "昼食前"},
        {"2024/5/11 07:05:09", 131, 85, 66, 0, 1, ""},
        {"2024/5/10 22:01:00", 142, 91, 77, 0, 3, "少し頭痛"},
        {"2024/5/10 06:58:42", 126, 80, 64, 0, 1, "散歩のあと"},
        {"2024/5/9 18:30:00", 119, 76, 72, 0, 4, "通院日"},
        {"2024/5/9 07:10:15", 133, 86, 69, 1, 1, "薬を飲み忘れ"},
        {"2024/5/8 21:15:48", 138, 89, 75, 0, 3, ""},
        {"2024/5/8 07:00:00", 127, 81, 65, 0, 0, "測定のみ"},
    };
    std::vector<std::string> records;
    for (const Sample& s : samples)
        records.push_back(
            FormatRecordLine({s.date, s.max, s.min, s.pulse, s.ihb, s.type, Cp932FromUtf8(s.comment)}));
    WriteLines("data.txt", records);
}

// A morning and an evening reading a day, going back from 2024/5/31, `count` in all.
void WriteLongSampleData(int count)
{
    std::vector<std::string> records;
    for (int i = 0; i < count; ++i) {
        const QDate day = QDate(2024, 5, 31).addDays(-i / 2);
        const bool evening = i % 2 == 0;
        const std::string date = QStringLiteral("%1/%2/%3 %4")
                                     .arg(day.year())
                                     .arg(day.month())
                                     .arg(day.day())
                                     .arg(evening ? QStringLiteral("21:10:00") : QStringLiteral("07:05:00"))
                                     .toStdString();
        records.push_back(FormatRecordLine({date, static_cast<unsigned>(118 + (i * 7) % 27),
                                            static_cast<unsigned>(74 + (i * 5) % 17),
                                            static_cast<unsigned>(60 + (i * 3) % 19), i % 11 == 5 ? 1 : 0,
                                            evening ? 3 : 1, i % 6 == 0 ? Cp932FromUtf8("散歩のあと") : ""}));
    }
    WriteLines("data.txt", records);
    WriteLines("setting.txt", {"1000", "1", std::to_string(count), "0", "0", Cp932FromUtf8("山田 花子")});
}

// The pages of the PDF as PNG files (pngBase.png for one page, pngBase-N.png for each of
// several), when poppler's pdftoppm is at hand.
void ConvertToPng(const QString& pdf, const QString& pngBase, bool onePage)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return;
    QStringList arguments{QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60")};
    if (onePage)
        arguments << QStringLiteral("-singlefile");
    QProcess::execute(tool, arguments << pdf << pngBase);
}

void PrintTo(const QString& pdf)
{
    CTextFile dataFile;
    dataFile.SetPath("data.txt");
    dataFile.Reload();
    CPdfPrinterSeam printers(pdf);
    CConsoleModalSeam seam;
    PrintReport(nullptr, seam, printers, dataFile, ".");
}

} // namespace

void ShootPrint(const ShotContext& ctx)
{
    WriteSampleData();
    PrintTo(ctx.outDir + QStringLiteral("/report.pdf"));
    ConvertToPng(ctx.outDir + QStringLiteral("/report.pdf"), ctx.outDir + QStringLiteral("/report"), true);

    // A dozen rows more than an A4 page holds: the second page has them and the averages.
    WriteLongSampleData(ReportRowsPerA4Page() + 12);
    PrintTo(ctx.outDir + QStringLiteral("/report-two-pages.pdf"));
    ConvertToPng(ctx.outDir + QStringLiteral("/report-two-pages.pdf"),
                 ctx.outDir + QStringLiteral("/report-two-pages"), false);
}
