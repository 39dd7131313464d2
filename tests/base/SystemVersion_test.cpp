#include "platform/base/SystemVersion.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/LastError.h"

namespace {

TEST(SystemVersion, TheShortAndLongFormsAgreeOnTheClassicNtRelease) {
    const DWORD version = GetVersion();
    EXPECT_EQ(version & 0x80000000u, 0u);  // the NT family
    EXPECT_EQ(LOBYTE(LOWORD(version)), 5);
    EXPECT_EQ(HIBYTE(LOWORD(version)), 0);

    OSVERSIONINFOA info;
    std::memset(&info, 0xCD, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwOSVersionInfoSize, 148u);
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
    EXPECT_EQ(info.dwBuildNumber, HIWORD(version));
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_STREQ(info.szCSDVersion, "Service Pack 4");

    OSVERSIONINFOEXA ex;
    std::memset(&ex, 0xCD, sizeof ex);
    ex.dwOSVersionInfoSize = sizeof ex;
    ASSERT_TRUE(GetVersionExA(&ex));
    EXPECT_EQ(ex.dwMajorVersion, 5u);
    EXPECT_EQ(ex.wServicePackMajor, 4);
    EXPECT_EQ(ex.wServicePackMinor, 0);
    EXPECT_EQ(ex.wProductType, VER_NT_WORKSTATION);

    // Any other size is refused and nothing is written.
    std::memset(&info, 0xCD, sizeof info);
    info.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(GetVersionExA(&info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(info.dwMajorVersion, 0xCDCDCDCDu);
    EXPECT_FALSE(GetVersionExA(static_cast<OSVERSIONINFOA*>(nullptr)));
}

}  // namespace
