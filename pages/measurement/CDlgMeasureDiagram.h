// The measure-and-diagram page (template 138): starts, stops and triggers a measurement and
// judges its result.
#pragma once

#include <cstdint>

#include "app/PageDialog.h"
#include "pages/measurement/CValidation_IO_NIO.h"

// The page's settings block: byte 0 running, byte 1 trigger on, then the control state and the
// four run bytes that follow it.
struct MeasureDiagramBlock {
    uint8_t running = 0;
    uint8_t triggerOn = 0;
    uint8_t controlState = 0;
    uint8_t runBytes[4] = {};
};

class CDlgMeasureDiagram : public CPageDialog {
    DECLARE_DYNAMIC(CDlgMeasureDiagram)
  public:
    enum { IDD = 138 };
    static constexpr UINT TIMER_SENSOR_CHANGED = 19;

    CDlgMeasureDiagram() = default;

    // The measuring flag: 1 while a measurement runs.
    BOOL IsMeasuring() const { return *m_pucMeasuring != 0; }
    // The run bytes read set, clear, clear, set while a measurement is under way.
    BOOL IsRunPatternSet() const {
        const uint8_t* r = m_psMsureDgrm->runBytes;
        return r[0] != 0 && r[1] == 0 && r[2] == 0 && r[3] != 0;
    }
    void OnBnClickedStop() {
        ++m_iStopClicks;
        m_ucMeasuring = 0;
    }
    void OnSensorDisconnected() { ++m_iDisconnects; }
    void OnSensorConnected() {}
    void OnBnClickedSingleShot() { ++m_iSingleShots; }
    void SetAroundTrigger(bool on) { m_bAroundTrigger = on; }
    void OnMeasureTick() {}
    void SetControlSignalState(int state) { m_iControlSignalState = state; }
    // The P1/P2 check boxes; the switching flag is set while the page itself switches a view.
    void SetPowerCheck(int derived, BOOL checked) {
        if (derived == 0 || derived == 1)
            m_abPowerChecked[derived] = checked;
    }

    // The pass/fail judgement of the last measurement.
    CValidation_IO_NIO m_validation;
    uint8_t m_ucMeasuring = 0;
    uint8_t* m_pucMeasuring = &m_ucMeasuring;
    MeasureDiagramBlock m_sBlock;
    MeasureDiagramBlock* m_psMsureDgrm = &m_sBlock;
    BOOL m_abPowerChecked[2] = {};
    BOOL m_bSwitchingPowerView = FALSE;
    bool m_bAroundTrigger = false;
    int m_iControlSignalState = 0;
    int m_iStopClicks = 0;
    int m_iDisconnects = 0;
    int m_iSingleShots = 0;
};
