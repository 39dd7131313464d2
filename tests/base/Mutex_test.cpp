#include "platform/base/Mutex.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "base/ScopedRuntimeDir.h"
#include "platform/base/Event.h"
#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/Wait.h"

namespace {

template <typename F>
auto OnOtherThread(F f) {
    return std::async(std::launch::async, f).get();
}

}  // namespace

TEST(Mutex, OwnershipIsRecursiveAndBelongsToOneThread) {
    HANDLE mutex = CreateMutex(nullptr, TRUE, nullptr);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(mutex, 0); }), WAIT_TIMEOUT);
    EXPECT_FALSE(OnOtherThread([&] { return ReleaseMutex(mutex); }));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(mutex, 0); }), WAIT_TIMEOUT);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(OnOtherThread([&] {
                  const DWORD result = WaitForSingleObject(mutex, 0);
                  ReleaseMutex(mutex);
                  return result;
              }),
              WAIT_OBJECT_0);
    CloseHandle(mutex);
}

TEST(Mutex, AThreadEndingWhileOwningItAbandonsIt) {
    HANDLE mutex = CreateMutex(nullptr, FALSE, nullptr);
    std::thread([&] { WaitForSingleObject(mutex, 0); }).join();
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_ABANDONED);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(ReleaseMutex(mutex));

    HANDLE event = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    HANDLE both[2] = {event, mutex};
    std::thread([&] { WaitForSingleObject(mutex, 0); }).join();
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_ABANDONED_0 + 1);
    EXPECT_TRUE(ReleaseMutex(mutex));
    CloseHandle(event);
    CloseHandle(mutex);
}

TEST(Mutex, WaitAllDoesNotTakeTheEventWhileTheMutexIsOwnedElsewhere) {
    HANDLE mutex = CreateMutex(nullptr, FALSE, nullptr);
    HANDLE event = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    HANDLE both[2] = {event, mutex};
    HANDLE ownerHolds = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE ownerMayGo = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        WaitForSingleObject(mutex, INFINITE);
        SetEvent(ownerHolds);
        WaitForSingleObject(ownerMayGo, INFINITE);
        ReleaseMutex(mutex);
    });
    WaitForSingleObject(ownerHolds, INFINITE);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_TIMEOUT);
    SetEvent(ownerMayGo);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, INFINITE), WAIT_OBJECT_0);
    owner.join();
    EXPECT_TRUE(ReleaseMutex(mutex));
    for (HANDLE h : {mutex, event, ownerHolds, ownerMayGo})
        CloseHandle(h);
}

TEST(Mutex, ANameGivesOneMutexWithinTheProcess) {
    ScopedRuntimeDir dir;
    bool existed = true;
    HANDLE first = kq::CreateMutexReportingExistence(TRUE, "Local\\KQ7B same name", existed);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(existed);
    HANDLE second = kq::CreateMutexReportingExistence(TRUE, "KQ7B same name", existed);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(existed);
    // The second handle did not take ownership, and it reaches the mutex the first one owns.
    EXPECT_TRUE(ReleaseMutex(second));
    EXPECT_FALSE(ReleaseMutex(first));
    HANDLE opened = OpenMutex(SYNCHRONIZE, FALSE, "KQ7B same name");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(WaitForSingleObject(opened, 0), WAIT_OBJECT_0);
    EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(first, 0); }), WAIT_TIMEOUT);
    EXPECT_TRUE(ReleaseMutex(first));
    EXPECT_EQ(OnOtherThread([&] {
                  const DWORD result = WaitForSingleObject(second, 0);
                  ReleaseMutex(second);
                  return result;
              }),
              WAIT_OBJECT_0);
    for (HANDLE h : {first, second, opened})
        CloseHandle(h);
    EXPECT_EQ(OpenMutex(SYNCHRONIZE, FALSE, "KQ7B same name"), nullptr);
    EXPECT_EQ(OpenMutex(SYNCHRONIZE, FALSE, "KQ7B never made"), nullptr);
}

TEST(MutexLastError, CreateTellsWhetherTheNamedMutexExisted) {
    ScopedRuntimeDir runtime;
    HANDLE first = CreateMutex(nullptr, FALSE, "kq7b last error");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE second = CreateMutex(nullptr, FALSE, "kq7b last error");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(ReleaseMutex(second));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
    CloseHandle(second);
    CloseHandle(first);
    EXPECT_EQ(OpenMutex(0, FALSE, "kq7b never created"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
