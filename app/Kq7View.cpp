#include "app/Kq7View.h"

#include "app/MainFrame.h"
#include "pages/measurement/CDlgDiagnostic.h"
#include "pages/measurement/CDlgDocumentation.h"
#include "pages/measurement/CDlgMeasureAdjust.h"
#include "pages/measurement/CDlgMeasureDiagram.h"
#include "pages/measurement/CDlgTKBk.h"
#include "pages/sensor/CDlgSensorCalibration.h"
#include "pages/sensor/CDlgSensorConnection.h"
#include "pages/sensor/CDlgSensorInformationPkr.h"
#include "platform/ui/Caret.h"

IMPLEMENT_DYNCREATE(CKq7View, CEditView)

BEGIN_MESSAGE_MAP(CKq7View, CEditView)
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CKq7View::CKq7View()
    : m_apPages{new CDlgTKBk,           new CDlgSensorConnection, new CDlgSensorInformationPkr,
                new CDlgMeasureAdjust,  new CDlgDocumentation,    new CDlgSensorCalibration,
                new CDlgMeasureDiagram, new CDlgDiagnostic} {}

CKq7View::~CKq7View() = default;

BOOL CKq7View::PreCreateWindow(CREATESTRUCT& cs) {
    const BOOL result = CEditView::PreCreateWindow(cs);
    cs.style &= ~static_cast<LONG>(WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL);
    cs.style |= ES_NOHIDESEL | ES_READONLY;
    return result;
}

BOOL CKq7View::PreTranslateMessage(MSG* pMsg) {
    if (OfferToShortcutKeys(pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CKq7View::OnInitialUpdate() {
    CEditView::OnInitialUpdate();
    // A second initial update makes no page twice.
    for (int i = 0; i < kPageCount; ++i) {
        if (m_apPages[i] != nullptr && m_apPages[i]->m_hWnd == nullptr)
            m_apPages[i]->Create(kPageIds[i], this);
    }
    for (CPageDialog* page : m_apPages) {
        if (page != nullptr && page->m_hWnd != nullptr)
            page->ShowWindow(SW_HIDE);
    }
    if (!m_bRegistrationPending)
        return;
    m_pMainFrame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    CWnd* target = m_pMainFrame != nullptr ? static_cast<CWnd*>(m_pMainFrame) : GetTopLevelParent();
    if (target == nullptr)
        return;
    target->PostMessage(WM_USER, reinterpret_cast<WPARAM>(this), WM_USER);
    for (int i = 0; i < kPageCount; ++i) {
        const UINT message = WM_USER + 1 + static_cast<UINT>(i);
        target->PostMessage(message, reinterpret_cast<WPARAM>(m_apPages[i]), message);
    }
    m_bRegistrationPending = FALSE;
}

void CKq7View::DestroyPages() {
    for (CPageDialog*& page : m_apPages) {
        if (page == nullptr)
            continue;
        if (m_pMainFrame != nullptr)
            m_pMainFrame->UnregisterWindow(page);
        // A page whose window is already going with the view cannot be destroyed on its own: it
        // deletes itself once its window and controls are gone, so that no control is left
        // attached to a deleted object.
        if (page->m_hWnd != nullptr && !page->DestroyWindow())
            page->m_bDeleteWithWindow = TRUE;
        else
            delete page;
        page = nullptr;
    }
}

void CKq7View::OnDestroy() {
    CEditView::OnDestroy();
    DestroyPages();
}

void CKq7View::OnSize(UINT nType, int cx, int cy) {
    CEditView::OnSize(nType, cx, cy);
    LayoutPages(cx, cy);
}

void CKq7View::LayoutPages(int cx, int cy) {
    if (m_bRegistrationPending)
        return;
    auto* logo = static_cast<CDlgTKBk*>(m_apPages[0]);
    CMainFrame* frame = m_pMainFrame;
    const UINT active = frame != nullptr ? frame->GetActivePageId() : 0;
    if (logo != nullptr && logo->m_hWnd != nullptr && active == PAGE_LOGO) {
        logo->MoveWindow(0, 0, cx, cy, TRUE);
        const LogoPlacement placement = ComputeLogoPlacement(cx, cy);
        logo->ShowLogo(placement.x, placement.y, placement.zoom);
        return;
    }
    if (frame == nullptr || frame->IsStartUpPending())
        return;
    CDlgSensorConnection* connection = frame->GetConnectionPage();
    if (connection != nullptr && connection->IsWindowVisible())
        connection->LayoutControls();
}

void CKq7View::OnSetFocus(CWnd* pOldWnd) {
    CEditView::OnSetFocus(pOldWnd);
    ::DestroyCaret();
}
