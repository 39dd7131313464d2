// The application's wait cursor: shown while at least one wait is begun and not ended.
#pragma once

#include "platform/base/WinTypes.h"

// Shows the wait cursor from construction to destruction.
class CWaitCursor {
  public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // Shows it again after something (a message box) changed the cursor.
    void Restore();
};

namespace kq::fw {

// 1 begins a wait, -1 ends one, 0 shows the wait cursor again while a wait lasts. Goes through
// the application's DoWaitCursor when there is an application.
void DoWaitCursor(int nCode);

// The counting behind CWinApp::DoWaitCursor: the cursor that was shown before the first wait
// comes back when the last one ends.
void StepWaitCursor(int nCode);
// Number of waits begun and not ended.
int WaitCursorCount();

}  // namespace kq::fw
