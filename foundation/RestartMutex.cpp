#include "foundation/RestartMutex.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/Handles.h"
#include "platform/base/Mutex.h"
#include "platform/base/Wait.h"

const char* const kRestartMutexName = "Brevan KQ7-B Restart";

namespace {

HANDLE g_restartMutex = nullptr;
std::atomic<bool> g_restarted{false};

std::string ProcessCommandLine() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto& c : line) {
        if (c == '\0')
            c = ' ';
    }
    return line;
}

void CloseStoredHandle() {
    if (g_restartMutex)
        CloseHandle(g_restartMutex);
    g_restartMutex = nullptr;
}

}  // namespace

bool IsRestartCommandLine() {
    return ProcessCommandLine().find("--Restart") != std::string::npos;
}

bool WaitForRestartMutex() {
    bool existed = false;
    g_restartMutex = kq::CreateMutexReportingExistence(FALSE, kRestartMutexName, existed);
    if (g_restartMutex && existed) {
        const DWORD result = WaitForSingleObject(g_restartMutex, INFINITE);
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
            ReleaseMutex(g_restartMutex);
            g_restarted = true;
        }
    }
    CloseStoredHandle();
    return true;
}

bool ReleaseRestartMutex() {
    if (!g_restartMutex)
        return false;
    bool released = false;
    const DWORD result = WaitForSingleObject(g_restartMutex, 0);
    if (result == WAIT_TIMEOUT) {
        released = ReleaseMutex(g_restartMutex) != FALSE;
    } else if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
        // The zero wait itself took ownership (ownership is recursive): give that back too, so
        // the mutex is never left held by a process that is ending.
        released = ReleaseMutex(g_restartMutex) != FALSE;
        while (ReleaseMutex(g_restartMutex)) {
        }
    }
    CloseStoredHandle();
    return released;
}

bool WasRestarted() {
    return g_restarted.load();
}
