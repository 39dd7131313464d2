#include "app/SystemClose.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include "app/MainFrame.h"
#include "platform/ui/EventLoop.h"

namespace kq::app {

sigset_t CloseSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    // A hang-up the start inherited as ignored (nohup) stays ignored: the program was asked to
    // outlive its terminal.
    struct sigaction hangUp {};
    if (sigaction(SIGHUP, nullptr, &hangUp) != 0 || hangUp.sa_handler != SIG_IGN)
        sigaddset(&signals, SIGHUP);
    return signals;
}

CloseSignalWatch::CloseSignalWatch() {
    const sigset_t signals = CloseSignals();
    fd_ = signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0)
        return;
    source_ = kq::ui::AddFdSource(fd_, POLLIN, [](int source, short) {
        signalfd_siginfo info;
        while (read(source, &info, sizeof(info)) == static_cast<ssize_t>(sizeof(info)))
            CloseProgramForSystem();
    });
}

CloseSignalWatch::~CloseSignalWatch() {
    if (fd_ < 0)
        return;
    kq::ui::RemoveFdSource(source_);
    close(fd_);
}

void CloseProgramForSystem() {
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd()))
        frame->CloseForSystem();
    else
        AfxPostQuitMessage(0);
}

}  // namespace kq::app
