#include "platform/base/LastError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

namespace {

TEST(LastError, ErrnoMapsToTheCodesCallersTest) {
    EXPECT_EQ(KqErrorFromErrno(0), 0u);
    EXPECT_EQ(KqErrorFromErrno(ENOENT), 2u);
    EXPECT_EQ(KqErrorFromErrno(ENOTDIR), 3u);
    EXPECT_EQ(KqErrorFromErrno(EACCES), 5u);
    EXPECT_EQ(KqErrorFromErrno(EPERM), 5u);
    EXPECT_EQ(KqErrorFromErrno(EBADF), 6u);
    EXPECT_EQ(KqErrorFromErrno(ENOMEM), 8u);
    EXPECT_EQ(KqErrorFromErrno(EEXIST), 183u);
    EXPECT_EQ(KqErrorFromErrno(EINVAL), 87u);
    EXPECT_EQ(KqErrorFromErrno(ENOSPC), 112u);
    EXPECT_EQ(KqErrorFromErrno(ENOTEMPTY), 145u);
    EXPECT_EQ(KqErrorFromErrno(ETIMEDOUT), 1460u);
    EXPECT_EQ(KqErrorFromErrno(EXDEV), 17u);
    EXPECT_EQ(KqErrorFromErrno(EIO), 31u);
    EXPECT_EQ(KqErrorFromErrno(123456), 31u);  // unknown: a general failure, never success
}

TEST(LastError, EachThreadHasItsOwn) {
    SetLastError(ERROR_ALREADY_EXISTS);
    DWORD seen = 1;
    std::thread([&seen] {
        seen = GetLastError();
        SetLastError(ERROR_TIMEOUT);
    }).join();
    EXPECT_EQ(seen, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    // The constants compare with both DWORD and LONG results without casts.
    const DWORD fromGet = GetLastError();
    const LONG fromReg = ERROR_MORE_DATA;
    EXPECT_TRUE(fromGet == ERROR_ALREADY_EXISTS && fromReg == ERROR_MORE_DATA);
    errno = ENOENT;
    EXPECT_EQ(kq::FailWithErrno(), FALSE);
    EXPECT_EQ(GetLastError(), 2u);
}

}  // namespace
