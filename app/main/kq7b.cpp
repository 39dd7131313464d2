// The program: answers --help without starting anything; otherwise starts the window system's
// back end, installs the resources, lets SIGINT, SIGTERM and SIGHUP close the main window as the
// system's close, and runs the application.
#include <pthread.h>

#include <cstdio>

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
    const kq::app::CloseSignalWatch closeSignals;
    // A sensor streaming a value set every millisecond is read every 10 ms, ten sets at once:
    // each set carries its counter and its place in time, so none is lost, and none is late for
    // anyone watching, while the program wakes a tenth as often.
    CPortMan::SetStreamGathering(10);
    return AfxWinMain(argc, argv);
}
