// The sensor pages' tests on the application: a start whose one port holds a sensor of the
// test's own configuration (adjustment in force, stator, encoder, port text), searched and opened
// as the stored start opens the default one, and a run that also hands the sensor's value frames
// to the frame as its port would while it measures.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/AppTest.h"
#include "platform/base/Clock.h"
#include "sensor/ComPortInterfaces.h"
#include "tools/sensorsim/SimDevice.h"

namespace apptest {

class SensorPageTest : public AppTest {
  protected:
    static constexpr const char* kUsbPort = "COM1 Tarvik USB sensor interface port";

    // Null when the program did not start or the sensor's port is not open.
    CMainFrame* StartWithSensorOf(const sensorsim::SimSensorConfig& config,
                                  const char* portText = kUsbPort) {
        PrepareStore();
        auto port = std::make_unique<SimPortEntry>();
        port->text = portText;
        port->name = CString(portText).SpanExcluding(" ");
        port->device = std::make_unique<sensorsim::SimDevice>();
        port->device->Add(std::make_unique<sensorsim::SimSensor>(config, 7));
        port->device->Sensor(0).PowerOn(kq::MonotonicMillis());
        sim_->ports.push_back(std::move(port));
        CMainFrame* frame = StartAndComplete();
        if (frame == nullptr)
            return nullptr;
        Run(4000);
        return frame->m_iOpenEntry == 0 ? frame : nullptr;
    }
    sensorsim::SimSensor& SimSensorOfPort(int port = 0) {
        return sim_->ports[static_cast<size_t>(port)]->device->Sensor(0);
    }
    // The sensor stops answering, as when its cable is pulled.
    void Unplug(int port = 0) { sim_->ports[static_cast<size_t>(port)]->silent = true; }
};

}  // namespace apptest
