// The program: starts the window system's back end, installs the resources, lets SIGINT and
// SIGTERM close the main window as its close button does, and runs the application.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>

#include "app/Kq7App.h"
#include "kq_res.h"
#include "platform/base/Resource.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/backend/BackEnd.h"

// The one application object of the program.
CKq7App theApp;

namespace {

// A signal descriptor on the GUI loop: the close request goes through the close protocol.
int WatchCloseSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        return -1;
    const int fd = signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0)
        return -1;
    kq::ui::AddFdSource(fd, POLLIN, [](int source, short) {
        signalfd_siginfo info;
        while (read(source, &info, sizeof(info)) == static_cast<ssize_t>(sizeof(info))) {
            if (CWnd* frame = AfxGetMainWnd())
                frame->PostMessage(WM_CLOSE);
            else
                AfxPostQuitMessage(0);
        }
    });
    return fd;
}

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<kq::ui::BackEnd> backEnd = kq::ui::StartBackEnd();
    if (backEnd == nullptr)
        return 1;  // the back end has said why
    kq::InstallResources(kq_res_bundle());
    const int signalFd = WatchCloseSignals();
    const int code = AfxWinMain(argc, argv);
    if (signalFd >= 0)
        close(signalFd);
    return code;
}
