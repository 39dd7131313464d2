#include "platform/base/NamedMutex.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/ScopedRuntimeDir.h"
#include "platform/base/Mutex.h"
#include "platform/base/Wait.h"

extern char** environ;

namespace {

constexpr const char* kHolderVariable = "KQ7B_TEST_MUTEX_HOLDER";

// The other process of these tests is this test program started again with kHolderVariable
// naming a mutex: it creates the mutex owning it and answers 'o', then obeys commands on its
// input: 'r' releases (answering 'r'), 'q' or the end of input exit, still owning the mutex
// unless it was released.
[[noreturn]] void RunHolder(const char* name) {
    HANDLE mutex = CreateMutex(nullptr, TRUE, name);
    char answer = mutex ? 'o' : 'f';
    (void)!write(1, &answer, 1);
    char command = 0;
    while (read(0, &command, 1) == 1 && command != 'q') {
        if (command == 'r') {
            answer = ReleaseMutex(mutex) ? 'r' : 'f';
            (void)!write(1, &answer, 1);
        }
    }
    _exit(0);
}

// Runs before main, while the process has no other threads.
const bool kIsHolder = [] {
    if (const char* name = getenv(kHolderVariable))
        RunHolder(name);
    return false;
}();

class HolderProcess {
  public:
    explicit HolderProcess(const std::string& name) {
        int toChild[2];
        int fromChild[2];
        EXPECT_EQ(pipe(toChild), 0);
        EXPECT_EQ(pipe(fromChild), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
        posix_spawn_file_actions_addclose(&actions, toChild[1]);
        posix_spawn_file_actions_addclose(&actions, fromChild[0]);
        std::vector<std::string> env;
        for (char** entry = environ; *entry; ++entry)
            env.emplace_back(*entry);
        env.push_back(std::string(kHolderVariable) + "=" + name);
        std::vector<char*> envp;
        for (auto& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        char self[] = "/proc/self/exe";
        char* argv[] = {self, nullptr};
        EXPECT_EQ(posix_spawn(&pid_, self, &actions, nullptr, argv, envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        close(fromChild[1]);
        commands_ = toChild[1];
        answers_ = fromChild[0];
    }
    ~HolderProcess() {
        close(commands_);
        close(answers_);
        Wait();
    }
    char Answer() {
        char answer = 0;
        return read(answers_, &answer, 1) == 1 ? answer : 0;
    }
    void Send(char command) { EXPECT_EQ(write(commands_, &command, 1), 1); }
    void Wait() {
        if (pid_ > 0)
            waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

  private:
    pid_t pid_ = 0;
    int commands_ = -1;
    int answers_ = -1;
};

constexpr const char* kName = "Global\\KQ7B restart";

}  // namespace

TEST(NamedMutex, HandedOverWhenTheOtherProcessReleasesIt) {
    ScopedRuntimeDir dir;
    HolderProcess holder(kName);
    ASSERT_EQ(holder.Answer(), 'o');
    bool existed = false;
    HANDLE mutex = kq::CreateMutexReportingExistence(TRUE, kName, existed);
    ASSERT_NE(mutex, nullptr);
    EXPECT_TRUE(existed);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_TIMEOUT);
    EXPECT_FALSE(ReleaseMutex(mutex));  // opening an existing mutex does not take it
    holder.Send('r');
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(holder.Answer(), 'r');
    EXPECT_TRUE(ReleaseMutex(mutex));
    holder.Send('q');
    holder.Wait();
    CloseHandle(mutex);
}

TEST(NamedMutex, HandedOverAsAbandonedWhenTheOwnerDies) {
    ScopedRuntimeDir dir;
    HolderProcess holder(kName);
    ASSERT_EQ(holder.Answer(), 'o');
    HANDLE mutex = CreateMutex(nullptr, FALSE, kName);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_TIMEOUT);
    holder.Send('q');
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_ABANDONED);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);  // released properly this time
    EXPECT_TRUE(ReleaseMutex(mutex));
    CloseHandle(mutex);
}

TEST(NamedMutex, ExistsWhileSomeProcessHasItOpen) {
    ScopedRuntimeDir dir;
    bool existed = true;
    HANDLE mine = kq::CreateMutexReportingExistence(FALSE, kName, existed);
    EXPECT_FALSE(existed);
    CloseHandle(mine);
    {
        HolderProcess holder(kName);
        ASSERT_EQ(holder.Answer(), 'o');
        HANDLE opened = OpenMutex(SYNCHRONIZE, FALSE, kName);
        EXPECT_NE(opened, nullptr);
        holder.Send('r');
        EXPECT_EQ(holder.Answer(), 'r');
        mine = kq::CreateMutexReportingExistence(TRUE, kName, existed);
        EXPECT_TRUE(existed);  // open elsewhere, though nobody owns it
        CloseHandle(mine);
        CloseHandle(opened);
    }
    // The lock file stays behind, but no process has the mutex open any more.
    EXPECT_EQ(OpenMutex(SYNCHRONIZE, FALSE, kName), nullptr);
    mine = kq::CreateMutexReportingExistence(TRUE, kName, existed);
    EXPECT_FALSE(existed);
    EXPECT_EQ(WaitForSingleObject(mine, 0), WAIT_OBJECT_0);
    CloseHandle(mine);
}

TEST(NamedMutex, NamesMapToDistinctSafeFileNames) {
    ScopedRuntimeDir dir;
    EXPECT_EQ(kq::NamedMutexFile::PathFor("Global\\KQ7B restart"),
              dir.Path() + "/kq7b-KQ7B_20restart.lock");
    EXPECT_EQ(kq::NamedMutexFile::PathFor("Local\\a_b/../c"),
              dir.Path() + "/kq7b-a_5Fb_2F.._2Fc.lock");
    const std::string longA = kq::NamedMutexFile::PathFor(std::string(300, 'x') + "a");
    const std::string longB = kq::NamedMutexFile::PathFor(std::string(300, 'x') + "b");
    EXPECT_NE(longA, longB);
    EXPECT_LT(longA.size() - dir.Path().size(), 255u);

    setenv("XDG_RUNTIME_DIR", "relative", 1);
    EXPECT_EQ(kq::NamedMutexFile::PathFor("m"),
              "/tmp/kq7b-" + std::to_string(geteuid()) + "-m.lock");
}

TEST(NamedMutex, RefusesALinkPlacedAtItsPath) {
    ScopedRuntimeDir dir;
    const std::string victim = dir.Path() + "/victim.txt";
    std::ofstream(victim) << "keep";
    ASSERT_EQ(symlink(victim.c_str(), kq::NamedMutexFile::PathFor("trap").c_str()), 0);
    EXPECT_EQ(CreateMutex(nullptr, TRUE, "trap"), nullptr);
    std::ifstream in(victim);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "keep");
}
