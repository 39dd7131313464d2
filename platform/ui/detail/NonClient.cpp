#include "platform/ui/detail/NonClient.h"

#include <algorithm>

#include "platform/ui/Messages.h"
#include "platform/ui/Styles.h"
#include "platform/ui/SystemMetrics.h"

namespace kq::ui::detail {
namespace {

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

int EdgeThickness(DWORD exStyle) {
    int edge = 0;
    if (exStyle & WS_EX_CLIENTEDGE)
        edge += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE)
        edge += GetSystemMetrics(SM_CXBORDER);
    return edge;
}

int CaptionHeight(DWORD style, DWORD exStyle) {
    if (!HasCaption(style))
        return 0;
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

// Caption buttons from the right: close, then maximise and minimise (shown as a pair).
LRESULT CaptionButtonAt(DWORD style, DWORD exStyle, int fromRight) {
    if (!(style & WS_SYSMENU))
        return HTCAPTION;
    const bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    const int width = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE);
    if (fromRight < width)
        return HTCLOSE;
    if (tool || !(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)))
        return HTCAPTION;
    if (fromRight < 2 * width)
        return HTMAXBUTTON;
    if (fromRight < 3 * width)
        return HTMINBUTTON;
    return HTCAPTION;
}

LRESULT SizingBorderAt(RECT r, POINT pt, int frame) {
    const int corner = GetSystemMetrics(SM_CXSIZE) + frame;
    const bool left = pt.x < r.left + frame;
    const bool right = pt.x >= r.right - frame;
    const bool top = pt.y < r.top + frame;
    const bool bottom = pt.y >= r.bottom - frame;
    const bool nearLeft = pt.x < r.left + corner;
    const bool nearRight = pt.x >= r.right - corner;
    const bool nearTop = pt.y < r.top + corner;
    const bool nearBottom = pt.y >= r.bottom - corner;
    if (top)
        return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
    if (bottom)
        return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left)
        return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
    if (right)
        return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
    return HTNOWHERE;
}

}  // namespace

int FrameThickness(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME)
        return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER)
        return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

FrameInsets NonClientInsets(DWORD style, DWORD exStyle, bool menuBar) {
    const int border = FrameThickness(style, exStyle) + EdgeThickness(exStyle);
    FrameInsets in{border, border, border, border};
    in.top += CaptionHeight(style, exStyle);
    if (menuBar)
        in.top += GetSystemMetrics(SM_CYMENU);
    return in;
}

RECT DefaultClientRect(DWORD style, DWORD exStyle, bool menuBar, bool minimized, RECT window) {
    if (minimized)
        return RECT{window.left, window.top, window.left, window.top};
    FrameInsets in = NonClientInsets(style, exStyle, menuBar);
    RECT c{window.left + in.left, window.top + in.top, window.right - in.right,
           window.bottom - in.bottom};
    if (style & WS_VSCROLL)
        c.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        c.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

LRESULT DefaultHitTest(DWORD style, DWORD exStyle, bool menuBar, bool minimized, RECT r, POINT pt) {
    if (!PtInRect(&r, pt))
        return HTNOWHERE;
    const int frame = FrameThickness(style, exStyle);
    RECT inner{r.left + frame, r.top + frame, r.right - frame, r.bottom - frame};
    if (minimized) {
        // A minimised window is its caption: its buttons act, the rest of it moves it.
        if (PtInRect(&inner, pt) && CaptionHeight(style, exStyle) > 0)
            return CaptionButtonAt(style, exStyle, inner.right - 1 - pt.x);
        return HTCAPTION;
    }
    if (!PtInRect(&inner, pt))
        return (style & WS_THICKFRAME) ? SizingBorderAt(r, pt, frame) : HTBORDER;
    if (int caption = CaptionHeight(style, exStyle); caption > 0) {
        if (pt.y < inner.top + caption) {
            const bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
            if ((style & WS_SYSMENU) && !tool && pt.x < inner.left + GetSystemMetrics(SM_CXSIZE))
                return HTSYSMENU;
            return CaptionButtonAt(style, exStyle, inner.right - 1 - pt.x);
        }
        inner.top += caption;
    }
    if (menuBar) {
        if (pt.y < inner.top + GetSystemMetrics(SM_CYMENU))
            return HTMENU;
        inner.top += GetSystemMetrics(SM_CYMENU);
    }
    const int edge = EdgeThickness(exStyle);
    InflateRect(&inner, -edge, -edge);
    if (!PtInRect(&inner, pt))
        return HTBORDER;
    const bool vscroll = (style & WS_VSCROLL) != 0;
    const bool hscroll = (style & WS_HSCROLL) != 0;
    const bool inV = vscroll && pt.x >= inner.right - GetSystemMetrics(SM_CXVSCROLL);
    const bool inH = hscroll && pt.y >= inner.bottom - GetSystemMetrics(SM_CYHSCROLL);
    if (inV && inH)
        return HTGROWBOX;
    if (inV)
        return HTVSCROLL;
    if (inH)
        return HTHSCROLL;
    return HTCLIENT;
}

}  // namespace kq::ui::detail
