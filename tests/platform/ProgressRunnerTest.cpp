// The progress runner: the work on a thread, a modal dialog after half a second, cancel, and
// no input to the window meanwhile.
#include "platform/ProgressRunner.h"

#include "support/ProgressDialog.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <condition_variable>
#include <mutex>

namespace {

class ProgressRunnerTest : public ::testing::Test
{
protected:
    // Work that waits until cancelled, or ten seconds so that a broken cancel cannot hang.
    std::function<void()> WorkUntilCancelled()
    {
        return [this] {
            std::unique_lock lock(mutex);
            endedByCancel = changed.wait_for(lock, std::chrono::seconds(10), [this] { return cancelled; });
        };
    }
    void Cancel()
    {
        std::lock_guard guard(mutex);
        cancelled = true;
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    bool cancelled = false;
    bool endedByCancel = false;
    CProgressRunner runner{QStringLiteral("確認しています…"), QStringLiteral("バージョンの確認")};
};

} // namespace

TEST_F(ProgressRunnerTest, SlowWorkShowsAModalDialogAfterHalfASecondWhoseCancelEndsIt)
{
    QElapsedTimer clock;
    clock.start();
    qint64 shownAfter = -1;
    WhileRunning([&] {
        QDialog* progress = ProgressDialog();
        if (!progress)
            return false;
        shownAfter = clock.elapsed();
        EXPECT_EQ(progress->windowModality(), Qt::ApplicationModal);
        auto* cancel = progress->findChild<QPushButton*>();
        EXPECT_EQ(cancel->text(), QStringLiteral("キャンセル"));
        QTest::mouseClick(cancel, Qt::LeftButton);
        return true;
    });
    runner.Run(nullptr, WorkUntilCancelled(), [this] { Cancel(); });
    EXPECT_TRUE(endedByCancel);
    EXPECT_GE(shownAfter, 450); // not before half a second (a timer may fire a little early)
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
        Cancel();
        return true;
    });
    runner.Run(&window, WorkUntilCancelled(), [] {});
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(window.isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1); // and takes it again afterwards
}
