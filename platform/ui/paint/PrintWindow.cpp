#include "platform/ui/paint/PrintWindow.h"

#include <vector>

#include "platform/gfx/WinGdi.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Messaging.h"
#include "platform/ui/WindowShow.h"
#include "platform/ui/detail/Window.h"
#include "platform/ui/nonclient/NonClientPaint.h"

namespace kq::ui::detail {
namespace {

struct Layout {
    bool valid = false;
    RECT client{};                                // window coordinates
    std::vector<std::pair<HWND, RECT>> children;  // visible ones, bottom first; window coordinates
};

Layout LayoutOf(HWND hwnd) {
    Layout l;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w)
        return l;
    l.valid = true;
    l.client = w->client;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        const Window* c = *it;
        if (!(c->style & WS_VISIBLE))
            continue;
        RECT r = c->rect;
        OffsetRect(&r, w->client.left, w->client.top);
        l.children.emplace_back(c->hwnd, r);
    }
    return l;
}

}  // namespace

void DefPrint(HWND hwnd, HDC hdc, LPARAM flags) {
    if (!hdc || ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)))
        return;
    const Layout l = LayoutOf(hwnd);
    if (!l.valid)
        return;
    if (flags & PRF_NONCLIENT)
        DrawNonClient(hwnd, hdc);
    if (flags & (PRF_ERASEBKGND | PRF_CLIENT)) {
        const int saved = SaveDC(hdc);
        OffsetViewportOrgEx(hdc, l.client.left, l.client.top, nullptr);
        IntersectClipRect(hdc, 0, 0, l.client.right - l.client.left,
                          l.client.bottom - l.client.top);
        if (flags & PRF_ERASEBKGND)
            SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
        if (flags & PRF_CLIENT)
            SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), flags);
        RestoreDC(hdc, saved);
    }
    if (!(flags & PRF_CHILDREN))
        return;
    for (const auto& [child, rect] : l.children) {
        const int saved = SaveDC(hdc);
        OffsetViewportOrgEx(hdc, rect.left, rect.top, nullptr);
        IntersectClipRect(hdc, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
        SendMessage(child, WM_PRINT, reinterpret_cast<WPARAM>(hdc), flags);
        RestoreDC(hdc, saved);
    }
}

}  // namespace kq::ui::detail
