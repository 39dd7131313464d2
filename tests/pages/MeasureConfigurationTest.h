// The fixture of the measure configuration tests on the application: a simulated sensor open,
// the page shown, the sensor's block writes counted, and the user's clicks, choices and keys.
#pragma once

#include <map>

#include "app/AppTest.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "protocol/BlockLayouts.h"
#include "res/measure_adjust.h"

namespace apptest {

class MeasureConfiguration : public AppTest {
  protected:
    void StartOnPage() {
        frame_ = StartWithOpenSensor();
        ASSERT_NE(frame_, nullptr);
        page_ = frame_->GetMeasureAdjustPage();
        ASSERT_NE(page_, nullptr);
        frame_->SetOperatingMode(CDlgMeasureAdjust::IDD);
        Run(300);
        Sensor().onBlockWritten = [this](int index) { ++writes_[index]; };
    }
    sensorsim::SimSensor& Sensor() { return sim_->ports[0]->device->Sensor(0); }
    tarvik::SoftwareConfigBlock SensorConfig() {
        tarvik::SoftwareConfigBlock block;
        EXPECT_TRUE(block.Decode(Sensor().Block(tarvik::kBlockSoftwareConfig)));
        return block;
    }
    void Choose(UINT id, int item) {
        page_->SendDlgItemMessage(static_cast<int>(id), CB_SETCURSEL, static_cast<WPARAM>(item));
        page_->SendMessage(
            WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
            reinterpret_cast<LPARAM>(page_->GetDlgItem(static_cast<int>(id))->m_hWnd));
    }
    void Click(UINT id) {
        page_->SendMessage(
            WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
            reinterpret_cast<LPARAM>(page_->GetDlgItem(static_cast<int>(id))->m_hWnd));
    }
    void Type(UINT id, const char* text) {
        CWnd* edit = page_->GetDlgItem(static_cast<int>(id));
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
        for (const char* c = text; *c != 0; ++c)
            edit->SendMessage(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 0);
        Run(10);
    }
    CString Text(UINT id) {
        CString text;
        page_->GetDlgItemText(static_cast<int>(id), text);
        return text;
    }

    CMainFrame* frame_ = nullptr;
    CDlgMeasureAdjust* page_ = nullptr;
    std::map<int, int> writes_;
};

}  // namespace apptest
