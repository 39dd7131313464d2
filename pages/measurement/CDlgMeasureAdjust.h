// The measure configuration page (template 135): measuring rate, channels, scaling, triggers,
// diagram axes and pass/fail limits.
#pragma once

#include "app/PageDialog.h"
#include "controls/BrowsePageInterfaces.h"

class CDlgMeasureAdjust : public CPageDialog, public IBrowseMeasureAdjustPage {
    DECLARE_DYNAMIC(CDlgMeasureAdjust)
  public:
    enum { IDD = 135 };
    static constexpr UINT TIMER_SENSOR_CHANGED = 18;

    CDlgMeasureAdjust() = default;

    // The browse control's edited programs.
    void OnBrowseStartProgram(CWnd*) override {}
    void OnBrowseStopProgram(CWnd*) override {}
    // The notice control: its text and whether it shows.
    void SetNoticeText(const CString& text) { m_strNotice = text; }
    const CString& GetNoticeText() const { return m_strNotice; }
    void ShowNotice(BOOL show) { m_bNoticeVisible = show; }
    BOOL IsNoticeVisible() const { return m_bNoticeVisible; }
    // Evaluation mode 0 off, 1, 2; kind 0 is true while it is off.
    BOOL CheckIoNioMode(int kind) const { return kind == m_iIoNioMode ? TRUE : FALSE; }
    // The averaging choice (length code) of a channel.
    int GetAveragingCode(int channel) const {
        return channel >= 0 && channel < 6 ? m_aiAveragingCode[channel] : 0;
    }
    // Closes an open scaling dialog as its Cancel button does.
    void CancelScalingDialog() {}

    // Settings the writer stores.
    CString m_strStartProgram, m_strStopProgram;
    CString m_strMeasurand1, m_strMeasurand2;  // item data of the selected entries, as text
    CString m_strLimits[4];                    // lower 1, upper 1, lower 2, upper 2

    BOOL m_bViewUseShowWindow1 = TRUE;  // bit 0 of "ViewUseShowWindow"
    BOOL m_bViewUseShowWindow2 = FALSE;
    BOOL m_bNeedsConfirmation = FALSE;
    int m_iIoNioMode = 0;
    int m_aiAveragingCode[6] = {};
    CString m_strNotice;
    BOOL m_bNoticeVisible = FALSE;
};
