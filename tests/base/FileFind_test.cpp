#include "platform/base/FileFind.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/ScopedTempFolder.h"
#include "platform/base/LastError.h"

namespace {

TEST(FileFind, WildcardsFollowWindows) {
    using kq::MatchesWildcard;
    EXPECT_TRUE(MatchesWildcard("*", "anything"));
    EXPECT_TRUE(MatchesWildcard("*.*", "noextension"));
    EXPECT_TRUE(MatchesWildcard("*.*", "a.b.c"));
    EXPECT_TRUE(MatchesWildcard("*.TXT", "report.txt"));
    EXPECT_TRUE(MatchesWildcard("log?.txt", "log1.txt"));
    EXPECT_FALSE(MatchesWildcard("log?.txt", "log.txt"));
    EXPECT_FALSE(MatchesWildcard("log?.txt", "log12.txt"));
    EXPECT_TRUE(MatchesWildcard("*a*b*c", "xxaxxbxxbxxc"));
    EXPECT_FALSE(MatchesWildcard("*a*b*c", "xxaxxbxxcxxb"));
    EXPECT_FALSE(MatchesWildcard("*.csv", "data.csv.bak"));
    EXPECT_TRUE(MatchesWildcard("1234.txt", "1234.txt"));
    EXPECT_FALSE(MatchesWildcard("", "x"));
    // Many stars against a long name stay linear, not exponential.
    EXPECT_FALSE(MatchesWildcard(std::string(40, '*') + "b", std::string(5000, 'a')));
}

TEST(FileFind, ListsMatchesSortedWithDots) {
    kq::test::ScopedTempFolder folder;
    for (const char* name : {"b.txt", "A.TXT", "c.csv", "readme"})
        kq::test::WriteFileBytes(folder / name, "12345");
    std::filesystem::create_directory(folder / "sub.txt");

    WIN32_FIND_DATA data{};
    HANDLE find = FindFirstFile((folder / "*.txt").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    std::string names = data.cFileName;
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    while (FindNextFile(find, &data)) {
        names += std::string(",") + data.cFileName;
        if (std::string(data.cFileName) == "sub.txt") {
            EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
        }
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_EQ(names, "A.TXT,b.txt,sub.txt");
    EXPECT_TRUE(FindClose(find));
    EXPECT_FALSE(FindClose(find));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    EXPECT_EQ(FindFirstFile((folder / "*.doc").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFile((folder / "missing/*.*").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    // The framework's loop: FindNextFile moves to an entry and says whether more follow.
    CFileFind finder;
    BOOL more = finder.FindFile((folder / "*.*").c_str());
    ASSERT_TRUE(more);
    std::string listed, dirs;
    int dots = 0;
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots()) {
            ++dots;
            continue;
        }
        listed += finder.GetFileName() + ",";
        if (finder.IsDirectory())
            dirs += finder.GetFilePath();
    }
    EXPECT_EQ(dots, 2);
    EXPECT_EQ(listed, "A.TXT,b.txt,c.csv,readme,sub.txt,");
    EXPECT_EQ(dirs, folder / "sub.txt");
    EXPECT_EQ(finder.GetFileTitle(), "sub");
    EXPECT_EQ(finder.GetRoot(), folder.Path());
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_FALSE(finder.FindFile((folder / "*.none").c_str()));
}

}  // namespace
