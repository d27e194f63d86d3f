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

struct ProgramRun
{
    int exitCode = -1;
    std::string out;
    QString err;
};

// Runs the program built beside the tests, with a window system that does not exist: any
// attempt to open a window would end the run with a failure.
ProgramRun Velliqa(const QStringList& arguments, const QString& locale = QStringLiteral("C"))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-window-system"));
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../../velliqa"), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    const QByteArray out = process.readAllStandardOutput();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, out.toStdString(),
            QString::fromUtf8(process.readAllStandardError())};
}

std::string Day(int daysBack)
{
    const QDate d = QDate::currentDate().addDays(-daysBack);
    return std::to_string(d.year()) + "/" + std::to_string(d.month()) + "/" + std::to_string(d.day());
}

const std::string kHeader = "種類\t件数\t最高血圧の平均\t最低血圧の平均\t脈拍数の平均\t"
                            "最高血圧の最高値\t最高血圧の最低値\t最低血圧の最高値\t最低血圧の最低値\n";

} // namespace

TEST(CommandLine, SummaryPrintsTheTableOfThePeriodWithoutAWindow)
{
    ScopedDataDir dir;
    WriteBytes("item.txt", Cp932FromUtf8("[指定なし]\r\n朝\r\n晩\r\n"));
    WriteBytes("data.txt", Day(0) + " 07:00:00,130,80,60,0,1,\r\n" + Day(6) + " 21:00:00,121,71,61,0,2,\r\n" +
                               Day(7) + " 07:00:00,200,100,90,0,1,\r\n2024/1/2 07:00:00,110,70,50,0,1,\r\n");
    const struct
    {
        QStringList arguments;
        std::string out;
    } cases[] = {
        {{"--summary", "--days", "7"},
         kHeader + "朝\t1\t130\t80\t60\t130\t130\t80\t80\n晩\t1\t121\t71\t61\t121\t121\t71\t71\n"
                   "全測定結果\t2\t125\t75\t60\t130\t121\t80\t71\n"},
        {{"--summary", "--from", "2024-01-02", "--to", "2024-01-02"},
         kHeader + "朝\t1\t110\t70\t50\t110\t110\t70\t70\n全測定結果\t1\t110\t70\t50\t110\t110\t70\t70\n"},
        {{"--summary", "--to", "2000-01-01"}, kHeader + "全測定結果\t0\t0\t0\t0\t\t\t\t\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Velliqa(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(' ').toStdString() << run.err.toStdString();
        EXPECT_EQ(run.out, c.out) << c.arguments.join(' ').toStdString();
    }

    ScopedDataDir empty;
    const ProgramRun none = Velliqa({"--summary"});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, kHeader);
    EXPECT_TRUE(std::filesystem::is_empty(empty.Path())) << "a summary creates no file";
    const ProgramRun elsewhere =
        Velliqa({"--data-dir", QString::fromStdString(dir.Path().string()), "--summary", "--days", "1"});
    EXPECT_EQ(elsewhere.out, kHeader + "朝\t1\t130\t80\t60\t130\t130\t80\t80\n"
                                       "全測定結果\t1\t130\t80\t60\t130\t130\t80\t80\n");
}

TEST(CommandLine, RefusalsGoToStandardErrorInTheUsersLanguage)
{
    ScopedDataDir dir;
    const struct
    {
        QStringList arguments;
        QString locale;
        int exitCode;
        QString message;
    } cases[] = {
        {{"--summary", "--days", "7", "--from", "2024-01-01"}, "C", 2, "cannot be given together"},
        {{"--summary", "--days", "7", "--to", "2024-01-01"}, "ja_JP.UTF-8", 2, "一緒には指定できません"},
        {{"--summary", "--days", "0"}, "C", 2, "--days"},
        {{"--summary", "--from", "2024-02-30"}, "C", 2, "YYYY-MM-DD"},
        {{"--summary", "--from", "2024-02-02", "--to", "2024-02-01"}, "C", 2, "after"},
        {{"--days", "7"}, "C", 2, "--summary"},
        {{"--no-such-option"}, "C", 2, "no-such-option"},
        {{"--data-dir", "/nonexistent/velliqa", "--summary"}, "C", 1, "/nonexistent/velliqa"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Velliqa(c.arguments, c.locale);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.empty());
    }
    const ProgramRun version = Velliqa({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "velliqa 1.0.0\n");
    const ProgramRun help = Velliqa({"--help"});
    EXPECT_NE(help.out.find("--summary"), std::string::npos);
}
