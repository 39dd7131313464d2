// The program: answers --help without starting anything; otherwise starts the window system's
// back end, installs the resources, lets SIGINT, SIGTERM and SIGHUP (and the display's end) close
// the main window as the system's close, and runs the application.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string_view>

#include "app/Kq7App.h"
#include "app/SystemClose.h"
#include "app/main/CommandLineHelp.h"
#include "kq_res.h"
#include "platform/base/Resource.h"
#include "platform/ui/backend/BackEnd.h"
#include "ports/CPortMan.h"

// The one application object of the program.
CKq7App theApp;

int main(int argc, char** argv) {
    if (kq::app::AsksForHelp(argc, argv)) {
        kq::app::PrintHelp(stdout);
        return 0;
    }
    const sigset_t signals = kq::app::CloseSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::unique_ptr<kq::ui::BackEnd> backEnd = kq::ui::StartBackEnd();
    if (backEnd == nullptr)
        return 1;  // the back end has said why
    kq::InstallResources(kq_res_bundle());
    theApp.m_bWithoutDisplay = std::string_view(backEnd->Name()) == "headless";
    const kq::app::CloseSignalWatch closeSignals;
    // Without its display nobody can reach the program: it closes as SIGTERM closes it, and
    // says by its exit code that it did not end by the operator's choice.
    static std::atomic<bool> displayLost{false};
    backEnd->WhenDisplayLost([] {
        displayLost = true;
        kill(getpid(), SIGTERM);
    });
    // A sensor streaming a value set every millisecond is read every 10 ms, ten sets at once:
    // each set carries its counter and its place in time, so none is lost, and none is late for
    // anyone watching, while the program wakes a tenth as often.
    CPortMan::SetStreamGathering(10);
    const int code = AfxWinMain(argc, argv);
    return displayLost ? 1 : code;
}
