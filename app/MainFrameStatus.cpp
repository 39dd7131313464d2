// The status line's message pane: the state of the sensor dialogue and of a measurement, and the
// progress of a conversion. The last state message is remembered so that it comes back after a
// progress display or a menu prompt. No text shown here is ever used as a format.
#include "app/MainFrame.h"
#include "app/StatusTexts.h"
#include "foundation/Language.h"
#include "res/TextIds.h"

void CMainFrame::ShowStatusMessage(UINT id) {
    const bool barShown = m_viewState.checkState[7] == 1;
    if (id != 0 && id != IDS_STATUS_STORAGE_PROGRESS)
        m_nLastStatusId = id;
    CString text;
    if (id == 0) {
        text = GetLanguageString(static_cast<int>(m_nLastStatusId));
    } else if (id >= IDS_STATUS_READY && id <= IDS_STATUS_TRIGGERED) {
        text = GetLanguageString(static_cast<int>(id));
    } else if (id == IDS_STATUS_STORAGE_PROGRESS) {
        text = FormatConversionProgress(
            GetLanguageString(IDS_STATUS_STORAGE_PROGRESS), GetLanguageString(IDS_STORAGE_SPEED),
            GetLanguageString(IDS_SECONDS), m_dConversionProgress, m_dConversionSpeed,
            m_conversionStopWatch.IsValid(), m_iLanguageOffset);
    } else {
        text = "n.a. unbekannte Status Nachricht";
    }
    if (barShown)
        SetStatusTextString(text);
}

void CMainFrame::SetStatusTextString(const CString& text) {
    m_strStatusText = CutUtf8(CollapseDoubledPercent(text), kStatusTextLimit);
    if (m_hWnd != nullptr)
        SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(m_strStatusText.GetString()));
}
