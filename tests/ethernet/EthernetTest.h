// The Ethernet set-up's tests: the framework fixture with the application's texts, a device
// tree of its own (no serial devices), and device-server simulators on loopback addresses that
// are declared as redirected COM ports.
#pragma once

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/FrameworkTest.h"
#include "io/FakeDeviceTree.h"
#include "kq_res.h"
#include "platform/base/Resource.h"
#include "ports/ExtraPorts.h"
#include "ports/PortCatalog.h"
#include "tools/devsrvsim/DeviceServerSimulator.h"

namespace ethtest {

class EthernetTest : public kq::fw::test::FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        kq::InstallResources(kq_res_bundle());
        kq::ports::SetDeviceRoots(tree_.roots);
        unsetenv(kq::ports::kExtraPortsVariable);
    }
    void TearDown() override {
        servers_.clear();
        unsetenv(kq::ports::kExtraPortsVariable);
        kq::ports::SetDeviceRoots({});
        kq::UninstallResources(kq_res_bundle());
        FrameworkTest::TearDown();
    }

    // A started simulator on the address; its setup and data ports are free ones.
    devsrvsim::DeviceServerSimulator& StartServer(
        const std::string& address, devsrvsim::DevSrvFault fault = devsrvsim::DevSrvFault::None,
        const std::string& serialPath = "", const std::string& banner = "XPico 6.11.0.3") {
        devsrvsim::DevSrvSetup setup;
        setup.banner = banner;
        setup.address = address;
        setup.fault = fault;
        setup.serialPath = serialPath;
        servers_.push_back(std::make_unique<devsrvsim::DeviceServerSimulator>(setup));
        std::string error;
        EXPECT_TRUE(servers_.back()->Start(error)) << error;
        return *servers_.back();
    }

    // Declares the ports (KQ7B_EXTRA_PORTS syntax, one entry each).
    void Declare(const std::vector<std::string>& ports) {
        std::string text;
        for (const std::string& port : ports) {
            text += (text.empty() ? "" : ",") + port;
        }
        setenv(kq::ports::kExtraPortsVariable, text.c_str(), 1);
    }
    // The declaration of a simulator's data port with its setup port.
    static std::string PortOf(const devsrvsim::DeviceServerSimulator& server) {
        return "tcp=" + server.Address() + ":" + std::to_string(server.DataPort()) +
               ";desc=Lantronix CPR Port;setup=" + std::to_string(server.SetupPort());
    }
    // The COM number text ("3") of the declared port with that target.
    static CString ComNumberOf(const std::string& target) {
        for (const kq::ports::PortEntry& entry : kq::ports::ListPorts(false)) {
            if (entry.target == target) {
                return entry.comName.Mid(3);
            }
        }
        return "";
    }
    static CString ComNumberOf(const devsrvsim::DeviceServerSimulator& server) {
        return ComNumberOf(server.Address() + ":" + std::to_string(server.DataPort()));
    }

    kq::test::FakeDeviceTree tree_;
    std::vector<std::unique_ptr<devsrvsim::DeviceServerSimulator>> servers_;
};

}  // namespace ethtest
