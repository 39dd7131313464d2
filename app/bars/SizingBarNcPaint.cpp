// The bar's non-client area (borders, background, raised sizing edges, the gripper of the
// derived classes) is drawn off screen and copied to the window in one transfer, so that the
// caption and edges do not flicker while the bars are dragged and sized.
#include "app/bars/SizingControlBar.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/UserDrawConstants.h"

void CSizingControlBar::OnNcPaint() {
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    const CRect client = ClientInWindow();
    if (window.IsRectEmpty())
        return;

    CDC* windowDc = GetWindowDC();
    if (windowDc == nullptr)
        return;
    CDC memory;
    memory.CreateCompatibleDC(windowDc);
    CBitmap picture;
    picture.CreateCompatibleBitmap(windowDc, window.Width(), window.Height());
    CBitmap* oldPicture = memory.SelectObject(&picture);

    CRect inside = window;
    DrawBorders(&memory, inside);
    memory.FillRect(&inside, CBrush::FromHandle(::GetSysColorBrush(COLOR_BTNFACE)));
    if (m_dwSizingStyle & kShowEdges) {
        const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
        for (UINT hit : {static_cast<UINT>(HTLEFT), static_cast<UINT>(HTTOP),
                         static_cast<UINT>(HTRIGHT), static_cast<UINT>(HTBOTTOM)}) {
            CRect strip;
            if (EdgeStrip(window, hit, strip))
                memory.Draw3dRect(&strip, highlight, shadow);
        }
    }
    PaintGripper(&memory, client);

    windowDc->ExcludeClipRect(&client);
    windowDc->BitBlt(0, 0, window.Width(), window.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldPicture);
    ReleaseDC(windowDc);
}

void CSizingControlBar::PaintGripper(CDC* pDC, CRect rcClient) {
    (void)pDC;
    (void)rcClient;
}
