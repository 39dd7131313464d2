#include "platform/base/Thread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/base/Event.h"
#include "platform/base/KernelObject.h"
#include "platform/base/Wait.h"
#include "platform/base/WinThread.h"

namespace {

struct Start {
    HANDLE go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    DWORD seenId = 0;
    ~Start() { CloseHandle(go); }
};

DWORD WaitForGoThenReport(LPVOID param) {
    auto* start = static_cast<Start*>(param);
    WaitForSingleObject(start->go, INFINITE);
    start->seenId = GetCurrentThreadId();
    return 42;
}

}  // namespace

TEST(Thread, HandleIsSignalledWhenTheThreadEnds) {
    Start start;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, WaitForGoThenReport, &start, CREATE_SUSPENDED, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, GetCurrentThreadId());
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(ResumeThread(thread), 1u);
    EXPECT_EQ(ResumeThread(thread), 0u);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
    SetEvent(start.go);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);  // stays signalled
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(start.seenId, id);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_EQ(ResumeThread(start.go), 0xFFFFFFFFu);
}

TEST(Thread, ClosingTheHandleLeavesTheThreadRunning) {
    Start start;
    HANDLE thread = CreateThread(nullptr, 0, WaitForGoThenReport, &start, 0, nullptr);
    HANDLE watched = kq::InsertHandle(kq::LookupHandle(thread));
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
    SetEvent(start.go);
    EXPECT_EQ(WaitForSingleObject(watched, INFINITE), WAIT_OBJECT_0);
    EXPECT_NE(start.seenId, 0u);
    CloseHandle(watched);
}

namespace {

std::atomic<bool> g_unwound{false};

struct SetsFlagOnUnwind {
    ~SetsFlagOnUnwind() { g_unwound = true; }
};

UINT EndsEarly(LPVOID param) {
    SetsFlagOnUnwind guard;
    if (param)
        AfxEndThread(7);
    return 1;
}

}  // namespace

TEST(WinThread, WorkerThreadEndsWithItsCodeOrAfxEndThreadsCode) {
    CWinThread* worker =
        AfxBeginThread(EndsEarly, nullptr, THREAD_PRIORITY_LOWEST, 0, CREATE_SUSPENDED);
    ASSERT_NE(worker, nullptr);
    worker->m_bAutoDelete = FALSE;
    EXPECT_EQ(worker->GetThreadPriority(), THREAD_PRIORITY_LOWEST);
    EXPECT_NE(worker->m_nThreadID, 0u);
    worker->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(*worker, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(worker->m_hThread, &code);
    EXPECT_EQ(code, 1u);
    delete worker;

    g_unwound = false;
    int nonNull = 1;
    worker = AfxBeginThread(EndsEarly, &nonNull, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    worker->m_bAutoDelete = FALSE;
    worker->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(worker->m_hThread, INFINITE), WAIT_OBJECT_0);
    GetExitCodeThread(worker->m_hThread, &code);
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(g_unwound);
    delete worker;
}

namespace {

class CountingThread : public CWinThread {
  public:
    CountingThread(bool initOk, HANDLE deleted) : initOk_(initOk), deleted_(deleted) {}
    ~CountingThread() override { SetEvent(deleted_); }
    BOOL InitInstance() override { return initOk_; }
    int Run() override { return 70 + ExitInstance(); }
    int ExitInstance() override { return 3; }

  private:
    bool initOk_;
    HANDLE deleted_;
};

}  // namespace

TEST(WinThread, UserInterfaceThreadRunsItsOverridesAndDeletesItself) {
    for (bool initOk : {true, false}) {
        HANDLE deleted = CreateEvent(nullptr, TRUE, FALSE, nullptr);
        auto* thread = new CountingThread(initOk, deleted);
        ASSERT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
        HANDLE handle = thread->m_hThread;
        // A second reference keeps the handle usable after the object deletes itself.
        HANDLE watched = kq::InsertHandle(kq::LookupHandle(handle));
        thread->ResumeThread();
        ASSERT_EQ(WaitForSingleObject(watched, INFINITE), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(deleted, 0), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeThread(watched, &code);
        EXPECT_EQ(code, initOk ? 73u : 3u);
        EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_FAILED);  // closed by the object
        CloseHandle(watched);
        CloseHandle(deleted);
    }
}
