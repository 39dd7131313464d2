// The end of a raw request of the diagnostic page goes to that page, when it has registered; the
// engine has already returned to rest or gone on with a restart.
#include "app/MainFrame.h"
#include "pages/measurement/CDlgDiagnostic.h"

void CMainFrame::OnDiagnosticReply(int kind, const CString& frame, BOOL answered) {
    if (CDlgDiagnostic* page = GetDiagnosticPage())
        page->OnDiagnosticReply(kind, frame, answered);
}
