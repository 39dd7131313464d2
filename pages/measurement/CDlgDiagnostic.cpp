#include "pages/measurement/CDlgDiagnostic.h"

#include "app/MainFrame.h"

IMPLEMENT_DYNAMIC(CDlgDiagnostic, CPageDialog)

void CDlgDiagnostic::StartMultiportDetection() {
    if (CMainFrame* frame = GetMainFrame())
        frame->SetTimer(CMainFrame::TIMER_MULTIPORT_EVALUATION, 20, nullptr);
}
