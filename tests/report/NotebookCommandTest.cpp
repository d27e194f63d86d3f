// velliqa --report-pdf end to end: the program writes the PDF without a display, pdftotext
// reads its text back; wrong ranges are refused with exit status 2.
#include "platform/Cp932.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/VelliqaProcess.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

QString PdfText(const QString& file)
{
    QProcess pdftotext; // poppler-utils, installed with the build dependencies
    pdftotext.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

class NotebookCommandTest : public ::testing::Test
{
protected:
    NotebookCommandTest()
    {
        const std::string path = dir.Path().string();
        WriteBytes(path + "/setting.txt", Cp932FromUtf8("1000\r\n1\r\n30\r\n0\r\n0\r\n血圧 水野\r\n"));
        WriteBytes(path + "/data.txt", Cp932FromUtf8("2024/3/2 07:05:09,135,85,72,1,1,散歩のあと\r\n"
                                                     "2024/3/1 21:00:00,120,80,60,0,3,\r\n"));
    }
    QString Dir() const { return QString::fromStdString(dir.Path().string()); }
    QString Pdf() const { return QString::fromStdString((dir.Path() / "report.pdf").string()); }

    ScopedDataDir dir;
};

} // namespace

TEST_F(NotebookCommandTest, WritesTheRangeAsASearchablePdf)
{
    const Outcome outcome = Velliqa({QStringLiteral("--report-pdf"), Pdf(), QStringLiteral("--from"),
                                     QStringLiteral("2024-02-26"), QStringLiteral("--to"),
                                     QStringLiteral("2024-03-03"), QStringLiteral("--data-dir"), Dir()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const QString text = PdfText(Pdf());
    for (const char* expected :
         {"家庭血圧の記録", "血圧 水野 様", "2024/2/26 〜 2024/3/3", "作成 ", "2/26（月）", "2/27（火）",
          "2/28（水）", "2/29（木）", "3/1（金）", "3/2（土）", "3/3（日）", "135/85 72", "120/80 60",
          "散歩のあと", "週平均", "1 / 1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(NotebookCommandTest, TheDefaultIsTheLast28Days)
{
    ASSERT_EQ(Velliqa({QStringLiteral("--report-pdf"), Pdf(), QStringLiteral("--data-dir"), Dir()}).status,
              0);
    const QDate today = QDate::currentDate();
    const QString period = QStringLiteral("%1 〜 %2")
                               .arg(today.addDays(-27).toString(QStringLiteral("yyyy/M/d")),
                                    today.toString(QStringLiteral("yyyy/M/d")));
    EXPECT_TRUE(PdfText(Pdf()).contains(period)) << period.toStdString();
}

TEST_F(NotebookCommandTest, RefusesRangesItCannotMake)
{
    const struct
    {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--days"), QStringLiteral("367")}, "at most 366 days"},
        {{QStringLiteral("--from"), QStringLiteral("2023-01-01"), QStringLiteral("--to"),
          QStringLiteral("2024-01-02")},
         "at most 366 days"},
        {{QStringLiteral("--from"), QStringLiteral("2024-03-02"), QStringLiteral("--to"),
          QStringLiteral("2024-03-01")},
         "after the --to date"},
        {{QStringLiteral("--days"), QStringLiteral("7"), QStringLiteral("--to"),
          QStringLiteral("2024-03-01")},
         "--days cannot"},
        {{QStringLiteral("--summary")}, "not several"},
        {{QStringLiteral("--from"), QStringLiteral("9999-01-01")}, "first day is after its last"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Velliqa(QStringList{QStringLiteral("--report-pdf"), Pdf()} + c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.message;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
    }
    EXPECT_FALSE(QFile::exists(Pdf()));
    const Outcome japanese =
        Velliqa({QStringLiteral("--report-pdf"), Pdf(), QStringLiteral("--days"), QStringLiteral("400")},
                QStringLiteral("ja_JP.UTF-8"));
    EXPECT_EQ(japanese.status, 2);
    EXPECT_NE(japanese.err.find("366 日まで"), std::string::npos) << japanese.err;
    EXPECT_EQ(
        Velliqa({QStringLiteral("--report-pdf"), QStringLiteral("/nonexistent-folder/report.pdf")}).status,
        1);
}
