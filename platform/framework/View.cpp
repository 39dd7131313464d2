#include "platform/framework/View.h"

#include "platform/framework/CreateContext.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Print.h"
#include "platform/framework/detail/DefaultClasses.h"
#include "platform/gfx/WindowDC.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_MOUSEACTIVATE()
ON_WM_PAINT()
ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView() {
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr)
        cs.lpszClass = kq::fw::detail::FrameOrViewClass();
    // A view's children (the pages and controls it hosts) paint themselves: the view's own
    // painting, which may come after theirs, leaves them alone.
    cs.style |= WS_CLIPCHILDREN;
    // A bordered view gets the sunken client edge instead.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~static_cast<LONG>(WS_BORDER);
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (context != nullptr && context->m_pCurrentDoc != nullptr)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy() {
    delete this;
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    const int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    if (CFrameWnd* frame = GetParentFrame()) {
        // Clicking a view makes it the frame's active view.
        CView* active = frame->GetActiveView();
        HWND focus = ::GetFocus();
        if (active == this && m_hWnd != focus && !::IsChild(m_hWnd, focus))
            OnActivateView(TRUE, this, this);
        else
            frame->SetActiveView(this);
    }
    return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*) {
    Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo) {
    // A view that does not know its page count prints one page.
    if (pInfo != nullptr && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*) {
    if (bActivate && IsTopParentActive())
        SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
