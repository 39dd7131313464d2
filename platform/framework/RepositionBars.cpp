#include "platform/framework/Layout.h"
#include "platform/framework/Wnd.h"

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
    HWND parent = ::GetParent(hWnd);
    if (parent == nullptr || (lpLayout != nullptr && lpLayout->hDWP == nullptr))
        return;
    RECT old{};
    ::GetWindowRect(hWnd, &old);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&old), 2);
    if (::EqualRect(&old, lpRect))
        return;
    if (lpLayout != nullptr) {
        lpLayout->hDWP->push_back(kq::fw::WindowMove{hWnd, *lpRect});
    } else {
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch) {
    kq::fw::DeferredMoves moves;
    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    const UINT mode = nFlags & ~static_cast<UINT>(reposNoPosLeftOver);
    layout.hDWP = mode != reposQuery ? &moves : nullptr;

    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == nIDLeftOver)
            leftOver = child;
        else if (id >= nIDFirst && id <= nIDLast && FromHandlePermanent(child) != nullptr)
            ::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (mode == reposQuery) {
        if (bStretch)
            *lpRectParam = layout.rect;
        else
            *lpRectParam = RECT{0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy};
        return;
    }
    if (nIDLeftOver != 0 && leftOver != nullptr) {
        if (mode == reposExtra && lpRectParam != nullptr) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if ((nFlags & reposNoPosLeftOver) != reposNoPosLeftOver) {
            CWnd* pane = FromHandle(leftOver);
            pane->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, leftOver, &layout.rect);
        }
    }
    for (const kq::fw::WindowMove& move : moves) {
        ::SetWindowPos(move.hWnd, nullptr, move.rect.left, move.rect.top,
                       move.rect.right - move.rect.left, move.rect.bottom - move.rect.top,
                       move.flags);
    }
}
