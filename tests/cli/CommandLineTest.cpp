// The command line as a user runs it: the program itself, started without a display, in a data
// folder of its own, with the exit status, the output and the files it leaves.
#include "platform/Cp932.h"
#include "platform/InstanceLock.h"
#include "record/RecordLine.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/TimeZone.h"
#include "support/VelliqaProcess.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Lines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

const std::string kData =
    Lines({"2024/3/2 07:05:09,135,85,72,1,1,after a walk", "2024/3/1 21:00:00,120,80,60,0,3,",
           "2024/3/1 21:00:00,121,80,60,0,4,same time", "2023/12/31 23:59:59,110,70,0,0,0,"});

// All bytes of every file in the folder, to prove that nothing changed.
std::string FolderBytes(const fs::path& folder)
{
    std::string all;
    for (const auto& entry : fs::directory_iterator(folder))
        all += entry.path().filename().string() + ":" + ReadBytes(entry.path().string()) + "\n";
    return all;
}

class CommandLineTest : public ::testing::Test
{
protected:
    QString Dir() const { return QString::fromStdString(dir.Path().string()); }
    QString File(const char* name) const { return QString::fromStdString((dir.Path() / name).string()); }
    std::string Bytes(const char* name) const { return ReadBytes((dir.Path() / name).string()); }
    void Write(const char* name, const std::string& bytes) const
    {
        WriteBytes((dir.Path() / name).string(), bytes);
    }
    fs::path Folder(const char* name) const
    {
        fs::create_directory(dir.Path() / name);
        return dir.Path() / name;
    }

    ScopedDataDir dir;
};

} // namespace

TEST_F(CommandLineTest, HelpAndVersionPrintAndEndWithoutAWindowAndHelpNamesEveryOption)
{
    const Outcome help = Velliqa({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--help", "--version", "--data-dir", "--export-csv", "--from", "--to",
                               "--summary", "--days", "--import-csv", "--raise-limit", "--date-order",
                               "--evaluate", "--include-archive", "--list-backups", "--restore-backup"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    const Outcome version = Velliqa({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Velliqa 1.1.0\n");
    EXPECT_NE(Velliqa({QStringLiteral("--help")}, QStringLiteral("ja_JP.UTF-8")).out.find("終了します"),
              std::string::npos);
}

TEST_F(CommandLineTest, AJapaneseLocaleReadsJapaneseThroughoutHelpAndRefusals)
{
    const QString ja = QStringLiteral("ja_JP.UTF-8");
    const Outcome help = Velliqa({QStringLiteral("--help")}, ja);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.find("Usage:"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("Options:"), std::string::npos) << help.out;
    const Outcome bogus = Velliqa({QStringLiteral("--bogus")}, ja);
    EXPECT_EQ(bogus.status, 2);
    EXPECT_EQ(bogus.err,
              "「bogus」というオプションはありません。\n使い方は velliqa --help で表示されます。\n");
}

TEST_F(CommandLineTest, LinesThatCannotBeRunEndWithStatusTwoAndAMessage)
{
    const struct
    {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--bogus")}, "bogus"},
        {{QStringLiteral("--from"), QStringLiteral("2024-01-01")},
         "--from is given with --export-csv or --summary or --evaluate or --report-pdf only"},
        {{QStringLiteral("--raise-limit")}, "--raise-limit is given with --import-csv only"},
        {{QStringLiteral("--export-csv"), QStringLiteral("-"), QStringLiteral("--to"),
          QStringLiteral("2024-02-30")},
         "not a date"},
        {{QStringLiteral("--import-csv"), QStringLiteral("x"), QStringLiteral("--date-order"),
          QStringLiteral("ydm")},
         "ymd, dmy or mdy"},
        {{QStringLiteral("--export-csv"), QStringLiteral("a"), QStringLiteral("--import-csv"),
          QStringLiteral("b")},
         "not several"},
        {{QStringLiteral("stray")}, "unexpected argument"},
    };
    for (const auto& c : cases) {
        const Outcome run = Velliqa(c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(Velliqa({QStringLiteral("--data-dir"), File("missing"), QStringLiteral("--export-csv"),
                       QStringLiteral("-")})
                  .status,
              1);
}

TEST_F(CommandLineTest, ExportToAFileAndToStandardOutputWithinTheDates)
{
    const fs::path data = Folder("data");
    WriteBytes((data / "data.txt").string(), kData + "not a date,1,1,1,0,0,\r\n");
    const Outcome toFile = Velliqa({QStringLiteral("--data-dir"), Dir() + "/data",
                                    QStringLiteral("--export-csv"), QStringLiteral("out.csv")});
    EXPECT_EQ(toFile.status, 0);
    EXPECT_NE(toFile.err.find("left out because their date cannot be read: 1"), std::string::npos)
        << toFile.err;
    // A relative file is where the command runs, not in the data folder.
    const std::string file = ReadBytes((fs::current_path() / "out.csv").string());
    EXPECT_EQ(file, "\xEF\xBB\xBF日付,時刻,最高血圧,最低血圧,脈拍,IHB,種類,コメント\r\n"
                    "2023-12-31,23:59:59,110,70,0,0,[指定なし],\r\n"
                    "2024-03-01,21:00:00,120,80,60,0,晩,\r\n"
                    "2024-03-01,21:00:00,121,80,60,0,その他,same time\r\n"
                    "2024-03-02,07:05:09,135,85,72,1,朝,after a walk\r\n");
    EXPECT_FALSE(fs::exists(data / "item.txt")); // an export creates nothing in the folder

    const Outcome toOut =
        Velliqa({QStringLiteral("--data-dir"), Dir() + "/data", QStringLiteral("--export-csv"),
                 QStringLiteral("-"), QStringLiteral("--from"), QStringLiteral("2024-03-01"),
                 QStringLiteral("--to"), QStringLiteral("2024-03-01")});
    EXPECT_EQ(toOut.status, 0);
    EXPECT_EQ(toOut.out, "\xEF\xBB\xBF日付,時刻,最高血圧,最低血圧,脈拍,IHB,種類,コメント\r\n"
                         "2024-03-01,21:00:00,120,80,60,0,晩,\r\n"
                         "2024-03-01,21:00:00,121,80,60,0,その他,same time\r\n");
}

TEST_F(CommandLineTest, ExportThenImportIntoAnEmptyFolderGivesTheSameDataFileAndASecondImportChangesNothing)
{
    const fs::path from = Folder("from");
    const fs::path to = Folder("to");
    // Newest first, as the program keeps a file into which it entered the measurements in order.
    WriteBytes((from / "data.txt").string(), kData);
    ASSERT_EQ(Velliqa({QStringLiteral("--data-dir"), Dir() + "/from", QStringLiteral("--export-csv"),
                       File("a.csv")})
                  .status,
              0);
    for (int round = 0; round < 2; ++round) {
        const Outcome run = Velliqa(
            {QStringLiteral("--data-dir"), Dir() + "/to", QStringLiteral("--import-csv"), File("a.csv")});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadBytes((to / "data.txt").string()), kData);
    }
    EXPECT_TRUE(fs::exists(to / "item.txt") && fs::exists(to / "setting.txt"));
}

TEST_F(CommandLineTest, RefusedRowsAreReportedByLineAndTheRestIsImported)
{
    Write("in.csv", "date,sys,dia\n2024/13/1,1,1\n2024/1/1,120,80\n\"2024/1/2\",abc,80\n");
    const Outcome english = Velliqa({QStringLiteral("--import-csv"), File("in.csv")});
    EXPECT_EQ(english.status, 0);
    EXPECT_NE(english.err.find("line 2: "), std::string::npos) << english.err;
    EXPECT_NE(english.err.find("line 4: "), std::string::npos) << english.err;
    EXPECT_EQ(Bytes("data.txt"), "2024/1/1 00:00:00,120,80,0,0,0,\r\n");
    Write("in.csv", "date,sys,dia\n2024/1/3,x,80\n");
    const Outcome japanese =
        Velliqa({QStringLiteral("--import-csv"), File("in.csv")}, QStringLiteral("ja_JP.UTF-8"));
    EXPECT_NE(japanese.err.find("2 行目: "), std::string::npos) << japanese.err;
    EXPECT_EQ(japanese.status, 1); // no row at all could be read
}

TEST_F(CommandLineTest, ImportTakesAHealthExportAndNamesWhatItPassesOver)
{
    Write("export.xml", "<HealthData><Correlation type=\"HKCorrelationTypeIdentifierBloodPressure\" "
                        "startDate=\"2024-01-01 08:00:00 +0000\"><Record "
                        "type=\"HKQuantityTypeIdentifierBloodPressureSystolic\" value=\"120\"/><Record "
                        "type=\"HKQuantityTypeIdentifierBloodPressureDiastolic\" value=\"80\"/>"
                        "</Correlation></HealthData>");
    EXPECT_EQ(Velliqa({QStringLiteral("--import"), File("export.xml")}).status, 0);
    EXPECT_NE(Bytes("data.txt").find(",120,80,0,0,0,"), std::string::npos);
    Write(
        "bp.csv",
        "Date,Heart rate,Systolic,Diastolic,Symptoms\n2025-10-02 07:34,72,124,81,dizzy\n2025-10-01,68,,,\n");
    const Outcome run = Velliqa({QStringLiteral("--import"), File("bp.csv")});
    EXPECT_NE(run.err.find("columns not imported: Symptoms"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("not blood-pressure readings, passed over: 1"), std::string::npos) << run.err;
}

TEST_F(CommandLineTest, ImportsThatCannotBeDoneChangeNothing)
{
    Write("data.txt", kData);
    Write("setting.txt", Lines({"5", "1", "30", "0", "0", "name"}));
    Write("none.csv", "a;b;c\n1;2;3\n");
    Write("ambiguous.csv", "date,sys,dia\n3/4/2024,120,80\n5/6/2024,121,80\n");
    Write("more.csv", "date,sys,dia\n2025/1/1,120,80\n2025/1/2,120,80\n");
    Write("laughs.xml", "<!DOCTYPE HealthData [<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
                        "<HealthData>&b;</HealthData>");
    const std::string before = FolderBytes(dir.Path());
    const struct
    {
        const char* file;
        const char* message;
    } cases[] = {{"none.csv", "required columns are missing"},
                 {"ambiguous.csv", "--date-order"},
                 {"more.csv", "more than the record limit of 5"},
                 {"missing.csv", "cannot read"},
                 {"laughs.xml", "refers to an entity the file declares"}};
    for (const auto& c : cases) {
        const Outcome run = Velliqa({QStringLiteral("--import-csv"), File(c.file)});
        EXPECT_EQ(run.status, 1) << c.file;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(FolderBytes(dir.Path()), before) << c.file;
    }
    {
        CInstanceLock window(dir.Path().string());
        ASSERT_TRUE(window.IsHeld());
        for (const QStringList& arguments :
             {QStringList{QStringLiteral("--import-csv"), File("more.csv"), QStringLiteral("--raise-limit")},
              QStringList{QStringLiteral("--export-csv"), File("out.csv")}}) {
            const Outcome run = Velliqa(arguments);
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find("another Velliqa"), std::string::npos) << run.err;
            EXPECT_EQ(FolderBytes(dir.Path()), before);
        }
    }
    EXPECT_EQ(Velliqa({QStringLiteral("--import-csv"), File("ambiguous.csv"), QStringLiteral("--date-order"),
                       QStringLiteral("dmy"), QStringLiteral("--raise-limit")})
                  .status,
              0);
    EXPECT_EQ(Bytes("data.txt").substr(0, 33), "2024/6/5 00:00:00,121,80,0,0,0,\r\n");
    EXPECT_EQ(Bytes("setting.txt"), Lines({"6", "1", "30", "0", "0", "name"}));
}

// SIGKILL at random moments of an import that raises the limit: the folder holds the old files,
// the raised limit with the old records, or the raised limit with all the records.
TEST_F(CommandLineTest, AKilledImportLeavesTheOldOrTheNewData)
{
    std::string csv = "date,time,sys,dia,pulse\n";
    for (int i = 0; i < 20000; ++i)
        csv += "2020/1/" + std::to_string(1 + i % 28) + "," + std::to_string(i / 28 % 24) + ":" +
               std::to_string(i / 672 % 60) + ",120,80," + std::to_string(i % 100) + "\n";
    Write("in.csv", csv);
    const std::string oldSettings = Lines({"3", "1", "30", "0", "0", "name"});
    const std::string oldData = Lines({"2024/3/2 07:05:09,135,85,72,1,1,"});
    const auto reset = [&] {
        Write("setting.txt", oldSettings);
        Write("data.txt", oldData);
        Write("item.txt", Lines({"[指定なし]"}));
    };
    reset();
    const std::string path = VELLIQA_BINARY;
    const std::string input = File("in.csv").toStdString();
    const auto start = [&] {
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("LC_ALL", "C", 1);
            unsetenv("DISPLAY");
            unsetenv("QT_QPA_PLATFORM");
            freopen("/dev/null", "w", stderr);
            execl(path.c_str(), path.c_str(), "--import-csv", input.c_str(), "--raise-limit",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    };
    // The whole import, once, to know how long it takes and what it writes.
    const auto begun = std::chrono::steady_clock::now();
    int status = 0;
    waitpid(start(), &status, 0);
    const auto took = std::chrono::steady_clock::now() - begun;
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string newSettings = Bytes("setting.txt");
    const std::string newData = Bytes("data.txt");
    ASSERT_NE(newSettings, oldSettings);

    std::mt19937 random(15);
    std::uniform_int_distribution<long long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(took).count());
    int oldSeen = 0, newSeen = 0;
    for (int trial = 0; trial < 12; ++trial) {
        reset();
        const pid_t pid = start();
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        const std::string settings = Bytes("setting.txt");
        const std::string data = Bytes("data.txt");
        EXPECT_TRUE(settings == oldSettings || settings == newSettings) << trial;
        EXPECT_TRUE(data == oldData || data == newData) << trial;
        EXPECT_FALSE(settings == oldSettings && data == newData)
            << "records beyond the old limit, trial " << trial;
        oldSeen += data == oldData;
        newSeen += data == newData;
    }
    std::printf("killed imports: %d left the old data, %d the new\n", oldSeen, newSeen);
}

TEST_F(CommandLineTest, SummaryOverAPeriodAndWhatItRefuses)
{
    // In a zone whose day is not UTC's at this moment: --days counts from the local today.
    const ZoneOffset away = ZoneOffTheUtcDay();
    const ScopedTimeZone zone(away.zone);
    ASSERT_EQ(UtcOffsetAt(std::time(nullptr)), away.offset) << away.zone;
    const auto day = [](int daysBack) {
        return QDate::currentDate().addDays(-daysBack).toString(QStringLiteral("yyyy/M/d")).toStdString();
    };
    const std::string header = "種類\t件数\t最高血圧の平均\t最低血圧の平均\t脈拍数の平均\t"
                               "最高血圧の最高値\t最高血圧の最低値\t最低血圧の最高値\t最低血圧の最低値\n";
    ScopedDataDir records;
    WriteBytes("item.txt", Cp932FromUtf8("[指定なし]\r\n朝\r\n晩\r\n"));
    WriteBytes("data.txt", day(0) + " 07:00:00,130,80,60,0,1,\r\n" + day(6) + " 21:00:00,121,71,61,0,2,\r\n" +
                               day(7) + " 07:00:00,200,100,90,0,1,\r\n2024/1/2 07:00:00,110,70,50,0,1,\r\n");
    ScopedDataDir empty; // the current folder; the records are reached through --data-dir
    const QString data = QStringLiteral("--data-dir=") + QString::fromStdString(records.Path().string());
    const std::string jan2 =
        "朝\t1\t110\t70\t50\t110\t110\t70\t70\n全測定結果\t1\t110\t70\t50\t110\t110\t70\t70\n";
    const struct
    {
        QStringList arguments;
        const char* locale;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{data, "--summary", "--days", "7"},
         "C",
         0,
         header + "朝\t1\t130\t80\t60\t130\t130\t80\t80\n晩\t1\t121\t71\t61\t121\t121\t71\t71\n"
                  "全測定結果\t2\t125\t75\t60\t130\t121\t80\t71\n",
         ""},
        {{data, "--summary", "--from", "2024-01-02", "--to", "2024-01-02"}, "C", 0, header + jan2, ""},
        {{data, "--summary", "--to", "2000-01-01"}, "C", 0, header + "全測定結果\t0\t0\t0\t0\t\t\t\t\n", ""},
        {{"--summary"}, "C", 0, header, ""}, // no records: the header alone
        {{"--summary", "--days", "7", "--from", "2024-01-01"}, "C", 2, "", "cannot be given together"},
        {{"--summary", "--days", "7", "--to", "2024-01-01"}, "ja_JP.UTF-8", 2, "", "一緒には指定できません"},
        {{"--summary", "--days", "0"}, "C", 2, "", "--days"},
        {{"--summary", "--from", "2024-02-30"}, "C", 2, "", "YYYY-MM-DD"},
        {{"--summary", "--from", "2024-02-02", "--to", "2024-02-01"}, "C", 2, "", "after"},
        {{"--days", "7"}, "C", 2, "", "--summary"},
        {{"--summary", "--export-csv", "-"}, "C", 2, "", "not several"},
        {{"--data-dir", "/nonexistent/velliqa", "--summary"}, "C", 1, "", "/nonexistent/velliqa"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Velliqa(c.arguments, QString::fromLatin1(c.locale));
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(outcome.status, c.status) << what;
        EXPECT_EQ(outcome.out, c.out) << what;
        EXPECT_NE(outcome.err.find(c.err), std::string::npos) << what << ": " << outcome.err;
    }
    EXPECT_TRUE(fs::is_empty(empty.Path())) << "a summary creates no file";
}

// The current folder holds other records: a command reads, writes and locks only the folder
// --data-dir names.
TEST_F(CommandLineTest, ACommandWorksOnTheDataFolderGivenNotOnTheCurrentOne)
{
    const std::string here = Lines({"2020/1/1 07:00:00,100,60,50,0,1,"});
    Write("data.txt", here);
    const fs::path data = Folder("data");
    WriteBytes((data / "data.txt").string(), kData);
    Write("in.csv", "date,sys,dia\n2025/1/1,120,80\n");
    const QStringList folder{QStringLiteral("--data-dir"), QString::fromStdString(data.string())};
    const struct
    {
        QStringList arguments;
        int status;
        const char* out; // found in the output
    } cases[] = {
        {{"--export-csv", "-"}, 0, "2024-03-02,07:05:09,135,85,72"},
        {{"--summary"}, 0, "全測定結果\t4\t"},
        {{"--import-csv", File("in.csv")}, 0, ""},
        {{"--export-csv", "-"}, 0, "2025-01-01,00:00:00,120,80"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Velliqa(folder + c.arguments);
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(outcome.status, c.status) << what << ": " << outcome.err;
        EXPECT_NE(outcome.out.find(c.out), std::string::npos) << what << ": " << outcome.out;
        EXPECT_EQ(outcome.out.find("2020"), std::string::npos) << what;
    }
    EXPECT_EQ(ReadBytes((data / "data.txt").string()), "2025/1/1 00:00:00,120,80,0,0,0,\r\n" + kData);
    EXPECT_EQ(Bytes("data.txt"), here);
    EXPECT_FALSE(fs::exists(dir.Path() / "setting.txt"));

    const CInstanceLock window(data.string());
    ASSERT_TRUE(window.IsHeld());
    EXPECT_EQ(Velliqa(folder + QStringList{QStringLiteral("--import-csv"), File("in.csv")}).status, 1);
}

TEST_F(CommandLineTest, BackupsAreListedOldestFirstAndRestoredUnlessAWindowHasTheFolder)
{
    const std::string then = Lines({"2024/3/2 07:05:09,135,85,72,1,1,"});
    for (const char* name : {"20240302-080000-2", "20240302-080000"}) {
        Write("data.txt", name[15] ? kData : then);
        fs::create_directories(dir.Path() / "backup" / name);
        WriteBytes((dir.Path() / "backup" / name / "data.txt").string(), Bytes("data.txt"));
        WriteBytes((dir.Path() / "backup" / name / "reason.txt").string(), Cp932FromUtf8("削除前") + "\r\n");
    }
    fs::create_directories(dir.Path() / "backup" / "~20240303-080000"); // never whole
    Write("data.txt", kData);
    const Outcome list = Velliqa({QStringLiteral("--data-dir"), Dir(), QStringLiteral("--list-backups")});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "名前\t記録数\t最新の記録\t理由\n20240302-080000\t1\t2024/3/2\t削除前\n"
                        "20240302-080000-2\t4\t2024/3/2\t削除前\n");

    const QStringList restore{QStringLiteral("--data-dir"), Dir(), QStringLiteral("--restore-backup"),
                              QStringLiteral("20240302-080000")};
    {
        CInstanceLock window(dir.Path().string());
        ASSERT_TRUE(window.IsHeld());
        EXPECT_EQ(Velliqa(restore).status, 1);
        EXPECT_EQ(Bytes("data.txt"), kData);
    }
    Write("archive.txt", Lines({"2020/1/1 07:00:00,100,60,50,0,0,"}));
    const Outcome restored = Velliqa(restore);
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(Bytes("data.txt"), then);
    EXPECT_NE(Velliqa({QStringLiteral("--data-dir"), Dir(), QStringLiteral("--list-backups")})
                  .out.find("\t4\t2024/3/2\t復元前\n"),
              std::string::npos);
    EXPECT_EQ(Velliqa(restore.mid(0, 3) + QStringList{QStringLiteral("nothing")}).status, 1);

    const Outcome all = Velliqa({QStringLiteral("--data-dir"), Dir(), QStringLiteral("--export-csv"),
                                 QStringLiteral("-"), QStringLiteral("--include-archive")});
    EXPECT_NE(all.out.find("2020-01-01"), std::string::npos) << all.out;
    EXPECT_EQ(
        Velliqa({QStringLiteral("--data-dir"), Dir(), QStringLiteral("--export-csv"), QStringLiteral("-")})
            .out.find("2020-01-01"),
        std::string::npos);
}

TEST_F(CommandLineTest, EvaluationOfTheLastDaysOrOfDates)
{
    const auto day = [](int daysBack) {
        return QDate::currentDate().addDays(-daysBack).toString(QStringLiteral("yyyy/M/d")).toStdString();
    };
    ScopedDataDir records;
    WriteBytes("item.txt", Cp932FromUtf8("[指定なし]\r\n朝\r\n晩\r\n"));
    WriteBytes("data.txt", day(0) + " 07:00:00,130,80,60,0,1,\r\n" + day(6) + " 21:00:00,121,71,61,0,2,\r\n" +
                               day(7) + " 07:00:00,200,100,90,0,1,\r\n2024/1/2 07:00:00,110,70,50,0,1,\r\n");
    // A reading the record limit moved away still counts; one standing in both files counts once.
    WriteBytes("archive.txt", "2024/1/2 07:00:00,110,70,50,0,1,\r\n2024/1/3 07:00:00,120,80,70,0,1,\r\n");
    ScopedDataDir empty;
    const QString data = QStringLiteral("--data-dir=") + QString::fromStdString(records.Path().string());
    const std::string header = "区分\t日数\t最高血圧\t最低血圧\t脈拍\t分類\n";
    const std::string none = "晩\t0\t-\t-\t-\t-\n朝晩平均\t-\t-\t-\t-\t-\n朝晩差\t-\t-\t-\t-\t-\n";
    const struct
    {
        QStringList arguments;
        const char* locale;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{data, "--evaluate"},
         "C",
         0,
         header + "朝\t1\t130\t80\t60\t判定には5日以上必要\n晩\t1\t121\t71\t61\t判定には5日以上必要\n"
                  "朝晩平均\t-\t126\t76\t61\t-\n朝晩差\t-\t9\t9\t-1\t-\n",
         ""},
        {{data, "--evaluate", "--from", "2024-01-02", "--to", "2024-01-02"},
         "C",
         0,
         header + "朝\t1\t110\t70\t50\t判定には5日以上必要\n" + none,
         ""},
        {{data, "--evaluate", "--from", "2024-01-02", "--to", "2024-01-03"},
         "C",
         0,
         header + "朝\t2\t115\t75\t60\t判定には5日以上必要\n" + none,
         ""},
        {{"--evaluate"}, "C", 0, header + "朝\t0\t-\t-\t-\t-\n" + none, ""},
        {{"--evaluate", "--days", "0"}, "C", 2, "", "--days"},
        {{"--evaluate", "--from", "2024-02-30"}, "ja_JP.UTF-8", 2, "", "実在する日付"},
        {{"--evaluate", "--summary"}, "C", 2, "", "not several"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Velliqa(c.arguments, QString::fromLatin1(c.locale));
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_EQ(outcome.status, c.status) << what;
        EXPECT_EQ(outcome.out, c.out) << what;
        EXPECT_NE(outcome.err.find(c.err), std::string::npos) << what << ": " << outcome.err;
    }
    EXPECT_TRUE(fs::is_empty(empty.Path())) << "an evaluation creates no file";
}
