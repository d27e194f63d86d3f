// The printed report over sample data, as a PDF and as a PNG of its page.
#include "tools/screenshots/Shots.h"

#include "platform/Cp932.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "print/ReportPrinter.h"
#include "store/RecordLine.h"
#include "store/TextFile.h"

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

// The page of the PDF as a PNG, when poppler's pdftoppm is at hand.
void ConvertToPng(const QString& pdf, const QString& pngBase)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return;
    QProcess::execute(tool, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                             QStringLiteral("-singlefile"), pdf, pngBase});
}

} // namespace

void ShootPrint(const ShotContext& ctx)
{
    WriteSampleData();
    CTextFile dataFile(nullptr, true);
    dataFile.SetPath("data.txt");
    dataFile.Reload();
    const QString pdf = ctx.outDir + QStringLiteral("/report.pdf");
    CPdfPrinterSeam printers(pdf);
    CConsoleModalSeam seam;
    PrintReport(nullptr, seam, printers, dataFile);
    ConvertToPng(pdf, ctx.outDir + QStringLiteral("/report"));
}
