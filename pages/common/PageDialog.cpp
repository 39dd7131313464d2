#include "pages/common/PageDialog.h"

#include "pages/common/PageHost.h"
#include "platform/gfx/WindowDC.h"

IMPLEMENT_DYNAMIC(CPageDialog, CDialog)

BEGIN_MESSAGE_MAP(CPageDialog, CDialog)
ON_WM_PAINT()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL CPageDialog::PreTranslateMessage(MSG* pMsg) {
    PageHost* host = GetPageHost();
    if (host != nullptr && host->HandleShortcutKeys(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

CRect CPageDialog::HostClientRect(PageHost* frame) {
    CWnd* view = frame != nullptr ? frame->PageArea() : nullptr;
    CRect client;
    if (view != nullptr && view->m_hWnd != nullptr)
        view->GetClientRect(&client);
    else
        GetClientRect(&client);
    return client;
}

void RepaintAfterNewTexts(CWnd* page) {
    if (page->m_hWnd != nullptr && page->IsWindowVisible())
        page->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CPageDialog::PostNcDestroy() {
    CDialog::PostNcDestroy();
    if (m_bDeleteWithWindow)
        delete this;
}

void CPageDialog::OnPaint() {
    PageHost* frame = GetPageHost();
    if (frame != nullptr && frame->IsStartUpPending()) {
        // Validate without drawing: the page is not ready before every window has registered.
        CPaintDC dc(this);
        return;
    }
    Default();
}

void CPageDialog::OnShowWindow(BOOL bShow, UINT nStatus) {
    CDialog::OnShowWindow(bShow, nStatus);
    PageHost* frame = GetPageHost();
    if (!bShow || (frame != nullptr && frame->IsStartUpPending()))
        return;
    if (m_bNeedsNewTexts) {
        m_bNeedsNewTexts = FALSE;
        SetLanguageTexts();
    }
}
