// The notebook as a PDF: real text that pdftotext gives back, in the embedded IPAGothic.
#include "report/NotebookPrinter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QRect>

namespace {

using namespace std::chrono;

QString Output(const QString& program, const QStringList& arguments)
{
    QProcess process; // poppler-utils, installed with the build dependencies
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST(NotebookPdf, HoldsSearchableTextInTheEmbeddedFont)
{
    const ScopedDataDir dir;
    NotebookContent content;
    content.name = "血圧 水野";
    content.first = CalendarDay{year{2026}, November, day{12}};
    content.last = CalendarDay{year{2026}, December, day{9}};
    content.made = content.last;
    content.evaluation = {{"区分", "日数", "最高血圧", "最低血圧", "脈拍", "分類"}};
    for (sys_days d{content.first}; d <= sys_days{content.last}; d += days{1})
        content.days.push_back(NotebookDay{CalendarDay{d}, {}, false, {}, {}});
    content.days[0].cells[kMorning1] = NotebookReading{7, 0, 128, 80, 70};
    content.days[0].comments = {"水分をとった"};
    content.weeks.resize(4);
    bool chartDrawn = false;
    const QString file = QString::fromStdString((dir.Path() / "notebook.pdf").string());
    ASSERT_TRUE(WriteNotebookPdf(file, content, [&](QPainter& painter, const QRect& area) {
        chartDrawn = area.width() > 0 && area.height() > 0;
        painter.drawRect(area);
    }));
    EXPECT_TRUE(chartDrawn);

    const QString text = Output(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    for (const char* expected : {"家庭血圧の記録", "血圧 水野 様", "2026/11/12 〜 2026/12/9",
                                 "作成 2026/12/9", "128/80 70", "水分をとった", "1 / 1", "最高血圧"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    for (const char* weekday : {"（日）", "（月）", "（火）", "（水）", "（木）", "（金）", "（土）"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(weekday))) << weekday;
    const QString fonts = Output(QStringLiteral("pdffonts"), {file});
    EXPECT_TRUE(fonts.contains(QStringLiteral("IPAGothic"))) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains(QStringLiteral("Noto"))) << fonts.toStdString();
}

TEST(NotebookPdf, AFileThatCannotBeWrittenFails)
{
    EXPECT_FALSE(WriteNotebookPdf(QStringLiteral("/nonexistent-folder/notebook.pdf"), NotebookContent{}, {}));
}
