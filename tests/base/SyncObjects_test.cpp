#include "platform/base/SyncObjects.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "platform/base/SyncLocks.h"
#include "platform/base/Wait.h"

namespace {

template <typename F>
auto OnOtherThread(F f) {
    return std::async(std::launch::async, f).get();
}

}  // namespace

TEST(CCriticalSection, RecursiveAndOnlyTheOwnerUnlocks) {
    CCriticalSection section;
    EXPECT_TRUE(section.Lock());
    EXPECT_TRUE(section.Lock(100));
    EXPECT_FALSE(OnOtherThread([&] { return section.Unlock(); }));
    EXPECT_TRUE(section.Unlock());
    EXPECT_TRUE(section.Unlock());
    EXPECT_FALSE(section.Unlock());
    EXPECT_TRUE(OnOtherThread([&] {
        CSingleLock lock(&section, TRUE);
        return lock.IsLocked();
    }));
}

TEST(CEvent, ManualAndAutoReset) {
    CEvent manual(FALSE, TRUE);
    EXPECT_FALSE(manual.Lock(0));
    manual.SetEvent();
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(0));

    CEvent automatic(TRUE);
    EXPECT_TRUE(automatic.Lock(0));
    EXPECT_FALSE(automatic.Lock(0));
}

TEST(CSingleLock, UnlocksWhenItGoes) {
    CMutex mutex;
    {
        CSingleLock lock(&mutex);
        EXPECT_TRUE(lock.Lock());
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(mutex, 0); }), WAIT_TIMEOUT);
    }
    EXPECT_TRUE(OnOtherThread([&] {
        CSingleLock lock(&mutex, TRUE);
        return lock.IsLocked();
    }));
    // A mutex left by an ended thread is still locked by the next Lock, which must unlock it.
    std::thread([&] { mutex.Lock(); }).join();
    CSingleLock lock(&mutex);
    EXPECT_TRUE(lock.Lock(0));
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.IsLocked());
}

TEST(CMultiLock, AnyAndAll) {
    CEvent first(FALSE, TRUE);
    CEvent second(TRUE, TRUE);
    CMutex mutex;
    CSyncObject* objects[] = {&first, &second, &mutex};
    {
        CMultiLock lock(objects, 3);
        EXPECT_EQ(lock.Lock(0, FALSE), WAIT_OBJECT_0 + 1);
        EXPECT_FALSE(lock.IsLocked(0));
        EXPECT_TRUE(lock.IsLocked(1));
        EXPECT_EQ(lock.Lock(0, TRUE), WAIT_TIMEOUT);
        first.SetEvent();
        EXPECT_EQ(lock.Lock(0, TRUE), WAIT_OBJECT_0);
        EXPECT_TRUE(lock.IsLocked(2));
        EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(mutex, 0); }), WAIT_TIMEOUT);
    }
    // The lock released the mutex when it went.
    EXPECT_EQ(OnOtherThread([&] {
                  const DWORD result = WaitForSingleObject(mutex, 0);
                  mutex.Unlock();
                  return result;
              }),
              WAIT_OBJECT_0);
}
