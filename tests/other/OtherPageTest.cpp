// The other page as the user meets it: with scripted answers, with the progress dialog, and end
// to end against a local server with a stand-in updater.
#include "app/MainDlg.h"
#include "config/VelliqaConfig.h"
#include "update/CurlTransport.h"
#include "update/UpdaterLauncher.h"

#include "res/ControlIds.h"
#include "support/Controls.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/ProgressDialog.h"
#include "support/TempDir.h"
#include "update/FakeTransport.h"
#include "update/LoopbackServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {

const QString kAsk = QStringLiteral("新しいバージョンが見つかりました。今すぐアップデートしますか？");
const QString kUpToDate = QStringLiteral("最新のバージョンがインストールされています");
const std::string kNewerFile = "Version=001001001\r\nLocation=http://h/setup.bin\r\nSize=4096\r\nParam=-q\r\n"
                               "Delay=5\r\nFlag=1\r\n";

class InlineRunner final : public IWorkRunner
{
public:
    void Run(QWidget*, const std::function<void()>& work, const std::function<void()>&) override { work(); }
};

class FakeLauncher final : public IUpdaterLauncher
{
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override
    {
        started << program << arguments;
        return succeeds;
    }
    QStringList started; // the program, then its arguments
    bool succeeds = true;
};

class OtherPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("no_proxy", "*", 1);
        dlg.OnInitDialog();
        dlg.show();
        dlg.TabBar()->setCurrentIndex(CMainDlg::kOtherTab);
        Page().SetUpdateUrl("http://update.example.org/velliqa/version.txt"); // a build with its own URL
        Page().SetCheckRunner(runner);
        Page().SetUpdaterLauncher(launcher);
    }

    COtherPage& Page() { return PageOf<COtherPage>(dlg); }
    QPushButton* Button() { return Page().Get<QPushButton>(OtherIds::IDC_ONLINE_UPDATE); }
    // Every check gets this answer, or fails at the given step for the given reason.
    void Answer(std::string body, FakeTransport::FailAt failAt = FakeTransport::FailAt::Nothing,
                DownloadError error = DownloadError::None)
    {
        Page().SetTransportFactory([=, this] {
            ++checks;
            return std::make_unique<FakeTransport>(body, log, failAt, error);
        });
    }
    // True while the main window is open; runs a queued close first.
    bool MainWindowOpen()
    {
        QCoreApplication::processEvents();
        return dlg.isVisible() && dlg.result() == 0;
    }

    ScopedDataDir dir;
    FakeModalSeam seam;
    CMainDlg dlg{seam};
    InlineRunner runner;
    FakeLauncher launcher;
    std::shared_ptr<FakeTransportLog> log = std::make_shared<FakeTransportLog>();
    int checks = 0;
};

} // namespace

TEST_F(OtherPageTest, ShowsTheVersionAndTheButtonWithTheirNamesIgnoresEscapeAndEnterPressesTheButton)
{
    QLabel* version = Page().findChild<QLabel*>();
    EXPECT_EQ(version->text(), QStringLiteral("Velliqa　バージョン 1.1.0"));
    EXPECT_EQ(version->accessibleName(), version->text());
    EXPECT_EQ(Button()->text(), QStringLiteral("オンラインアップデート"));
    EXPECT_EQ(Button()->accessibleName(), Button()->text());
    Answer(kNewerFile);
    Button()->setFocus();
    QTest::keyClick(Button(), Qt::Key_Escape);
    EXPECT_TRUE(MainWindowOpen());
    EXPECT_EQ(checks, 0);
    seam.QueueAnswer(IDNO); // the newer version is not fetched
    QTest::keyClick(Button(), Qt::Key_Return);
    EXPECT_TRUE(MainWindowOpen());
    EXPECT_EQ(checks, 1);
}

TEST_F(OtherPageTest, NewerVersionAnsweredNoChangesNothingAndYesHandsOverToTheUpdater)
{
    Answer(kNewerFile);
    seam.QueueAnswer(IDNO);
    Button()->click();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, kAsk);
    EXPECT_EQ(seam.messages[0].caption, QStringLiteral("新しいバージョンのダウンロード"));
    EXPECT_EQ(seam.messages[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(log->path, "/velliqa/version.txt");
    EXPECT_TRUE(launcher.started.isEmpty());
    EXPECT_TRUE(MainWindowOpen());

    seam.QueueAnswer(IDYES);
    Button()->click();
    const QString self = QCoreApplication::applicationFilePath();
    EXPECT_EQ(launcher.started,
              (QStringList{QDir(QCoreApplication::applicationDirPath()).filePath("Update.exe"), self, self,
                           "http://h/setup.bin", "4096", "1", "5", "-q"}));
    EXPECT_TRUE(dlg.isVisible()); // closed once the handler has returned, as by its close box
    EXPECT_FALSE(MainWindowOpen());
    EXPECT_EQ(dlg.result(), IDCANCEL);
}

TEST_F(OtherPageTest, ABuildWithThePlaceholderUrlSaysSoAndConnectsToNothing)
{
    Page().SetUpdateUrl(std::string(kVelliqaPlaceholderUpdateUrl));
    Answer(kNewerFile);
    Button()->click();
    EXPECT_EQ(checks, 0);
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text,
              QStringLiteral("このビルドにはアップデートの確認先が設定されていません。"));
    EXPECT_EQ(seam.messages[0].type, MB_OK | MB_ICONINFORMATION);
}

TEST_F(OtherPageTest, SameOrOlderVersionSaysUpToDate)
{
    for (const char* file : {"Version=001001000\r\n", "Version=000900000\r\n", "Version=\r\n"}) {
        seam.messages.clear();
        Answer(file);
        Button()->click();
        ASSERT_EQ(seam.messages.size(), 1u) << file;
        EXPECT_EQ(seam.messages[0].text, kUpToDate);
        EXPECT_EQ(seam.messages[0].caption, QStringLiteral("バージョンの確認"));
        EXPECT_EQ(seam.messages[0].type, MB_OK | MB_ICONINFORMATION);
    }
}

TEST_F(OtherPageTest, FailedCheckIsToldWithItsReasonNeverAsUpToDate)
{
    using enum FakeTransport::FailAt;
    const struct
    {
        FakeTransport::FailAt failAt;
        DownloadError error;
        std::string body;
        const char* reason;
    } cases[] = {
        {Send, DownloadError::NameNotResolved, "", "サーバーが見つかりませんでした"},
        {Send, DownloadError::ConnectFailed, "", "サーバーに接続できませんでした"},
        {Nothing, DownloadError::None, "", "応答が空でした"},
        {Nothing, DownloadError::None, "<html>Not Found</html>", "バージョン情報がありません"},
        {Nothing, DownloadError::None, std::string(2 << 20, 'x'), "大きすぎます"},
    };
    for (const auto& c : cases) {
        seam.messages.clear();
        Answer(c.body, c.failAt, c.error);
        Button()->click();
        ASSERT_EQ(seam.messages.size(), 1u) << c.reason;
        const QString& text = seam.messages[0].text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("新しいバージョンを確認できませんでした。\n")))
            << c.reason;
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.reason))) << text.toStdString();
        EXPECT_EQ(seam.messages[0].type, MB_OK | MB_ICONEXCLAMATION);
    }
    EXPECT_TRUE(launcher.started.isEmpty());
}

TEST_F(OtherPageTest, UpdaterThatCannotStartIsToldAndTheProgramStays)
{
    Answer(kNewerFile);
    launcher.succeeds = false;
    Button()->click();
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_TRUE(seam.messages[1].text.contains(QStringLiteral("Update.exe")));
    EXPECT_EQ(seam.messages[1].type, MB_OK | MB_ICONSTOP);
    EXPECT_TRUE(MainWindowOpen());
}

// End to end: libcurl, the progress runner and a real process for the updater.
class OtherPageEndToEndTest : public OtherPageTest
{
protected:
    void SetUp() override
    {
        OtherPageTest::SetUp();
        Page().SetCheckRunner(progress);
        Page().SetUpdaterLauncher(RealUpdaterLauncher());
    }
    void TearDown() override { QFile::remove(COtherPage::UpdaterPath()); }

    CProgressRunner progress{QStringLiteral("確認しています…"), QStringLiteral("バージョンの確認")};
};

TEST_F(OtherPageEndToEndTest, YesStartsTheUpdaterWithSevenWholeArgumentsAndClosesTheProgram)
{
    // Values that a shell would take apart; the updater must receive each of them whole.
    LoopbackServer server([](LoopbackConnection& c) {
        c.Respond("Version=001001001\r\nLocation=http://h/a;touch${IFS}pwned;\"$(id)\"`id`\r\nSize=4096\r\n"
                  "Param='--x'&&touch${IFS}pwned\r\nDelay=5\r\nFlag=1\r\n");
    });
    Page().SetUpdateUrl(server.Url());
    // A stand-in updater that writes its arguments, one a line.
    const std::string out = (dir.Path() / "args.txt").string();
    WriteBytes(COtherPage::UpdaterPath().toStdString(),
               "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + out + ".part' && mv '" + out +
                   ".part' '" + out + "'\n");
    QFile::setPermissions(COtherPage::UpdaterPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    seam.QueueAnswer(IDNO);
    QTest::mouseClick(Button(), Qt::LeftButton);
    EXPECT_TRUE(MainWindowOpen());
    seam.QueueAnswer(IDYES);
    QTest::mouseClick(Button(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(out); }, 5000));
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    EXPECT_EQ(ReadBytes(out), self + "\n" + self +
                                  "\nhttp://h/a;touch${IFS}pwned;\"$(id)\"`id`\n4096\n1\n5\n" +
                                  "'--x'&&touch${IFS}pwned\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "pwned"));
    EXPECT_FALSE(MainWindowOpen());
    EXPECT_EQ(seam.messages.size(), 2u);
}

TEST_F(OtherPageEndToEndTest, SilentServerShowsProgressAndEscapeEndsTheCheckQuietly)
{
    LoopbackServer silent([](LoopbackConnection& c) { c.Silence(); });
    Page().SetUpdateUrl(silent.Url()); // with the program's own limits: ten seconds of silence
    QElapsedTimer clock;
    clock.start();
    WhileRunning([&] {
        QDialog* progress = ProgressDialog();
        if (progress)
            QTest::keyClick(progress, Qt::Key_Escape);
        return progress != nullptr;
    });
    Button()->click();
    EXPECT_LT(clock.elapsed(), 8000); // ended by the cancel, not by the limits
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_TRUE(MainWindowOpen());
}
