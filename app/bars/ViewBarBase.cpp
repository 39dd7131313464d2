#include "app/bars/ViewBarBase.h"

#include "platform/framework/CreateContext.h"

IMPLEMENT_DYNAMIC(CViewBarBase, CSizingControlBarCF)

BEGIN_MESSAGE_MAP(CViewBarBase, CSizingControlBarCF)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CViewBarBase::CViewBarBase(CSize horz, CSize vert, CSize floating) {
    m_szHorz = horz;
    m_szVert = vert;
    m_szFloat = floating;
}

BOOL CViewBarBase::Create(LPCTSTR lpszWindowName, CRuntimeClass* pViewClass,
                          CCreateContext* pContext, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
    m_pViewClass = pViewClass;
    if (pContext != nullptr)
        m_context = *pContext;
    else
        m_context.m_pCurrentFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    m_context.m_pNewViewClass = pViewClass;
    return CSizingControlBarCF::Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

int CViewBarBase::OnCreate(LPCREATESTRUCT lpcs) {
    if (CSizingControlBarCF::OnCreate(lpcs) == -1)
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
    CSizingControlBarCF::OnSize(nType, cx, cy);
    if (m_pHostedFrame != nullptr && m_pHostedFrame->m_hWnd != nullptr) {
        m_pHostedFrame->MoveWindow(0, 0, cx, cy, TRUE);
        m_pHostedFrame->Invalidate();
    }
}

void CViewBarBase::SetMinimumSizes(CSize horz, CSize vert, CSize floating) {
    m_szMinHorz = horz;
    m_szMinVert = vert;
    m_szMinFloat = floating;
}

CSize CViewBarBase::GetSize(int kind) const {
    return kind == 0 ? m_szFloat : kind == 1 ? m_szHorz : m_szVert;
}

void CViewBarBase::SetSizeByKind(int kind, CSize size) {
    if (kind == 0)
        m_szFloat = size;
    else if (kind == 1)
        m_szHorz = size;
    else if (kind == 2)
        m_szVert = size;
}

void CViewBarBase::SetSizeByIndex(int index, CSize size) {
    CSize* const sizes[6] = {&m_szHorz,    &m_szVert,    &m_szFloat,
                             &m_szMinHorz, &m_szMinVert, &m_szMinFloat};
    if (index >= 0 && index <= 5)
        *sizes[index] = size;
    const int first = index == 7 ? 3 : 0;
    const int last = index == 6 ? 2 : 5;
    if (index >= 6 && index <= 8)
        for (int i = first; i <= last; ++i)
            *sizes[i] = size;
    RecalcParentLayout();
}

void CViewBarBase::RecalcParentLayout() {
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
}

int CViewBarBase::GetDockingKind() const {
    if (m_pDockBar == nullptr || IsFloatingId())
        return 0;
    return IsHorzDocked() ? 1 : IsVertDocked() ? 2 : 0;
}
