// The other page: the version text, the update button and the whole check as the user meets it,
// with scripted answers, with the progress dialog, and end to end against a local server.
#include "app/MainDlg.h"
#include "update/CurlTransport.h"
#include "update/OtherPage.h"
#include "update/ProgressRunner.h"
#include "update/UpdaterLauncher.h"

#include "FakeTransport.h"
#include "LoopbackServer.h"
#include "support/FakeModalSeam.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <condition_variable>

namespace {

const QString kAsk = QStringLiteral("新しいバージョンが見つかりました。今すぐアップデートしますか？");
const QString kAskCaption = QStringLiteral("新しいバージョンのダウンロード");
const QString kUpToDate = QStringLiteral("最新のバージョンがインストールされています");
const QString kCheckCaption = QStringLiteral("バージョンの確認");

const std::string kNewerFile = "Version=001000001\r\nName=Velliqa\r\nLocation=http://example.org/setup.bin\r\n"
                               "Size=4096\r\nParam=-q\r\nDelay=5\r\nFlag=1\r\n";

class InlineRunner final : public ICheckRunner
{
public:
    void Run(QWidget*, const std::function<void()>& work, const std::function<void()>& cancel) override
    {
        ++runs;
        if (cancelFirst)
            cancel();
        work();
    }
    int runs = 0;
    bool cancelFirst = false;
};

class FakeLauncher final : public IUpdaterLauncher
{
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override
    {
        ++starts;
        this->program = program;
        this->arguments = arguments;
        return succeeds;
    }
    int starts = 0;
    QString program;
    QStringList arguments;
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
        dlg.TabBar()->setCurrentIndex(3);
        Page().SetCheckRunner(runner);
        Page().SetUpdaterLauncher(launcher);
    }

    COtherPage& Page() { return dlg.m_otherPage; }
    QPushButton* Button() { return Page().Get<QPushButton>(COtherPage::IDC_ONLINE_UPDATE); }

    // Every check answers with these chunks, or fails at the given step.
    void Answer(std::string body, FakeTransport::FailAt failAt = FakeTransport::FailAt::Nothing,
                DownloadError error = DownloadError::ConnectFailed)
    {
        Page().SetTransportFactory([this, body, failAt, error] {
            ++transports;
            return std::make_unique<FakeTransport>(FakeTransport::Chunks(body), log, failAt, error);
        });
    }

    // Runs the queued close of the main window, if one was posted.
    void Settle() { QCoreApplication::processEvents(); }
    bool MainWindowOpen() { return dlg.isVisible() && dlg.result() == 0; }

    ScopedDataDir dir;
    FakeModalSeam seam;
    CMainDlg dlg{seam};
    InlineRunner runner;
    FakeLauncher launcher;
    std::shared_ptr<FakeTransportLog> log = std::make_shared<FakeTransportLog>();
    int transports = 0;
};

// Calls check every 20 ms while the event loop runs, until it returns true.
void WhileRunning(const std::function<bool()>& check)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, check] {
        if (check())
            timer->deleteLater();
    });
    timer->start();
}

QDialog* ProgressDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(CProgressRunner::kDialogName) && w->isVisible())
            return qobject_cast<QDialog*>(w);
    return nullptr;
}

} // namespace

TEST_F(OtherPageTest, ShowsTheVersionAndTheUpdateButtonWithTheirNames)
{
    QLabel* version = Page().findChild<QLabel*>();
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Velliqa　バージョン 1.0.0"));
    EXPECT_EQ(version->accessibleName(), version->text());
    ASSERT_NE(Button(), nullptr);
    EXPECT_EQ(Button()->text(), QStringLiteral("オンラインアップデート"));
    EXPECT_EQ(Button()->accessibleName(), Button()->text());
    EXPECT_TRUE(Page().isVisibleTo(&dlg));
}

TEST_F(OtherPageTest, EnterAndEscapeInsideThePageDoNothing)
{
    Answer(kNewerFile);
    Button()->setFocus();
    QTest::keyClick(Button(), Qt::Key_Escape);
    QTest::keyClick(Button(), Qt::Key_Return);
    Settle();
    EXPECT_TRUE(MainWindowOpen());
    EXPECT_EQ(transports, 0);
}

TEST_F(OtherPageTest, NewerVersionAnsweredNoLeavesEverythingAsItWas)
{
    Answer(kNewerFile);
    seam.QueueAnswer(IDNO);
    QTest::mouseClick(Button(), Qt::LeftButton);
    Settle();
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, kAsk);
    EXPECT_EQ(seam.messages[0].caption, kAskCaption);
    EXPECT_EQ(seam.messages[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(launcher.starts, 0);
    EXPECT_TRUE(MainWindowOpen());
    EXPECT_EQ(log->path, "/velliqa/version.txt"); // the URL of the build
}

TEST_F(OtherPageTest, NewerVersionAnsweredYesStartsTheUpdaterAndClosesTheWindow)
{
    Answer(kNewerFile);
    seam.QueueAnswer(IDYES);
    Button()->click();
    EXPECT_EQ(launcher.starts, 1);
    EXPECT_EQ(launcher.program, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Update.exe")));
    const QString self = QCoreApplication::applicationFilePath();
    EXPECT_EQ(launcher.arguments, (QStringList{self, self, QStringLiteral("http://example.org/setup.bin"),
                                               QStringLiteral("4096"), QStringLiteral("1"), QStringLiteral("5"),
                                               QStringLiteral("-q")}));
    EXPECT_TRUE(dlg.isVisible()); // closed only once the handler has returned
    Settle();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), IDCANCEL);
}

TEST_F(OtherPageTest, SameOrOlderVersionSaysUpToDate)
{
    for (const char* file : {"Version=001000000\r\n", "Version=000900000\r\n", "Version=\r\n"}) {
        seam.messages.clear();
        Answer(file);
        Button()->click();
        ASSERT_EQ(seam.messages.size(), 1u) << file;
        EXPECT_EQ(seam.messages[0].text, kUpToDate);
        EXPECT_EQ(seam.messages[0].caption, kCheckCaption);
        EXPECT_EQ(seam.messages[0].type, MB_OK | MB_ICONINFORMATION);
    }
    EXPECT_EQ(launcher.starts, 0);
}

TEST_F(OtherPageTest, FailedCheckIsToldWithItsReasonNeverAsUpToDate)
{
    const struct
    {
        FakeTransport::FailAt failAt;
        DownloadError error;
        std::string body;
        const char* reason;
    } cases[] = {
        {FakeTransport::FailAt::Send, DownloadError::NameNotResolved, "", "サーバーが見つかりませんでした"},
        {FakeTransport::FailAt::Send, DownloadError::ConnectFailed, "", "サーバーに接続できませんでした"},
        {FakeTransport::FailAt::Send, DownloadError::Timeout, "", "時間内に応答しませんでした"},
        {FakeTransport::FailAt::Session, DownloadError::Session, "", "通信の準備ができませんでした"},
        {FakeTransport::FailAt::Read, DownloadError::ConnectionLost, "Version=9", "途中で接続が切れました"},
        {FakeTransport::FailAt::Nothing, DownloadError::None, "", "応答が空でした"},
        {FakeTransport::FailAt::Nothing, DownloadError::None, "<html>Not Found</html>", "バージョン情報がありません"},
        {FakeTransport::FailAt::Nothing, DownloadError::None, std::string(2 << 20, 'x'), "大きすぎます"},
    };
    for (const auto& c : cases) {
        seam.messages.clear();
        Answer(c.body, c.failAt, c.error);
        Button()->click();
        ASSERT_EQ(seam.messages.size(), 1u) << c.reason;
        const ShownMessage& m = seam.messages[0];
        EXPECT_TRUE(m.text.startsWith(QStringLiteral("新しいバージョンを確認できませんでした。"))) << c.reason;
        EXPECT_TRUE(m.text.contains(QString::fromUtf8(c.reason))) << m.text.toStdString();
        EXPECT_EQ(m.caption, kCheckCaption);
        EXPECT_EQ(m.type, MB_OK | MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(launcher.starts, 0);
    EXPECT_TRUE(MainWindowOpen());
}

TEST_F(OtherPageTest, CancelledCheckEndsQuietly)
{
    Answer(kNewerFile);
    runner.cancelFirst = true;
    Button()->click();
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(launcher.starts, 0);
}

TEST_F(OtherPageTest, UpdaterThatCannotStartIsToldAndTheProgramStays)
{
    Answer(kNewerFile);
    launcher.succeeds = false;
    seam.QueueAnswer(IDYES);
    Button()->click();
    Settle();
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_TRUE(seam.messages[1].text.contains(QStringLiteral("Update.exe")));
    EXPECT_EQ(seam.messages[1].type, MB_OK | MB_ICONSTOP);
    EXPECT_TRUE(MainWindowOpen());
}

// The progress runner: work on a thread, the dialog after half a second, cancel, no input.
class ProgressRunnerTest : public ::testing::Test
{
protected:
    // Work that waits until cancelled (or ten seconds, so a broken cancel cannot hang the test).
    std::function<void()> WorkUntilCancelled()
    {
        return [this] {
            std::unique_lock lock(mutex);
            endedByCancel = changed.wait_for(lock, std::chrono::seconds(10), [this] { return cancelled; });
        };
    }
    std::function<void()> Cancel()
    {
        return [this] {
            {
                std::lock_guard guard(mutex);
                cancelled = true;
            }
            changed.notify_all();
        };
    }

    std::mutex mutex;
    std::condition_variable changed;
    bool cancelled = false;
    bool endedByCancel = false;
    CProgressRunner runner{QStringLiteral("新しいバージョンを確認しています…")};
};

TEST_F(ProgressRunnerTest, QuickWorkEndsWithoutADialog)
{
    bool ran = false;
    bool sawDialog = false;
    WhileRunning([&] {
        sawDialog = sawDialog || ProgressDialog();
        return true;
    });
    runner.Run(nullptr, [&] { ran = true; }, [] {});
    EXPECT_TRUE(ran);
    EXPECT_FALSE(sawDialog);
    EXPECT_EQ(ProgressDialog(), nullptr);
}

TEST_F(ProgressRunnerTest, SlowWorkShowsAModalDialogWhoseCancelEndsIt)
{
    QElapsedTimer clock;
    clock.start();
    qint64 shownAfter = -1;
    bool modal = false;
    WhileRunning([&] {
        QDialog* progress = ProgressDialog();
        if (!progress)
            return false;
        shownAfter = clock.elapsed();
        modal = progress->windowModality() == Qt::ApplicationModal;
        auto* cancel = progress->findChild<QPushButton*>();
        EXPECT_EQ(cancel->text(), QStringLiteral("キャンセル"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        return true;
    });
    runner.Run(nullptr, WorkUntilCancelled(), Cancel());
    EXPECT_TRUE(endedByCancel);
    EXPECT_GE(shownAfter, 450); // not before half a second (timers may fire slightly early)
    EXPECT_TRUE(modal);
    EXPECT_EQ(ProgressDialog(), nullptr);
}

TEST_F(ProgressRunnerTest, WindowTakesNoInputWhileTheWorkRuns)
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("x"), &window);
    window.show();
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    WhileRunning([&] {
        QTest::mouseClick(button, Qt::LeftButton); // before the dialog shows
        window.close();
        Cancel()();
        return true;
    });
    runner.Run(&window, WorkUntilCancelled(), [] {});
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1); // and takes it again afterwards
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
        Page().SetTransportFactory([] {
            CurlLimits limits;
            limits.stallSeconds = 1;
            limits.connectTimeoutMs = 2000;
            return std::make_unique<CCurlTransport>(limits);
        });
    }
    void TearDown() override { QFile::remove(COtherPage::UpdaterPath()); }

    // A stand-in updater that writes its arguments, one a line, to the file out.
    void InstallFakeUpdater(const QString& out)
    {
        const std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                                   out.toStdString() + ".part' && mv '" + out.toStdString() + ".part' '" +
                                   out.toStdString() + "'\n";
        WriteBytes(COtherPage::UpdaterPath().toStdString(), script);
        QFile::setPermissions(COtherPage::UpdaterPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    CProgressRunner progress{QStringLiteral("新しいバージョンを確認しています…")};
};

TEST_F(OtherPageEndToEndTest, YesStartsTheUpdaterWithSevenArgumentsAndClosesTheProgram)
{
    // Values that a shell would take apart; the updater must receive them whole.
    LoopbackServer server([](LoopbackConnection& c) {
        c.Respond("Version=001000001\r\nLocation=http://h/a;touch${IFS}pwned;\"$(id)\"`id`\r\nSize=4096\r\n"
                  "Param='--x'&&touch${IFS}pwned\r\nDelay=5\r\nFlag=1\r\n");
    });
    Page().SetUpdateUrl(server.Url());
    const QString out = QDir(QString::fromStdString(dir.Path().string())).filePath(QStringLiteral("args.txt"));
    InstallFakeUpdater(out);
    seam.QueueAnswer(IDYES);
    QTest::mouseClick(Button(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(out); }, 5000));
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    EXPECT_EQ(ReadBytes(out.toStdString()), self + "\n" + self +
                                                "\nhttp://h/a;touch${IFS}pwned;\"$(id)\"`id`\n4096\n1\n5\n"
                                                "'--x'&&touch${IFS}pwned\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "pwned"));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), IDCANCEL);
}

TEST_F(OtherPageEndToEndTest, NoAndUpToDateAndFailureLeaveTheProgramRunning)
{
    LoopbackServer newer([](LoopbackConnection& c) { c.Respond("Version=001000001\r\n"); });
    Page().SetUpdateUrl(newer.Url());
    seam.QueueAnswer(IDNO);
    Button()->click();
    LoopbackServer same([](LoopbackConnection& c) { c.Respond("Version=001000000\r\n"); });
    Page().SetUpdateUrl(same.Url());
    Button()->click();
    Page().SetUpdateUrl("http://127.0.0.1:" + std::to_string(LoopbackServer::ClosedPort()) + "/version.txt");
    Button()->click();
    Settle();
    ASSERT_EQ(seam.messages.size(), 3u);
    EXPECT_EQ(seam.messages[0].text, kAsk);
    EXPECT_EQ(seam.messages[1].text, kUpToDate);
    EXPECT_TRUE(seam.messages[2].text.contains(QStringLiteral("サーバーに接続できませんでした")));
    EXPECT_TRUE(MainWindowOpen());
}

TEST_F(OtherPageEndToEndTest, SilentServerShowsProgressAndCancelEndsTheCheck)
{
    LoopbackServer silent([](LoopbackConnection& c) { c.Silence(); });
    Page().SetUpdateUrl(silent.Url());
    Page().SetTransportFactory([] { return std::make_unique<CCurlTransport>(); }); // the program's own limits
    QElapsedTimer clock;
    clock.start();
    WhileRunning([&] {
        QDialog* progress = ProgressDialog();
        if (!progress)
            return false;
        QTest::keyClick(progress, Qt::Key_Escape);
        return true;
    });
    Button()->click();
    EXPECT_LT(clock.elapsed(), 8000); // ended by the cancel, long before the server's silence would
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_TRUE(MainWindowOpen());
}
