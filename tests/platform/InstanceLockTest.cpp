// One program per data folder: the folder lock.
#include "platform/InstanceLock.h"
#include "support/TempDir.h"

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
