#include "platform/ui/nonclient/NonClientLayout.h"

#include <algorithm>

#include "platform/ui/Styles.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/detail/NonClient.h"

namespace kq::ui::detail {
namespace {

RECT Inset(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

int EdgeOf(DWORD exStyle) {
    int edge = 0;
    if (exStyle & WS_EX_CLIENTEDGE)
        edge += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE)
        edge += GetSystemMetrics(SM_CXBORDER);
    return edge;
}

// Close at the right, then maximise and minimise as a pair, each two pixels apart from the
// close button, matching the slices the default hit test gives them.
void PlaceButtons(NonClientLayout& l, const NonClientFacts& f) {
    const RECT& bar = l.captionBar;
    const int height = std::max(0, static_cast<int>(bar.bottom - bar.top) - 4);
    const int width = height + 2;
    if (!(f.style & WS_SYSMENU))
        return;
    const int top = bar.top + 2;
    l.close = {true, !(f.classStyle & CS_NOCLOSE),
               RECT{bar.right - 2 - width, top, bar.right - 2, top + height}};
    if (l.toolCaption || !(f.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)))
        return;
    const RECT& c = l.close.rect;
    l.maximize = {true, (f.style & WS_MAXIMIZEBOX) != 0,
                  RECT{c.left - 2 - width, top, c.left - 2, top + height}};
    const RECT& m = l.maximize.rect;
    l.minimize = {true, (f.style & WS_MINIMIZEBOX) != 0,
                  RECT{m.left - width, top, m.left, top + height}};
}

}  // namespace

NonClientLayout LayoutNonClient(const NonClientFacts& f) {
    NonClientLayout l;
    const RECT whole{0, 0, f.window.cx, f.window.cy};
    l.frame = FrameThickness(f.style, f.exStyle);
    l.frameInner = Inset(whole, l.frame);
    RECT inner = l.frameInner;
    l.caption = (f.style & WS_CAPTION) == WS_CAPTION;
    if (l.caption) {
        l.toolCaption = (f.exStyle & WS_EX_TOOLWINDOW) != 0;
        const int height = GetSystemMetrics(l.toolCaption ? SM_CYSMCAPTION : SM_CYCAPTION);
        l.captionBar = RECT{inner.left, inner.top, inner.right, inner.top + height - 1};
        l.captionLine = RECT{inner.left, inner.top + height - 1, inner.right, inner.top + height};
        inner.top += height;
        PlaceButtons(l, f);
        int textLeft = l.captionBar.left + 3;
        if ((f.style & WS_SYSMENU) && !l.toolCaption && f.hasIcon) {
            const int size = GetSystemMetrics(SM_CXSMICON);
            const int top = l.captionBar.top + (l.captionBar.bottom - l.captionBar.top - size) / 2;
            l.icon = RECT{l.captionBar.left + 2, top, l.captionBar.left + 2 + size, top + size};
            textLeft = l.icon.right + 3;
        }
        int textRight = l.captionBar.right - 2;
        for (const CaptionButton* b : {&l.close, &l.maximize, &l.minimize}) {
            if (b->present)
                textRight = std::min<int>(textRight, b->rect.left - 2);
        }
        l.text =
            RECT{textLeft, l.captionBar.top, std::max(textLeft, textRight), l.captionBar.bottom};
    }
    l.menuBar = f.menuBar;
    if (l.menuBar) {
        const int height = GetSystemMetrics(SM_CYMENU);
        l.menu = RECT{inner.left, inner.top, inner.right, inner.top + height};
        inner.top += height;
    }
    l.edge = inner;
    l.edgeThickness = EdgeOf(f.exStyle);
    const RECT& c = f.client;
    l.vscroll = (f.style & WS_VSCROLL) != 0;
    l.hscroll = (f.style & WS_HSCROLL) != 0;
    if (l.vscroll)
        l.vscrollRect = RECT{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
    if (l.hscroll)
        l.hscrollRect = RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    if (l.vscroll && l.hscroll)
        l.sizeBox = RECT{c.right, c.bottom, l.vscrollRect.right, l.hscrollRect.bottom};
    return l;
}

}  // namespace kq::ui::detail
