// The program ended by the system or the session rather than by the operator: SIGTERM, SIGINT,
// SIGHUP (the terminal or the session went away), or anything else that must end it. Each closes
// the main window through the close protocol as the system's close (CMainFrame::CloseForSystem):
// the recording is saved and the settings are kept.
#pragma once

#include <signal.h>

#include <cstdint>

namespace kq::app {

// The signals that close the program (SIGHUP not when the start inherited it as ignored); block
// them in every thread before any thread starts, so that none takes its default action.
sigset_t CloseSignals();
// Watches the close signals on the GUI loop of the thread that makes it, while it lives.
class CloseSignalWatch {
  public:
    CloseSignalWatch();
    ~CloseSignalWatch();
    CloseSignalWatch(const CloseSignalWatch&) = delete;
    CloseSignalWatch& operator=(const CloseSignalWatch&) = delete;

  private:
    int fd_ = -1;
    uint64_t source_ = 0;
};
// Closes the program as the system's close; before the main window exists, ends the loop.
void CloseProgramForSystem();

}  // namespace kq::app
