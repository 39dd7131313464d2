// The fixture of the application's tests: the framework fixture (private settings store and data
// folder, captured message boxes, virtual clock) with the program's resources, an application
// object of the test's own, and simulated sensors behind the frame's port provider. Received
// bytes are handed to the frame window as the port library does, synchronously, between steps
// of the virtual clock.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/Kq7App.h"
#include "app/MainFrame.h"
#include "framework/FrameworkTest.h"
#include "tools/sensorsim/SimArrivals.h"
#include "tools/sensorsim/SimDevice.h"

namespace apptest {

class SimProvider;

// One port: a sensor behind it, or silence.
struct SimPortEntry {
    CString text;  // "COM3 Tarvik USB sensor interface port"
    CString name;  // "COM3"
    std::unique_ptr<sensorsim::SimDevice> device;
    sensorsim::SimLine line;
    bool silent = false;
};

class SimProvider final : public ISensorPortProvider {
  public:
    std::unique_ptr<ISensorPort> CreatePortManager(HWND owner, UINT dataMessage,
                                                   UINT eventMessage) override;
    std::vector<CString> EnumeratePorts(bool usbOnly) override;

    // Adds a port with one sensor of the serial number at 115200 baud.
    void AddSensor(const char* text, uint32_t serial);
    void AddSilentPort(const char* text);
    // Queues the value frames the open sensors stream by now, each on its port's line.
    void Stream();
    // Hands the frames that have arrived to their managers' owner windows.
    void Deliver();

    std::vector<std::unique_ptr<SimPortEntry>> ports;
    sensorsim::SimArrivals<class SimManager> arrivals;
    std::vector<class SimManager*> managers;
};

// A provider the frame owns that forwards to one the test keeps.
class ForwardingProvider final : public ISensorPortProvider {
  public:
    explicit ForwardingProvider(ISensorPortProvider& target) : m_target(target) {}
    std::unique_ptr<ISensorPort> CreatePortManager(HWND owner, UINT data, UINT event) override;
    std::vector<CString> EnumeratePorts(bool usbOnly) override;

  private:
    ISensorPortProvider& m_target;
};

class AppTest : public kq::fw::test::FrameworkTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The store as a previous run left it: version, language, not the first start.
    void PrepareStore(int language = 0);
    // A fresh application object for the next start (the previous one leaves the loop).
    void NewApplication();
    // InitApplication and InitInstance with the arguments.
    BOOL Start(std::vector<const char*> args = {"kq7b"});
    // Starts and lets the registrations complete the start-up.
    CMainFrame* StartAndComplete();
    // A stored start with one sensor on COM1, run until the search has opened its port; null when
    // the program did not start or the port is not open.
    CMainFrame* StartWithOpenSensor();
    CMainFrame* Frame() const { return GetMainFrame(); }
    // Moves the virtual clock in steps of 10 ms, delivering the sensors' replies between them.
    void Run(int64_t ms);
    // As Run, with the value frames of streaming sensors handed over too.
    void RunStreaming(int64_t ms);
    // Ends the program as the user does: WM_CLOSE through the close protocol.
    void CloseFrame();
    CString PaneText(int pane);

    SimProvider* sim_ = nullptr;  // owned by the frame
    std::unique_ptr<SimProvider> simOwned_;
    std::unique_ptr<CKq7App> app_;
    std::function<std::unique_ptr<ISensorPortProvider>()> savedFactory_;
};

// Started with a store a previous run left (German), the start-up completed.
class StartedApp : public AppTest {
  protected:
    void SetUp() override;
    CMainFrame* frame_ = nullptr;
};

}  // namespace apptest
