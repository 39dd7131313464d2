#include "platform/ui/nonclient/NonClientPaint.h"

#include <mutex>
#include <string>

#include "platform/gfx/ClassicLook.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/Messages.h"
#include "platform/ui/nonclient/NonClientHooks.h"
#include "platform/ui/nonclient/NonClientLayout.h"
#include "platform/ui/nonclient/NonClientMetrics.h"
#include "platform/ui/paint/Invalidation.h"
#include "platform/ui/paint/WindowDcs.h"

namespace kq::ui::detail {
namespace {

struct Pushed {
    std::mutex mutex;
    HWND hwnd = nullptr;
    LRESULT hit = 0;
};

Pushed& ThePushed() {
    static Pushed* pushed = new Pushed;
    return *pushed;
}

LRESULT PushedButtonOf(HWND hwnd) {
    Pushed& p = ThePushed();
    std::lock_guard lock(p.mutex);
    return p.hwnd == hwnd ? p.hit : 0;
}

struct Facts {
    bool valid = false;
    NonClientFacts layout;
    bool active = false;
    bool maximized = false;
    bool minimized = false;
    HICON icon = nullptr;
    std::string text;
};

Facts FactsOf(HWND hwnd) {
    Facts f;
    std::lock_guard lock(TreeMutex());
    Window* w = Lookup(hwnd);
    if (!w || w == &Desktop())
        return f;
    f.valid = true;
    f.layout.style = w->style;
    f.layout.exStyle = w->exStyle;
    f.layout.classStyle = w->cls ? w->cls->style : 0;
    f.layout.menuBar = !w->IsChild() && w->id != 0;
    f.layout.window = SIZE{w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    f.layout.client = w->client;
    if (w->cls)
        f.icon = w->cls->iconSmall ? w->cls->iconSmall : w->cls->icon;
    f.layout.hasIcon = f.icon != nullptr;
    f.active = w->paint.frameActive;
    f.maximized = (w->style & WS_MAXIMIZE) != 0;
    f.minimized = (w->style & WS_MINIMIZE) != 0;
    f.text = w->text;
    return f;
}

COLORREF Mix(COLORREF a, COLORREF b, int num, int den) {
    auto channel = [&](int shift) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        return static_cast<COLORREF>(ca + (cb - ca) * num / den) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

void FillRing(HDC hdc, const RECT& outer, const RECT& inner, COLORREF color) {
    kq::gfx::FillSolid(hdc, RECT{outer.left, outer.top, outer.right, inner.top}, color);
    kq::gfx::FillSolid(hdc, RECT{outer.left, inner.bottom, outer.right, outer.bottom}, color);
    kq::gfx::FillSolid(hdc, RECT{outer.left, inner.top, inner.left, inner.bottom}, color);
    kq::gfx::FillSolid(hdc, RECT{inner.right, inner.top, outer.right, inner.bottom}, color);
}

void DrawFrame(HDC hdc, const NonClientLayout& l, const Facts& f) {
    if (l.frame <= 0)
        return;
    RECT whole{0, 0, f.layout.window.cx, f.layout.window.cy};
    const DWORD style = f.layout.style;
    const bool raised =
        (style & (WS_THICKFRAME | WS_DLGFRAME)) || (f.layout.exStyle & WS_EX_DLGMODALFRAME);
    if (!raised) {
        FrameRect(hdc, &whole, GetSysColorBrush(COLOR_WINDOWFRAME));
        return;
    }
    RECT inside = whole;
    DrawEdge(hdc, &inside, EDGE_RAISED, BF_RECT | BF_ADJUST);
    const int ring = (style & WS_THICKFRAME)
                         ? (f.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER)
                         : COLOR_BTNFACE;
    FillRing(hdc, inside, l.frameInner, GetSysColor(ring));
}

void DrawCaptionButtons(HDC hdc, const NonClientLayout& l, const Facts& f, LRESULT pushed) {
    struct Item {
        const CaptionButton* button;
        UINT kind;
        LRESULT hit;
    };
    const Item items[] = {
        {&l.close, DFCS_CAPTIONCLOSE, HTCLOSE},
        {&l.maximize, f.maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, HTMAXBUTTON},
        {&l.minimize, f.minimized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, HTMINBUTTON},
    };
    for (const Item& item : items) {
        if (!item.button->present)
            continue;
        RECT r = item.button->rect;
        UINT state = item.kind;
        if (!item.button->enabled)
            state |= DFCS_INACTIVE;
        if (pushed == item.hit)
            state |= DFCS_PUSHED;
        DrawFrameControl(hdc, &r, DFC_CAPTION, state);
    }
}

void DrawCaption(HDC hdc, const NonClientLayout& l, const Facts& f, LRESULT pushed) {
    if (!l.caption)
        return;
    const RECT& bar = l.captionBar;
    const COLORREF from = GetSysColor(f.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const COLORREF to =
        GetSysColor(f.active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    const int width = bar.right - bar.left;
    for (int x = 0; x < width; ++x) {
        kq::gfx::FillSolid(hdc, RECT{bar.left + x, bar.top, bar.left + x + 1, bar.bottom},
                           Mix(from, to, x, width > 1 ? width - 1 : 1));
    }
    kq::gfx::FillSolid(hdc, l.captionLine, GetSysColor(COLOR_BTNFACE));
    if (!IsRectEmpty(&l.icon)) {
        DrawIconEx(hdc, l.icon.left, l.icon.top, f.icon, l.icon.right - l.icon.left,
                   l.icon.bottom - l.icon.top, 0, nullptr, DI_NORMAL);
    }
    if (!f.text.empty()) {
        HGDIOBJ oldFont =
            SelectObject(hdc, l.toolCaption ? kq::ui::SmallCaptionFont() : kq::ui::CaptionFont());
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(f.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT text = l.text;
        DrawText(hdc, f.text.c_str(), static_cast<int>(f.text.size()), &text,
                 DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(hdc, oldFont);
    }
    DrawCaptionButtons(hdc, l, f, pushed);
}

void DrawInnerParts(HWND hwnd, HDC hdc, const NonClientLayout& l, const Facts& f) {
    const NonClientHooks hooks = GetNonClientHooks();
    if (l.menuBar) {
        if (hooks.drawMenuBar)
            hooks.drawMenuBar(hwnd, hdc, l.menu);
        else
            kq::gfx::FillSolid(hdc, l.menu, GetSysColor(COLOR_MENU));
    }
    if (l.edgeThickness > 0) {
        RECT edge = l.edge;
        const DWORD ex = f.layout.exStyle;
        if (ex & WS_EX_CLIENTEDGE)
            DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        if (ex & WS_EX_STATICEDGE)
            DrawEdge(hdc, &edge, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (l.hscroll) {
        if (hooks.drawScrollBar)
            hooks.drawScrollBar(hwnd, hdc, 0, l.hscrollRect);
        else
            kq::gfx::FillSolid(hdc, l.hscrollRect, face);
    }
    if (l.vscroll) {
        if (hooks.drawScrollBar)
            hooks.drawScrollBar(hwnd, hdc, 1, l.vscrollRect);
        else
            kq::gfx::FillSolid(hdc, l.vscrollRect, face);
    }
    if (!IsRectEmpty(&l.sizeBox))
        kq::gfx::FillSolid(hdc, l.sizeBox, face);
}

}  // namespace

void DrawNonClient(HWND hwnd, HDC hdc) {
    const Facts f = FactsOf(hwnd);
    if (!f.valid || !hdc)
        return;
    const NonClientLayout l = LayoutNonClient(f.layout);
    const int saved = SaveDC(hdc);
    DrawFrame(hdc, l, f);
    DrawCaption(hdc, l, f, PushedButtonOf(hwnd));
    DrawInnerParts(hwnd, hdc, l, f);
    RestoreDC(hdc, saved);
}

void DefNcPaint(HWND hwnd, WPARAM region) {
    HRGN clip = nullptr;
    if (region > 1) {
        clip = CreateRectRgn(0, 0, 0, 0);
        if (CombineRgn(clip, reinterpret_cast<HRGN>(region), nullptr, RGN_COPY) == ERROR) {
            DeleteObject(clip);
            clip = nullptr;
        }
    }
    RECT client{};
    DWORD flags = DCX_WINDOW | DCX_CACHE | (clip ? DCX_INTERSECTRGN : 0);
    {
        std::lock_guard lock(TreeMutex());
        if (Window* w = Lookup(hwnd)) {
            client = w->client;
            if (w->style & WS_CLIPSIBLINGS)
                flags |= DCX_CLIPSIBLINGS;
        }
    }
    HDC hdc = GetDCEx(hwnd, clip, flags);
    if (!hdc)
        return;
    ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    DrawNonClient(hwnd, hdc);
    ReleaseDC(hwnd, hdc);
}

void RedrawFrameNow(HWND hwnd) {
    {
        std::lock_guard lock(TreeMutex());
        Window* w = Lookup(hwnd);
        // A frame still owed its WM_NCPAINT is drawn then, as it is by then.
        if (!w || !IsDrawable(*w) || w->paint.frame)
            return;
    }
    DefNcPaint(hwnd, 1);
}

void SetPushedCaptionButton(HWND hwnd, LRESULT hit) {
    {
        Pushed& p = ThePushed();
        std::lock_guard lock(p.mutex);
        p.hwnd = hit ? hwnd : nullptr;
        p.hit = hit;
    }
    RedrawFrameNow(hwnd);
}

}  // namespace kq::ui::detail
