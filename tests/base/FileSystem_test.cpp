#include "platform/base/FileSystem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/ScopedTempFolder.h"
#include "platform/base/LastError.h"

namespace {

using kq::test::ReadFileBytes;
using kq::test::WriteFileBytes;

DWORD LastError() {
    return GetLastError();
}

TEST(FileSystem, FoldersAndTheirErrors) {
    kq::test::ScopedTempFolder folder;
    const std::string sensors = folder / "Brevan/Sensors";
    EXPECT_FALSE(CreateDirectory(sensors.c_str(), nullptr));
    EXPECT_EQ(LastError(), 3u);  // ERROR_PATH_NOT_FOUND: the parent is missing
    EXPECT_TRUE(CreateDirectoryA((folder / "Brevan").c_str(), nullptr));
    EXPECT_TRUE(CreateDirectory(sensors.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectory(sensors.c_str(), nullptr));
    EXPECT_EQ(LastError(), 183u);  // ERROR_ALREADY_EXISTS, which callers accept

    EXPECT_EQ(SHCreateDirectoryEx(nullptr, (folder / "a/b/c/").c_str(), nullptr), ERROR_SUCCESS);
    EXPECT_EQ(SHCreateDirectoryEx(nullptr, (folder / "a/b").c_str(), nullptr),
              ERROR_ALREADY_EXISTS);
    WriteFileBytes(folder / "file", "x");
    EXPECT_EQ(SHCreateDirectoryEx(nullptr, (folder / "file").c_str(), nullptr), ERROR_FILE_EXISTS);
    EXPECT_EQ(SHCreateDirectoryEx(nullptr, (folder / "file/sub").c_str(), nullptr),
              ERROR_PATH_NOT_FOUND);

    EXPECT_FALSE(RemoveDirectory((folder / "a").c_str()));
    EXPECT_EQ(LastError(), 145u);  // ERROR_DIR_NOT_EMPTY
    EXPECT_TRUE(RemoveDirectory((folder / "a/b/c").c_str()));
    EXPECT_FALSE(DeleteFile((folder / "a").c_str()));
    EXPECT_EQ(LastError(), 5u);  // a folder is not a file
    EXPECT_TRUE(DeleteFile((folder / "file").c_str()));
    EXPECT_FALSE(DeleteFile((folder / "file").c_str()));
    EXPECT_EQ(LastError(), 2u);

    EXPECT_EQ(GetFileAttributes((folder / "a").c_str()), FILE_ATTRIBUTE_DIRECTORY);
    WriteFileBytes(folder / ".hidden", "");
    EXPECT_EQ(GetFileAttributes((folder / ".hidden").c_str()), FILE_ATTRIBUTE_HIDDEN);
    WriteFileBytes(folder / "plain", "");
    EXPECT_EQ(GetFileAttributes((folder / "plain").c_str()), FILE_ATTRIBUTE_NORMAL);
    ::chmod((folder / "plain").c_str(), 0444);
    EXPECT_EQ(GetFileAttributes((folder / "plain").c_str()), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(GetFileAttributes((folder / "none").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(LastError(), 2u);
    EXPECT_TRUE(PathFileExists((folder / "plain").c_str()));
    EXPECT_FALSE(PathFileExists((folder / "none").c_str()));
}

TEST(FileSystem, CopyAndMove) {
    kq::test::ScopedTempFolder folder;
    const std::string source = folder / "source.txt", target = folder / "target.txt";
    const std::string content(200000, 'k');
    WriteFileBytes(source, content);
    ::chmod(source.c_str(), 0640);
    const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, source.c_str(), old, 0);

    ASSERT_TRUE(CopyFile(source.c_str(), target.c_str(), TRUE));
    EXPECT_EQ(ReadFileBytes(target), content);
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
    WriteFileBytes(target, "changed");
    EXPECT_FALSE(CopyFile(source.c_str(), target.c_str(), TRUE));
    EXPECT_EQ(LastError(), 80u);  // ERROR_FILE_EXISTS, target untouched
    EXPECT_EQ(ReadFileBytes(target), "changed");
    EXPECT_TRUE(CopyFile(source.c_str(), target.c_str(), FALSE));
    EXPECT_EQ(ReadFileBytes(target), content);
    EXPECT_FALSE(CopyFile((folder / "none").c_str(), target.c_str(), FALSE));
    EXPECT_EQ(LastError(), 2u);
    // A failed copy leaves no partial target and no temporary behind.
    EXPECT_FALSE(CopyFile(source.c_str(), (folder / "no/dir/t.txt").c_str(), FALSE));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);

    const std::string moved = folder / "moved.txt";
    EXPECT_FALSE(MoveFile(source.c_str(), target.c_str()));
    EXPECT_EQ(LastError(), 183u);  // MoveFile never replaces
    EXPECT_TRUE(MoveFile(source.c_str(), moved.c_str()));
    EXPECT_FALSE(PathFileExists(source.c_str()));
    WriteFileBytes(source, "new");
    EXPECT_TRUE(MoveFileEx(source.c_str(), moved.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(ReadFileBytes(moved), "new");
    EXPECT_FALSE(MoveFileEx(moved.c_str(), target.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_EQ(LastError(), 87u);
    EXPECT_FALSE(MoveFile((folder / "none").c_str(), (folder / "x").c_str()));
    EXPECT_EQ(LastError(), 2u);
}

}  // namespace
