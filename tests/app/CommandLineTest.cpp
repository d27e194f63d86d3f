// The command line of the built program, run in a data folder without any window system: the
// summary table over a period, and the messages for what it refuses.
#include "platform/Cp932.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QProcess>

#include <filesystem>

namespace {

const std::string kHeader = "種類\t件数\t最高血圧の平均\t最低血圧の平均\t脈拍数の平均\t"
                            "最高血圧の最高値\t最高血圧の最低値\t最低血圧の最高値\t最低血圧の最低値\n";

std::string Day(int daysBack)
{
    return QDate::currentDate().addDays(-daysBack).toString(QStringLiteral("yyyy/M/d")).toStdString();
}

} // namespace

TEST(CommandLine, SummaryAndRefusalsWithoutAWindow)
{
    ScopedDataDir dir;
    WriteBytes("item.txt", Cp932FromUtf8("[指定なし]\r\n朝\r\n晩\r\n"));
    WriteBytes("data.txt", Day(0) + " 07:00:00,130,80,60,0,1,\r\n" + Day(6) + " 21:00:00,121,71,61,0,2,\r\n" +
                               Day(7) + " 07:00:00,200,100,90,0,1,\r\n2024/1/2 07:00:00,110,70,50,0,1,\r\n");
    ScopedDataDir empty; // the current folder; the records are reached through --data-dir
    const QString data = QStringLiteral("--data-dir=") + QString::fromStdString(dir.Path().string());
    const std::string jan2 =
        "朝\t1\t110\t70\t50\t110\t110\t70\t70\n全測定結果\t1\t110\t70\t50\t110\t110\t70\t70\n";
    const struct
    {
        QStringList arguments;
        const char* locale;
        int exitCode;
        std::string out;
        QString err;
    } cases[] = {
        {{data, "--summary", "--days", "7"},
         "C",
         0,
         kHeader + "朝\t1\t130\t80\t60\t130\t130\t80\t80\n晩\t1\t121\t71\t61\t121\t121\t71\t71\n"
                   "全測定結果\t2\t125\t75\t60\t130\t121\t80\t71\n",
         ""},
        {{data, "--summary", "--from", "2024-01-02", "--to", "2024-01-02"}, "C", 0, kHeader + jan2, ""},
        {{data, "--summary", "--to", "2000-01-01"}, "C", 0, kHeader + "全測定結果\t0\t0\t0\t0\t\t\t\t\n", ""},
        {{"--summary"}, "C", 0, kHeader, ""}, // no records: the header alone
        {{"--version"}, "C", 0, "velliqa 1.0.0\n", ""},
        {{"--summary", "--days", "7", "--from", "2024-01-01"}, "C", 2, "", "cannot be given together"},
        {{"--summary", "--days", "7", "--to", "2024-01-01"}, "ja_JP.UTF-8", 2, "", "一緒には指定できません"},
        {{"--summary", "--days", "0"}, "C", 2, "", "--days"},
        {{"--summary", "--from", "2024-02-30"}, "C", 2, "", "YYYY-MM-DD"},
        {{"--summary", "--from", "2024-02-02", "--to", "2024-02-01"}, "C", 2, "", "after"},
        {{"--days", "7"}, "C", 2, "", "--summary"},
        {{"--no-such-option"}, "C", 2, "", "no-such-option"},
        {{"--data-dir", "/nonexistent/velliqa", "--summary"}, "C", 1, "", "/nonexistent/velliqa"},
    };
    for (const auto& c : cases) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // A window system that does not exist: opening any window would end the run in failure.
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-window-system"));
        env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(c.locale));
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../../velliqa"), c.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, c.exitCode) << what;
        EXPECT_EQ(process.readAllStandardOutput().toStdString(), c.out) << what;
        EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains(c.err)) << what;
    }
    EXPECT_TRUE(std::filesystem::is_empty(empty.Path())) << "a summary creates no file";
}
