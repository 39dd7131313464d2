// The drop-down window: placing and sizing itself for the items when it is created, laying out
// its list and scroll bar, the size grip (drag to resize within the combo's width and 100 pixels
// beyond the first size), and the capture passing that lets it see every click.
#include "controls/list/CDropWnd.h"
#include "controls/list/CThemeLibrary.h"

#include <algorithm>
#include <cstring>

#include "controls/list/CDropListBox.h"
#include "controls/list/CDropScrollBar.h"
#include "platform/gfx/WindowDC.h"

IMPLEMENT_DYNAMIC(CDropWnd, CWnd)

BEGIN_MESSAGE_MAP(CDropWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_ACTIVATEAPP()
ON_MESSAGE(CDropListBox::kTakeCapture, &CDropWnd::OnTakeCapture)
ON_MESSAGE(CDropListBox::kReleaseCapture, &CDropWnd::OnReleaseCapture)
END_MESSAGE_MAP()

namespace kq::xlist {

LOGFONT DropFontOf(int height) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, "MS Sans Serif", sizeof lf.lfFaceName - 1);
    return lf;
}

}  // namespace kq::xlist

CDropWnd::CDropWnd(CAdvComboBox* pComboParent, const std::list<AdvComboItem>& itemlist,
                   DWORD dwACBStyle)
    : m_pComboParent(pComboParent), m_list(itemlist), m_dwACBStyle(dwACBStyle) {}

CDropWnd::~CDropWnd() {
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    delete m_pListBox;
    delete m_pScroll;
}

BOOL CDropWnd::PreCreateWindow(CREATESTRUCT& cs) {
    return CWnd::PreCreateWindow(cs);
}

BOOL CDropWnd::DestroyWindow() {
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_pListBox != nullptr && ::IsWindow(m_pListBox->GetSafeHwnd()))
        m_pListBox->DestroyWindow();
    return CWnd::DestroyWindow();
}

int CDropWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    const LOGFONT lf = kq::xlist::DropFontOf(12);
    m_font.CreateFontIndirect(&lf);
    ModifyStyleEx(0, WS_EX_TOOLWINDOW);
    SetWindowPos(&wndTopMost, cs->x, cs->y, cs->cx, cs->cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);

    const int scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int gripHeight = ::GetSystemMetrics(SM_CYVSCROLL);
    CRect client;
    GetClientRect(&client);
    m_rcScroll =
        CRect(client.right - scrollWidth, client.top, client.right, client.bottom - gripHeight);
    m_pScroll = new CDropScrollBar;
    m_pScroll->Create(WS_CHILD | SBS_VERT | SBS_RIGHTALIGN, m_rcScroll, this, kScrollBarId);

    m_rcList = CRect(cs->x, cs->y, cs->x + cs->cx - scrollWidth, cs->y + cs->cy);
    ScreenToClient(&m_rcList);
    m_pListBox = new CDropListBox(m_pComboParent, m_pScroll);
    if (!m_pListBox->Create(WS_CHILD | LBS_NOINTEGRALHEIGHT, m_rcList, this, kListBoxId))
        return -1;
    m_pListBox->SetDropFlags(m_dwACBStyle);
    m_pListBox->ShowWindow(SW_SHOW);

    int top = cs->y;
    int height = cs->cy;
    PlaceForItems(*cs, top, height);
    const int width = WidthForItems(*cs);
    m_nMaxX = width + 100;
    m_nMaxY = height + 100;
    MoveWindow(cs->x, top, width, height, TRUE);

    GetClientRect(&client);
    m_rcSizeHandle =
        CRect(client.right - scrollWidth, client.bottom - gripHeight, client.right, client.bottom);
    for (const AdvComboItem& item : m_list)
        m_pListBox->AddListItem(item);
    m_pScroll->SetListBox(m_pListBox);
    m_pScroll->ShowWindow(SW_SHOW);
    SetCapture();
    return 0;
}

void CDropWnd::PlaceForItems(const CREATESTRUCT& cs, int& top, int& height) {
    const int itemHeight = std::max(1, m_pListBox->GetItemHeight(0));
    const int count = static_cast<int>(m_list.size());
    const int screen = ::GetSystemMetrics(SM_CYSCREEN);
    const int lines = m_pComboParent->GetDropDownLines();
    CRect combo;
    m_pComboParent->GetWindowRect(&combo);
    const int y = cs.y;
    int h = count * itemHeight + 2;
    const bool unlimited = lines == -1 || lines > count;
    if ((screen - y) / itemHeight >= m_pComboParent->GetMinVisibleLines()) {
        top = y;
        if (unlimited) {
            if (y + h > screen)
                h = screen - y;
            else if (h < ::GetSystemMetrics(SM_CYVSCROLL))
                h = ::GetSystemMetrics(SM_CYVSCROLL);
        } else {
            h = y + itemHeight * lines <= screen ? itemHeight * lines + 2 : screen - y + 2;
        }
    } else {
        // Not enough room below: the list ends at the combo's top edge.
        const int bottom = combo.top;
        top = unlimited ? std::max(bottom - h, 0) : std::max(bottom - itemHeight * lines - 2, 0);
        h = bottom - top;
    }
    height = h;
}

int CDropWnd::WidthForItems(const CREATESTRUCT& cs) {
    int widest = 0;
    for (const AdvComboItem& item : m_list)
        widest = std::max(widest, static_cast<int>(m_pListBox->GetTextSize(item.strText).cx));
    int width = ::GetSystemMetrics(SM_CXVSCROLL) + widest + 8;
    if (width < m_rcList.Width())
        width = cs.cx;
    CRect combo;
    m_pComboParent->GetWindowRect(&combo);
    return std::max(width, combo.Width());
}

void CDropWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (m_pListBox == nullptr || m_pScroll == nullptr || m_pListBox->GetSafeHwnd() == nullptr)
        return;
    const int scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int gripHeight = ::GetSystemMetrics(SM_CYVSCROLL);
    m_rcList = CRect(0, 0, cx - scrollWidth, cy);
    m_rcList.DeflateRect(1, 1);
    m_rcScroll = CRect(cx - scrollWidth, 0, cx, cy - gripHeight);
    m_rcScroll.DeflateRect(1, 1);
    m_pListBox->MoveWindow(&m_rcList);
    m_pScroll->MoveWindow(&m_rcScroll);
    m_rcSizeHandle = CRect(cx - scrollWidth, cy - gripHeight, cx, cy);
    m_rcSizeHandle.DeflateRect(1, 1);
    Invalidate();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_PAGE;
    si.nPage =
        static_cast<UINT>(std::max(m_pListBox->GetBottomIndex() - m_pListBox->GetTopIndex(), 0));
    ::SetScrollInfo(m_pScroll->GetSafeHwnd(), SB_CTL, &si, TRUE);
}

void CDropWnd::OnPaint() {
    CPaintDC dc(this);
    // The frame round the list area (one pixel wider to the right) and the size grip, themed
    // with visual styles, else classic.
    CRect frame = m_rcList;
    frame.InflateRect(1, 1);
    frame.right += 1;
    CBrush shadow(::GetSysColor(COLOR_3DDKSHADOW));
    dc.FrameRect(&frame, &shadow);
    CThemeLibrary& theme = ThemeLibrary();
    HTHEME handle = theme.IsXPThemeActive() ? theme.OpenThemeData(m_hWnd, "SCROLLBAR") : nullptr;
    if (handle == nullptr) {
        dc.DrawFrameControl(&m_rcSizeHandle, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        return;
    }
    constexpr int kLowerTrackPart = 6;
    constexpr int kSizeBoxPart = 10;
    theme.DrawThemeBackground(handle, dc.GetSafeHdc(), kLowerTrackPart, 1, &m_rcSizeHandle,
                              nullptr);
    theme.DrawThemeBackground(handle, dc.GetSafeHdc(), kSizeBoxPart, 1, &m_rcSizeHandle, nullptr);
    theme.CloseThemeData(handle);
}

void CDropWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_rcSizeHandle.PtInRect(point)) {
        m_bResizing = 1;
        m_ptLastResize = point;
        CRect client;
        GetClientRect(&client);
        m_nMouseDiffX = client.right - point.x;
        m_nMouseDiffY = client.bottom - point.y;
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        ::ReleaseCapture();
        m_pComboParent->PostMessage(CAdvComboBox::kCloseDropDown);
    }
    // The combo may close and delete this window in answer: touch nothing of it afterwards.
    HWND self = m_hWnd;
    m_pComboParent->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    if (::IsWindow(self))
        CWnd::OnLButtonDown(nFlags, point);
}

void CDropWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bResizing) {
        CRect combo;
        m_pComboParent->GetWindowRect(&combo);
        const int width =
            std::clamp(m_nMouseDiffX + point.x, combo.Width(), std::max(m_nMaxX, combo.Width()));
        int height = m_nMouseDiffY + point.y;
        if (height < ::GetSystemMetrics(SM_CYVSCROLL))
            height = ::GetSystemMetrics(SM_CXVSCROLL) + 1;
        height = std::min(height, m_nMaxY);
        CRect window;
        GetWindowRect(&window);
        MoveWindow(window.left, window.top, width, height, TRUE);
        return;
    }
    CRect list;
    m_pListBox->GetWindowRect(&list);
    CRect scroll;
    m_pScroll->GetWindowRect(&scroll);
    CPoint screen = point;
    ClientToScreen(&screen);
    if (list.PtInRect(screen)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        ::ReleaseCapture();
        m_pScroll->SendMessage(CDropListBox::kReleaseCapture);
        m_pListBox->SetFocus();
        m_pListBox->SendMessage(CDropListBox::kTakeCapture);
    } else if (scroll.PtInRect(screen)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        m_pScroll->SetFocus();
        ::ReleaseCapture();
        m_pListBox->SendMessage(CDropListBox::kReleaseCapture);
        m_pScroll->SendMessage(CDropListBox::kTakeCapture);
    } else {
        ::SetCursor(
            ::LoadCursor(nullptr, m_rcSizeHandle.PtInRect(point) ? IDC_SIZENWSE : IDC_ARROW));
        SetCapture();
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CDropWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bResizing) {
        m_bResizing = 0;
        CWnd::UnlockWindowUpdate();
        m_pListBox->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CDropWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
    CWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive)
        m_pComboParent->PostMessage(CAdvComboBox::kCloseDropDown);
}

LRESULT CDropWnd::OnTakeCapture(WPARAM, LPARAM) {
    SetCapture();
    return 0;
}

LRESULT CDropWnd::OnReleaseCapture(WPARAM, LPARAM) {
    ::ReleaseCapture();
    return 0;
}
