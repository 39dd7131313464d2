#include "platform/base/Paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "base/ScopedTempFolder.h"
#include "platform/base/LastError.h"

namespace {

TEST(Paths, SpecialFoldersFollowTheXdgFolders) {
    kq::test::ScopedTempFolder folder;
    kq::ScopedFolderRoots roots(folder.Path());
    char path[MAX_PATH];
    ASSERT_EQ(SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path), S_OK);
    EXPECT_STREQ(path, (folder / "data").c_str());
    ASSERT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_APPDATA, FALSE));
    EXPECT_STREQ(path, (folder / "config").c_str());
    ASSERT_EQ(SHGetFolderPath(nullptr, CSIDL_PERSONAL, nullptr, 0, path), S_OK);
    EXPECT_STREQ(path, (folder / "documents").c_str());
    EXPECT_EQ(SHGetFolderPath(nullptr, 0x7777, nullptr, 0, path), E_INVALIDARG);
    EXPECT_STREQ(path, "");
    EXPECT_EQ(kq::RuntimeFolder(), folder / "run");

    // Relative XDG values do not count; HOME then decides.
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(kq::LocalAppDataFolder(), folder / "home/.local/share");
    ASSERT_EQ(SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path),
              S_OK);
    EXPECT_TRUE(std::filesystem::is_directory(path));

    // Documents: user-dirs.dirs, else ~/Documents when present, else home.
    ::unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(kq::DocumentsFolder(), folder / "home");
    std::filesystem::create_directories(folder / "home/Documents");
    EXPECT_EQ(kq::DocumentsFolder(), folder / "home/Documents");
    kq::test::WriteFileBytes(
        folder / "config/user-dirs.dirs",
        "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(kq::DocumentsFolder(), folder / "home/Dokumente");

    // A folder too long for the caller's MAX_PATH buffer is a failure, not an overflow.
    ::setenv("XDG_CONFIG_HOME", ("/" + std::string(300, 'x')).c_str(), 1);
    std::memset(path, 'z', sizeof path);
    EXPECT_EQ(SHGetFolderPath(nullptr, CSIDL_APPDATA, nullptr, 0, path), E_FAIL);
    EXPECT_STREQ(path, "");
}

TEST(Paths, BufferProtocols) {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileName(nullptr, buffer, sizeof buffer);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::strlen(buffer), length);
    EXPECT_NE(std::string(buffer).find("test_base"), std::string::npos);
    char small[5];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), 5u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::strlen(small), 4u);

    kq::test::ScopedTempFolder folder;
    kq::ScopedFolderRoots roots(folder.Path());
    const std::string temp = folder / "tmp/";
    EXPECT_EQ(GetTempPath(3, small), temp.size() + 1);  // the size needed
    EXPECT_EQ(GetTempPath(sizeof buffer, buffer), temp.size());
    EXPECT_EQ(buffer, temp);
    EXPECT_GT(GetCurrentDirectory(sizeof buffer, buffer), 0u);
    EXPECT_EQ(buffer, std::filesystem::current_path().string());

    EXPECT_EQ(kq::JoinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(kq::JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(kq::JoinPath("", "b"), "b");
}

}  // namespace
