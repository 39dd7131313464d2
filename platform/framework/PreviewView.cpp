#include "platform/framework/PreviewView.h"

#include <algorithm>
#include <cmath>

#include "platform/framework/CmdUI.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MiniDockFrameWnd.h"
#include "platform/framework/PreviewBar.h"
#include "platform/gfx/PrintPreview.h"
#include "platform/gfx/WindowDC.h"
#include "platform/ui/commctrl/ControlLanguage.h"
#include "platform/ui/controls/ScrollBar.h"

IMPLEMENT_DYNAMIC(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_KEYDOWN()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &CPreviewView::OnPreviewClose)
ON_COMMAND(AFX_ID_PREVIEW_PRINT, &CPreviewView::OnPreviewPrint)
ON_COMMAND(ID_FILE_PRINT, &CPreviewView::OnPreviewPrint)
ON_COMMAND(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnUpdateNextPage)
ON_COMMAND(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, &CPreviewView::OnUpdatePrevPage)
ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnNumPageChange)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnUpdateNumPageChange)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnZoomIn)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnUpdateZoomIn)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnZoomOut)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnUpdateZoomOut)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kGround = RGB(128, 128, 128);
constexpr COLORREF kShadowColor = RGB(0, 0, 0);
constexpr int kGap = 8;     // around and between the sheets
constexpr int kShadow = 4;  // the shadow's offset to the right and down
constexpr int kLine = 16;   // one step of the scroll arrows

// The frame's close command ends the preview instead.
void ClosePreviewOf(CFrameWnd* frame) {
    if (auto* preview = DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()))
        preview->Close();
    else
        frame->m_lpfnCloseProc = nullptr;
}

int ScrollDelta(HWND hWnd, int bar, UINT code, UINT pos) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(hWnd, bar, &info);
    switch (code) {
        case SB_LINEUP:
            return -kLine;
        case SB_LINEDOWN:
            return kLine;
        case SB_PAGEUP:
            return -static_cast<int>(info.nPage);
        case SB_PAGEDOWN:
            return static_cast<int>(info.nPage);
        case SB_TOP:
            return info.nMin - info.nPos;
        case SB_BOTTOM:
            return info.nMax - info.nPos;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return static_cast<int>(pos) - info.nPos;
        default:
            return 0;
    }
}

}  // namespace

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() {
    ClearRenderedPages();
}

BOOL CPreviewView::Start(CView* pPrintView) {
    CFrameWnd* frame = pPrintView != nullptr ? pPrintView->GetParentFrame() : nullptr;
    if (frame == nullptr || frame->m_lpfnCloseProc != nullptr)
        return FALSE;
    auto info = std::make_unique<CPrintInfo>();
    info->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(info.get()) || info->m_hPrinterDC == nullptr)
        return FALSE;
    auto* preview = new CPreviewView;
    return preview->Begin(pPrintView, std::move(info));
}

BOOL CPreviewView::Begin(CView* pPrintView, std::unique_ptr<CPrintInfo> info) {
    CFrameWnd* frame = pPrintView->GetParentFrame();
    // Made hidden and without the pane's id; a view that fails to be made deletes itself.
    if (!Create(nullptr, nullptr, WS_CHILD | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 0, 0), frame, 0,
                nullptr))
        return FALSE;
    m_pPrintView = pPrintView;
    m_pInfo = std::move(info);
    m_dcPrint.Attach(m_pInfo->DetachPrinterDC());
    m_dcPrint.m_bPrinting = TRUE;
    m_nPages = m_pInfo->m_nNumPreviewPages == 2 ? 2 : 1;
    m_nCurrentPage = std::clamp(m_pInfo->m_nCurPage, m_pInfo->GetMinPage(),
                                std::max(m_pInfo->GetMinPage(), m_pInfo->GetMaxPage()));
    m_pPrintView->OnBeginPrinting(&m_dcPrint, m_pInfo.get());

    // Put the frame's own furniture away: bars, floating bars, menu and shortcut keys.
    m_hFrame = frame->m_hWnd;
    m_hFocus = ::GetFocus();
    m_pActiveViewBefore = frame->GetActiveView();
    for (HWND child = ::GetWindow(m_hFrame, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        // The status bar stays: it tells which pages are shown.
        if (child != pPrintView->m_hWnd && ::IsWindowVisible(child) &&
            ::GetDlgCtrlID(child) != static_cast<int>(AFX_IDW_STATUS_BAR))
            m_hiddenWindows.push_back(child);
    }
    for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr;
         top = ::GetWindow(top, GW_HWNDNEXT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(top);
        if (::GetWindow(top, GW_OWNER) == m_hFrame && ::IsWindowVisible(top) && wnd != nullptr &&
            wnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            m_hiddenWindows.push_back(top);
    }
    for (HWND hidden : m_hiddenWindows)
        ::ShowWindow(hidden, SW_HIDE);
    m_bPrintViewVisible = pPrintView->IsWindowVisible();
    pPrintView->ShowWindow(SW_HIDE);
    pPrintView->SetDlgCtrlID(AFX_IDW_PANE_SAVE);
    m_hMenu = ::GetMenu(m_hFrame);
    ::SetMenu(m_hFrame, nullptr);
    m_hAccel = frame->m_hAccelTable;
    frame->m_hAccelTable = nullptr;
    frame->m_lpfnCloseProc = &ClosePreviewOf;

    auto* bar = new CPreviewBar;
    if (!bar->Create(frame)) {
        if (bar->m_hWnd == nullptr) {
            delete bar;
        } else {
            bar->m_bAutoDelete = TRUE;
            bar->DestroyWindow();
        }
        Close();
        return FALSE;
    }
    bar->m_bAutoDelete = TRUE;
    m_pBar = bar;
    SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    ShowWindow(SW_SHOW);
    frame->SetActiveView(this);
    frame->RecalcLayout();
    SetFocus();
    ShowPageDescription();
    return TRUE;
}

void CPreviewView::ShowPageDescription() {
    static constexpr kq::ui::LocalText kPage{"Seite %u", "Page %u", "Page %u"};
    static constexpr kq::ui::LocalText kPages{"Seiten %u-%u", "Pages %u-%u", "Pages %u-%u"};
    CFrameWnd* frame = GetParentFrame();
    if (frame == nullptr)
        return;
    CString text;
    if (m_nPages == 2 && PageExists(m_nCurrentPage + 1))
        text.Format(kPages.Get(), m_nCurrentPage, m_nCurrentPage + 1);
    else
        text.Format(kPage.Get(), m_nCurrentPage);
    frame->SetMessageText(text);
}

void CPreviewView::EndPrinting() {
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    // While the frame is being destroyed, the view may already be gone.
    if (m_pPrintView != nullptr && CWnd::FromHandlePermanent(m_pPrintView->m_hWnd) == m_pPrintView)
        m_pPrintView->OnEndPrinting(&m_dcPrint, m_pInfo.get());
}

void CPreviewView::RestoreFrame() {
    EndPrinting();
    auto* frame = static_cast<CFrameWnd*>(CWnd::FromHandlePermanent(m_hFrame));
    if (frame == nullptr)
        return;
    frame->m_lpfnCloseProc = nullptr;
    frame->m_hAccelTable = m_hAccel;
    if (m_hMenu != nullptr && ::IsMenu(m_hMenu))
        ::SetMenu(m_hFrame, m_hMenu);
    if (m_pBar != nullptr) {
        m_pBar->DestroyWindow();
        m_pBar = nullptr;
    }
    if (m_hWnd != nullptr)
        SetDlgCtrlID(0);
    m_pPrintView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    if (m_bPrintViewVisible)
        m_pPrintView->ShowWindow(SW_SHOW);
    for (HWND hidden : m_hiddenWindows) {
        if (::IsWindow(hidden))
            ::ShowWindow(hidden, SW_SHOWNA);
    }
    m_hiddenWindows.clear();
    frame->SetActiveView(m_pActiveViewBefore != this ? m_pActiveViewBefore : m_pPrintView);
    frame->RecalcLayout();
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);  // the pages shown are no longer news
    if (m_hFocus != nullptr && ::IsWindow(m_hFocus))
        ::SetFocus(m_hFocus);
    m_hFrame = nullptr;
}

void CPreviewView::Close() {
    RestoreFrame();
    DestroyWindow();
}

void CPreviewView::OnDestroy() {
    // Destroyed with its frame: the view still hears that printing ended.
    EndPrinting();
    CView::OnDestroy();
}

// --- pages ---

BOOL CPreviewView::PageExists(UINT nPage) {
    if (nPage < m_pInfo->GetMinPage() || nPage > m_pInfo->GetMaxPage())
        return FALSE;
    if (m_pInfo->GetMaxPage() != 0xFFFF)
        return TRUE;
    // A view that does not know its length says so in OnPrepareDC.
    const UINT current = m_pInfo->m_nCurPage;
    const int saved = m_dcPrint.SaveDC();
    m_pInfo->m_nCurPage = nPage;
    m_pInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&m_dcPrint, m_pInfo.get());
    const BOOL exists = m_pInfo->m_bContinuePrinting;
    m_dcPrint.RestoreDC(saved);
    m_pInfo->m_nCurPage = current;
    m_pInfo->m_bContinuePrinting = TRUE;
    // The length is known from here on.
    if (!exists && nPage > m_pInfo->GetMinPage())
        m_pInfo->SetMaxPage(nPage - 1);
    return exists;
}

HBITMAP CPreviewView::PageBitmap(UINT nPage, double scale) {
    for (const RenderedPage& rendered : m_rendered) {
        if (rendered.page == nPage && rendered.scale == scale)
            return rendered.bitmap;
    }
    if (!PageExists(nPage))
        return nullptr;
    const HDC hdc = m_dcPrint.m_hDC;
    const int saved = m_dcPrint.SaveDC();
    // Each page starts blank, in device units.
    ::PatBlt(hdc, 0, 0, m_dcPrint.GetDeviceCaps(HORZRES), m_dcPrint.GetDeviceCaps(VERTRES),
             WHITENESS);
    m_pInfo->m_nCurPage = nPage;
    m_pInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&m_dcPrint, m_pInfo.get());
    HBITMAP bitmap = nullptr;
    if (m_pInfo->m_bContinuePrinting) {
        m_pInfo->m_rectDraw.SetRect(0, 0, m_dcPrint.GetDeviceCaps(HORZRES),
                                    m_dcPrint.GetDeviceCaps(VERTRES));
        m_dcPrint.DPtoLP(&m_pInfo->m_rectDraw);
        m_pPrintView->OnPrint(&m_dcPrint, m_pInfo.get());
    }
    m_dcPrint.RestoreDC(saved);
    if (m_pInfo->m_bContinuePrinting)
        bitmap = kq::gfx::RenderPagePreview(hdc, scale);
    m_pInfo->m_bContinuePrinting = TRUE;
    if (bitmap != nullptr)
        m_rendered.push_back({nPage, scale, bitmap});
    return bitmap;
}

void CPreviewView::ClearRenderedPages() {
    for (const RenderedPage& rendered : m_rendered)
        ::DeleteObject(rendered.bitmap);
    m_rendered.clear();
}

void CPreviewView::SetCurrentPage(UINT nPage) {
    if (nPage == m_nCurrentPage || !PageExists(nPage))
        return;
    m_nCurrentPage = nPage;
    m_scroll = CPoint(0, 0);
    UpdateScrollBars();
    Invalidate();
    ShowPageDescription();
}

void CPreviewView::SetZoomState(int nState) {
    nState = std::clamp(nState, static_cast<int>(zoomOut), static_cast<int>(zoomIn));
    if (nState == m_nZoomState)
        return;
    m_nZoomState = nState;
    m_scroll = CPoint(0, 0);
    UpdateScrollBars();
    Invalidate();
}

// --- layout and painting ---

CPreviewView::Layout CPreviewView::ComputeLayout() {
    Layout layout;
    CRect client;
    GetClientRect(&client);
    const int sheetWidth = std::max(1, m_dcPrint.GetDeviceCaps(PHYSICALWIDTH));
    const int sheetHeight = std::max(1, m_dcPrint.GetDeviceCaps(PHYSICALHEIGHT));
    const int places = static_cast<int>(PlacesShown());
    const double width = (client.Width() - kGap * (places + 1) - kShadow * places) / double(places);
    const double height = client.Height() - 2 * kGap - kShadow;
    const double fit = std::max(0.001, std::min(width / sheetWidth, height / sheetHeight));
    int screenDpi = 96;
    {
        CClientDC dc(this);
        if (dc.m_hDC != nullptr && dc.GetDeviceCaps(LOGPIXELSX) > 0)
            screenDpi = dc.GetDeviceCaps(LOGPIXELSX);
    }
    const int printerDpi = std::max(1, m_dcPrint.GetDeviceCaps(LOGPIXELSX));
    // Zoomed fully in: the page at its real size, but at least twice the fitting size.
    const double full = std::max(double(screenDpi) / printerDpi, 2 * fit);
    layout.scale = m_nZoomState == zoomOut ? fit : m_nZoomState == zoomIn ? full : (fit + full) / 2;
    layout.sheet = CSize(std::max(1, static_cast<int>(std::lround(sheetWidth * layout.scale))),
                         std::max(1, static_cast<int>(std::lround(sheetHeight * layout.scale))));
    layout.content = CSize(places * (layout.sheet.cx + kShadow) + (places + 1) * kGap,
                           layout.sheet.cy + kShadow + 2 * kGap);
    layout.origin.x = layout.content.cx <= client.Width() ? (client.Width() - layout.content.cx) / 2
                                                          : -m_scroll.x;
    layout.origin.y = layout.content.cy <= client.Height()
                          ? (client.Height() - layout.content.cy) / 2
                          : -m_scroll.y;
    return layout;
}

CRect CPreviewView::GetSheetRect(int nPlace) {
    if (nPlace < 0 || nPlace >= static_cast<int>(PlacesShown()) ||
        !PageExists(m_nCurrentPage + nPlace))
        return CRect();
    const Layout layout = ComputeLayout();
    const int left = layout.origin.x + kGap + nPlace * (layout.sheet.cx + kShadow + kGap);
    const int top = layout.origin.y + kGap;
    return CRect(left, top, left + layout.sheet.cx, top + layout.sheet.cy);
}

void CPreviewView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, kGround);
    const Layout layout = ComputeLayout();
    std::vector<RenderedPage> shown;
    for (int place = 0; place < 2; ++place) {
        const CRect sheet = GetSheetRect(place);
        if (sheet.IsRectEmpty())
            continue;
        const UINT page = m_nCurrentPage + static_cast<UINT>(place);
        HBITMAP bitmap = PageBitmap(page, layout.scale);
        if (bitmap == nullptr)
            continue;
        shown.push_back({page, layout.scale, bitmap});
        CRect shadow = sheet;
        shadow.OffsetRect(kShadow, kShadow);
        pDC->FillSolidRect(&shadow, kShadowColor);
        HDC memory = ::CreateCompatibleDC(pDC->m_hDC);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(pDC->m_hDC, sheet.left, sheet.top, sheet.Width(), sheet.Height(), memory, 0, 0,
                 SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    // Keep only what is on the screen.
    for (const RenderedPage& rendered : m_rendered) {
        const bool kept = std::any_of(shown.begin(), shown.end(), [&](const RenderedPage& s) {
            return s.bitmap == rendered.bitmap;
        });
        if (!kept)
            ::DeleteObject(rendered.bitmap);
    }
    m_rendered = std::move(shown);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) {
    return TRUE;  // OnDraw covers the whole client area
}

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    UpdateScrollBars();
    Invalidate();
}

void CPreviewView::UpdateScrollBars() {
    if (m_bInScrollUpdate || m_hWnd == nullptr)
        return;
    m_bInScrollUpdate = TRUE;
    // Showing one bar narrows the other side: twice settles it.
    for (int pass = 0; pass < 2; ++pass) {
        CRect client;
        GetClientRect(&client);
        const Layout layout = ComputeLayout();
        const int sizes[2][2] = {{layout.content.cx, client.Width()},
                                 {layout.content.cy, client.Height()}};
        for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            info.nMin = 0;
            info.nMax = sizes[bar][0] > sizes[bar][1] ? sizes[bar][0] - 1 : 0;
            info.nPage = static_cast<UINT>(std::max(0, sizes[bar][1]));
            info.nPos = bar == SB_HORZ ? m_scroll.x : m_scroll.y;
            const int pos = ::SetScrollInfo(m_hWnd, bar, &info, TRUE);
            const int limited = info.nMax == 0 ? 0 : pos;
            (bar == SB_HORZ ? m_scroll.x : m_scroll.y) = limited;
        }
    }
    m_bInScrollUpdate = FALSE;
}

void CPreviewView::ScrollBy(int bar, int delta) {
    const int before = ::GetScrollPos(m_hWnd, bar);
    ::SetScrollPos(m_hWnd, bar, before + delta, TRUE);
    const int after = ::GetScrollPos(m_hWnd, bar);
    (bar == SB_HORZ ? m_scroll.x : m_scroll.y) = after;
    if (after != before)
        Invalidate();
}

void CPreviewView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    ScrollBy(SB_HORZ, ScrollDelta(m_hWnd, SB_HORZ, nSBCode, nPos));
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    ScrollBy(SB_VERT, ScrollDelta(m_hWnd, SB_VERT, nSBCode, nPos));
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    switch (nChar) {
        case VK_ESCAPE:
            OnPreviewClose();
            return;
        case VK_PRIOR:
            OnPrevPage();
            return;
        case VK_NEXT:
            OnNextPage();
            return;
        case VK_HOME:
            SetCurrentPage(m_pInfo->GetMinPage());
            return;
        case VK_END:
            // Only a view that knows its length has a last page to go to.
            if (m_pInfo->GetMaxPage() != 0xFFFF)
                SetCurrentPage(
                    std::max(m_pInfo->GetMinPage(), m_pInfo->GetMaxPage() + 1 - PlacesShown()));
            return;
        case VK_LEFT:
            ScrollBy(SB_HORZ, -kLine);
            return;
        case VK_RIGHT:
            ScrollBy(SB_HORZ, kLine);
            return;
        case VK_UP:
            ScrollBy(SB_VERT, -kLine);
            return;
        case VK_DOWN:
            ScrollBy(SB_VERT, kLine);
            return;
        default:
            CView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

// --- commands ---

void CPreviewView::OnPreviewClose() {
    Close();
}

void CPreviewView::OnPreviewPrint() {
    CView* view = m_pPrintView;
    Close();
    // The view prints as it always does, with the print dialog.
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnNextPage() {
    if (PageExists(m_nCurrentPage + PlacesShown()))
        SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage() {
    if (m_nCurrentPage > m_pInfo->GetMinPage())
        SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnNumPageChange() {
    if (m_nZoomState != zoomOut)
        return;
    m_nPages = m_nPages == 1 ? 2 : 1;
    m_pInfo->m_nNumPreviewPages = m_nPages;
    UpdateScrollBars();
    Invalidate();
    ShowPageDescription();
}

void CPreviewView::OnZoomIn() {
    SetZoomState(m_nZoomState + 1);
}

void CPreviewView::OnZoomOut() {
    SetZoomState(m_nZoomState - 1);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
    // The last page is not yet in view.
    pCmdUI->Enable(PageExists(m_nCurrentPage + PlacesShown()));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_nCurrentPage > m_pInfo->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
    pCmdUI->SetText(CPreviewBar::NumPageText(m_nPages));
    pCmdUI->Enable(m_nZoomState == zoomOut &&
                   (m_nPages == 2 || PageExists(m_pInfo->GetMinPage() + 1)));
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_nZoomState != zoomIn);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_nZoomState != zoomOut);
}
