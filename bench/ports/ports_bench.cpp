// Received-data throughput of the port library: bytes a device writes into a pseudo-terminal
// until the owner window's data handler has them, against a plain read loop on the same pair
// (what the kernel allows at all). A real sensor line is far slower: 230400 baud with 8N1 is
// 23 040 bytes/s.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

#include "platform/base/Registry.h"
#include "platform/io/SerialPort.h"
#include "platform/ui/WinUser.h"
#include "ports/CPortManGui.h"
#include "ports/ExtraPorts.h"
#include "ports/PortCatalog.h"
#include "tests/base/ScopedTempFolder.h"
#include "tools/testsupport/PseudoTerminal.h"

namespace {

constexpr size_t kBurst = 256 * 1024;

size_t g_received = 0;
size_t g_wanted = 0;

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PORTMAN_DATA) {
        benchmark::DoNotOptimize(reinterpret_cast<const BYTE*>(lParam)[0]);
        g_received += wParam;
        if (g_received >= g_wanted) {
            PostMessage(hwnd, WM_USER, 0, 0);  // ends the wait of the loop
        }
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND CreateOwner() {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.lpszClassName = "KqPortsBenchOwner";
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
    return CreateWindow("KqPortsBenchOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                        nullptr);
}

// The settings and ports of a run of its own, so that nothing of the user's is touched.
class BenchPorts {
  public:
    explicit BenchPorts(const kq::PseudoTerminal& pty) {
        kq::SetRegistryFilePath(dir_ / "registry.reg");
        kq::ports::SetDeviceRoots({dir_ / "sys", dir_ / "dev"});
        const std::string declared = "path=" + pty.SlavePath() + ";desc=bench";
        setenv(kq::ports::kExtraPortsVariable, declared.c_str(), 1);
    }
    ~BenchPorts() {
        unsetenv(kq::ports::kExtraPortsVariable);
        kq::ports::SetDeviceRoots({});
        kq::SetRegistryFilePath("");
    }

  private:
    kq::test::ScopedTempFolder dir_;  // below $TMPDIR
};

void BM_IntoOwnerWindow(benchmark::State& state) {
    kq::PseudoTerminal pty;
    if (!pty.Open()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    BenchPorts ports(pty);
    HWND owner = CreateOwner();
    {
        CPortManGui manager(owner, WM_PORTMAN_EVENT, WM_PORTMAN_DATA, FALSE, FALSE);
        if (!manager.OpenPort("COM1", 230400)) {
            state.SkipWithError("port did not open");
            return;
        }
        const std::string burst(kBurst, '\x55');
        for (auto _ : state) {
            g_received = 0;
            g_wanted = burst.size();
            std::thread device([&] { pty.WriteAll(burst, 10000); });
            while (g_received < g_wanted) {
                kq::ui::WaitForWork(1000);
                kq::ui::PumpUntilIdle();
            }
            device.join();
        }
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBurst));
    }
    DestroyWindow(owner);
    kq::ui::PumpUntilIdle();
}
BENCHMARK(BM_IntoOwnerWindow)->UseRealTime();

// The limit: the same pair read as fast as possible, no event loop, no messages.
void BM_RawCopy(benchmark::State& state) {
    kq::PseudoTerminal pty;
    kq::SerialPort line;
    if (!pty.Open() || !line.Open(pty.SlavePath(), 230400)) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const std::string burst(kBurst, '\x55');
    char buffer[4096];
    for (auto _ : state) {
        std::thread device([&] { pty.WriteAll(burst, 10000); });
        size_t received = 0;
        while (received < burst.size()) {
            const ssize_t n = read(line.Fd(), buffer, sizeof buffer);
            if (n > 0) {
                received += static_cast<size_t>(n);
                continue;
            }
            pollfd waiting{line.Fd(), POLLIN, 0};
            poll(&waiting, 1, 1000);
        }
        device.join();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBurst));
}
BENCHMARK(BM_RawCopy)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
