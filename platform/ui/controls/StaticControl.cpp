// The "STATIC" control.
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/WinGdi.h"

#include "platform/ui/Messaging.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/WindowPos.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/controls/detail/ControlData.h"
#include "platform/ui/controls/detail/ControlPaint.h"
#include "platform/ui/controls/detail/ControlSupport.h"
#include "platform/ui/controls/detail/StaticState.h"
#include "platform/ui/controls/detail/SystemClasses.h"
#include "platform/ui/dialog/DialogCodes.h"

using namespace kq::ui;
using namespace kq::ui::detail;

namespace {

// A bitmap or icon static takes the size of its image unless it is told to keep its own.
void FitToImage(HWND hwnd, const StaticState& s) {
    const DWORD style = StyleOf(hwnd);
    if (!s.image || (style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)))
        return;
    SIZE size = GetTextMetricsSource()->ImageSize(s.image, s.imageType);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A bitmap or icon static names its image in its text: "#123" or a resource name.
void LoadNamedImage(HWND hwnd, StaticState& s, const CREATESTRUCT* cs) {
    const DWORD type = StyleOf(hwnd) & SS_TYPEMASK;
    if ((type != SS_BITMAP && type != SS_ICON) || !cs || !cs->lpszName || !*cs->lpszName)
        return;
    std::string name = cs->lpszName;
    LPCSTR resource = name.c_str();
    if (name[0] == '#') {
        char* end = nullptr;
        const long number = std::strtol(name.c_str() + 1, &end, 10);
        if (*end || number <= 0 || number > 0xFFFF)
            return;
        resource = MAKEINTRESOURCE(static_cast<int>(number));
    }
    const bool icon = type == SS_ICON;
    HANDLE image = LoadImage(cs->hInstance, resource, icon ? IMAGE_ICON : IMAGE_BITMAP, 0, 0,
                             icon ? LR_DEFAULTSIZE | LR_SHARED : 0);
    if (!image)
        return;
    s.image = image;
    s.imageType = icon ? IMAGE_ICON : IMAGE_BITMAP;
    s.ownsImage = !icon;  // shared icons are never destroyed
    FitToImage(hwnd, s);
}

void ReleaseOwnImage(StaticState& s) {
    if (s.ownsImage && s.image)
        DeleteObject(s.image);
    s.ownsImage = false;
}

LRESULT SetImage(HWND hwnd, StaticState& s, UINT type, HANDLE image) {
    if (type != IMAGE_BITMAP && type != IMAGE_ICON && type != IMAGE_CURSOR)
        return 0;
    HANDLE old = s.image;
    s.ownsImage = false;  // whoever gets the old image back now holds it
    s.image = image;
    s.imageType = type == IMAGE_CURSOR ? IMAGE_ICON : type;
    FitToImage(hwnd, s);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT Handle(HWND hwnd, StaticState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool notify = (StyleOf(hwnd) & SS_NOTIFY) != 0;
    switch (message) {
        case WM_CREATE:
            LoadNamedImage(hwnd, s, reinterpret_cast<const CREATESTRUCT*>(lParam));
            return 0;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWith(hwnd, wParam, [&](HDC dc) { PaintStatic(hwnd, s, dc); });
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_NCHITTEST:
            // Only a static that reports clicks takes the mouse.
            return notify ? DefWindowProc(hwnd, message, wParam, lParam) : HTTRANSPARENT;
        case WM_LBUTTONDOWN:
            if (notify)
                NotifyParent(hwnd, STN_CLICKED);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (notify)
                NotifyParent(hwnd, STN_DBLCLK);
            return 0;
        case WM_ENABLE:
            if (notify)
                NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
            return 0;
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(s.font);
        case STM_SETIMAGE:
            return SetImage(hwnd, s, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam));
        case STM_GETIMAGE:
            return s.imageType == static_cast<UINT>(wParam) ? reinterpret_cast<LRESULT>(s.image)
                                                            : 0;
        case STM_SETICON:
            return SetImage(hwnd, s, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
        case STM_GETICON:
            return s.imageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(s.image) : 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

namespace kq::ui::detail {

LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        AttachControl(hwnd, std::make_shared<StaticState>());
    auto s = ControlOf<StaticState>(hwnd);
    if (message == WM_NCDESTROY) {
        if (s)
            ReleaseOwnImage(*s);
        DetachControl<StaticState>(hwnd);
        return 0;
    }
    if (!s)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const LRESULT result = Handle(hwnd, *s, message, wParam, lParam);
    if (MayChangeLook(message) && IsWindow(hwnd))
        Redraw(hwnd);
    return result;
}

std::shared_ptr<const StaticState> StaticStateOf(HWND hwnd) {
    return IsWindowOfClass(hwnd, "Static") ? ControlOf<StaticState>(hwnd) : nullptr;
}

RECT StaticImageRect(HWND hwnd) {
    auto s = StaticStateOf(hwnd);
    if (!s || !s->image)
        return RECT{};
    if ((StyleOf(hwnd) & SS_REALSIZECONTROL) && s->imageType == IMAGE_BITMAP) {
        RECT client{};
        GetClientRect(hwnd, &client);
        return client;
    }
    SIZE size = GetTextMetricsSource()->ImageSize(s->image, s->imageType);
    if (size.cx <= 0 || size.cy <= 0)
        return RECT{};
    RECT client{};
    GetClientRect(hwnd, &client);
    if (StyleOf(hwnd) & SS_CENTERIMAGE) {
        const int x = (client.right - size.cx) / 2;
        const int y = (client.bottom - size.cy) / 2;
        return RECT{x, y, x + size.cx, y + size.cy};
    }
    return RECT{0, 0, size.cx, size.cy};
}

}  // namespace kq::ui::detail
