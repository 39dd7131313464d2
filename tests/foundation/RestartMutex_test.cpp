#include "foundation/RestartMutex.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/ScopedRuntimeDir.h"
#include "platform/base/Handles.h"
#include "platform/base/Mutex.h"
#include "platform/base/Wait.h"

TEST(RestartMutex, NewProcessWaitsUntilTheRestartingOneReleases) {
    ScopedRuntimeDir runtime;
    int ready[2];
    int released[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(released), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The restarting instance: hold the mutex, then release it and say so.
        HANDLE mutex = CreateMutex(nullptr, TRUE, kRestartMutexName);
        const char byte = mutex ? 'r' : 'x';
        (void)!write(ready[1], &byte, 1);
        usleep(100 * 1000);
        (void)!write(released[1], "y", 1);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'r');
    EXPECT_FALSE(WasRestarted());
    EXPECT_TRUE(WaitForRestartMutex());
    EXPECT_TRUE(WasRestarted());
    // The old instance had released before the wait returned.
    fcntl(released[0], F_SETFL, O_NONBLOCK);
    ASSERT_EQ(read(released[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'y');
    // Nothing is held afterwards.
    EXPECT_FALSE(ReleaseRestartMutex());
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
}

TEST(RestartMutex, CommandLineOfTheTestIsNoRestart) {
    EXPECT_FALSE(IsRestartCommandLine());
}
