#include "platform/framework/WaitCursor.h"

#include "platform/framework/WinApp.h"
#include "platform/ui/Cursor.h"

namespace {

int g_waitCount = 0;
HCURSOR g_restoreCursor = nullptr;

}  // namespace

CWaitCursor::CWaitCursor() {
    kq::fw::DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor() {
    kq::fw::DoWaitCursor(-1);
}

void CWaitCursor::Restore() {
    kq::fw::DoWaitCursor(0);
}

namespace kq::fw {

void DoWaitCursor(int nCode) {
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(nCode);
    else
        StepWaitCursor(nCode);
}

void StepWaitCursor(int nCode) {
    g_waitCount += nCode;
    if (g_waitCount > 0) {
        HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        if (nCode > 0 && g_waitCount == 1)
            g_restoreCursor = previous;
    } else {
        // More ends than begins: the count stays at zero and the old cursor comes back.
        g_waitCount = 0;
        ::SetCursor(g_restoreCursor);
    }
}

int WaitCursorCount() {
    return g_waitCount;
}

}  // namespace kq::fw
