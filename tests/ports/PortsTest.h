// Port tests on the window system: an owner window that records what the port library tells
// it, a settings store and a device tree of the test's own, and extra ports for this run.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "io/FakeDeviceTree.h"
#include "platform/base/Registry.h"
#include "ports/CPortMan.h"
#include "ports/DeviceChange.h"
#include "ports/DeviceChangeBroadcaster.h"
#include "ports/ExtraPorts.h"
#include "ports/PortCatalog.h"
#include "tools/testsupport/UeventFeed.h"
#include "ui/UiTestFixture.h"

namespace kq::ports::test {

struct DeviceChangeSeen {
    WPARAM event;
    std::string port;  // empty when the data named no port
    bool operator==(const DeviceChangeSeen&) const = default;
};

class PortsTest : public ui::test::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        char pattern[] = "/tmp/kq-ports-XXXXXX";
        settingsDir_ = mkdtemp(pattern);
        SetRegistryFilePath(settingsDir_ + "/registry.reg");
        SetDeviceRoots(tree_.roots);
        ASSERT_TRUE(events_.Open());
        DeviceChangeBroadcaster::ListenTo(events_.ReadingFd());
        unsetenv(kExtraPortsVariable);
        owner_ = CreateTopLevel({0, 0, 100, 100}, WS_POPUP);
        OnMessage(
            owner_,
            [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
                return Handle(message, wParam, lParam);
            });
    }
    void TearDown() override {
        UiTest::TearDown();
        unsetenv(kExtraPortsVariable);
        DeviceChangeBroadcaster::ListenTo(-1);
        SetDeviceRoots({});
        SetRegistryFilePath("");
        std::filesystem::remove_all(settingsDir_);
    }

    // Reads the settings file again, as a new start of the program would.
    void Restart() { SetRegistryFilePath(settingsDir_ + "/registry.reg"); }
    void DeclareExtraPorts(const std::string& text) {
        setenv(kExtraPortsVariable, text.c_str(), 1);
    }

    // Serves the loop until the condition holds; waits only on the loop's own descriptors.
    bool PumpUntil(const std::function<bool()>& done) {
        for (int round = 0; round < 250 && !done(); ++round) {
            ui::WaitForWork(20);
            Pump();
        }
        return done();
    }

    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == dataMessage_) {
            received_.append(reinterpret_cast<const char*>(lParam), wParam);
            chunkSizes_.push_back(wParam);
            if (onData_) {
                onData_();
            }
            return 0;
        }
        if (message == WM_DEVICECHANGE) {
            const char* name = PortNameOfBroadcast(static_cast<DWORD_PTR>(lParam));
            deviceChanges_.push_back({wParam, name ? name : ""});
            if (forwardTo_ != nullptr) {
                forwardTo_->OnDeviceChange(static_cast<UINT>(wParam),
                                           static_cast<DWORD_PTR>(lParam));
            }
            return TRUE;
        }
        if (message == 2200) {
            portEvents_.push_back(wParam);
            return 0;
        }
        return std::nullopt;
    }

    kq::test::FakeDeviceTree tree_;
    UeventFeed events_;
    std::string settingsDir_;
    HWND owner_ = nullptr;
    UINT dataMessage_ = 2000;
    std::string received_;
    std::vector<WPARAM> chunkSizes_;
    std::vector<DeviceChangeSeen> deviceChanges_;
    std::vector<WPARAM> portEvents_;
    CPortMan* forwardTo_ = nullptr;  // gets WM_DEVICECHANGE as the main frame passes it on
    std::function<void()> onData_;
};

}  // namespace kq::ports::test
