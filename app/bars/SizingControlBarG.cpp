// The gripper strip of a docked bar: two raised lines and the close button at its end. The
// close button hides the bar through the frame; at idle time it shows whether the mouse is over
// it.
#include "app/bars/SizingControlBarG.h"

#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Input.h"

IMPLEMENT_DYNAMIC(CSizingControlBarG, CSizingControlBar)

BEGIN_MESSAGE_MAP(CSizingControlBarG, CSizingControlBar)
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONUP()
END_MESSAGE_MAP()

BOOL CSizingControlBarG::HasGripper() const {
    return !IsFloatingId();
}

CRect CSizingControlBarG::CloseButtonRect() const {
    return CRect(m_ptCloseButton, CSize(kCloseButtonSize, kCloseButtonSize));
}

void CSizingControlBarG::CalcClientInside(LPRECT pRect, UINT nDockBarId) {
    const CPoint origin(pRect->left, pRect->top);
    CSizingControlBar::CalcClientInside(pRect, nDockBarId);
    if (nDockBarId == AFX_IDW_DOCKBAR_FLOAT)
        return;
    CRect client(pRect);
    const bool horz = nDockBarId == AFX_IDW_DOCKBAR_TOP || nDockBarId == AFX_IDW_DOCKBAR_BOTTOM;
    CPoint button;
    if (horz) {
        client.left += kGripperHeight;
        button = CPoint(client.left - 13, client.top);
    } else {
        client.top += kGripperHeight;
        button = CPoint(client.right - 12, client.top - 13);
    }
    m_ptCloseButton = CPoint(button.x - origin.x, button.y - origin.y);
    *pRect = client;
}

LRESULT CSizingControlBarG::OnNcHitTest(CPoint point) {
    const LRESULT hit = CSizingControlBar::OnNcHitTest(point);
    if (hit != HTCLIENT || !HasGripper())
        return hit;
    CRect window;
    GetWindowRect(&window);
    CRect button = CloseButtonRect();
    button.OffsetRect(window.TopLeft());
    return button.PtInRect(point) ? HTCLOSE : hit;
}

void CSizingControlBarG::OnNcLButtonUp(UINT nHitTest, CPoint point) {
    if (nHitTest == HTCLOSE && m_pDockSite != nullptr)
        m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    CSizingControlBar::OnNcLButtonUp(nHitTest, point);
}

void CSizingControlBarG::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CSizingControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (!HasGripper())
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    const bool over = OnNcHitTest(cursor) == HTCLOSE;
    const bool down = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    const BOOL pushed = over && down;
    const BOOL raised = over && !down;
    if (pushed != m_bClosePushed || raised != m_bCloseRaised) {
        m_bClosePushed = pushed;
        m_bCloseRaised = raised;
        SendMessage(WM_NCPAINT);
    }
}

void CSizingControlBarG::PaintGripper(CDC* pDC, CRect rcClient) {
    if (!HasGripper())
        return;
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const CRect button = CloseButtonRect();
    if (IsHorzDocked()) {
        const int left = rcClient.left - kGripperHeight;
        const int top = button.top + 14;
        for (int x : {left + 2, left + 6})
            pDC->Draw3dRect(x, top, 3, rcClient.bottom - top, highlight, shadow);
    } else {
        const int top = rcClient.top - kGripperHeight;
        for (int y : {top + 2, top + 6})
            pDC->Draw3dRect(rcClient.left, y, button.left - 3 - rcClient.left, 3, highlight,
                            shadow);
    }
    PaintCloseButton(pDC);
}

void CSizingControlBarG::PaintCloseButton(CDC* pDC) {
    const CRect button = CloseButtonRect();
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_bCloseRaised)
        pDC->Draw3dRect(&button, highlight, shadow);
    else if (m_bClosePushed)
        pDC->Draw3dRect(&button, shadow, highlight);
    // The close glyph of the symbol font, 6 points, 2 pixels in from the square's corner.
    CFont glyph;
    const int height = -::MulDiv(60, pDC->GetDeviceCaps(LOGPIXELSY), 720);
    glyph.CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     "Marlett");
    CFont* old = pDC->SelectObject(&glyph);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(button.left + 2, button.top + 2, CString("r"));
    pDC->SelectObject(old);
}
