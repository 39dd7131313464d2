// Scrolling the drop-down's list from its own scroll bar; the position follows the list's top
// index, limited to the range.
#include "controls/list/CDropScrollBar.h"

#include <algorithm>

#include "controls/list/CDropListBox.h"

IMPLEMENT_DYNAMIC(CDropScrollBar, CScrollBar)

BEGIN_MESSAGE_MAP(CDropScrollBar, CScrollBar)
ON_WM_VSCROLL_REFLECT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(CDropListBox::kTakeCapture, &CDropScrollBar::OnTakeCapture)
ON_MESSAGE(CDropListBox::kReleaseCapture, &CDropScrollBar::OnReleaseCapture)
END_MESSAGE_MAP()

void CDropScrollBar::SetListBox(CDropListBox* pListBox) {
    m_pListBox = pListBox;
    const int count = pListBox->GetCount();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(count - 1, 0);
    si.nPage = static_cast<UINT>(
        std::max(pListBox->GetBottomIndex() - pListBox->GetTopIndex(), count > 0 ? 0 : 1));
    si.nPos = 0;
    ::SetScrollInfo(m_hWnd, SB_CTL, &si, TRUE);
}

void CDropScrollBar::VScroll(UINT nSBCode, UINT nPos) {
    if (m_pListBox == nullptr)
        return;
    if (nSBCode == SB_ENDSCROLL) {
        ::ReleaseCapture();
        GetParent()->PostMessage(CDropListBox::kTakeCapture);
        return;
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_CTL, &si);
    int pos = si.nPos;
    const int page = static_cast<int>(si.nPage);
    switch (nSBCode) {
        case SB_LINEUP:
            pos -= 1;
            break;
        case SB_LINEDOWN:
            pos += 1;
            break;
        case SB_PAGEUP:
            pos -= page;
            break;
        case SB_PAGEDOWN:
            pos += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            pos = static_cast<int>(nPos);
            break;
        default:
            return;
    }
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax));
    m_pListBox->SetTopIdx(pos, FALSE);
    SetScrollPos(pos);
}

bool CDropScrollBar::LeaveIfOutside(CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point))
        return false;
    ::ReleaseCapture();
    GetParent()->SendMessage(CDropListBox::kTakeCapture);
    return true;
}

void CDropScrollBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (!LeaveIfOutside(point))
        CScrollBar::OnMouseMove(nFlags, point);
}

void CDropScrollBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!LeaveIfOutside(point))
        CScrollBar::OnLButtonDown(nFlags, point);
}

LRESULT CDropScrollBar::OnTakeCapture(WPARAM, LPARAM) {
    SetCapture();
    return 0;
}

LRESULT CDropScrollBar::OnReleaseCapture(WPARAM, LPARAM) {
    ::ReleaseCapture();
    return 0;
}
