// The frame's measured-value flow behind faked views and pages: one sensor with channels A
// (torque) and B (speed) active, unit factors of 1, storage in a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "AppTest.h"
#include "app/ThreadedConvertFile.h"
#include "flow_Fakes.h"
#include "sensor/ChanState.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {

using namespace flowtest;

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline int IndexOfFactor(double (*factorOf)(int), double factor) {
    for (int index = 0; index < 32; ++index) {
        if (std::fabs(factorOf(index) - factor) < 1e-12 * std::max(1.0, factor))
            return index;
    }
    return -1;
}

class Flow : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        for (int c = 0; c < COM_CHANNELS; ++c)
            frame_->m_flowFakes.channel[c] = &views_[c];
        frame_->m_flowFakes.diagram = &diagram_;
        frame_->m_flowFakes.panel = &panel_;
        frame_->m_flowFakes.documentation = &documentation_;
        frame_->m_flowFakes.measureConfig = &config_;
        documentation_.valueDir = (folder_ / "values").c_str();
        documentation_.resultDir = (folder_ / "results").c_str();
        frame_->m_iNumberOfSensors = 1;
        frame_->m_iDisplayDownCounter = 0;
        for (int c = 0; c < COM_CHANNELS; ++c) {
            frame_->m_adUnitFactor[c] = 1.0;
            frame_->m_adMinimum[c] = 1e99;
            frame_->m_adMaximum[c] = -1e99;
        }
        CMeasurementState::FlowGroup& flow = MeasurementForTest(*frame_).Flow();
        BuildUnitList(flow.m_aChannelRecords[0], 'D', FALSE, FALSE, "", 0.0);
        BuildUnitList(flow.m_aChannelRecords[1], 'Y', FALSE, FALSE, "", 0.0);
        flow.m_bChannelActive[0] = flow.m_bChannelActive[1] = TRUE;
        flow.m_bRecordingClosed = TRUE;
    }
    void TearDown() override {
        ChanState_SetPowerChannelOn(0, FALSE);
        if (Frame() != nullptr)
            frame_->m_flowFakes = CMainFrame::FlowPartnerFakes{};
        CThreadedConvertFile::s_bFailStarts = false;
        StartedApp::TearDown();
    }
    void Set(int32_t a, int32_t b) {
        frame_->m_alRaw[0] = a;
        frame_->m_alRaw[1] = b;
        frame_->UpdateMeasuredValues(MeasuredValueReason::ValueSet);
    }
    // A measurement with automatic storage: set-up, values, end.
    void Measure(std::initializer_list<int32_t> values) {
        frame_->SetupMeasureValueFile(0);
        for (int32_t v : values)
            Set(v, v);
        frame_->FinishMeasurement();
    }

    FakeChannelView views_[COM_CHANNELS];
    FakeDiagram diagram_;
    FakePanel panel_;
    FakeDocumentation documentation_;
    FakeMeasureConfig config_;
};

}  // namespace apptest
