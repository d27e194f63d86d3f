// One program per data folder: the folder lock.
#include "platform/InstanceLock.h"
#include "reliability/FaultShim.h"
#include "support/TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

TEST(InstanceLock, ASecondCopyInTheSameFolderIsRefused)
{
    ScopedDataDir dir;
    CInstanceLock first;
    ASSERT_TRUE(first.IsHeld());
    CInstanceLock second;
    EXPECT_FALSE(second.IsHeld());
}

TEST(InstanceLock, TheFolderIsFreeAgainOnceTheHolderEnds)
{
    ScopedDataDir dir;
    {
        CInstanceLock first;
        ASSERT_TRUE(first.IsHeld());
    }
    CInstanceLock again;
    EXPECT_TRUE(again.IsHeld());
}

TEST(InstanceLock, AKilledHolderLeavesTheFolderUnlocked)
{
    ScopedDataDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        CInstanceLock held;
        char c = held.IsHeld() ? '1' : '0';
        (void)!write(ready[1], &c, 1);
        pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, '1');
    EXPECT_FALSE(CInstanceLock().IsHeld());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(CInstanceLock().IsHeld());
}

TEST(InstanceLock, OtherFoldersAreIndependent)
{
    ScopedDataDir dir;
    CInstanceLock here;
    std::filesystem::create_directory("other");
    CInstanceLock there("other");
    EXPECT_TRUE(here.IsHeld());
    EXPECT_TRUE(there.IsHeld());
}

// Only EWOULDBLOCK from flock means another copy. Where flock cannot lock the folder (NFS gives
// EBADF on a folder, ENOLCK without lock support), a record lock on the lock's own file holds
// it; where nothing can be locked at all, the program starts anyway.
TEST(InstanceLock, OnlyContentionMeansAnotherCopyAndOtherFailuresFallBack)
{
    using State = CInstanceLock::State;
    struct Case
    {
        const char* calls; // made to fail
        int error;
        State state;
    };
    for (const Case& c :
         {Case{"flock", EWOULDBLOCK, State::HeldByOther}, Case{"flock", EBADF, State::Held},
          Case{"flock", ENOLCK, State::Held}, Case{"flock", EINVAL, State::Held},
          Case{"flock", ENOTSUP, State::Held}, Case{"flock,fcntl", ENOLCK, State::Unavailable},
          Case{"open", EACCES, State::Unavailable}}) {
        ScopedDataDir dir;
        VelliqaFaultArmEvery(c.calls, c.error);
        const CInstanceLock lock;
        VelliqaFaultDisarm();
        EXPECT_EQ(lock.GetState(), c.state) << c.calls << " " << c.error;
        EXPECT_EQ(lock.GetError(), c.state == State::Unavailable ? c.error : 0) << c.calls << " " << c.error;
    }
    for (Language language : {Language::English, Language::Japanese}) {
        const std::string notice = LockUnavailableNotice(ENOLCK, language);
        EXPECT_EQ(notice.find('\n'), notice.size() - 1) << notice; // one line
    }
}

TEST(InstanceLock, WithoutFlockASecondCopyIsStillRefusedUntilTheFirstEnds)
{
    ScopedDataDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        VelliqaFaultArmEvery("flock", EBADF);
        CInstanceLock held;
        char c = held.IsHeld() ? '1' : '0';
        (void)!write(ready[1], &c, 1);
        pause();
        _exit(0);
    }
    char c = 0;
    const bool childHolds = read(ready[0], &c, 1) == 1 && c == '1';
    VelliqaFaultArmEvery("flock", EBADF);
    EXPECT_TRUE(childHolds);
    EXPECT_EQ(CInstanceLock().GetState(), CInstanceLock::State::HeldByOther);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(CInstanceLock().IsHeld());
    VelliqaFaultDisarm();
    EXPECT_TRUE(std::filesystem::exists(CInstanceLock::kLockFileName));
}
