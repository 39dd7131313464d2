#include "platform/base/LegacyFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ScopedTempFolder.h"
#include "platform/base/LastError.h"

namespace {

using kq::test::ScopedTempFolder;

TEST(LegacyFile, ReadsSeeksAndClosesARealFile) {
    ScopedTempFolder folder;
    const std::string path = folder / "bits.bin";
    kq::test::WriteFileBytes(path, "0123456789");

    OFSTRUCT info;
    std::memset(&info, 0xAB, sizeof info);
    const HFILE file = OpenFile(path.c_str(), &info, OF_READ | OF_SHARE_DENY_WRITE);
    ASSERT_NE(file, HFILE_ERROR);
    EXPECT_EQ(info.cBytes, sizeof(OFSTRUCT));
    EXPECT_EQ(info.nErrCode, 0);
    EXPECT_STREQ(info.szPathName, path.c_str());

    char buffer[16] = {};
    EXPECT_EQ(_lread(file, buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(_llseek(file, 0, 1), 4);  // the current position
    EXPECT_EQ(_llseek(file, -3, 2), 7);
    EXPECT_EQ(_lread(file, buffer, 16), 3u);  // short at the end
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(_lread(file, buffer, 16), 0u);
    EXPECT_EQ(_llseek(file, 2, 0), 2);
    EXPECT_EQ(_lread(file, buffer, 1), 1u);
    EXPECT_EQ(buffer[0], '2');
    // Bad positions and origins fail without moving.
    EXPECT_EQ(_llseek(file, -5, 0), HFILE_ERROR);
    EXPECT_EQ(_llseek(file, 0, 3), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(_llseek(file, 0, 1), 3);

    EXPECT_EQ(_lclose(file), 0);
    // A closed handle is dead for every call, and is not handed out again.
    EXPECT_EQ(_lread(file, buffer, 1), static_cast<UINT>(HFILE_ERROR));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(_llseek(file, 0, 0), HFILE_ERROR);
    EXPECT_EQ(_lclose(file), HFILE_ERROR);
    const HFILE again = OpenFile(path.c_str(), &info, OF_READ);
    EXPECT_NE(again, file);
    EXPECT_EQ(_lclose(again), 0);
}

TEST(LegacyFile, MissingFilesAndUnsupportedModesFail) {
    ScopedTempFolder folder;
    OFSTRUCT info{};
    SetLastError(0);
    EXPECT_EQ(OpenFile((folder / "none.bmp").c_str(), &info, OF_READ), HFILE_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(info.nErrCode, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(OpenFile((folder / "no/such/dir.bmp").c_str(), &info, OF_READ), HFILE_ERROR);
    EXPECT_NE(info.nErrCode, 0);
    EXPECT_EQ(OpenFile(nullptr, &info, OF_READ), HFILE_ERROR);
    EXPECT_EQ(OpenFile((folder / "x").c_str(), nullptr, OF_READ), HFILE_ERROR);

    const std::string path = folder / "present";
    kq::test::WriteFileBytes(path, "x");
    EXPECT_EQ(OpenFile(path.c_str(), &info, 0x0001 /* OF_WRITE */), HFILE_ERROR);
    EXPECT_EQ(info.nErrCode, ERROR_NOT_SUPPORTED);
    EXPECT_EQ(_lread(12345678, nullptr, 0), static_cast<UINT>(HFILE_ERROR));
}

TEST(LegacyFile, LongPathsOpenWithTheirNameCutAtAWholeCharacter) {
    ScopedTempFolder folder;
    // Two-byte characters so that the cut falls inside one unless it is made with care.
    std::string name;
    while (folder.Path().size() + 1 + name.size() < 200)
        name += "\xC3\xA4";
    const std::string path = folder / name;
    kq::test::WriteFileBytes(path, "abc");
    OFSTRUCT info{};
    const HFILE file = OpenFile(path.c_str(), &info, OF_READ);
    ASSERT_NE(file, HFILE_ERROR);
    const std::string stored = info.szPathName;
    EXPECT_LE(stored.size(), static_cast<size_t>(OFS_MAXPATHNAME - 1));
    EXPECT_GE(stored.size(), static_cast<size_t>(OFS_MAXPATHNAME - 2));
    EXPECT_EQ(path.compare(0, stored.size(), stored), 0);
    EXPECT_NE(static_cast<unsigned char>(stored.back()), 0xC3);  // no half character at the end
    char buffer[4] = {};
    EXPECT_EQ(_lread(file, buffer, 3), 3u);
    EXPECT_EQ(_lclose(file), 0);
}

}  // namespace
