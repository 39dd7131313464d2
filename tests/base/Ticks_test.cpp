#include "platform/base/Ticks.h"

#include <gtest/gtest.h>

#include "base/ScopedTimeZone.h"
#include "platform/base/Clock.h"
#include "platform/base/SystemTime.h"

TEST(Ticks, TickCountWrapsAfterTwoToThe32Milliseconds) {
    kq::ScopedVirtualClock clock;
    EXPECT_EQ(GetTickCount(), 1000u);
    clock->AdvanceMillis((1LL << 32) - 1000 - 1);
    const DWORD before = GetTickCount();
    EXPECT_EQ(before, 0xFFFFFFFFu);
    clock->AdvanceMillis(3);
    EXPECT_EQ(GetTickCount(), 2u);
    EXPECT_EQ(timeGetTime(), 2u);
    EXPECT_EQ(GetTickCount64(), (1ULL << 32) + 2);
    // Elapsed times taken as unsigned differences survive the wrap.
    EXPECT_EQ(static_cast<DWORD>(GetTickCount() - before), 3u);
}

TEST(Ticks, PerformanceCounterRunsAtTenMegahertz) {
    kq::ScopedVirtualClock clock;
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency.QuadPart, 10000000);
    ASSERT_TRUE(QueryPerformanceCounter(&start));
    clock->AdvanceNanos(1234567);
    ASSERT_TRUE(QueryPerformanceCounter(&end));
    EXPECT_EQ(end.QuadPart - start.QuadPart, 12345);
    EXPECT_EQ(end.LowPart, static_cast<DWORD>(end.QuadPart));
    EXPECT_FALSE(QueryPerformanceCounter(nullptr));
}

TEST(SystemTime, LocalAndUniversalTimeFromTheWallClock) {
    ScopedTimeZone zone(kCentralEurope);
    kq::ScopedVirtualClock clock;
    clock->SetWallNanos(1719828000LL * 1000000000 + 250000000);  // 2024-07-01 10:00:00.250 UTC
    SYSTEMTIME local{};
    SYSTEMTIME utc{};
    GetLocalTime(&local);
    GetSystemTime(&utc);
    EXPECT_EQ(local.wYear, 2024);
    EXPECT_EQ(local.wMonth, 7);
    EXPECT_EQ(local.wDay, 1);
    EXPECT_EQ(local.wDayOfWeek, 1);
    EXPECT_EQ(local.wHour, 12);
    EXPECT_EQ(local.wMilliseconds, 250);
    EXPECT_EQ(utc.wHour, 10);
    EXPECT_EQ(utc.wMinute, 0);
    EXPECT_EQ(utc.wMilliseconds, 250);
}
