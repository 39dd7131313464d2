#include "pages/sensor/CDlgSensorConnection.h"

#include "app/MainFrame.h"

IMPLEMENT_DYNAMIC(CDlgSensorConnection, CPageDialog)

void CDlgSensorConnection::UpdatePortList() {
    ++m_iPortListUpdates;
    if (CMainFrame* frame = GetMainFrame())
        frame->WaitCursorOff();
}

int CDlgSensorConnection::BaudrateCodeFromCellText(const CString& text) {
    if (text == "115,2k")
        return 9;
    if (text == "230,4k")
        return 16;
    return -1;
}
