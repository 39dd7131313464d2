// The settings store on disk: durability, coalesced saves, damaged and imported files, and
// several processes sharing one file.
#include "platform/base/RegistryStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/ScopedTempFolder.h"
#include "platform/base/Clock.h"
#include "platform/base/Paths.h"
#include "platform/base/Registry.h"
#include "platform/base/Utf16.h"

namespace {

using kq::test::ReadFileBytes;
using kq::test::WriteFileBytes;

constexpr const char* kApp = "Software\\Brevan S.A.S.\\KQ7-B";

class RegistryStore : public ::testing::Test {
  protected:
    void SetUp() override { kq::SetRegistryFilePath(path_); }
    void TearDown() override { kq::SetRegistryFilePath(path_); }

    // Forgets everything in memory and reads the file (and journal) again, as a new process would.
    void Reopen() { kq::SetRegistryFilePath(path_); }

    static LONG Set(const std::string& name, DWORD value, const char* key = kApp) {
        HKEY hKey = nullptr;
        LONG r = RegCreateKeyEx(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &hKey, nullptr);
        if (r != ERROR_SUCCESS)
            return r;
        r = RegSetValueEx(hKey, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value);
        RegCloseKey(hKey);
        return r;
    }
    // The value, or -1 when it is missing.
    static long long Get(const std::string& name, const char* key = kApp) {
        HKEY hKey = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return -1;
        DWORD value = 0, size = sizeof value;
        const LONG r = RegQueryValueEx(hKey, name.c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(hKey);
        return r == ERROR_SUCCESS ? static_cast<long long>(value) : -1;
    }
    bool FileExists() const { return std::filesystem::exists(path_); }

    kq::test::ScopedTempFolder folder_;
    const std::string path_ = folder_ / "config/kq7b/registry.reg";
};

TEST_F(RegistryStore, ManyWritesCostOneSaveYetAllReachTheFile) {
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(Set("v" + std::to_string(i), static_cast<DWORD>(i)), ERROR_SUCCESS);
    EXPECT_FALSE(FileExists());  // journalled only
    Reopen();                    // the rewrite at close
    const std::string text = ReadFileBytes(path_);
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n\n", 0), 0u);
    EXPECT_NE(
        text.find("[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B]\n\"v0\"=dword:00000000\n"),
        std::string::npos);
    EXPECT_NE(text.find("\"v299\"=dword:0000012b\n"), std::string::npos);
    EXPECT_EQ(Get("v299"), 299);

    // Once the journal outgrows its limit the file is rewritten without waiting for the close.
    struct stat before {};
    ASSERT_EQ(::stat(path_.c_str(), &before), 0);
    const std::string pad(200, 'x');
    int writes = 0;
    struct stat after = before;
    while (after.st_ino == before.st_ino && writes < 2000) {
        Set(pad + std::to_string(writes++), 1);
        ::stat(path_.c_str(), &after);
    }
    EXPECT_GT(writes * 200, 32 * 1024);
    EXPECT_LT(writes * 200, 128 * 1024);
    EXPECT_LT(ReadFileBytes(path_ + ".journal").size(), 1024u);
    EXPECT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);

    // A process that ends normally saves on its way out.
    const pid_t child = ::fork();
    if (child == 0) {
        Reopen();
        std::exit(Set("atExit", 9) == ERROR_SUCCESS ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(ReadFileBytes(path_).find("\"atExit\"=dword:00000009"), std::string::npos);
}

TEST_F(RegistryStore, AKilledProcessKeepsEveryCompletedWrite) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        for (int i = 0;; ++i) {
            if (Set("v" + std::to_string(i), static_cast<DWORD>(i * 3)) != ERROR_SUCCESS)
                ::_exit(1);
            if (::write(pipeFds[1], &i, sizeof i) != sizeof i)
                ::_exit(1);
        }
    }
    ::close(pipeFds[1]);
    int confirmed = -1, number = 0;
    while (confirmed < 400 && ::read(pipeFds[0], &number, sizeof number) == sizeof number)
        confirmed = number;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    while (::read(pipeFds[0], &number, sizeof number) == sizeof number)
        confirmed = number;
    ::close(pipeFds[0]);

    Reopen();
    EXPECT_FALSE(kq::GetRegistryDamage(nullptr));
    for (int i = 0; i <= confirmed; ++i)
        ASSERT_EQ(Get("v" + std::to_string(i)), i * 3) << "write " << i << " of " << confirmed;
    // A torn line left at the end of the journal does not swallow the next process's write.
    ASSERT_EQ(kq::FlushRegistry(), ERROR_SUCCESS);
    WriteFileBytes(path_ + ".journal", ReadFileBytes(path_ + ".journal") + "V =HKEY_CUR");
    ASSERT_EQ(Set("last", 8), ERROR_SUCCESS);
    Reopen();
    EXPECT_EQ(Get("last"), 8);
    EXPECT_EQ(Get("v0"), 0);
}

TEST_F(RegistryStore, ADamagedFileIsMovedAsideReportedAndReplaced) {
    kq::ScopedVirtualClock clock;  // every damaged copy gets the same time stamp
    const std::string good = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n";
    const std::pair<std::string, std::string> cases[] = {
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n", "line 1: not a settings file"},
        {good + "\"v\"=dword:00000001 junk\n", "line 4: bad dword"},
        {good + "\"v\"=hex:0x\n", "line 4: bad hex byte"},
        {good + "\"v\"=hex:01,02,\\\n", "line 4: file ends inside a continued line"},
        {std::string(), "line 1: the file is empty"},
        {good + std::string(kq::RegistryStore::kFileLimit, '\n'), "larger than 32 MiB"},
    };
    std::set<std::string> movedTo;
    for (const auto& [bytes, reason] : cases) {
        std::filesystem::create_directories(folder_ / "config/kq7b");
        WriteFileBytes(path_, bytes);
        Reopen();
        kq::RegistryDamage damage;
        ASSERT_TRUE(kq::GetRegistryDamage(&damage));
        EXPECT_EQ(damage.file, path_);
        EXPECT_EQ(damage.reason.rfind(reason, 0), 0u) << damage.reason;
        EXPECT_EQ(damage.movedTo.rfind(path_ + ".damaged-", 0), 0u);
        EXPECT_EQ(ReadFileBytes(damage.movedTo), bytes);
        movedTo.insert(damage.movedTo);
        EXPECT_FALSE(FileExists());
        EXPECT_EQ(Get("v", "A"), -1);  // starts empty
        EXPECT_EQ(Set("v", 5, "A"), ERROR_SUCCESS);
        Reopen();
        EXPECT_FALSE(kq::GetRegistryDamage(nullptr));
        EXPECT_EQ(Get("v", "A"), 5);
    }
    EXPECT_EQ(movedTo.size(), std::size(cases));  // none overwrote another
}

TEST_F(RegistryStore, ChangesJournalledAfterTheLastSaveOutliveADamagedFile) {
    // A process saves, journals one more change and dies.
    const pid_t child = ::fork();
    if (child == 0) {
        const bool ok = Set("saved", 1) == ERROR_SUCCESS && kq::FlushRegistry() == ERROR_SUCCESS &&
                        Set("journalled", 2) == ERROR_SUCCESS;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    // Then the disk garbles the file in place (size and time unchanged, so the journal still
    // belongs to it).
    struct stat st {};
    ASSERT_EQ(::stat(path_.c_str(), &st), 0);
    const int fd = ::open(path_.c_str(), O_WRONLY);
    ASSERT_EQ(::pwrite(fd, "Xindows", 7, 0), 7);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::futimens(fd, times), 0);
    ::close(fd);

    EXPECT_TRUE(kq::GetRegistryDamage(nullptr));
    EXPECT_EQ(Get("saved"), -1);
    EXPECT_EQ(Get("journalled"), 2);
    Reopen();
    EXPECT_FALSE(kq::GetRegistryDamage(nullptr));
    EXPECT_EQ(Get("journalled"), 2);
}

TEST_F(RegistryStore, AFileExportedByWindowsIsImported) {
    const std::string exported =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Brevan S.A.S.\\KQ7-B\\Settings]\r\n"
        "\"SearchForOnlyUSBPorts\"=dword:00000001\r\n"
        "\"Title\"=\"Drehmoment – Prüfstand\"\r\n\r\n";
    std::filesystem::create_directories(folder_ / "config/kq7b");
    WriteFileBytes(path_, "\xFF\xFE" + kq::Utf8ToUtf16Le(exported));
    Reopen();
    const std::string settings = std::string(kApp) + "\\Settings";
    EXPECT_EQ(Get("SearchForOnlyUSBPorts", settings.c_str()), 1);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, settings.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    char title[64];
    DWORD size = sizeof title;
    EXPECT_EQ(
        RegQueryValueEx(key, "Title", nullptr, nullptr, reinterpret_cast<BYTE*>(title), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(title, "Drehmoment – Prüfstand");
    RegCloseKey(key);

    // Copied in while the program runs, the new file wins over changes journalled before it;
    // changes made after it are kept.
    ASSERT_EQ(Set("before", 1), ERROR_SUCCESS);
    const std::string replacement = folder_ / "replacement.reg";
    WriteFileBytes(replacement, exported);
    ASSERT_EQ(::rename(replacement.c_str(), path_.c_str()), 0);
    ASSERT_EQ(Set("after", 2), ERROR_SUCCESS);
    Reopen();
    EXPECT_EQ(Get("before"), -1);
    EXPECT_EQ(Get("after"), 2);
    EXPECT_EQ(Get("SearchForOnlyUSBPorts", settings.c_str()), 1);
}

TEST_F(RegistryStore, ProcessesSharingTheFileKeepEachOthersChanges) {
    ASSERT_EQ(Set("parent1", 1), ERROR_SUCCESS);
    ASSERT_EQ(kq::FlushRegistry(), ERROR_SUCCESS);
    const pid_t child = ::fork();
    if (child == 0) {
        Reopen();  // a process started now
        const bool ok = Get("parent1") == 1 && Set("child", 2) == ERROR_SUCCESS &&
                        kq::FlushRegistry() == ERROR_SUCCESS && Set("child2", 3) == ERROR_SUCCESS;
        ::_exit(ok ? 0 : 1);  // no rewrite at exit: "child2" stays in the journal
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Get("child"), -1);  // this process keeps its own view...
    ASSERT_EQ(Set("parent2", 4), ERROR_SUCCESS);
    ASSERT_EQ(kq::FlushRegistry(), ERROR_SUCCESS);  // ...but its save does not drop the child's
    Reopen();
    EXPECT_EQ(Get("parent1"), 1);
    EXPECT_EQ(Get("child"), 2);
    EXPECT_EQ(Get("child2"), 3);
    EXPECT_EQ(Get("parent2"), 4);
}

TEST_F(RegistryStore, AChangeThatCannotBeSavedIsNotMade) {
    WriteFileBytes(folder_ / "config", "a file where the folder should be");
    EXPECT_EQ(Set("v", 1), ERROR_CANTWRITE);
    EXPECT_EQ(Get("v"), -1);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kApp, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryStore, TheDefaultFileLivesInTheConfigurationFolder) {
    kq::ScopedFolderRoots roots(folder_ / "roots");
    kq::SetRegistryFilePath("");
    EXPECT_EQ(kq::RegistryFilePath(), folder_ / "roots/config/kq7b/registry.reg");
    kq::SetRegistryFilePath(path_);
}

}  // namespace
