// The report for the doctor over five weeks of sample data, from a Wednesday: as a PDF and as
// PNGs of its first and second pages. A long name, three-digit values in every cell, a day
// with many comments and readings beyond the morning and evening ones.
#include "tools/screenshots/Shots.h"

#include "platform/Cp932.h"
#include "record/RecordLine.h"
#include "report/NotebookJob.h"

#include <QProcess>
#include <QStandardPaths>

#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono;

void WriteLines(const char* name, const std::vector<std::string>& cp932Lines)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    for (const std::string& line : cp932Lines)
        out << line << "\r\n";
}

std::string DateTime(sys_days day, int hour, int minute)
{
    const CalendarDay d{day};
    char text[32];
    std::snprintf(text, sizeof text, "%d/%u/%u %02d:%02d:00", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()), hour, minute);
    return text;
}

void WriteSampleData(CalendarDay first, int days)
{
    WriteLines("item.txt", {Cp932FromUtf8("[指定なし]"), Cp932FromUtf8("朝"), Cp932FromUtf8("昼"),
                            Cp932FromUtf8("晩"), Cp932FromUtf8("その他")});
    WriteLines("setting.txt",
               {"1000", "1", "30", "0", "0",
                Cp932FromUtf8("山田 花子（やまだ はなこ）　東京都世田谷区在住　かかりつけ内科 受診用")});
    std::vector<std::string> records; // oldest first here, stored newest first
    const auto add = [&](sys_days day, int hour, int minute, unsigned max, unsigned min, unsigned pulse,
                         int ihb, int type, const char* comment) {
        records.push_back(FormatRecordLine(
            {DateTime(day, hour, minute), max, min, pulse, ihb, type, Cp932FromUtf8(comment)}));
    };
    for (int d = 0; d < days; ++d) {
        if (d % 9 == 4)
            continue; // a day without readings
        const sys_days day = sys_days{first} + std::chrono::days{d};
        // The third day's readings have three digits everywhere, the widest a cell shows.
        const unsigned wave = d == 2 ? 60 : static_cast<unsigned>(d % 7) * 3;
        add(day, 6, 45, 128 + wave, 82 + wave / 2, 64 + wave, 0, 1, d % 5 == 0 ? "起床後" : "");
        add(day, 6, 50, 125 + wave, 80 + wave / 2, 62 + wave, 0, 1, "");
        add(day, 21, 30, 121 + wave, 77 + wave / 2, 70 + wave / 2, d % 11 == 3, 3,
            d % 6 == 2 ? "入浴後" : "");
        add(day, 21, 36, 118 + wave, 75 + wave / 2, 68 + wave / 2, 0, 3, "");
    }
    const sys_days busy = sys_days{first} + std::chrono::days{2};
    add(busy, 7, 20, 188, 112, 104, 1, 1, "三回目");
    add(busy, 12, 10, 176, 108, 101, 1, 2, "昼食後に動悸");
    add(busy, 15, 0, 199, 119, 118, 0, 4, "頭痛がしたので横になった");
    add(busy, 22, 5, 181, 110, 109, 0, 3, "薬を飲み忘れたことに気づいて飲んだ。明日は受診日");
    WriteLines("data.txt", {records.rbegin(), records.rend()});
}

} // namespace

void ShootReport(const ShotContext& ctx)
{
    const CalendarDay first{year{2024}, April, day{10}}; // a Wednesday
    constexpr int kDays = 35;
    WriteSampleData(first, kDays);
    const CalendarDay last{sys_days{first} + days{kDays - 1}};
    const QString pdf = ctx.outDir + QStringLiteral("/doctor-report.pdf");
    if (!SaveNotebookPdf(pdf, ReadNotebookSource(".", NotebookRequestOf(first, last, last)))) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(pdf));
        return;
    }
    // Pages 1 and 2 at 100 dots per inch, as doctor-report-1.png and doctor-report-2.png.
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (!tool.isEmpty())
        QProcess::execute(tool, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
                                 QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                 QStringLiteral("2"), pdf, ctx.outDir + QStringLiteral("/doctor-report")});
}
