#include "pages/sensor/CDlgStartUp.h"

#include "app/MainFrame.h"
#include "foundation/SharedConstants.h"
#include "sensor/ComPortTimerIds.h"

IMPLEMENT_DYNAMIC(CDlgStartUp, CDialog)

BEGIN_MESSAGE_MAP(CDlgStartUp, CDialog)
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL CDlgStartUp::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    if (CMainFrame* frame = GetMainFrame())
        frame->RegisterWindow(this, kStartUpDirectRegistration, WM_REGISTER_START_UP_WINDOW);
    return result;
}

void CDlgStartUp::OnShowWindow(BOOL bShow, UINT nStatus) {
    CDialog::OnShowWindow(bShow, nStatus);
    // The search starts once the window is on the screen.
    if (bShow) {
        if (CMainFrame* frame = GetMainFrame())
            frame->SetTimer(COM_TIMER_BUILD_PORT_TABLE, SHOW_SEARCH_DELAY_MS, nullptr);
    }
}
