#include "app/bars/ViewBarBase.h"

#include "platform/framework/CreateContext.h"

IMPLEMENT_DYNAMIC(CViewBarBase, CControlBar)

BEGIN_MESSAGE_MAP(CViewBarBase, CControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CViewBarBase::CViewBarBase(CSize horz, CSize vert, CSize floating)
    : m_szHorz(horz), m_szVert(vert), m_szFloat(floating) {}

BOOL CViewBarBase::Create(LPCTSTR lpszWindowName, CRuntimeClass* pViewClass,
                          CCreateContext* pContext, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
    m_pViewClass = pViewClass;
    if (pContext != nullptr)
        m_context = *pContext;
    else
        m_context.m_pCurrentFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    m_context.m_pNewViewClass = pViewClass;
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR cls =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN;
    return CWnd::Create(cls, lpszWindowName, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CViewBarBase::OnCreate(LPCREATESTRUCT lpcs) {
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    if (m_pViewClass == nullptr)
        return 0;
    m_pHostedFrame = new CFrameWnd;
    if (!m_pHostedFrame->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                CRect(0, 0, 0, 0), this, nullptr, 0, &m_context)) {
        m_pHostedFrame = nullptr;  // a failed creation deleted it
        return -1;
    }
    return 0;
}

void CViewBarBase::OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    if (m_pHostedFrame != nullptr && m_pHostedFrame->m_hWnd != nullptr)
        m_pHostedFrame->MoveWindow(0, 0, cx, cy, TRUE);
}

CSize CViewBarBase::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    (void)bStretch;
    return bHorz ? m_szHorz : m_szVert;
}

CSize CViewBarBase::CalcDynamicLayout(int nLength, DWORD nMode) {
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout(FALSE, (nMode & LM_HORZDOCK) != 0);
    (void)nLength;
    return m_szFloat;
}

void CViewBarBase::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

UINT CViewBarBase::GetDockBarId() const {
    if (m_pDockBar != nullptr)
        return m_pDockBar->GetDlgCtrlID();
    return AFX_IDW_DOCKBAR_FLOAT;
}

void CViewBarBase::SetSizeByKind(int kind, CSize size) {
    if (kind == 0)
        m_szFloat = size;
    else if (kind == 1)
        m_szHorz = size;
    else if (kind == 2)
        m_szVert = size;
}

int CViewBarBase::GetDockingKind() const {
    if (m_pDockBar == nullptr || IsFloating())
        return 0;
    return IsHorz() ? 1 : 2;
}
